// The routines other layers hand the files layer at start-up: dates and picture loading.
#include "files/other_layers.h"

namespace ql {

namespace {
DateRoutines dates;
PictureLoader pictures = nullptr;
}  // namespace

void set_date_routines(const DateRoutines& routines) { dates = routines; }
const DateRoutines& date_routines() { return dates; }

void set_picture_loader(PictureLoader loader) { pictures = loader; }
PictureLoader picture_loader() { return pictures; }

}  // namespace ql

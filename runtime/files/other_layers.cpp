// The routines other layers registered for folder items.
#include "files/other_layers.h"

namespace ql {

namespace {
DateRoutines dates;
PictureLoader pictures = nullptr;
SoundLoader sounds = nullptr;
}  // namespace

void set_date_routines(const DateRoutines& routines) { dates = routines; }
const DateRoutines& date_routines() { return dates; }

void set_picture_loader(PictureLoader loader) { pictures = loader; }
PictureLoader picture_loader() { return pictures; }

void set_sound_loader(SoundLoader loader) { sounds = loader; }
SoundLoader sound_loader() { return sounds; }

}  // namespace ql

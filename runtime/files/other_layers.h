// Work that folder items hand to layers built elsewhere: Date objects for the file times, and pictures and
// sounds made from files. Each layer registers its routines when it starts; until then the properties answer
// nil and the setters do nothing.
#pragma once

#include <stdint.h>

#include "quillet/types.h"

namespace ql {

// Local time as 100-ns intervals since 1601, as the file system's entries carry it.
struct DateRoutines {
  QlObject* (*make_date)(int64_t local_time) = nullptr;              // a new Date object
  bool (*date_time)(QlObject* date, int64_t& local_time) = nullptr;  // false for objects that are no Date
};
void set_date_routines(const DateRoutines& routines);
const DateRoutines& date_routines();

// Loads the file at path as a Picture object; nil when it cannot.
using PictureLoader = QlObject* (*)(const char* path);
void set_picture_loader(PictureLoader loader);
PictureLoader picture_loader();

// Makes a Sound object that plays the file of folder_item; nil when it cannot.
using SoundLoader = QlObject* (*)(QlObject* folder_item);
void set_sound_loader(SoundLoader loader);
SoundLoader sound_loader();

}  // namespace ql

// The shared font cache: one platform font per name, size and three styles, reference-counted, shared by
// every pane, control and graphics state that asks for the same.
#pragma once

#include <windows.h>

#include <stdint.h>

#include "quillet/types.h"

namespace ql {

// Style bits: 1 bold, 2 italic, 4 underline. Each call takes one reference to the font it answers.
HFONT acquire_font(QlString name, int32_t size, uint8_t style);
HFONT acquire_font(const char* name, int32_t size, uint8_t style);
void release_font(HFONT font);  // null: nothing

// The face name a font name becomes: "System", "Application" and "Geneva" are "MS Sans Serif", "Courier"
// "Courier New", "Times" "Times New Roman", "Helvetica" "Arial", "Osaka" "MS UI Gothic".
const char* face_name_for(const char* name);

// Entries in the cache, for tests and benchmarks.
int32_t font_cache_size();

}  // namespace ql

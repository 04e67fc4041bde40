// Turning the four blocks into running code: placing, linking, relocating and checking the image.
#pragma once

#include <span>
#include <string>

#include "start/entry_point_table.h"
#include "start/image_blocks.h"
#include "start/runtime_state.h"

namespace ql::image {

// Places code1, data1 and the thunk area in one region below 2 GiB, links code1 against table, relocates
// data1 by data2 (then frees data2 and code2) and checks the project table and the entry routine. On failure
// failure holds the text to show and the region is given back.
bool install_image(ImageBlocks& blocks, std::span<const EntryPoint> table, LoadedImage& out,
                   std::string& failure);

// Gives the region back; the image's code and data are gone afterwards. A program never does this, since
// its image lives as long as it runs; tests and fuzzers install many.
void release_image(LoadedImage& image);

// The entry routine's address, from data1's first word.
using EntryRoutine = void (*)();
EntryRoutine entry_routine(const LoadedImage& image);

// Resolves the deferred imports, making code1 writable for the time it takes. On failure, failure holds the
// text to show.
bool resolve_deferred(LoadedImage& image, MemberLookup lookup, std::string& failure);

}  // namespace ql::image

// The image loader: finding the image, installing it, refusing a damaged one, calling its entry routine.
#include "start/image_loader.h"

#include <cstring>

#include "platform/platform.h"
#include "start/image_install.h"
#include "values/fatal_stop.h"

namespace ql {

namespace {

uint32_t little_endian_word(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

bool read_blocks(LoadedImage& image, image::ImageBlocks& blocks, std::string& failure) {
  uint8_t pickle[image::kPickleSize] = {};
  int size = platform::read_pickle_resource(pickle);
  std::string problem;
  if (size < 0 || (size >= 4 && std::memcmp(pickle, image::kDevelopmentMarker, 4) == 0)) {
    image.development_mode = true;
    image.resource_index_offset = 0;
    if (image::read_development_blocks(blocks, problem)) return true;
  } else if (size < static_cast<int>(image::kPickleSize)) {
    problem = "its PICKLE resource holds " + std::to_string(size) + " bytes instead of 8";
  } else {
    image.resource_index_offset = little_endian_word(pickle + 4);
    char path[513];
    if (!platform::program_file_path(path, sizeof path)) {
      problem = "the program file's name could not be found";
    } else if (image::read_image_blocks(path, little_endian_word(pickle), blocks, problem)) {
      return true;
    }
  }
  failure = "The application could not be loaded because " + problem + ".";
  return false;
}

}  // namespace

void refuse_damaged_image(const std::string& problem) {
  stop_program("The application image is damaged: " + problem + ".");
}

bool run_application_image() {
  LoadedImage& image = runtime_state().image;
  image::ImageBlocks blocks;
  std::string failure;
  if (!read_blocks(image, blocks, failure) ||
      !image::install_image(blocks, entry_point_table(), image, failure)) {
    show_stop_message(failure);
    return false;
  }
  image::entry_routine(image)();
  return true;
}

}  // namespace ql

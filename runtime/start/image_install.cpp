// Turning the four loaded blocks into running code: placing, linking, relocating and checking the image.
#include "start/image_install.h"

#include <cstring>

#include "image/code2_records.h"
#include "image/data2_relocation.h"
#include "image/image_format.h"
#include "platform/platform.h"

namespace ql::image {

namespace {

constexpr uint32_t round_up(uint32_t n, uint32_t alignment) {
  return (n + alignment - 1) / alignment * alignment;
}

struct Region {
  uint32_t data1_offset;
  uint32_t thunk_offset;
  uint32_t size;
};

Region plan_region(uint32_t code1_length, uint32_t data1_length, uint32_t thunk_count) {
  Region region;
  region.data1_offset = data1_offset_in_region(code1_length);
  region.thunk_offset = region.data1_offset + round_up(data1_length, kData1Alignment);
  region.size = region.thunk_offset + round_up(thunk_count * kThunkSize, kData1Alignment);
  return region;
}

std::string damaged(const std::string& what) { return "The application image is damaged: " + what + "."; }

// Everything install_image does; on failure the caller gives the region back.
bool install_into_region(ImageBlocks& blocks, std::span<const EntryPoint> table, LoadedImage& out,
                         std::string& failure) {
  std::vector<uint8_t>& code1 = blocks[kCode1];
  std::vector<uint8_t>& code2 = blocks[kCode2];
  std::vector<uint8_t>& data1 = blocks[kData1];
  std::vector<uint8_t>& data2 = blocks[kData2];
  if (data1.size() < 8) {
    failure = damaged("data1 is shorter than its two header words");
    return false;
  }
  if (code1.size() > 0x40000000 || data1.size() > 0x40000000) {
    failure = damaged("its code or data block is larger than 1 GiB");
    return false;
  }
  uint32_t code1_length = static_cast<uint32_t>(code1.size());
  uint32_t data1_length = static_cast<uint32_t>(data1.size());
  uint32_t thunk_count = count_import_records(code2.data(), static_cast<uint32_t>(code2.size()));
  if (code2.size() > 0x40000000 || thunk_count > 0x40000000 / kThunkSize) {
    failure = damaged("its code2 block is larger than 1 GiB or imports more names than the thunk area holds");
    return false;
  }
  Region plan = plan_region(code1_length, data1_length, thunk_count);
  auto* region = static_cast<uint8_t*>(platform::reserve_image_region(plan.size));
  if (!region) {
    failure = "The application could not be loaded because there is no room for its code below 2 GiB.";
    return false;
  }
  if (code1_length) std::memcpy(region, code1.data(), code1_length);
  std::memcpy(region + plan.data1_offset, data1.data(), data1_length);

  out.region_size = plan.size;
  LinkState& link = out.link;
  link.code1 = region;
  link.code1_length = code1_length;
  link.data1_address = reinterpret_cast<uintptr_t>(region + plan.data1_offset);
  link.thunks = region + plan.thunk_offset;
  link.thunk_capacity = thunk_count;
  out.code1_address = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(region));
  out.data1 = {region + plan.data1_offset, data1_length, static_cast<uint32_t>(link.data1_address)};

  if (!link_code2(code2.data(), static_cast<uint32_t>(code2.size()), link, table, failure)) return false;
  std::vector<uint8_t>().swap(code2);

  std::string problem;
  if (!relocate_data1(data2.data(), static_cast<uint32_t>(data2.size()), region + plan.data1_offset,
                      data1_length, out.code1_address, out.data1.address, problem)) {
    failure = damaged(problem);
    return false;
  }
  std::vector<uint8_t>().swap(data2);
  std::vector<uint8_t>().swap(code1);
  std::vector<uint8_t>().swap(data1);

  uint32_t entry = read_word(out.data1.bytes + kEntryRoutineWord);
  if (entry < out.code1_address || entry - out.code1_address >= code1_length) {
    failure = damaged("its entry routine lies outside code1");
    return false;
  }
  if (!read_project_table(out.data1, out.project, problem)) {
    failure = damaged(problem);
    return false;
  }
  if (!platform::make_executable(region, plan.data1_offset) ||
      (thunk_count && !platform::make_executable(link.thunks, plan.size - plan.thunk_offset))) {
    failure = "The application could not be loaded because its code could not be made executable.";
    return false;
  }
  return true;
}

}  // namespace

bool install_image(ImageBlocks& blocks, std::span<const EntryPoint> table, LoadedImage& out,
                   std::string& failure) {
  if (install_into_region(blocks, table, out, failure)) return true;
  release_image(out);
  return false;
}

void release_image(LoadedImage& image) {
  if (image.link.code1) platform::release_image_region(image.link.code1, image.region_size);
  image = LoadedImage{};
}

EntryRoutine entry_routine(const LoadedImage& image) {
  uintptr_t address = read_word(image.data1.bytes + kEntryRoutineWord);
  return reinterpret_cast<EntryRoutine>(address);
}

bool resolve_deferred(LoadedImage& image, MemberLookup lookup, std::string& failure) {
  LinkState& link = image.link;
  if (link.deferred.empty()) return true;
  uint32_t code_size = data1_offset_in_region(link.code1_length);
  uint32_t thunk_size = link.thunk_capacity * kThunkSize;
  platform::make_writable(link.code1, code_size);
  if (thunk_size) platform::make_writable(link.thunks, thunk_size);
  bool resolved = resolve_deferred_imports(link, lookup, failure);
  platform::make_executable(link.code1, code_size);
  if (thunk_size) platform::make_executable(link.thunks, thunk_size);
  return resolved;
}

}  // namespace ql::image

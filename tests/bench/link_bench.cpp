// Links and relocates a synthetic image of 100,000 call sites over the runtime's own entry points and
// 20,000 data fixups, and prints the cost per call site.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "image/code2_records.h"
#include "image/data2_relocation.h"
#include "image/image_format.h"
#include "platform/platform.h"
#include "start/code2_linker.h"
#include "start/entry_point_table.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr int kCallSites = 100000;
constexpr int kFixups = 20000;
constexpr int kRounds = 20;

void put_u32(Bytes& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

int main() {
  std::vector<const char*> names;
  for (const ql::EntryPoint& slot : ql::entry_point_table())
    if (slot.name) names.push_back(slot.name);

  // Call sites are interleaved across the names, so every chain spans the whole of code1.
  const uint32_t fixup_area = kCallSites * 5;
  Bytes code1(fixup_area + kFixups * 4, 0);
  std::vector<uint32_t> head(names.size(), 0), last(names.size(), 0);
  for (int i = 0; i < kCallSites; ++i) {
    uint32_t field = i * 5 + 1;
    code1[field - 1] = 0xE8;
    size_t n = i % names.size();
    if (last[n])
      std::memcpy(&code1[last[n]], &field, 4);
    else
      head[n] = field;
    last[n] = field;
  }
  Bytes code2;
  for (int i = 0; i < kFixups; ++i) {
    code2.push_back(ql::image::kDataFixupRecord);
    put_u32(code2, fixup_area + i * 4);
  }
  for (size_t n = 0; n < names.size(); ++n) {
    code2.push_back(ql::image::kImportRecord);
    put_u32(code2, head[n]);
    code2.push_back(static_cast<uint8_t>(std::strlen(names[n])));
    code2.insert(code2.end(), names[n], names[n] + std::strlen(names[n]));
  }
  Bytes data1(kFixups * 8, 0);
  Bytes data2;
  for (int i = 0; i < kFixups; i += 512) {  // runs of 512 words with a skip of one word between them
    int words = std::min(512, kFixups - i);
    data2.push_back(static_cast<uint8_t>(words - 1));
    data2.push_back(static_cast<uint8_t>(0x42 | ((words - 1) >> 8)));
    data2.push_back(3);
    data2.push_back(0x80);
  }

  uint32_t thunks = ql::image::count_import_records(code2.data(), static_cast<uint32_t>(code2.size()));
  size_t region_size = code1.size() + thunks * ql::image::kThunkSize;
  auto* region = static_cast<uint8_t*>(ql::platform::reserve_image_region(region_size));
  if (!region) {
    std::fprintf(stderr, "link_bench: no memory for the region\n");
    return 1;
  }
  double best_ns = 1e30;
  for (int round = 0; round < kRounds; ++round) {
    std::memcpy(region, code1.data(), code1.size());
    Bytes data = data1;
    ql::image::LinkState state;
    state.code1 = region;
    state.code1_length = static_cast<uint32_t>(code1.size());
    state.data1_address = 0x00400000;
    state.thunks = region + code1.size();
    state.thunk_capacity = thunks;
    std::string failure;
    auto start = std::chrono::steady_clock::now();
    bool linked = ql::image::link_code2(code2.data(), static_cast<uint32_t>(code2.size()), state,
                                        ql::entry_point_table(), failure);
    bool relocated =
        ql::image::relocate_data1(data2.data(), static_cast<uint32_t>(data2.size()), data.data(),
                                  static_cast<uint32_t>(data.size()), 0x10000, 0x400000, failure);
    auto elapsed = std::chrono::steady_clock::now() - start;
    if (!linked || !relocated) {
      std::fprintf(stderr, "link_bench: %s\n", failure.c_str());
      return 1;
    }
    best_ns = std::min(best_ns, std::chrono::duration<double, std::nano>(elapsed).count());
  }
  std::printf("link and relocate: %d call sites over %zu names, %d fixups, %d relocated words\n", kCallSites,
              names.size(), kFixups, kFixups);
  std::printf("  best of %d: %.2f ms, %.1f ns per call site\n", kRounds, best_ns / 1e6, best_ns / kCallSites);
  return 0;
}

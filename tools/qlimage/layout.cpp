// Placing the chosen sections in code1 and data1 and qlimage's own data behind them.
#include "qlimage/layout.h"

#include <algorithm>

#include "qlimage/class_descriptors.h"
#include "qlimage/generated_data.h"
#include "image/image_format.h"

namespace qlimage {
namespace {

constexpr uint8_t kCodePadding = 0xCC;  // int3: a stray jump into padding traps at once
// Far below what the 32-bit offsets could address, and far above any real application.
constexpr uint64_t kMaxBlockSize = 0x40000000;

bool place(const std::vector<coff::ObjectFile>& objects, const Resolution& resolution, SectionKind kind,
           Bytes& block, uint8_t padding, Layout& layout) {
  for (uint32_t o = 0; o < objects.size(); ++o) {
    for (uint32_t s = 0; s < objects[o].sections.size(); ++s) {
      if (!resolution.kept[o][s] || resolution.kinds[o][s] != kind) continue;
      const coff::Section& section = objects[o].sections[s];
      uint64_t offset = align_up(block.size(), section.alignment());
      if (offset + section.size > kMaxBlockSize) return false;
      block.resize(offset, padding);
      layout.section_offset[o][s] = static_cast<uint32_t>(offset);
      block.insert(block.end(), section.data.begin(), section.data.end());
      block.resize(offset + section.size, 0);  // zero-filled data has no bytes in the object
    }
  }
  return true;
}

}  // namespace

std::optional<Layout> lay_out(const std::vector<coff::ObjectFile>& objects, const Resolution& resolution,
                              const Project& project, Diagnostics& diagnostics) {
  Layout layout;
  for (const coff::ObjectFile& object : objects) {
    layout.section_offset.emplace_back(object.sections.size(), 0);
  }

  layout.data1.resize(8, 0);  // the two header words, written below
  bool fits = place(objects, resolution, SectionKind::kCode, layout.code1, kCodePadding, layout) &&
              place(objects, resolution, SectionKind::kData, layout.data1, 0, layout) &&
              place(objects, resolution, SectionKind::kReadOnlyData, layout.data1, 0, layout) &&
              place(objects, resolution, SectionKind::kZeroData, layout.data1, 0, layout);
  if (!fits || layout.code1.size() + layout.data1.size() > kMaxBlockSize) {
    diagnostics.error("the application is too large for an image: " + std::to_string(layout.code1.size()) +
                      " bytes of code and " + std::to_string(layout.data1.size()) + " bytes of data");
    return std::nullopt;
  }

  layout.generated_offset.assign(resolution.generated.size(), 0);
  layout.generated_offset[kGeneratedData1Header] = 0;
  pad_to(layout.data1, 4);
  layout.generated_offset[kGeneratedPluginChainHead] = static_cast<uint32_t>(layout.data1.size());
  append_u32(layout.data1, 0);  // no stored plug-ins yet
  for (uint32_t g = 0; g < resolution.generated.size(); ++g) {
    const GeneratedSymbol& symbol = resolution.generated[g];
    if (symbol.kind != GeneratedKind::kString) continue;
    layout.generated_offset[g] = append_string_constant(
        layout.data1, project.strings[symbol.string_index].text, resolution.machine, layout.data_words);
  }
  std::vector<uint32_t> classes = append_class_descriptors(
      layout.data1, resolution.classes, layout.section_offset, resolution.machine, layout.data_words);
  std::vector<uint32_t> items;
  if (project.settings) items.push_back(append_settings_item(layout.data1, *project.settings));
  uint32_t project_table = append_project_table(layout.data1, classes, items, layout.data_words);

  const Target& entry = resolution.entry;
  uint64_t entry_offset = uint64_t{layout.section_offset[entry.object][entry.section]} + entry.value;
  if (entry_offset >= layout.code1.size()) {
    diagnostics.error(objects[entry.object].name +
                      ": the entry routine's symbol points past the end of its section");
    return std::nullopt;
  }
  store_u32(layout.data1.data() + ql::image::kEntryRoutineWord, static_cast<uint32_t>(entry_offset));
  store_u32(layout.data1.data() + ql::image::kProjectTableWord, project_table);
  layout.data_words.push_back({ql::image::kEntryRoutineWord, true});
  layout.data_words.push_back({ql::image::kProjectTableWord, false});
  layout.data1_in_region = ql::image::data1_offset_in_region(static_cast<uint32_t>(layout.code1.size()));
  return layout;
}

}  // namespace qlimage

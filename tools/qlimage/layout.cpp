// Laying out code1 and data1: the objects' sections first, then qlimage's records.
#include "qlimage/layout.h"

#include "image/image_format.h"

namespace qlimage {
namespace {

constexpr uint8_t kCodePadding = 0xCC;  // int3: a stray jump into padding traps at once
// Far below what the 32-bit offsets could address, and far above any real application.
constexpr uint64_t kMaxBlockSize = 0x40000000;
constexpr uint32_t kHeaderWords = 8;

bool place(Resolution& resolution, SectionKind kind, Bytes& block, uint8_t padding) {
  for (LinkObject& object : resolution.objects) {
    for (uint32_t s = 0; s < object.sections.size(); ++s) {
      LinkSection& linked = object.sections[s];
      if (!linked.kept || linked.kind != kind) continue;
      const coff::Section& section = object.file->sections[s];
      uint64_t offset = align_up(block.size(), section.alignment());
      if (offset + section.size > kMaxBlockSize) return false;
      block.resize(offset, padding);
      linked.offset = static_cast<uint32_t>(offset);
      block.insert(block.end(), section.data.begin(), section.data.end());
      block.resize(offset + section.size, 0);  // zero-filled data has no bytes in the object
    }
  }
  return true;
}

}  // namespace

std::optional<Layout> lay_out_sections(Resolution& resolution, Diagnostics& diagnostics) {
  Layout layout;
  layout.data1.resize(kHeaderWords, 0);  // the header record is written over them
  bool fits = place(resolution, SectionKind::kCode, layout.code1, kCodePadding) &&
              place(resolution, SectionKind::kData, layout.data1, 0) &&
              place(resolution, SectionKind::kReadOnlyData, layout.data1, 0) &&
              place(resolution, SectionKind::kZeroData, layout.data1, 0);
  if (!fits || layout.code1.size() + layout.data1.size() > kMaxBlockSize) {
    diagnostics.error("the application is too large for an image: " + std::to_string(layout.code1.size()) +
                      " bytes of code and " + std::to_string(layout.data1.size()) + " bytes of data");
    return std::nullopt;
  }
  layout.data1_in_region = resolution.target->data1_in_region(static_cast<uint32_t>(layout.code1.size()));
  return layout;
}

bool place_records(const Data1Records& records, const Resolution& resolution, Layout& layout,
                   Diagnostics& diagnostics) {
  const std::vector<Data1Record>& all = records.all();
  std::vector<uint32_t> offsets(all.size(), 0);
  for (size_t i = 0; i < all.size(); ++i) {
    const Data1Record& record = all[i];
    if (record.fixed_offset) {
      offsets[i] = *record.fixed_offset;
      if (layout.data1.size() < offsets[i] + record.bytes.size())
        layout.data1.resize(offsets[i] + record.bytes.size());
      std::copy(record.bytes.begin(), record.bytes.end(), layout.data1.begin() + offsets[i]);
      continue;
    }
    pad_to(layout.data1, record.alignment);
    offsets[i] = static_cast<uint32_t>(layout.data1.size());
    append_bytes(layout.data1, record.bytes);
    if (layout.code1.size() + layout.data1.size() > kMaxBlockSize) {
      diagnostics.error("the application is too large for an image: its data come to more than " +
                        std::to_string(kMaxBlockSize) + " bytes");
      return false;
    }
  }
  for (size_t i = 0; i < all.size(); ++i) {
    for (const RecordPointer& pointer : all[i].pointers) {
      uint32_t word_at = offsets[i] + pointer.at;
      const PointerTarget& target = pointer.target;
      bool code = target.kind == PointerTarget::kSection && resolution.is_code(target.place);
      uint32_t value = target.kind == PointerTarget::kRecord ? offsets[target.record] + target.offset
                                                             : resolution.block_offset(target.place);
      store_u32(layout.data1.data() + word_at, value);
      layout.data_words.push_back({word_at, code});
    }
  }
  for (const GeneratedSymbol& symbol : resolution.generated) {
    layout.generated_offset.push_back(offsets.at(symbol.record) + symbol.offset);
  }
  return true;
}

}  // namespace qlimage

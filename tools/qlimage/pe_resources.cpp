// Finding the PICKLE resource of a PE32 or PE32+ file through its resource directory.
#include "qlimage/pe_resources.h"

#include "image/image_format.h"

namespace qlimage {
namespace {

constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr uint32_t kResourceDirectoryIndex = 2;
constexpr uint32_t kSubdirectoryBit = 0x80000000u;
constexpr uint32_t kMaxEntries = 4096;  // far more than any real resource directory holds

struct PeFile {
  ByteView file;
  uint64_t sections = 0;  // file offset of the section table
  uint16_t section_count = 0;
  uint32_t resource_rva = 0;

  // The file offset of [rva, rva + length), which must lie inside one section's raw data.
  std::optional<uint64_t> file_offset(uint64_t rva, uint64_t length) const {
    for (uint16_t i = 0; i < section_count; ++i) {
      uint64_t header = sections + 40ull * i;
      uint32_t virtual_address = 0, raw_size = 0, raw_pointer = 0;
      file.u32(header + 12, virtual_address);
      file.u32(header + 16, raw_size);
      file.u32(header + 20, raw_pointer);
      if (rva < virtual_address || rva - virtual_address > raw_size ||
          length > raw_size - (rva - virtual_address)) {
        continue;
      }
      uint64_t offset = uint64_t{raw_pointer} + (rva - virtual_address);
      if (file.has(offset, length)) return offset;
    }
    return std::nullopt;
  }
};

bool read_headers(PeFile& pe, std::string& problem) {
  uint32_t pe_offset = 0, signature = 0;
  uint16_t optional_size = 0, magic = 0;
  if (!pe.file.u32(0x3C, pe_offset) || !pe.file.u32(pe_offset, signature) || signature != 0x00004550) {
    problem = "not a PE file: no \"PE\" signature where the DOS header points";
    return false;
  }
  uint64_t file_header = uint64_t{pe_offset} + 4;
  uint64_t optional = file_header + 20;
  if (!pe.file.u16(file_header + 2, pe.section_count) || !pe.file.u16(file_header + 16, optional_size) ||
      !pe.file.u16(optional, magic)) {
    problem = "the PE headers are cut off by the end of the file";
    return false;
  }
  uint64_t count_at = magic == kPe32Magic ? 92 : magic == kPe32PlusMagic ? 108 : 0;
  if (count_at == 0) {
    problem = "unknown optional header magic " + hex(magic) + " (neither PE32 nor PE32+)";
    return false;
  }
  uint32_t directory_count = 0;
  uint64_t directory = optional + count_at + 4 + 8ull * kResourceDirectoryIndex;
  if (!pe.file.u32(optional + count_at, directory_count) || directory_count <= kResourceDirectoryIndex ||
      count_at + 4 + 8ull * (kResourceDirectoryIndex + 1) > optional_size ||
      !pe.file.u32(directory, pe.resource_rva)) {
    problem = "the file has no resource directory";
    return false;
  }
  pe.sections = optional + optional_size;
  if (!pe.file.has(pe.sections, 40ull * pe.section_count)) {
    problem = "the section table is cut off by the end of the file";
    return false;
  }
  if (pe.resource_rva == 0) {
    problem = "the file has no resources";
    return false;
  }
  return true;
}

bool name_is(const PeFile& pe, uint32_t name_offset, std::string_view wanted) {
  std::optional<uint64_t> at = pe.file_offset(uint64_t{pe.resource_rva} + name_offset, 2);
  uint16_t length = 0;
  if (!at || !pe.file.u16(*at, length) || length != wanted.size()) return false;
  std::optional<uint64_t> chars = pe.file_offset(uint64_t{pe.resource_rva} + name_offset + 2, 2ull * length);
  if (!chars) return false;
  for (uint16_t i = 0; i < length; ++i) {
    uint16_t ch = load_u16(pe.file.data() + *chars + 2ull * i);
    if (ch >= 'a' && ch <= 'z') ch = static_cast<uint16_t>(ch - 'a' + 'A');
    if (ch != static_cast<uint8_t>(wanted[i])) return false;
  }
  return true;
}

// Finds the entry of the directory at `directory` (relative to the resource section) that matches the name
// or id (any entry when both are empty); returns its offset-to-data word.
std::optional<uint32_t> find_entry(const PeFile& pe, uint32_t directory, std::string_view name,
                                   std::optional<uint32_t> id) {
  std::optional<uint64_t> at = pe.file_offset(uint64_t{pe.resource_rva} + directory, 16);
  if (!at) return std::nullopt;
  uint16_t named = 0, ids = 0;
  pe.file.u16(*at + 12, named);
  pe.file.u16(*at + 14, ids);
  uint32_t count = uint32_t{named} + ids;
  if (count > kMaxEntries) return std::nullopt;
  std::optional<uint64_t> entries = pe.file_offset(uint64_t{pe.resource_rva} + directory + 16, 8ull * count);
  if (!entries) return std::nullopt;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t key = load_u32(pe.file.data() + *entries + 8ull * i);
    uint32_t data = load_u32(pe.file.data() + *entries + 8ull * i + 4);
    bool is_name = (key & kSubdirectoryBit) != 0;
    if (!name.empty() && (!is_name || !name_is(pe, key & ~kSubdirectoryBit, name))) continue;
    if (id && (is_name || key != *id)) continue;
    return data;
  }
  return std::nullopt;
}

}  // namespace

bool is_pe_file(ByteView file) {
  uint8_t m = 0, z = 0;
  return file.u8(0, m) && file.u8(1, z) && m == 'M' && z == 'Z';
}

std::optional<ResourceLocation> find_pickle_resource(ByteView file, std::string& problem) {
  PeFile pe{file};
  if (!read_headers(pe, problem)) return std::nullopt;
  std::optional<uint32_t> type = find_entry(pe, 0, ql::image::kPickleResourceType, std::nullopt);
  if (!type || !(*type & kSubdirectoryBit)) {
    problem = "the file has no resource of type \"PICKLE\"";
    return std::nullopt;
  }
  std::optional<uint32_t> id = find_entry(pe, *type & ~kSubdirectoryBit, {}, ql::image::kPickleResourceId);
  if (!id || !(*id & kSubdirectoryBit)) {
    problem = "the file has no PICKLE resource with id 101";
    return std::nullopt;
  }
  std::optional<uint32_t> language = find_entry(pe, *id & ~kSubdirectoryBit, {}, std::nullopt);
  if (!language || (*language & kSubdirectoryBit)) {
    problem = "the PICKLE resource 101 has no data entry";
    return std::nullopt;
  }
  std::optional<uint64_t> entry = pe.file_offset(uint64_t{pe.resource_rva} + *language, 16);
  if (!entry) {
    problem = "the PICKLE resource's data entry lies outside the file";
    return std::nullopt;
  }
  uint32_t data_rva = load_u32(file.data() + *entry);
  uint32_t size = load_u32(file.data() + *entry + 4);
  std::optional<uint64_t> data = pe.file_offset(data_rva, size);
  if (!data) {
    problem = "the PICKLE resource's " + std::to_string(size) + " bytes at RVA " + hex(data_rva) +
              " lie outside the file's sections";
    return std::nullopt;
  }
  return ResourceLocation{*data, size};
}

}  // namespace qlimage

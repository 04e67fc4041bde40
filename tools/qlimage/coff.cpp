// Names of COFF machines and relocation types, and section alignments.
#include "qlimage/coff.h"

namespace qlimage::coff {

uint32_t Section::alignment() const {
  uint32_t code = (characteristics & kScnAlignMask) >> kScnAlignShift;
  // Objects without an alignment field get the format's default of 16 bytes.
  if (code == 0) return 16;
  return 1u << (code - 1);
}

std::string_view machine_name(uint16_t machine) {
  switch (machine) {
    case kMachineAmd64:
      return "x86-64 (AMD64)";
    case kMachineI386:
      return "i386";
    default:
      return "unknown";
  }
}

std::string relocation_type_name(uint16_t machine, uint16_t type) {
  static constexpr const char* kAmd64[] = {
      "IMAGE_REL_AMD64_ABSOLUTE", "IMAGE_REL_AMD64_ADDR64",  "IMAGE_REL_AMD64_ADDR32",
      "IMAGE_REL_AMD64_ADDR32NB", "IMAGE_REL_AMD64_REL32",   "IMAGE_REL_AMD64_REL32_1",
      "IMAGE_REL_AMD64_REL32_2",  "IMAGE_REL_AMD64_REL32_3", "IMAGE_REL_AMD64_REL32_4",
      "IMAGE_REL_AMD64_REL32_5",  "IMAGE_REL_AMD64_SECTION", "IMAGE_REL_AMD64_SECREL",
      "IMAGE_REL_AMD64_SECREL7",  "IMAGE_REL_AMD64_TOKEN",   "IMAGE_REL_AMD64_SREL32",
      "IMAGE_REL_AMD64_PAIR",     "IMAGE_REL_AMD64_SSPAN32"};
  if (machine == kMachineAmd64 && type < std::size(kAmd64)) return kAmd64[type];
  if (machine == kMachineI386) {
    switch (type) {
      case 0x00:
        return "IMAGE_REL_I386_ABSOLUTE";
      case 0x01:
        return "IMAGE_REL_I386_DIR16";
      case 0x02:
        return "IMAGE_REL_I386_REL16";
      case 0x06:
        return "IMAGE_REL_I386_DIR32";
      case 0x07:
        return "IMAGE_REL_I386_DIR32NB";
      case 0x09:
        return "IMAGE_REL_I386_SEG12";
      case 0x0A:
        return "IMAGE_REL_I386_SECTION";
      case 0x0B:
        return "IMAGE_REL_I386_SECREL";
      case 0x0C:
        return "IMAGE_REL_I386_TOKEN";
      case 0x0D:
        return "IMAGE_REL_I386_SECREL7";
      case 0x14:
        return "IMAGE_REL_I386_REL32";
      default:
        break;
    }
  }
  return "relocation type " + hex(type);
}

}  // namespace qlimage::coff

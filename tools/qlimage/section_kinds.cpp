// Which input sections go into the image, which are dropped, and which are refused.
#include "qlimage/section_kinds.h"

namespace qlimage {
namespace {

// ".text", ".text$foo" and ".text.foo" all belong to the group ".text".
bool in_group(std::string_view name, std::string_view group) {
  if (!name.starts_with(group)) return false;
  return name.size() == group.size() || name[group.size()] == '$' || name[group.size()] == '.';
}

}  // namespace

SectionClass classify_section(std::string_view name) {
  if (in_group(name, ".text")) return {SectionKind::kCode, {}};
  if (name == ".rdata$zzz") return {SectionKind::kDrop, {}};  // the compiler's identification string
  if (in_group(name, ".data")) return {SectionKind::kData, {}};
  if (in_group(name, ".rdata")) return {SectionKind::kReadOnlyData, {}};
  if (in_group(name, ".bss")) return {SectionKind::kZeroData, {}};
  if (name.starts_with(".debug") || name.starts_with(".note")) return {SectionKind::kDrop, {}};
  if (name == ".drectve") return {SectionKind::kDirectives, {}};
  if (in_group(name, ".pdata") || in_group(name, ".xdata") || in_group(name, ".eh_frame")) {
    return {SectionKind::kReject,
            "unwind tables have no place in an application image; compile with "
            "-fno-asynchronous-unwind-tables -fno-exceptions"};
  }
  if (in_group(name, ".ctors") || in_group(name, ".dtors") || in_group(name, ".init_array") ||
      in_group(name, ".fini_array")) {
    return {SectionKind::kReject,
            "static constructors and destructors never run in an application image; make the object "
            "constant-initialised (constexpr or plain data) or initialise it from the entry routine"};
  }
  if (in_group(name, ".tls")) {
    return {SectionKind::kReject, "thread-local storage is not available to compiled application code"};
  }
  return {SectionKind::kReject,
          "qlimage places only .text*, .data*, .rdata* and .bss* sections; remove whatever puts this section "
          "into the object"};
}

}  // namespace qlimage

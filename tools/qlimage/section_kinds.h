// Which input sections become part of the image, which are dropped, and which are refused (with the reason
// and what to do about it).
#pragma once

#include <string>
#include <string_view>

namespace qlimage {

enum class SectionKind { kCode, kData, kReadOnlyData, kZeroData, kDrop, kDirectives, kReject };

struct SectionClass {
  SectionKind kind;
  std::string reason;  // for kReject: why, and what to change
};

SectionClass classify_section(std::string_view name);

}  // namespace qlimage

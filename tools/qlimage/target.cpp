// The two targets: x86-64 (win64) and i386 (win32).
#include "qlimage/target.h"

#include "image/image_format.h"
#include "image/string_constant.h"
#include "qlimage/coff.h"
#include "qlimage/runtime_classes.h"

namespace qlimage {
namespace {

constexpr TargetDescription kX86_64{
    coff::kMachineAmd64, "x86-64 (AMD64)", 8, 32, "", coff::kAmd64Rel32, true};
constexpr TargetDescription kI386{coff::kMachineI386, "i386", 4, 16, "_", coff::kI386Rel32, false};

}  // namespace

const TargetDescription& x86_64_target() { return kX86_64; }
const TargetDescription& i386_target() { return kI386; }

const TargetDescription* target_for_machine(uint16_t machine) {
  if (machine == coff::kMachineAmd64) return &kX86_64;
  if (machine == coff::kMachineI386) return &kI386;
  return nullptr;
}

uint32_t TargetDescription::string_header_size() const { return ql::image::string_header_size(pointer_size); }

std::optional<uint32_t> TargetDescription::builtin_instance_size(std::string_view class_name) const {
  const RuntimeClass* cls = find_runtime_class(class_name);
  if (!cls) return std::nullopt;
  return instance_bytes(cls->size32);
}

uint32_t TargetDescription::data1_in_region(uint32_t code1_length) const {
  return ql::image::data1_offset_in_region(code1_length);
}

std::string_view TargetDescription::c_name(std::string_view symbol) const {
  if (!name_prefix.empty() && symbol.starts_with(name_prefix)) symbol.remove_prefix(name_prefix.size());
  return symbol;
}

std::string TargetDescription::decorated(std::string_view c_name) const {
  return std::string(name_prefix) + std::string(c_name);
}

RelocationShape TargetDescription::relocation(uint16_t type) const {
  if (type == 0) return {FieldKind::kNone, 0, 0};  // ABSOLUTE: a no-op on both machines
  if (machine == coff::kMachineAmd64) {
    if (type >= coff::kAmd64Rel32 && type <= coff::kAmd64Rel32_5) {
      return {FieldKind::kRelative, 4, static_cast<uint32_t>(type - coff::kAmd64Rel32)};
    }
    if (type == coff::kAmd64Addr64) return {FieldKind::kAbsolute64, 8, 0};
    if (type == coff::kAmd64Addr32) return {FieldKind::kAbsolute32, 4, 0};
    return {};
  }
  if (type == coff::kI386Rel32) return {FieldKind::kRelative, 4, 0};
  if (type == coff::kI386Dir32) return {FieldKind::kAbsolute32, 4, 0};
  return {};
}

std::string TargetDescription::relocation_name(uint16_t type) const {
  return coff::relocation_type_name(machine, type);
}

}  // namespace qlimage

// What qlimage needs to know about each target it links for, in one place: the COFF machine, pointer and
// header sizes, how C names are decorated, the built-in classes' instance sizes, how relocations are shaped,
// and where data1 lies relative to code1 when the image is loaded.
#pragma once

#include <stdint.h>

#include <optional>
#include <string>
#include <string_view>

namespace qlimage {

// What a relocation type does to its field.
enum class FieldKind { kNone, kRelative, kAbsolute32, kAbsolute64, kUnsupported };

struct RelocationShape {
  FieldKind kind = FieldKind::kUnsupported;
  uint32_t size = 0;   // bytes of the field
  uint32_t extra = 0;  // relative fields: bytes between the field's end and the next instruction
};

struct TargetDescription {
  uint16_t machine;
  std::string_view name;         // "x86-64", "i386"
  uint32_t pointer_size;         // of the runtime's layouts: object header, class objects, string header
  uint32_t object_header_size;   // the smallest instance a class may have
  std::string_view name_prefix;  // i386 objects prefix C names with an underscore
  uint16_t call_relocation;      // the relocation of a call rel32's displacement
  // Relative references from code or data to data1 are resolved when linking (x86-64, with the placement
  // rule); on i386 only references from code to code are.
  bool resolves_references_to_data;

  uint32_t string_header_size() const;
  uint32_t root_object_size() const { return instance_bytes(24); }
  // A built-in class's instance bytes from its 32-bit size: every field may be a pointer.
  uint32_t instance_bytes(uint32_t size32) const { return size32 * (pointer_size / 4); }
  // Instance size of a runtime class by name; none for names the runtime does not define.
  std::optional<uint32_t> builtin_instance_size(std::string_view class_name) const;
  // Where data1 starts relative to code1 when the image is loaded.
  uint32_t data1_in_region(uint32_t code1_length) const;

  std::string_view c_name(std::string_view symbol) const;  // the object's symbol without its decoration
  std::string decorated(std::string_view c_name) const;    // the C name as the object spells it
  RelocationShape relocation(uint16_t type) const;
  std::string relocation_name(uint16_t type) const;
};

// Null for a machine qlimage does not link for.
const TargetDescription* target_for_machine(uint16_t machine);
const TargetDescription& x86_64_target();
const TargetDescription& i386_target();

}  // namespace qlimage

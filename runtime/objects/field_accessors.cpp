// The typed accessors of compiled classes' fields: a value at a byte offset inside the object.
#include <string.h>

#include "objects/object_faults.h"
#include "objects/objects.h"
#include "quillet/objects.h"
#include "values/fatal.h"

namespace {

// The field's bytes, once they are known to lie inside the instance after the header; a field outside it
// would read or overwrite another allocation.
uint8_t* field(const char* routine, QlObject* object, int32_t offset, int32_t width) {
  const ql::ClassObject* cls = ql::class_of(object);
  if (offset < static_cast<int32_t>(sizeof(ql::ObjectHeader)) || offset > ql::instance_bytes(cls) - width) {
    ql::report_assertion(ql::kConsistencyCheck, "commonruntime", 1);
    ql::stop_for_fault(ql::field_fault_text(routine, offset, width, cls));
  }
  return reinterpret_cast<uint8_t*>(object) + offset;
}

template <typename T>
T read_field(const char* routine, QlObject* object, int32_t offset) {
  T value{};
  if (object)
    memcpy(&value, field(routine, object, offset, sizeof(T)), sizeof(T));  // fields need no alignment
  return value;
}

template <typename T>
void write_field(const char* routine, QlObject* object, int32_t offset, T value) {
  if (object) memcpy(field(routine, object, offset, sizeof(T)), &value, sizeof(T));
}

}  // namespace

QL_API QlObject* objGetter(QlObject* object, int32_t offset) {
  QlObject* value = read_field<QlObject*>("objGetter", object, offset);
  ql::retain_object(value);
  return value;
}

QL_API void objSetter(QlObject* object, int32_t offset, QlObject* value) {
  if (!object) return;
  QlObject* old = read_field<QlObject*>("objSetter", object, offset);
  // The new reference is taken and stored before the old one goes, so storing the value a field already
  // holds keeps it alive, and a destructor the release runs sees the field's new value.
  ql::retain_object(value);
  write_field("objSetter", object, offset, value);
  ql::release_object(old);
}

QL_API int32_t int32Getter(QlObject* object, int32_t offset) {
  return read_field<int32_t>("int32Getter", object, offset);
}
QL_API void int32Setter(QlObject* object, int32_t offset, int32_t value) {
  write_field("int32Setter", object, offset, value);
}
QL_API int32_t int16Getter(QlObject* object, int32_t offset) {
  return read_field<int16_t>("int16Getter", object, offset);
}
QL_API void int16Setter(QlObject* object, int32_t offset, int32_t value) {
  write_field("int16Setter", object, offset, static_cast<int16_t>(value));
}
QL_API int32_t int8Getter(QlObject* object, int32_t offset) {
  return read_field<int8_t>("int8Getter", object, offset);
}
QL_API void int8Setter(QlObject* object, int32_t offset, int32_t value) {
  write_field("int8Setter", object, offset, static_cast<int8_t>(value));
}

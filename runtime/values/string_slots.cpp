// String-typed property slots: a QlString stored at a byte offset inside an object's bytes.
#include <string.h>

#include "quillet/strings.h"
#include "values/string.h"

namespace {
uint8_t* slot_of(QlObject* object, int32_t offset) { return reinterpret_cast<uint8_t*>(object) + offset; }
}  // namespace

QlString stringGetter(QlObject* object, int32_t offset) {
  if (!object) return nullptr;
  QlString value;
  memcpy(&value, slot_of(object, offset), sizeof value);  // slots need not be pointer-aligned
  ql::string_retain(value);
  return value;
}

void stringSetter(QlObject* object, int32_t offset, QlString value) {
  if (!object) return;
  QlString held;
  memcpy(&held, slot_of(object, offset), sizeof held);
  ql::string_assign(held, value);
  memcpy(slot_of(object, offset), &held, sizeof held);
}

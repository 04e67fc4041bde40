// Helpers shared by Loquat's code: reference holders, the string operations of the language, and controls
// and fields by name.
#pragma once

#include "quillet.h"

namespace loquat {

using quillet::Str;

// Owns one reference to an object and gives it back when it goes.
class Obj {
 public:
  Obj() = default;
  explicit Obj(QlObject* owned) : object_(owned) {}
  Obj(Obj&& other) : object_(other.release()) {}
  Obj& operator=(Obj&& other) {
    if (this != &other) {
      RuntimeUnlockObject(object_);
      object_ = other.release();
    }
    return *this;
  }
  Obj(const Obj&) = delete;
  Obj& operator=(const Obj&) = delete;
  ~Obj() { RuntimeUnlockObject(object_); }

  QlObject* get() const { return object_; }
  QlObject* release() {
    QlObject* object = object_;
    object_ = nullptr;
    return object;
  }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  QlObject* object_ = nullptr;
};

// A string field of a compiled object: the field keeps its own reference to what it holds.
inline void store(QlString& field, QlString value) {
  RuntimeLockString(value);
  RuntimeUnlockString(field);
  field = value;
}
inline void release(QlString& field) { store(field, nullptr); }
// A string handed on as a new reference, as string results are.
inline QlString retained(QlString s) {
  RuntimeLockString(s);
  return s;
}

// The language's string operations. Comparisons and searches ignore letter case, as "=" does.
inline bool same(QlString a, QlString b) { return RuntimeStringCompare(a, b) == 0; }
inline bool is_empty(QlString s) { return StringLen(s) == 0; }
inline bool starts_with(QlString s, QlString prefix) { return StringDBCSInStr(1, s, prefix) == 1; }
inline bool contains(QlString s, QlString part) { return StringInStr(1, s, part) > 0; }
inline Str cat(QlString a, QlString b) { return Str(RuntimeAddString(a, b)); }
inline Str cat(QlString a, QlString b, QlString c) {
  Str ab = cat(a, b);
  return cat(ab.get(), c);
}
inline int32_t count_fields(QlString s, QlString separator) { return StringCountFields(s, separator); }
inline Str nth_field(QlString s, QlString separator, int32_t n) {
  return Str(StringNthField(s, separator, n));
}
inline Str replace_first(QlString s, QlString find, QlString by) { return Str(StringReplace(s, find, by)); }
inline Str replace_all(QlString s, QlString find, QlString by) { return Str(StringReplaceAll(s, find, by)); }
inline Str trim(QlString s) { return Str(runTrim(s)); }
inline Str chr(int32_t code) { return Str(StringChr(code)); }
// Str(n): the number as text.
inline Str number_text(int32_t n) { return Str(StringStr(n)); }
// Int(x): toward zero.
inline int32_t int_of(double x) { return FPToInt(x); }
// Val(text): the text's numeric value, through a variant; stored into an integer, or kept as a double.
inline int32_t value_of(QlString text) {
  Obj variant(stringToVariant(text));
  return variantToInt(variant.get());
}
inline double double_of(QlString text) {
  Obj variant(stringToVariant(text));
  return variantToDouble(variant.get());
}

// Controls of a window by name; the window's control table keeps them alive, so no reference is taken.
inline QlObject* control(QlObject* window, QlString name) { return RuntimeControlFetch(window, name); }

// Edit field texts.
inline Str text_of(QlObject* field) { return Str(editTextGetter(field, 0)); }
inline void set_text(QlObject* field, QlString text) { editTextSetter(field, 0, text); }
inline Str field_text(QlObject* window, QlString name) { return text_of(control(window, name)); }
inline void set_field_text(QlObject* window, QlString name, QlString text) {
  set_text(control(window, name), text);
}

inline void show(QlObject* control, bool visible) { ControlVisibleSetter(control, 0, visible); }
inline bool is_shown(QlObject* control) { return controlVisibleGetter(control, 0); }

// The four bounds of a control: Left, Top, Width, Height.
inline int32_t bound(QlObject* control, QlPosition which) { return ctlPosGetter(control, which); }
inline void set_bound(QlObject* control, QlPosition which, int32_t value) {
  ctlPosSetter(control, which, value);
}

}  // namespace loquat

// The StaticText language object and its pane, which draws the caption itself: aligned line by line, or
// word-wrapped when the text is multi-line.
#pragma once

#include "ui/control_pane.h"
#include "ui/ui_objects.h"

namespace ql {

class GraphicsState;

enum StaticAlignment : int32_t { kStaticLeft = 0, kStaticCentre = 1, kStaticRight = 2 };

struct StaticTextFields {
  ControlFields control;
  QlString caption;
  int32_t alignment;
  uint32_t text_color;  // 0x00RRGGBB
  uint8_t multi_line;
};

struct StaticTextObject : StaticTextFields {
  uint8_t reserved[sizeof(QlStaticTextBase) - sizeof(StaticTextFields)];
};
static_assert(sizeof(StaticTextObject) == sizeof(QlStaticTextBase), "StaticText matches the SDK's layout");

inline StaticTextFields* as_static_text_fields(QlObject* object) {
  return reinterpret_cast<StaticTextFields*>(object);
}

class StaticPane final : public ControlPane {
 public:
  StaticPane(QlObject* label, WindowPane* window, const Rect16& bounds);
  ~StaticPane() override;
  bool build();
  void draw() override;

  // What it draws, copied from the language object.
  void take_fields();

 private:
  GraphicsState* graphics_ = nullptr;
  QlString caption_ = nullptr;
  int32_t alignment_ = kStaticLeft;
  COLORREF text_colour_ = 0;
  bool multi_line_ = false;
};

StaticPane* static_pane_of(QlObject* label);

}  // namespace ql

// RuntimeMsgBox: the runtime's modal message box.
#include <windows.h>

#include "quillet/start.h"
#include "ui/ui_steps.h"

QL_API void RuntimeMsgBox(QlString text) {
  const ql::UiSettings& settings = ql::ui_settings();
  const char* caption = settings.mdi ? settings.mdi_title.c_str() : "Message";
  const char* body = text ? reinterpret_cast<const char*>(text->buffer + 1) : "";
  MessageBoxA(nullptr, body, caption, MB_OK);
}

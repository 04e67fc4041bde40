// The rich-edit control library, from the system folder. RICHED32.DLL registers "RichEdit" (Wine's as
// "RICHEDIT", which class names match regardless of case); RICHED20.DLL's "RichEdit20A" stands in where that
// makes no control.
#include <windows.h>

#include "platform/platform.h"
#include "ui/controls/edit_field_pane.h"

namespace ql {

namespace {

struct RichEditLibrary {
  bool loaded = false;
  bool fallen_back = false;
};

RichEditLibrary& library() {
  static RichEditLibrary lib;
  return lib;
}

}  // namespace

const char* rich_edit_class() {
  RichEditLibrary& lib = library();
  if (!lib.loaded) {
    lib.loaded = true;
    platform::load_system_library("RICHED32.DLL");
  }
  return lib.fallen_back ? "RichEdit20A" : "RichEdit";
}

const char* rich_edit_fallback() {
  RichEditLibrary& lib = library();
  if (lib.fallen_back) return nullptr;
  lib.fallen_back = true;
  platform::load_system_library("RICHED20.DLL");
  return "RichEdit20A";
}

}  // namespace ql

// The Open and Save dialogs, through the common dialog library, with the filter built from the image's file
// types.
#include <windows.h>
// Headers that build on windows.h follow it.
#include <commdlg.h>

#include <cstddef>
#include <string>

#include "files/file_types.h"
#include "files/folder_item.h"
#include "quillet/files.h"

namespace {

// The structure as it was before the places bar fields: 76 bytes on 32-bit targets.
constexpr DWORD kStructureSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
#ifndef _WIN64
static_assert(kStructureSize == 76, "the dialogs pass the 76-byte structure on 32-bit targets");
#endif

// The frontmost visible top-level window of this thread, in the system's z-order; null when none shows.
HWND front_window() {
  DWORD thread = GetCurrentThreadId();
  for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
    if (IsWindowVisible(window) && GetWindowThreadProcessId(window, nullptr) == thread) return window;
  }
  return nullptr;
}

// Room for any path the ANSI calls accept: a 256-byte buffer would turn a confirmed choice of a longer path
// into what looks like a cancel.
constexpr DWORD kFileNameBuffer = 1024;

QlObject* run_dialog(QlString types, bool save) {
  ql::DialogFilter filter = ql::build_dialog_filter(ql::text_of(types), ql::file_types());
  char file_name[kFileNameBuffer] = {};
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = kStructureSize;
  dialog.hwndOwner = front_window();
  dialog.lpstrFilter = filter.bytes.c_str();
  dialog.lpstrFile = file_name;
  dialog.nMaxFile = kFileNameBuffer;
  if (save) {
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!filter.default_extension.empty()) dialog.lpstrDefExt = filter.default_extension.c_str();
  } else {
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  }
  BOOL chosen = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
  if (!chosen || !file_name[0]) return nullptr;
  return ql::new_folder_item(file_name);
}

}  // namespace

QL_API QlObject* RuntimeGetOpenFolderItem(QlString types) { return run_dialog(types, false); }

// The file name field starts empty: the suggested name is accepted and not used.
QL_API QlObject* RuntimeGetSaveFolderItem(QlString types, QlString) { return run_dialog(types, true); }

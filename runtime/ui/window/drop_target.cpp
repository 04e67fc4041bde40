// Drag and drop onto top-level windows: the OLE drop target of each window, the acceptance test against what
// the window and its controls declared (text, or files of named file types), and the queue of drops.
#include "ui/window/drop_target.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "files/file_types.h"
#include "objects/objects.h"
#include "quillet/windows.h"
#include "ui/controls/control_object.h"
#include "ui/events/event_messages.h"
#include "ui/events/window_events.h"
#include "ui/window/control_table.h"
#include "ui/window/drag_item.h"
#include "ui/window/view_window.h"
#include "ui/window/window_object.h"
#include "values/string.h"

namespace ql {

namespace {

struct Drop {
  QlObject* window;   // held
  QlObject* control;  // held, or null
  QlObject* item;     // held
};

std::vector<Drop>& drop_queue() {
  static std::vector<Drop> queue;
  return queue;
}

// What a data object offers: its text, or the paths of its files.
struct Offered {
  std::string text;
  std::vector<std::string> paths;
};

Offered read_offer(IDataObject* data) {
  Offered offered;
  FORMATETC text_format = {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium;
  if (SUCCEEDED(data->GetData(&text_format, &medium))) {
    if (const char* text = static_cast<const char*>(GlobalLock(medium.hGlobal))) {
      offered.text.assign(text, strnlen(text, GlobalSize(medium.hGlobal)));
      GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
  }
  FORMATETC file_format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  if (SUCCEEDED(data->GetData(&file_format, &medium))) {
    auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal));
    if (drop) {
      UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
      for (UINT i = 0; i < count; ++i) {
        char path[MAX_PATH * 2];
        if (DragQueryFileA(drop, i, path, sizeof path)) offered.paths.push_back(path);
      }
      GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
  }
  return offered;
}

// A file is accepted when the name of the file type that best matches it is among the declared names.
bool accepts_file(QlString declared, const std::string& path) {
  std::string names = string_cview(declared);
  if (names.empty()) return false;
  std::string type = best_file_type(path, file_types());
  if (type.empty()) return false;
  size_t start = 0;
  for (size_t end; start <= names.size(); start = end + 1) {
    end = names.find(';', start);
    if (end == std::string::npos) end = names.size();
    if (names_equal(names.substr(start, end - start), type)) return true;
  }
  return false;
}

bool accepts(bool takes_text, QlString file_types_declared, const Offered& offered) {
  if (takes_text && !offered.text.empty()) return true;
  for (const std::string& path : offered.paths) {
    if (accepts_file(file_types_declared, path)) return true;
  }
  return false;
}

// The control under a client point that accepts the offer, the last in creation order first; else null.
QlObject* accepting_control(QlObject* window, POINT p, const Offered& offered) {
  WindowControls* controls = as_window_fields(window)->controls;
  if (!controls) return nullptr;
  for (auto it = controls->controls.rbegin(); it != controls->controls.rend(); ++it) {
    ControlFields* c = as_control_fields(*it);
    if (c->visible && c->bounds.contains(p.x, p.y) &&
        accepts(c->accepts_text, c->accepted_file_types, offered))
      return *it;
  }
  return nullptr;
}

class DropTarget final : public IDropTarget {
 public:
  explicit DropTarget(WindowPane* window) : window_(window) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
      *out = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++count_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --count_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL point, DWORD* effect) override {
    offered_ = read_offer(data);
    return DragOver(0, point, effect);
  }

  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL point, DWORD* effect) override {
    *effect = target_at(point) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE DragLeave() override {
    offered_ = {};
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) override {
    offered_ = read_offer(data);
    QlObject* control = nullptr;
    QlObject* window = target_at(point, &control);
    *effect = DROPEFFECT_NONE;
    if (!window) return S_OK;
    *effect = DROPEFFECT_COPY;
    retain_object(window);
    retain_object(control);
    std::string path = offered_.paths.empty() ? std::string() : offered_.paths.front();
    drop_queue().push_back({window, control, new_drag_item(offered_.text, path)});
    return S_OK;
  }

  void forget_window() { window_ = nullptr; }

 private:
  // The window object that takes the offer at a screen point (and the control, if one does), or null.
  QlObject* target_at(POINTL point, QlObject** control_out = nullptr) {
    if (!window_) return nullptr;
    QlObject* window = window_->language_object();
    if (!window) return nullptr;
    POINT p = {point.x, point.y};
    ScreenToClient(window_->hwnd(), &p);
    if (QlObject* control = accepting_control(window, p, offered_)) {
      if (control_out) *control_out = control;
      return window;
    }
    WindowFields* w = as_window_fields(window);
    return accepts(w->accepts_text, w->accepted_file_types, offered_) ? window : nullptr;
  }

  ULONG count_ = 1;
  WindowPane* window_;
  Offered offered_;
};

}  // namespace

IDropTarget* register_drop_target(WindowPane* window) {
  auto* target = new DropTarget(window);
  if (FAILED(RegisterDragDrop(window->hwnd(), target))) {
    target->Release();
    return nullptr;
  }
  return target;
}

void revoke_drop_target(WindowPane* window) {
  auto* target = static_cast<DropTarget*>(window->drop_target);
  if (!target) return;
  window->drop_target = nullptr;
  target->forget_window();
  if (window->hwnd()) RevokeDragDrop(window->hwnd());
  target->Release();
}

void deliver_drops() {
  std::vector<Drop> queue;
  queue.swap(drop_queue());
  for (const Drop& drop : queue) {
    if (drop.control) {
      fire_event(drop.control, control_events::kDropObject, drop.item);
    } else {
      fire_event(drop.window, window_events::kDropObject, drop.item);
    }
    release_object(drop.item);
    release_object(drop.control);
    release_object(drop.window);
  }
}

}  // namespace ql

namespace {

void add_names(QlString& declared, QlString type) {
  std::string names = ql::string_cview(declared);
  if (!names.empty()) names += ";";
  names += ql::string_cview(type);
  QlString s = ql::string_from_bytes(names.data(), static_cast<int32_t>(names.size()));
  ql::string_assign(declared, s);
  ql::string_release(s);
}

}  // namespace

QL_API void windowAcceptTextDrop(QlObject* window) {
  if (window) ql::as_window_fields(window)->accepts_text = 1;
}
QL_API void windowAcceptFileDrop(QlObject* window, QlString file_type) {
  if (window) add_names(ql::as_window_fields(window)->accepted_file_types, file_type);
}
QL_API void controlAcceptTextDrop(QlObject* control) {
  if (control) ql::as_control_fields(control)->accepts_text = 1;
}
QL_API void controlAcceptFileDrop(QlObject* control, QlString file_type) {
  if (control) add_names(ql::as_control_fields(control)->accepted_file_types, file_type);
}

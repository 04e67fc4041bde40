// The built-in classes, registered by name at start-up. Classes whose layer is built define their layout
// here; the others get their instance size from the 32-bit layout until their layer defines its struct and
// calls define_builtin_class again: twice that size with 8-byte pointers, since every word may be a pointer.
#include <iterator>

#include "objects/class_object.h"
#include "objects/class_registry.h"
#include "objects/object.h"
#include "objects/objects.h"
#include "objects/object_steps.h"

namespace ql {

namespace {

constexpr int32_t kRoot = -1;  // the size of the root class Object

struct BuiltinRow {
  const char* name;
  const char* superclass;  // null: none
  int32_t size32;          // bytes on 32-bit targets; kRoot for classes without fields of their own
};

constexpr BuiltinRow kBuiltins[] = {
    {"actionBinder", nullptr, kRoot},
    {"actionNotificationReceiver", nullptr, kRoot},
    {"actionSource", nullptr, kRoot},
    {"Applet", "Window", 112},
    {"Application", nullptr, kRoot},
    {"BinaryStream", nullptr, 32},
    {"bindingInterface", nullptr, kRoot},
    {"bindingPartInterface", nullptr, kRoot},
    {"BooleanProvider", nullptr, kRoot},
    {"Canvas", "RectControl", 100},
    {"CheckBox", nullptr, kRoot},
    {"Clipboard", nullptr, kRoot},
    {"Collection", nullptr, kRoot},
    {"CollectionElement", nullptr, kRoot},
    {"ContextualMenu", nullptr, kRoot},
    {"Control", nullptr, 88},
    {"CriticalSection", nullptr, kRoot},
    {"DataAvailableProvider", nullptr, kRoot},
    {"Database", nullptr, kRoot},
    {"DatabaseCursor", nullptr, kRoot},
    {"DatabaseCursorField", nullptr, kRoot},
    {"DatabaseQuery", nullptr, kRoot},
    {"DatabaseRecord", nullptr, kRoot},
    {"dataNotificationReceiver", nullptr, kRoot},
    {"dataNotifier", nullptr, kRoot},
    {"Date", nullptr, kRoot},
    {"Dialog", "Window", 112},
    {"DragItem", nullptr, kRoot},
    {"EditField", "RectControl", 136},
    {"enablingBinder", nullptr, kRoot},
    {"EndException", "RuntimeException", kRoot},
    {"FolderItem", nullptr, 32},
    {"Graphics", nullptr, kRoot},
    {"GroupBox", nullptr, kRoot},
    {"IllegalCastException", "RuntimeException", kRoot},
    {"Line", nullptr, kRoot},
    {"listBinder", nullptr, kRoot},
    {"Listbox", "RectControl", 524},
    {"listColumnValueProvider", nullptr, kRoot},
    {"listDataNotificationReceiver", nullptr, kRoot},
    {"listDataNotifier", nullptr, kRoot},
    {"listDataProvider", nullptr, kRoot},
    {"ListInterface", nullptr, kRoot},
    {"listSelectionNotificationReceiver", nullptr, kRoot},
    {"listSelectionNotifier", nullptr, kRoot},
    {"listSelectionProvider", nullptr, kRoot},
    {"MemoryBlock", nullptr, kRoot},
    {"MenuItem", nullptr, 72},
    {"MouseCursor", nullptr, kRoot},
    {"Movie", nullptr, 40},
    {"MoviePlayer", nullptr, kRoot},
    {"MoviePlayerAction", nullptr, kRoot},
    {"NilObjectException", "RuntimeException", kRoot},
    {"NotePlayer", nullptr, kRoot},
    {"Object", nullptr, kRoot},
    {"ObjectCursor", nullptr, kRoot},
    {"OutOfBoundsException", "RuntimeException", kRoot},
    {"Oval", nullptr, kRoot},
    {"Picture", nullptr, 40},
    {"PopupMenu", "RectControl", 116},
    {"PrinterSetup", nullptr, kRoot},
    {"ProgressBar", nullptr, kRoot},
    {"PushButton", "RectControl", 116},
    {"QuitMenuItem", "MenuItem", 72},
    {"RadioButton", nullptr, kRoot},
    {"Rectangle", nullptr, kRoot},
    {"RectControl", "Control", 88},
    {"RGBSurface", nullptr, kRoot},
    {"RoundRectangle", nullptr, kRoot},
    {"RuntimeException", nullptr, kRoot},
    {"Screen", nullptr, kRoot},
    {"ScrollableCursor", nullptr, kRoot},
    {"ScrollBar", nullptr, kRoot},
    {"Semaphore", nullptr, kRoot},
    {"Serial", nullptr, kRoot},
    {"SerialPort", nullptr, kRoot},
    {"Slider", nullptr, kRoot},
    {"Socket", nullptr, kRoot},
    {"Sound", nullptr, 40},
    {"Sprite", nullptr, kRoot},
    {"SpriteSurface", nullptr, kRoot},
    {"stackOverflowException", "RuntimeException", kRoot},
    {"StaticText", "RectControl", 104},
    {"stringBinder", nullptr, kRoot},
    {"StringInterface", nullptr, kRoot},
    {"StringProvider", nullptr, kRoot},
    {"StyledTextPrinter", nullptr, kRoot},
    {"Sys$CheckBoxAction", nullptr, kRoot},
    {"Sys$Keyboard", nullptr, kRoot},
    {"Sys$ListboxAction", nullptr, kRoot},
    {"sys$popupRowTag", nullptr, kRoot},
    {"Sys$RadioButtonAction", nullptr, kRoot},
    {"SystemClass", nullptr, kRoot},
    {"TabPanel", "RectControl", 120},
    {"TextConverter", nullptr, kRoot},
    {"TextEncoding", nullptr, kRoot},
    {"TextInputStream", nullptr, 1060},
    {"TextOutputStream", nullptr, 32},
    {"Thread", nullptr, kRoot},
    {"Timer", nullptr, 40},
    {"tupleInterface", nullptr, kRoot},
    {"typeMismatchException", "RuntimeException", kRoot},
    {"Variant", nullptr, 40},
    {"Window", nullptr, 112},
};

int32_t builtin_size(const BuiltinRow& row) {
  if (row.size32 == kRoot) return sizeof(ObjectBase);
  return row.size32 * static_cast<int32_t>(sizeof(void*) / 4);
}

// The interfaces that window building calls into, each with the one method it calls.
void define_interface(const char* name, const char* method) {
  ClassObject* cls = builtin_class(name);
  cls->is_interface = true;
  if (!find_method(cls, method)) cls->methods.push_back({method, 0, 0});
}

}  // namespace

void define_object_classes() {
  for (const BuiltinRow& row : kBuiltins) define_builtin_class(row.name, nullptr, builtin_size(row));
  for (const BuiltinRow& row : kBuiltins) {
    if (row.superclass) builtin_class(row.name)->superclass = builtin_class(row.superclass);
  }

  define_interface("bindingInterface", "bind");
  define_interface("bindingPartInterface", "getBoundPart");
}

}  // namespace ql

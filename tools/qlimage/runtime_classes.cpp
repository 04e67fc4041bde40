// The runtime's built-in classes. The runtime defines the same list at start-up; a test of qlimage checks
// the two against each other.
#include "qlimage/runtime_classes.h"

#include <algorithm>
#include <iterator>

namespace qlimage {
namespace {

constexpr RuntimeClass kClasses[] = {
    {"actionBinder", "", 24},
    {"actionNotificationReceiver", "", 24},
    {"actionSource", "", 24},
    {"Applet", "Window", 112},
    {"Application", "", 28},
    {"BinaryStream", "", 32},
    {"bindingInterface", "", 24},
    {"bindingPartInterface", "", 24},
    {"BooleanProvider", "", 24},
    {"Canvas", "RectControl", 100},
    {"CheckBox", "", 24},
    {"Clipboard", "", 24},
    {"Collection", "", 24},
    {"CollectionElement", "", 24},
    {"ContextualMenu", "", 24},
    {"Control", "", 88},
    {"CriticalSection", "", 24},
    {"DataAvailableProvider", "", 24},
    {"Database", "", 24},
    {"DatabaseCursor", "", 24},
    {"DatabaseCursorField", "", 24},
    {"DatabaseQuery", "", 24},
    {"DatabaseRecord", "", 24},
    {"dataNotificationReceiver", "", 24},
    {"dataNotifier", "", 24},
    {"Date", "", 24},
    {"Dialog", "Window", 112},
    {"DragItem", "", 24},
    {"EditField", "RectControl", 136},
    {"enablingBinder", "", 24},
    {"EndException", "RuntimeException", 24},
    {"FolderItem", "", 32},
    {"Graphics", "", 24},
    {"GroupBox", "", 24},
    {"IllegalCastException", "RuntimeException", 24},
    {"Line", "", 24},
    {"listBinder", "", 24},
    {"Listbox", "RectControl", 524},
    {"listColumnValueProvider", "", 24},
    {"listDataNotificationReceiver", "", 24},
    {"listDataNotifier", "", 24},
    {"listDataProvider", "", 24},
    {"ListInterface", "", 24},
    {"listSelectionNotificationReceiver", "", 24},
    {"listSelectionNotifier", "", 24},
    {"listSelectionProvider", "", 24},
    {"MemoryBlock", "", 24},
    {"MenuItem", "", 72},
    {"MouseCursor", "", 24},
    {"Movie", "", 40},
    {"MoviePlayer", "", 24},
    {"MoviePlayerAction", "", 24},
    {"NilObjectException", "RuntimeException", 24},
    {"NotePlayer", "", 24},
    {"Object", "", 24},
    {"ObjectCursor", "", 24},
    {"OutOfBoundsException", "RuntimeException", 24},
    {"Oval", "", 24},
    {"Picture", "", 40},
    {"PopupMenu", "RectControl", 116},
    {"PrinterSetup", "", 24},
    {"ProgressBar", "", 24},
    {"PushButton", "RectControl", 116},
    {"QuitMenuItem", "MenuItem", 72},
    {"RadioButton", "", 24},
    {"Rectangle", "", 24},
    {"RectControl", "Control", 88},
    {"RGBSurface", "", 24},
    {"RoundRectangle", "", 24},
    {"RuntimeException", "", 24},
    {"Screen", "", 24},
    {"ScrollableCursor", "", 24},
    {"ScrollBar", "", 24},
    {"Semaphore", "", 24},
    {"Serial", "", 24},
    {"SerialPort", "", 24},
    {"Slider", "", 24},
    {"Socket", "", 24},
    {"Sound", "", 40},
    {"Sprite", "", 24},
    {"SpriteSurface", "", 24},
    {"stackOverflowException", "RuntimeException", 24},
    {"StaticText", "RectControl", 104},
    {"stringBinder", "", 24},
    {"StringInterface", "", 24},
    {"StringProvider", "", 24},
    {"StyledTextPrinter", "", 24},
    {"Sys$CheckBoxAction", "", 24},
    {"Sys$Keyboard", "", 24},
    {"Sys$ListboxAction", "", 24},
    {"sys$popupRowTag", "", 24},
    {"Sys$RadioButtonAction", "", 24},
    {"SystemClass", "", 24},
    {"TabPanel", "RectControl", 120},
    {"TextConverter", "", 24},
    {"TextEncoding", "", 24},
    {"TextInputStream", "", 1060},
    {"TextOutputStream", "", 32},
    {"Thread", "", 24},
    {"Timer", "", 40},
    {"tupleInterface", "", 24},
    {"typeMismatchException", "RuntimeException", 24},
    {"Variant", "", 40},
    {"Window", "", 112},
};

char folded(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool same_folded(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return folded(x) == folded(y); });
}

}  // namespace

std::span<const RuntimeClass> runtime_classes() { return kClasses; }

const RuntimeClass* find_runtime_class(std::string_view name) {
  auto it = std::find_if(std::begin(kClasses), std::end(kClasses),
                         [&](const RuntimeClass& cls) { return same_folded(cls.name, name); });
  return it == std::end(kClasses) ? nullptr : &*it;
}

}  // namespace qlimage

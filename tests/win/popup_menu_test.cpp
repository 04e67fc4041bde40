// Popup menus: rows from InitialValue, separators, no text without a selection, Change once per change
// (never from inside its own handler), tags held and given back, rows outside raising, and real input.
#include <gtest/gtest.h>

#include <string>

#include "driver_input.h"
#include "objects/objects.h"
#include "quillet/controls.h"
#include "support/ui_test_window.h"
#include "ui/controls/control_object.h"
#include "unit/objects/catch_raise_fixture.h"
#include "values/string.h"

namespace ql::testing {
namespace {

int changes = 0;
void reselect_on_change(QlObject* popup) {
  ++changes;
  // Selecting again from inside Change raises no second Change.
  RuntimePopupSelectionSetter(popup, 0, RuntimePopupSelectionGetter(popup, 0));
}

QlObject* target = nullptr;
void remove_past_the_end() { RuntimePopupRemoveRow(target, RuntimePopupCountGetter(target, 0)); }
void row_before_the_start() { RuntimePopupGetRow(target, -1); }

std::string row(QlObject* popup, int n) { return take_text(RuntimePopupGetRow(popup, n)); }

TEST(PopupMenu, RowsSeparatorsTagsAndChange) {
  changes = 0;
  TestClass popup_class("PopupMenu");
  popup_class.on("Change", reselect_on_change);
  Properties p = control_properties("Suffix", 20, 20, 182, 22);
  p.push_back({"InitialValue", "ODDBITS\rMAREN\rPERIWIN"});
  TestWindow window({{&popup_class, p}}, 100, 100, 240, 260);
  ASSERT_TRUE(window.built());
  QlObject* popup = window.control("Suffix");

  ASSERT_EQ(RuntimePopupCountGetter(popup, 0), 3);
  EXPECT_EQ(row(popup, 0), "ODDBITS");
  EXPECT_EQ(row(popup, 2), "PERIWIN");
  EXPECT_EQ(RuntimePopupSelectionGetter(popup, 0), -1);
  EXPECT_EQ(popupTextGetter(popup, 0), nullptr);  // rows, but none selected
  EXPECT_EQ(RuntimePopupGetString(popup), nullptr);

  RuntimePopupAddSeparator(popup);
  RuntimePopupSelectionSetter(popup, 0, 3);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(take_text(popupTextGetter(popup, 0)), "-");

  // A tag is held while its row lives.
  TestClass tag_class("Object");
  QlObject* tag = new_object(tag_class.get());
  int32_t live = live_object_count();
  RuntimePopupSetRowTag(popup, 1, tag);
  release_object(tag);
  EXPECT_EQ(live_object_count(), live);
  QlObject* got = RuntimePopupGetRowTag(popup, 1);
  EXPECT_EQ(got, tag);
  release_object(got);
  RuntimePopupRemoveRow(popup, 1);
  EXPECT_EQ(live_object_count(), live - 1);
  EXPECT_EQ(row(popup, 1), "PERIWIN");

  // Rows go in as the combo box takes them: -1 appends, 0 to the count inserts there, past the end or
  // below -1 inserts nothing.
  QlString vocabulary = runtime_string("VOCABULARY");
  const int32_t rows = RuntimePopupCountGetter(popup, 0);
  RuntimePopupInsertRow(popup, 1000, vocabulary);
  RuntimePopupInsertRow(popup, -5, vocabulary);
  EXPECT_EQ(RuntimePopupCountGetter(popup, 0), rows);
  RuntimePopupInsertRow(popup, -1, vocabulary);
  RuntimePopupInsertRow(popup, 0, vocabulary);
  RuntimePopupInsertRow(popup, rows + 2, vocabulary);
  string_release(vocabulary);
  EXPECT_EQ(RuntimePopupCountGetter(popup, 0), rows + 3);
  EXPECT_EQ(row(popup, 0), "VOCABULARY");
  EXPECT_EQ(row(popup, rows + 1), "VOCABULARY");
  EXPECT_EQ(row(popup, rows + 2), "VOCABULARY");
  EXPECT_EQ(row(popup, 1), "ODDBITS") << "the row inserted at 0 pushed the first down";

  target = popup;
  for (void (*raiser)() : {remove_past_the_end, row_before_the_start}) {
    QlObject* caught = catch_raise_fixture(raiser);
    ASSERT_NE(caught, nullptr);
    EXPECT_EQ(class_of(caught), builtin_class("OutOfBoundsException"));
    release_object(caught);
  }
  target = nullptr;

  // Real input: the keyboard moves the selection of the focused popup.
  ASSERT_TRUE(driver::bring_to_front(window.hwnd()));
  RuntimePopupSelectionSetter(popup, 0, 0);
  changes = 0;
  const Rect16& r = as_control_fields(popup)->bounds;
  driver::click_at(window.screen_point(r.left + 40, r.top + 10));  // opens the list
  driver::press_key(VK_DOWN);
  driver::press_key(VK_RETURN);
  ASSERT_TRUE(pump_until([&] { return RuntimePopupSelectionGetter(popup, 0) == 1; }));
  EXPECT_GE(changes, 1);
  EXPECT_EQ(take_text(popupTextGetter(popup, 0)), "ODDBITS");

  RuntimePopupEmpty(popup);
  EXPECT_EQ(RuntimePopupCountGetter(popup, 0), 0);
}

}  // namespace
}  // namespace ql::testing

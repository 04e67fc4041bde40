// Entry points of the list box, push buttons, edit fields, popup menus, static texts, fonts and the message
// box. Rows and columns count from 0.
#pragma once

#include <stdbool.h>

#include "quillet/types.h"

// List box. Row indexes outside the rows raise an OutOfBoundsException (insertion clamps instead, and
// listSelectionSetter clears the selection); a list whose window is not built answers empty values.
QL_API void RuntimeListAddRow(QlObject* list, QlString text);
QL_API void RuntimeListInsertRow(QlObject* list, int32_t row, QlString text);
QL_API void RuntimeRemoveRow(QlObject* list, int32_t row);
QL_API void RuntimeListEmpty(QlObject* list);
QL_API QlString RuntimeGetRow(QlObject* list, int32_t row);
QL_API void RuntimeSetRow(QlObject* list, int32_t row, QlString text);
QL_API QlString listGetCell(QlObject* list, int32_t row, int32_t column);
QL_API void listSetCell(QlObject* list, int32_t row, int32_t column, QlString text);
QL_API int32_t listCountGetter(QlObject* list, intptr_t ignored);
QL_API int32_t listColumnCountGetter(QlObject* list, intptr_t ignored);
QL_API void listColumnCountSetter(QlObject* list, intptr_t ignored, int32_t count);
QL_API QlString listColumnWidthsGetter(QlObject* list, intptr_t ignored);
QL_API void listColumnWidthsSetter(QlObject* list, intptr_t ignored, QlString widths);
QL_API int32_t listSelectionGetter(QlObject* list, intptr_t ignored);  // the first selected row, or -1
QL_API void listSelectionSetter(QlObject* list, intptr_t ignored, int32_t row);
QL_API int32_t listSelCountGetter(QlObject* list, intptr_t ignored);
QL_API bool listGetSelected(QlObject* list, int32_t row);
QL_API void listSetSelected(QlObject* list, int32_t row, bool selected);
QL_API QlString listTextGetter(QlObject* list, intptr_t ignored);
QL_API void listTextSetter(QlObject* list, intptr_t ignored, QlString text);
QL_API int32_t listLastIndexGetter(QlObject* list, intptr_t ignored);
QL_API QlString listGetHeading(QlObject* list, int32_t column);
QL_API void listSetHeading(QlObject* list, int32_t column, QlString text);
// Hierarchical lists: a parent row can be expanded; while its ExpandRow handler runs, added rows become its
// children.
QL_API void RuntimeListAddParent(QlObject* list, QlString text);
QL_API bool listGetExpanded(QlObject* list, int32_t row);
QL_API void listSetExpanded(QlObject* list, int32_t row, bool expanded);
// Cell styles, added to the list's own.
QL_API bool listGetCellBold(QlObject* list, int32_t row, int32_t column);
QL_API void listSetCellBold(QlObject* list, int32_t row, int32_t column, bool bold);
QL_API bool listGetCellItalic(QlObject* list, int32_t row, int32_t column);
QL_API void listSetCellItalic(QlObject* list, int32_t row, int32_t column, bool italic);
QL_API bool listGetCellUnderline(QlObject* list, int32_t row, int32_t column);
QL_API void listSetCellUnderline(QlObject* list, int32_t row, int32_t column, bool underline);
// Types: 2 check box, 3 editable, anything else plain; a cell of type 0 follows its column.
QL_API int32_t listCellTypeGetter(QlObject* list, int32_t row, int32_t column);
QL_API void listCellTypeSetter(QlObject* list, int32_t row, int32_t column, int32_t type);
QL_API int32_t listColumnTypeGetter(QlObject* list, int32_t column);
QL_API void listColumnTypeSetter(QlObject* list, int32_t column, int32_t type);
QL_API bool listCellCheckGetter(QlObject* list, int32_t row, int32_t column);
QL_API void listCellCheckSetter(QlObject* list, int32_t row, int32_t column, bool checked);
// Alignments: 0 default, 1 left, 2 centre, 3 right, 4 decimal; a cell of alignment 0 follows its column.
// Offsets are pixels added to the aligned position.
QL_API int32_t listCellAlignmentGetter(QlObject* list, int32_t row, int32_t column);
QL_API void listCellAlignmentSetter(QlObject* list, int32_t row, int32_t column, int32_t alignment);
QL_API int32_t listColumnAlignmentGetter(QlObject* list, int32_t column);
QL_API void listColumnAlignmentSetter(QlObject* list, int32_t column, int32_t alignment);
QL_API int32_t listCellAlignmentOffsetGetter(QlObject* list, int32_t row, int32_t column);
QL_API void listCellAlignmentOffsetSetter(QlObject* list, int32_t row, int32_t column, int32_t offset);
QL_API int32_t listColumnAlignmentOffsetGetter(QlObject* list, int32_t column);
QL_API void listColumnAlignmentOffsetSetter(QlObject* list, int32_t column, int32_t offset);
// A picture drawn at the left of a row (with a reference for the caller).
QL_API QlObject* listGetRowPicture(QlObject* list, int32_t row);
QL_API void listSetRowPicture(QlObject* list, int32_t row, QlObject* picture);
// The list's font.
QL_API QlString listTextFontGetter(QlObject* list, intptr_t ignored);
QL_API void listTextFontSetter(QlObject* list, intptr_t ignored, QlString font);
QL_API int32_t listTextSizeGetter(QlObject* list, intptr_t ignored);
QL_API void listTextSizeSetter(QlObject* list, intptr_t ignored, int32_t size);
QL_API bool listBoldGetter(QlObject* list, intptr_t ignored);
QL_API void listBoldSetter(QlObject* list, intptr_t ignored, bool bold);
QL_API bool listItalicGetter(QlObject* list, intptr_t ignored);
QL_API void listItalicSetter(QlObject* list, intptr_t ignored, bool italic);
QL_API bool listUnderlineGetter(QlObject* list, intptr_t ignored);
QL_API void listUnderlineSetter(QlObject* list, intptr_t ignored, bool underline);
// Listeners are told selectionChanging and selectionChanged (with the list) around every selection change;
// action receivers are told PerformAction after it. Each is held with a reference until removed.
QL_API void listAddLSNR(QlObject* list, QlObject* listener);
QL_API void listRemoveLSNR(QlObject* list, QlObject* listener);
QL_API void lbaAddActionNotificationReceiver(QlObject* list, QlObject* receiver);
QL_API void lbaRemoveActionNotificationReceiver(QlObject* list, QlObject* receiver);

// Push buttons.
QL_API QlString pushButtonTitleGetter(QlObject* button, intptr_t ignored);
QL_API void pushButtonTitleSetter(QlObject* button, intptr_t ignored, QlString caption);
QL_API void pushButtonPush(QlObject* button);  // as a click, when built and enabled
// The window's default button is pushed by Return and Enter, its cancel button by Escape.
QL_API void pushButtonDefaultSetter(QlObject* button, intptr_t ignored, bool is_default);
QL_API void pushButtonCancelSetter(QlObject* button, intptr_t ignored, bool is_cancel);
// Receivers are told PerformAction on every click, the most recently added first, before Action.
QL_API void pbAddActionNotificationReceiver(QlObject* button, QlObject* receiver);
QL_API void pbRemoveActionNotificationReceiver(QlObject* button, QlObject* receiver);

// Edit fields. Colours are 0x00RRGGBB. The text getter answers the field's text while its window is open
// (a password field's actual text), and the text last set otherwise.
QL_API QlString editTextGetter(QlObject* field, intptr_t ignored);
QL_API void editTextSetter(QlObject* field, intptr_t ignored, QlString text);
QL_API void editBackColorSetter(QlObject* field, intptr_t ignored, int32_t colour);
QL_API void editTextColorSetter(QlObject* field, intptr_t ignored, int32_t colour);

// Popup menus.
QL_API QlString popupTextGetter(QlObject* popup, intptr_t ignored);  // the selected row's text, or empty
QL_API QlString RuntimePopupGetString(QlObject* popup);              // the same
QL_API void RuntimePopupAddRow(QlObject* popup, QlString text);
QL_API void RuntimePopupAddSeparator(QlObject* popup);
QL_API void RuntimePopupInsertRow(QlObject* popup, int32_t row, QlString text);
QL_API void RuntimePopupRemoveRow(QlObject* popup, int32_t row);
QL_API void RuntimePopupEmpty(QlObject* popup);
QL_API int32_t RuntimePopupCountGetter(QlObject* popup, intptr_t ignored);
QL_API int32_t RuntimePopupSelectionGetter(QlObject* popup, intptr_t ignored);
QL_API void RuntimePopupSelectionSetter(QlObject* popup, intptr_t ignored, int32_t row);
QL_API QlString RuntimePopupGetRow(QlObject* popup, int32_t row);
QL_API void RuntimePopupSetRow(QlObject* popup, int32_t row, QlString text);
// A row's tag: an object held with a reference (nil unless set); the getter adds one for the caller.
QL_API QlObject* RuntimePopupGetRowTag(QlObject* popup, int32_t row);
QL_API void RuntimePopupSetRowTag(QlObject* popup, int32_t row, QlObject* tag);
// Receivers are told PerformAction after every Change.
QL_API void popupAddActionNotificationReceiver(QlObject* popup, QlObject* receiver);
QL_API void popupRemoveActionNotificationReceiver(QlObject* popup, QlObject* receiver);

// Static texts. Alignment 0 left, 1 centre, 2 right; the attribute setter's parameter says which flag:
// 0 bold, 1 italic, 2 underline, 3 multi-line (words wrapped).
QL_API void staticCaptionSetter(QlObject* label, intptr_t ignored, QlString caption);
QL_API void staticTextAlignSetter(QlObject* label, intptr_t ignored, int32_t alignment);
QL_API void staticTextColorSetter(QlObject* label, intptr_t ignored, int32_t colour);
QL_API void staticTextFontSetter(QlObject* label, intptr_t ignored, QlString font);
QL_API void staticTextSizeSetter(QlObject* label, intptr_t ignored, int32_t size);
QL_API void staticAttributeSetter(QlObject* label, intptr_t which, bool on);

// The installed fonts, listed once on first use; getFontName raises OutOfBoundsException outside them.
QL_API int32_t getFontCount(void);
QL_API QlString getFontName(int32_t index);

// Entry points of the list box, push buttons, edit fields, popup menus, static texts, fonts and the message
// box. Rows and columns count from 0.
#pragma once

#include <stdbool.h>

#include "quillet/types.h"

// List box. Row indexes outside the rows raise an OutOfBoundsException (insertion clamps instead).
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

// Push buttons.
QL_API QlString pushButtonTitleGetter(QlObject* button, intptr_t ignored);
QL_API void pushButtonTitleSetter(QlObject* button, intptr_t ignored, QlString caption);
QL_API void pushButtonPush(QlObject* button);

// Edit fields. Colours are 0x00RRGGBB.
QL_API QlString editTextGetter(QlObject* field, intptr_t ignored);
QL_API void editTextSetter(QlObject* field, intptr_t ignored, QlString text);
QL_API void editBackColorSetter(QlObject* field, intptr_t ignored, int32_t colour);
QL_API void editTextColorSetter(QlObject* field, intptr_t ignored, int32_t colour);

// Popup menus.
QL_API QlString popupTextGetter(QlObject* popup, intptr_t ignored);  // the selected row's text, or empty
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

// The installed fonts, listed once on first use; getFontName raises OutOfBoundsException outside them.
QL_API int32_t getFontCount(void);
QL_API QlString getFontName(int32_t index);

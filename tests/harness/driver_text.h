// Text helpers of the driver: UTF-8 and UTF-16 conversions, and labels of menu items and buttons compared
// without their "&" access-key marks and their "\t" shortcut part.
#pragma once

#include <string>

namespace ql::driver {

std::string to_utf8(const std::wstring& wide);
std::wstring to_wide(const std::string& utf8);

// "&Open...\tCtrl+O" -> "Open..."; "&&" stays one "&".
std::string label_of(const std::string& text);
// Whether an item's label is the one a test names: as shown ("5 Some & Any") or as the menu holds it
// ("&Open...\tCtrl+O").
bool label_names(const std::string& label, const std::string& wanted);
// "&Open...\tCtrl+O" -> "Ctrl+O"; "" when there is no tab.
std::string shortcut_of(const std::string& text);
// The access key of a label ("&Open" -> 'O', upper case), 0 when there is none.
char access_key_of(const std::string& text);

}  // namespace ql::driver

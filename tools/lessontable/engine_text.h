// The few string operations of the runtime that decide how the lesson engine cuts and changes its texts:
// field splitting, first-occurrence replacement and title case, with the runtime's results.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lessontable {

// Fields separated by `separator`; an empty text has no fields (the runtime's StringCountFields).
std::vector<std::string> split_fields(std::string_view text, std::string_view separator);

// Field n (1-based), empty beyond the last field.
std::string nth_field(std::string_view text, std::string_view separator, size_t n);

// Replaces the first occurrence of `find` (compared ignoring case); an empty `find` changes nothing.
std::string replace_first(std::string_view text, std::string_view find, std::string_view replacement);

std::string replace_all(std::string_view text, std::string_view find, std::string_view replacement);

// Upper-cases the first letter of every space-separated word and lower-cases the letters after it.
std::string title_case(std::string_view text);

// The text with its first character upper-cased and nothing else changed.
std::string upper_first(std::string_view text);

std::string lower_case(std::string_view text);
bool has_upper_case(std::string_view text);
bool equal_ignoring_case(std::string_view a, std::string_view b);
bool is_blank(char c);

}  // namespace lessontable

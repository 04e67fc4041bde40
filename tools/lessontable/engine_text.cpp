// The runtime's field, replace and title-case semantics over the shared Windows-1252 case mapping.
#include "lessontable/engine_text.h"

#include "lessontable/table.h"

namespace lessontable {
namespace {

using loquat::rules::to_lower;
using loquat::rules::to_upper;

size_t find_ignoring_case(std::string_view text, std::string_view find) {
  if (find.empty() || find.size() > text.size()) return std::string_view::npos;
  for (size_t i = 0; i + find.size() <= text.size(); ++i) {
    if (equal_ignoring_case(text.substr(i, find.size()), find)) return i;
  }
  return std::string_view::npos;
}

}  // namespace

bool is_blank(char c) { return loquat::rules::is_blank(c); }

std::vector<std::string> split_fields(std::string_view text, std::string_view separator) {
  std::vector<std::string> fields;
  if (text.empty()) return fields;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string_view::npos;
       start = at + separator.size()) {
    fields.emplace_back(text.substr(start, at - start));
  }
  fields.emplace_back(text.substr(start));
  return fields;
}

std::string nth_field(std::string_view text, std::string_view separator, size_t n) {
  std::vector<std::string> fields = split_fields(text, separator);
  return n >= 1 && n <= fields.size() ? fields[n - 1] : std::string();
}

std::string replace_first(std::string_view text, std::string_view find, std::string_view replacement) {
  size_t at = find_ignoring_case(text, find);
  if (at == std::string_view::npos) return std::string(text);
  return std::string(text.substr(0, at)) + std::string(replacement) +
         std::string(text.substr(at + find.size()));
}

std::string replace_all(std::string_view text, std::string_view find, std::string_view replacement) {
  std::string result(text);
  for (size_t at = 0; !find.empty() && (at = result.find(find, at)) != std::string::npos;
       at += replacement.size()) {
    result.replace(at, find.size(), replacement);
  }
  return result;
}

std::string title_case(std::string_view text) {
  std::string result(text);
  bool word_start = true;
  for (char& c : result) {
    if (is_blank(c)) {
      word_start = true;
    } else if (word_start) {
      word_start = false;
      c = to_upper(c);
    } else {
      c = to_lower(c);
    }
  }
  return result;
}

std::string upper_first(std::string_view text) {
  std::string result(text);
  if (!result.empty()) result[0] = to_upper(result[0]);
  return result;
}

std::string lower_case(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = to_lower(c);
  return result;
}

bool has_upper_case(std::string_view text) {
  for (char c : text) {
    if (loquat::rules::is_upper(c)) return true;
  }
  return false;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  return loquat::rules::equal_ignoring_case(span_of(a), span_of(b));
}

}  // namespace lessontable

// StringFormat.
#include "values/string_format.h"

#include <stdint.h>

#include "quillet/string_library.h"
#include "values/number_text.h"
#include "values/string.h"
#include "values/string_fields.h"
#include "values/string_ref.h"

namespace ql {
namespace {

constexpr const char* kScientificPicture = "-#.000000E+";

bool is_placeholder(char c) { return c == '#' || c == '0'; }

// What the picture asks for, escaped characters left out.
struct PictureCounts {
  int64_t integer_places = 0;  // placeholders before the first "."
  int64_t decimal_places = 0;  // placeholders after it
  bool percent = false, grouping = false, exponent = false;
};

PictureCounts count_picture(std::string_view picture) {
  PictureCounts counts;
  bool after_point = false;
  for (size_t i = 0; i < picture.size(); ++i) {
    char c = picture[i];
    if (c == '\\') {
      ++i;
    } else if (is_placeholder(c)) {
      ++(after_point ? counts.decimal_places : counts.integer_places);
    } else if (c == '.') {
      after_point = true;
    } else if (c == '%') {
      counts.percent = true;
    } else if (c == ',') {
      counts.grouping = true;
    } else if (c == 'e' || c == 'E') {
      counts.exponent = true;
    }
  }
  return counts;
}

// The printed number the picture's placeholders draw their digits from.
struct Digits {
  std::string text;
  int64_t exponent_at;  // offset of the "e", or the length when there is no exponent
  int64_t point_at;     // offset of the ".", or the length: the number of integer digits
  bool has_exponent;

  std::string_view exponent() const {
    return has_exponent ? std::string_view(text).substr(static_cast<size_t>(exponent_at) + 1) : "";
  }
  // The character at offset, when it lies before the exponent.
  bool digit_at(int64_t offset, char& digit) const {
    if (offset < 0 || offset >= exponent_at) return false;
    digit = text[static_cast<size_t>(offset)];
    return true;
  }
};

Digits print_digits(double x, const PictureCounts& counts) {
  const int64_t decimals = counts.decimal_places;
  Digits d;
  d.text = print_number(x, counts.exponent ? decimals + 1 : decimals, counts.exponent);
  size_t first = d.text.find_first_not_of(' ');
  d.text.erase(0, first == std::string::npos ? d.text.size() : first);
  size_t e = d.text.find('e');
  if (decimals > 0) {
    // Zeros the placeholders would show anyway go, so that "#" places can stay empty.
    if (counts.exponent && e != std::string::npos) {
      while (e > 0 && d.text[e - 1] == '0') d.text.erase(--e, 1);
    } else {
      while (!d.text.empty() && d.text.back() == '0') d.text.pop_back();
    }
  }
  d.has_exponent = counts.exponent && e != std::string::npos;
  d.exponent_at = d.has_exponent ? static_cast<int64_t>(e) : static_cast<int64_t>(d.text.size());
  size_t point = d.text.find('.');
  d.point_at = point == std::string::npos ? static_cast<int64_t>(d.text.size()) : static_cast<int64_t>(point);
  return d;
}

class PictureWriter {
 public:
  PictureWriter(const Digits& digits, const PictureCounts& counts, const NumberSeparators& locale)
      : digits_(digits), counts_(counts), locale_(locale) {}

  void integer_place(char placeholder) {
    const int64_t places = counts_.integer_places, p = digits_.point_at;
    if (counter_ == 0 && p > places) {
      // The first place takes every digit the others have no room for.
      const int64_t leading = p - places + 1;
      for (int64_t j = 1; j <= leading; ++j) {
        out_ += digits_.text[static_cast<size_t>(j - 1)];
        if (counts_.grouping && (p - j) % 3 == 0 && j != leading) out_ += locale_.thousands;
      }
      digit_written_ = true;
    } else {
      char digit;
      bool shown = digits_.digit_at(p + counter_ - places, digit);
      if (!shown && placeholder == '0') {
        digit = '0';
        shown = true;
      }
      if (shown) {
        if (counts_.grouping && digit_written_ && (places - counter_) % 3 == 0) out_ += locale_.thousands;
        out_ += digit;
        digit_written_ = true;
      }
    }
    ++counter_;
  }

  void decimal_place(char placeholder) {
    char digit;
    if (digits_.digit_at(digits_.point_at + counter_ + 1, digit)) {
      out_ += digit;
    } else if (placeholder == '0') {
      out_ += '0';
    }
    ++counter_;
  }

  void point() {
    counter_ = 0;
    out_ += locale_.decimal;
  }

  // The exponent after the letter; answers whether the picture's next character, a sign, was consumed.
  bool exponent(char letter, char next) {
    if (!digits_.has_exponent) return false;
    out_ += letter;
    std::string_view printed = digits_.exponent();
    bool signed_exponent = !printed.empty() && (printed[0] == '+' || printed[0] == '-');
    if (next == '+') {
      if (!signed_exponent) out_ += '+';
      out_ += printed;
      return true;
    }
    if (next == '-') {
      out_ += printed.substr(!printed.empty() && printed[0] == '+' ? 1 : 0);
      return true;
    }
    out_ += printed;
    return false;
  }

  void literal(char c) { out_ += c; }
  void literal(const char* text) { out_ += text; }
  std::string& text() { return out_; }

 private:
  const Digits& digits_;
  const PictureCounts& counts_;
  const NumberSeparators& locale_;
  std::string out_;
  int64_t counter_ = 0;  // placeholders so far, restarting after the first "."
  bool digit_written_ = false;
};

}  // namespace

std::string format_picture(double x, bool negative, std::string_view picture,
                           const NumberSeparators& locale) {
  const PictureCounts counts = count_picture(picture);
  if (counts.percent) x *= 100;
  const Digits digits = print_digits(x, counts);
  PictureWriter writer(digits, counts, locale);
  bool after_point = false;
  for (size_t i = 0; i < picture.size(); ++i) {
    const char c = picture[i];
    const char next = i + 1 < picture.size() ? picture[i + 1] : '\0';
    switch (c) {
      case '\\':
        if (i + 1 < picture.size()) writer.literal(picture[++i]);
        break;
      case '#':
      case '0':
        after_point ? writer.decimal_place(c) : writer.integer_place(c);
        break;
      case '.':
        if (!after_point) writer.point();
        after_point = true;
        break;
      case '%':
      case '(':
      case ')':
        writer.literal(c);
        break;
      case '+':
        if (negative) {
          writer.literal('-');
        } else if (x > 0) {
          writer.literal('+');
        }
        break;
      case '-':
        if (negative) writer.literal('-');
        break;
      case 'e':
      case 'E':
        if (writer.exponent(c, next)) ++i;
        break;
      default:  // spaces, ",", letters and currency signs show only when escaped
        break;
    }
  }
  return std::move(writer.text());
}

QlString format_number(double x, QlString format, const NumberSeparators& locale, const CodePage* dbcs) {
  if (x == 0) x = 0;  // a negative zero formats as zero, without a stray "-"
  if (string_compare_folded_cstr(format, "Scientific") == 0) {
    std::string text = format_picture(x, false, kScientificPicture, locale);
    return string_from_bytes(text.data(), static_cast<int32_t>(text.size()));
  }
  StringRef separator(string_from_cstr(";"));
  const int32_t sections = count_fields(format, separator.get(), dbcs);
  bool negative = false;
  int32_t section = 1;
  if (x < 0) {
    negative = true;
    x = -x;
    if (sections >= 2) section = 2;
  } else if (!(x > 0) && sections >= 3) {
    section = 3;
  }
  StringRef picture(nth_field(format, separator.get(), section, dbcs));
  std::string text = format_picture(
      x, negative,
      std::string_view(string_cview(picture.get()), static_cast<size_t>(string_length(picture.get()))),
      locale);
  return text.size() > INT32_MAX ? nullptr
                                 : string_from_bytes(text.data(), static_cast<int32_t>(text.size()));
}

}  // namespace ql

QlString StringFormat(double x, QlString format) {
  return ql::format_number(x, format, ql::number_separators(), ql::dbcs_code_page());
}

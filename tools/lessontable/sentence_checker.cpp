// The engine draws each "/"-line centred on the 480-pixel canvas and capitalises the first word when a
// gap is filled; these checks make sure every way the item can be shown stays readable.
#include "lessontable/sentence_checker.h"

#include <algorithm>
#include <optional>
#include <set>

#include "lessontable/engine_text.h"
#include "lessontable/pattern.h"
#include "rules/canvas.h"
#include "rules/text_widths.h"

namespace lessontable {
namespace {

struct Shown {
  std::vector<std::vector<std::string>> open;    // segments as first drawn
  std::vector<std::vector<std::string>> filled;  // segments once every gap is filled
};

// Fills the gaps in order and applies the engine's capital rule to the first segment (or, when the
// first gap is answered "*", to the word after it).
Shown fill(const std::vector<std::vector<std::string>>& lines, const std::vector<std::string>& answers) {
  Shown shown{lines, lines};
  size_t gap = 0;
  std::vector<std::string*> order;
  for (auto& line : shown.filled) {
    for (std::string& segment : line) {
      if (segment == "_" && gap < answers.size()) segment = answers[gap++];
      order.push_back(&segment);
    }
  }
  if (!order.empty()) {
    std::string word = nth_field(*order[0], " ", 1);
    *order[0] = replace_first(*order[0], word, title_case(word));
    if (*order[0] == "*" && order.size() > 1) {
      std::string next = nth_field(*order[1], " ", 2);
      *order[1] = replace_first(*order[1], next, title_case(next));
    }
  }
  return shown;
}

int sentence_width(const std::string& text) { return loquat::rules::sentence_width(span_of(text)); }

std::string quoted_list(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "'" : ", '") + item + "'";
  return text;
}

std::optional<std::string> capital_problem(const std::vector<std::vector<std::string>>& lines,
                                           const std::vector<std::string>& answers) {
  if (lines.empty() || lines[0].empty()) return std::nullopt;
  const std::string& first = lines[0][0];
  if (first != "_") {
    std::string word = nth_field(first, " ", 1);
    if (title_case(word) == word) return std::nullopt;
    return "the sentence starts with '" + word + "', which the engine shows as '" + title_case(word) +
           "' once a gap is filled (it capitalises the first word and lowers its other letters): start with "
           "a capital and no other capitals in the first word";
  }
  if (answers.empty()) return std::nullopt;
  if (answers[0] != "*") {
    if (title_case(answers[0]) == upper_first(answers[0])) return std::nullopt;
    return "the answer '" + answers[0] + "' fills the opening gap and is shown as '" +
           title_case(answers[0]) + "': do not open the sentence with a gap for a word with capitals inside";
  }
  std::string after = lines[0].size() > 1 ? lines[0][1] : "";
  std::string word = nth_field(after, " ", 2);
  if (after.empty() || after[0] != ' ' || word.empty()) {
    return std::string(
               "the sentence opens with a gap answered '*', so the engine capitalises the word after it; ") +
           "that word must follow the gap on the same line, after one space";
  }
  if (title_case(word) == upper_first(word)) return std::nullopt;
  return "'" + word + "' follows the opening '*' gap and is shown as '" + title_case(word) +
         "': rephrase so that the word after the gap has no capitals inside";
}

}  // namespace

void check_sentence_display(const loquat::rules::PatternFacts& facts, const std::vector<std::string>& answers,
                            RowReport& report) {
  using loquat::rules::kCanvasWidth;
  using loquat::rules::kLeftAlignedX;
  using loquat::rules::kMaxSegments;
  if (!facts.parsed) return;
  Pattern pattern = read_pattern(report.cell(kPattern));
  uint64_t combinations = combination_count(pattern);
  if (combinations > kMaxCombinations) {
    report.error(kPattern, "the alternative groups can be combined in more than " +
                               std::to_string(kMaxCombinations) +
                               " ways, too many to check: use fewer groups");
    return;
  }
  const int limit = pattern.left_aligned ? kCanvasWidth - kLeftAlignedX : kCanvasWidth;
  std::set<size_t> reported_lines;
  bool reported_segments = false, reported_capital = false;
  for (uint64_t combination = 0; combination < combinations; ++combination) {
    std::vector<std::string> chosen;
    std::string expanded = expand(pattern, combination, &chosen);
    std::string when = chosen.empty() ? "" : " when the alternatives read " + quoted_list(chosen);
    Shown shown = fill(display_segments(expanded), answers);
    size_t segments = 0;
    for (size_t i = 0; i < shown.open.size(); ++i) {
      segments += shown.open[i].size();
      int width = 0;
      std::string filled_line;
      for (size_t k = 0; k < shown.open[i].size(); ++k) {
        width += std::max(sentence_width(shown.open[i][k]), sentence_width(shown.filled[i][k]));
        filled_line += shown.filled[i][k];
      }
      if (width > limit && reported_lines.insert(i).second) {
        report.error(kPattern, "line " + std::to_string(i + 1) + " '" + filled_line + "' is " +
                                   std::to_string(width) + " px wide with its gaps filled, more than the " +
                                   std::to_string(limit) + " px it may take" + when +
                                   ": shorten it or break it with '/'");
      }
    }
    if (segments > static_cast<size_t>(kMaxSegments) && !reported_segments) {
      reported_segments = true;
      report.error(kPattern, "the sentence falls into " + std::to_string(segments) +
                                 " segments (text runs and gaps); the engine keeps " +
                                 std::to_string(kMaxSegments) + ": use fewer gaps");
    }
    if (!reported_capital) {
      if (std::optional<std::string> problem = capital_problem(shown.open, answers)) {
        reported_capital = true;
        report.error(kPattern, *problem + when);
      }
    }
  }
}

}  // namespace lessontable

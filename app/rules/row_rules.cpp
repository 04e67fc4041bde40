// A click is compared with the first expected answer ignoring case, and the captions "start", "examples",
// "next", "end" and "?" are commands before they are answers; the pattern is cut at "/" into lines and at
// each "_" into segments, after one alternative of every "(a,b)" group is put in its place.
#include "row_rules.h"

namespace loquat::rules {

namespace {

bool is_command(Span caption) {
  static constexpr Span kCommands[] = {"start", "examples", "next", "end", "?"};
  for (Span command : kCommands) {
    if (equal_ignoring_case(caption, command)) return true;
  }
  return false;
}

bool has_blank_ends(Span text) { return !text.empty() && (is_blank(text.front()) || is_blank(text.back())); }

// The problem of a group "(...)" with its content, or false.
bool group_error(Span group, Span content, Message& error) {
  if (content.empty()) {
    error << "the group " << group << " is empty: give its alternatives, as in '(sports,sweets)'";
    return true;
  }
  if (is_blank(content.front()) || is_blank(content.back())) {
    error << "the group " << group
          << " has a space just inside its brackets, which keeps the engine from replacing it: remove the "
             "space";
    return true;
  }
  if (find(content, '/') >= 0) {
    error << "the group " << group
          << " holds a '/': every alternative must keep the line count; move the line break out of the group";
    return true;
  }
  if (find(content, '_') >= 0) {
    error
        << "the group " << group
        << " holds a gap '_': the answers cannot change with the alternative; move the gap out of the group";
    return true;
  }
  Fields alternatives(content, ",");
  for (Span alternative; alternatives.next(alternative);) {
    if (alternative.empty()) {
      error << "the group " << group << " has an empty alternative: remove the extra ','";
      return true;
    }
  }
  return false;
}

// The syntax of the pattern without its "@": false with the problem in `error`.
bool syntax_error(Span text, Message& error) {
  if (find(text, '$') >= 0) {
    error << "'$' cuts the sentence into segments inside the engine and cannot be shown: remove it";
    return true;
  }
  for (int i = 0; i < text.size; ++i) {
    if (text[i] == ')') {
      error << "')' at character " << i + 1 << " has no '(' before it: remove it or add the '('";
      return true;
    }
    if (text[i] != '(') continue;
    int close = find(text, ')', i);
    int nested = find(text, '(', i + 1);
    if (close < 0) {
      error << "'(' at character " << i + 1 << " is never closed: add the ')' that ends the group";
      return true;
    }
    if (nested >= 0 && nested < close) {
      error << "'(' at character " << nested + 1 << " opens a group inside a group: groups cannot be nested";
      return true;
    }
    Message quoted_group;
    quoted_group.quoted(text.sub(i, close - i + 1));
    if (group_error(quoted_group.text(), text.sub(i + 1, close - i - 1), error)) return true;
    i = close;
  }
  return false;
}

void check_line_count(int lines, RowKind kind, Report& report) {
  Message m;
  if (lines == 0 && kind != RowKind::kCompareBoard) {
    m << "the pattern is empty: write the sentence, with '_' for each gap";
  } else if (lines == 7 || lines == 11) {
    m << "the pattern has " << lines
      << " lines, for which the engine sets no baselines (it shows a message instead): use 1 to 6 or 8 to 10 "
         "lines";
  } else if (lines > kMaxLines) {
    m << "the pattern has " << lines << " lines; the engine shows at most 10: shorten it";
  } else if (kind == RowKind::kArticle && lines > 4) {
    m << "article items have 1 to 4 lines, this one " << lines << " (the boxes begin at 259 px): shorten the "
      << "sentence";
  } else {
    return;
  }
  report.error(kPattern, m);
}

}  // namespace

bool check_choices(const Row& row, Report& report) {
  const Span cell = row.cells[kChoices];
  const int count = count_fields(cell, ",");
  if (count == 0) {
    report.error(kChoices,
                 Message() << "there are no choices: list the captions of the boxes, separated by ','");
    return false;
  }
  if (count > kChoiceBoxes) {
    report.error(kChoices, Message() << count << " choices, but the window has boxes for " << kChoiceBoxes
                                     << ": offer fewer");
    return false;
  }
  if (count > kMaxChoices) {
    report.error(kChoices,
                 Message() << count << " choices, but boxes after the " << kMaxChoices
                           << "th are not cleared when an item is done and would stay on the screen: "
                              "offer at most "
                           << kMaxChoices);
  }
  Span choices[kChoiceBoxes];
  Fields fields(cell, ",");
  for (int i = 0; fields.next(choices[i]); ++i) {
    const Span choice = choices[i];
    if (choice.empty()) {
      report.error(kChoices, Message() << "choice " << i + 1 << " is empty: remove the extra ','");
      continue;
    }
    if (has_blank_ends(choice)) {
      report.error(kChoices, Message() << "choice " << i + 1 << " '" << choice
                                       << "' begins or ends with a space: remove it");
    }
    if (report.kind() != RowKind::kCompareBoard && is_command(choice)) {
      report.error(kChoices, Message() << "choice " << i + 1 << " '" << choice
                                       << "' is also a command caption, so a click on it runs the command "
                                          "instead of answering: rephrase the item without this word");
    }
    for (int j = 0; j < i; ++j) {
      if (equal_ignoring_case(choices[j], choice)) {
        report.error(kChoices, Message()
                                   << "choice " << i + 1 << " '" << choice << "' repeats choice " << j + 1
                                   << " (clicks are compared ignoring case): offer each word once");
        break;
      }
    }
  }
  return true;
}

void check_answers(const Row& row, Report& report) {
  Fields answers(row.cells[kAnswers], ",");
  int i = 0;
  for (Span answer; answers.next(answer);) {
    ++i;
    if (answer.empty()) {
      report.error(kAnswers, Message() << "answer " << i
                                       << " is empty: every gap needs the caption of the box that fills it");
      continue;
    }
    bool exact = false, near = false;
    Span near_choice;
    Fields choices(row.cells[kChoices], ",");
    for (Span choice; choices.next(choice);) {
      if (equal(choice, answer)) exact = true;
      if (equal_ignoring_case(choice, answer)) {
        near = true;
        near_choice = choice;
      }
    }
    if (exact) continue;
    if (near) {
      report.error(kAnswers, Message() << "answer " << i << " '" << answer << "' differs from the choice '"
                                       << near_choice << "' in case only: write it exactly as the choice");
    } else {
      report.error(kAnswers, Message() << "answer " << i << " '" << answer << "' is not one of the choices '"
                                       << row.cells[kChoices]
                                       << "', so the item could never be finished: correct the answer or add "
                                          "the choice");
    }
  }
}

PatternFacts check_pattern(const Row& row, Report& report) {
  PatternFacts facts;
  const Span pattern = row.cells[kPattern];
  Span text = pattern;
  if (!text.empty() && text.front() == '@') text = text.sub(1);
  Message error;
  if (syntax_error(text, error)) {
    report.error(kPattern, error);
    return facts;
  }
  Fields lines(pattern, "/");
  for (Span line; lines.next(line);) {
    ++facts.line_count;
    if (!line.empty() && !equal(line, "@")) facts.last_text_line = facts.line_count;
  }
  check_line_count(facts.line_count, report.kind(), report);
  facts.gaps = count_of(text, '_');
  facts.parsed = true;
  return facts;
}

void check_gaps(const Row& row, const PatternFacts& pattern, Report& report) {
  int answers = count_fields(row.cells[kAnswers], ",");
  if (!pattern.parsed || pattern.gaps == answers) return;
  report.error(kAnswers, Message() << answers << " answer(s) for " << pattern.gaps
                                   << " gap(s): give one answer per '_', in order");
}

void check_word_count(const Row& row, Report& report) {
  int words = count_fields(row.cells[kAnswers], ",");
  Message count;
  count << words;
  if (equal(row.cells[kExplanation], count.text())) return;
  report.error(kExplanation, Message() << "holds '" << row.cells[kExplanation] << "', but the proverb has "
                                       << words << " words: write " << words);
}

void check_row_alone(const Row& row, Report& report) {
  if (report.kind() == RowKind::kUnknown) return;
  bool choices_usable = check_choices(row, report);
  check_answers(row, report);
  PatternFacts pattern = check_pattern(row, report);
  check_gaps(row, pattern, report);
  if (choices_usable) check_layout(row, pattern, report);
  if (report.kind() == RowKind::kProverb) check_word_count(row, report);
}

}  // namespace loquat::rules

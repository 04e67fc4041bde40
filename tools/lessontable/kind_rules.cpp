// Articles offer the six article boxes; a proverb offers its own distinct words, shuffled; a listening
// test offers a pair and "play"; a compare board offers words that have recordings.
#include "lessontable/kind_rules.h"

#include <set>

#include "lessontable/engine_text.h"
#include "lessontable/explanation_fit.h"
#include "lessontable/recordings.h"

namespace lessontable {
namespace {

constexpr int kShownExplanation = 5;  // the "?" box is offered for explanations longer than this

void check_article(const loquat::rules::PatternFacts& sentence, RowReport& report) {
  if (report.cell(kChoices) != kArticleChoices) {
    report.error(kChoices, std::string("article rows offer exactly '") + kArticleChoices + "'");
  }
  if (sentence.parsed && sentence.gaps == 0) {
    report.error(kPattern, "the sentence has no gap '_' to fill: mark the place of the article with '_'");
  }
  if (report.cell(kExplanation).size() <= kShownExplanation) {
    report.error(kExplanation,
                 "the explanation is missing or too short to be offered (the '?' box appears for "
                 "more than 5 characters): say briefly why the answer is right");
  }
}

std::vector<std::string> distinct_in_order(const std::vector<std::string>& words) {
  std::vector<std::string> distinct;
  for (const std::string& word : words) {
    bool seen = false;
    for (const std::string& known : distinct) seen = seen || known == word;
    if (!seen) distinct.push_back(word);
  }
  return distinct;
}

void check_proverb(const std::vector<std::string>& answers, const std::vector<std::string>& choices,
                   const loquat::rules::PatternFacts& sentence, RowReport& report) {
  if (sentence.parsed && sentence.gaps == 0) {
    report.error(kPattern, "the proverb has no gaps: write '_' for each word");
  }
  for (const std::string& answer : answers) {
    if (has_upper_case(answer)) {
      report.error(kAnswers, "'" + answer +
                                 "' has capitals: proverb words are written in lower case (the "
                                 "engine capitalises the first word when it is filled)");
      break;
    }
  }
  loquat::rules::check_word_count(report.cells(), report.shared());
  const std::string& level = report.cell(kExtra);
  if (level.size() != 1 || level[0] < '1' || level[0] > '5') {
    report.error(kExtra, "holds '" + level + "': give the difficulty as one digit from 1 to 5");
  }
  std::vector<std::string> distinct = distinct_in_order(answers);
  std::set<std::string> words(distinct.begin(), distinct.end()), offered(choices.begin(), choices.end());
  for (const std::string& word : distinct) {
    if (!offered.count(word)) {
      report.error(kChoices,
                   "'" + word + "' is a word of the proverb but not a choice: offer each distinct word once");
    }
  }
  for (const std::string& choice : choices) {
    if (!choice.empty() && !words.count(choice)) {
      report.error(kChoices, "'" + choice + "' is a choice but not a word of the proverb: remove it");
    }
  }
  if (distinct.size() >= 3 && choices == distinct) {
    report.error(kChoices,
                 "the choices stand in the order of the proverb, which gives the answer away: shuffle them");
  }
}

void check_listening_test(const std::vector<std::string>& answers, const std::vector<std::string>& choices,
                          RowReport& report) {
  if (choices.size() != 3 || !equal_ignoring_case(choices[2], "play")) {
    report.error(kChoices,
                 "a listening test offers the two words of a pair and then 'play', as in "
                 "'Lice,Rice,play': the test waits for 'play' while it has three choices");
  } else if (int width = loquat::rules::boxes_width(span_of(report.cell(kChoices)), 0, 2);
             width > loquat::rules::kBandWidth) {
    // After "play" the engine lays the pair out again as "2*72", whatever the row's layout says.
    report.error(kChoices, "the pair needs " + std::to_string(width) +
                               " px in one row once 'play' is clicked, "
                               "more than the 416 px band: use shorter words");
  }
  for (size_t i = 0; i + 1 < choices.size() && i < 2; ++i) {
    if (!choices[i].empty() && !has_recording(choices[i])) {
      report.error(kChoices, "'" + choices[i] +
                                 "' has no recording, so the pair cannot be heard: offer a pair of the "
                                 "15 recorded pairs");
    }
  }
  if (answers.size() != 1) {
    report.error(kAnswers, "a listening test has exactly one answer, the word that is spoken");
    return;
  }
  if (choices.size() == 3 && answers[0] == choices[2]) {
    report.error(kAnswers,
                 "the answer is 'play', which is removed before the words are checked: give the "
                 "spoken word");
    return;
  }
  if (!has_recording(answers[0])) {
    report.error(kAnswers, "'" + answers[0] +
                               "' has no recording, so nothing would be played: use a word of "
                               "the 15 recorded pairs");
  }
}

void check_compare_board(const std::vector<std::string>& answers, const std::vector<std::string>& choices,
                         RowReport& report) {
  if (!report.cell(kPattern).empty()) {
    report.error(kPattern, "a compare board shows no sentence: leave the pattern empty");
  }
  if (!answers.empty()) {
    report.error(kAnswers, "a compare board checks no answers: leave the cell empty");
  }
  for (const std::string& choice : choices) {
    if (!choice.empty() && !has_recording(choice)) {
      report.error(kChoices, "'" + choice +
                                 "' has no recording, so its box would play nothing: use a word of "
                                 "the 15 recorded pairs");
    }
  }
}

}  // namespace

void check_kind_rules(const std::vector<std::string>& answers, const std::vector<std::string>& choices,
                      const loquat::rules::PatternFacts& sentence, RowReport& report) {
  switch (report.kind()) {
    case RowKind::kArticle:
      check_article(sentence, report);
      break;
    case RowKind::kProverb:
      check_proverb(answers, choices, sentence, report);
      break;
    case RowKind::kListeningTest:
      check_listening_test(answers, choices, report);
      break;
    case RowKind::kCompareBoard:
      check_compare_board(answers, choices, report);
      break;
    case RowKind::kUnknown:
      break;
  }
  if (report.kind() != RowKind::kProverb) check_explanation_fits(report);
}

}  // namespace lessontable

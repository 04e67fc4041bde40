// A valid exercise table with every set at its size, for tests that break one row and run lessontable.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "lessontable/commands.h"
#include "lessontable/lesson_plan.h"
#include "lessontable/recordings.h"
#include "lessontable/table.h"
#include "qlimage/file_io.h"
#include "tools/temp_dir.h"

namespace lessontable_test {

using Row = std::vector<std::string>;

inline Row valid_row(const std::string& code, int index) {
  std::string n = std::to_string(index);
  switch (lessontable::kind_of_set(code)) {
    case lessontable::RowKind::kArticle:
      return {n,
              code,
              "Item " + n + " is _ test.",
              "a",
              "a,an,*,the,some,any",
              "One test of many.",
              "20 72,50 72,80 72,20 85,50 85,80 85",
              ""};
    case lessontable::RowKind::kProverb:
      return {n, code, "_ _ _.", "alpha,beta,w" + n, "w" + n + ",alpha,beta", "3", "3*78", "1"};
    case lessontable::RowKind::kListeningTest: {
      // Every row of a set asks for another recorded word (row 180 for "Alive", of "Alive,Arrive,play").
      const auto& words = lessontable::recorded_words();
      size_t k = static_cast<size_t>(index + 2) % words.size();
      std::string word(words[k]), other(words[k ^ 1]);
      return {n, code, "L ? R/_", word, word + "," + other + ",play", "", "2*72,1*84", ""};
    }
    default:
      return {n,
              code,
              "",
              "",
              "Glass,Grass,Lice,Rice,Light,Write,Load,Road,Long,Wrong",
              "",
              "35 20,65 20,35 35,65 35,35 50,65 50,35 65,65 65,35 80,65 80",
              ""};
  }
}

// The repository's lesson plan, which lessontable checks tables against unless told otherwise.
inline const lessontable::LessonPlan& repository_plan() {
  static const lessontable::LessonPlan plan = [] {
    std::string error;
    std::optional<qlimage::Bytes> bytes = qlimage::read_file(LESSONTABLE_CONTENT_DIR "/lessons.tsv", error);
    lessontable::Problems problems;
    std::optional<lessontable::LessonPlan> read =
        lessontable::read_lesson_plan(bytes ? std::string(bytes->begin(), bytes->end()) : "", problems);
    return read ? *read : lessontable::LessonPlan{};
  }();
  return plan;
}

// The rows of the plan's sets; row i stands on line i + 2, below a comment line.
inline std::vector<Row> valid_rows() {
  std::vector<Row> rows;
  for (const lessontable::SetEntry& set : repository_plan().sets) {
    for (int i = 0; i < set.rows; ++i) rows.push_back(valid_row(set.code, static_cast<int>(rows.size())));
  }
  return rows;
}

inline std::string line(const Row& row) {
  std::string text;
  for (size_t i = 0; i < row.size(); ++i) text += (i ? "\t" : "") + row[i];
  return text;
}

inline std::string tsv(const std::vector<Row>& rows) {
  std::string text = "# test table\n";
  for (const Row& row : rows) text += line(row) + "\n";
  return text;
}

struct Outcome {
  int code;
  std::string out, err;
};

inline Outcome run(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  int code = lessontable::run_command(args, out, err);
  return {code, out.str(), err.str()};
}

// Writes the table as table.tsv and checks it.
inline Outcome check(const qltest::TempDir& dir, const std::string& text) {
  return run({"check", dir.write("table.tsv", text)});
}

inline std::string where(const qltest::TempDir& dir, int row, int cell, const std::string& name) {
  return dir.file("table.tsv") + ":" + std::to_string(row + 2) + ": row " + std::to_string(row) + ", cell " +
         std::to_string(cell) + " (" + name + "): ";
}

}  // namespace lessontable_test

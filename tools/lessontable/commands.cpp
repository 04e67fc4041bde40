// Argument handling, reading and checking the files, reporting and writing the outputs.
#include "lessontable/commands.h"

#include <map>
#include <optional>
#include <set>

#include "lessontable/initial_value_writer.h"
#include "lessontable/lesson_plan.h"
#include "lessontable/lesson_source_writer.h"
#include "lessontable/set_order.h"
#include "lessontable/table_checker.h"
#include "lessontable/table_reader.h"
#include "lessontable/table_writers.h"
#include "qlimage/file_io.h"

namespace lessontable {
namespace {

constexpr size_t kMaxReported = 50;

const std::string kContent = LESSONTABLE_CONTENT_DIR;
const std::string kRepositoryTable = kContent + "/exercises.tsv";
const std::string kRepositoryLessons = kContent + "/lessons.tsv";

const std::string kUsage =
    "usage: lessontable check FILE [--lessons LESSONS]\n"
    "       lessontable build TABLE -o OUT [--source LESSONS.cpp] [--lessons LESSONS]\n"
    "       lessontable import FILE [-o TABLE] [--lessons LESSONS]\n"
    "       lessontable export [TABLE] [-o FILE] [--sets CODES] [--lessons LESSONS]\n"
    "\n"
    "Checks the exercise table of the lessons application, converts it into the text that the lesson\n"
    "window's list box receives as its InitialValue, and exchanges it with the files of the program's "
    "editor.\n"
    "A table is the repository's (UTF-8, LF line ends, 8 cells separated by TABs) or an exchange file as "
    "the\n"
    "editor's SAVE AS FILE writes it (Windows-1252, a TAB after each of the 8 cells, a CR after each row).\n"
    "\n"
    "  check   reports every row that cannot be answered, breaks the format or would not fit the screen; an\n"
    "          exchange file may hold only some sets: each of them whole, in order, with its rows' numbers\n"
    "  build   checks, then writes OUT: Windows-1252 bytes, a CR for the empty heading line, then one line\n"
    "          per row of 8 cells each followed by a TAB, lines separated by CR; --source also writes the\n"
    "          lessons as C++ for the image\n"
    "  import  checks an exchange file and writes its rows into TABLE (the repository's, unless -o);\n"
    "          a file of some sets replaces those sets and keeps the others\n"
    "  export  checks TABLE (the repository's unless given) and writes it as an exchange file to FILE (or\n"
    "          the standard output); --sets a02,p writes only the sets these codes or prefixes begin\n"
    "\n"
    "LESSONS is the table of the lessons the menus open (the repository's " +
    kRepositoryLessons + " unless given).\n";

struct Arguments {
  std::string command, input, output, source, sets;
  std::string lessons = kRepositoryLessons;
};

bool parse(const std::vector<std::string>& args, Arguments& parsed, std::string& error) {
  if (args.empty()) {
    error = "no command given";
    return false;
  }
  parsed.command = args[0];
  static const std::map<std::string, std::set<std::string>> kOptions = {
      {"check", {"--lessons"}},
      {"build", {"-o", "--source", "--lessons"}},
      {"import", {"-o", "--lessons"}},
      {"export", {"-o", "--sets", "--lessons"}}};
  auto options = kOptions.find(parsed.command);
  if (options == kOptions.end()) {
    error = "unknown command '" + parsed.command + "'";
    return false;
  }
  std::map<std::string, std::string*> targets = {{"-o", &parsed.output},
                                                 {"--source", &parsed.source},
                                                 {"--sets", &parsed.sets},
                                                 {"--lessons", &parsed.lessons}};
  for (size_t i = 1; i < args.size(); ++i) {
    if (options->second.count(args[i])) {
      if (i + 1 == args.size()) {
        error = args[i] + " needs a value";
        return false;
      }
      *targets[args[i]] = args[i + 1];
      ++i;
    } else if (!args[i].empty() && args[i][0] == '-') {
      error = "unknown option '" + args[i] + "'";
      return false;
    } else if (parsed.input.empty()) {
      parsed.input = args[i];
    } else {
      error = "more than one table given ('" + parsed.input + "' and '" + args[i] + "')";
      return false;
    }
  }
  if (parsed.command == "export" && parsed.input.empty()) parsed.input = kRepositoryTable;
  if (parsed.command == "import" && parsed.output.empty()) parsed.output = kRepositoryTable;
  if (parsed.input.empty()) error = "no table file given";
  if (parsed.command == "build" && parsed.output.empty() && error.empty()) error = "build needs -o OUT";
  return error.empty();
}

std::string summary(const Table& table, const LessonPlan& plan) {
  std::map<RowKind, int> counts;
  std::vector<std::string> sets;
  for (const TableRow& row : table.rows) {
    ++counts[kind_of_set(row.cells[kSet])];
    if (sets.empty() || sets.back() != row.cells[kSet]) sets.push_back(row.cells[kSet]);
  }
  std::string text = std::to_string(table.rows.size()) + " rows (" +
                     std::to_string(counts[RowKind::kArticle]) + " articles, " +
                     std::to_string(counts[RowKind::kListeningTest]) + " listening tests, " +
                     std::to_string(counts[RowKind::kCompareBoard]) + " compare boards, " +
                     std::to_string(counts[RowKind::kProverb]) + " proverbs)";
  if (is_partial(table, plan)) {
    std::string list;
    for (const std::string& set : sets) list += (list.empty() ? "" : ", ") + set;
    text += ", " + std::to_string(sets.size()) + " of the " + std::to_string(plan.sets.size()) + " sets (" +
            list + ")";
  }
  return text;
}

// Prints the problems, at most kMaxReported of them; true when there were none.
bool report(const std::string& file, const Problems& problems, const std::string& consequence,
            std::ostream& err) {
  if (problems.empty()) return true;
  for (size_t i = 0; i < problems.size() && i < kMaxReported; ++i)
    err << format_problem(file, problems[i]) << "\n";
  if (problems.size() > kMaxReported) err << "... and " << problems.size() - kMaxReported << " more\n";
  err << file << ": " << problems.size() << " problem(s); " << consequence << "\n";
  return false;
}

std::optional<std::string> read_text(const std::string& path, std::ostream& err) {
  std::string error;
  std::optional<qlimage::Bytes> bytes = qlimage::read_file(path, error);
  if (!bytes) {
    err << "lessontable: error: " << error << "\n";
    return std::nullopt;
  }
  return std::string(bytes->begin(), bytes->end());
}

bool write_text(const std::string& path, const std::string& text, std::ostream& err) {
  std::string error;
  if (qlimage::write_file(path, qlimage::Bytes(text.begin(), text.end()), error)) return true;
  err << "lessontable: error: " << error << "\n";
  return false;
}

std::optional<LessonPlan> load_plan(const std::string& path, std::ostream& err) {
  std::optional<std::string> text = read_text(path, err);
  if (!text) return std::nullopt;
  Problems problems;
  std::optional<LessonPlan> plan = read_lesson_plan(*text, problems);
  report(path, problems, "no table can be checked against it", err);
  return plan;
}

// The table of a file, checked; nullopt once its problems are reported.
std::optional<Table> load_table(const std::string& path, const LessonPlan& plan,
                                const std::string& consequence, std::ostream& err) {
  std::optional<std::string> text = read_text(path, err);
  if (!text) return std::nullopt;
  Problems problems;
  Table table = read_table(*text, problems);
  check_table(table, plan, problems);
  if (!report(path, problems, consequence, err)) return std::nullopt;
  return table;
}

// The repository's rows with the sets of `part` replaced by its rows.
Table merged(const Table& whole, const Table& part, const LessonPlan& plan) {
  std::set<std::string> replaced;
  for (const TableRow& row : part.rows) replaced.insert(row.cells[kSet]);
  Table result;
  for (const SetEntry& set : plan.sets) {
    const Table& from = replaced.count(set.code) ? part : whole;
    for (const TableRow& row : from.rows) {
      if (row.cells[kSet] == set.code) result.rows.push_back(row);
    }
  }
  return result;
}

int import_file(const Arguments& arguments, const LessonPlan& plan, std::ostream& out, std::ostream& err) {
  std::optional<Table> part = load_table(arguments.input, plan, "nothing imported", err);
  if (!part) return 1;
  Table table = *part;
  if (is_partial(*part, plan)) {
    std::optional<Table> whole = load_table(arguments.output, plan, "nothing imported", err);
    if (!whole) return 1;
    table = merged(*whole, *part, plan);
    // Repeats across the sets of the file and the others show only now.
    Problems problems;
    check_table(table, plan, problems);
    if (!report(arguments.output, problems, "nothing imported", err)) return 1;
  }
  table.format = TableFormat::kRepository;
  if (!write_text(arguments.output, repository_text(table), err)) return 1;
  out << arguments.output << ": " << table.rows.size() << " rows written, " << part->rows.size()
      << " of them from " << arguments.input << "\n";
  return 0;
}

int export_table(const Arguments& arguments, const LessonPlan& plan, std::ostream& out, std::ostream& err) {
  std::optional<Table> table = load_table(arguments.input, plan, "nothing exported", err);
  if (!table) return 1;
  if (!arguments.sets.empty()) {
    Table chosen;
    size_t start = 0;
    for (size_t comma; start <= arguments.sets.size(); start = comma + 1) {
      comma = arguments.sets.find(',', start);
      if (comma == std::string::npos) comma = arguments.sets.size();
      std::string prefix = arguments.sets.substr(start, comma - start);
      size_t before = chosen.rows.size();
      for (const TableRow& row : table->rows) {
        if (!prefix.empty() && row.cells[kSet].compare(0, prefix.size(), prefix) == 0)
          chosen.rows.push_back(row);
      }
      if (chosen.rows.size() == before) {
        err << "lessontable: error: no set of " << arguments.input << " begins with '" << prefix << "'\n";
        return 1;
      }
    }
    table->rows = std::move(chosen.rows);
  }
  std::string text = exchange_text(*table);
  if (arguments.output.empty()) {
    out << text;
    return 0;
  }
  return write_text(arguments.output, text, err) ? 0 : 1;
}

}  // namespace

int run_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
    out << kUsage;
    return 0;
  }
  Arguments arguments;
  std::string error;
  if (!parse(args, arguments, error)) {
    err << "lessontable: error: " << error << "\n" << kUsage;
    return 1;
  }
  std::optional<LessonPlan> plan = load_plan(arguments.lessons, err);
  if (!plan) return 1;
  if (arguments.command == "import") return import_file(arguments, *plan, out, err);
  if (arguments.command == "export") return export_table(arguments, *plan, out, err);
  const bool build = arguments.command == "build";
  std::optional<Table> table =
      load_table(arguments.input, *plan, build ? "nothing written" : "the table cannot be used", err);
  if (!table) return 1;
  if (!build) {
    out << arguments.input << ": " << summary(*table, *plan) << ": no problems\n";
    return 0;
  }
  if (is_partial(*table, *plan)) {
    err << arguments.input << ": holds only some of the sets; the image needs the whole table\n";
    return 1;
  }
  if (!arguments.source.empty() &&
      !write_text(arguments.source, lesson_source(*plan, "app/content/lessons.tsv"), err))
    return 1;
  return write_text(arguments.output, initial_value(*table), err) ? 0 : 1;
}

}  // namespace lessontable

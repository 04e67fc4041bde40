// Argument handling, reading the file, reporting and writing the output.
#include "lessontable/commands.h"

#include <map>

#include "lessontable/initial_value_writer.h"
#include "lessontable/set_plan.h"
#include "lessontable/table_checker.h"
#include "lessontable/table_reader.h"
#include "qlimage/file_io.h"

namespace lessontable {
namespace {

constexpr size_t kMaxReported = 50;

constexpr const char* kUsage =
    "usage: lessontable check FILE.tsv\n"
    "       lessontable build FILE.tsv -o OUT\n"
    "\n"
    "Checks the exercise table of the lessons application, and converts it into the text that the lesson\n"
    "window's list box receives as its InitialValue.\n"
    "\n"
    "  check  reports every row that cannot be answered, breaks the format or would not fit the screen\n"
    "  build  checks, then writes OUT: Windows-1252 bytes, a CR for the empty heading line, then one line\n"
    "         per row of 8 cells each followed by a TAB, lines separated by CR\n";

struct Arguments {
  std::string command, input, output;
};

bool parse(const std::vector<std::string>& args, Arguments& parsed, std::string& error) {
  if (args.empty()) {
    error = "no command given";
    return false;
  }
  parsed.command = args[0];
  if (parsed.command != "check" && parsed.command != "build") {
    error = "unknown command '" + parsed.command + "'";
    return false;
  }
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "-o" && parsed.command == "build") {
      if (i + 1 == args.size()) {
        error = "-o needs the output file";
        return false;
      }
      parsed.output = args[++i];
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
  if (parsed.input.empty()) error = "no table file given";
  if (parsed.command == "build" && parsed.output.empty() && error.empty()) error = "build needs -o OUT";
  return error.empty();
}

std::string summary(const Table& table) {
  std::map<RowKind, int> counts;
  for (const TableRow& row : table.rows) ++counts[kind_of_set(row.cells[kSet])];
  return std::to_string(table.rows.size()) + " rows (" + std::to_string(counts[RowKind::kArticle]) +
         " articles, " + std::to_string(counts[RowKind::kListeningTest]) + " listening tests, " +
         std::to_string(counts[RowKind::kCompareBoard]) + " compare boards, " +
         std::to_string(counts[RowKind::kProverb]) + " proverbs)";
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
  std::optional<qlimage::Bytes> bytes = qlimage::read_file(arguments.input, error);
  if (!bytes) {
    err << "lessontable: error: " << error << "\n";
    return 1;
  }
  Problems problems;
  Table table =
      read_table(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), problems);
  check_table(table, shipped_sets(), problems);
  if (!problems.empty()) {
    for (size_t i = 0; i < problems.size() && i < kMaxReported; ++i) {
      err << format_problem(arguments.input, problems[i]) << "\n";
    }
    if (problems.size() > kMaxReported) err << "... and " << problems.size() - kMaxReported << " more\n";
    err << arguments.input << ": " << problems.size() << " problem(s); "
        << (arguments.command == "build" ? "nothing written" : "the table cannot be used") << "\n";
    return 1;
  }
  if (arguments.command == "check") {
    out << arguments.input << ": " << summary(table) << ": no problems\n";
    return 0;
  }
  std::string text = initial_value(table);
  if (!qlimage::write_file(arguments.output, qlimage::Bytes(text.begin(), text.end()), error)) {
    err << "lessontable: error: " << error << "\n";
    return 1;
  }
  return 0;
}

}  // namespace lessontable

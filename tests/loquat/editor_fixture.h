// The fixtures of the editor's tests: Loquat run from a copy in the test's own folder, where the editor
// reads and writes its files, with the table read back through "LB to DB3"; and Loquat started for
// authors.
#pragma once

#include <algorithm>
#include <atomic>
#include <thread>

#include "loquat_fixture.h"

namespace ql::loquat_tests {

// The file's 8-bit text as the window texts read back: UTF-8.
inline std::string from_ansi(const std::string& bytes) {
  int wide_length = MultiByteToWideChar(1252, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(wide_length), L'\0');
  MultiByteToWideChar(1252, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), wide_length);
  int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, text.data(), length, nullptr, nullptr);
  return text;
}

// Loquat run from a copy in the test's folder: the editor reads and writes files in the program's folder.
class LoquatEditor : public Loquat {
 protected:
  std::string program_path() const override {
    const std::string copy = folder_ + "loquat.exe";
    CopyFileA((harness::program_folder() + "loquat.exe").c_str(), copy.c_str(), FALSE);
    return copy;
  }
  std::vector<harness::DialogAnswer> dialog_answers() const override {
    return {harness::type_path(saved_path()), harness::cancel_dialog()};
  }
  std::string saved_path() const { return folder_ + "clozeDBdata"; }

  // The whole table as "LB to DB3" writes it into Fdb3: cells and TABs, a CR after each row (the field
  // hands its line ends back as CR LF).
  std::string table_text() {
    click(control(kLBtoDB6));
    settle(main_, 15000);  // 441 rows into a RichEdit field take a while on a busy machine
    std::string text = fdb(3), rows;
    for (size_t i = 0; i < text.size(); ++i)
      if (!(text[i] == '\n' && i > 0 && text[i - 1] == '\r')) rows += text[i];
    return rows;
  }
  std::string saved_text() const { return from_ansi(harness::read_file(saved_path())); }
  size_t rows_of(const std::string& text) const {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\r'));
  }
  // The cells of every row of a table text.
  std::vector<std::vector<std::string>> cells_of(const std::string& text) const {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : split(text, '\r'))
      if (!line.empty()) rows.push_back(split(line, '\t'));
    return rows;
  }

  void SetUp() override {
    Loquat::SetUp();
    if (!HasFatalFailure()) enlarge_window();
  }
  // A test that changed the table is asked, when the program is closed, whether to save it: while the
  // fixture ends the program, "Don't Save" answers, so that it ends as it would for the author.
  void TearDown() override {
    std::atomic<bool> ended = false;
    std::thread answer([&] {
      while (!ended) {
        if (HWND question = program_ ? find_window(*program_, {.text = "Unsaved changes"}) : nullptr) {
          press_button(question, "Don't Save");
          return;
        }
        Sleep(50);
      }
    });
    Loquat::TearDown();
    ended = true;
    answer.join();
  }
};

// Loquat started for authors: `loquat.exe --author` shows the editor at once.
class LoquatAuthor : public LoquatEditor {
 protected:
  std::string program_arguments() const override { return "--author"; }
  void SetUp() override { Loquat::SetUp(); }
};

}  // namespace ql::loquat_tests

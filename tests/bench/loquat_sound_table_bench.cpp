// Loquat's figures for sound and for the exercise table, measured from outside: a click on a compare-board
// word until the word's first frame arrives in the file Wine's sound is sent to (the first play, which
// makes the DirectSound object and the word's buffer, and later plays), and saving the 441-row table to a
// file and getting it back. Medians of several runs, in milliseconds.
#include <windows.h>

#include <stdio.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "audio_capture.h"
#include "bench/driven_timing.h"
#include "driver.h"
#include "program_runner.h"

using namespace ql::driver;
using ql::bench::median;
using ql::bench::now_ms;

namespace {

constexpr int kRuns = 7;

// Watches the capture file from its present end (or from its start, when the program is yet to open it) and
// notes when the first loud frame arrives.
class FirstFrameWatch {
 public:
  explicit FirstFrameWatch(bool from_start) {
    if (!from_start) offset_ = size_now() / 4 * 4;
    thread_ = std::thread([this] { watch(); });
  }
  ~FirstFrameWatch() {
    stop_ = true;
    thread_.join();
  }
  // The time the frame arrived, or -1 when none came within the timeout.
  double wait(int timeout_ms) {
    for (double begin = now_ms(); arrived_ < 0 && now_ms() - begin < timeout_ms;) Sleep(1);
    return arrived_;
  }

 private:
  static int64_t size_now() {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(ql::harness::audio_capture_path().c_str(), GetFileExInfoStandard, &data))
      return 0;
    return data.nFileSizeLow;
  }
  void watch() {
    std::vector<char> bytes(1 << 16);
    while (!stop_ && arrived_ < 0) {
      HANDLE file = CreateFileA(ql::harness::audio_capture_path().c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
      if (file != INVALID_HANDLE_VALUE) {
        LARGE_INTEGER at;
        at.QuadPart = offset_;
        SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
        DWORD got = 0;
        while (arrived_ < 0 &&
               ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) && got >= 4) {
          got = got / 4 * 4;
          for (DWORD i = 0; i < got; i += 4) {
            int16_t left;
            memcpy(&left, bytes.data() + i, 2);
            if (left > 300 || left < -300) arrived_ = now_ms();
          }
          offset_ += got;
          SetFilePointerEx(file, LARGE_INTEGER{{static_cast<DWORD>(offset_), 0}}, nullptr, FILE_BEGIN);
        }
        CloseHandle(file);
      }
      Sleep(1);
    }
  }
  int64_t offset_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<double> arrived_{-1};
  std::thread thread_;
};

void sound_figures(const std::string& folder) {
  if (ql::harness::audio_capture_path().empty()) {
    printf("compare-board click to first audio frame: not measured (QL_AUDIO_FILE is not set)\n");
    return;
  }
  std::vector<double> first, later;
  for (int run = 0; run < kRuns; ++run) {
    DeleteFileA(ql::harness::audio_capture_path().c_str());
    Program running("\"" + ql::harness::program_folder() + "release\\loquat.exe\"", folder);
    HWND window = wait_for_window(running, {.text = "Loquat"}, 20000);
    if (!window || !settle(window, 10000) || !choose_menu_item(window, {"Sounds", "L/R 1 - Compare"})) return;
    settle(window);
    HWND word = child_windows(window, true)[3];  // box 1
    for (int play = 0; play < (run == 0 ? 4 : 1); ++play) {
      FirstFrameWatch watch(play == 0);
      const double begin = now_ms();
      click(word);
      const double arrived = watch.wait(3000);
      if (arrived > 0) (play == 0 ? first : later).push_back(arrived - begin);
      Sleep(800);  // the word plays out
    }
    running.end();
  }
  printf("compare-board click to first audio frame: first play %.1f ms (%zu runs), later plays %.1f ms\n",
         median(first), first.size(), median(later));
}

void table_figures(const std::string& folder) {
  const std::string program = folder + "loquat.exe";
  CopyFileA((ql::harness::program_folder() + "release\\loquat.exe").c_str(), program.c_str(), FALSE);
  const std::string file = folder + "clozeDBdata";
  std::vector<ql::harness::DialogAnswer> answers;
  for (int run = 0; run < kRuns; ++run) {
    answers.push_back(ql::harness::cancel_dialog());
    answers.push_back(ql::harness::type_path(file));
  }
  Program running("\"" + program + "\"", folder, answers);
  HWND window = wait_for_window(running, {.text = "Loquat"}, 20000);
  if (!window || !settle(window, 10000)) return;
  SetWindowPos(window, nullptr, 0, 0, 840, 680, SWP_NOMOVE | SWP_NOZORDER);
  settle(window);
  // The editor's controls are made as the window grows to show them; each carries its place in the
  // window's creation order, from 1, as its ID.
  auto control = [&](int index) { return wait_for_child(window, {.control_id = index + 1}); };
  HWND get = control(49), save_button = control(50), delete_all = control(53);
  if (!get || !save_button || !delete_all) return;
  // A click on "SAVE AS FILE": the dialog until it is answered, then the writing until the program is idle.
  std::vector<double> dialog, writing, getting;
  auto save = [&] {
    double begin = now_ms();
    click(save_button);
    for (int waited = 0; waited < 20000 && !IsWindowEnabled(window); waited += 1) Sleep(1);
    dialog.push_back(now_ms() - begin);
    begin = now_ms();
    settle(window, 10000);
    return now_ms() - begin;
  };
  for (int run = 0; run < kRuns; ++run) {
    save();  // cancelled
    writing.push_back(save());
    click(delete_all);
    const double begin = now_ms();
    click(get);
    settle(window, 10000);
    getting.push_back(now_ms() - begin);
  }
  printf(
      "save the 441-row table: %.1f ms once its dialog is answered (the dialog itself %.1f ms); "
      "get it back: %.1f ms\n",
      median(writing), median(dialog), median(getting));
  running.end();
}

}  // namespace

int main() {
  const std::string folder = ql::harness::make_temp_folder("loquat-sound-table-bench");
  sound_figures(folder);
  table_figures(folder);
  return 0;
}

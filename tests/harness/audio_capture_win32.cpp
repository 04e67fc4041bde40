// Reading back the capture file Wine's sound is sent to, and matching what it holds against recordings.
#include "audio_capture.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "program_runner.h"

namespace ql::harness {

namespace {

constexpr size_t kFrameBytes = 4;

size_t file_size(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return static_cast<size_t>(data.nFileSizeLow);
}

// The recording at the capture rate, by linear interpolation, centred on 0.
std::vector<double> resampled(const std::string& recording) {
  std::vector<double> out;
  if (recording.empty()) return out;
  out.reserve(recording.size() * 2);
  for (size_t i = 0; i < recording.size(); ++i) {
    double here = static_cast<uint8_t>(recording[i]) - 128.0;
    double next = i + 1 < recording.size() ? static_cast<uint8_t>(recording[i + 1]) - 128.0 : here;
    out.push_back(here);
    out.push_back((here + next) / 2);
  }
  return out;
}

}  // namespace

std::string audio_capture_path() {
  const char* unix_path = std::getenv("QL_AUDIO_FILE");
  if (!unix_path) return {};
  return windows_path_of_unix(unix_path);
}

AudioCapture::AudioCapture() : start_(file_size(audio_capture_path()) / kFrameBytes * kFrameBytes) {}

std::vector<int16_t> AudioCapture::heard() const {
  std::string bytes = read_file(audio_capture_path());
  std::vector<int16_t> left;
  for (size_t at = start_; at + kFrameBytes <= bytes.size(); at += kFrameBytes) {
    int16_t sample;
    std::memcpy(&sample, bytes.data() + at, sizeof sample);
    left.push_back(sample);
  }
  return left;
}

std::vector<int16_t> AudioCapture::heard_through(size_t sounds, size_t quiet, int timeout_ms) const {
  const DWORD end = GetTickCount() + static_cast<DWORD>(timeout_ms);
  for (;;) {
    std::vector<int16_t> left = heard();
    std::vector<Stretch> stretches = sounding_stretches(left);
    if (stretches.size() >= sounds && left.size() >= (stretches.empty() ? 0 : stretches.back().end) + quiet)
      return left;
    if (static_cast<int32_t>(end - GetTickCount()) <= 0) return left;
    Sleep(20);
  }
}

std::vector<Stretch> sounding_stretches(const std::vector<int16_t>& heard, int threshold, size_t gap) {
  std::vector<Stretch> stretches;
  for (size_t i = 0; i < heard.size(); ++i) {
    if (std::abs(heard[i]) <= threshold) continue;
    if (!stretches.empty() && i - stretches.back().end < gap)
      stretches.back().end = i + 1;
    else
      stretches.push_back({i, i + 1});
  }
  return stretches;
}

double likeness(const std::vector<int16_t>& heard, const Stretch& stretch, const std::string& recording) {
  std::vector<double> wanted = resampled(recording);
  // A stretch longer than the whole recording, or far shorter than its sounding part, is not it.
  size_t first = 0, last = 0;
  for (size_t i = 0; i < wanted.size(); ++i) {
    if (std::abs(wanted[i]) * 256 <= 300) continue;
    if (!last) first = i;
    last = i + 1;
  }
  const double frames = static_cast<double>(stretch.frames()), span = static_cast<double>(last - first);
  if (!last || frames < span * 0.8 - 200 || frames > wanted.size() * 1.05 + 100) return 0;
  // Recording sample i is heard at stretch.begin + i - lag; every `step`th sample is compared.
  auto correlation = [&](long lag, size_t step) {
    double both = 0, mine = 0, theirs = 0;
    for (size_t i = 0; i < wanted.size(); i += step) {
      long at = static_cast<long>(stretch.begin + i) - lag;
      double h = at >= 0 && at < static_cast<long>(heard.size()) ? heard[at] : 0.0;
      both += h * wanted[i];
      mine += h * h;
      theirs += wanted[i] * wanted[i];
    }
    return mine > 0 && theirs > 0 ? both / std::sqrt(mine * theirs) : 0.0;
  };
  // A coarse search over where the recording starts, then the best lag near it.
  long coarse = 0;
  double best = -1;
  for (long lag = -800; lag <= 800; lag += 4) {
    double c = correlation(lag, 4);
    if (c > best) best = c, coarse = lag;
  }
  best = 0;
  for (long lag = coarse - 4; lag <= coarse + 4; ++lag) best = std::max(best, correlation(lag, 1));
  return best;
}

}  // namespace ql::harness

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
  std::string path = std::string("Z:") + unix_path;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
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
  // The recording's own start, as the stretch's was found: its first sample past the same quiet level.
  size_t onset = 0;
  while (onset < wanted.size() && std::abs(wanted[onset] * 256) <= 300) ++onset;
  double best = 0;
  for (long shift = -40; shift <= 40; ++shift) {
    double both = 0, mine = 0, theirs = 0;
    for (size_t i = onset; i < wanted.size(); ++i) {
      long at = static_cast<long>(stretch.begin) + shift + static_cast<long>(i - onset);
      double h = at >= 0 && at < static_cast<long>(heard.size()) ? heard[at] : 0.0;
      both += h * wanted[i];
      mine += h * h;
      theirs += wanted[i] * wanted[i];
    }
    if (mine > 0 && theirs > 0) best = std::max(best, both / std::sqrt(mine * theirs));
  }
  return best;
}

}  // namespace ql::harness

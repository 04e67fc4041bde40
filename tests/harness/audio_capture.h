// What a program under test made heard: the raw file Wine's sound is sent to (16-bit stereo at 44100 frames
// a second, see ql_audio_to_file), read back from a mark, cut into sounding stretches and matched against
// stored recordings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ql::harness {

inline constexpr int kCaptureRate = 44100;

// The capture file as a Windows path, or empty when the test was not started with one (run it through ctest).
std::string audio_capture_path();

// The left channel of what arrives in the capture file from the moment the mark is made.
class AudioCapture {
 public:
  AudioCapture();
  std::vector<int16_t> heard() const;
  // What is heard once at least `sounds` sounds have been heard and the file holds `quiet` frames after the
  // last (after the mark when none is awaited and none sounds), Wine writing on in silence: a sound played
  // before the call is in it, however late it starts. What there is after timeout_ms otherwise.
  std::vector<int16_t> heard_through(size_t sounds = 0, size_t quiet = kCaptureRate * 2 / 5,
                                     int timeout_ms = 10000) const;

 private:
  size_t start_ = 0;  // bytes already in the file at the mark, rounded to a whole frame
};

struct Stretch {
  size_t begin = 0, end = 0;  // frames
  size_t frames() const { return end - begin; }
};

// Runs of frames louder than `threshold`, split where the sound stays quieter for `gap` frames or more.
std::vector<Stretch> sounding_stretches(const std::vector<int16_t>& heard, int threshold = 300,
                                        size_t gap = 2205);

// How closely a stretch matches a stored recording (8-bit unsigned at 22050 samples a second): the best
// normalised correlation, 0 to 1, over small shifts of their starts.
double likeness(const std::vector<int16_t>& heard, const Stretch& stretch, const std::string& recording);

}  // namespace ql::harness

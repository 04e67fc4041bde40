// The project item records that wrap a stream or a few words: the menu bar (kind 2), the settings (kind 4),
// implicit instances (kind 5) and sounds (kind 6). Each decoder takes the record at its kind word and the
// bytes data1 holds from there; each encoder writes the whole record.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

namespace ql::image {

// Stored sounds are 8-bit unsigned mono samples at this rate; 0x80 is silence.
constexpr uint32_t kSoundSampleRate = 22050;

struct SoundRecord {
  uint32_t length = 0;
  const uint8_t* samples = nullptr;  // in place in data1
};

struct ImplicitInstanceRecord {
  uint32_t class_index = 0;
  uint32_t global = 0;  // address of the global variable that receives the object
};
constexpr uint32_t kImplicitInstanceGlobalWord = 8;  // offset of the global's address in the record

struct StreamRecord {
  const uint8_t* bytes = nullptr;
  uint32_t length = 0;
};

bool decode_sound_record(const uint8_t* record, uint32_t available, SoundRecord& out, std::string& problem);
bool decode_implicit_instance(const uint8_t* record, uint32_t available, ImplicitInstanceRecord& out,
                              std::string& problem);
// The menu bar stream of a kind-2 record.
bool decode_menu_bar_item(const uint8_t* record, uint32_t available, StreamRecord& out, std::string& problem);

std::vector<uint8_t> encode_sound_record(const std::vector<uint8_t>& samples);
std::vector<uint8_t> encode_implicit_instance(uint32_t class_index, uint32_t global);
std::vector<uint8_t> encode_menu_bar_item(const std::vector<uint8_t>& stream);
// A settings record whose chain of text links is empty.
std::vector<uint8_t> encode_settings_item(const std::vector<uint8_t>& stream);

}  // namespace ql::image

// Decoding and encoding the small project item records.
#include "image/item_records.h"

#include "image/image_format.h"
#include "image/project_table.h"

namespace ql::image {

namespace {

void put_word(std::vector<uint8_t>& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

std::vector<uint8_t> length_and_bytes(uint32_t kind, const std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> out;
  put_word(out, kind);
  put_word(out, static_cast<uint32_t>(bytes.size()));
  out.insert(out.end(), bytes.begin(), bytes.end());
  return out;
}

bool length_prefixed(const uint8_t* record, uint32_t available, const char* what, StreamRecord& out,
                     std::string& problem) {
  if (available < 8) {
    problem = std::string("the ") + what + " record is cut short";
    return false;
  }
  out.length = read_word(record + 4);
  if (out.length > available - 8) {
    problem = std::string("the ") + what + "'s " + std::to_string(out.length) +
              " bytes reach past the end of data1";
    return false;
  }
  out.bytes = record + 8;
  return true;
}

}  // namespace

bool decode_sound_record(const uint8_t* record, uint32_t available, SoundRecord& out, std::string& problem) {
  StreamRecord samples;
  if (!length_prefixed(record, available, "sound", samples, problem)) return false;
  out = {samples.length, samples.bytes};
  return true;
}

bool decode_implicit_instance(const uint8_t* record, uint32_t available, ImplicitInstanceRecord& out,
                              std::string& problem) {
  if (available < 12) {
    problem = "the implicit instance record is cut short";
    return false;
  }
  out = {read_word(record + 4), read_word(record + kImplicitInstanceGlobalWord)};
  return true;
}

bool decode_menu_bar_item(const uint8_t* record, uint32_t available, StreamRecord& out,
                          std::string& problem) {
  return length_prefixed(record, available, "menu bar", out, problem);
}

std::vector<uint8_t> encode_sound_record(const std::vector<uint8_t>& samples) {
  return length_and_bytes(kItemSound, samples);
}

std::vector<uint8_t> encode_implicit_instance(uint32_t class_index, uint32_t global) {
  std::vector<uint8_t> out;
  for (uint32_t word : {static_cast<uint32_t>(kItemImplicitInstance), class_index, global})
    put_word(out, word);
  return out;
}

std::vector<uint8_t> encode_menu_bar_item(const std::vector<uint8_t>& stream) {
  return length_and_bytes(kItemMenuBar, stream);
}

std::vector<uint8_t> encode_settings_item(const std::vector<uint8_t>& stream) {
  std::vector<uint8_t> out;
  put_word(out, kItemSettings);
  put_word(out, 0);  // no text links
  put_word(out, static_cast<uint32_t>(stream.size()));
  out.insert(out.end(), stream.begin(), stream.end());
  return out;
}

}  // namespace ql::image

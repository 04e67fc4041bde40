// The project table at the end of data1 and the item records it points to.
#pragma once

#include <stdint.h>

#include <string>

namespace ql::image {

// data1 after relocation: its pointer words hold addresses, which must be checked before use.
struct Data1View {
  const uint8_t* bytes = nullptr;
  uint32_t length = 0;
  uint32_t address = 0;                   // load address, as the image's 32-bit words hold it
  uint32_t pointer_size = sizeof(void*);  // of the target the image was built for: 4 or 8

  // The bytes [pointer, pointer + n) when they lie inside data1, else null.
  const uint8_t* at(uint32_t pointer, uint32_t n) const;
};

uint32_t read_word(const uint8_t* p);

struct ProjectTable {
  uint32_t class_count = 0;
  const uint8_t* class_words = nullptr;  // class_count relocated pointers to class descriptors
  uint32_t item_count = 0;
  const uint8_t* item_words = nullptr;  // item_count relocated pointers to item records, 0 for none
};

// Finds the table through data1's second word and checks that the table, every item record and every stream
// an item carries lie inside data1. error names the first problem.
bool read_project_table(const Data1View& data1, ProjectTable& out, std::string& error);

// An item record's settings stream (kind 4) once read_project_table has accepted the record.
struct SettingsStream {
  const uint8_t* bytes;
  uint32_t length;
};
SettingsStream settings_stream(const uint8_t* record);

}  // namespace ql::image

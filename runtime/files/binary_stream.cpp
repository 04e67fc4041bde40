// BinaryStream: typed values, most significant byte first unless LittleEndian is set.
#include <string.h>

#include <algorithm>
#include <string>

#include "files/folder_item.h"
#include "files/stream_objects.h"
#include "quillet/files.h"
#include "values/string.h"

using ql::BinaryStreamObject;

namespace {

BinaryStreamObject* open_stream(QlObject* object) {
  BinaryStreamObject* stream = ql::as_binary_stream(object);
  return stream && stream->file ? stream : nullptr;
}

// The value's bytes in file order: reversed from the machine's little-endian order unless the stream is
// little-endian too.
template <typename T>
void to_file_order(const BinaryStreamObject* stream, uint8_t (&bytes)[sizeof(T)]) {
  if (!stream->little_endian) std::reverse(bytes, bytes + sizeof(T));
}

// A value of type T read from the stream; 0 unless all its bytes were read.
template <typename T>
T read_value(QlObject* object) {
  BinaryStreamObject* stream = open_stream(object);
  uint8_t bytes[sizeof(T)];
  if (!stream || stream->file->read(bytes, sizeof(T)) != static_cast<int32_t>(sizeof(T))) return T{};
  to_file_order<T>(stream, bytes);
  T value;
  memcpy(&value, bytes, sizeof(T));
  return value;
}

template <typename T>
void write_value(QlObject* object, T value) {
  BinaryStreamObject* stream = open_stream(object);
  if (!stream) return;
  uint8_t bytes[sizeof(T)];
  memcpy(bytes, &value, sizeof(T));
  to_file_order<T>(stream, bytes);
  stream->file->write(bytes, sizeof(T));
}

// Positions and lengths as the language's 32-bit integers see them: the low 32 bits.
int32_t low_word(int64_t value) { return value < 0 ? 0 : static_cast<int32_t>(static_cast<uint32_t>(value)); }

}  // namespace

QL_API int32_t BinaryStreamReadByte(QlObject* stream) { return read_value<uint8_t>(stream); }
QL_API int32_t BinaryStreamReadShort(QlObject* stream) { return read_value<int16_t>(stream); }
QL_API int32_t BinaryStreamReadLong(QlObject* stream) { return read_value<int32_t>(stream); }
QL_API double BinaryStreamReadFloat(QlObject* stream) { return read_value<float>(stream); }
QL_API double BinaryStreamReadDouble(QlObject* stream) { return read_value<double>(stream); }

QL_API QlString BinaryStreamReadPString(QlObject* object) {
  BinaryStreamObject* stream = open_stream(object);
  uint8_t length = 0;
  if (!stream || stream->file->read(&length, 1) != 1) return nullptr;
  uint8_t text[255];
  if (stream->file->read(text, length) != length) return nullptr;
  return ql::string_of(std::string_view(reinterpret_cast<const char*>(text), length));
}

QL_API QlString BinaryStreamRead(QlObject* object, int32_t n) {
  BinaryStreamObject* stream = open_stream(object);
  if (!stream || n < 1) return nullptr;
  // No more room than the file has left: a count far beyond it must not ask for that much memory.
  int64_t left = stream->file->length() - stream->file->position();
  if (left <= 0) return nullptr;
  std::string bytes(static_cast<size_t>(std::min<int64_t>(n, left)), '\0');
  int32_t got = stream->file->read(bytes.data(), static_cast<int32_t>(bytes.size()));
  bytes.resize(static_cast<size_t>(std::max(got, 0)));
  return ql::string_of(bytes);
}

QL_API void BinaryStreamWriteByte(QlObject* stream, int32_t value) {
  write_value(stream, static_cast<uint8_t>(value));
}
QL_API void BinaryStreamWriteShort(QlObject* stream, int32_t value) {
  write_value(stream, static_cast<int16_t>(value));
}
QL_API void BinaryStreamWriteLong(QlObject* stream, int32_t value) { write_value(stream, value); }
QL_API void BinaryStreamWriteFloat(QlObject* stream, double value) {
  write_value(stream, static_cast<float>(value));
}
QL_API void BinaryStreamWriteDouble(QlObject* stream, double value) { write_value(stream, value); }

QL_API void BinaryStreamWritePString(QlObject* object, QlString text) {
  BinaryStreamObject* stream = open_stream(object);
  if (!stream) return;
  uint8_t record[256];
  uint8_t length = static_cast<uint8_t>(std::min(ql::string_length(text), 255));
  record[0] = length;
  memcpy(record + 1, ql::string_cview(text), length);
  stream->file->write(record, length + 1);
}

QL_API void BinaryStreamWrite(QlObject* object, QlString text) {
  if (BinaryStreamObject* stream = open_stream(object))
    stream->file->write(ql::string_cview(text), ql::string_length(text));
}

QL_API bool BinaryStreamEOF(QlObject* object) {
  BinaryStreamObject* stream = open_stream(object);
  return !stream || stream->file->at_end();
}

QL_API int32_t BinaryStreamGetLength(QlObject* object) {
  BinaryStreamObject* stream = open_stream(object);
  return stream ? low_word(stream->file->length()) : 0;
}

QL_API void BinaryStreamSetLength(QlObject* object, int32_t length) {
  if (BinaryStreamObject* stream = open_stream(object)) stream->file->set_length(length);
}

QL_API int32_t BinaryStreamGetPosition(QlObject* object) {
  BinaryStreamObject* stream = open_stream(object);
  return stream ? low_word(stream->file->position()) : 0;
}

QL_API void BinaryStreamSetPosition(QlObject* object, int32_t position) {
  if (BinaryStreamObject* stream = open_stream(object)) stream->file->set_position(position);
}

QL_API void BinaryStreamClose(QlObject* object) {
  if (BinaryStreamObject* stream = ql::as_binary_stream(object)) ql::close_stream_file(stream->file);
}

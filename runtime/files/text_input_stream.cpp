// TextInputStream: lines through a 1024-byte buffer. A line ends at CR, LF or CR LF, also when the CR is the
// buffer's last byte and the LF comes with the next refill.
#include <algorithm>
#include <string>

#include "files/folder_item.h"
#include "files/stream_objects.h"
#include "quillet/files.h"

using ql::TextInputStreamObject;

namespace {

constexpr uint8_t kCarriageReturn = 0x0D;
constexpr uint8_t kLineFeed = 0x0A;

// Strings hold a signed 32-bit length; the text of one call stops short of it.
constexpr size_t kLongestText = 0x7FFFFFF0;

// Reads the next bytes of the file into the buffer; false when none came.
bool refill(TextInputStreamObject* stream) {
  stream->read_position = 0;
  stream->valid_bytes = stream->file->read(stream->buffer, ql::kTextInputBufferBytes);
  return stream->valid_bytes > 0;
}

TextInputStreamObject* open_stream(QlObject* object) {
  TextInputStreamObject* stream = ql::as_text_input_stream(object);
  return stream && stream->file ? stream : nullptr;
}

}  // namespace

QL_API QlString TextInputStreamReadLine(QlObject* object) {
  TextInputStreamObject* stream = open_stream(object);
  if (!stream) return nullptr;
  std::string line;
  for (;;) {
    const uint8_t* start = stream->buffer + stream->read_position;
    const uint8_t* end = stream->buffer + stream->valid_bytes;
    const uint8_t* found = start;
    while (found < end && *found != kCarriageReturn && *found != kLineFeed) ++found;
    if (line.size() + static_cast<size_t>(found - start) > kLongestText) return ql::string_of(line);
    line.append(reinterpret_cast<const char*>(start), static_cast<size_t>(found - start));
    stream->read_position = static_cast<int32_t>(found - stream->buffer);
    if (found < end) break;
    // A file that reports more to come but yields nothing would otherwise be read forever.
    if (stream->file->at_end() || !refill(stream)) return ql::string_of(line);
  }
  uint8_t line_end = stream->buffer[stream->read_position++];
  if (line_end == kCarriageReturn) {
    if (stream->read_position == stream->valid_bytes) refill(stream);
    if (stream->read_position < stream->valid_bytes && stream->buffer[stream->read_position] == kLineFeed)
      ++stream->read_position;
  }
  return ql::string_of(line);
}

QL_API QlString TextInputStreamReadAll(QlObject* object) {
  TextInputStreamObject* stream = open_stream(object);
  if (!stream) return nullptr;
  std::string text(reinterpret_cast<const char*>(stream->buffer + stream->read_position),
                   static_cast<size_t>(stream->valid_bytes - stream->read_position));
  stream->read_position = stream->valid_bytes;
  char block[65536];
  while (text.size() < kLongestText) {
    int32_t want = static_cast<int32_t>(std::min(sizeof block, kLongestText - text.size()));
    int32_t got = stream->file->read(block, want);
    if (got <= 0) break;
    text.append(block, static_cast<size_t>(got));
  }
  return ql::string_of(text);
}

QL_API bool TextInputStreamEOF(QlObject* object) {
  TextInputStreamObject* stream = open_stream(object);
  return stream && stream->read_position >= stream->valid_bytes && stream->file->at_end();
}

QL_API void TextInputStreamClose(QlObject* object) {
  if (TextInputStreamObject* stream = ql::as_text_input_stream(object)) ql::close_stream_file(stream->file);
}

// TextOutputStream: text written byte for byte, lines ended by the stream's Delimiter or CR LF.
#include "files/stream_objects.h"
#include "quillet/files.h"
#include "values/string.h"

using ql::TextOutputStreamObject;

namespace {

TextOutputStreamObject* open_stream(QlObject* object) {
  TextOutputStreamObject* stream = ql::as_text_output_stream(object);
  return stream && stream->file ? stream : nullptr;
}

void write_text(TextOutputStreamObject* stream, QlString text) {
  stream->file->write(ql::string_cview(text), ql::string_length(text));
}

}  // namespace

QL_API void TextOutputStreamWrite(QlObject* object, QlString text) {
  if (TextOutputStreamObject* stream = open_stream(object)) write_text(stream, text);
}

QL_API void TextOutputStreamWriteLine(QlObject* object, QlString text) {
  TextOutputStreamObject* stream = open_stream(object);
  if (!stream) return;
  write_text(stream, text);
  if (ql::string_length(stream->delimiter) > 0) {
    write_text(stream, stream->delimiter);
  } else {
    stream->file->write("\r\n", 2);
  }
}

QL_API void TextOutputStreamClose(QlObject* object) {
  if (TextOutputStreamObject* stream = ql::as_text_output_stream(object)) ql::close_stream_file(stream->file);
}

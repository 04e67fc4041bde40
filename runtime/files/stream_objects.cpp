// Making, recognising and destroying the stream objects, each around its file object.
#include "files/stream_objects.h"

#include "files/file_classes.h"
#include "objects/objects.h"
#include "values/string.h"

namespace ql {

namespace {

template <typename Stream>
Stream* as_stream(QlObject* object, ClassObject* cls) {
  if (!object || !object_isa(object, cls)) return nullptr;
  return reinterpret_cast<Stream*>(object);
}

template <typename Stream>
QlObject* new_stream(FileObject* file, ClassObject* cls) {
  if (!file) return nullptr;
  QlObject* object = new_object(cls);
  reinterpret_cast<Stream*>(object)->file = file;
  return object;
}

}  // namespace

TextInputStreamObject* as_text_input_stream(QlObject* object) {
  return as_stream<TextInputStreamObject>(object, text_input_stream_class());
}
TextOutputStreamObject* as_text_output_stream(QlObject* object) {
  return as_stream<TextOutputStreamObject>(object, text_output_stream_class());
}
BinaryStreamObject* as_binary_stream(QlObject* object) {
  return as_stream<BinaryStreamObject>(object, binary_stream_class());
}

QlObject* new_text_input_stream(FileObject* file) {
  return new_stream<TextInputStreamObject>(file, text_input_stream_class());
}
QlObject* new_text_output_stream(FileObject* file) {
  return new_stream<TextOutputStreamObject>(file, text_output_stream_class());
}
QlObject* new_binary_stream(FileObject* file) {
  return new_stream<BinaryStreamObject>(file, binary_stream_class());
}

void close_stream_file(FileObject*& file) {
  FileObject* closing = file;
  file = nullptr;
  destroy_file(closing);
}

void destroy_text_input_stream(QlObject* object, ClassObject*) {
  auto* stream = reinterpret_cast<TextInputStreamObject*>(object);
  close_stream_file(stream->file);
}

void destroy_text_output_stream(QlObject* object, ClassObject*) {
  auto* stream = reinterpret_cast<TextOutputStreamObject*>(object);
  close_stream_file(stream->file);
  string_release(stream->delimiter);
  stream->delimiter = nullptr;
}

void destroy_binary_stream(QlObject* object, ClassObject*) {
  close_stream_file(reinterpret_cast<BinaryStreamObject*>(object)->file);
}

}  // namespace ql

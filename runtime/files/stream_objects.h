// The stream objects of the language: TextInputStream, TextOutputStream and BinaryStream. Each wraps a file
// object, null once the stream is closed; destroying a stream closes it.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "files/file_object.h"
#include "objects/object.h"
#include "quillet/files.h"
#include "quillet/types.h"

namespace ql {

constexpr int32_t kTextInputBufferBytes = 1024;

struct TextInputStreamObject {
  ObjectBase base;
  FileObject* file;
  uint8_t buffer[kTextInputBufferBytes];
  int32_t read_position;  // in buffer
  int32_t valid_bytes;    // of buffer
};

struct TextOutputStreamObject {
  ObjectBase base;
  FileObject* file;
  QlString delimiter;  // the line end of WriteLine; empty for CR LF. Holds a reference
};

struct BinaryStreamObject {
  ObjectBase base;
  FileObject* file;
  uint8_t little_endian;
};

static_assert(offsetof(TextOutputStreamObject, delimiter) == QL_TEXT_OUTPUT_STREAM_DELIMITER_OFFSET);
static_assert(offsetof(BinaryStreamObject, little_endian) == QL_BINARY_STREAM_LITTLE_ENDIAN_OFFSET);
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(TextInputStreamObject) == 1060,
              "TextInputStream instances are 1060 bytes on 32-bit targets");
static_assert(sizeof(TextOutputStreamObject) == 32,
              "TextOutputStream instances are 32 bytes on 32-bit targets");
static_assert(sizeof(BinaryStreamObject) == 32, "BinaryStream instances are 32 bytes on 32-bit targets");
#endif

// object as a stream of that class; null for nil and for objects of other classes.
TextInputStreamObject* as_text_input_stream(QlObject* object);
TextOutputStreamObject* as_text_output_stream(QlObject* object);
BinaryStreamObject* as_binary_stream(QlObject* object);

// A new stream on file, which it takes over; nil (and the file closed) when file is null.
QlObject* new_text_input_stream(FileObject* file);
QlObject* new_text_output_stream(FileObject* file);
QlObject* new_binary_stream(FileObject* file);

// Closes and frees the stream's file; the stream counts as closed from then on.
void close_stream_file(FileObject*& file);

// The class routines that close a stream when it is destroyed.
void destroy_text_input_stream(QlObject* object, ClassObject* cls);
void destroy_text_output_stream(QlObject* object, ClassObject* cls);
void destroy_binary_stream(QlObject* object, ClassObject* cls);

}  // namespace ql

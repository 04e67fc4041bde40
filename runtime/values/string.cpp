// Building, references and views of the runtime string, and the entry points that expose them.
#include "values/string.h"

#include <stdio.h>
#include <string.h>

#include <new>

#include "quillet/strings.h"
#include "values/fatal.h"
#include "values/pool.h"

namespace ql {
namespace {

// Source and lines of the ownership and bounds checks, as the diagnostics know them.
constexpr const char* kStringCheckSource = "string";
constexpr int kRetainOfDeadLine = 22;
constexpr int kReleaseOfDeadLine = 32;
constexpr int kIndexOutOfRangeLine = 219;
constexpr int kIndexIntoEmptyLine = 229;

void report_string_check(int line) { report_assertion(kConsistencyCheck, kStringCheckSource, line); }

constexpr int32_t kMaxLength = INT32_MAX - 2;  // the buffer adds a length byte and a NUL

const char kEmptyCString[1] = "";
const uint8_t kEmptyPString[1] = {0};

uint8_t* text_of(QlString s) { return s->buffer + 1; }

// Builds a string of total bytes from two pieces; an oversized total is a buffer the pool cannot give.
QlString join(const uint8_t* a, int32_t a_length, const uint8_t* b, int32_t b_length) {
  int64_t total = static_cast<int64_t>(a_length) + b_length;
  if (total > kMaxLength) return nullptr;
  QlString result = string_from_bytes(nullptr, static_cast<int32_t>(total));
  if (!result) return nullptr;
  if (a_length > 0) memcpy(text_of(result), a, static_cast<size_t>(a_length));
  if (b_length > 0) memcpy(text_of(result) + a_length, b, static_cast<size_t>(b_length));
  return result;
}

}  // namespace

QlString string_from_bytes(const void* bytes, int32_t n) {
  if (n <= 0 || n > kMaxLength) return nullptr;
  const int32_t size = n + 2;
  // One hold of the pool's lock for both: the buffer may be refused (the string is then empty), the
  // header may not.
  void *buffer_block, *header_block;
  if (!process_pool().request_pair(size, buffer_block, sizeof(QlStringHeader), header_block)) return nullptr;
  auto* buffer = static_cast<uint8_t*>(buffer_block);
  QlString s = new (header_block) QlStringHeader{1, buffer, size, n};
  buffer[0] = static_cast<uint8_t>(n < 255 ? n : 255);
  if (bytes) memcpy(buffer + 1, bytes, static_cast<size_t>(n));
  buffer[n + 1] = 0;
  return s;
}

QlString string_from_cstr(const char* s) {
  if (!s) return nullptr;
  size_t n = strlen(s);
  return n > static_cast<size_t>(kMaxLength) ? nullptr : string_from_bytes(s, static_cast<int32_t>(n));
}

QlString string_from_pstr(const uint8_t* p) { return p ? string_from_bytes(p + 1, p[0]) : nullptr; }

QlString string_from_int(int32_t value) {
  char text[16];
  int n = snprintf(text, sizeof text, "%d", static_cast<int>(value));
  return string_from_bytes(text, n);
}

QlString string_append_byte(QlString s, uint8_t byte) {
  return join(string_pview(s) + 1, string_length(s), &byte, 1);
}

QlString string_concat(QlString a, QlString b) {
  if (string_length(b) == 0) {
    string_retain(a);
    return a;
  }
  if (string_length(a) == 0) {
    string_retain(b);
    return b;
  }
  return join(text_of(a), a->length, text_of(b), b->length);
}

void string_retain(QlString s) {
  if (!s) return;
  if (s->count == 0) report_string_check(kRetainOfDeadLine);
  ++s->count;
}

void string_release(QlString s) {
  if (!s) return;
  if (s->count == 0) report_string_check(kReleaseOfDeadLine);
  if (s->count-- != 1) return;
  uint8_t* buffer = s->buffer;
  int32_t size = s->size;
  s->~QlStringHeader();
  process_pool().give_back_pair(buffer, size, s, sizeof(QlStringHeader));
}

void string_assign(QlString& variable, QlString value) {
  if (variable == value) return;
  QlString old = variable;
  string_retain(value);
  variable = value;
  string_release(old);
}

const char* string_cview(QlString s) { return s ? reinterpret_cast<const char*>(text_of(s)) : kEmptyCString; }

const uint8_t* string_pview(QlString s) { return s ? s->buffer : kEmptyPString; }

int32_t string_length(QlString s) { return s ? s->length : 0; }

uint8_t* string_writable_byte(QlString& s, int32_t i) {
  // Writes through a refused index land here, harmlessly.
  static uint8_t scratch;
  scratch = 0;
  if (!s) {
    if (i != 0) report_string_check(kIndexIntoEmptyLine);
    return &scratch;
  }
  if (i < 0 || i >= s->length) {
    report_string_check(kIndexOutOfRangeLine);
    return &scratch;
  }
  if (s->count != 1) {
    QlString copy = string_from_bytes(text_of(s), s->length);
    if (!copy) return &scratch;  // no memory for the copy: the shared text must stay untouched
    string_release(s);
    s = copy;
  }
  return text_of(s) + i;
}

}  // namespace ql

using namespace ql;

void RuntimeLockString(QlString s) { string_retain(s); }

void RuntimeUnlockString(QlString s) { string_release(s); }

QlString RuntimeAddString(QlString a, QlString b) { return string_concat(a, b); }

const char* StringToCString(QlString s) { return string_cview(s); }

const char* StringGetCString(QlString s) { return string_cview(s); }

const uint8_t* StringToPString(QlString s) { return string_pview(s); }

const uint8_t* StringGetPString(QlString s) { return string_pview(s); }

int32_t StringLen(QlString s) { return string_length(s); }

int32_t StringAsc(QlString s) { return string_length(s) > 0 ? s->buffer[1] : 0; }

QlString StringChr(int32_t n) {
  uint8_t byte = static_cast<uint8_t>(n & 0xFF);
  return string_from_bytes(&byte, 1);
}

QlString String(QlString s) {
  string_retain(s);
  return s;
}

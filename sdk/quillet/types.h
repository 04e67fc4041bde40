// Value layouts shared by the runtime, compiled application code and plug-ins.
#pragma once

#include <stdint.h>

#ifdef __cplusplus
#define QL_API extern "C"
#else
#define QL_API
#endif

// A runtime string. The null pointer is the empty string; no header of length 0 exists.
// buffer[0] is min(length, 255), buffer[1..length] the text, buffer[length + 1] a NUL.
struct QlStringHeader {
  int32_t count;
  uint8_t* buffer;
  int32_t size;  // bytes allocated for buffer, given back to the pool with it
  int32_t length;
};
typedef struct QlStringHeader* QlString;

// An object. Compiled classes lay out their fields behind the root's, as the runtime's own classes do.
typedef struct QlObject QlObject;

struct QlObjectBase {
  int32_t count;
  void* object_class;
  QlObject* previous;
  QlObject* next;
  uintptr_t subclass_words[2];
};

struct QlApplicationBase {
  struct QlObjectBase base;
  QlObject* mouse_cursor;
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(struct QlStringHeader) == 16, "string header is 16 bytes on 32-bit targets");
#elif UINTPTR_MAX == 0xFFFFFFFFFFFFFFFFu
static_assert(sizeof(struct QlStringHeader) == 24, "string header is 24 bytes with 8-byte pointers");
#endif

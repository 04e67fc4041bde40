// The memory routines that gcc may call from freestanding code. Built with
// -fno-tree-loop-distribute-patterns so that these loops are not turned back into calls to themselves.
#include <stddef.h>

void* memcpy(void* dest, const void* src, size_t n) {
  unsigned char* d = dest;
  const unsigned char* s = src;
  while (n--) *d++ = *s++;
  return dest;
}

void* memmove(void* dest, const void* src, size_t n) {
  unsigned char* d = dest;
  const unsigned char* s = src;
  if (d < s) {
    while (n--) *d++ = *s++;
  } else {
    while (n--) d[n] = s[n];
  }
  return dest;
}

void* memset(void* dest, int value, size_t n) {
  unsigned char* d = dest;
  while (n--) *d++ = (unsigned char)value;
  return dest;
}

int memcmp(const void* a, const void* b, size_t n) {
  const unsigned char* x = a;
  const unsigned char* y = b;
  for (; n; --n, ++x, ++y) {
    if (*x != *y) return *x < *y ? -1 : 1;
  }
  return 0;
}

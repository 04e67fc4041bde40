// Win32 implementation of the platform seam.
#include <windows.h>

#include <new>

#include "platform/platform.h"

namespace ql::platform {

void* heap_alloc(size_t n) { return HeapAlloc(GetProcessHeap(), 0, n); }

void heap_free(void* p) {
  if (p) HeapFree(GetProcessHeap(), 0, p);
}

static_assert(sizeof(CRITICAL_SECTION) <= 64 && alignof(CRITICAL_SECTION) <= 16);

namespace {
CRITICAL_SECTION* section_of(unsigned char* storage) {
  return std::launder(reinterpret_cast<CRITICAL_SECTION*>(storage));
}
}  // namespace

CriticalSection::CriticalSection() { InitializeCriticalSection(new (storage_) CRITICAL_SECTION); }

CriticalSection::~CriticalSection() { DeleteCriticalSection(section_of(storage_)); }

void CriticalSection::enter() { EnterCriticalSection(section_of(storage_)); }

void CriticalSection::leave() { LeaveCriticalSection(section_of(storage_)); }

bool is_dbcs_lead_byte(uint8_t byte) { return IsDBCSLeadByte(byte) != FALSE; }

void char_upper_buff(char* text, uint32_t length) {
  if (length > 0) CharUpperBuffA(text, length);
}

void char_lower_buff(char* text, uint32_t length) {
  if (length > 0) CharLowerBuffA(text, length);
}

uint16_t char_type_c1(uint8_t byte) {
  char text = static_cast<char>(byte);
  WORD type = 0;
  if (!GetStringTypeExA(LOCALE_USER_DEFAULT, CT_CTYPE1, &text, 1, &type)) return 0;
  return type;
}

int compare_string(bool ignore_case, const char* a, int a_length, const char* b, int b_length) {
  if (a_length < 0 || b_length < 0) return 0;
  // Explicit lengths: a negative one would make the system scan for a terminating NUL.
  static const char kNothing[1] = "";
  return CompareStringA(LOCALE_USER_DEFAULT, ignore_case ? NORM_IGNORECASE : 0, a ? a : kNothing, a_length,
                        b ? b : kNothing, b_length);
}

namespace {
FileHandle handle_result(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<FileHandle>(handle);
}
HANDLE handle_of(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

// ReadFile and WriteFile move at most 4 GiB - 1 per call.
constexpr int64_t kMaxTransfer = 0x40000000;
}  // namespace

FileHandle file_open_read(const char* path) {
  return handle_result(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileHandle file_create(const char* path) {
  return handle_result(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
}

int64_t file_size(FileHandle file) {
  LARGE_INTEGER size;
  if (file == kNoFile || !GetFileSizeEx(handle_of(file), &size)) return -1;
  return size.QuadPart;
}

bool file_seek(FileHandle file, int64_t offset) {
  if (file == kNoFile || offset < 0) return false;
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  return SetFilePointerEx(handle_of(file), distance, nullptr, FILE_BEGIN) != FALSE;
}

int64_t file_read(FileHandle file, void* buffer, int64_t n) {
  if (file == kNoFile || n < 0) return -1;
  int64_t done = 0;
  while (done < n) {
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(n - done < kMaxTransfer ? n - done : kMaxTransfer);
    if (!ReadFile(handle_of(file), static_cast<char*>(buffer) + done, want, &got, nullptr)) return -1;
    if (got == 0) break;
    done += got;
  }
  return done;
}

int64_t file_write(FileHandle file, const void* buffer, int64_t n) {
  if (file == kNoFile || n < 0) return -1;
  int64_t done = 0;
  while (done < n) {
    DWORD put = 0;
    DWORD want = static_cast<DWORD>(n - done < kMaxTransfer ? n - done : kMaxTransfer);
    if (!WriteFile(handle_of(file), static_cast<const char*>(buffer) + done, want, &put, nullptr) ||
        put == 0) {
      return -1;
    }
    done += put;
  }
  return done;
}

void file_close(FileHandle file) {
  if (file != kNoFile) CloseHandle(handle_of(file));
}

void exit_process(int code) { ExitProcess(static_cast<UINT>(code)); }

void show_plain_message(const char* text) { MessageBoxA(nullptr, text, "Message", MB_OK | MB_TASKMODAL); }

}  // namespace ql::platform

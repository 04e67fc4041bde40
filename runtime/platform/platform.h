// The one seam between the platform-neutral core and the operating system. The Win32 implementation
// calls the real API; the POSIX one models a single-byte code page (Windows-1252) for host tests.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

namespace ql::platform {

// General heap. heap_alloc returns null when the system has no memory left.
void* heap_alloc(size_t n);
void heap_free(void* p);

// A process-wide lock with the semantics of a Win32 critical section (recursive for its owner).
class CriticalSection {
 public:
  CriticalSection();
  ~CriticalSection();
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;
  void enter();
  void leave();

 private:
  alignas(16) unsigned char storage_[64];
};

// Character services of the system's ANSI code page.
bool is_dbcs_lead_byte(uint8_t byte);
void char_upper_buff(char* text, uint32_t length);  // in place, like CharUpperBuffA
void char_lower_buff(char* text, uint32_t length);  // in place, like CharLowerBuffA
// CT_CTYPE1 classification of one byte in the user default locale (C1_UPPER 0x1 ... C1_BLANK 0x40).
uint16_t char_type_c1(uint8_t byte);
// CompareStringA in the user default locale over explicit lengths: 1 less, 2 equal, 3 greater, 0 failure.
int compare_string(bool ignore_case, const char* a, int a_length, const char* b, int b_length);

// CT_CTYPE1 classification of one character of 1 or 2 bytes (a lead byte and its trail byte) in the user
// default locale, as GetStringTypeExA reports it for the character's first byte; 0 on failure.
uint16_t char_type_c1_of(const char* character, int length);

// Number separators of the user default locale (GetLocaleInfoA LOCALE_SDECIMAL / LOCALE_STHOUSAND), read
// into a 4-byte buffer: at most 3 bytes and a NUL. False, with out emptied, when the system cannot answer.
enum class LocaleSeparator { kDecimal, kThousands };
bool locale_separator(LocaleSeparator which, char out[4]);

// Files, addressed by ANSI paths; kNoFile marks a failed open.
using FileHandle = intptr_t;
constexpr FileHandle kNoFile = -1;
FileHandle file_open_read(const char* path);
FileHandle file_create(const char* path);  // creates or empties, for writing
int64_t file_size(FileHandle file);        // -1 on failure
bool file_seek(FileHandle file, int64_t offset);
int64_t file_read(FileHandle file, void* buffer, int64_t n);  // bytes read, -1 on failure
int64_t file_write(FileHandle file, const void* buffer, int64_t n);
void file_close(FileHandle file);

// Ends the process at once, without static destructors.
[[noreturn]] void exit_process(int code);
// A plain modal box with an OK button, captioned "Message", for when no window layer shows messages; the
// host writes the text to the standard error stream instead.
void show_plain_message(const char* text);

// The millisecond counter since start-up that everything timed in the runtime reads: the system's
// (GetTickCount), which wraps after about 49.7 days, unless a test has put a clock of its own in its place.
uint32_t tick_count();
// The local date and time now, as FileEntry's times are: 100-ns intervals since 1601.
int64_t local_time_now();
using TickSource = uint32_t (*)();
void set_tick_source(TickSource source);  // null gives the system's counter back

// Whether n bytes at p can be read without a fault. The answer holds for the moment of the call only.
bool is_readable(const void* p, size_t n);

}  // namespace ql::platform

namespace ql::platform {

// The program file and its PICKLE resource (type "PICKLE", id 101). read_pickle_resource copies up to 8 of
// the resource's bytes into out and answers how many there were, or -1 when the program has no such
// resource.
int read_pickle_resource(uint8_t out[8]);
bool program_file_path(char* out, size_t capacity);  // at most 512 characters are used

// Memory for the application image: one read-write region below 2 GiB, whose code part is made
// executable once linking is done.
void* reserve_image_region(size_t size);
bool make_executable(void* start, size_t size);
bool make_writable(void* start, size_t size);
void release_image_region(void* region, size_t size);

// DLLs named without a folder are looked for in the system folder only from now on; the main routine calls
// this before anything loads one by name.
void restrict_library_search();
// A DLL of the system by its name, from the system folder only, whatever lies beside the program; null when
// it cannot be loaded.
void* load_system_library(const char* name);
// Shared libraries named by library imports. A name without a folder is looked for in the system folder,
// then in the program's, never in the current folder or along PATH; a name with a folder is loaded as given.
void* load_library(const char* name);                       // null when it cannot be loaded
void* library_routine(void* library, const char* routine);  // null when it is missing

// OLE for the window layer's drag and drop.
void ole_initialize();
void ole_uninitialize();

}  // namespace ql::platform

// The file system as folder items and file streams reach it. Paths are ANSI paths in Windows form (drive or
// UNC root, backslashes); the POSIX implementation reads a backslash as "/".
namespace ql::platform {

// The file streams' opens. Both share reading and writing with other openers. An existing file is opened for
// reading, or for reading and writing; file_create_read_write creates or empties a file with normal
// attributes and opens it for both.
FileHandle file_open_existing(const char* path, bool writable);
FileHandle file_create_read_write(const char* path);
int64_t file_position(FileHandle file);  // -1 on failure
bool file_set_end(FileHandle file);      // the file ends (is cut or extended) at the current position

constexpr uint32_t kAttributeReadOnly = 0x01;
constexpr uint32_t kAttributeHidden = 0x02;
constexpr uint32_t kAttributeDirectory = 0x10;

// One entry as a directory search (FindFirstFileA) reports it. Times are local time (after
// FileTimeToLocalFileTime) in 100-ns intervals since 1601.
struct FileEntry {
  uint32_t attributes = 0;
  uint64_t size = 0;
  int64_t creation_time = 0;
  int64_t last_write_time = 0;
};
bool find_file(const char* path, FileEntry& out);  // false when the search finds nothing
// The folder's entries in the order the system lists them, "." and ".." left out; false when the folder
// cannot be listed.
bool list_folder(const char* folder, std::vector<std::string>& names);

bool set_file_attributes(const char* path, uint32_t attributes);
enum class FileTimeKind { kCreation, kLastWrite };
bool set_file_time(const char* path, FileTimeKind which, int64_t local_time);  // local time as in FileEntry
bool delete_file(const char* path);
bool create_folder(const char* path);
bool copy_file(const char* from, const char* to);     // replaces an existing target
bool move_file(const char* from, const char* to);     // refuses an existing target
bool rename_path(const char* from, const char* to);   // the C library's rename
bool replace_file(const char* from, const char* to);  // renames, replacing an existing target at once
bool open_document(const char* path);                 // the shell's "open" verb, shown normally

// Folders of the system. Each answers false, with out emptied, when the system cannot say.
bool module_file_path(std::string& out);  // the program file
bool shell_folder_path(int csidl, std::string& out);
bool windows_folder_path(std::string& out);
bool system_folder_path(std::string& out);
bool temp_folder_path(std::string& out);  // with its trailing separator
// Creates a new empty file with a unique name in folder (GetTempFileNameA, number 0) and names it.
bool temp_file_path(const char* folder, const char* prefix, std::string& out);
uint32_t logical_drives();  // bit 0 for drive A
// A variable of the process's environment; false, with out emptied, when it is not set or empty.
bool environment_variable(const char* name, std::string& out);

}  // namespace ql::platform

// The runtime's file object: one per open stream, doing the actual input and output. Operations on a closed
// file do nothing and answer 0, false or -1.
#pragma once

#include <stdint.h>

#include <string>

#include "platform/platform.h"
#include "values/exit_list.h"

namespace ql {

class FileObject {
 public:
  virtual ~FileObject() = default;                          // closes the file first
  virtual int32_t read(void* buffer, int32_t n) = 0;        // bytes read; 0 at the end or on failure
  virtual int32_t write(const void* bytes, int32_t n) = 0;  // bytes written; fewer than n on failure
  virtual void close() = 0;
  virtual bool at_end() = 0;                        // position >= length
  virtual bool set_position(int64_t position) = 0;  // from the start
  virtual int64_t length() = 0;
  virtual bool set_length(int64_t length) = 0;  // cuts or extends; the position stays
  virtual int64_t position() = 0;
};

// A file on disk. A scratch file lives in the temporary folder, sits on the exit list while it is open, and
// is deleted when it is closed.
class DiskFile final : public FileObject, public ExitListEntry {
 public:
  explicit DiskFile(platform::FileHandle handle);
  DiskFile(platform::FileHandle handle, std::string scratch_path);
  ~DiskFile() override;
  DiskFile(const DiskFile&) = delete;
  DiskFile& operator=(const DiskFile&) = delete;

  int32_t read(void* buffer, int32_t n) override;
  int32_t write(const void* bytes, int32_t n) override;
  void close() override;
  bool at_end() override;
  bool set_position(int64_t position) override;
  int64_t length() override;
  bool set_length(int64_t length) override;
  int64_t position() override;

  bool is_scratch() const { return scratch_; }
  const std::string& scratch_path() const { return scratch_path_; }
  void destroy_at_exit() override { close(); }

 private:
  platform::FileHandle handle_ = platform::kNoFile;
  bool scratch_ = false;
  std::string scratch_path_;
};

// Each answers a new file object, or null when the system refuses the file.
enum class FileAccess { kRead, kReadWrite };
FileObject* open_file(const std::string& path, FileAccess access);
FileObject* create_file(const std::string& path);  // creates or empties it, for reading and writing
DiskFile* create_scratch_file();                   // "qlt" prefix, in the temporary folder

// Closes and frees a file object; null is ignored.
void destroy_file(FileObject* file);

}  // namespace ql

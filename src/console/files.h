// Files of one directory (the current one in the program), for the state
// file. Names are plain file names without directories. Every operation
// reports success or failure and never throws.
#pragma once
#include <cstddef>
#include <map>
#include <span>
#include <string>
#include <string_view>

namespace qirn {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The name of a regular file equal to `name` ignoring ASCII letter case
  // (the exact spelling first when several match); "" when there is none.
  virtual std::string Find(std::string_view name) = 0;
  // Reads at most buf.size() bytes from the start of the file: the number
  // read (short only at end of file), or -1 when it cannot be read.
  virtual long Read(std::string_view name, std::span<char> buf) = 0;
  // Creates a new empty file next to `name`, open for writing, under a fresh
  // temporary name that no other file has; returns that name, "" on failure.
  // One such file is open at a time.
  virtual std::string CreateTemp(std::string_view name) = 0;
  // Appends bytes to the open temporary file; false on any failure.
  virtual bool WriteRecord(std::string_view bytes) = 0;
  // Forces the open file's data to the disk and closes it; false when the
  // data may not have reached the disk. The file is closed either way.
  virtual bool FlushClose() = 0;
  // Renames `from` to `to`, replacing `to` if it exists, durably; false when
  // nothing was renamed.
  virtual bool Rename(std::string_view from, std::string_view to) = 0;
  // Removes the file; false on failure.
  virtual bool Remove(std::string_view name) = 0;
};

// Replaces (or creates) `name` by a file holding the records one after the
// other: they go to a temporary file in the same directory, which is flushed
// to the disk and then renamed over `name`. On failure `name` is left exactly
// as it was and no temporary file remains. True on success.
bool WriteFileAtomically(FileSystem& fs, std::string_view name,
                         std::span<const std::string_view> records);

// The files of a real directory (by default the current one), through POSIX.
class PosixFiles : public FileSystem {
 public:
  explicit PosixFiles(std::string dir = ".") : dir_(std::move(dir)) {}
  ~PosixFiles() override;
  PosixFiles(const PosixFiles&) = delete;
  PosixFiles& operator=(const PosixFiles&) = delete;

  std::string Find(std::string_view name) override;
  long Read(std::string_view name, std::span<char> buf) override;
  std::string CreateTemp(std::string_view name) override;
  bool WriteRecord(std::string_view bytes) override;
  bool FlushClose() override;
  bool Rename(std::string_view from, std::string_view to) override;
  bool Remove(std::string_view name) override;

 private:
  std::string Path(std::string_view name) const;
  std::string dir_;
  int fd_ = -1;  // the open temporary file
};

// A directory in memory for tests, with failures on request.
class MemoryFiles : public FileSystem {
 public:
  std::map<std::string, std::string> files;  // name -> contents
  int fail_write_at = -1;     // the WriteRecord call (0-based, per file) that fails
  bool fail_create = false;   // CreateTemp fails
  bool fail_flush = false;    // FlushClose reports failure
  bool fail_rename = false;   // Rename fails
  bool fail_read = false;     // Read fails for every file
  int renames = 0;            // successful renames so far

  std::string Find(std::string_view name) override;
  long Read(std::string_view name, std::span<char> buf) override;
  std::string CreateTemp(std::string_view name) override;
  bool WriteRecord(std::string_view bytes) override;
  bool FlushClose() override;
  bool Rename(std::string_view from, std::string_view to) override;
  bool Remove(std::string_view name) override;

 private:
  std::string open_;  // the open temporary file, "" when none
  int written_ = 0;
  int temps_ = 0;
};

// ASCII letter case does not matter.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace qirn

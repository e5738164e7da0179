// The files of a real directory through POSIX calls.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "console/files.h"

namespace qirn {
namespace {

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Makes a rename or a new entry in `dir` survive a crash.
void SyncDirectory(const std::string& dir) {
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

PosixFiles::~PosixFiles() {
  if (fd_ >= 0) ::close(fd_);
}

std::string PosixFiles::Path(std::string_view name) const {
  return dir_ + "/" + std::string(name);
}

std::string PosixFiles::Find(std::string_view name) {
  if (IsRegularFile(Path(name))) return std::string(name);
  DIR* d = ::opendir(dir_.c_str());
  if (!d) return {};
  std::string found;
  while (const dirent* e = ::readdir(d)) {
    std::string_view n = e->d_name;
    // Of several spellings, the first in byte order, so the choice is stable.
    if (SameNameIgnoringCase(n, name) && IsRegularFile(Path(n)) && (found.empty() || n < found))
      found = n;
  }
  ::closedir(d);
  return found;
}

long PosixFiles::Read(std::string_view name, std::span<char> buf) {
  int fd = ::open(Path(name).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  size_t got = 0;
  while (got < buf.size()) {
    ssize_t n = ::read(fd, buf.data() + got, buf.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return -1;
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  return static_cast<long>(got);
}

std::string PosixFiles::CreateTemp(std::string_view name) {
  if (fd_ >= 0) return {};
  // The new file takes the permissions of the one it replaces; a first file
  // gets the usual 0666 less the umask.
  mode_t mode = 0666;
  struct stat old {};
  bool keep_mode = ::stat(Path(name).c_str(), &old) == 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string temp = "." + std::string(name) + "." + std::to_string(::getpid()) + "." +
                       std::to_string(attempt) + ".tmp";
    int fd = ::open(Path(temp).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return {};
    }
    if (keep_mode) ::fchmod(fd, old.st_mode & 07777);
    fd_ = fd;
    return temp;
  }
  return {};
}

bool PosixFiles::WriteRecord(std::string_view bytes) {
  if (fd_ < 0) return false;
  while (!bytes.empty()) {
    ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool PosixFiles::FlushClose() {
  if (fd_ < 0) return false;
  bool ok = ::fsync(fd_) == 0;
  ok = ::close(fd_) == 0 && ok;
  fd_ = -1;
  return ok;
}

bool PosixFiles::Rename(std::string_view from, std::string_view to) {
  if (::rename(Path(from).c_str(), Path(to).c_str()) != 0) return false;
  SyncDirectory(dir_);
  return true;
}

bool PosixFiles::Remove(std::string_view name) {
  return ::unlink(Path(name).c_str()) == 0;
}

}  // namespace qirn

// The atomic replacement of a file, and the in-memory directory for tests.
#include "console/files.h"

namespace qirn {

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto up = [](char ch) { return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch; };
    if (up(a[i]) != up(b[i])) return false;
  }
  return true;
}

bool WriteFileAtomically(FileSystem& fs, std::string_view name,
                         std::span<const std::string_view> records) {
  std::string temp = fs.CreateTemp(name);
  if (temp.empty()) return false;
  bool ok = true;
  for (std::string_view r : records) {
    if (!fs.WriteRecord(r)) {
      ok = false;
      break;
    }
  }
  // Closed in every case; only a file known to be on the disk may replace
  // the old one.
  ok = fs.FlushClose() && ok;
  if (ok && fs.Rename(temp, name)) return true;
  fs.Remove(temp);
  return false;
}

// --- MemoryFiles ---

std::string MemoryFiles::Find(std::string_view name) {
  if (files.count(std::string(name))) return std::string(name);
  for (const auto& [n, contents] : files)
    if (SameNameIgnoringCase(n, name)) return n;
  return {};
}

long MemoryFiles::Read(std::string_view name, std::span<char> buf) {
  auto it = files.find(std::string(name));
  if (fail_read || it == files.end()) return -1;
  size_t n = it->second.size() < buf.size() ? it->second.size() : buf.size();
  it->second.copy(buf.data(), n);
  return static_cast<long>(n);
}

std::string MemoryFiles::CreateTemp(std::string_view name) {
  if (fail_create || !open_.empty()) return {};
  std::string temp;
  do {
    temp = "." + std::string(name) + "." + std::to_string(++temps_) + ".tmp";
  } while (files.count(temp));
  files[temp] = "";
  open_ = temp;
  written_ = 0;
  return temp;
}

bool MemoryFiles::WriteRecord(std::string_view bytes) {
  if (open_.empty()) return false;
  if (written_++ == fail_write_at) {
    // A failing write may leave part of the data behind, as a full disk does.
    files[open_].append(bytes.substr(0, bytes.size() / 2));
    return false;
  }
  files[open_].append(bytes);
  return true;
}

bool MemoryFiles::FlushClose() {
  if (open_.empty()) return false;
  open_.clear();
  return !fail_flush;
}

bool MemoryFiles::Rename(std::string_view from, std::string_view to) {
  auto it = files.find(std::string(from));
  if (fail_rename || it == files.end() || std::string(from) == open_) return false;
  std::string contents = std::move(it->second);
  files.erase(it);
  files[std::string(to)] = std::move(contents);
  ++renames;
  return true;
}

bool MemoryFiles::Remove(std::string_view name) {
  return files.erase(std::string(name)) == 1;
}

}  // namespace qirn

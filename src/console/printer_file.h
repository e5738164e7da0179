// The printer stream of the program: a text file that every report is
// appended to, created by the first write.
#pragma once
#include <cstdio>
#include <string>
#include <string_view>

#include "console/devices.h"

namespace qirn {

class FilePrinter : public PrinterStream {
 public:
  explicit FilePrinter(std::string path = "PRINTER.TXT") : path_(std::move(path)) {}
  ~FilePrinter() override;
  FilePrinter(const FilePrinter&) = delete;
  FilePrinter& operator=(const FilePrinter&) = delete;

  void Write(std::string_view text) override;
  void WriteLn() override;
  // Flushes what was written to the file; true when anything since the last
  // check could not be written (the file could not be opened, disk full).
  bool CheckError() override;

 private:
  bool Open();
  std::string path_;
  std::FILE* f_ = nullptr;
  bool failed_ = false;
};

}  // namespace qirn

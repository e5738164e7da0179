// The printer stream of the program: a text file that every report is
// appended to, created by the first write.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "console/devices.h"

namespace qirn {

class FilePrinter : public PrinterStream {
 public:
  // The calculator's texts are code page 437; to_unicode, when given, turns
  // each code outside printable ASCII into the character written (as UTF-8).
  using ToUnicode = char32_t (*)(uint8_t code);
  explicit FilePrinter(std::string path = "PRINTER.TXT", ToUnicode to_unicode = nullptr)
      : path_(std::move(path)), to_unicode_(to_unicode) {}
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
  ToUnicode to_unicode_;
  std::FILE* f_ = nullptr;
  bool failed_ = false;
};

}  // namespace qirn

#include "console/printer_file.h"

#include <string>

namespace qirn {

FilePrinter::~FilePrinter() {
  if (f_) std::fclose(f_);
}

// Opened at the first write, so a run that prints nothing leaves no file;
// after a failure to open, every later write tries again.
bool FilePrinter::Open() {
  if (!f_) f_ = std::fopen(path_.c_str(), "a");
  if (!f_) failed_ = true;
  return f_ != nullptr;
}

namespace {

void AppendUtf8(std::string& out, char32_t u) {
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | u >> 6);
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else if (u < 0x10000) {
    out += static_cast<char>(0xE0 | u >> 12);
    out += static_cast<char>(0x80 | (u >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | u >> 18);
    out += static_cast<char>(0x80 | (u >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (u >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

}  // namespace

void FilePrinter::Write(std::string_view text) {
  if (!Open()) return;
  std::string converted;
  if (to_unicode_) {
    for (char ch : text) {
      uint8_t b = static_cast<uint8_t>(ch);
      if (b >= 32 && b < 127)
        converted += ch;
      else
        AppendUtf8(converted, to_unicode_(b));
    }
    text = converted;
  }
  if (std::fwrite(text.data(), 1, text.size(), f_) != text.size()) failed_ = true;
}

void FilePrinter::WriteLn() {
  if (Open() && std::fputc('\n', f_) == EOF) failed_ = true;
}

bool FilePrinter::CheckError() {
  bool failed = failed_;
  if (f_) {
    if (std::fflush(f_) != 0 || std::ferror(f_)) failed = true;
    std::clearerr(f_);
  }
  failed_ = false;
  return failed;
}

}  // namespace qirn

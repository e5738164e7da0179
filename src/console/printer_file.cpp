#include "console/printer_file.h"

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

void FilePrinter::Write(std::string_view text) {
  if (Open() && std::fwrite(text.data(), 1, text.size(), f_) != text.size()) failed_ = true;
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

// The console's other devices: the tone and the printer stream. Each is a
// small interface so that tests record what the calculator asked for.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace qirn {

class Tone {
 public:
  virtual ~Tone() = default;
  // Sounds hz for ms milliseconds (or whatever alert the platform has).
  virtual void Sound(int hz, int ms) = 0;
};

class CountingTone : public Tone {
 public:
  void Sound(int, int) override { ++count; }
  int count = 0;
};

// A text output stream to the printer. Writes are buffered by the stream;
// CheckError reports whether any write since the last check failed.
class PrinterStream {
 public:
  virtual ~PrinterStream() = default;
  virtual void Write(std::string_view text) = 0;
  virtual void WriteLn() = 0;
  virtual bool CheckError() = 0;
};

// Collects the printed lines in memory; can be told to fail after n lines.
class MemoryPrinter : public PrinterStream {
 public:
  void Write(std::string_view text) override {
    if (Failing()) { failed_ = true; return; }
    current_ += text;
  }
  void WriteLn() override {
    if (Failing()) { failed_ = true; return; }
    lines.push_back(current_);
    current_.clear();
  }
  bool CheckError() override {
    bool f = failed_;
    failed_ = false;
    return f;
  }
  std::vector<std::string> lines;
  int fail_after_lines = -1;  // -1: never fails

 private:
  bool Failing() const { return fail_after_lines >= 0 && static_cast<int>(lines.size()) >= fail_after_lines; }
  std::string current_;
  bool failed_ = false;
};

}  // namespace qirn

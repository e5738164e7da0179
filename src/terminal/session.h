// The one place that knows about ttys: raw mode and the alternate screen,
// restored on every way out; frames mirrored from the screen model before
// every blocking key read; bytes decoded into keys.
#pragma once
#include <memory>
#include <string>

#include "console/devices.h"
#include "console/keys.h"
#include "console/screen.h"

namespace qirn {

class TerminalSession {
 public:
  TerminalSession();
  ~TerminalSession();  // restores the terminal if still open
  TerminalSession(const TerminalSession&) = delete;
  TerminalSession& operator=(const TerminalSession&) = delete;

  // Checks that standard input and output are terminals, enters raw mode and
  // the alternate screen and installs the signal handlers. On failure returns
  // false with a one-line reason and leaves the terminal as it was.
  bool Open(std::string& error);
  // Restores the terminal (modes, cursor, colours, main screen). Idempotent.
  void Close();

  // The key source: before every blocking read it mirrors `screen` onto the
  // terminal. Throws InputClosed on end of input or a termination signal.
  KeySource& Keys(const Screen& screen);
  Tone& Bell();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace qirn

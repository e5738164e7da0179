// Raw mode, the alternate screen and the signals that must not leave the
// terminal behind in either. One TtyMode is active per process: the signal
// handlers reach it through process-wide state, as they must.
#pragma once
#include <string>
#include <string_view>

namespace qirn {

// What the signal handlers reported since the last look.
struct TtyEvents {
  bool terminate = false;  // SIGINT, SIGTERM, SIGHUP
  bool resize = false;     // SIGWINCH
  bool suspend = false;    // SIGTSTP
  bool resumed = false;    // SIGCONT
};

class TtyMode {
 public:
  TtyMode() = default;
  ~TtyMode() { Leave(); }
  TtyMode(const TtyMode&) = delete;
  TtyMode& operator=(const TtyMode&) = delete;

  // Saves the terminal's modes, enters raw mode and the alternate screen and
  // installs the handlers. False with a one-line reason on failure, leaving
  // the terminal as it was.
  bool Enter(std::string& error);
  // Puts back what Enter changed. Idempotent.
  void Leave();
  bool Active() const { return active_; }

  // Hands the terminal back and stops the process group as a Ctrl+Z in a
  // cooked terminal would; returns after SIGCONT in raw mode again. The
  // caller repaints.
  void Suspend();
  // Raw mode and the screen modes again, after something else may have
  // changed them (resumed from a stop that did not pass through Suspend).
  void Reapply();

  // Readable when a signal has arrived; TakeEvents drains it.
  int SignalFd() const;
  TtyEvents TakeEvents();

  // Writes all of `bytes` to standard output, retrying after interruptions.
  static void WriteOut(std::string_view bytes);

 private:
  bool RawMode(std::string& error);
  bool active_ = false;
};

}  // namespace qirn

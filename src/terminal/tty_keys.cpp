// Reading keys from the terminal.
#include "terminal/tty_keys.h"

#include <cerrno>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace qirn {
namespace {

constexpr uint8_t kCtrlC = 3, kCtrlZ = 26;

// The terminal's size; 80 x 25 when it cannot tell.
void TerminalSize(int& cols, int& rows) {
  winsize ws{};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &ws) == 0 && ws.ws_col > 0 && ws.ws_row > 0) {
    cols = ws.ws_col;
    rows = ws.ws_row;
  } else {
    cols = Screen::Cols;
    rows = Screen::Rows;
  }
}

}  // namespace

Key TtyKeys::ReadKey() {
  for (;;) {
    HandleSignals();
    if (closed_) throw InputClosed{};
    int cols, rows;
    TerminalSize(cols, rows);
    // Keys typed while the window is too small wait until the calculator
    // can be seen again.
    if (!queue_.empty() && Renderer::LargeEnough(cols, rows)) {
      Key k = queue_.front();
      queue_.pop_front();
      return k;
    }
    Flush();
    WaitForInput();
  }
}

void TtyKeys::HandleSignals() {
  TtyEvents ev = tty_.TakeEvents();
  if (ev.terminate) closed_ = true;
  if (closed_) return;
  if (ev.suspend) {
    SuspendNow();
  } else if (ev.resumed) {
    tty_.Reapply();
    renderer_.Invalidate();
  }
  // A resize needs nothing here: the next frame sees the new size.
}

void TtyKeys::SuspendNow() {
  tty_.Suspend();
  tty_.TakeEvents();  // the SIGCONT of our own resume
  renderer_.Invalidate();
}

void TtyKeys::Flush() {
  int cols, rows;
  TerminalSize(cols, rows);
  std::string out = renderer_.Render(FrameOf(screen_), cols, rows);
  if (bell_) {
    out += '\a';
    bell_ = false;
  }
  if (!out.empty()) TtyMode::WriteOut(out);
}

void TtyKeys::WaitForInput() {
  int timeout = decoder_.PendingTimeout();
  pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {tty_.SignalFd(), POLLIN, 0}};
  int r = poll(fds, 2, timeout);
  std::vector<Key> keys;
  if (r < 0) return;  // interrupted by a signal: handled on the next pass
  if (r == 0) {
    decoder_.Idle(timeout, keys);
    Take(keys);
    return;
  }
  if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
    char buf[4096];
    ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
    if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) {
      closed_ = true;  // end of input or the terminal went away
      return;
    }
    if (n > 0) decoder_.Feed(std::string_view(buf, static_cast<size_t>(n)), keys);
    Take(keys);
  }
}

// Raw mode delivers Ctrl+C and Ctrl+Z as bytes; they act at once, ahead of
// keys still waiting.
void TtyKeys::Take(std::vector<Key>& keys) {
  for (const Key& k : keys) {
    if (closed_) return;
    if (k == Key{kCtrlC, 0}) {
      closed_ = true;
    } else if (k == Key{kCtrlZ, 0}) {
      SuspendNow();
    } else {
      queue_.push_back(k);
    }
  }
}

}  // namespace qirn

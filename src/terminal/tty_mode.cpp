// Raw mode and signal safety. A signal handler may only touch the
// process-wide record below: it writes one byte into a pipe for the main path
// to act on, or, for a crash, writes the precomputed restore bytes, puts the
// saved modes back and re-raises.
#include "terminal/tty_mode.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace qirn {
namespace {

// Alternate screen, Alt as an ESC prefix, bracketed paste, no autowrap (so a
// write into the last column never scrolls).
constexpr char kEnterModes[] = "\x1b[?1049h\x1b[?1036h\x1b[?2004h\x1b[?7l";
// Ends an unfinished synchronized update, resets colours and the character
// set, clears (so that a terminal without an alternate screen is not left
// blue), shows the cursor, autowrap on, paste and Alt modes off, main screen.
constexpr char kLeaveModes[] =
    "\x1b[?2026l\x1b[0m\x1b(B\x1b[H\x1b[2J\x1b[?25h\x1b[?7h\x1b[?2004l\x1b[?1036l"
    "\x1b[?1049l";

constexpr int kNotifySignals[] = {SIGINT, SIGTERM, SIGHUP, SIGWINCH, SIGTSTP, SIGCONT};
constexpr int kCrashSignals[] = {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL, SIGQUIT};

struct ProcessTty {
  volatile sig_atomic_t active = 0;  // raw mode is on and must be undone
  termios saved{};
  int pipe_read = -1, pipe_write = -1;
  struct sigaction old_notify[std::size(kNotifySignals)]{};
  struct sigaction old_crash[std::size(kCrashSignals)]{};
  bool atexit_registered = false;
};
ProcessTty g_tty;  // the one process-wide record the signal handlers need

void RawWrite(const char* p, size_t n) {
  while (n > 0) {
    ssize_t w = write(STDOUT_FILENO, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN) {
        pollfd pfd{STDOUT_FILENO, POLLOUT, 0};
        poll(&pfd, 1, 100);
        continue;
      }
      return;
    }
    p += w;
    n -= static_cast<size_t>(w);
  }
}

// Async-signal-safe: write, tcsetattr.
void RestoreNow() {
  if (!g_tty.active) return;
  g_tty.active = 0;
  RawWrite(kLeaveModes, sizeof kLeaveModes - 1);
  tcsetattr(STDIN_FILENO, TCSANOW, &g_tty.saved);
}

void OnNotify(int sig) {
  int saved_errno = errno;
  char c = 'T';
  if (sig == SIGWINCH) c = 'W';
  if (sig == SIGTSTP) c = 'Z';
  if (sig == SIGCONT) c = 'C';
  if (g_tty.pipe_write >= 0) (void)!write(g_tty.pipe_write, &c, 1);
  errno = saved_errno;
}

// The handler runs with SA_RESETHAND and SA_NODEFER, so the raise below
// takes the default action (core dump or termination) at once.
void OnCrash(int sig) {
  RestoreNow();
  raise(sig);
}

void RestoreAtExit() { RestoreNow(); }

}  // namespace

bool TtyMode::RawMode(std::string& error) {
  termios raw = g_tty.saved;
  raw.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
  raw.c_oflag &= ~OPOST;
  raw.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  raw.c_cflag &= ~(CSIZE | PARENB);
  raw.c_cflag |= CS8;
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  if (tcsetattr(STDIN_FILENO, TCSADRAIN, &raw) != 0) {
    error = std::string("cannot set the terminal to raw mode: ") + std::strerror(errno);
    return false;
  }
  return true;
}

bool TtyMode::Enter(std::string& error) {
  if (active_) return true;
  if (tcgetattr(STDIN_FILENO, &g_tty.saved) != 0) {
    error = std::string("cannot read the terminal's modes: ") + std::strerror(errno);
    return false;
  }
  int fds[2];
  if (pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) {
    error = std::string("cannot create a pipe: ") + std::strerror(errno);
    return false;
  }
  g_tty.pipe_read = fds[0];
  g_tty.pipe_write = fds[1];

  struct sigaction sa {};
  sigemptyset(&sa.sa_mask);
  sa.sa_handler = OnNotify;
  sa.sa_flags = SA_RESTART;
  for (size_t i = 0; i < std::size(kNotifySignals); ++i)
    sigaction(kNotifySignals[i], &sa, &g_tty.old_notify[i]);
  sa.sa_handler = OnCrash;
  sa.sa_flags = SA_RESETHAND | SA_NODEFER;
  for (size_t i = 0; i < std::size(kCrashSignals); ++i)
    sigaction(kCrashSignals[i], &sa, &g_tty.old_crash[i]);
  if (!g_tty.atexit_registered) {
    std::atexit(RestoreAtExit);
    g_tty.atexit_registered = true;
  }

  if (!RawMode(error)) {
    Leave();
    return false;
  }
  g_tty.active = 1;
  active_ = true;
  WriteOut(kEnterModes);
  return true;
}

void TtyMode::Leave() {
  if (g_tty.pipe_read < 0) return;  // never entered, or already left
  RestoreNow();
  for (size_t i = 0; i < std::size(kNotifySignals); ++i)
    sigaction(kNotifySignals[i], &g_tty.old_notify[i], nullptr);
  for (size_t i = 0; i < std::size(kCrashSignals); ++i)
    sigaction(kCrashSignals[i], &g_tty.old_crash[i], nullptr);
  close(g_tty.pipe_read);
  close(g_tty.pipe_write);
  g_tty.pipe_read = g_tty.pipe_write = -1;
  active_ = false;
}

void TtyMode::Suspend() {
  if (!active_) return;
  RestoreNow();
  // Stop the whole process group, as the terminal's own Ctrl+Z would.
  struct sigaction dfl {}, mine {};
  sigemptyset(&dfl.sa_mask);
  dfl.sa_handler = SIG_DFL;
  sigaction(SIGTSTP, &dfl, &mine);
  kill(0, SIGTSTP);
  sigaction(SIGTSTP, &mine, nullptr);
  Reapply();
}

void TtyMode::Reapply() {
  if (!active_) return;
  if (!g_tty.active) tcgetattr(STDIN_FILENO, &g_tty.saved);  // the shell may have changed them
  std::string error;
  if (RawMode(error)) {
    g_tty.active = 1;
    WriteOut(kEnterModes);
  }
}

int TtyMode::SignalFd() const { return g_tty.pipe_read; }

TtyEvents TtyMode::TakeEvents() {
  TtyEvents ev;
  char buf[64];
  ssize_t n;
  while (g_tty.pipe_read >= 0 && (n = read(g_tty.pipe_read, buf, sizeof buf)) > 0) {
    for (ssize_t i = 0; i < n; ++i) {
      switch (buf[i]) {
        case 'T': ev.terminate = true; break;
        case 'W': ev.resize = true; break;
        case 'Z': ev.suspend = true; break;
        case 'C': ev.resumed = true; break;
      }
    }
  }
  return ev;
}

void TtyMode::WriteOut(std::string_view bytes) { RawWrite(bytes.data(), bytes.size()); }

}  // namespace qirn

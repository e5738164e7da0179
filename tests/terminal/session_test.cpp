// The whole terminal session on a real pseudo-terminal: a child process opens
// it, mirrors a screen and reports the keys it reads; the parent types, reads
// what the terminal shows through the emulator, signals and resizes, and
// checks the terminal's modes afterwards.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <string>

#include "terminal/session.h"
#include "vterm_oracle.h"

namespace qirn {
namespace {

// The child: a screen with a greeting, every key read echoed on it and sent
// to the parent as two bytes; "!" crashes it; the end of input closes the
// session and reports 'C'.
[[noreturn]] void ChildMain(int report) {
  Screen s;
  s.TextBackground(1);
  s.TextColor(14);
  s.ClrScr();
  s.Write("hello");
  TerminalSession t;
  std::string error;
  if (!t.Open(error)) _exit(3);
  KeySource& keys = t.Keys(s);
  try {
    for (;;) {
      Key k = keys.ReadKey();
      char b[2] = {static_cast<char>(k.ch), static_cast<char>(k.scan)};
      (void)!write(report, b, 2);
      s.WriteChar(k.ch ? k.ch : '#');
      if (k.ch == '!') raise(SIGSEGV);
      if (k.ch == '?') t.Bell().Sound(1000, 150);
    }
  } catch (const InputClosed&) {
    t.Close();
    (void)!write(report, "C", 1);
    _exit(0);
  }
}

class PtyChild {
 public:
  explicit PtyChild(int cols = 80, int rows = 25) : vt_(cols, rows) {
    int fds[2];
    EXPECT_EQ(pipe(fds), 0);
    winsize ws{};
    ws.ws_col = static_cast<unsigned short>(cols);
    ws.ws_row = static_cast<unsigned short>(rows);
    pid_ = forkpty(&master_, nullptr, nullptr, &ws);
    if (pid_ == 0) {
      close(fds[0]);
      setenv("TERM", "xterm-256color", 1);
      setenv("LANG", "C.UTF-8", 1);
      unsetenv("LC_ALL");
      unsetenv("LC_CTYPE");
      ChildMain(fds[1]);
    }
    close(fds[1]);
    report_ = fds[0];
    fcntl(master_, F_SETFL, O_NONBLOCK);
    fcntl(report_, F_SETFL, O_NONBLOCK);
  }
  ~PtyChild() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    close(master_);
    close(report_);
  }

  void Type(std::string_view bytes) { ASSERT_EQ(write(master_, bytes.data(), bytes.size()), ssize_t(bytes.size())); }
  void Resize(int cols, int rows) {
    winsize ws{};
    ws.ws_col = static_cast<unsigned short>(cols);
    ws.ws_row = static_cast<unsigned short>(rows);
    ioctl(master_, TIOCSWINSZ, &ws);
    vt_.Resize(cols, rows);
  }
  void Signal(int sig) { kill(pid_, sig); }

  // Pumps output and reports until `done` holds or two seconds pass.
  bool WaitFor(const std::function<bool()>& done) {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      Pump(20);
    }
    return true;
  }
  void Pump(int ms) {
    pollfd fds[2] = {{master_, POLLIN, 0}, {report_, POLLIN, 0}};
    poll(fds, 2, ms);
    char buf[8192];
    ssize_t n;
    while ((n = read(master_, buf, sizeof buf)) > 0) {
      output_.append(buf, static_cast<size_t>(n));
      vt_.Feed(std::string_view(buf, static_cast<size_t>(n)));
    }
    while ((n = read(report_, buf, sizeof buf)) > 0) reported_.append(buf, static_cast<size_t>(n));
  }
  // Waits for the child to end; its wait status.
  int Exit() {
    int status = 0;
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > end) return -1;
      Pump(10);
    }
    Pump(0);
    exited_ = true;
    return status;
  }
  bool Cooked() const {
    termios t{};
    tcgetattr(master_, &t);
    return (t.c_lflag & ICANON) && (t.c_lflag & ECHO) && (t.c_lflag & ISIG);
  }
  std::string Row(int row, int cols = 80) const {
    std::string s;
    for (int c = 1; c <= cols; ++c) {
      char32_t ch = vt_.At(c, row).ch;
      s += ch < 128 ? static_cast<char>(ch) : '?';
    }
    return s;
  }

  const std::string& output() const { return output_; }
  const std::string& reported() const { return reported_; }
  const VtOracle& vt() const { return vt_; }

 private:
  VtOracle vt_;
  pid_t pid_ = -1;
  int master_ = -1, report_ = -1;
  bool exited_ = false;
  std::string output_, reported_;
};

constexpr char kLeave[] = "\x1b[?1049l";  // the last thing written on leaving

TEST(Session, MirrorsTheScreenDecodesKeysAndEndsCleanOnSigterm) {
  PtyChild p;
  ASSERT_TRUE(p.WaitFor([&] { return p.Row(1).rfind("hello", 0) == 0; })) << p.output();
  EXPECT_EQ(p.vt().At(1, 1).bg, 4);  // DOS blue
  EXPECT_NE(p.output().find("\x1b[?1049h"), std::string::npos);
  EXPECT_NE(p.output().find("\x1b[?2004h"), std::string::npos);
  EXPECT_NE(p.output().find("\x1b[?1036h"), std::string::npos);
  EXPECT_FALSE(p.Cooked());

  p.Type("ab\x1bOP\x1b[1;5A");
  ASSERT_TRUE(p.WaitFor([&] { return p.reported().size() >= 8; }));
  EXPECT_EQ(p.reported(), std::string("a\0b\0\0;\0H", 8));
  ASSERT_TRUE(p.WaitFor([&] { return p.Row(1).rfind("helloab##", 0) == 0; })) << p.Row(1);

  p.Signal(SIGTERM);
  int status = p.Exit();
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(p.reported().back(), 'C');
  EXPECT_TRUE(p.Cooked());
  const std::string& out = p.output();
  ASSERT_GE(out.size(), sizeof kLeave);
  EXPECT_EQ(out.substr(out.size() - (sizeof kLeave - 1)), kLeave);
  EXPECT_NE(out.find("\x1b[?2004l"), std::string::npos);
  EXPECT_NE(out.find("\x1b[?1036l"), std::string::npos);
  EXPECT_NE(out.find("\x1b[?25h"), std::string::npos);
}

TEST(Session, CtrlCAndHangupEndTheInput) {
  for (int how = 0; how < 2; ++how) {
    PtyChild p;
    ASSERT_TRUE(p.WaitFor([&] { return p.Row(1).rfind("hello", 0) == 0; }));
    if (how == 0) p.Type("\x03"); else p.Signal(SIGHUP);
    int status = p.Exit();
    ASSERT_TRUE(WIFEXITED(status)) << how;
    EXPECT_EQ(p.reported(), "C") << how;
    EXPECT_TRUE(p.Cooked()) << how;
  }
}

TEST(Session, CrashSignalsRestoreTheTerminalAndStillCrash) {
  for (int sig : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS}) {
    PtyChild p;
    ASSERT_TRUE(p.WaitFor([&] { return p.Row(1).rfind("hello", 0) == 0; }));
    p.Signal(sig);
    int status = p.Exit();
    ASSERT_TRUE(WIFSIGNALED(status)) << sig;
    EXPECT_EQ(WTERMSIG(status), sig);
    EXPECT_TRUE(p.Cooked()) << sig;
    const std::string& out = p.output();
    EXPECT_EQ(out.substr(out.size() - (sizeof kLeave - 1)), kLeave) << sig;
  }
}

TEST(Session, ACrashInsideTheProgramRestoresToo) {
  PtyChild p;
  ASSERT_TRUE(p.WaitFor([&] { return p.Row(1).rfind("hello", 0) == 0; }));
  p.Type("!");
  int status = p.Exit();
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGSEGV);
  EXPECT_TRUE(p.Cooked());
}

TEST(Session, TooSmallShowsTheNoticeAndHoldsKeysUntilLargeEnough) {
  PtyChild p;
  ASSERT_TRUE(p.WaitFor([&] { return p.Row(1).rfind("hello", 0) == 0; }));
  p.Resize(80, 24);
  ASSERT_TRUE(p.WaitFor([&] {
    for (int r = 1; r <= 24; ++r)
      if (p.Row(r).find("This one is 80 x 24.") != std::string::npos) return true;
    return false;
  }));
  p.Type("7");
  p.Pump(150);
  EXPECT_EQ(p.reported(), "");  // held, not lost
  p.Resize(80, 25);
  ASSERT_TRUE(p.WaitFor([&] { return p.reported().size() == 2; }));
  EXPECT_EQ(p.reported(), std::string("7\0", 2));
  ASSERT_TRUE(p.WaitFor([&] { return p.Row(1).rfind("hello7", 0) == 0; })) << p.Row(1);
  p.Signal(SIGTERM);
  EXPECT_TRUE(WIFEXITED(p.Exit()));
}

size_t Count(const std::string& s, std::string_view what) {
  size_t n = 0;
  for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
  return n;
}

// Ctrl+Z and SIGTSTP hand the terminal back before stopping and take it again
// afterwards with a full repaint; SIGCONT alone repaints. (The child's process
// group has no shell to stop for, so the stop itself passes at once.)
TEST(Session, SuspendRestoresThenRepaints) {
  PtyChild p;
  ASSERT_TRUE(p.WaitFor([&] { return p.Row(1).rfind("hello", 0) == 0; }));
  for (int how = 0; how < 3; ++how) {
    size_t enters = Count(p.output(), "\x1b[?1049h");
    if (how == 0) p.Type("\x1a");
    if (how == 1) p.Signal(SIGTSTP);
    if (how == 2) p.Signal(SIGCONT);
    ASSERT_TRUE(p.WaitFor([&] { return Count(p.output(), "\x1b[?1049h") > enters; })) << how;
    if (how < 2) {
      size_t left = p.output().rfind(kLeave);
      ASSERT_NE(left, std::string::npos);
      EXPECT_LT(left, p.output().rfind("\x1b[?1049h")) << how;
    }
    ASSERT_TRUE(p.WaitFor([&] { return p.Row(1).rfind("hello", 0) == 0; })) << how;
    EXPECT_FALSE(p.Cooked()) << how;
  }
  EXPECT_EQ(p.reported(), "");  // Ctrl+Z is no key for the calculator
  p.Type("k");
  ASSERT_TRUE(p.WaitFor([&] { return p.reported() == std::string("k\0", 2); }));
  p.Signal(SIGTERM);
  EXPECT_TRUE(WIFEXITED(p.Exit()));
}

TEST(Session, BellGoesOutWithTheNextFrame) {
  PtyChild p;
  ASSERT_TRUE(p.WaitFor([&] { return p.Row(1).rfind("hello", 0) == 0; }));
  p.Type("?");
  ASSERT_TRUE(p.WaitFor([&] { return p.vt().Bells() == 1; }));
  p.Signal(SIGTERM);
  EXPECT_TRUE(WIFEXITED(p.Exit()));
}

// Open refuses when it cannot work, without touching anything.
TEST(Session, OpenFailsWithAReasonWhenNotOnATerminal) {
  auto reason = [](bool dumb) {
    int fds[2];
    EXPECT_EQ(pipe(fds), 0);
    pid_t pid = fork();
    if (pid == 0) {
      close(fds[0]);
      if (dumb) {
        setenv("TERM", "dumb", 1);
        int m, s;
        openpty(&m, &s, nullptr, nullptr, nullptr);
        dup2(s, 0);
        dup2(s, 1);
      } else {
        int null = open("/dev/null", O_RDONLY);
        dup2(null, 0);
      }
      TerminalSession t;
      std::string error;
      bool ok = t.Open(error);
      (void)!write(fds[1], error.data(), error.size());
      _exit(ok ? 0 : 1);
    }
    close(fds[1]);
    std::string got;
    char buf[256];
    ssize_t n;
    while ((n = read(fds[0], buf, sizeof buf)) > 0) got.append(buf, static_cast<size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    return got;
  };
  EXPECT_EQ(reason(false), "standard input is not a terminal");
  EXPECT_EQ(reason(true), "the terminal (TERM=dumb) cannot position the cursor");
}

}  // namespace
}  // namespace qirn

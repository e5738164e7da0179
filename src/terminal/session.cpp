// The terminal session: checks, modes, key source and bell wired together.
#include "terminal/session.h"

#include <cstdlib>
#include <string_view>
#include <unistd.h>

#include "terminal/locale.h"
#include "terminal/tty_keys.h"
#include "terminal/tty_mode.h"

namespace qirn {

struct TerminalSession::Impl {
  TtyMode tty;
  Charset charset = Charset::Unicode;
  std::unique_ptr<TtyKeys> keys;
  TtyBell bell;
  ScriptedKeys closed;  // handed out when the session is not open: no keys
};

TerminalSession::TerminalSession() : impl_(std::make_unique<Impl>()) {}
TerminalSession::~TerminalSession() { Close(); }

bool TerminalSession::Open(std::string& error) {
  if (impl_->tty.Active()) return true;
  if (!isatty(STDIN_FILENO)) {
    error = "standard input is not a terminal";
    return false;
  }
  if (!isatty(STDOUT_FILENO)) {
    error = "standard output is not a terminal";
    return false;
  }
  const char* term = std::getenv("TERM");
  if (!term || !*term) {
    error = "TERM is not set, so the terminal type is unknown";
    return false;
  }
  if (std::string_view(term) == "dumb") {
    error = "the terminal (TERM=dumb) cannot position the cursor";
    return false;
  }
  impl_->charset = CharsetFromEnvironment();
  return impl_->tty.Enter(error);
}

void TerminalSession::Close() {
  impl_->tty.Leave();
}

KeySource& TerminalSession::Keys(const Screen& screen) {
  if (!impl_->tty.Active()) return impl_->closed;
  if (!impl_->keys) {
    // GNU screen (which names its session in STY) erases in the default
    // colours unless configured otherwise; there every blank is written.
    const bool colour_erase = std::getenv("STY") == nullptr;
    impl_->keys = std::make_unique<TtyKeys>(impl_->tty, screen, impl_->charset, colour_erase);
    impl_->bell.Attach(impl_->keys.get());
  }
  return *impl_->keys;
}

Tone& TerminalSession::Bell() { return impl_->bell; }

}  // namespace qirn

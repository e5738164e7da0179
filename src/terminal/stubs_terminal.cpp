// Placeholder until the terminal backend lands.
#include "terminal/session.h"

namespace qirn {

struct TerminalSession::Impl {
  ScriptedKeys keys;
  CountingTone tone;
};
TerminalSession::TerminalSession() : impl_(std::make_unique<Impl>()) {}
TerminalSession::~TerminalSession() = default;
bool TerminalSession::Open(std::string& error) {
  error = "the terminal backend is not built yet";
  return false;
}
void TerminalSession::Close() {}
KeySource& TerminalSession::Keys(const Screen&) { return impl_->keys; }
Tone& TerminalSession::Bell() { return impl_->tone; }

}  // namespace qirn

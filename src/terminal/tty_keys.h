// The terminal's key source: mirrors the screen model before every blocking
// read, waits for bytes or signals, and hands out decoded keys one at a time.
#pragma once
#include <deque>

#include "console/devices.h"
#include "console/keys.h"
#include "console/screen.h"
#include "terminal/key_decoder.h"
#include "terminal/renderer.h"
#include "terminal/tty_mode.h"

namespace qirn {

class TtyKeys : public KeySource {
 public:
  TtyKeys(TtyMode& tty, const Screen& screen, Charset charset, bool colour_erase)
      : tty_(tty), screen_(screen), renderer_(charset, colour_erase) {}

  // Throws InputClosed at end of input, on Ctrl+C and on a termination signal,
  // and on every call after that. Ctrl+Z suspends and resumes in here.
  Key ReadKey() override;

  // A BEL goes out with the next frame.
  void RingBell() { bell_ = true; }

 private:
  void HandleSignals();
  void Flush();
  void WaitForInput();
  void Take(std::vector<Key>& keys);
  void SuspendNow();

  TtyMode& tty_;
  const Screen& screen_;
  Renderer renderer_;
  KeyDecoder decoder_;
  std::deque<Key> queue_;
  bool closed_ = false;
  bool bell_ = false;
};

class TtyBell : public Tone {
 public:
  explicit TtyBell(TtyKeys* keys = nullptr) : keys_(keys) {}
  void Attach(TtyKeys* keys) { keys_ = keys; }
  void Sound(int, int) override {
    if (keys_) keys_->RingBell();
  }

 private:
  TtyKeys* keys_;
};

}  // namespace qirn

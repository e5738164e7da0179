// The terminal key decoder on arbitrary bytes and pauses: it never crashes,
// every key it produces is a character or a known-shaped extended key, and
// once the input has been idle long enough nothing is left pending.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "terminal/key_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qirn;
  KeyDecoder d;
  std::vector<Key> out;
  // Each chunk: a length byte, a pause byte (ms), then that many input bytes.
  size_t i = 0;
  while (i + 2 <= size) {
    size_t len = data[i] % 16;
    int pause = data[i + 1];
    i += 2;
    if (len > size - i) len = size - i;
    d.Feed(std::string_view(reinterpret_cast<const char*>(data + i), len), out);
    i += len;
    d.Idle(pause, out);
  }
  d.Idle(KeyDecoder::kSequenceTimeoutMs + KeyDecoder::kEscTimeoutMs, out);
  d.Idle(KeyDecoder::kSequenceTimeoutMs + KeyDecoder::kEscTimeoutMs, out);
  if (d.PendingTimeout() != -1) {
    std::fprintf(stderr, "input still pending after a long pause\n");
    std::abort();
  }
  for (const Key& k : out)
    if (k.ch == 0 && k.scan == 0) {
      std::fprintf(stderr, "extended key without a scan code\n");
      std::abort();
    }
  return 0;
}

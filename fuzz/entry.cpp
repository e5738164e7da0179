// Number entry alone: a digit starts it, the fuzzer's bytes are the keys that
// follow. Whatever is accepted must push a value in normal form.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "calculator/commands.h"
#include "key_bytes.h"
#include "screen/layout.h"
#include "support/invariants.h"
#include "support/rig.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qirn;
  if (size < 2) return 0;
  test::Rig r;
  static constexpr char kModes[] = "GSCZD";
  r.st().NumberMode = kModes[data[0] % 5];
  InitializeScreen(r.c);
  ScriptedKeys script = fuzz::KeysFromBytes(data + 2, size - 2);
  r.con.keys = &script;
  uint8_t ch = static_cast<uint8_t>('0' + data[1] % 10), scan_code = 0;
  try {
    StackInput(r.c, ch, scan_code);
  } catch (const InputClosed&) {
    return 0;  // the entry was still open
  }
  std::string p = test::InvariantProblem(r.c);
  if (!p.empty()) {
    std::fprintf(stderr, "invariant broken: %s\n", p.c_str());
    std::abort();
  }
  return 0;
}

// The state-file reader on arbitrary bytes: it either loads a state that
// satisfies every invariant or reports failure and leaves the state and the
// file untouched; and what it loaded is written back byte-exactly readable.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "screen/layout.h"
#include "storage/storage.h"
#include "support/invariants.h"
#include "support/rig.h"

namespace {
[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "%s\n", what.c_str());
  std::abort();
}

bool SameReal(long double a, long double b) { return std::memcmp(&a, &b, 10) == 0; }

// Field by field (a byte comparison of the records would see their padding).
bool SameState(const qirn::State& a, const qirn::State& b) {
  if (a.NumberMode != b.NumberMode || a.PrevSxgMode != b.PrevSxgMode || a.TrigMode != b.TrigMode ||
      a.Base != b.Base || a.MemPtr != b.MemPtr || a.Menu_No != b.Menu_No || a.DisplayMode != b.DisplayMode)
    return false;
  for (int i = 0; i < 4; ++i)
    if (!(a.SxgStack[i] == b.SxgStack[i]) || !SameReal(a.RealStack[i], b.RealStack[i])) return false;
  for (int k = 0; k < 10; ++k)
    if (!(a.SxgMem[k] == b.SxgMem[k]) || !SameReal(a.RealMem[k], b.RealMem[k]) ||
        !(a.SxgMemText[k] == b.SxgMemText[k]) || !(a.RealMemText[k] == b.RealMemText[k]))
      return false;
  return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qirn;
  test::Rig r;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  r.files.files["save.qn"] = bytes;
  State before = r.st();
  bool loaded = ReadSave(r.c);
  if (r.files.files["save.qn"] != bytes) Fail("the reader changed the file");
  if (!loaded) {
    if (!SameState(before, r.st())) Fail("a failed load changed the state");
    return 0;
  }
  InitializeScreen(r.c);  // fills StackText and draws, as the program does next
  if (std::string p = test::InvariantProblem(r.c); !p.empty()) Fail("loaded state: " + p);
  // What was loaded survives a write and a second read exactly.
  State first = r.st();
  WriteSave(r.c);
  test::Rig again;
  again.files.files = r.files.files;
  if (!ReadSave(again.c)) Fail("a written file does not load");
  InitializeScreen(again.c);
  if (!SameState(again.st(), first)) Fail("the state differs after a write and a second read");
  return 0;
}

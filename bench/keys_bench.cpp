// The whole calculator replaying a typed script, in process: the in-memory
// screen, and the renderer turning each frame into the bytes a terminal
// would get. Before every key read the frame is rendered, as the terminal
// session does before it blocks; the time from handing out a key to the end
// of that render is the key's latency, and the bytes are the key's output.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "bench_lines.h"
#include "console/files.h"
#include "screen/dialog.h"
#include "support/rig.h"
#include "terminal/renderer.h"

namespace qirn::bench {
namespace {

using Clock = std::chrono::steady_clock;

enum Class { kDigit, kEntry, kEnter, kArith, kSxgTrig, kRealTrig, kPrefix, kOther, kClasses };
constexpr const char* kClassName[kClasses] = {
    "digits", "entry markers", "ENTER", "arithmetic keys (+ - * /)", "sexagesimal trig commands",
    "decimal trig commands", "group letters", "other commands"};

struct ScriptKey {
  Key key;
  Class cls;
};

// The script: blocks of ordinary work (numbers typed in the notations,
// arithmetic, trigonometry, stack commands) in every number mode. No step
// raises an error, which would swallow the next key; the replay checks that.
class Script {
 public:
  // Digits, entry markers and the keys of a command; the last key of a
  // command of several letters is the one that runs it.
  void Number(std::string_view text) {
    for (char ch : text) keys.push_back({{static_cast<uint8_t>(ch), 0}, ch >= '0' && ch <= '9' ? kDigit : kEntry});
  }
  void Command(std::string_view text, Class cls) {
    for (size_t i = 0; i < text.size(); ++i)
      keys.push_back({{static_cast<uint8_t>(text[i]), 0}, i + 1 == text.size() ? cls : kPrefix});
  }
  void Enter() { keys.push_back({{13, 0}, kEnter}); }
  void Mode(char m) {
    keys.push_back({{0, scan::AltM}, kPrefix});
    keys.push_back({{static_cast<uint8_t>(m), 0}, kOther});
  }
  void SxgBlock() {
    Number("12;30,15,7");
    Enter();
    Number("3;7,30");
    Command("+", kArith);
    Number("2;15");
    Command("*", kArith);
    Number("7;30");
    Command("/", kArith);
    Number("1;0,30");
    Command("-", kArith);
    Number("30");
    Command("SI", kSxgTrig);
    Command("CO", kSxgTrig);
    Command("TA", kSxgTrig);
    Number("0;30");
    Command("ASI", kSxgTrig);
    Command("ATA", kSxgTrig);
    Number("1;0");
    Command("ACH", kSxgTrig);
    Command("CH", kSxgTrig);
    Number("0;45");
    Command("ACO", kSxgTrig);
    Number("1234567;1,2,3,4,5,6,7,8,9,10");
    Command("SI", kSxgTrig);
    Command("SR", kOther);
    Command("X", kOther);
    Command("+", kArith);
    Command("U", kOther);
    Command("*", kArith);
    Command("D", kOther);
  }
  void RealBlock() {
    Number("12.5");
    Enter();
    Number("3.25");
    Command("+", kArith);
    Number("2.125");
    Command("*", kArith);
    Number("7.5");
    Command("/", kArith);
    Number("1.0625");
    Command("-", kArith);
    Number("30");
    Command("SI", kRealTrig);
    Command("CO", kRealTrig);
    Command("TA", kRealTrig);
    Number("0.5");
    Command("ASI", kRealTrig);
    Command("ATA", kRealTrig);
    Number("1");
    Command("ACH", kRealTrig);
    Number("1234567.123456789");
    Command("SI", kRealTrig);
    Command("X", kOther);
    Command("+", kArith);
  }
  std::vector<ScriptKey> keys;
};

std::vector<ScriptKey> MakeScript(size_t at_least) {
  Script s;
  while (s.keys.size() < at_least) {
    for (char m : {'G', 'S', 'Z', 'C'}) {
      s.Mode(m);
      for (int i = 0; i < 3; ++i) s.SxgBlock();
    }
    s.Mode('D');
    for (int i = 0; i < 3; ++i) s.RealBlock();
  }
  return s.keys;
}

bool ShowsError(const Screen& scr) {
  std::string_view row = scr.RowText(6).substr(3, 55);
  for (int16_t n = 1; n <= 8; ++n)
    if (row == ErrorMessage(n)) return true;
  return row == OverflowMessage(true) || row == OverflowMessage(false);
}

struct Sample {
  double ns;
  size_t bytes;
};

// Renders before every read, then hands out the next key of the script.
class ReplayKeys : public KeySource {
 public:
  ReplayKeys(const std::vector<ScriptKey>& script, const Screen& screen) : script_(script), screen_(screen) {}
  Key ReadKey() override {
    std::string out = renderer_.Render(FrameOf(screen_), Screen::Cols, Screen::Rows);
    const Clock::time_point done = Clock::now();
    if (pos_ == 0) {
      full_frame_bytes = out.size();
    } else {
      const double ns = std::chrono::duration<double, std::nano>(done - handed_out_).count();
      samples[script_[pos_ - 1].cls].push_back({ns, out.size()});
      if (ShowsError(screen_)) ++errors;
    }
    if (pos_ >= script_.size()) throw InputClosed{};
    handed_out_ = Clock::now();
    return script_[pos_++].key;
  }
  std::vector<Sample> samples[kClasses];
  size_t full_frame_bytes = 0;
  int errors = 0;
  Renderer renderer_;

 private:
  const std::vector<ScriptKey>& script_;
  const Screen& screen_;
  size_t pos_ = 0;
  Clock::time_point handed_out_;
};

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  size_t k = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
  return v[k];
}

double Median(std::vector<double> v) { return Percentile(std::move(v), 0.5); }

struct PassFigures {
  double median_us[kClasses], p99_us[kClasses], mean_bytes[kClasses];
  size_t count[kClasses];
  double full_frame_bytes, unchanged_bytes, full_frame_us;
  int errors;
};

PassFigures ReplayOnce(const std::vector<ScriptKey>& script) {
  test::Rig r;
  ReplayKeys keys(script, r.scr());
  r.con.keys = &keys;
  Main_Program(r.c);
  PassFigures f{};
  for (int k = 0; k < kClasses; ++k) {
    std::vector<double> t;
    double bytes = 0;
    for (const Sample& s : keys.samples[k]) {
      t.push_back(s.ns / 1000);
      bytes += static_cast<double>(s.bytes);
    }
    f.count[k] = t.size();
    f.median_us[k] = Median(t);
    f.p99_us[k] = Percentile(t, 0.99);
    f.mean_bytes[k] = t.empty() ? 0 : bytes / static_cast<double>(t.size());
  }
  // A full frame of the final screen, and the same frame once more.
  Frame frame = FrameOf(r.scr());
  keys.renderer_.Invalidate();
  Clock::time_point t0 = Clock::now();
  std::string full = keys.renderer_.Render(frame, Screen::Cols, Screen::Rows);
  f.full_frame_us = std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
  f.full_frame_bytes = static_cast<double>(full.size());
  f.unchanged_bytes = static_cast<double>(keys.renderer_.Render(frame, Screen::Cols, Screen::Rows).size());
  f.errors = keys.errors;
  return f;
}

// Hands out ENTER for the start-up screen without drawing it (typed ahead,
// as the terminal session would not draw with a key waiting), then renders
// the first working-screen frame, notes the time and ends the run.
class StartupKeys : public KeySource {
 public:
  StartupKeys(const Screen& screen, bool draw_welcome) : screen_(screen), draw_welcome_(draw_welcome) {}
  Key ReadKey() override {
    if (reads_++ == 0) {
      if (draw_welcome_) {
        bytes = renderer_.Render(FrameOf(screen_), Screen::Cols, Screen::Rows).size();
        first_frame = Clock::now();
        throw InputClosed{};
      }
      return Key{13, 0};
    }
    bytes = renderer_.Render(FrameOf(screen_), Screen::Cols, Screen::Rows).size();
    first_frame = Clock::now();
    throw InputClosed{};
  }
  Clock::time_point first_frame;
  size_t bytes = 0;

 private:
  const Screen& screen_;
  bool draw_welcome_;
  Renderer renderer_;
  int reads_ = 0;
};

void RemoveStateFiles(const std::string& dir) {
  for (const char* name : {"/SAVE.QN", "/save.qn", "/SAVE.BAD"}) std::remove((dir + name).c_str());
}

struct StartupFigure {
  double median_us, max_us;
  size_t bytes;
  bool loaded;  // the state file's X reached the stack
};

// The start-up in a scratch directory holding the given state file (or
// none), through the real files layer.
StartupFigure Startup(const std::string& dir, const std::string* state_file, bool welcome, int reps) {
  std::vector<double> us;
  size_t bytes = 0;
  bool loaded = true;
  for (int i = 0; i < reps; ++i) {
    RemoveStateFiles(dir);
    if (state_file) std::ofstream(dir + "/SAVE.QN", std::ios::binary) << *state_file;
    const Clock::time_point t0 = Clock::now();
    {
      PosixFiles files(dir);
      CountingTone tone;
      Console con;
      StartupKeys keys(con.screen, welcome);
      con.keys = &keys;
      con.tone = &tone;
      con.files = &files;
      Calc c(con);
      c.st.Use_Disk = true;
      RunProgram(c);  // the state is written after the clock has stopped
      us.push_back(std::chrono::duration<double, std::micro>(keys.first_frame - t0).count());
      bytes = keys.bytes;
      loaded = loaded && c.st.SxgStack[0].Digits[1] == 30;  // 7;30 on top
    }
  }
  return {Median(us), *std::max_element(us.begin(), us.end()), bytes, loaded};
}

// A state file with every stack level, register and description in use.
std::string MakeStateFile(const std::string& dir) {
  {
    PosixFiles files(dir);
    test::Rig r;
    r.con.files = &files;
    r.st().Use_Disk = true;
    r.keys.Type("12;30,15\r3;7,30\r2;15\r7;30\r");
    r.Run();
  }
  PosixFiles files(dir);
  std::ifstream in(dir + "/" + files.Find("SAVE.QN"), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

const char* Met(bool ok) { return ok ? "yes" : "**no**"; }

}  // namespace

int RunKeys(std::FILE* out, int passes) {
  const std::vector<ScriptKey> script = MakeScript(10000);
  std::vector<PassFigures> runs;
  for (int p = 0; p < passes; ++p) runs.push_back(ReplayOnce(script));
  // Each figure is the median over the passes.
  auto over = [&](auto get) {
    std::vector<double> v;
    for (const PassFigures& f : runs) v.push_back(get(f));
    return Median(v);
  };
  int missed = 0;
  std::fprintf(out, "Keystroke replay: %zu keys, %d passes (each figure the median of the passes)%s\n\n",
               script.size(), passes, runs[0].errors ? "; WARNING: the script raised errors" : "");
  std::fprintf(out, "| keys | count | median us | p99 us | bytes per key | goal | met |\n");
  std::fprintf(out, "|---|---:|---:|---:|---:|---|---|\n");
  for (int k = 0; k < kClasses; ++k) {
    double med = over([k](const PassFigures& f) { return f.median_us[k]; });
    double p99 = over([k](const PassFigures& f) { return f.p99_us[k]; });
    double bytes = over([k](const PassFigures& f) { return f.mean_bytes[k]; });
    std::string goal = "";
    bool ok = true;
    if (k == kArith) {
      goal = "p99 <= 50 us";
      ok = p99 <= 50;
    } else if (k == kSxgTrig || k == kRealTrig) {
      goal = "p99 <= 100 us";
      ok = p99 <= 100;
    } else if (k == kDigit) {
      goal = "<= 48 bytes";
      ok = bytes <= 48;
    }
    if (!ok) ++missed;
    std::fprintf(out, "| %s | %zu | %.1f | %.1f | %.0f | %s | %s |\n", kClassName[k], runs[0].count[k], med, p99,
                 bytes, goal.c_str(), goal.empty() ? "" : Met(ok));
  }
  const double full = over([](const PassFigures& f) { return f.full_frame_bytes; });
  const double unchanged = over([](const PassFigures& f) { return f.unchanged_bytes; });
  const double full_us = over([](const PassFigures& f) { return f.full_frame_us; });
  missed += full > 2600;
  missed += unchanged > 0;
  std::fprintf(out, "\n| frame | bytes | render us | goal | met |\n|---|---:|---:|---|---|\n");
  std::fprintf(out, "| full frame (working screen) | %.0f | %.1f | <= 2600 bytes | %s |\n", full, full_us, Met(full <= 2600));
  std::fprintf(out, "| unchanged frame | %.0f | | 0 bytes | %s |\n", unchanged, Met(unchanged == 0));

  char tmpl[] = "/tmp/qirn_bench.XXXXXX";
  if (!mkdtemp(tmpl)) {
    std::fprintf(out, "\n(no scratch directory for the start-up figures)\n");
    return missed;
  }
  const std::string dir = tmpl;
  const std::string state = MakeStateFile(dir);
  constexpr int kReps = 21;
  const StartupFigure welcome = Startup(dir, nullptr, true, kReps);
  const StartupFigure none = Startup(dir, nullptr, false, kReps);
  const StartupFigure with = Startup(dir, &state, false, kReps);
  RemoveStateFiles(dir);
  rmdir(dir.c_str());
  std::fprintf(out, "\nStart-up, in process, %d runs each (state file of %zu bytes in a scratch directory)\n\n",
               kReps, state.size());
  std::fprintf(out, "| first frame | median us | max us | bytes | goal | met |\n|---|---:|---:|---:|---|---|\n");
  std::fprintf(out, "| start-up screen | %.0f | %.0f | %zu | | |\n", welcome.median_us, welcome.max_us, welcome.bytes);
  struct Row {
    const char* name;
    StartupFigure f;
    bool with_file;
  };
  for (const Row& row : {Row{"working screen, no state file", none, false},
                         Row{"working screen, with state file", with, true}}) {
    bool ok = row.f.median_us <= 5000;
    missed += !ok;
    std::fprintf(out, "| %s | %.0f | %.0f | %zu | <= 5000 us | %s |\n", row.name, row.f.median_us, row.f.max_us,
                 row.f.bytes, Met(ok));
    if (row.f.loaded != row.with_file)
      std::fprintf(out, "WARNING: the state file was %sread\n", row.f.loaded ? "" : "not ");
  }
  return missed;
}

}  // namespace qirn::bench

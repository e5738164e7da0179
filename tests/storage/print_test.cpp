// The printed report: its two questions, the four kinds line by line, and
// the printer errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decimal/real_format.h"
#include "screen/dialog.h"
#include "sexagesimal/sxg_format.h"
#include "storage/storage.h"
#include "support/rig.h"
#include "support/sxg_text.h"

namespace qirn::test {
namespace {

using Lines = std::vector<std::string>;

// A calculator with recognisable stack texts and registers: register k
// holds k * 1;30 (so register 0 is zero) and the even ones a description.
struct PrintRig : Rig {
  explicit PrintRig(char mode) {
    st().Use_Disk = true;
    st().NumberMode = mode;
    const char* texts[4] = {"        first", "second", "", "fourth"};
    for (int i = 0; i < 4; ++i) st().StackText[i].assign(texts[i]);
    for (int k = 0; k < 10; ++k) {
      st().RealMem[k] = k * 1.5L;
      st().SxgMem[k] = k == 0 ? Sxg{} : S(std::to_string(k) + ";30");
      if (k % 2 == 0) {
        st().RealMemText[k].assign("real note " + std::to_string(k));
        st().SxgMemText[k].assign("sxg note " + std::to_string(k));
      }
    }
  }
};

// The report as the command is described, built here line by line.
Lines Expected(const State& s, char answer) {
  const bool dec = s.NumberMode == 'D';
  const std::string system = dec ? "decimal" : "sexagesimal";
  Lines out;
  if (answer == 'S' || answer == 'A') {
    out.insert(out.end(), {"", "Contents of the " + system + " STACK", ""});
    const char level[] = "XYZT";
    for (int i = 0; i < 4; ++i) out.push_back((level[i] + std::string(s.StackText[i].view())).substr(0, 55));
    out.push_back("");
  }
  if (answer != 'S') {
    out.insert(out.end(), {"", "Contents of the " + system + " MEMORY", ""});
    for (int k = 0; k < 10; ++k) {
      bool zero = dec ? s.RealMem[k] == 0 : s.SxgMem[k] == Sxg{};
      std::string value;
      if (answer != 'M' || !zero)
        value = std::string(dec ? RealToStr(s.RealMem[k]).view() : SxgToStr(s.SxgMem[k], s.NumberMode).view());
      out.push_back(std::to_string(k) + value);
      if (answer != 'M') {
        const String55& d = dec ? s.RealMemText[k] : s.SxgMemText[k];
        out.push_back(d.empty() ? "" : std::string(dec ? 21 : 24, ' ') + std::string(d.view()));
      }
    }
    out.push_back("");
  }
  return out;
}

TEST(Print, EachReportKindLineByLine) {
  for (char mode : {'G', 'S', 'C', 'Z', 'D'}) {
    for (char answer : {'S', 'M', 'D', 'A'}) {
      PrintRig r(mode);
      r.keys.Type(std::string(1, static_cast<char>(answer + ('a' - 'A') * (mode == 'C'))));
      r.keys.Type("x");  // "press any key"
      Print(r.c);
      EXPECT_EQ(r.printer.lines, Expected(r.st(), answer)) << mode << " " << answer;
      EXPECT_EQ(r.keys.Remaining(), 0u);
      EXPECT_EQ(r.Text(25, 1, 14), "Type Q to Quit");
    }
  }
}

TEST(Print, SomeLinesSpelledOut) {
  PrintRig r('G');
  r.keys.Type("Ax");
  Print(r.c);
  const Lines& l = r.printer.lines;
  ASSERT_EQ(l.size(), 8u + 3 + 20 + 1);
  EXPECT_EQ(l[1], "Contents of the sexagesimal STACK");
  EXPECT_EQ(l[3], "X        first");
  EXPECT_EQ(l[5], "Z");
  EXPECT_EQ(l[9], "Contents of the sexagesimal MEMORY");
  EXPECT_EQ(l[12], std::string(24, ' ') + "sxg note 0");
  EXPECT_EQ(l[14], "");  // register 1 has no description

  PrintRig d('D');
  d.keys.Type("Mx");
  Print(d.c);
  EXPECT_EQ(d.printer.lines[1], "Contents of the decimal MEMORY");
  EXPECT_EQ(d.printer.lines[3], "0") << "a zero register prints only its number";
}

TEST(Print, StackLineIsCutTo55Characters) {
  PrintRig r('G');
  r.st().StackText[0].assign(std::string(55, '7'));
  r.keys.Type("Sx");
  Print(r.c);
  EXPECT_EQ(r.printer.lines[3], "X" + std::string(54, '7'));
}

TEST(Print, CompactLayoutStillPrintsFourLevels) {
  PrintRig r('G');
  r.st().DisplayMode = 1;
  r.keys.Type("Sx");
  Print(r.c);
  EXPECT_EQ(r.printer.lines, Expected(r.st(), 'S'));
}

TEST(Print, Questions) {
  {  // ESC at the first question: nothing printed, no second question.
    PrintRig r('G');
    r.keys.Type("\x1b" "S");
    Print(r.c);
    EXPECT_TRUE(r.printer.lines.empty());
    EXPECT_EQ(r.keys.Remaining(), 1u);
  }
  {  // Other keys are ignored; the second question takes any key, ESC or an extended key.
    for (int second = 0; second < 2; ++second) {
      PrintRig r('G');
      r.keys.Type("q1");
      r.keys.Ext(scan::F1);
      r.keys.Type("s");
      if (second == 0) r.keys.Type("\x1b");
      else r.keys.Ext(scan::AltP);
      Print(r.c);
      EXPECT_EQ(r.printer.lines, Expected(r.st(), 'S'));
      EXPECT_EQ(r.keys.Remaining(), 0u);
    }
  }
}

// Lines after a failure are lost; the failure is found at the next check
// point: after each heading, each stack level, each register.
class FailingPrinter : public PrinterStream {
 public:
  explicit FailingPrinter(size_t fail_from) : fail_from_(fail_from) {}
  void Write(std::string_view t) override { current_ += t; }
  void WriteLn() override {
    attempted.push_back(current_);
    current_.clear();
  }
  bool CheckError() override { return attempted.size() > fail_from_; }
  Lines attempted;

 private:
  size_t fail_from_;
  std::string current_;
};

std::string MessageRow(Rig& r) { return r.Text(6, 4, 57); }

TEST(Print, PrinterErrorStopsTheReportAtTheNextCheck) {
  PrintRig base('G');
  const Lines full = Expected(base.st(), 'A');
  // Check points of an A report, as line counts.
  std::vector<size_t> checks = {3, 4, 5, 6, 8, 11};
  for (int k = 0; k < 10; ++k) checks.push_back(11 + 2 * (k + 1) + (k == 9));
  ASSERT_EQ(checks.back(), full.size());
  for (size_t fail = 0; fail < full.size(); ++fail) {
    PrintRig r('G');
    FailingPrinter p(fail);
    r.con.printer = &p;
    r.keys.Type("Ax");
    EXPECT_THROW(Print(r.c), InputClosed) << "waiting for a key after the message";
    size_t stop = 0;
    for (size_t c : checks)
      if (c > fail) { stop = c; break; }
    EXPECT_EQ(p.attempted, Lines(full.begin(), full.begin() + stop)) << "failing from line " << fail;
    EXPECT_EQ(MessageRow(r), ErrorMessage(3)) << fail;
  }
}

TEST(Print, PrinterFailingAtOnceShowsError3AfterTheStackHeading) {
  PrintRig r('G');
  r.printer.fail_after_lines = 0;
  r.keys.Type("Ax");
  EXPECT_THROW(Print(r.c), InputClosed);
  EXPECT_TRUE(r.printer.lines.empty());
  EXPECT_EQ(MessageRow(r), " PRINTER not ready           Press any key to continue");

  // After the key the X row is back and the command is over.
  PrintRig k('G');
  k.printer.fail_after_lines = 0;
  k.keys.Type("Axz");
  Print(k.c);
  EXPECT_EQ(k.keys.Remaining(), 0u);
  EXPECT_NE(MessageRow(k), ErrorMessage(3));
}

TEST(Print, NoPrinterCountsAsFailing) {
  PrintRig r('D');
  r.con.printer = nullptr;
  r.keys.Type("Mx");
  EXPECT_THROW(Print(r.c), InputClosed);
  EXPECT_EQ(MessageRow(r), ErrorMessage(3));
}

}  // namespace
}  // namespace qirn::test

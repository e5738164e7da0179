// The real directory and the PRINTER.TXT printer, in a scratch directory.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "console/files.h"
#include "console/printer_file.h"
#include "storage/storage.h"
#include "terminal/cp437.h"
#include "support/rig.h"

namespace qirn::test {
namespace {

namespace fs = std::filesystem;

struct ScratchDir {
  fs::path path;
  ScratchDir() {
    std::string t = (fs::temp_directory_path() / "qirn-storage-XXXXXX").string();
    path = ::mkdtemp(t.data());
  }
  ~ScratchDir() { fs::remove_all(path); }
  std::set<std::string> Names() const {
    std::set<std::string> n;
    for (const auto& e : fs::directory_iterator(path)) n.insert(e.path().filename().string());
    return n;
  }
  void Put(const std::string& name, const std::string& contents) const {
    std::ofstream(path / name, std::ios::binary) << contents;
  }
  std::string Get(const std::string& name) const {
    std::ifstream in(path / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

TEST(PosixFiles, FindIgnoresLetterCaseAndDirectories) {
  ScratchDir d;
  PosixFiles files(d.path.string());
  EXPECT_EQ(files.Find("SAVE.QN"), "");
  fs::create_directory(d.path / "save.qn");  // not a file
  EXPECT_EQ(files.Find("SAVE.QN"), "");
  d.Put("Save.Qn", "x");
  EXPECT_EQ(files.Find("SAVE.QN"), "Save.Qn");
  d.Put("SAVE.QN", "y");
  EXPECT_EQ(files.Find("SAVE.QN"), "SAVE.QN") << "the exact spelling first";
  EXPECT_EQ(files.Find("save.qnx"), "");
}

TEST(PosixFiles, ReadGivesAtMostTheBuffer) {
  ScratchDir d;
  PosixFiles files(d.path.string());
  d.Put("f", "abcdef");
  char buf[4];
  EXPECT_EQ(files.Read("f", buf), 4);
  EXPECT_EQ(std::string(buf, 4), "abcd");
  char big[16];
  EXPECT_EQ(files.Read("f", big), 6);
  EXPECT_EQ(files.Read("missing", big), -1);
}

TEST(PosixFiles, AtomicWriteReplacesAndLeavesNoTemporaryFile) {
  ScratchDir d;
  PosixFiles files(d.path.string());
  d.Put("data", "old contents");
  ::chmod((d.path / "data").c_str(), 0640);
  std::string_view records[] = {"one,", "two,", "three"};
  ASSERT_TRUE(WriteFileAtomically(files, "data", records));
  EXPECT_EQ(d.Get("data"), "one,two,three");
  EXPECT_EQ(d.Names(), std::set<std::string>{"data"});
  struct stat st {};
  ::stat((d.path / "data").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u) << "the replaced file's permissions are kept";
}

TEST(PosixFiles, FailedRenameRemovesTheTemporaryFile) {
  ScratchDir d;
  PosixFiles files(d.path.string());
  // A non-empty directory cannot be replaced by a file.
  fs::create_directories(d.path / "target" / "inside");
  std::string_view records[] = {"x"};
  EXPECT_FALSE(WriteFileAtomically(files, "target", records));
  EXPECT_EQ(d.Names(), std::set<std::string>{"target"});
}

TEST(PosixFiles, MissingDirectoryFailsCleanly) {
  PosixFiles files("/nonexistent/qirn-dir");
  std::string_view records[] = {"x"};
  EXPECT_FALSE(WriteFileAtomically(files, "data", records));
  EXPECT_EQ(files.Find("data"), "");
}

TEST(PosixFiles, StateFileRoundTripOnDisk) {
  ScratchDir d;
  PosixFiles files(d.path.string());
  Rig a;
  a.con.files = &files;
  a.st().Base = 7;
  a.st().SxgMemText[2].assign("on disk");
  WriteSave(a.c);
  EXPECT_EQ(d.Names(), std::set<std::string>{"save.qn"});
  EXPECT_EQ(fs::file_size(d.path / "save.qn"), 14u * 176u);
  Rig b;
  b.con.files = &files;
  ASSERT_TRUE(ReadSave(b.c));
  EXPECT_EQ(b.st().Base, 7);
  EXPECT_EQ(b.st().SxgMemText[2].view(), "on disk");

  // An existing file that does not load is kept as SAVE.BAD.
  d.Put("save.qn", "not a state file");
  WriteSave(a.c);
  EXPECT_EQ(d.Names(), (std::set<std::string>{"SAVE.BAD", "save.qn"}));
  EXPECT_EQ(d.Get("SAVE.BAD"), "not a state file");
}

TEST(FilePrinter, AppendsReportsCreatingTheFileAtTheFirst) {
  ScratchDir d;
  {
    FilePrinter p((d.path / "PRINTER.TXT").string());
    EXPECT_FALSE(p.CheckError());
    EXPECT_TRUE(d.Names().empty()) << "nothing printed, no file";
    p.Write("first");
    p.WriteLn();
    EXPECT_FALSE(p.CheckError());
    EXPECT_EQ(d.Get("PRINTER.TXT"), "first\n") << "flushed at the check";
  }
  FilePrinter again((d.path / "PRINTER.TXT").string());
  again.WriteLn();
  again.Write("second");
  again.WriteLn();
  EXPECT_FALSE(again.CheckError());
  EXPECT_EQ(d.Get("PRINTER.TXT"), "first\n\nsecond\n");
}

TEST(FilePrinter, CodePage437TextIsWrittenAsUtf8) {
  ScratchDir d;
  {
    FilePrinter p((d.path / "PRINTER.TXT").string(), Cp437ToUnicode);
    p.Write("90\xF8 caf\x82 \xDB");
    p.WriteLn();
    EXPECT_FALSE(p.CheckError());
  }
  EXPECT_EQ(d.Get("PRINTER.TXT"), "90\u00B0 caf\u00E9 \u2588\n");
}

TEST(FilePrinter, FailuresAreReportedOnceAtTheCheck) {
  FilePrinter nowhere("/nonexistent/qirn-dir/PRINTER.TXT");
  nowhere.Write("x");
  EXPECT_TRUE(nowhere.CheckError());
  EXPECT_FALSE(nowhere.CheckError()) << "nothing written since";

  FilePrinter full("/dev/full");  // every write: no space left
  full.Write("line");
  full.WriteLn();
  EXPECT_TRUE(full.CheckError());
}

TEST(FilePrinter, ReportThroughThePrintCommand) {
  ScratchDir d;
  FilePrinter p((d.path / "PRINTER.TXT").string());
  Rig r;
  r.con.printer = &p;
  r.st().Use_Disk = true;
  r.st().StackText[0].assign("12");
  r.keys.Type("Sx");
  Print(r.c);
  EXPECT_EQ(d.Get("PRINTER.TXT"), "\nContents of the sexagesimal STACK\n\nX12\nY\nZ\nT\n\n");
}

}  // namespace
}  // namespace qirn::test

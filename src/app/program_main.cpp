// The real program: wires the terminal, the current directory and the
// printer file to a calculator and runs it.
#include <cstdio>
#include <string>
#include <string_view>

#include "app/program.h"
#include "console/files.h"
#include "console/printer_file.h"
#include "terminal/cp437.h"
#include "terminal/session.h"

namespace qirn {
namespace {

constexpr char kUsage[] =
    "Usage: qirn [/n]\n"
    "       qirn --help | --version\n"
    "\n"
    "A full-screen calculator for an 80 x 25 terminal that computes in decimal\n"
    "and in sexagesimal (base 60) side by side, in reverse Polish notation.\n"
    "\n"
    "  /n         neither read nor write the state file, and turn printing off\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "Files, in the current directory:\n"
    "  SAVE.QN      the whole working state: written when you quit with Q,\n"
    "               read at the next start\n"
    "  PRINTER.TXT  the printer: Alt+P appends a report of the stack or memory\n"
    "\n"
    "Keys: ENTER starts, Q quits. Digits enter a number (1;30 is one and a half,\n"
    "1,30 is ninety); + - * / work on X and Y; F1 to F5 change the menu that\n"
    "lists the commands; F10 switches the display. See qirn(1).\n";

// --help and --version answer and end the program; true with the status.
bool InfoArgument(int argc, char** argv, int& status) {
  if (argc < 2) return false;
  std::string_view a = argv[1];
  if (a == "--help") {
    std::fputs(kUsage, stdout);
  } else if (a == "--version") {
    std::printf("qirn %.*s\n", static_cast<int>(Version.size()), Version.data());
  } else {
    return false;
  }
  status = std::fflush(stdout) == 0 ? 0 : 1;
  return true;
}

}  // namespace

int ProgramMain(int argc, char** argv) {
  if (int status; InfoArgument(argc, argv, status)) return status;
  Console con;
  Calc c(con);
  c.st.Use_Disk = UseDiskFromArgs(argc, argv);

  TerminalSession term;
  std::string error;
  if (!term.Open(error)) {
    std::fprintf(stderr, "qirn: %s\n", error.c_str());
    return 1;
  }
  con.keys = &term.Keys(con.screen);
  con.tone = &term.Bell();
  PosixFiles files;     // the state file in the current directory
  FilePrinter printer("PRINTER.TXT", Cp437ToUnicode);  // reports, appended, in UTF-8
  con.files = &files;
  con.printer = &printer;
  RunProgram(c);
  term.Close();
  return 0;
}

}  // namespace qirn

// The real program: wires the terminal, the current directory and the
// printer file to a calculator and runs it.
#include <cstdio>
#include <string>

#include "app/program.h"
#include "console/files.h"
#include "console/printer_file.h"
#include "terminal/cp437.h"
#include "terminal/session.h"

namespace qirn {

int ProgramMain(int argc, char** argv) {
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

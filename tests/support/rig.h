// A fresh calculator on an in-memory console with scripted keys, for tests.
#pragma once
#include <string>
#include <string_view>

#include "app/program.h"
#include "console/console.h"
#include "console/files.h"
#include "state/calc.h"

namespace qirn::test {

struct Rig {
  ScriptedKeys keys;
  CountingTone tone;
  MemoryPrinter printer;
  MemoryFiles files;  // the current directory
  Console con;
  Calc c{con};

  Rig() {
    con.keys = &keys;
    con.tone = &tone;
    con.printer = &printer;
    con.files = &files;
    c.st.Use_Disk = false;
  }
  State& st() { return c.st; }
  Screen& scr() { return con.screen; }

  // Draws the working screen and runs the command loop on `keys_text` (each
  // character one key; use Ext() for extended keys first) until the keys run
  // out or Q.
  void Run(std::string_view keys_text = {}) {
    keys.Type(keys_text);
    Main_Program(c);
  }
  // The characters of absolute row `row`, columns from..to inclusive.
  std::string Text(int row, int from = 1, int to = Screen::Cols) {
    return std::string(scr().RowText(row).substr(from - 1, to - from + 1));
  }
};

}  // namespace qirn::test

// Program entry, start-up screen and the command loop.
#pragma once
#include <string_view>

#include "state/calc.h"

namespace qirn {

inline constexpr std::string_view Version = "1.0.0";

// Use_Disk from the command line: false only when the first argument is
// exactly "/n".
bool UseDiskFromArgs(int argc, const char* const* argv);

void Write_Welcome_Screen(Calc& c);
bool Welcome_Screen(Calc& c);  // true: ENTER (start), false: Q (quit)
void Initialize(Calc& c);      // the state file when Use_Disk, else the defaults
void Main_Program(Calc& c);    // the working screen and the command loop until Q

// The whole run on an already wired console: start-up screen, Initialize,
// Main_Program. A closed key source ends the run as Q does.
void RunProgram(Calc& c);

// Runs one command key as the loop would (the key already read and echoed).
// ch may be changed to keep later letters of a group from ending the loop;
// returns false when the key ends the program.
bool DispatchKey(Calc& c, uint8_t& ch, uint8_t& scan, bool& read_flag);

// The real program: arguments, terminal, files. Returns the exit status.
int ProgramMain(int argc, char** argv);

}  // namespace qirn

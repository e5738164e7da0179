#include "app/program.h"

int main(int argc, char** argv) { return qirn::ProgramMain(argc, argv); }

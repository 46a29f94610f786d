// SPDX-License-Identifier: MIT
// The game: the program set up as app/program.h has it, and run.
#include "app/program.h"

int main(int argc, char* argv[])
{
    Program program(argc, argv);
    return program.run();
}

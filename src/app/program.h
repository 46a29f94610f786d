// SPDX-License-Identifier: MIT
// The program set up once: every part, and who is handed which.
#pragma once

#include <memory>

class MatchRunner;
class RoundSound;
class StepClock;
class Vell;

// The program as it runs, set up in one place for the game itself, for the
// sound tests' child and for the step benchmark: the application with its
// translation, its pixmap cache and its image formats; the one way it ends
// (app/ending.h); the step clock at the time scale VELL_TIME_SCALE asks for;
// the settings, the deal's random source, the match runner, the round sounds
// and the window they are handed to.
class Program
{
public:
    // argc outlives the program.
    Program(int& argc, char* argv[]);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    StepClock& clock();
    MatchRunner& runner();
    RoundSound& sound();
    // The window, made the first time it is asked for: whatever is connected
    // to the runner before that hears of each step before the window does.
    Vell& window();

    // Shows the window and runs until the program ends; returns what main
    // returns.
    int run();

private:
    struct Parts;
    std::unique_ptr<Parts> m;
};

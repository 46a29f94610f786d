// SPDX-License-Identifier: MIT
#pragma once

// The run's settings. They live in memory for one run only: every run
// starts with a green table and the computer at level 2.

// The table's background colour, 0..8: green, white, red, blue, cyan,
// magenta, yellow, gray, light gray. Written by the colour commands, read
// when the table is painted.
extern int Back_color_no;

// The computer's level, 1..5. Only the settings dialog reads or writes it:
// the computer's card for a round does not depend on it yet.
extern int Level;

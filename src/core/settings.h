// SPDX-License-Identifier: MIT
#pragma once

// The run's settings, one value handed to whoever shows or uses them. They
// live in memory for one run only: every run starts with a green table and
// the computer at level 2.
struct Settings {
    // The table's background colour, 0..8: green, white, red, blue, cyan,
    // magenta, yellow, gray, light gray.
    int Back_color_no = 0;
    // The computer's level, 1..5. Every level plays its dealt order for now.
    int Level = 2;
};

// SPDX-License-Identifier: MIT
#include "settings.h"

int Back_color_no = 0;
int Level = 2;

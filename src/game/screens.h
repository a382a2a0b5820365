// The game's screens for the program to open: Form1 for episode 1, Form2 for episode 2.
#pragma once

#include "shell/program.h"

namespace sky {

ScreenFactory gameScreens();

}  // namespace sky

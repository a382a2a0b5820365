// Ambient animations and explosions: picture swaps only.
#include "episode1/form1.h"
#include "episode2/form2.h"

namespace sky {

void GameScreen::Timer11_Timer() {}  // TODO(flight)
void GameScreen::Timer6_Timer() {}   // TODO(flight)
void Form1::Timer7_Timer() {}        // TODO(flight)
void Form2::Timer4_Timer() {}        // TODO(flight)
void Form2::Timer2_Timer() {}        // TODO(flight)

}  // namespace sky

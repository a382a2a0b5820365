// Attitude, climb and ground contact.
#include "episode1/form1.h"

namespace sky {

void GameScreen::Timer3_Timer() {}  // TODO(flight)
void GameScreen::Timer1_Timer() {}  // TODO(flight)
void Form1::Timer9_Timer() {}       // TODO(flight)
void Form1::Timer10_Timer() {}      // TODO(flight)

}  // namespace sky

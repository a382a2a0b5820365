// The airport stop: landing, the repair offer, take-off into the next level, the victory.
#include "episode1/form1.h"

namespace sky {

void Form1::Timer2_Timer() {}  // TODO(episode1)
void Form1::Timer4_Timer() {}  // TODO(episode1)

}  // namespace sky

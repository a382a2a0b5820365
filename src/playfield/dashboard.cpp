// The dashboard tick: fuel clock, read-outs, fuel-out, and in episode 1 the airport approach.
#include "episode1/form1.h"
#include "episode2/form2.h"

namespace sky {

void Form1::Timer5_Timer() {}  // TODO(flight)
void Form2::Timer5_Timer() {}  // TODO(flight)

}  // namespace sky

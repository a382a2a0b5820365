// The world scroll tick of both episodes.
#include "episode1/form1.h"
#include "episode2/form2.h"

namespace sky {

void Form1::pohyb_Timer() {}  // TODO(flight)
void Form2::pohyb_Timer() {}  // TODO(flight)

}  // namespace sky

// Bombs: the fall, the ground and the fuse of bombs dropped from high.
#include "episode1/form1.h"

namespace sky {

void Form1::Timer8_Timer() {}  // TODO(episode1)

}  // namespace sky

// Missiles and the F16's fire.
#include "episode2/form2.h"

namespace sky {

void Form2::Timer8_Timer() {}  // TODO(episode2)

}  // namespace sky

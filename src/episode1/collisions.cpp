// Episode 1 collisions and scoring: stars, bombs on houses and birds, birds in the turbines.
#include "episode1/form1.h"

namespace sky {

void Form1::kolizie_Timer() {}  // TODO(episode1)

}  // namespace sky

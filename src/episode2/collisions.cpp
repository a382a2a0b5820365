// Episode 2 collisions and scoring: the rescue, enemy hits, stars, the F16.
#include "episode2/form2.h"

namespace sky {

void Form2::kolizie_Timer() {}  // TODO(episode2)

}  // namespace sky

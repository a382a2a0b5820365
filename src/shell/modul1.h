// Program-wide values shared by the menu and both episodes.
#pragma once

#include <optional>

#include "shell/progress.h"

namespace sky {

struct Modul1 {
    GameProgress progress;
    // Empty until the menu's first activation has read the progress file, then 1.
    std::optional<int> progressLoaded;
};

}  // namespace sky

// How large the game screen is drawn.
#include "qt/scalefit.h"

#include <algorithm>

namespace sky::qt {

ScaleChoice chooseScale(QSize available, QSize frame, QSize scene, int wanted) {
    int fits = 1;
    if (scene.width() > 0 && scene.height() > 0)
        fits = std::clamp(std::min((available.width() - frame.width()) / scene.width(),
                                   (available.height() - frame.height()) / scene.height()),
                          1, kMaxScale);
    if (wanted <= 0) return {fits, false};
    return {std::min(wanted, fits), wanted > fits};
}

}  // namespace sky::qt

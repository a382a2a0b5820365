// How large the game screen is drawn.
#include "qt/scalefit.h"

#include <algorithm>
#include <cstdint>

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

int windowScale(QSize available, QSize frame, QSize window, int gameScale) {
    return chooseScale(available, frame, window, std::max(1, gameScale)).scale;
}

QRect fillScreen(QSize area, QSize scene) {
    if (scene.isEmpty() || area.isEmpty()) return {};
    // The side that runs out first decides; the other is rounded to the nearest pixel.
    QSize size = area;
    if (std::int64_t{area.width()} * scene.height() <= std::int64_t{area.height()} * scene.width())
        size.setHeight(
            static_cast<int>((std::int64_t{area.width()} * scene.height() * 2 + scene.width()) / (2 * scene.width())));
    else
        size.setWidth(static_cast<int>((std::int64_t{area.height()} * scene.width() * 2 + scene.height()) /
                                       (2 * scene.height())));
    return QRect(QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2), size);
}

}  // namespace sky::qt

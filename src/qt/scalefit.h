// How large the game screen is drawn: a whole number of window pixels per scene pixel, as large
// as the screen allows.
#pragma once

#include <QSize>

namespace sky::qt {

// The largest scale a player may ask for.
inline constexpr int kMaxScale = 16;

struct ScaleChoice {
    int scale;     // at least 1
    bool reduced;  // the wanted scale did not fit
};

// The largest whole scale at which the scene's window, together with the frame the window system
// puts round it, fits the available area (at least 1). A wanted scale (1 or more) is kept when it
// fits and reduced to that otherwise; 0 wants the largest.
ScaleChoice chooseScale(QSize available, QSize frame, QSize scene, int wanted);

}  // namespace sky::qt

// How large the game screen is drawn: a whole number of window pixels per scene pixel, as large
// as the screen allows.
#pragma once

#include <QRect>
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

// The scale of the menu, the rules, the about and the settings windows (each `window` pixels at
// scale 1): the game window's, or less where the window would not fit.
int windowScale(QSize available, QSize frame, QSize window, int gameScale);

// The full screen filled: the scene as large as the area allows with its own shape (not a whole
// multiple), centred, the rest left black. Empty for an empty scene.
QRect fillScreen(QSize area, QSize scene);

}  // namespace sky::qt

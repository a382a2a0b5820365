// The help page that F1 lays over a game screen, drawn like the dashboard.
#pragma once

#include "game/helppage.h"

class QPainter;
class QRect;

namespace sky::qt {

class HelpPage {
public:
    // Draws the page over the scene, which the window shows in this rectangle (the page is laid
    // out in scene pixels and scaled with the scene, so it reads the same at every scale).
    static void paint(QPainter& p, const QRect& scene, const sky::HelpPage& page);
};

}  // namespace sky::qt

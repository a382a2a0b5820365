// The menu, the rules, the about and the settings windows are laid out in screen pixels of their
// design; at scale k each of those is k pixels on the screen, as in the game window.
#pragma once

class QWidget;

namespace sky::qt {

// Draws the window at k (1 or more): its size, every child's place and font, its pictures (sharp,
// each pixel k x k) and the pixel sizes in its style sheet. May be called again with another k.
// A window that paints by itself scales its painter by windowScale().
void setWindowScale(QWidget& window, int k);
int windowScale(const QWidget& window);  // 1 for a window never scaled

}  // namespace sky::qt

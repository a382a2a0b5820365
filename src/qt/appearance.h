// The look shared by every window of the game: style, fonts, pictures turned into Qt images.
#pragma once

#include <QFont>
#include <QIcon>
#include <QImage>
#include <QSize>
#include <memory>
#include <string_view>

#include "runtime/picture.h"

class QApplication;
class QKeyEvent;
class QWidget;

namespace sky::qt {

// The widget style and the application font, the same in the game and in its tests so that the
// windows look alike everywhere.
void setupAppearance(QApplication& app);

// The captions' font: DejaVu Sans at the pixel size that matches the game's 8.25 pt captions
// at 96 dpi, so the layout does not depend on the display's dpi.
QFont captionFont(double points = 8.25, bool bold = false);

// A picture's pixels as a Qt image (premultiplied, ready to draw). Sprite pictures turn white
// see-through; icons keep their own mask.
QImage toQImage(const Image& img, bool whiteIsTransparent);

// An artwork by its design name, as drawn on a menu (icons keep their mask, the rest is opaque).
QImage artwork(std::string_view name);

// The window icon: the cloud.
QIcon cloudIcon();

// Enter and Return click the button that has the focus in the window, as Space does; true when
// the key was taken.
bool clickFocusedOnEnter(QWidget& window, QKeyEvent* e);

// Places a top-level window in the middle of its screen's free area, with the frame the window
// system puts round it (given here for a window not shown yet).
void centreOnScreen(QWidget& w, QSize frame = QSize(0, 0));

}  // namespace sky::qt

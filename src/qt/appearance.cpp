// The look shared by every window of the game.
#include "qt/appearance.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPixmap>
#include <QScreen>
#include <QStyleFactory>
#include <QWidget>
#include <cmath>
#include <cstring>

#include "assets/pictures.h"

namespace sky::qt {

void setupAppearance(QApplication& app) {
    if (QStyle* s = QStyleFactory::create("Fusion")) app.setStyle(s);
    app.setFont(captionFont());
}

QFont captionFont(double points, bool bold) {
    QFont f("DejaVu Sans");
    // DejaVu Sans runs wider than the captions were measured for; one pixel less keeps every
    // caption inside its box.
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0)) - 1));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QImage toQImage(const Image& img, bool whiteIsTransparent) {
    QImage q(img.width, img.height, QImage::Format_ARGB32);
    if (img.width <= 0 || img.height <= 0) return q;
    for (int y = 0; y < img.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(q.scanLine(y));
        for (int x = 0; x < img.width; ++x) {
            Argb p = img.at(x, y);
            if (whiteIsTransparent && (p & 0xFFFFFFu) == 0xFFFFFFu) p = 0;
            row[x] = p;
        }
    }
    return q.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage artwork(std::string_view name) {
    auto img = assets::image(name);
    if (!img) return {};
    return toQImage(*img, false);
}

QIcon cloudIcon() {
    static const QImage cloud = artwork("ioblak");
    return QIcon(QPixmap::fromImage(cloud));
}

bool clickFocusedOnEnter(QWidget& window, QKeyEvent* e) {
    if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter) return false;
    auto* b = qobject_cast<QAbstractButton*>(window.focusWidget());
    if (!b || !b->isEnabled()) return false;
    if (!e->isAutoRepeat()) b->click();
    return true;
}

void centreOnScreen(QWidget& w, QSize frame) {
    QScreen* s = w.screen() ? w.screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    QSize outer = w.frameGeometry().size().expandedTo(w.size());
    if (outer == w.size()) outer += frame;  // not framed yet: as the window system will
    const QRect free = s->availableGeometry();
    QRect r(QPoint(0, 0), outer);
    r.moveCenter(free.center());
    // Too large to fit: the title bar and the left edge stay on the screen.
    w.move(std::max(r.left(), free.left()), std::max(r.top(), free.top()));
}

}  // namespace sky::qt

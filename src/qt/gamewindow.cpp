// The window of a game screen.
#include "qt/gamewindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <cmath>

#include "playfield/gamescreen.h"
#include "qt/appearance.h"
#include "qt/scenepainter.h"

namespace sky::qt {

GameWindow::GameWindow(GameScreen& screen, ScenePainter& painter, int scale,
                       std::function<void(std::function<void()>)> call)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      screen_(&screen),
      painter_(painter),
      scale_(scale < 1 ? 1 : scale),
      call_(std::move(call)),
      frame_(GameScreen::kClientWidth, GameScreen::kClientHeight, QImage::Format_ARGB32_Premultiplied) {
    setObjectName(QString::fromStdString(screen.name()));
    setWindowTitle(QString::fromStdString(screen.caption()));
    setWindowIcon(cloudIcon());
    setFixedSize(GameScreen::kClientWidth * scale_, GameScreen::kClientHeight * scale_);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    frame_.fill(Qt::black);
}

GameWindow::~GameWindow() = default;

int GameWindow::keyCode(int k) {
    switch (k) {
        case Qt::Key_Up:
            return kKeyUp;
        case Qt::Key_Down:
            return kKeyDown;
        case Qt::Key_Left:
            return kKeyLeft;
        case Qt::Key_Right:
            return kKeyRight;
        case Qt::Key_Space:
            return kKeySpace;
        case Qt::Key_Escape:
            return kKeyEsc;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
            return 9;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return 17;
        case Qt::Key_Alt:
            return 18;
        default:
            // Letters and digits carry their upper-case character code, as the game's codes do.
            if ((k >= Qt::Key_0 && k <= Qt::Key_9) || (k >= Qt::Key_A && k <= Qt::Key_Z)) return k;
            return 0;
    }
}

void GameWindow::paintEvent(QPaintEvent*) {
    if (screen_) {
        QPainter fp(&frame_);
        painter_.paint(fp, *screen_);
    }
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // Scale by a whole number of device pixels per scene pixel, so the pixel art stays crisp.
    const double dpr = devicePixelRatioF();
    const int k = std::max(1, static_cast<int>(std::lround(scale_ * dpr)));
    if (k == 1) {
        p.drawImage(QPoint(0, 0), frame_);
    } else {
        QImage big =
            frame_.scaled(frame_.width() * k, frame_.height() * k, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        big.setDevicePixelRatio(k / static_cast<double>(scale_));
        p.drawImage(QPoint(0, 0), big);
    }
}

void GameWindow::keyPressEvent(QKeyEvent* e) {
    // Auto-repeat key-downs count like any other: holding a key repeats it.
    if (!screen_) return;
    const int code = keyCode(e->key());
    GameScreen* s = screen_;
    call_([s, code] { s->Form_KeyDown(code); });
    e->accept();
}

void GameWindow::closeEvent(QCloseEvent* e) {
    // The close box closes the screen; its teardown brings the menu back and then this window goes.
    if (screen_) {
        GameScreen* s = screen_;
        call_([s] { s->Unload(); });
    }
    e->accept();
}

}  // namespace sky::qt

// The window of a game screen.
#include "qt/gamewindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "game/input.h"
#include "playfield/gamescreen.h"
#include "qt/appearance.h"
#include "qt/helppage.h"
#include "qt/language.h"
#include "qt/scalefit.h"
#include "qt/scenepainter.h"

namespace sky::qt {

GameWindow::GameWindow(GameScreen& screen, ScenePainter& painter, int scale, Input input,
                       std::function<void()> pauseKey, SceneClock clock)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      screen_(&screen),
      painter_(painter),
      scale_(scale < 1 ? 1 : scale),
      input_(std::move(input)),
      pauseKey_(std::move(pauseKey)),
      clock_(std::move(clock)),
      motion_(clock_.now && clock_.lastTick ? clock_.mode : SceneMotion::Mode::Ticks),
      frame_(GameScreen::kClientWidth, GameScreen::kClientHeight, QImage::Format_ARGB32_Premultiplied) {
    setObjectName(QString::fromStdString(screen.name()));
    setWindowTitle(uiText(screen.caption()));
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

GameWindow::Fit GameWindow::fitScene(QSize area, QSize scene) {
    const int k = chooseScale(area, QSize(0, 0), scene, 0).scale;  // no frame round a full screen
    return {k, QPoint((area.width() - scene.width() * k) / 2, (area.height() - scene.height() * k) / 2)};
}

void GameWindow::toggleFullScreen() {
    if (isFullScreen()) {
        showNormal();
        setFixedSize(GameScreen::kClientWidth * scale_, GameScreen::kClientHeight * scale_);
        if (!normalGeometry_.isNull()) setGeometry(normalGeometry_);
    } else {
        normalGeometry_ = geometry();
        // A fixed size would keep the window from filling the display.
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        showFullScreen();
    }
    update();
    if (fullScreenChanged_) fullScreenChanged_(isFullScreen());
}

void GameWindow::toggleHelp() {
    if (!screen_) return;
    if (!helpShown_) {
        helpShown_ = true;
        helpPaused_ = false;
        if (!screen_->paused() && pauseKey_) {
            pauseKey_();
            helpPaused_ = screen_->paused();
        }
    } else {
        helpShown_ = false;
        if (helpPaused_ && screen_->paused() && pauseKey_) pauseKey_();
        helpPaused_ = false;
    }
    update();
}

void GameWindow::paintEvent(QPaintEvent*) {
    if (screen_) {
        motion_.capture(*screen_, clock_.lastTick ? clock_.lastTick() : 0);
        if (clock_.now) motion_.setTime(clock_.now(), screen_->paused());
        QPainter fp(&frame_);
        painter_.paint(fp, *screen_, &motion_);
    }
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const double dpr = devicePixelRatioF();
    QRect scene;
    if (isFullScreen()) {
        // As large as fits in whole device pixels per scene pixel, centred on black.
        p.fillRect(rect(), Qt::black);
        const QSize area(static_cast<int>(width() * dpr), static_cast<int>(height() * dpr));
        const Fit fit = fitScene(area, frame_.size());
        QImage big = frame_.scaled(frame_.width() * fit.scale, frame_.height() * fit.scale, Qt::IgnoreAspectRatio,
                                   Qt::FastTransformation);
        big.setDevicePixelRatio(dpr);
        const QPointF at(fit.offset.x() / dpr, fit.offset.y() / dpr);
        p.drawImage(at, big);
        scene = QRectF(at, QSizeF(big.width() / dpr, big.height() / dpr)).toRect();
    } else {
        // Scale by a whole number of device pixels per scene pixel, so the pixel art stays crisp.
        const int k = std::max(1, static_cast<int>(std::lround(scale_ * dpr)));
        if (k == 1) {
            p.drawImage(QPoint(0, 0), frame_);
        } else {
            QImage big =
                frame_.scaled(frame_.width() * k, frame_.height() * k, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            big.setDevicePixelRatio(k / static_cast<double>(scale_));
            p.drawImage(QPoint(0, 0), big);
        }
        scene = QRect(0, 0, frame_.width() * scale_, frame_.height() * scale_);
    }
    if (screen_ && helpShown_)
        HelpPage::paint(p, scene, screen_->name() == "Form2" ? 2 : 1);
    else if (screen_ && screen_->paused())
        drawPauseCaption(p, scene);
}

void GameWindow::drawPauseCaption(QPainter& p, const QRect& scene) {
    // Over the scene, not in it: a dimmed band across the middle with the word, outlined so it
    // reads on sky and ground alike.
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QFont f = captionFont(12, true);
    f.setPixelSize(std::max(24, scene.height() / 7));
    const QFontMetrics fm(f);
    const QString text = uiText("Pauza");
    const int bandH = fm.height() * 3 / 2;
    const QRect band(scene.left(), scene.center().y() - bandH / 2, scene.width(), bandH);
    p.fillRect(band, QColor(0, 0, 0, 120));
    QPainterPath path;
    const int w = fm.horizontalAdvance(text);
    path.addText(scene.center().x() - w / 2.0, band.center().y() + (fm.ascent() - fm.descent()) / 2.0, f, text);
    p.setPen(QPen(Qt::black, std::max(2, f.pixelSize() / 12), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(path);
    p.restore();
}

void GameWindow::keyPressEvent(QKeyEvent* e) {
    e->accept();
    if (!screen_) return;
    // Full screen and pause belong to the window, not to the game: auto-repeat does not toggle them.
    if (e->key() == Qt::Key_F11) {
        if (!e->isAutoRepeat()) toggleFullScreen();
        return;
    }
    if (e->key() == Qt::Key_F1 || (helpShown_ && e->key() == Qt::Key_Escape)) {
        if (!e->isAutoRepeat()) toggleHelp();
        return;
    }
    if (helpShown_) return;  // the game waits under its help page
    if (e->key() == Qt::Key_P) {
        if (!e->isAutoRepeat() && pauseKey_) pauseKey_();
        return;
    }
    const int code = keyCode(e->key());
    // A paused game takes no keys but Esc, which still leaves the episode.
    if (screen_->paused() && code != kKeyEsc) return;
    // Auto-repeat key-downs count like any other: holding a key repeats it.
    InputEvent ev;
    ev.kind = InputEvent::Key;
    ev.value = code;
    input_(ev);
}

void GameWindow::closeEvent(QCloseEvent* e) {
    // The close box closes the screen; its teardown brings the menu back and then this window goes.
    if (screen_) {
        InputEvent ev;
        ev.kind = InputEvent::Close;
        input_(ev);
    }
    e->accept();
}

}  // namespace sky::qt

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

GameWindow::GameWindow(GameScreen& screen, ScenePainter& painter, int scale, Input input, SceneClock clock)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      screen_(&screen),
      painter_(painter),
      scale_(scale < 1 ? 1 : scale),
      input_(std::move(input)),
      clock_(std::move(clock)),
      motion_(clock_.now && clock_.lastTick ? clock_.mode : SceneMotion::Mode::Ticks) {
    setObjectName(QString::fromStdString(screen.name()));
    setWindowTitle(uiText(screen.caption()));
    setWindowIcon(cloudIcon());
    setFixedSize(GameScreen::kClientWidth * scale_, GameScreen::kClientHeight * scale_);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    scene_.image = QImage(GameScreen::kClientWidth, GameScreen::kClientHeight, QImage::Format_ARGB32_Premultiplied);
    scene_.image.fill(Qt::black);
}

GameWindow::~GameWindow() = default;

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

void GameWindow::setFill(bool on) {
    fill_ = on;
    big_ = QImage();
    update();
}

namespace {
constexpr int kFlashMs = 600;  // how long a hit shows
constexpr int kBlinkMs = 100;  // on, off, on ...
}  // namespace

void GameWindow::flash() {
    hitAt_.start();
    update();
}

bool GameWindow::flashOn() const {
    return hitAt_.isValid() && hitAt_.elapsed() < kFlashMs && (hitAt_.elapsed() / kBlinkMs) % 2 == 0;
}

void GameWindow::drawHit(QPainter& p, const Placement& at) {
    // The picture turns red a moment, and a frame blinks round the damage read-out.
    p.fillRect(at.toWidget(scene_.image.rect()), QColor(255, 0, 0, 70));
    const Label& damage = screen_->Label8;
    const QRect r = at.toWidget(QRect(static_cast<int>(damage.Left) - 3, static_cast<int>(damage.Top) - 2,
                                      static_cast<int>(damage.Width) + 6, static_cast<int>(damage.Height) + 4));
    p.setPen(QPen(QColor(255, 230, 0), std::max(2, r.height() / 8)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

void GameWindow::showHelp(bool on) {
    helpShown_ = on;
    update();
}

namespace {

// Copies an area of the scene into its enlargement, each pixel k x k.
void enlarge(const QImage& from, QImage& to, const QRect& r, int k) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(from.constScanLine(y)) + r.left();
        auto* row = reinterpret_cast<QRgb*>(to.scanLine(y * k)) + r.left() * k;
        for (int x = 0; x < r.width(); ++x) std::fill_n(row + x * k, k, src[x]);
        for (int j = 1; j < k; ++j)
            std::copy_n(row, r.width() * k, reinterpret_cast<QRgb*>(to.scanLine(y * k + j)) + r.left() * k);
    }
}

}  // namespace

GameWindow::Placement GameWindow::placement() const {
    const double dpr = devicePixelRatioF();
    const QSize size = scene_.image.size();
    if (isFullScreen() && fill_) {
        const QRect r = fillScreen(QSize(static_cast<int>(width() * dpr), static_cast<int>(height() * dpr)), size);
        return {QPointF(r.left() / dpr, r.top() / dpr), 1, dpr, r.width() / dpr / size.width()};
    }
    if (isFullScreen()) {
        // As large as fits in whole device pixels per scene pixel, centred on black.
        const QSize area(static_cast<int>(width() * dpr), static_cast<int>(height() * dpr));
        const Fit fit = fitScene(area, size);
        return {QPointF(fit.offset.x() / dpr, fit.offset.y() / dpr), fit.scale, dpr};
    }
    // Scaled by a whole number of device pixels per scene pixel, so the pixel art stays crisp.
    const int k = std::max(1, static_cast<int>(std::lround(scale_ * dpr)));
    return {QPointF(0, 0), k, k / static_cast<double>(scale_)};
}

QRect GameWindow::Placement::toWidget(const QRect& r) const {
    const double f = fill > 0 ? fill : k / dpr;
    return QRectF(origin.x() + r.x() * f, origin.y() + r.y() * f, r.width() * f, r.height() * f)
        .toAlignedRect()
        .adjusted(-1, -1, 1, 1);
}

int GameWindow::overlay() const {
    return !screen_ ? 0 : helpShown_ ? 2 : screen_->paused() ? 1 : flashOn() ? 3 : 0;
}

QRegion GameWindow::drawScene() {
    QRegion changed;
    if (screen_) {
        motion_.capture(*screen_, clock_.lastTick ? clock_.lastTick() : 0);
        if (clock_.now) motion_.setTime(clock_.now(), screen_->paused());
        changed = painter_.update(scene_, *screen_, &motion_);
    }
    keepEnlarged(changed);
    return changed;
}

void GameWindow::keepEnlarged(const QRegion& changed) {
    // The enlargement is made once and then kept in step with what changed.
    const Placement at = placement();
    if (at.k == 1) {
        big_ = QImage();
        return;
    }
    if (big_.size() != scene_.image.size() * at.k) {
        big_ = QImage(scene_.image.size() * at.k, QImage::Format_ARGB32_Premultiplied);
        enlarge(scene_.image, big_, scene_.image.rect(), at.k);
    } else {
        for (const QRect& r : changed) enlarge(scene_.image, big_, r, at.k);
    }
    big_.setDevicePixelRatio(at.dpr);
}

void GameWindow::refresh() {
    const QRegion changed = drawScene();
    if (const int o = overlay(); o != overlaid_) {
        overlaid_ = o;
        refreshed_ = true;
        update();
        return;
    }
    if (changed.isEmpty()) return;
    const Placement at = placement();
    QRegion area;
    for (const QRect& r : changed) area += at.toWidget(r);
    refreshed_ = true;
    update(area);
}

void GameWindow::paintEvent(QPaintEvent*) {
    // A paint the window did not ask for itself (shown, uncovered, grabbed) shows the scene as it
    // stands now.
    if (refreshed_)
        keepEnlarged({});  // the scene is drawn; full screen may have changed its size
    else
        drawScene();
    refreshed_ = false;
    overlaid_ = overlay();
    // The painter is clipped to the area asked for: only that much is copied out.
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const Placement at = placement();
    const QImage& img = at.k == 1 ? scene_.image : big_;
    if (isFullScreen()) p.fillRect(rect(), Qt::black);
    if (at.fill > 0)
        p.drawImage(QRectF(at.origin, QSizeF(img.size()) * at.fill), img);  // nearest neighbour: sharp
    else
        p.drawImage(at.origin, img);
    const QRect scene = at.toWidget(scene_.image.rect()).adjusted(1, 1, -1, -1);
    if (screen_ && flashOn()) drawHit(p, at);
    if (screen_ && helpShown_)
        HelpPage::paint(p, scene, screen_->episode());
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
    e->accept();  // the game's controls have had it; it goes no further
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

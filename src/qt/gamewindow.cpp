// The window of a game screen.
#include "qt/gamewindow.h"

#include <QBackingStore>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstring>

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
    scene_.image = QImage(GameScreen::kClientWidth, GameScreen::kClientHeight, kSceneFormat);
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
    paintWhole();
    if (fullScreenChanged_) fullScreenChanged_(isFullScreen());
}

void GameWindow::setFill(bool on) {
    fill_ = on;
    big_ = QImage();
    paintWhole();
}

namespace {
constexpr int kFlashMs = 600;  // how long a hit shows
constexpr int kBlinkMs = 100;  // on, off, on ...
}  // namespace

void GameWindow::flash() {
    hitAt_.start();
    syncOverlay();
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

void GameWindow::showHelp(std::optional<sky::HelpPage> page) {
    help_ = std::move(page);
    syncOverlay();
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

// Copies an area of the scene into the same place of the window's pixels, RGB32 or premultiplied
// ARGB32, as the painter would. Every pixel the scene holds is opaque (the scene is opaque, and
// all that is drawn on it keeps it so), so the painter's copy is the pixel as it is. What `to`
// belongs to may hold it too: it is written as it is, not detached.
void copyRows(const QImage& from, QImage& to, const QRect& r) {
    if (r.isEmpty()) return;
    const qsizetype toStep = to.bytesPerLine(), fromStep = from.bytesPerLine();
    auto* d = const_cast<uchar*>(to.constBits()) + r.top() * toStep + r.left() * 4;
    const auto* s = from.constBits() + r.top() * fromStep + r.left() * 4;
    const auto w = static_cast<std::size_t>(r.width()) * 4;
    for (int y = 0; y < r.height(); ++y, d += toStep, s += fromStep) std::memcpy(d, s, w);
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
    return !screen_ ? 0 : help_ ? 2 : screen_->paused() ? 1 : flashOn() ? 3 : 0;
}

void GameWindow::drawScene() {
    if (!screen_) {
        keepEnlarged({});
        return;
    }
    motion_.capture(*screen_, clock_.lastTick ? clock_.lastTick() : 0);
    if (clock_.now) motion_.setTime(clock_.now(), screen_->paused());
    const std::vector<QRect>& changed = painter_.update(scene_, *screen_, &motion_);
    keepEnlarged(changed);
    if (changed.empty()) return;
    // The window is asked to paint one rectangle round all that changed, which Qt shows in one
    // go (a region of many costs a call each, and sends its blit into a thread pool); the paint
    // copies only the changes inside it.
    const Placement at = placement();
    for (const QRect& r : changed) {
        const QRect w = at.toWidget(r) & rect();
        pending_.push_back(w);
        pendingArea_ |= w;
    }
    if (pending_.size() > kMostPending) paintWhole();  // paints asked for and not made (hidden)
    update(pendingArea_);
}

void GameWindow::paintWhole() {
    pending_.clear();
    wholeAsked_ = true;
    refreshed_ = false;  // a pause moves what was drawn between ticks back to where it stands
    update();
}

bool GameWindow::event(QEvent* e) {
    // What the window holds may be lost or moved: the next paint copies all it is asked for.
    switch (e->type()) {
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::WindowStateChange:
        case QEvent::ScreenChangeInternal:
        case QEvent::PlatformSurface:
        case QEvent::StyleChange:
        case QEvent::PaletteChange:
            wholeAsked_ = true;
            break;
        default:
            break;
    }
    return QWidget::event(e);
}

void GameWindow::keepEnlarged(const std::vector<QRect>& changed) {
    // The enlargement is made once and then kept in step with what changed.
    const Placement at = placement();
    if (at.k == 1) {
        big_ = QImage();
        return;
    }
    if (big_.size() != scene_.image.size() * at.k) {
        big_ = QImage(scene_.image.size() * at.k, kSceneFormat);
        enlarge(scene_.image, big_, scene_.image.rect(), at.k);
    } else {
        for (const QRect& r : changed) enlarge(scene_.image, big_, r, at.k);
    }
    big_.setDevicePixelRatio(at.dpr);
}

void GameWindow::syncOverlay() {
    if (const int o = overlay(); o != overlaid_) {
        overlaid_ = o;
        paintWhole();
    }
}

void GameWindow::refresh() {
    drawScene();
    syncOverlay();
    refreshed_ = true;
}

QImage* GameWindow::ownPixels(const Placement& at, const QImage& img) const {
    if (!isWindow() || isFullScreen() || at.fill > 0 || at.origin != QPointF(0, 0) || img.devicePixelRatio() != 1)
        return nullptr;
    QPaintDevice* dev = backingStore() ? backingStore()->paintDevice() : nullptr;
    if (!dev || dev->devType() != QInternal::Image) return nullptr;
    auto* to = static_cast<QImage*>(dev);
    const bool opaque = to->format() == QImage::Format_RGB32 || to->format() == QImage::Format_ARGB32_Premultiplied;
    return opaque && img.format() == QImage::Format_RGB32 && to->devicePixelRatio() == 1 ? to : nullptr;
}

void GameWindow::paintEvent(QPaintEvent* e) {
    const QRegion& region = e->region();
    // A paint of exactly the rectangle round the scene's changes, with nothing else asked since,
    // copies just the changes: the rest of the window holds what it showed. Anything else (a
    // grab, a resize, a whole paint asked for) copies all it is asked for.
    const bool toWindow = backingStore() && redirected(nullptr) == backingStore()->paintDevice();
    std::vector<QRect> copy;
    bool justChanges = false;
    if (toWindow) {
        if (!wholeAsked_ && region == QRegion(pendingArea_)) {
            copy.swap(pending_);
            justChanges = !copy.empty();
        }
        pending_.clear();
        pendingArea_ = QRect();
        wholeAsked_ = false;
    }
    if (copy.empty()) copy.assign(region.begin(), region.end());
    // Over part of the window goes what the rest of it shows; a change waits for the whole, next.
    const int over = overlaid_;
    const bool whole = region.rectCount() == 1 && region.boundingRect().contains(rect());
    // A paint the window did not ask for itself (shown, uncovered, grabbed) shows the scene as it
    // stands now; whatever else that changes is painted next.
    if (!refreshed_) drawScene();
    refreshed_ = false;
    keepEnlarged({});  // full screen may have changed the enlargement's size
    syncOverlay();     // also when this paint goes elsewhere (a grab): the window's own comes next
    const int shown = whole ? overlaid_ : over;
    const Placement at = placement();
    const QImage& img = at.k == 1 ? scene_.image : big_;
    // Whatever lies over the scene is drawn on a fresh copy of all it covers.
    if (shown != 0 && justChanges) copy.assign(region.begin(), region.end());
    // A rectangle at a time, each copied row by row: into the window's own pixels directly where
    // they take the scene one to one (what the painter would draw, without a clip for each).
    QImage* to = toWindow ? ownPixels(at, img) : nullptr;
    if (to) {
        for (const QRect& r : copy) copyRows(img, *to, r & img.rect() & to->rect());
        if (shown == 0) return;
    }
    QPainter p(this);
    if (!to) {
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        for (const QRect& r : copy) {
            p.setClipRect(r);
            if (isFullScreen()) p.fillRect(r, Qt::black);
            if (at.fill > 0)
                p.drawImage(QRectF(at.origin, QSizeF(img.size()) * at.fill), img);  // nearest neighbour: sharp
            else
                p.drawImage(at.origin, img);
        }
        p.setClipping(false);
    }
    // Whatever is drawn over the scene must be part of overlay(): a change of it is painted whole.
    const QRect scene = at.toWidget(scene_.image.rect()).adjusted(1, 1, -1, -1);
    if (shown == 3 && screen_)
        drawHit(p, at);
    else if (shown == 2 && help_)
        HelpPage::paint(p, scene, *help_);
    else if (shown == 1)
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
    const QString text = uiText(TextId::Pause);
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

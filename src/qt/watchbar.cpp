// The watch bar.
#include "qt/watchbar.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "qt/appearance.h"

namespace sky::qt {

namespace {

// The colours of the game's panels: grey with a raised edge.
const QColor kFace(192, 192, 192), kLight(255, 255, 255), kShadow(128, 128, 128), kDark(0, 0, 0);
const QColor kInk(0, 0, 0), kSoft(64, 64, 64);

void raised(QPainter& p, const QRect& r, bool sunken = false) {
    p.fillRect(r, kFace);
    p.fillRect(r.left(), r.top(), r.width(), 1, sunken ? kShadow : kLight);
    p.fillRect(r.left(), r.top(), 1, r.height(), sunken ? kShadow : kLight);
    p.fillRect(r.left(), r.bottom(), r.width(), 1, sunken ? kLight : kDark);
    p.fillRect(r.right(), r.top(), 1, r.height(), sunken ? kLight : kDark);
}

// A triangle pointing left (dir -1) or right (dir 1), h pixels high, its point at x.
void triangle(QPainter& p, int x, int top, int h, int dir) {
    const int half = h / 2;
    for (int i = 0; i <= half; ++i) {
        const int len = half - i + 1;
        const int from = dir > 0 ? x - half : x + i;
        p.fillRect(from, top + half - i, len, 1, kInk);
        p.fillRect(from, top + half + i, len, 1, kInk);
    }
}

}  // namespace

WatchBar::WatchBar(replay::Watch& watch, std::function<void(replay::WatchAction)> act)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      watch_(watch),
      act_(std::move(act)) {
    setObjectName("watchbar");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

WatchBar::~WatchBar() = default;

void WatchBar::follow(QWidget* window, int scale) {
    scale_ = std::max(1, scale);
    int widthAt1 = 669;
    QPoint at;
    if (window && window->isVisible()) {
        const QRect frame = window->frameGeometry();
        widthAt1 = frame.width() / scale_;
        // Full screen leaves no room under the window: the bar stands at the display's foot.
        at = window->isFullScreen() ? QPoint(frame.left(), frame.bottom() + 1 - kHeight * scale_)
                                    : QPoint(frame.left(), frame.bottom() + 1);
    } else if (QScreen* s = QGuiApplication::primaryScreen()) {
        at = QPoint(s->availableGeometry().center().x() - widthAt1 * scale_ / 2, s->availableGeometry().top());
    }
    const QSize size(widthAt1 * scale_, kHeight * scale_);
    if (size != this->size() || art_.width() != widthAt1) {
        setFixedSize(size);
        art_ = QImage(widthAt1, kHeight, QImage::Format_RGB32);
        drawn_.clear();
    }
    if (pos() != at) move(at);
    if (!isVisible()) show();
    if (window && window->isFullScreen()) raise();
    refresh();
}

void WatchBar::refresh() {
    const replay::Watch::Bar b = watch_.bar(language());
    const QString now = QString::fromStdString(b.state + "|" + b.speed + "|" + b.clock) + (watch_.paused() ? "p" : "");
    if (now == drawn_ || art_.isNull()) return;
    drawn_ = now;
    draw();
    update();
}

void WatchBar::draw() {
    const replay::Watch::Bar b = watch_.bar(language());
    QPainter p(&art_);
    QFont f = captionFont();
    f.setStyleStrategy(QFont::NoAntialias);
    p.setFont(f);
    const QFontMetrics fm(f);
    const int w = art_.width(), h = kHeight;
    raised(p, QRect(0, 0, w, h));
    buttons_.clear();
    // Buttons 15 x 11 from the left: back, pause or play, slower, the speed, faster.
    int x = 3;
    auto button = [&](replay::WatchAction a, int width) {
        const QRect r(x, 2, width, h - 4);
        raised(p, r);
        buttons_.push_back({r, a});
        x += width + 2;
        return r;
    };
    const QRect back = button(replay::WatchAction::Back, 17);
    p.fillRect(back.left() + 3, back.top() + 2, 1, 7, kInk);
    triangle(p, back.left() + 4, back.top() + 2, 6, -1);
    triangle(p, back.left() + 9, back.top() + 2, 6, -1);
    const QRect play = button(replay::WatchAction::Pause, 15);
    if (watch_.paused() || watch_.atEnd()) {
        triangle(p, play.left() + 10, play.top() + 1, 8, 1);
    } else {
        p.fillRect(play.left() + 4, play.top() + 2, 2, 7, kInk);
        p.fillRect(play.left() + 8, play.top() + 2, 2, 7, kInk);
    }
    const QRect minus = button(replay::WatchAction::Slower, 11);
    p.fillRect(minus.left() + 3, minus.center().y(), 5, 1, kInk);
    // The speed in a sunken box between its two buttons.
    const int sw = fm.horizontalAdvance(QStringLiteral("88\u00d7")) + 4;
    const QRect speed(x, 2, sw, h - 4);
    raised(p, speed, true);
    p.setPen(kInk);
    p.drawText(speed, Qt::AlignCenter, QString::fromStdString(b.speed));
    x += sw + 2;
    const QRect plus = button(replay::WatchAction::Faster, 11);
    p.fillRect(plus.left() + 3, plus.center().y(), 5, 1, kInk);
    p.fillRect(plus.left() + 5, plus.center().y() - 2, 1, 5, kInk);
    x += 4;
    // The clock, what plays, and (where it fits) the keys at the right.
    const QString clock = QString::fromStdString(b.clock), state = QString::fromStdString(b.state);
    const QRect clockBox(x, 2, fm.horizontalAdvance(clock) + 6, h - 4);
    raised(p, clockBox, true);
    p.setPen(kInk);
    p.drawText(clockBox, Qt::AlignCenter, clock);
    x = clockBox.right() + 6;
    p.drawText(QRect(x, 0, w - x, h), Qt::AlignVCenter | Qt::AlignLeft, state);
    x += fm.horizontalAdvance(state) + 10;
    const QString keys = QString::fromStdString(b.keys);
    if (x + fm.horizontalAdvance(keys) <= w - 4) {
        p.setPen(kSoft);
        p.drawText(QRect(x, 0, w - x - 4, h), Qt::AlignVCenter | Qt::AlignRight, keys);
    }
}

void WatchBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(rect(), art_);  // each scene pixel a square of scale x scale
}

void WatchBar::mousePressEvent(QMouseEvent* e) {
    const QPoint at = e->position().toPoint() / scale_;
    for (const Button& b : buttons_)
        if (b.area.contains(at)) return act_(b.action);
}

}  // namespace sky::qt

// Draws a game screen's scene.
#include "qt/scenepainter.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "game/drawlist.h"
#include "playfield/gamescreen.h"
#include "playfield/motion.h"
#include "qt/appearance.h"
#include "qt/language.h"

namespace sky::qt {

int toPixel(double v) {
    return drawPixel(v);
}

namespace {

QColor rgb(Rgb c) {
    return QColor::fromRgb((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

using Drawn = SceneFrame::Drawn;

const QRect kClient(0, 0, GameScreen::kClientWidth, GameScreen::kClientHeight);

void drawShape(QPainter& p, const Shape& s, const Drawn& d) {
    const int l = d.a.x(), t = d.a.y(), w = d.b.x(), h = d.b.y();
    if (s.kind == ShapeKind::Rectangle) {
        if (s.filled) p.fillRect(QRect(l, t, w, h), rgb(s.FillColor));
        if (s.bordered) {
            p.setPen(QPen(rgb(s.BorderColor), 0));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRect(l, t, w - 1, h - 1));  // the border lies on the shape's outer pixels
        }
        return;
    }
    // The rounded square: its corners cut by a radius of a quarter of its side.
    const double r = std::min(w, h) / 4.0;
    QPainterPath path;
    path.addRoundedRect(QRectF(l + 0.5, t + 0.5, w - 1, h - 1), r, r);
    p.setPen(s.bordered ? QPen(rgb(s.BorderColor), 0) : QPen(Qt::NoPen));
    p.setBrush(s.filled ? QBrush(rgb(s.FillColor)) : QBrush(Qt::NoBrush));
    p.drawPath(path);
}

void drawLine(QPainter& p, const Line& ln, const Drawn& d) {
    QPen pen(rgb(ln.BorderColor), ln.BorderWidth <= 1 ? 0 : ln.BorderWidth);
    pen.setCapStyle(Qt::SquareCap);
    p.setPen(pen);
    p.drawLine(d.a, d.b);
}

// Inside `area`, the painter clipped to it; it stays so.
void drawLabel(QPainter& p, const Label& lb, const QFont& font, const Drawn& d, const QRect& area) {
    int align = Qt::AlignTop;
    switch (lb.Alignment) {
        case Align::Left:
            align |= Qt::AlignLeft;
            break;
        case Align::Center:
            align |= Qt::AlignHCenter;
            break;
        case Align::Right:
            align |= Qt::AlignRight;
            break;
    }
    const QRect box(d.a, QSize(d.b.x(), d.b.y()));
    p.setClipRect(box & area);  // a caption never spills out of its label
    p.setFont(font);
    p.setPen(rgb(lb.ForeColor));
    p.drawText(box, align | Qt::TextSingleLine, uiText(lb.Caption));
    p.setClipRect(area);
}

// Whether two areas overlap once the first is grown by `margin` on every side (QRect::intersects,
// which is not inlined: a frame asks this a few thousand times).
bool near(const QRect& a, const QRect& b, int margin) {
    return a.left() - margin <= b.right() && b.left() <= a.right() + margin && a.top() - margin <= b.bottom() &&
           b.top() <= a.bottom() + margin;
}

// Joins areas that touch or nearly do, so an update paints a few areas rather than many slivers.
// Each area swallows those near it, again while it grows; passes repeat until none is near another.
void mergeAreas(std::vector<QRect>& v) {
    for (bool merged = true; merged;) {
        merged = false;
        for (std::size_t i = 0; i < v.size(); ++i)
            for (std::size_t j = i + 1; j < v.size();) {
                if (near(v[i], v[j], 8)) {
                    v[i] |= v[j];
                    v[j] = v.back();
                    v.pop_back();
                    j = i + 1;  // grown, it may now reach those it passed
                    merged = true;
                } else {
                    ++j;
                }
            }
    }
}

// The part of a picture standing at `at` that lies inside `area`, onto an image of kSceneFormat
// (pixels Qt's blending would draw the same): every row copied whole, or for a picture whose
// pixels are each wholly see-through or not, only its runs that are not.
void copyInto(QImage& to, const ScenePicture& pic, QPoint at, const QRect& area) {
    const QRect r = QRect(at, pic.image.size()) & area;
    if (r.isEmpty()) return;
    const qsizetype toStep = to.bytesPerLine() / 4, fromStep = pic.image.bytesPerLine() / 4;
    // The painter on `to` draws into the same pixels: no detach here.
    const int from = r.left() - at.x(), upTo = r.right() + 1 - at.x();  // the columns inside, in the picture
    auto* d = reinterpret_cast<QRgb*>(const_cast<uchar*>(to.constBits())) + r.top() * toStep + r.left();
    const auto* s = reinterpret_cast<const QRgb*>(pic.image.constBits()) + (r.top() - at.y()) * fromStep + from;
    for (int y = r.top() - at.y(); y <= r.bottom() - at.y(); ++y, d += toStep, s += fromStep) {
        if (pic.blit == Blit::Copy) {
            std::memcpy(d, s, static_cast<std::size_t>(upTo - from) * sizeof(QRgb));
            continue;
        }
        for (std::uint32_t k = pic.rowAt[y]; k < pic.rowAt[y + 1]; ++k) {
            const int b = std::max(pic.runs[k].first, from), e = std::min(pic.runs[k].second, upTo);
            if (b < e) std::memcpy(d + (b - from), s + (b - from), static_cast<std::size_t>(e - b) * sizeof(QRgb));
        }
    }
}

void fillWhite(QImage& to, const QRect& area) {
    const QRect r = area & to.rect();
    const qsizetype step = to.bytesPerLine() / 4;
    auto* d = reinterpret_cast<QRgb*>(const_cast<uchar*>(to.constBits())) + r.top() * step + r.left();
    for (int y = 0; y < r.height(); ++y, d += step) std::fill_n(d, r.width(), QRgb{0xFFFFFFFF});
}

}  // namespace

const ScenePicture& ScenePainter::imageOf(const Picture& pic) {
    const auto key = std::make_pair(pic.image.get(), pic.whiteIsTransparent);
    auto it = cache_.find(key);
    if (it != cache_.end()) return it->second;
    ScenePicture c;
    c.source = pic.image;
    c.image = toQImage(*pic.image, pic.whiteIsTransparent);
    const QImage& q = c.image;
    bool clear = false, partly = false;  // a pixel see-through; one only partly so
    for (int y = 0; y < q.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(q.constScanLine(y));
        c.rowAt.push_back(static_cast<std::uint32_t>(c.runs.size()));
        for (int x = 0; x < q.width();) {
            const int begin = x;
            while (x < q.width() && qAlpha(row[x]) != 0) partly |= qAlpha(row[x++]) != 255;
            if (x > begin) c.runs.emplace_back(begin, x);
            while (x < q.width() && qAlpha(row[x]) == 0) ++x, clear = true;
        }
    }
    c.rowAt.push_back(static_cast<std::uint32_t>(c.runs.size()));
    c.blit = partly ? Blit::Blend : clear ? Blit::Mask : Blit::Copy;
    if (c.blit == Blit::Copy) c.image = c.image.convertToFormat(kSceneFormat);
    if (c.blit != Blit::Mask) c.runs.clear(), c.rowAt.clear();
    return cache_.emplace(key, std::move(c)).first->second;
}

ScenePainter::CaptionFont& ScenePainter::fontOf(const Label& l) {
    const auto key = std::make_pair(std::lround(l.fontPt * 1000), l.bold);
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        const QFont f = captionFont(l.fontPt, l.bold);
        it = fonts_.emplace(key, CaptionFont{f, QFontMetrics(f)}).first;
    }
    return it->second;
}

QRect ScenePainter::inkOf(const QRect& box, const Label& l) {
    CaptionFont& f = fontOf(l);
    int top = 0, bottom = -1;  // none yet
    for (const char ch : l.Caption) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= f.rows.size()) return box;  // beyond ASCII: the whole box
        if (!f.known[c]) {
            const QRect r = f.metrics.boundingRect(QChar(c));
            f.rows[c] = r.isEmpty() ? std::make_pair(0, -1) : std::make_pair(r.top(), r.bottom());
            f.known[c] = true;
        }
        const auto [t, b] = f.rows[c];
        if (t > b) continue;  // a space
        if (top > bottom) top = t, bottom = b;
        top = std::min(top, t), bottom = std::max(bottom, b);
    }
    if (top > bottom) return box;
    // Drawn from the top, the baseline lies an ascent down; antialiasing may touch a pixel more.
    const int base = box.top() + f.metrics.ascent();
    return box & QRect(box.left(), base + top - 2, box.width(), bottom - top + 5);
}

void ScenePainter::measure(Drawn& d, const DrawEntry& e, const GameScreen& screen, const Drawn* before) {
    d.area = QRect();
    d.a = d.b = QPoint();
    d.picture = nullptr;
    d.look = {};
    d.text.clear();
    if (!e.drawn) return;
    switch (e.kind) {
        case DrawItem::SpriteItem: {
            d.picture = &imageOf(*e.picture);
            d.a = QPoint(e.ax, e.ay);
            d.area = QRect(d.a, d.picture->image.size());
            return;
        }
        case DrawItem::ShapeItem: {
            const Shape& s = screen.shapes()[e.index];
            d.a = QPoint(e.ax, e.ay);
            d.b = QPoint(e.bx, e.by);
            d.area = QRect(d.a, QSize(e.bx, e.by)).adjusted(-1, -1, 1, 1);
            d.look = {static_cast<std::uint32_t>(s.kind), (s.filled ? 1u : 0u) | (s.bordered ? 2u : 0u), s.FillColor,
                      s.BorderColor};
            return;
        }
        case DrawItem::LineItem: {
            const Line& l = screen.lines()[e.index];
            d.a = QPoint(e.ax, e.ay);
            d.b = QPoint(e.bx, e.by);
            const int m = std::max(1, l.BorderWidth) / 2 + 2;  // the pen's half width and its square caps
            d.area = QRect(d.a, d.b).normalized().adjusted(-m, -m, m, m);
            d.look = {l.BorderColor, static_cast<std::uint32_t>(l.BorderWidth), 0, 0};
            return;
        }
        case DrawItem::LabelItem: {
            const Label& l = screen.labels()[e.index];
            d.a = QPoint(e.ax, e.ay);
            d.b = QPoint(e.bx, e.by);
            d.look = {l.ForeColor, static_cast<std::uint32_t>(l.Alignment), static_cast<std::uint32_t>(l.bold),
                      static_cast<std::uint32_t>(std::lround(l.fontPt * 1000))};
            d.text.assign(l.Caption);
            const bool same = before && before->a == d.a && before->b == d.b && before->look == d.look &&
                              before->text == d.text && !before->area.isEmpty();
            d.area = same ? before->area : inkOf(QRect(d.a, QSize(e.bx, e.by)), l);
            return;
        }
    }
}

void ScenePainter::paintArea(QPainter& p, const GameScreen& screen, const std::vector<Drawn>& drawn, const QRect& area,
                             QImage* direct) {
    // Drawing directly, the painter is clipped to the area only before it first draws in it.
    bool clipped = false;
    auto painter = [&]() -> QPainter& {
        if (!clipped) p.setClipRect(area);
        clipped = true;
        return p;
    };
    if (!direct) painter();
    auto picture = [&](const ScenePicture& pic, QPoint at) {
        if (direct && pic.blit != Blit::Blend)
            copyInto(*direct, pic, at, area);
        else
            painter().drawImage(at, pic.image);
    };
    // The background is drawn unscaled from the top-left on white; what lies past the client area
    // is cut off.
    const ScenePicture* bg = list_.background ? &imageOf(*list_.background) : nullptr;
    if (!bg || bg->image.hasAlphaChannel() || !bg->image.rect().contains(area)) {
        if (direct)
            fillWhite(*direct, area);
        else
            p.fillRect(area, Qt::white);
    }
    if (bg) picture(*bg, QPoint(0, 0));
    const auto& items = screen.stacking();
    for (std::size_t i = 0; i < items.size() && i < drawn.size(); ++i) {
        const Drawn& d = drawn[i];
        if (d.area.isEmpty() || !near(d.area, area, 0)) continue;
        switch (items[i].kind) {
            case DrawItem::SpriteItem:
                picture(*d.picture, d.a);
                break;
            case DrawItem::ShapeItem:
                drawShape(painter(), screen.shapes()[items[i].index], d);
                break;
            case DrawItem::LineItem:
                drawLine(painter(), screen.lines()[items[i].index], d);
                break;
            case DrawItem::LabelItem:
                drawLabel(painter(), screen.labels()[items[i].index], fontOf(screen.labels()[items[i].index]).font, d,
                          area);
                break;
        }
    }
}

void ScenePainter::paint(QPainter& p, const GameScreen& screen, const SceneMotion* motion) {
    buildDrawList(list_, screen, motion);
    scratch_.resize(list_.entries.size());
    for (std::size_t i = 0; i < scratch_.size(); ++i) measure(scratch_[i], list_.entries[i], screen);
    p.save();
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform, false);
    paintArea(p, screen, scratch_, kClient);
    p.restore();
}

const std::vector<QRect>& ScenePainter::update(SceneFrame& f, const GameScreen& screen, const SceneMotion* motion) {
    if (f.image.isNull()) f.image = QImage(GameScreen::kClientWidth, GameScreen::kClientHeight, kSceneFormat);
    buildDrawList(list_, screen, motion);
    f.next.resize(list_.entries.size());
    for (std::size_t i = 0; i < f.next.size(); ++i)
        measure(f.next[i], list_.entries[i], screen, f.valid && i < f.drawn.size() ? &f.drawn[i] : nullptr);
    const void* background = list_.background ? list_.background->image.get() : nullptr;
    f.areas.clear();
    if (!f.valid || background != f.background || f.drawn.size() != f.next.size()) {
        f.areas.push_back(kClient);
    } else {
        // An item that changed is redrawn where it was and where it is, with all that overlaps it.
        for (std::size_t i = 0; i < f.next.size(); ++i) {
            if (f.next[i] == f.drawn[i]) continue;
            for (const QRect& r : {f.drawn[i].area, f.next[i].area})
                if (const QRect c = r & kClient; !c.isEmpty()) f.areas.push_back(c);
        }
        mergeAreas(f.areas);
    }
    std::swap(f.drawn, f.next);
    f.background = background;
    f.valid = true;
    if (f.areas.empty()) return f.areas;
    f.image.detach();  // its pixels are written directly too (not shared with a copy)
    QPainter p(&f.image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform, false);
    for (const QRect& r : f.areas) paintArea(p, screen, f.drawn, r, &f.image);
    return f.areas;
}

QImage ScenePainter::render(const GameScreen& screen) {
    QImage img(GameScreen::kClientWidth, GameScreen::kClientHeight, kSceneFormat);
    QPainter p(&img);
    paint(p, screen);
    return img;
}

}  // namespace sky::qt

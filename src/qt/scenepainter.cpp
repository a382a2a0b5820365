// Draws a game screen's scene.
#include "qt/scenepainter.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

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
void drawLabel(QPainter& p, const Label& lb, const Drawn& d, const QRect& area) {
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
    p.setClipRect(d.area & area);  // a caption never spills out of its label
    p.setFont(captionFont(lb.fontPt, lb.bold));
    p.setPen(rgb(lb.ForeColor));
    p.drawText(d.area, align | Qt::TextSingleLine, uiText(lb.Caption));
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

}  // namespace

const QImage& ScenePainter::imageOf(const Picture& pic) {
    const auto key = std::make_pair(pic.image.get(), pic.whiteIsTransparent);
    auto it = cache_.find(key);
    if (it == cache_.end()) {
        QImage q = toQImage(*pic.image, pic.whiteIsTransparent);
        // A picture without a see-through pixel is copied, not blended.
        bool opaque = true;
        for (int y = 0; y < q.height() && opaque; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(q.constScanLine(y));
            opaque = std::all_of(row, row + q.width(), [](QRgb c) { return qAlpha(c) == 255; });
        }
        if (opaque) q = q.convertToFormat(kSceneFormat);
        it = cache_.emplace(key, std::make_pair(pic.image, std::move(q))).first;
    }
    return it->second.second;
}

void ScenePainter::measure(Drawn& d, const DrawEntry& e, const GameScreen& screen) {
    d.area = QRect();
    d.a = d.b = QPoint();
    d.image = nullptr;
    d.look = {};
    d.text.clear();
    if (!e.drawn) return;
    switch (e.kind) {
        case DrawItem::SpriteItem:
            d.image = &imageOf(*e.picture);
            d.a = QPoint(e.ax, e.ay);
            d.area = QRect(d.a, d.image->size());
            return;
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
            d.area = QRect(e.ax, e.ay, e.bx, e.by);
            d.look = {l.ForeColor, static_cast<std::uint32_t>(l.Alignment), static_cast<std::uint32_t>(l.bold),
                      static_cast<std::uint32_t>(std::lround(l.fontPt * 1000))};
            d.text.assign(l.Caption);
            return;
        }
    }
}

void ScenePainter::paintArea(QPainter& p, const GameScreen& screen, const std::vector<Drawn>& drawn,
                             const QRect& area) {
    p.setClipRect(area);
    // The background is drawn unscaled from the top-left on white; what lies past the client area
    // is cut off.
    const QImage* bg = nullptr;
    if (list_.background) bg = &imageOf(*list_.background);
    if (!bg || bg->hasAlphaChannel() || !bg->rect().contains(area)) p.fillRect(area, Qt::white);
    if (bg) p.drawImage(QPoint(0, 0), *bg);
    const auto& items = screen.stacking();
    for (std::size_t i = 0; i < items.size() && i < drawn.size(); ++i) {
        const Drawn& d = drawn[i];
        if (d.area.isEmpty() || !near(d.area, area, 0)) continue;
        switch (items[i].kind) {
            case DrawItem::SpriteItem:
                p.drawImage(d.a, *d.image);
                break;
            case DrawItem::ShapeItem:
                drawShape(p, screen.shapes()[items[i].index], d);
                break;
            case DrawItem::LineItem:
                drawLine(p, screen.lines()[items[i].index], d);
                break;
            case DrawItem::LabelItem:
                drawLabel(p, screen.labels()[items[i].index], d, area);
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
    for (std::size_t i = 0; i < f.next.size(); ++i) measure(f.next[i], list_.entries[i], screen);
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
    QPainter p(&f.image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform, false);
    for (const QRect& r : f.areas) paintArea(p, screen, f.drawn, r);
    return f.areas;
}

QImage ScenePainter::render(const GameScreen& screen) {
    QImage img(GameScreen::kClientWidth, GameScreen::kClientHeight, kSceneFormat);
    QPainter p(&img);
    paint(p, screen);
    return img;
}

}  // namespace sky::qt

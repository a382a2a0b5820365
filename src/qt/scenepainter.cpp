// Draws a game screen's scene.
#include "qt/scenepainter.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "playfield/gamescreen.h"
#include "playfield/motion.h"
#include "qt/appearance.h"
#include "qt/language.h"

namespace sky::qt {

int toPixel(double v) {
    return static_cast<int>(std::floor(v + 0.5));
}

namespace {

QColor rgb(Rgb c) {
    return QColor::fromRgb((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

void drawShape(QPainter& p, const Shape& s, SceneMotion::Point at) {
    const int l = toPixel(at.x), t = toPixel(at.y);
    const int w = toPixel(s.Width), h = toPixel(s.Height);
    if (w <= 0 || h <= 0) return;
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

void drawLine(QPainter& p, const Line& ln, const std::array<double, 4>& at) {
    if (!ln.Visible) return;
    QPen pen(rgb(ln.BorderColor), ln.BorderWidth <= 1 ? 0 : ln.BorderWidth);
    pen.setCapStyle(Qt::SquareCap);
    p.setPen(pen);
    p.drawLine(QPoint(toPixel(at[0]), toPixel(at[1])), QPoint(toPixel(at[2]), toPixel(at[3])));
}

void drawLabel(QPainter& p, const Label& lb) {
    if (!lb.Visible || lb.Caption.empty()) return;
    const QRect box(toPixel(lb.Left), toPixel(lb.Top), toPixel(lb.Width), toPixel(lb.Height));
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
    p.save();
    p.setClipRect(box);  // a caption never spills out of its label
    p.setFont(captionFont(lb.fontPt, lb.bold));
    p.setPen(rgb(lb.ForeColor));
    p.drawText(box, align | Qt::TextSingleLine, uiText(lb.Caption));
    p.restore();
}

}  // namespace

const QImage& ScenePainter::imageOf(const Picture& pic) {
    const auto key = std::make_pair(pic.image.get(), pic.whiteIsTransparent);
    auto it = cache_.find(key);
    if (it == cache_.end())
        it = cache_.emplace(key, std::make_pair(pic.image, toQImage(*pic.image, pic.whiteIsTransparent))).first;
    return it->second.second;
}

void ScenePainter::paint(QPainter& p, const GameScreen& screen, const SceneMotion* motion) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.setClipRect(QRect(0, 0, GameScreen::kClientWidth, GameScreen::kClientHeight));
    p.fillRect(QRect(0, 0, GameScreen::kClientWidth, GameScreen::kClientHeight), Qt::white);
    // The background is drawn unscaled from the top-left; what lies past the client area is cut off.
    if (PictureRef bg = screen.background(); bg && bg->image) p.drawImage(QPoint(0, 0), imageOf(*bg));
    for (const DrawItem& item : screen.stacking()) {
        switch (item.kind) {
            case DrawItem::SpriteItem: {
                const Sprite& s = screen.sprites()[item.index];
                const SceneMotion::Point at = motion ? motion->sprite(item.index) : SceneMotion::Point{s.Left, s.Top};
                if (s.Visible && s.Picture && s.Picture->image)
                    p.drawImage(QPoint(toPixel(at.x), toPixel(at.y)), imageOf(*s.Picture));
                break;
            }
            case DrawItem::ShapeItem: {
                const Shape& s = screen.shapes()[item.index];
                drawShape(p, s, motion ? motion->shape(item.index) : SceneMotion::Point{s.Left, s.Top});
                break;
            }
            case DrawItem::LineItem: {
                const Line& l = screen.lines()[item.index];
                drawLine(p, l, motion ? motion->line(item.index) : std::array<double, 4>{l.X1, l.Y1, l.X2, l.Y2});
                break;
            }
            case DrawItem::LabelItem:
                drawLabel(p, screen.labels()[item.index]);
                break;
        }
    }
    p.restore();
}

QImage ScenePainter::render(const GameScreen& screen) {
    QImage img(GameScreen::kClientWidth, GameScreen::kClientHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    paint(p, screen);
    return img;
}

}  // namespace sky::qt

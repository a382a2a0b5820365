// What a game screen shows at one instant.
#include "game/drawlist.h"

#include <cmath>

namespace sky {

int drawPixel(double v) {
    return static_cast<int>(std::floor(v + 0.5));
}

void buildDrawList(DrawList& out, const GameScreen& screen, const SceneMotion* motion) {
    const PictureRef bg = screen.background();
    out.background = bg && bg->image ? bg.get() : nullptr;
    const auto& items = screen.stacking();
    out.entries.resize(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        DrawEntry& d = out.entries[i];
        d = DrawEntry{items[i].kind, items[i].index};
        const std::size_t k = items[i].index;
        switch (items[i].kind) {
            case DrawItem::SpriteItem: {
                const Sprite& s = screen.sprites()[k];
                const SceneMotion::Point at = motion ? motion->sprite(k) : SceneMotion::Point{s.Left, s.Top};
                d.drawn = s.Visible && s.Picture && s.Picture->image;
                d.picture = s.Picture.get();
                d.ax = drawPixel(at.x);
                d.ay = drawPixel(at.y);
                break;
            }
            case DrawItem::ShapeItem: {
                const Shape& s = screen.shapes()[k];
                const SceneMotion::Point at = motion ? motion->shape(k) : SceneMotion::Point{s.Left, s.Top};
                d.ax = drawPixel(at.x);
                d.ay = drawPixel(at.y);
                d.bx = drawPixel(s.Width);
                d.by = drawPixel(s.Height);
                d.drawn = d.bx > 0 && d.by > 0;
                break;
            }
            case DrawItem::LineItem: {
                const Line& l = screen.lines()[k];
                const auto at = motion ? motion->line(k) : std::array<double, 4>{l.X1, l.Y1, l.X2, l.Y2};
                d.drawn = l.Visible;
                d.ax = drawPixel(at[0]);
                d.ay = drawPixel(at[1]);
                d.bx = drawPixel(at[2]);
                d.by = drawPixel(at[3]);
                break;
            }
            case DrawItem::LabelItem: {
                const Label& l = screen.labels()[k];
                d.ax = drawPixel(l.Left);
                d.ay = drawPixel(l.Top);
                d.bx = drawPixel(l.Width);
                d.by = drawPixel(l.Height);
                d.drawn = l.Visible && !l.Caption.empty() && d.bx > 0 && d.by > 0;
                break;
            }
        }
    }
}

const DrawList& SceneView::at(const GameScreen& screen, Micros lastTick, Micros now) {
    motion_.capture(screen, lastTick);
    motion_.setTime(now, screen.paused());
    buildDrawList(list_, screen, &motion_);
    return list_;
}

}  // namespace sky

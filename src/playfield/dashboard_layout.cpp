// The dashboard panel's static layout: the attitude and height indicator and the read-outs.
#include "playfield/gamescreen.h"

namespace sky {

void buildDashboard(GameScreen& s, int episode) {
    using namespace dashboard;
    const bool e2 = episode == 2;
    for (const LineRow& r : kLines) s.addLine({r.name, r.x1, r.y1, r.x2, r.y2, r.colour, 1, r.visible});
    for (const ShapeRow& r : kShapes)
        s.addShape(
            {r.name, r.kind, r.left, r.top, r.width, r.height, r.filled, e2 ? r.fill2 : r.fill, r.bordered, r.border});
    for (const ReadoutRow& r : kReadouts) {
        Label c;
        c.name = r.caption;
        c.Caption = text(e2 ? r.captionText2 : r.captionText);
        c.Left = r.left;
        c.Top = r.top;
        c.Width = r.valueLeft - r.left;
        c.ForeColor = kCaptionGreen;
        s.addLabel(c);
        Label v;
        v.name = r.name;
        v.Caption = e2 ? r.design2 : r.design;
        v.Left = r.valueLeft;
        v.Top = r.top;
        v.Width = r.valueWidth;
        v.ForeColor = kValueGreen;
        v.Alignment = r.align;
        s.addLabel(v);
    }
}

}  // namespace sky

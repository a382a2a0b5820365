// The dashboard panel's static layout: the attitude and height indicator and the read-outs.
#include "playfield/gamescreen.h"

namespace sky {

namespace {
constexpr Rgb kCaptionGreen = 0x00C000;  // caption labels
constexpr Rgb kValueGreen = 0x00FF00;    // value labels
constexpr Rgb kScale = 0xFFFFFF;         // scale marks and the height marker
}  // namespace

void buildDashboard(GameScreen& s, int episode) {
    const bool e2 = episode == 2;
    // The two reference lines that bound the flight: ground and ceiling. Never drawn.
    s.addLine({"Line1", 24, 352, 632, 352, 0x000000, 1, false});
    s.addLine({"Line2", 24, 3, 632, 3, 0x000000, 1, false});

    //          name      kind                       left top  w    h    filled fill                     border  colour
    s.addShape({"Shape1", ShapeKind::Rectangle, 216, 400, 225, 121, true, 0x000000, true, 0x808080});  // panel
    s.addShape({"Shape2", ShapeKind::Rectangle, 224, 408, 73, 49, true, 0x0000FF, false, 0});          // sky
    s.addShape(
        {"Shape3", ShapeKind::Rectangle, 224, 456, 73, 17, true, e2 ? 0xC0C000u : 0x00C000u, false, 0});  // ground
    s.addShape({"Shape5", ShapeKind::Rectangle, 224, 408, 73, 65, false, 0, true, 0xFFFFFF});             // frame
    s.addShape({"Shape4", ShapeKind::RoundedSquare, 256, 452, 9, 9, true, e2 ? 0xFF8000u : 0xFF80FFu, true,
                0x000000});  // aircraft

    // Height marker and scale marks.
    s.addLine({"Line4", 248, 456, 272, 456, kScale, 1, true});
    for (auto [name, y] : {std::pair{"Line3", 432}, {"Line5", 440}, {"Line6", 448}})
        s.addLine({name, 224, double(y), 229, double(y), kScale, 1, true});
    for (auto [name, y] : {std::pair{"Line12", 416}, {"Line11", 424}})
        s.addLine({name, 224, double(y), 228, double(y), kScale, 1, true});
    s.addLine({"Line7", 291, 432, 296, 432, kScale, 1, true});
    for (auto [name, y] : {std::pair{"Line13", 416}, {"Line10", 424}, {"Line8", 440}, {"Line9", 448}})
        s.addLine({name, 292, double(y), 296, double(y), kScale, 1, true});

    // Read-outs: caption label, then the value label with its design caption.
    struct Row {
        const char* caption;
        TextId captionText;
        double left, top;
        const char* value;
        double valueLeft, valueWidth;
        const char* design;
        Align align;
    };
    const Row rows[] = {
        {"Label10", TextId::DashSpeed, 304, 408, "Label3", 368, 65, "", Align::Left},
        {"Label11", TextId::DashTilt, 304, 424, "Label4", 368, 65, "", Align::Left},
        {"Label12", TextId::DashFuel, 304, 440, "Label1", 368, 73, "", Align::Left},
        {"Label13", TextId::DashDistance, 304, 456, "Label2", 368, 73, "", Align::Left},
        {"Label14", e2 ? TextId::DashRescues : TextId::DashLevel, 304, 480, "Label5", 368, 73, e2 ? "0/10" : "1",
         Align::Left},
        {"Label15", TextId::DashScore, 304, 496, "Label6", 368, 73, "0", Align::Left},
        {"Label7", TextId::DashDamage, 224, 480, "Label8", 288, 17, "0", Align::Left},
        {"Label9", e2 ? TextId::DashMissiles : TextId::DashBombs, 224, 496, "Label16", 268, 25, "80", Align::Right},
    };
    for (const Row& r : rows) {
        Label c;
        c.name = r.caption;
        c.Caption = text(r.captionText);
        c.Left = r.left;
        c.Top = r.top;
        c.Width = r.valueLeft - r.left;
        c.ForeColor = kCaptionGreen;
        s.addLabel(c);
        Label v;
        v.name = r.value;
        v.Caption = r.design;
        v.Left = r.valueLeft;
        v.Top = r.top;
        v.Width = r.valueWidth;
        v.ForeColor = kValueGreen;
        v.Alignment = r.align;
        s.addLabel(v);
    }
}

}  // namespace sky

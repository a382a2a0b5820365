// The game screens' fixed tables: the sprites both screens have and the dashboard panel. They are
// known while compiling, so a screen binds its sprites and read-outs by position (a name a table
// lacks does not compile) and setting up a game looks nothing up by name.
#pragma once

#include <cstddef>
#include <string_view>

#include "runtime/sprite.h"
#include "runtime/text.h"

namespace sky {

// One row of a screen's sprite catalogue.
struct SpriteRow {
    const char* name;     // "bomba(0)" for members of a sprite array
    const char* picture;  // design picture (an artwork name), or nullptr for none
    double left, top;     // design position (sources: 0, 0)
    int width, height;    // design size; a picture, when given, sets the size instead
    bool visible;         // false for hidden sprites and for sources
    bool source;          // only holds a picture for other sprites
};

// Where `name` stands in a table whose rows have a name.
template <class Row, std::size_t N>
consteval std::size_t rowOf(const Row (&rows)[N], std::string_view name) {
    for (std::size_t i = 0; i < N; ++i)
        if (name == rows[i].name) return i;
    throw "not in the table";  // a name missing from the table does not compile
}

// Where member 0 of the sprite array `array` stands, its members 0 .. n-1 ("bomba(0)", "bomba(1)",
// ...) following one another.
template <std::size_t N>
consteval std::size_t arrayOf(const SpriteRow (&rows)[N], std::string_view array, std::size_t n) {
    const auto isMember = [&](std::size_t row, std::size_t i) {
        const std::string_view name = rows[row].name;
        return i < 10 && name.size() == array.size() + 3 && name.substr(0, array.size()) == array &&
               name[array.size()] == '(' && name[array.size() + 1] == char('0' + i) && name.back() == ')';
    };
    for (std::size_t first = 0; first + n <= N; ++first) {
        if (!isMember(first, 0)) continue;
        for (std::size_t i = 1; i < n; ++i)
            if (!isMember(first + i, i)) throw "the array's members do not follow one another";
        return first;
    }
    throw "no such sprite array";
}

// clang-format off
// The sprites both screens have, as designed; each screen's own table adds the rest after them.
inline constexpr SpriteRow kSharedSprites[] = {
    // name        picture     left  top   w    h   visible source
    {"dravik",     nullptr,     64, 344,  84,  33, true,  false},  // the aircraft; hh1 at set-up
    {"hn",         "hn",         0,   0,  84,  33, false, true},   // level
    {"hh1",        "hh1",        0,   0,  84,  33, false, true},   // nose up 1..3
    {"hh2",        "hh2",        0,   0,  84,  33, false, true},
    {"hh3",        "hh3",        0,   0,  84,  33, false, true},
    {"hd1",        "hd1",        0,   0,  84,  33, false, true},   // nose down 1..3
    {"hd2",        "hd2",        0,   0,  84,  33, false, true},
    {"hd3",        "hd3",        0,   0,  84,  33, false, true},
    {"vletisko",   "hn",        32, 352,  84,  33, false, false},  // hidden marker of the next airport, looks like hn
    {"l1",         "l1",         0,   0, 115,  45, false, true},   // airport, beacon lit
    {"l2",         "l2",         0,   0, 115,  45, false, true},   // beacon dark
    {"dom1",       nullptr,    296, 365,  61,  29, true,  false},  // houses; pictures at set-up
    {"dom2",       nullptr,    600, 365,  61,  29, true,  false},
    {"o1",         nullptr,    496,  64,  32,  32, true,  false},  // clouds; ioblak at set-up
    {"o2",         nullptr,    536,  64,  32,  32, true,  false},
    {"o3",         nullptr,    496, 104,  32,  32, true,  false},
    {"o4",         nullptr,    536, 104,  32,  32, true,  false},
    {"o5",         nullptr,    496, 144,  32,  32, true,  false},
    {"ioblak",     "ioblak",     0,   0,  32,  32, false, true},   // the cloud icon
    {"b1",         "b1",         0,   0,  13,  13, false, true},   // star twinkle frames
    {"b2",         "b2",         0,   0,  13,  14, false, true},
    {"vy1",        "vy1",        0,   0,  46,  46, false, true},   // explosion frames 1..6
    {"vy2",        "vy2",        0,   0,  46,  46, false, true},
    {"vy3",        "vy3",        0,   0,  46,  46, false, true},
    {"vy4",        "vy4",        0,   0,  46,  46, false, true},
    {"vy5",        "vy5",        0,   0,  46,  46, false, true},
    {"vy6",        "vy6",        0,   0,  46,  46, false, true},
};
// clang-format on

// A sprite's place in a screen's scene: the shared sprites first, then the screen's own table.
consteval std::size_t sharedSprite(std::string_view name) {
    return rowOf(kSharedSprites, name);
}
template <std::size_t N>
consteval std::size_t ownSprite(const SpriteRow (&rows)[N], std::string_view name) {
    return std::size(kSharedSprites) + rowOf(rows, name);
}
template <std::size_t N>
consteval std::size_t ownArray(const SpriteRow (&rows)[N], std::string_view array, std::size_t n) {
    return std::size(kSharedSprites) + arrayOf(rows, array, n);
}

// The dashboard panel, the same on both screens but for a few colours and captions.
namespace dashboard {

inline constexpr Rgb kCaptionGreen = 0x00C000;  // caption labels
inline constexpr Rgb kValueGreen = 0x00FF00;    // value labels
inline constexpr Rgb kScale = 0xFFFFFF;         // scale marks and the height marker
inline constexpr double kGround = 352;          // the ground line: the Top of an aircraft down on it

struct LineRow {
    const char* name;
    double x1, y1, x2, y2;
    Rgb colour;
    bool visible;
};
// clang-format off
inline constexpr LineRow kLines[] = {
    {"Line1",  24, kGround, 632, kGround, 0x000000, false},  // the ground line that bounds the flight, never drawn
    {"Line2",  24,   3, 632,   3, 0x000000, false},  // the ceiling, never drawn
    {"Line4", 248, 456, 272, 456, kScale,   true},   // the height marker
    {"Line3", 224, 432, 229, 432, kScale,   true},   // scale marks
    {"Line5", 224, 440, 229, 440, kScale,   true},
    {"Line6", 224, 448, 229, 448, kScale,   true},
    {"Line12", 224, 416, 228, 416, kScale,  true},
    {"Line11", 224, 424, 228, 424, kScale,  true},
    {"Line7", 291, 432, 296, 432, kScale,   true},
    {"Line13", 292, 416, 296, 416, kScale,  true},
    {"Line10", 292, 424, 296, 424, kScale,  true},
    {"Line8", 292, 440, 296, 440, kScale,   true},
    {"Line9", 292, 448, 296, 448, kScale,   true},
};
// clang-format on

struct ShapeRow {
    const char* name;
    ShapeKind kind;
    double left, top, width, height;
    bool filled;
    Rgb fill, fill2;  // the fill on episode 1's screen and on episode 2's
    bool bordered;
    Rgb border;
};
// clang-format off
inline constexpr ShapeRow kShapes[] = {
    {"Shape1", ShapeKind::Rectangle,     216, 400, 225, 121, true,  0x000000, 0x000000, true,  0x808080},  // panel
    {"Shape2", ShapeKind::Rectangle,     224, 408,  73,  49, true,  0x0000FF, 0x0000FF, false, 0},         // sky
    {"Shape3", ShapeKind::Rectangle,     224, 456,  73,  17, true,  0x00C000, 0xC0C000, false, 0},         // ground
    {"Shape5", ShapeKind::Rectangle,     224, 408,  73,  65, false, 0,        0,        true,  0xFFFFFF},  // frame
    {"Shape4", ShapeKind::RoundedSquare, 256, 452,   9,   9, true,  0xFF80FF, 0xFF8000, true,  0x000000},  // aircraft
};
// clang-format on

// A read-out: its caption label, then its value label with the design's caption. Each row adds
// the two labels in that order.
struct ReadoutRow {
    const char* caption;
    TextId captionText, captionText2;  // on episode 1's screen and on episode 2's
    double left, top;
    const char* name;  // the value label
    double valueLeft, valueWidth;
    const char *design, *design2;
    Align align;
};
// clang-format off
inline constexpr ReadoutRow kReadouts[] = {
    {"Label10", TextId::DashSpeed,    TextId::DashSpeed,    304, 408, "Label3",  368, 65, "",  "",     Align::Left},
    {"Label11", TextId::DashTilt,     TextId::DashTilt,     304, 424, "Label4",  368, 65, "",  "",     Align::Left},
    {"Label12", TextId::DashFuel,     TextId::DashFuel,     304, 440, "Label1",  368, 73, "",  "",     Align::Left},
    {"Label13", TextId::DashDistance, TextId::DashDistance, 304, 456, "Label2",  368, 73, "",  "",     Align::Left},
    {"Label14", TextId::DashLevel,    TextId::DashRescues,  304, 480, "Label5",  368, 73, "1", "0/10", Align::Left},
    {"Label15", TextId::DashScore,    TextId::DashScore,    304, 496, "Label6",  368, 73, "0", "0",    Align::Left},
    {"Label7",  TextId::DashDamage,   TextId::DashDamage,   224, 480, "Label8",  288, 17, "0", "0",    Align::Left},
    {"Label9",  TextId::DashBombs,    TextId::DashMissiles, 224, 496, "Label16", 268, 25, "80", "80",  Align::Right},
};
// clang-format on

// Where a read-out's value label stands among the screen's labels.
consteval std::size_t valueLabel(std::string_view name) {
    return 2 * rowOf(kReadouts, name) + 1;
}

}  // namespace dashboard

}  // namespace sky

// The lettering of the title banner and the web button: 5x9 cells, "#" is ink. Rows 0-6 stand
// on the baseline, rows 7-8 hold descenders.
#pragma once

#include <string_view>

namespace sky::assets::art {

struct Glyph {
    char letter;
    std::string_view rows;
};

inline constexpr Glyph kFont[] = {
    {'S', R"(
.###.
#...#
#....
.###.
....#
#...#
.###.
.....
.....
)"},
    {'k', R"(
#....
#....
#..#.
#.#..
##...
#.#..
#..#.
.....
.....
)"},
    {'y', R"(
.....
.....
#...#
#...#
#...#
.####
....#
#...#
.###.
)"},
    {'r', R"(
.....
.....
#.##.
##..#
#....
#....
#....
.....
.....
)"},
    {'e', R"(
.....
.....
.###.
#...#
#####
#....
.####
.....
.....
)"},
    {'n', R"(
.....
.....
####.
#...#
#...#
#...#
#...#
.....
.....
)"},
    {'d', R"(
....#
....#
.####
#...#
#...#
#...#
.####
.....
.....
)"},
    {'W', R"(
#...#
#...#
#...#
#.#.#
#.#.#
##.##
#...#
.....
.....
)"},
    {'E', R"(
#####
#....
#....
####.
#....
#....
#####
.....
.....
)"},
    {'B', R"(
####.
#...#
#...#
####.
#...#
#...#
####.
.....
.....
)"},
};

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 9;

}  // namespace sky::assets::art

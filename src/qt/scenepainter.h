// Draws a game screen's scene: the background, then every sprite, shape, line and label in the
// screen's stacking order, bottom up, at the playfield's own pixel size.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QRect>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/drawlist.h"
#include "runtime/picture.h"

class QPainter;

namespace sky {
class GameScreen;
class SceneMotion;
}  // namespace sky

namespace sky {
struct DrawItem;
}

namespace sky::qt {

// How a picture goes onto the opaque scene: copied row by row (no see-through pixel), copied
// where it is not see-through (each pixel wholly so or not at all), or blended by Qt.
enum class Blit : std::uint8_t { Copy, Mask, Blend };

// A picture as the scene draws it.
struct ScenePicture {
    std::shared_ptr<const Image> source;  // holding it keeps its address unique
    QImage image;
    Blit blit = Blit::Blend;
    // Mask: the runs of pixels that are not see-through, [first, second) in x; those of row y are
    // runs[rowAt[y]] up to runs[rowAt[y + 1]].
    std::vector<std::pair<int, int>> runs;
    std::vector<std::uint32_t> rowAt;
};

// A scene kept drawn between paints, with what each item of the stacking drew and where, so the
// next update redraws only where something changed.
struct SceneFrame {
    struct Drawn {
        QRect area;  // the pixels it may touch; empty when it draws nothing
        QPoint a, b;
        const ScenePicture* picture = nullptr;
        std::array<std::uint32_t, 4> look{};
        std::string text;
        bool operator==(const Drawn&) const = default;
    };
    QImage image;  // kSceneFormat
    std::vector<Drawn> drawn, next;
    std::vector<QRect> areas;  // redrawn by the last update
    const void* background = nullptr;
    bool valid = false;
};

// The scene is opaque: kept without alpha, it is copied to an opaque window row by row.
inline constexpr QImage::Format kSceneFormat = QImage::Format_RGB32;

class ScenePainter {
public:
    // Paints the scene at the painter's origin, one scene pixel to one painter unit; with a
    // motion, sprites, shapes and lines stand where it draws them between two ticks.
    void paint(QPainter& p, const GameScreen& screen, const SceneMotion* motion = nullptr);
    // The scene as a 669 x 515 image.
    QImage render(const GameScreen& screen);
    // Brings the frame's image up to date with the scene, redrawing (clipped, so every pixel comes
    // out as a whole redraw would draw it) only the areas where something drawn changed since the
    // frame's last update. Returns those areas (frame.areas): none when nothing changed.
    const std::vector<QRect>& update(SceneFrame& frame, const GameScreen& screen, const SceneMotion* motion);
    // How many distinct pictures have been converted so far.
    std::size_t cachedPictures() const { return cache_.size(); }

private:
    const ScenePicture& imageOf(const Picture& pic);
    // A caption's font, and the rows its letters may touch, from each letter's outline.
    struct CaptionFont {
        QFont font;
        QFontMetrics metrics;
        std::array<std::pair<int, int>, 128> rows{};  // an ASCII letter's top and bottom from the baseline
        std::array<bool, 128> known{};
    };
    CaptionFont& fontOf(const Label& l);
    // The rows of a caption's box (drawn from its top) its letters may touch: neighbouring
    // read-outs share a row, and a change in one need not redraw the other.
    QRect inkOf(const QRect& box, const Label& l);
    // Where and what one entry of the core's draw list draws (`before`: the same entry as drawn
    // last time, whose caption may still stand as it was).
    void measure(SceneFrame::Drawn& d, const DrawEntry& e, const GameScreen& screen,
                 const SceneFrame::Drawn* before = nullptr);
    // The scene inside one area, as measured, on a painter without antialiasing; leaves it clipped
    // to the area. Given the image the painter draws on (of kSceneFormat), pictures that need no
    // blending are copied into it directly, and the painter is clipped only when it draws.
    void paintArea(QPainter& p, const GameScreen& screen, const std::vector<SceneFrame::Drawn>& drawn,
                   const QRect& area, QImage* direct = nullptr);
    std::vector<SceneFrame::Drawn> scratch_;
    DrawList list_;  // the scene being drawn
    // Keyed by image and transparency rule.
    std::map<std::pair<const Image*, bool>, ScenePicture> cache_;
    std::map<std::pair<long, bool>, CaptionFont> fonts_;  // by thousandths of a point and boldness
};

// A fractional position on the playfield, rounded to a whole pixel for drawing.
int toPixel(double v);

}  // namespace sky::qt

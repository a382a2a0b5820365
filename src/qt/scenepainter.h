// Draws a game screen's scene: the background, then every sprite, shape, line and label in the
// screen's stacking order, bottom up, at the playfield's own pixel size.
#pragma once

#include <QImage>
#include <map>
#include <memory>
#include <utility>

#include "runtime/picture.h"

class QPainter;

namespace sky {
class GameScreen;
class SceneMotion;
}  // namespace sky

namespace sky::qt {

class ScenePainter {
public:
    // Paints the scene at the painter's origin, one scene pixel to one painter unit; with a
    // motion, sprites, shapes and lines stand where it draws them between two ticks.
    void paint(QPainter& p, const GameScreen& screen, const SceneMotion* motion = nullptr);
    // The scene as a 669 x 515 image.
    QImage render(const GameScreen& screen);
    // How many distinct pictures have been converted so far.
    std::size_t cachedPictures() const { return cache_.size(); }

private:
    const QImage& imageOf(const Picture& pic);
    // Keyed by image and transparency rule; holding the image keeps its address unique.
    std::map<std::pair<const Image*, bool>, std::pair<std::shared_ptr<const Image>, QImage>> cache_;
};

// A fractional position on the playfield, rounded to a whole pixel for drawing.
int toPixel(double v);

}  // namespace sky::qt

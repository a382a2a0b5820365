// Where the scene is drawn between two ticks. The rules move the world once per timer tick; a
// window that paints at the display's rate draws each sprite (and the dashboard's height marker)
// part of the way between where it stood at the last two ticks that moved it, by the share of
// the tick period that has passed since. Only the drawing: nothing of the game reads it.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "runtime/scheduler.h"

namespace sky {

class GameScreen;

class SceneMotion {
public:
    enum class Mode {
        Ticks,        // every element where it stands now: the ticks as they fall
        Interpolate,  // between the last two ticks: smooth, one tick behind
        Extrapolate,  // carried on along the last step: smooth, no delay, overshoots when it stops
    };
    // A step longer than this (in pixels, either way) in one tick is a jump, not motion: a sprite
    // that came back at the right or was placed anew. The fastest mover, the F16's missile, makes
    // 25 pixels a tick at full speed.
    static constexpr double kMaxSlide = 48;
    // Ticks further apart than this (a stalled window, a message box) are not slid across.
    static constexpr Micros kMaxSpan = ms(250);

    explicit SceneMotion(Mode mode = Mode::Interpolate) : mode_(mode) {}
    Mode mode() const { return mode_; }

    // Takes in the scene as it stands after handlers or inputs ran; lastTick is the clock time
    // the last timer fired. A capture in which nothing slid (an input changed a picture, say)
    // leaves the motion in progress alone.
    void capture(const GameScreen& s, Micros lastTick);
    // The instant to draw, on the program's clock. While paused the scene stands still; on
    // resuming, the motion goes on from where it stood.
    void setTime(Micros now, bool paused);
    double alpha() const { return alpha_; }

    struct Point {
        double x = 0, y = 0;
    };
    Point sprite(std::size_t i) const { return at(sprites_, i); }
    Point shape(std::size_t i) const { return at(shapes_, i); }
    // X1, Y1, X2, Y2.
    std::array<double, 4> line(std::size_t i) const;

private:
    struct Track {
        std::array<double, 4> from{}, to{};
        // What the element shows: a change of any of it is a jump.
        const void* picture = nullptr;
        int width = 0, height = 0;
        bool visible = true;
        bool slid = false;  // in the capture being taken
    };
    // Follows one element to its new place; returns true when it slid there.
    static bool follow(Track& t, const std::array<double, 4>& now, const void* picture, int w, int h, bool visible,
                       bool fresh);
    double place(const Track& t, int k) const;
    Point at(const std::vector<Track>& v, std::size_t i) const;

    Mode mode_;
    std::vector<Track> sprites_, shapes_, lines_;
    bool started_ = false;
    Micros tickPrev_ = 0, tickLast_ = 0;
    double alpha_ = 1;
    bool paused_ = false;
    Micros pausedAt_ = 0;
};

}  // namespace sky

// Where the scene is drawn between two ticks.
#include "playfield/motion.h"

#include <algorithm>
#include <cmath>

#include "playfield/gamescreen.h"

namespace sky {

bool SceneMotion::follow(Track& t, const std::array<double, 4>& now, const void* picture, int w, int h, bool visible,
                         bool fresh) {
    t.slid = false;
    const bool same = picture == t.picture && w == t.width && h == t.height && visible == t.visible;
    if (!fresh && same && now == t.to) return false;
    double step = 0;
    for (int k = 0; k < 4; ++k) step = std::max(step, std::abs(now[k] - t.to[k]));
    t.slid = !fresh && same && step <= kMaxSlide;
    // A jump is drawn at its new place at once; a slide goes from where the last tick left it.
    t.from = t.slid ? t.to : now;
    t.to = now;
    t.picture = picture;
    t.width = w;
    t.height = h;
    t.visible = visible;
    return t.slid;
}

void SceneMotion::capture(const GameScreen& s, Micros lastTick) {
    const bool fresh = !started_ || sprites_.size() != s.sprites().size() || shapes_.size() != s.shapes().size() ||
                       lines_.size() != s.lines().size();
    if (fresh) {
        sprites_.assign(s.sprites().size(), {});
        shapes_.assign(s.shapes().size(), {});
        lines_.assign(s.lines().size(), {});
        started_ = true;
        tickPrev_ = tickLast_ = lastTick;
    }
    bool slid = false;
    for (std::size_t i = 0; i < sprites_.size(); ++i) {
        const Sprite& e = s.sprites()[i];
        slid |= follow(sprites_[i], {e.Left, e.Top, 0, 0}, e.Picture.get(), e.Width, e.Height, e.Visible, fresh);
    }
    for (std::size_t i = 0; i < shapes_.size(); ++i) {
        const Shape& e = s.shapes()[i];
        slid |= follow(shapes_[i], {e.Left, e.Top, 0, 0}, nullptr, static_cast<int>(e.Width),
                       static_cast<int>(e.Height), true, fresh);
    }
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& e = s.lines()[i];
        slid |= follow(lines_[i], {e.X1, e.Y1, e.X2, e.Y2}, nullptr, e.BorderWidth, 0, e.Visible, fresh);
    }
    if (!slid) return;
    // A tick moved the world: what it did not move stands where it is, and the new tick period
    // begins.
    for (auto* v : {&sprites_, &shapes_, &lines_})
        for (Track& t : *v)
            if (!t.slid) t.from = t.to;
    tickPrev_ = tickLast_;
    tickLast_ = lastTick;
}

void SceneMotion::setTime(Micros now, bool paused) {
    if (paused) {
        if (!paused_) pausedAt_ = now;
        paused_ = true;
        now = pausedAt_;
    } else if (paused_) {
        // The timers resume where they stood: so does the motion.
        paused_ = false;
        const Micros gap = now - pausedAt_;
        tickPrev_ += gap;
        tickLast_ += gap;
    }
    const Micros span = tickLast_ - tickPrev_;
    if (span <= 0 || span > kMaxSpan)
        alpha_ = 1;
    else
        alpha_ = std::clamp(static_cast<double>(now - tickLast_) / static_cast<double>(span), 0.0, 1.0);
}

double SceneMotion::place(const Track& t, int k) const {
    switch (mode_) {
        case Mode::Ticks:
            break;
        case Mode::Interpolate:
            return t.from[k] + (t.to[k] - t.from[k]) * alpha_;
        case Mode::Extrapolate:
            return t.to[k] + (t.to[k] - t.from[k]) * alpha_;
    }
    return t.to[k];
}

SceneMotion::Point SceneMotion::at(const std::vector<Track>& v, std::size_t i) const {
    if (i >= v.size()) return {};
    return {place(v[i], 0), place(v[i], 1)};
}

std::array<double, 4> SceneMotion::line(std::size_t i) const {
    if (i >= lines_.size()) return {};
    const Track& t = lines_[i];
    return {place(t, 0), place(t, 1), place(t, 2), place(t, 3)};
}

}  // namespace sky

// The window of a game screen (either episode): shows the scene, hands keys and the close box
// to the screen's handlers.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "game/helppage.h"
#include "playfield/motion.h"
#include "qt/scenepainter.h"

class QPainter;

namespace sky {
class GameScreen;
struct InputEvent;
}  // namespace sky

namespace sky::qt {

// How a game window draws the motion between ticks, and the program's clock it reads for that.
struct SceneClock {
    SceneMotion::Mode mode = SceneMotion::Mode::Ticks;
    std::function<Micros()> now;       // the clock as of this instant, between the driver's steps too
    std::function<Micros()> lastTick;  // when a timer last fired
};

class GameWindow : public QWidget {
    Q_OBJECT
public:
    // The close box becomes an input for the front end to record and perform. The keys go to the
    // game's controls before they reach the window (qt/keyboard.h).
    using Input = std::function<void(const InputEvent&)>;
    GameWindow(GameScreen& screen, ScenePainter& painter, int scale, Input input, SceneClock clock = {});
    ~GameWindow() override;

    // The screen has closed: the window no longer touches it (it is freed soon after).
    void detach() { screen_ = nullptr; }
    GameScreen* screen() const { return screen_; }
    int scale() const { return scale_; }
    // Where the last paint drew the scene.
    const SceneMotion& motion() const { return motion_; }
    // Once per display frame (or after a handler ran): draws what changed in the scene and asks
    // to show just that; nothing at all when nothing moved.
    void refresh();

    // The scene at the largest whole scale that fits the area (at least 1), centred in it.
    struct Fit {
        int scale;
        QPoint offset;
    };
    static Fit fitScene(QSize area, QSize scene);

    // F11: the whole display, the scene as large as it fits on black; again, the window as it was.
    void toggleFullScreen();
    // Full screen fills the display keeping the scene's shape (sharp pixels, not whole multiples).
    void setFill(bool on);
    // Dravik was hit: the picture flashes and the damage read-out blinks for a moment.
    void flash();
    // Told each time F11 switches full screen on or off (to remember it).
    void onFullScreenChanged(std::function<void(bool)> f) { fullScreenChanged_ = std::move(f); }

    // The help page over the scene (the game's controls say when).
    void showHelp(std::optional<sky::HelpPage> page);
    bool helpShown() const { return help_.has_value(); }
    // A pause or the help page may have come or gone: if so, the whole window is painted again
    // (never the caption in pieces with the parts that moved).
    void syncOverlay();

protected:
    bool event(QEvent*) override;
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void closeEvent(QCloseEvent*) override;
    bool focusNextPrevChild(bool) override { return false; }  // Tab is a key like any other

private:
    void drawPauseCaption(QPainter& p, const QRect& scene);
    // Where the scene goes in the window: its top-left, device pixels per scene pixel, and the
    // device pixel ratio of the enlarged scene.
    struct Placement {
        QPointF origin;
        int k;
        double dpr;
        double fill = 0;  // filling the screen: window pixels per scene pixel (the scene is not enlarged)
        QRect toWidget(const QRect& r) const;
    };
    Placement placement() const;
    // The window's own pixels, when a paint copies the scene (enlarged as `img`) into them one to
    // one; nullptr otherwise.
    QImage* ownPixels(const Placement& at, const QImage& img) const;
    // Brings the scene up to date and asks to show what changed.
    void drawScene();
    void keepEnlarged(const std::vector<QRect>& changed);
    // 0 nothing over the scene, 1 the pause caption, 2 the help page, 3 a hit's flash.
    int overlay() const;
    bool flashOn() const;
    void drawHit(QPainter& p, const Placement& at);
    void paintWhole();

    GameScreen* screen_;
    ScenePainter& painter_;
    int scale_;
    Input input_;
    SceneClock clock_;
    SceneMotion motion_;
    SceneFrame scene_;
    QImage big_;              // the scene enlarged to the window's device pixels, kept in step
    bool refreshed_ = false;  // the paint asked for shows a scene drawn by refresh()
    // What changed in the scene since the window's last paint, in window coordinates, and the
    // rectangle round it that was asked to be painted; whether a paint of all was asked since.
    static constexpr std::size_t kMostPending = 256;
    std::vector<QRect> pending_;
    QRect pendingArea_;
    bool wholeAsked_ = true;
    // What the window shows over the scene. A paint of part of the window draws this, so a
    // change is only ever shown by a paint of the whole.
    int overlaid_ = 0;
    QRect normalGeometry_;  // where the window stood before full screen
    std::function<void(bool)> fullScreenChanged_;
    std::optional<sky::HelpPage> help_;  // the help page while it is shown
    bool fill_ = false;
    QElapsedTimer hitAt_;  // invalid: no hit to show
};

}  // namespace sky::qt

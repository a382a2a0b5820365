// The game pauses itself while the player is away in another application, and resumes when
// they come back; a pause the player made with P stays until P.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace sky {
class GameScreen;
struct InputEvent;
}  // namespace sky

namespace sky::qt {

class AutoPause : public QObject {
    Q_OBJECT
public:
    using Screen = std::function<GameScreen*()>;  // the open screen, or nullptr
    using Input = std::function<void(const InputEvent&)>;
    // Pauses once the game has been left for delayMs (a window of the game replacing another is
    // a moment without an active one).
    AutoPause(bool enabled, int delayMs, Screen screen, Input input);

    // The application became active or inactive. A replay takes its pauses from the recording.
    void applicationStateChanged(Qt::ApplicationState state, bool replaying);
    bool autoPaused() const { return autoPaused_; }
    // The pause is no longer the game's own (the player pressed P, or the screen closed).
    void forget() { autoPaused_ = false; }
    void stop() { timer_.stop(); }

private:
    void check();

    bool enabled_;
    Screen screen_;
    Input input_;
    QTimer timer_;
    bool appActive_ = true;
    // Paused by the game itself because the player left it: only such a pause resumes by itself.
    bool autoPaused_ = false;
};

}  // namespace sky::qt

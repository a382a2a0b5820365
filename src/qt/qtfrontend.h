// The game's windows on Qt: the menu window, a window per game screen, real message boxes, the
// music player, and the driver that moves the clock with real time.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "game/input.h"
#include "qt/scenepainter.h"
#include "shell/frontend.h"

class QWindow;
class QWidget;

namespace sky {
class Program;
class Timer;
}  // namespace sky

namespace sky::qt {

class Driver;
class GameWindow;
class MenuWindow;
class MusicPlayer;

struct Options {
    int scale = 0;  // scene pixels to window pixels; 0 = one (the display's own ratio still applies)
    bool debugTicks = false;
    // The game pauses itself while none of its windows is active, once that has lasted this long
    // (a window of the game replacing another is a moment without an active one).
    bool autopause = true;
    int autopauseDelayMs = 300;
};

class QtFrontEnd : public QObject, public FrontEnd {
    Q_OBJECT
public:
    explicit QtFrontEnd(Options options = {});
    ~QtFrontEnd() override;

    // Builds the menu window and the driver for this program (call once, before start()); the
    // driver follows real time unless given a clock of its own.
    void attach(Program& program, std::function<std::int64_t()> clock = {});
    // Shows the menu and starts the clock.
    void start();
    // Closes every window; call before the program goes.
    void shutdown();

    // Runs a handler of the game and tidies up after it: frees closed screens when nothing
    // waits in a message box, and shows the menu as the menu now holds it.
    void call(const std::function<void()>& handler);

    // An input from the windows (a click, a key, a close box, a pause): recorded with the clock
    // time, then performed. While a recording plays, the viewer's inputs are not the game's:
    // they do nothing, and a close box ends the replay.
    void input(InputEvent e);
    // The P key: pauses the open screen, or resumes it.
    void pauseKey();
    // The application became active or inactive (another program took the focus).
    void applicationStateChanged(Qt::ApplicationState state);
    bool autoPaused() const { return autoPaused_; }

    // Writes every input to this recorder (set before start()).
    void setRecorder(InputLog* r) { recorder_ = r; }
    // Plays this recording instead of listening to the player (set before start()).
    void setPlayer(InputSource* p);
    bool replaying() const { return player_ != nullptr; }
    // The recording's last line, once (the program has ended, or the application is going).
    void endRecording();

    // Message boxes opened inside this scope are the about window's, no part of the game: they
    // are neither recorded nor taken from a recording.
    class OutsideGame {
    public:
        explicit OutsideGame(QtFrontEnd* fe) : fe_(fe) {
            if (fe_) ++fe_->outsideGame_;
        }
        ~OutsideGame() {
            if (fe_) --fe_->outsideGame_;
        }
        OutsideGame(const OutsideGame&) = delete;
        OutsideGame& operator=(const OutsideGame&) = delete;

    private:
        QtFrontEnd* fe_;
    };

    MenuWindow* menuWindow() const { return menu_.get(); }
    GameWindow* windowOf(const GameScreen& s) const;
    Driver& driver() { return *driver_; }
    ScenePainter& painter() { return painter_; }

    // FrontEnd.
    int messageBox(const std::string& text, const std::string& title, int style) override;
    void music(const std::string& command) override;
    void showMenu() override;
    void hideMenu() override;
    void screenOpened(GameScreen& s) override;
    void screenClosed(GameScreen& s) override;
    void showRules() override;
    void showAbout() override;
    void openUrl(const std::string& url) override;
    std::uint64_t clockSeed() override;
    void quit() override;

private:
    void focusChanged(QWindow* w);
    void activateMenu();
    void autopauseCheck();
    void replayAdvance(Micros target);
    void stopReplay(const char* why);
    int showBox(const std::string& text, const std::string& title, int style);
    void flushClosedWindows();
    void reportTicks(const char* when);

    Options options_;
    Program* program_ = nullptr;
    ScenePainter painter_;
    std::unique_ptr<MenuWindow> menu_;
    std::unique_ptr<Driver> driver_;
    std::unique_ptr<MusicPlayer> musicPlayer_;
    std::map<const GameScreen*, GameWindow*> windows_;
    std::vector<QPointer<GameWindow>> closing_;  // closed, deleted once no message box waits
    QTimer repaint_;
    std::uint64_t paintedRuns_ = 0;  // handler runs when the windows were last repainted
    bool sceneChanged_ = true;       // an input has run since
    // The menu counts as the program's active window; a switch to it from another of the
    // game's windows is an activation, a switch back from another application is not.
    bool menuActive_ = false;
    // The pohyb count for SKY_DEBUG_TICKS: a probe on the same clock with the same interval.
    std::unique_ptr<Timer> probe_;
    InputLog* recorder_ = nullptr;
    InputSource* player_ = nullptr;
    bool recordingEnded_ = false;
    bool replayStopping_ = false;
    int outsideGame_ = 0;
    // Paused by the game itself because the player left it: only such a pause resumes by itself.
    bool autoPaused_ = false;
    bool appActive_ = true;
    QTimer autopauseTimer_;
    long long pohybTicks_ = 0;
    QElapsedTimer realSinceOpen_;
    std::int64_t clockAtOpen_ = 0;
};

}  // namespace sky::qt

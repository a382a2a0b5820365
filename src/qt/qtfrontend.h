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
    // The menu counts as the program's active window; a switch to it from another of the
    // game's windows is an activation, a switch back from another application is not.
    bool menuActive_ = false;
    // The pohyb count for SKY_DEBUG_TICKS: a probe on the same clock with the same interval.
    std::unique_ptr<Timer> probe_;
    long long pohybTicks_ = 0;
    QElapsedTimer realSinceOpen_;
    std::int64_t clockAtOpen_ = 0;
};

}  // namespace sky::qt

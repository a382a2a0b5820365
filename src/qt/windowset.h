// The game's windows: the menu window and a window per open game screen, which of them is
// active, and the closed ones kept until no message box waits on them.
#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QWidget;
class QWindow;

namespace sky {
class GameScreen;
class Menu;
struct InputEvent;
}  // namespace sky

namespace sky::qt {

class GameWindow;
class MenuWindow;
class ScenePainter;
struct SceneClock;

class WindowSet : public QObject {
    Q_OBJECT
public:
    using Input = std::function<void(const InputEvent&)>;
    // Scale: scene pixels to window pixels. menuActivated runs when the menu becomes the
    // program's active window (not when it comes back from another application).
    WindowSet(ScenePainter& painter, int scale, std::function<void()> menuActivated);
    ~WindowSet() override;

    void createMenu(Menu& menu, Input input);
    MenuWindow* menu() const { return menu_.get(); }
    // Shows the menu with what it holds and brings it to the front. Unless told otherwise, it
    // counts as activated as soon as the window system says so, or on the next turn of the loop.
    void showMenu(bool activateSoon);
    void hideMenu();
    void syncMenu();
    void centreMenu();

    // Game windows open on the whole display; F11 switches that and reports it here.
    void setFullScreen(bool on, std::function<void(bool)> changed);
    // Full screen fills the display keeping the scene's shape instead of whole multiples.
    void setFill(bool on);
    // The scale asked for (0: the largest that fits), for the menu now and the windows opened later.
    void setScale(int scale);
    // The game window's scale on this screen, and another window's (that many pixels at scale 1):
    // the same, or less where it would not fit.
    int gameScale() const { return fittingScale(); }
    int scaleFor(QSize window) const;

    // A window for a screen that has just loaded: shown in front with the focus, at the largest
    // scale up to the one asked for whose window fits the screen's free area, frame included.
    void open(GameScreen& s, Input input, const SceneClock& clock);
    // The screen has closed: its window hides, and goes once no message box waits (boxesOpen).
    void close(const GameScreen& s, bool boxesOpen);
    // Frees the closed windows (no message box waits on them any more).
    void flushClosed();
    GameWindow* windowOf(const GameScreen& s) const;

    // Where a message box belongs: the open screen's window, else the menu when it shows.
    QWidget* boxParent(const GameScreen* open) const;
    // Repaints the windows that show.
    void updateVisible();
    void hideAll();
    // Closes every window at once.
    void clear();

private:
    void focusChanged(QWindow* w);
    void activateMenu();

    QSize frame() const;
    QSize screenArea() const;  // the screen's free area, empty without a screen
    int fittingScale() const;

    ScenePainter& painter_;
    int scale_;  // as asked; 0: the largest that fits
    bool fullScreen_ = false;
    bool fill_ = false;
    std::function<void(bool)> fullScreenChanged_;
    std::function<void()> menuActivated_;
    std::unique_ptr<MenuWindow> menu_;
    std::map<const GameScreen*, GameWindow*> windows_;
    std::vector<QPointer<GameWindow>> closing_;  // closed, deleted once no message box waits
    // The menu counts as the program's active window; a switch to it from another of the
    // game's windows is an activation, a switch back from another application is not.
    bool menuActive_ = false;
};

}  // namespace sky::qt

// The game's Qt front end: what the core asks of the world, answered by the parts that do it —
// the windows, the message boxes, the music player, the recording or replay, the automatic pause,
// the repaints and the driver that moves the clock with real time.
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>

#include "game/controls.h"
#include "game/input.h"
#include "playfield/motion.h"
#include "qt/scenepainter.h"
#include "qt/session.h"
#include "qt/windowset.h"
#include "shell/frontend.h"

namespace sky {
class Program;
}  // namespace sky

namespace sky::qt {

class Driver;
class GameWindow;
class Keyboard;
class MenuWindow;
class MusicPlayer;
class RepaintThrottle;
class SoundPlayer;
class TickProbe;

struct Options {
    // Scene pixels to window pixels as the player asked (reduced to what fits the screen); 0: the
    // largest that fits.
    int scale = 0;
    bool fullScreen = false;                      // game windows open on the whole display
    std::function<void(bool)> fullScreenChanged;  // F11 switched it
    bool debugTicks = false;
    // The game pauses itself while none of its windows is active, once that has lasted this long
    // (a window of the game replacing another is a moment without an active one).
    bool autopause = true;
    int autopauseDelayMs = 300;
    // Drawing between ticks (Ticks: as they fall, --classic-motion).
    SceneMotion::Mode motion = SceneMotion::Mode::Interpolate;
    // The sound effects ("Zvuky"); the player's changes are handed to soundsChanged to keep.
    bool soundEffects = true;
    std::function<void(bool)> soundsChanged;
    int musicVolume = 100, effectsVolume = 100;  // 0..100
    bool fillScreen = false;                     // full screen keeps the shape, not whole multiples
    KeyMap keys;                                 // the player's keys
    // The menu's "Nastavenia" button (none without it).
    std::function<void()> openSettings;
    // The black box's key: saves it and gives what the game window says about it.
    std::function<QString()> saveBlackBox;
    int blackBoxMinutes = 0;  // how far back it reaches, for the help page
    // Watches a recording (a file's path) in the game's windows, the player's game waiting at its
    // menu meanwhile (qt/app.cpp); none while a recording plays.
    std::function<void(const std::string& path)> watch;
    // The music plays here rather than in a player of the front end's own: what watches a
    // recording keeps one through its jumps back, so the piece goes on where it was.
    std::shared_ptr<MusicPlayer> music;
};

class QtFrontEnd : public QObject, public FrontEnd {
    Q_OBJECT
public:
    explicit QtFrontEnd(Options options = {});
    ~QtFrontEnd() override;

    // Builds the menu window and the driver for this program (call once, before start()); the
    // driver follows real time unless given a clock of its own.
    void attach(Program& program, std::function<std::int64_t()> clock = {});
    // Shows the menu (unless the program already shows what it should: a watched recording picked
    // up on the way) and starts the clock.
    void start(bool showMenu = true);
    // Closes every window; call before the program goes.
    void shutdown();

    // Runs a handler of the game and tidies up after it: frees closed screens when nothing
    // waits in a message box, and shows the menu as the menu now holds it.
    void call(const std::function<void()>& handler);

    // An input from the windows (a click, a key, a close box, a pause): recorded with the clock
    // time, then performed. While a recording plays, the viewer's inputs are not the game's:
    // they do nothing, and a close box ends the replay.
    void input(InputEvent e);
    // A key went down or up anywhere in the application (qt/keyboard.h); returns true when it is
    // to go no further.
    bool key(const std::string& name, bool press, bool repeat);
    // The application became active or inactive (another program took the focus).
    void applicationStateChanged(Qt::ApplicationState state);
    bool autoPaused() const { return controls_ && controls_->autoPaused(); }
    Controls* controls() { return controls_.get(); }

    // Writes every input to this recorder (set before start()).
    void setRecorder(InputLog* r) { session_.setLog(r); }
    // Plays this recording instead of listening to the player (set before start()).
    void setPlayer(InputSource* p);
    bool replaying() const { return session_.replaying(); }
    // F12 saves the black box: only the player's own game keeps one, not a replay or a watch.
    bool keepsBlackBox() const { return options_.saveBlackBox && !session_.replaying(); }
    // Watching a recording (qt/watching.h): the real time each step measures goes to advance
    // instead of the recording's own pace, every key goes first to key (true: it is taken), and
    // the viewer closing a window calls closed. A box the recorded game opens shows while box
    // plays its recorded time at the viewer's pace and gives the recorded answer.
    struct Watching {
        std::function<void(Micros real)> advance;
        std::function<bool(const std::string& key, bool press)> key;
        std::function<void()> closed;
        std::function<int(int style)> box;
    };
    void setWatching(Watching w);
    // Watches the recording at path in the game's windows; the player's game comes back at its
    // menu when the viewer leaves (Options::watch). Nothing when the options give no way to watch.
    void watch(const std::string& path) {
        if (options_.watch) options_.watch(path);
    }
    bool canWatch() const { return static_cast<bool>(options_.watch); }
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

    MenuWindow* menuWindow() const { return windows_.menu(); }
    GameWindow* windowOf(const GameScreen& s) const { return windows_.windowOf(s); }
    Driver& driver() { return *driver_; }
    // "Zvuky" ticked or not: the sound effects on or off, kept through Options::soundsChanged.
    void setSoundEffects(bool on);
    bool soundEffects() const { return options_.soundEffects; }
    // How the game windows draw the motion between ticks (for windows opened from now on).
    void setMotion(SceneMotion::Mode m) { options_.motion = m; }
    // The player's keys, from the next key pressed on.
    void setKeys(const KeyMap& keys);
    // The music's and the effects' volume, 0..100, heard at once.
    void setVolumes(int music, int effects);
    // The scale asked for (0: the largest that fits): the menu at once, other windows as they open.
    void setScale(int scale) { windows_.setScale(scale); }
    // The next F11 or game window: full screen or not, filling the display or whole multiples.
    void setFullScreen(bool on, bool fill);
    // The scale the menu, the rules, the about and the settings windows take (that many pixels at 1).
    int scaleFor(QSize window) const { return windows_.scaleFor(window); }
    double frameRate() const;
    ScenePainter& painter() { return painter_; }

    // FrontEnd.
    int messageBox(const std::string& text, const std::string& title, int style) override;
    void music(const std::string& command) override;
    void cue(Cue c) override;
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
    void menuActivated();
    void replayAdvance(Micros target);
    Watching watching_;
    std::int64_t nowMs() const;
    void perform(std::optional<InputEvent> e) {
        if (e) input(*e);
    }
    void stopReplay(const char* why);

    Options options_;
    Program* program_ = nullptr;
    ScenePainter painter_;
    WindowSet windows_;
    Session session_;
    std::unique_ptr<Driver> driver_;
    std::shared_ptr<MusicPlayer> musicPlayer_;
    std::unique_ptr<SoundPlayer> sounds_;
    std::unique_ptr<Controls> controls_;
    std::unique_ptr<Keyboard> keyboard_;
    std::unique_ptr<RepaintThrottle> repaint_;
    std::unique_ptr<TickProbe> ticks_;  // SKY_DEBUG_TICKS only
    int outsideGame_ = 0;
};

}  // namespace sky::qt

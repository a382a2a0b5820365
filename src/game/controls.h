// What the player's keys, the focus and the message boxes do, the same on every front end. A
// front end names the keys of its platform (game/keys.h), hands every press and release here and
// does what comes back: an input to record and perform, full screen, the help page, a box's
// answer, or nothing. It keeps no rule of its own.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "game/input.h"
#include "game/keys.h"
#include "runtime/text.h"

namespace sky {

class GameScreen;
class Program;

// A message box as the game shows it, by its style: the buttons from left to right, the one Enter
// takes, and the answer of Esc (and of the box's close button).
struct BoxButton {
    int answer;
    TextId caption;
};
struct BoxLayout {
    std::span<const BoxButton> buttons;
    int defaultAnswer;
    int escapeAnswer;
};
BoxLayout boxLayout(int style);

class Controls {
public:
    struct Options {
        bool autopause = true;  // the game pauses itself while the player is away
        // ... once the game has been left this long (a window of the game replacing another is a
        // moment without an active one).
        std::int64_t autopauseDelayMs = 300;
    };
    // A release and a press of the same key this close together are the keyboard repeating a key
    // still held (X11 sends its repeats so, often without saying so).
    static constexpr std::int64_t kRepeatGapMs = 15;

    explicit Controls(Program& program) : Controls(program, Options{}) {}
    Controls(Program& program, Options options);

    KeyMap& keyMap() { return map_; }
    const KeyMap& keyMap() const { return map_; }

    // What became of a key event.
    struct Outcome {
        enum Box {
            NoBox,   // no box is open
            Pass,    // the box takes the key as its toolkit does (focus, Enter, Space)
            Ignore,  // a key held since before the box opened: the box never sees it
            Answer,  // the box is answered with `answer`
        };
        Box box = NoBox;
        int answer = 0;
        bool game = false;                // the key was the game screen's: it goes to nothing else
        std::optional<InputEvent> input;  // for the program (the front end records and performs it)
        bool fullScreen = false;          // switch full screen on or off
        bool help = false;                // the help page came or went: helpShown() says which
        bool blackBox = false;            // save the black box's recording
    };

    // A key went down; `repeat` when the platform says it is its auto-repeat, `ms` the time on any
    // steady millisecond clock. The flight keys act on every key-down, repeats too; pause, help,
    // full screen and leave act on a press only, never on a key already down.
    Outcome press(std::string_view key, bool repeat, std::int64_t ms);
    // A key came up (a platform's repeat-release changes nothing).
    Outcome release(std::string_view key, bool repeat, std::int64_t ms);
    // The releases cannot be seen any more (the game's windows lost the keyboard).
    void releaseAll();
    bool isDown(std::string_view key) const;

    // A message box of this style opened or closed. Keys down when it opens do not reach it.
    void boxOpened(int style);
    void boxClosed();
    int openBoxes() const { return static_cast<int>(boxes_.size()); }

    // A game screen opened or closed: the help page and the automatic pause were the last one's.
    void screenChanged();

    // The help page is shown over the open screen.
    bool helpShown() const;
    // The pause key (P, or a pause button): pause or resume the open screen; nothing without one.
    std::optional<InputEvent> pauseKey();

    // The game's windows became active or inactive; poll() is called now and then meanwhile.
    // Each may give the automatic pause or resume to perform.
    std::optional<InputEvent> focus(bool active, std::int64_t ms);
    std::optional<InputEvent> poll(std::int64_t ms);
    // The open screen stands paused because the player went away (not by P).
    bool autoPaused() const;
    // A replay takes its pauses from the recording: no automatic ones then.
    void setAutopause(bool on) { options_.autopause = on; }

private:
    struct Down {
        std::string key;
        bool stale = false;  // held since before the open box opened
    };
    struct Released {
        std::string key;
        std::int64_t ms;
    };
    Down* find(std::string_view key);
    GameScreen* screen() const;
    void showHelp(bool on, Outcome& o);

    Program& program_;
    Options options_;
    KeyMap map_;
    std::vector<Down> down_;
    std::vector<Released> released_;    // the last few releases, for repeats sent as release and press
    std::vector<int> boxes_;            // the styles of the open boxes, innermost last
    const GameScreen* help_ = nullptr;  // the screen the help page is over
    bool helpPaused_ = false;           // the help page paused it, so its closing resumes
    const GameScreen* autoPaused_ = nullptr;
    bool away_ = false;
    std::int64_t awaySince_ = 0;
};

}  // namespace sky

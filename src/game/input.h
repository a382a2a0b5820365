// The inputs a player makes (the menu's clicks, keys, close boxes, box answers, pauses) and how
// they reach the program. The windows, the recorder, the replay and the scenario runner all hand
// their inputs to apply(); a recording is the same events written down with their clock times.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "runtime/scheduler.h"

namespace sky {

class Menu;
class Program;

struct InputEvent {
    enum Kind {
        Seed,       // the game took a seed for a screen's set-up
        Activate,   // the menu became the active window
        Click,      // a menu button or the web picture: control
        Check,      // the music switch, its new value in value
        MenuClose,  // the menu's close box (or Ukončiť), or the desktop ending the game
        Key,        // a key-down on the game screen: its code in value
        Close,      // the game window's close box
        Answer,     // a message box closed at t with the answer in value; it opened at opened
        Pause,      // the screen stands still; automatic when the player left the game
        Resume,
        End,  // the recording stops here
    };
    Micros t = 0;
    Kind kind = Activate;
    int value = 0;
    std::string control;     // Click: a name from menuClicks()
    std::uint64_t seed = 0;  // Seed
    Micros opened = 0;       // Answer
    bool automatic = false;  // Pause, Resume
    int line = 0;            // where it stood in a recording (0 when not read from one)
};

// The menu's clickable controls and the handler each click runs, by the name recordings and
// scenarios use. Check1 is not here: its click carries the new tick (InputEvent::Check).
struct MenuClick {
    const char* control;
    void (Menu::*handler)();
};
std::span<const MenuClick> menuClicks();
const MenuClick* findMenuClick(std::string_view control);  // nullptr for no such control

// Does what the window does for an input: the menu's handlers, the screen's key handler, its
// close box, its pause. Seeds, answers and the end are not inputs and do nothing here.
void apply(Program& program, const InputEvent& e);

// Where every input is written as it happens (a recording being made).
class InputLog {
public:
    virtual ~InputLog() = default;
    virtual void write(const InputEvent& e) = 0;
};

// Where the inputs come from instead of the player (a recording played back): it performs them
// as the clock moves on, answers the message boxes and gives the seeds.
class InputSource {
public:
    virtual ~InputSource() = default;
    // Moves the clock to t, performing the inputs due on the way.
    virtual void advanceTo(Micros t) = 0;
    // A message box has opened: the inputs made while it was open are performed, and its answer returned.
    virtual int answerBox(int style) = 0;
    virtual std::uint64_t nextSeed() = 0;
    virtual bool finished() const = 0;
    virtual Micros endTime() const = 0;
};

}  // namespace sky

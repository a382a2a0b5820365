// What the game core asks of the world outside it: message boxes, the music player, windows.
// The Qt front end provides the real ones; the scenario runner logs and answers instead.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/cues.h"

namespace sky {

class GameScreen;

// Message-box styles and answers, as the game uses them.
enum MsgStyle { kOkOnly = 0, kQuestion = 36, kInformation = 64 };
enum MsgAnswer { kOk = 1, kYes = 6, kNo = 7 };

// Answers as scenario and replay files write them: "ok", "yes", "no".
inline const char* answerWord(int a) {
    return a == kYes ? "yes" : a == kNo ? "no" : "ok";
}
inline std::optional<int> answerFromWord(std::string_view w) {
    if (w == "ok") return kOk;
    if (w == "yes") return kYes;
    if (w == "no") return kNo;
    return std::nullopt;
}

class FrontEnd {
public:
    virtual ~FrontEnd() = default;

    // A modal box. The clock keeps running while it is open (the implementation advances the
    // program's scheduler), so the screen's other timers go on firing.
    virtual int messageBox(const std::string& text, const std::string& title, int style) = 0;

    // The music player's three commands: "Open", "Play", "Close".
    virtual void music(const std::string& command) = 0;

    // A sound cue: the rule it names has just acted. Heard, never answered; a front end without
    // sound ignores it, and the game goes the same way with or without it.
    virtual void cue(Cue) {}

    // The menu window is to be shown or hidden. Showing it makes it the active window, and the
    // front end then calls Menu::Form_Activate (the headless runner does so at once).
    virtual void showMenu() = 0;
    virtual void hideMenu() = 0;

    // A game screen was loaded (its set-up has run) and is to be shown, or was closed.
    virtual void screenOpened(GameScreen&) {}
    virtual void screenClosed(GameScreen&) {}

    // The rules or about window is to be shown (or brought to the front).
    virtual void showRules() {}
    virtual void showAbout() {}

    // Opens the maker's home page; failure is silent.
    virtual void openUrl(const std::string&) {}

    // A seed taken from the system clock, for screens set up without a given seed.
    virtual std::uint64_t clockSeed() = 0;

    // The menu has closed: end the program (every other window closes with it).
    virtual void quit() = 0;
};

}  // namespace sky

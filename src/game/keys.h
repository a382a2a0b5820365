// The game's keys: what the player means (nose up, fire, pause...) rather than which key of
// which keyboard, and the table from the keys of a keyboard to them, which the player may change.
//
// A physical key is named portably, the same from every front end: "Up", "Down", "Left",
// "Right", "Space", "Esc", "Enter", "Tab", "Backspace", "F1" to "F12", "A" to "Z", "0" to "9".
// A front end names any other key as it likes (a name of at most 24 printable characters that
// none of the above is), so the game can tell it is down; unbound, it is a key the game ignores.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace sky {

enum class GameKey {
    None,  // no key of the game: the screen still takes it (it only refreshes the attitude)
    NoseUp,
    NoseDown,
    Faster,
    Slower,
    Fire,
    Pause,       // pauses and resumes
    Help,        // the help page over the paused game
    FullScreen,  // the whole display, and back
    Leave,       // leaves the episode; closes the help page
    BlackBox,    // saves the last minutes of inputs as a recording
};
inline constexpr std::size_t kGameKeyCount = 10;  // the actions, None not counted

// The action's name in settings files: "nose-up", "nose-down", "faster", "slower", "fire",
// "pause", "help", "full-screen", "leave", "black-box".
const char* gameKeyName(GameKey k);
std::optional<GameKey> gameKeyFromName(std::string_view name);

// The key code the screen's key handler takes for an action (0 for the actions it does not
// know and for None, which it answers with the attitude refresh alone).
int screenKeyCode(GameKey k);

// Physical keys to actions: each action has at most two keys, a key serves at most one action.
class KeyMap {
public:
    static constexpr std::size_t kMaxKeys = 2;
    struct Binding {
        GameKey action;
        std::array<std::string, kMaxKeys> keys;  // "" for a slot not used
    };

    KeyMap();  // the game's own keys

    GameKey lookup(std::string_view key) const;
    std::span<const Binding> bindings() const { return bindings_; }
    const Binding& binding(GameKey action) const;

    // Gives the action these keys (at most kMaxKeys, named as above); a key another action held
    // is taken from it. Returns false and changes nothing for None, too many keys, a bad name or
    // the same key twice.
    bool bind(GameKey action, std::span<const std::string> keys);
    // Back to the game's own keys.
    void reset() { *this = KeyMap(); }

    static bool validName(std::string_view key);

private:
    std::array<Binding, kGameKeyCount> bindings_;
};

}  // namespace sky

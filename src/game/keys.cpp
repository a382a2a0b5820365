// The game's keys and the table from a keyboard's keys to them.
#include "game/keys.h"

#include "playfield/gamescreen.h"

namespace sky {

namespace {

struct Action {
    GameKey key;
    const char* name;
    int code;
    const char* defaultKey;
};
constexpr Action kActions[kGameKeyCount] = {
    {GameKey::NoseUp, "nose-up", kKeyUp, "Up"},
    {GameKey::NoseDown, "nose-down", kKeyDown, "Down"},
    {GameKey::Faster, "faster", kKeyRight, "Right"},
    {GameKey::Slower, "slower", kKeyLeft, "Left"},
    {GameKey::Fire, "fire", kKeySpace, "Space"},
    {GameKey::Pause, "pause", 0, "P"},
    {GameKey::Help, "help", 0, "F1"},
    {GameKey::FullScreen, "full-screen", 0, "F11"},
    {GameKey::Leave, "leave", kKeyEsc, "Esc"},
    {GameKey::BlackBox, "black-box", 0, "F12"},
};

const Action* actionOf(GameKey k) {
    for (const Action& a : kActions)
        if (a.key == k) return &a;
    return nullptr;
}

}  // namespace

const char* gameKeyName(GameKey k) {
    const Action* a = actionOf(k);
    return a ? a->name : "none";
}

std::optional<GameKey> gameKeyFromName(std::string_view name) {
    for (const Action& a : kActions)
        if (name == a.name) return a.key;
    return std::nullopt;
}

int screenKeyCode(GameKey k) {
    const Action* a = actionOf(k);
    return a ? a->code : 0;
}

KeyMap::KeyMap() {
    for (std::size_t i = 0; i < kGameKeyCount; ++i) bindings_[i] = {kActions[i].key, {kActions[i].defaultKey, ""}};
}

GameKey KeyMap::lookup(std::string_view key) const {
    if (key.empty()) return GameKey::None;
    for (const Binding& b : bindings_)
        for (const std::string& k : b.keys)
            if (k == key) return b.action;
    return GameKey::None;
}

const KeyMap::Binding& KeyMap::binding(GameKey action) const {
    for (const Binding& b : bindings_)
        if (b.action == action) return b;
    return bindings_[0];  // None has no binding; callers ask for actions
}

bool KeyMap::validName(std::string_view key) {
    if (key.empty() || key.size() > 24) return false;
    for (char c : key)
        if (c <= ' ' || c > '~') return false;
    return true;
}

bool KeyMap::bind(GameKey action, std::span<const std::string> keys) {
    if (action == GameKey::None || keys.size() > kMaxKeys) return false;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (!validName(keys[i])) return false;
        for (std::size_t j = 0; j < i; ++j)
            if (keys[j] == keys[i]) return false;
    }
    for (Binding& b : bindings_) {
        if (b.action == action) {
            b.keys = {};
            for (std::size_t i = 0; i < keys.size(); ++i) b.keys[i] = keys[i];
            continue;
        }
        // A key now the action's is no longer another's; the other's keys close up.
        std::array<std::string, kMaxKeys> kept{};
        std::size_t n = 0;
        for (const std::string& k : b.keys) {
            bool taken = false;
            for (const std::string& mine : keys) taken |= mine == k;
            if (!k.empty() && !taken) kept[n++] = k;
        }
        b.keys = kept;
    }
    return true;
}

}  // namespace sky

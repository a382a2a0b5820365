// The keys in the settings window: each game key with its two places, press-to-bind.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game/keys.h"
#include "runtime/text.h"

class QPushButton;

namespace sky::qt {

// What became of a key put in one of an action's two places.
enum class BindResult {
    Bound,      // the action has it now
    Unchanged,  // it had it already
    Taken,      // another action holds it: nothing changed (ask, then bind again with swap)
    Refused,    // not a key the game can keep, or the action's last key taken away
};
// Puts `key` in the action's place (0 or 1); an empty key clears the place. A key another action
// holds is never silently doubled: with swap the two trade (the other action gets what this place
// held), without it the answer is Taken and `holder` says whose it is.
BindResult bindKey(KeyMap& map, GameKey action, int place, const std::string& key, bool swap,
                   GameKey* holder = nullptr);

// The Qt key a key's name stands for (0 for none): what a gamepad button presses.
int qtKey(const std::string& name);
// A key as the player reads it.
QString keyText(const std::string& name);
// The action's keys as the settings file keeps them, in Qt's portable names ("Space, Return"),
// and back: nothing for a value that is not one or two keys.
QString keysText(const KeyMap::Binding& b);
std::optional<std::vector<std::string>> parseKeys(const QString& text);

class KeyBindings : public QWidget {
    Q_OBJECT
public:
    using Changed = std::function<void(const KeyMap&)>;
    // Whether to swap a key another action holds (a question box unless told otherwise).
    using AskSwap = std::function<bool(const QString& key, GameKey holder)>;
    KeyBindings(QWidget* parent, Changed changed);

    void setMap(const KeyMap& map);
    const KeyMap& map() const { return map_; }
    void setAskSwap(AskSwap ask) { askSwap_ = std::move(ask); }
    QPushButton* button(GameKey action, int place) const;
    // A place waiting for its key: the next key pressed goes there, Esc cancels, Delete clears.
    bool waiting() const { return waitingFor_ >= 0; }

    static TextId caption(GameKey action);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void wait(int index);
    void stopWaiting();
    void sync();

    KeyMap map_;
    Changed changed_;
    AskSwap askSwap_;
    std::array<QPushButton*, kGameKeyCount * KeyMap::kMaxKeys> buttons_{};
    int waitingFor_ = -1;  // action index * 2 + place
};

}  // namespace sky::qt

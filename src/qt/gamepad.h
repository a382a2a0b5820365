// Gamepads: any controller SDL knows, plugged in before the game starts or while it runs. The
// d-pad or the left stick steers (up and down the nose, right and left the speed), A fires,
// Start pauses, Back leaves the episode, Guide or Y shows the help. In the menu, the rules, the
// about window and the message boxes the d-pad moves the focus and A presses what has it.
//
// SDL is loaded when the game starts, and only its controller part: without the library, without
// a controller, or in a build without SDL's headers, nothing changes at all.
#pragma once

#include <QObject>
#include <QTimer>
#include <array>
#include <functional>
#include <map>

namespace sky::qt {

class Gamepad : public QObject {
    Q_OBJECT
public:
    // What the player presses, whatever the controller calls it.
    enum Button { Up, Down, Left, Right, Fire, Pause, Leave, Help, kButtons };

    Gamepad();
    ~Gamepad() override;
    Gamepad(const Gamepad&) = delete;
    Gamepad& operator=(const Gamepad&) = delete;

    // SDL's controller part runs: controllers plugged in are heard.
    bool listening() const { return listening_; }
    int controllers() const { return static_cast<int>(open_.size()); }

    // The key a button stands for in a game window (the first key bound to its game key). The
    // default is the game's own keys.
    void setKeyFor(std::function<int(Button)> keyFor) { keyFor_ = std::move(keyFor); }
    static int defaultKey(Button b);

    // Takes what the controllers said since the last look (the timer does this on its own).
    void poll();

private:
    void press(Button b, bool down, bool repeat);
    void stick(int axis, int value);

    bool listening_ = false;
    std::map<int, void*> open_;  // SDL's instance id -> its controller
    std::array<bool, kButtons> down_{};
    std::array<int, 2> stick_{};  // the left stick's x and y as -1, 0 or 1
    int repeatAfter_ = 0;         // polls until a held direction repeats
    QTimer timer_;
    std::function<int(Button)> keyFor_ = defaultKey;
};

}  // namespace sky::qt

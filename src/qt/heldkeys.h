// Keys held down when a message box opens: their auto-repeat and their release do not reach the
// box, so an arrow the player was holding in the game cannot move the box's focus or answer it.
#pragma once

#include <QObject>
#include <set>

namespace sky::qt {

class HeldKeys : public QObject {
public:
    // Watches every key of the application from now on.
    static HeldKeys& install();

    // A box opens: the keys down now are ignored until each is released. Until boxClosed().
    void boxOpened() { ignored_ = down_; }
    void boxClosed() { ignored_.clear(); }

    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    std::set<int> down_;     // pressed and not yet released
    std::set<int> ignored_;  // held when the box opened
};

}  // namespace sky::qt

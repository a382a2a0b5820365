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

    // While a box is open, only keys pressed after it opened act: the repeats and the release
    // of a key that was already down are dropped.
    void boxOpened();
    void boxClosed();

    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    int boxes_ = 0;
    std::set<int> fresh_;  // pressed since the box opened
};

}  // namespace sky::qt

// Keys held down when a message box opens.
#include "qt/heldkeys.h"

#include <QApplication>
#include <QKeyEvent>

namespace sky::qt {

HeldKeys& HeldKeys::install() {
    static HeldKeys* keys = [] {
        auto* k = new HeldKeys;  // lives as long as the application
        qApp->installEventFilter(k);
        return k;
    }();
    return *keys;
}

void HeldKeys::boxOpened() {
    if (boxes_++ == 0) fresh_.clear();
}

void HeldKeys::boxClosed() {
    if (boxes_ > 0) --boxes_;
}

bool HeldKeys::eventFilter(QObject*, QEvent* e) {
    const auto type = e->type();
    if (boxes_ == 0 || (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride))
        return false;
    const auto* k = static_cast<QKeyEvent*>(e);
    const int key = k->key();
    if (k->isAutoRepeat()) return !fresh_.count(key);
    if (type == QEvent::KeyRelease) return !fresh_.erase(key);  // the end of a key held from before
    fresh_.insert(key);  // a new press (its shortcut check comes first, then the press itself)
    return false;
}

}  // namespace sky::qt

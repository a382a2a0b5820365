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

bool HeldKeys::eventFilter(QObject*, QEvent* e) {
    const auto type = e->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride) return false;
    const auto* k = static_cast<QKeyEvent*>(e);
    const int key = k->key();
    // A key event passes here again for each parent it is handed on to: the sets only change once.
    if (type == QEvent::KeyPress && !k->isAutoRepeat()) down_.insert(key);
    if (type == QEvent::KeyRelease && !k->isAutoRepeat()) {
        down_.erase(key);
        return ignored_.erase(key) > 0;
    }
    return ignored_.count(key) > 0;
}

}  // namespace sky::qt

// The keyboard.
#include "qt/keyboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace sky::qt {

std::string keyName(int k) {
    switch (k) {
        case Qt::Key_Up:
            return "Up";
        case Qt::Key_Down:
            return "Down";
        case Qt::Key_Left:
            return "Left";
        case Qt::Key_Right:
            return "Right";
        case Qt::Key_Space:
            return "Space";
        case Qt::Key_Escape:
            return "Esc";
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return "Enter";
        case Qt::Key_Tab:
            return "Tab";
        case Qt::Key_Backspace:
            return "Backspace";
        case Qt::Key_Plus:
            return "+";
        case Qt::Key_Minus:
            return "-";
        case Qt::Key_Equal:
            return "=";
        default:
            break;
    }
    if ((k >= Qt::Key_0 && k <= Qt::Key_9) || (k >= Qt::Key_A && k <= Qt::Key_Z)) return std::string(1, char(k));
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return "F" + std::to_string(k - Qt::Key_F1 + 1);
    return "Qt" + std::to_string(k);
}

Keyboard::Keyboard(Handler handler) : handler_(std::move(handler)) {
    qApp->installEventFilter(this);
}

Keyboard::~Keyboard() {
    if (qApp) qApp->removeEventFilter(this);
}

bool Keyboard::eventFilter(QObject* watched, QEvent* e) {
    const auto type = e->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    auto* before = qobject_cast<QWidget*>(lastWatched_.data());
    if (e == last_ && w && before && w != before && w->isAncestorOf(before)) return false;
    last_ = e;
    lastWatched_ = watched;
    const auto* k = static_cast<QKeyEvent*>(e);
    return handler_(keyName(k->key()), type == QEvent::KeyPress, k->isAutoRepeat());
}

}  // namespace sky::qt

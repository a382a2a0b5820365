// The keyboard: Qt's keys by the names the game gives them, and every key press and release of
// the application handed on, so the game knows which keys are down wherever they went.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <string>

namespace sky::qt {

// The game's name of a Qt key (game/keys.h); keys without one are named "Qt" and their number.
std::string keyName(int qtKey);

class Keyboard : public QObject {
public:
    // Told every key event (press or release, with Qt's auto-repeat flag); returns true when the
    // event is to go no further.
    using Handler = std::function<bool(const std::string& key, bool press, bool repeat)>;
    explicit Keyboard(Handler handler);
    ~Keyboard() override;

    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    Handler handler_;
    // A key event a widget ignores goes on to its parent: it is one event, told once.
    const QEvent* last_ = nullptr;
    QPointer<QObject> lastWatched_;
};

}  // namespace sky::qt

// Keys as a player expects them: an arrow held in the game when a question box opens neither
// moves the box's focus nor answers it until it is released.
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include "qt/heldkeys.h"
#include "qt_support.h"

namespace sky::qt {
namespace {

void send(QWidget* to, QEvent::Type type, int key, bool autoRepeat) {
    QKeyEvent e(type, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(to, &e);
}

TEST(Keys, MessageBoxIgnoresKeysHeldWhenItOpened) {
    test::app();
    HeldKeys& held = HeldKeys::install();
    QWidget game;
    send(&game, QEvent::KeyPress, Qt::Key_Right, false);  // held down in the game

    QMessageBox box(QMessageBox::Question, "Oprava", "?", QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.show();
    QAbstractButton* yes = box.button(QMessageBox::Yes);
    yes->setFocus();
    held.boxOpened();
    // The held arrow repeats: nothing moves.
    for (int i = 0; i < 3; ++i) {
        send(box.focusWidget(), QEvent::KeyRelease, Qt::Key_Right, true);
        send(box.focusWidget(), QEvent::KeyPress, Qt::Key_Right, true);
    }
    EXPECT_EQ(box.focusWidget(), yes);
    // Released, then pressed anew: the box takes it.
    send(box.focusWidget(), QEvent::KeyRelease, Qt::Key_Right, false);
    send(box.focusWidget(), QEvent::KeyPress, Qt::Key_Right, false);
    EXPECT_EQ(box.focusWidget(), box.button(QMessageBox::No));
    held.boxClosed();
}

}  // namespace
}  // namespace sky::qt

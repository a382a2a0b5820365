// Keys in the real windows, as in the browser: a key held in the game when a question box opens
// neither moves the box's focus nor answers it, and Esc answers a question No, an OK box OK.
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>

#include "game/screens.h"
#include "playfield/gamescreen.h"
#include "qt/gamewindow.h"
#include "qt/qtfrontend.h"
#include "qt_support.h"
#include "shell/menu.h"
#include "shell/program.h"

namespace sky::qt {
namespace {

void send(QWidget* to, QEvent::Type type, int key, bool autoRepeat = false) {
    QKeyEvent e(type, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(to, &e);
}

TEST(Keys, AKeyHeldIntoABoxDoesNotReachItAndEscAnswersNoToAQuestionAndOkOtherwise) {
    test::app();
    const auto dir = test::scratchDir("keys");
    std::int64_t now = 0;
    {
        QtFrontEnd fe;
        Program program(fe, gameScreens(), (dir / "new.dat").string());
        fe.attach(program, [&] { return now; });
        fe.start();
        program.menu().Command1_Click();
        ASSERT_NE(program.screen(), nullptr);
        GameWindow* w = fe.windowOf(*program.screen());
        send(w, QEvent::KeyPress, Qt::Key_Space);  // a bomb away, Space and Right still held
        send(w, QEvent::KeyPress, Qt::Key_Right);

        for (int style : {kQuestion, kInformation}) {
            SCOPED_TRACE(style);
            bool open = false, focusKept = false;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box) return;
                QWidget* focus = box->focusWidget();
                for (int i = 0; i < 3; ++i) {  // the held keys repeat, marked so or not
                    now += 30'000'000;
                    send(box->focusWidget(), QEvent::KeyRelease, Qt::Key_Right, true);
                    send(box->focusWidget(), QEvent::KeyPress, Qt::Key_Right, true);
                    send(box->focusWidget(), QEvent::KeyPress, Qt::Key_Space, i == 0);
                }
                send(box->focusWidget(), QEvent::KeyRelease, Qt::Key_Space);  // would click the button
                open = box->isVisible();
                focusKept = box->focusWidget() == focus;
                now += 30'000'000;
                send(box->focusWidget(), QEvent::KeyPress, Qt::Key_Escape);
                send(box->focusWidget(), QEvent::KeyRelease, Qt::Key_Escape);
            });
            EXPECT_EQ(fe.messageBox("?", "Oprava", style), style == kQuestion ? kNo : kOk);
            EXPECT_TRUE(open);
            EXPECT_TRUE(focusKept);
            send(w, QEvent::KeyPress, Qt::Key_Space);  // held into the next box again
        }
        fe.shutdown();
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace sky::qt

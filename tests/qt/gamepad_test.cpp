// A controller plugged in while the game runs, through SDL's own virtual controller: the stick
// lifts the nose, A drops a bomb, and in a question box the d-pad moves the focus and A answers.
#ifdef SKY_HAVE_SDL
#include <SDL.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include "game/screens.h"
#include "playfield/gamescreen.h"
#include "qt/driver.h"
#include "qt/gamepad.h"
#include "qt/gamewindow.h"
#include "qt/menuwindow.h"
#include "qt/qtfrontend.h"
#include "qt_support.h"
#include "shell/frontend.h"
#include "shell/program.h"

namespace sky::qt {
namespace {

// Lets the real event loop run for a while (the pad's own timer polls the controller).
void wait(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

TEST(Gamepad, AVirtualControllerFliesDropsABombAndAnswersABox) {
    test::app();
    const auto dir = test::scratchDir("gamepad");
    Gamepad pad;
    ASSERT_TRUE(pad.listening());
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(index, 0) << SDL_GetError();
    SDL_Joystick* joy = SDL_JoystickOpen(index);
    ASSERT_NE(joy, nullptr) << SDL_GetError();
    auto button = [&](SDL_GameControllerButton b, bool down) {
        SDL_JoystickSetVirtualButton(joy, b, down ? 1 : 0);
        wait(40);
    };
    wait(300);
    EXPECT_EQ(pad.controllers(), 1) << "plugged in while the game runs";

    std::int64_t now = 0;
    Options o;
    o.autopause = false;
    QtFrontEnd fe(o);
    Program program(fe, gameScreens(), (dir / "new.dat").string());
    program.scheduler().setPace(Pace::Classic);
    fe.attach(program, [&now] { return now; });
    fe.start();
    qobject_cast<QPushButton*>(fe.menuWindow()->control("Command1"))->click();
    ASSERT_NE(program.screen(), nullptr);
    GameScreen& s = *program.screen();
    GameWindow* w = fe.windowOf(s);
    w->activateWindow();
    w->setFocus();
    QApplication::processEvents();
    auto run = [&](int ms) {
        for (int i = 0; i < ms / 5; ++i) {
            now += 5'000'000;
            fe.driver().step();
        }
        QApplication::processEvents();
    };

    // The stick held up: the nose goes up step by step, as a held arrow key repeats.
    const int tilt = s.tilt;
    SDL_JoystickSetVirtualAxis(joy, SDL_CONTROLLER_AXIS_LEFTY, -32767);
    wait(1000);  // room for the repeat's delay on a busy machine
    SDL_JoystickSetVirtualAxis(joy, SDL_CONTROLLER_AXIS_LEFTY, 0);
    wait(40);
    EXPECT_GE(s.tilt, tilt + 2) << "held, it repeats";
    for (int i = 0; i < 40 && s.dravik.Top >= 300; ++i) run(100);
    ASSERT_LT(s.dravik.Top, 300);
    const double bombs = s.bombs;
    button(SDL_CONTROLLER_BUTTON_A, true);
    button(SDL_CONTROLLER_BUTTON_A, false);
    EXPECT_EQ(s.bombs, bombs - 1);

    // A question box: A takes the default, the d-pad moves to the other answer first.
    for (bool moveFirst : {false, true}) {
        QTimer::singleShot(150, [&] {
            if (moveFirst) {
                button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
                button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
            }
            button(SDL_CONTROLLER_BUTTON_A, true);
            button(SDL_CONTROLLER_BUTTON_A, false);
        });
        // A box the controller cannot answer must not hold the test up for ever.
        QTimer::singleShot(3000, [] {
            if (QWidget* box = QApplication::activeModalWidget()) box->close();
        });
        EXPECT_EQ(fe.messageBox("?", "Oprava", kQuestion), moveFirst ? kNo : kYes);
    }

    SDL_JoystickClose(joy);
    SDL_JoystickDetachVirtual(index);
    wait(300);
    EXPECT_EQ(pad.controllers(), 0) << "unplugged";
    fe.shutdown();
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace sky::qt
#endif

// The driver: inputs do not hold the clock back, and the clock runs on while a message box waits
// inside a timer's handler.
#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <memory>

#include "game/screens.h"
#include "playfield/gamescreen.h"
#include "qt/driver.h"
#include "qt/gamewindow.h"
#include "qt/menuwindow.h"
#include "qt/qtfrontend.h"
#include "qt_support.h"
#include "shell/menu.h"
#include "shell/program.h"
#include "support/testfrontend.h"

namespace sky::qt {
namespace {

// Counts the game windows' paints while it lives.
struct PaintCount : QObject {
    long paints = 0;
    PaintCount() { QApplication::instance()->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override {
        paints += e->type() == QEvent::Paint && qobject_cast<GameWindow*>(o);
        return false;
    }
};

TEST(Driver, AStormOfInputsDoesNotHoldTheClockBack) {
    test::app();
    sky::test::TestGame t;
    Program& program = t.program;
    std::int64_t now = 0;
    Driver driver(program, [&] { return now; });
    driver.start();
    driver.step();
    // A second of a key's auto-repeat every 20 ms, each input re-arming the driver's sleep; the
    // driver wakes when the time it has set comes, on the same clock.
    for (int t = 1; t <= 1000; ++t) {
        now = ms(t) * 1000;
        if (now >= driver.wakeAtNs()) driver.step();
        if (t % 20 == 0) driver.sleepUntilNextTimer();
    }
    EXPECT_GE(program.scheduler().now(), ms(1000) - ms(Driver::kMaxSleepMs));
    driver.stop();
}

TEST(Driver, WhileTheSceneMovesEachFrameStepsTheClockAndWhileNothingMovesNoFrameWakesIt) {
    test::app();
    struct Row {
        const char* what;
        SceneMotion::Mode motion;
        bool play, pause;
        int minSteps, maxSteps, minPaints, maxPaints;  // in a second
    } rows[] = {
        {"the menu alone", SceneMotion::Mode::Interpolate, false, false, 1, 21, 0, 0},
        {"smooth play: one wake-up a frame, each frame drawn", SceneMotion::Mode::Interpolate, true, false, 59, 61, 59,
         61},
        {"classic play: the ticks as they fall", SceneMotion::Mode::Ticks, true, false, 17, 40, 17, 19},
        {"paused", SceneMotion::Mode::Interpolate, true, true, 1, 21, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const auto dir = test::scratchDir("frames");
        Options o;
        o.motion = r.motion;
        auto fe = std::make_unique<QtFrontEnd>(o);
        auto program = std::make_unique<Program>(*fe, gameScreens(), (dir / "new.dat").string());
        program->scheduler().setPace(Pace::Classic);
        std::int64_t now = 0;
        fe->attach(*program, [&] { return now; });
        fe->start();
        if (r.play) {
            program->menu().Command1_Click();
            program->screen()->speed = 7;
            InputEvent pause;
            pause.kind = InputEvent::Pause;
            if (r.pause) fe->input(pause);
        }
        // The driver's timer goes off when it was set to, on the same clock.
        auto second = [&](long& paints) {
            const std::int64_t steps = fe->driver().steps(), end = now + 1'000'000'000;
            PaintCount count;
            while (fe->driver().wakeAtNs() <= end) {
                now = std::max(now, fe->driver().wakeAtNs());
                fe->driver().step();
                QApplication::processEvents();
            }
            now = end;
            paints = count.paints;
            return fe->driver().steps() - steps;
        };
        long paints = 0;
        second(paints);  // settled
        const std::int64_t steps = second(paints);
        EXPECT_GE(steps, r.minSteps);
        EXPECT_LE(steps, r.maxSteps);
        EXPECT_GE(paints, r.minPaints);
        EXPECT_LE(paints, r.maxPaints);
        fe->shutdown();
        program.reset();
        fe.reset();
        std::filesystem::remove_all(dir);
    }
}

TEST(Driver, ClockRunsOnWhileTheFuelMessageIsOpenAndTheScreenGoesAfterIt) {
    test::app();
    const auto dir = test::scratchDir("driver");
    auto fe = std::make_unique<QtFrontEnd>();
    auto program = std::make_unique<Program>(*fe, gameScreens(), (dir / "new.dat").string());
    // Each look at the clock finds 5 ms more: the clock moves exactly as often as the driver steps.
    std::int64_t now = 0;
    fe->attach(*program, [&] { return now += 5'000'000; });
    fe->start();
    QApplication::processEvents();

    program->menu().Command1_Click();
    GameScreen* screen = program->screen();
    ASSERT_NE(screen, nullptr);
    // Out of fuel in the air: the next dashboard tick shows its message and the aircraft sinks.
    screen->fuel = 0.5;
    screen->dravik.Top = 200;
    screen->climbRate = 0;

    Micros boxOpenedAt = -1;
    double topWhenOpened = 0;
    double topBeforeOk = 0;
    bool timedOut = false;
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        const Micros t = program->scheduler().now();
        if (boxOpenedAt < 0) {
            boxOpenedAt = t;
            topWhenOpened = screen->dravik.Top;
            EXPECT_EQ(box->text().toStdString(), "Minulo sa ti palivo, ďalej už nedoletíš...");
            EXPECT_EQ(box->icon(), QMessageBox::Information);
        } else if (t - boxOpenedAt >= ms(400) || timedOut) {
            topBeforeOk = screen->dravik.Top;
            box->button(QMessageBox::Ok)->click();
        }
    });
    watch.start();
    QTimer::singleShot(5'000, [&] { timedOut = true; });
    while (program->screen() && !timedOut) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    watch.stop();
    ASSERT_GE(boxOpenedAt, 0) << "no message box";
    EXPECT_FALSE(timedOut) << "the clock stood still while the box was open";
    // While the box waited, the clock moved and the descent tick went on bringing the aircraft down.
    EXPECT_GT(topBeforeOk, topWhenOpened + 20);

    // The screen is closed; its window goes once the box has returned, and the screen is freed.
    test::settle();
    EXPECT_TRUE(fe->menuWindow()->isVisible());
    EXPECT_EQ(program->screen(), nullptr);
    fe->shutdown();
    program.reset();
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace sky::qt

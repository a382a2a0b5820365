// The game in its real windows on the current display (run it under Xvfb where there is none):
//
//   window_bench [SECONDS]      (default 10)
//
// 1. start-up: from main() to the menu window's first paint;
// 2. play, once per way of drawing the motion (smooth = drawn between ticks, classic = the ticks
//    as they fall, and extrapolated, which the game does not use, for comparison): the menu's
//    "Epizóda 1" button, the classic pace, a scripted pilot holding speed 7 and pressing keys into
//    the game window. Figures: frames painted per second; per frame the on-screen step of the
//    first house (mean, standard deviation, share of frames it did not move, largest step); the
//    process's CPU time per second of play beside a bare window repainted as often (the floor
//    any window at that rate costs here) and their ratio; the delay from a key press to its
//    first change on screen (the aircraft's picture or a bomb), mean and worst. Play and the bare
//    window take turns, half the time each, twice (ABAB), so a change in the machine's load falls
//    on both; the bare window is repainted on a grid at the frame rate the game has just reached
//    (a late frame does not move the grid, so it paints as many frames as the game),
//    and the pilot's timer ticks through both (idle in the bare window's turns). Under callgrind
//    each turn is dumped as a part of its own, named after it with its paints counted;
// 3. ticks: a fresh episode at the nominal pace, where pohyb is due every 10 ms: how many times
//    it ran in 10 s of real time (1000 is exact);
// 4. the menu alone (nothing moves: no frames, the driver wakes only for a timer) and peak memory.
// Message boxes are answered with their default button after a fifth of a second. It prints
// figures; it never fails on them.
#include <sys/resource.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_ZERO_STATS
#define CALLGRIND_DUMP_STATS_AT(what)
#endif

#include "game/screens.h"
#include "playfield/gamescreen.h"
#include "qt/appearance.h"
#include "qt/driver.h"
#include "qt/gamewindow.h"
#include "qt/menuwindow.h"
#include "qt/qtfrontend.h"
#include "qt/scenepainter.h"
#include "runtime/scheduler.h"
#include "shell/program.h"

namespace {

using namespace sky;
using namespace sky::qt;
using SteadyClock = std::chrono::steady_clock;

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs the event loop for this long (timers, painting, the game's driver all carry on).
void wait(int msecs) {
    QEventLoop loop;
    QTimer::singleShot(msecs, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Counts paint events of one kind of window, and notes when the first one was done.
class PaintCounter : public QObject {
public:
    std::function<bool(QObject*)> counts;
    std::function<void(QObject*)> onPaint;  // as the paint begins (what it shows is settled)
    long paints = 0;
    SteadyClock::time_point firstDone{};
    bool firstSeen = false;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && counts && counts(o)) {
            ++paints;
            if (onPaint) onPaint(o);
            if (!firstSeen) {
                firstSeen = true;
                // Painting and the flush to the display finish before the loop runs this.
                QTimer::singleShot(0, this, [this] { firstDone = SteadyClock::now(); });
            }
        }
        return false;
    }
};

// The real front end, with a pohyb probe set when a game window opens (as SKY_DEBUG_TICKS does):
// a timer on the same clock with pohyb's interval, counting the instants pohyb runs too.
class BenchFrontEnd : public QtFrontEnd {
public:
    BenchFrontEnd() : QtFrontEnd(scaleOne()) {}
    // The bare window the game is compared with is 669x515, whatever the display.
    static Options scaleOne() {
        Options o;
        o.scale = 1;
        return o;
    }
    Program* program = nullptr;
    std::unique_ptr<Timer> probe;
    long pohybTicks = 0;
    QElapsedTimer sinceOpen;
    Micros clockAtOpen = 0;
    int opened = 0;

    void screenOpened(GameScreen& s) override {
        QtFrontEnd::screenOpened(s);
        pohybTicks = 0;
        Timer* pohyb = s.pohyb;
        probe = std::make_unique<Timer>(program->scheduler(), "probe", pohyb ? pohyb->interval() : 10, true, 99,
                                        [this, pohyb] {
                                            if (pohyb && pohyb->enabled() && !pohyb->busy()) ++pohybTicks;
                                        });
        sinceOpen.start();
        clockAtOpen = program->scheduler().now();
        ++opened;
    }
    void screenClosed(GameScreen& s) override {
        probe.reset();
        QtFrontEnd::screenClosed(s);
    }
};

void press(QWidget* w, int key) {
    QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
    QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
}

// What a key press changes on screen at once: the aircraft's picture and the bombs shown.
std::uint64_t drawnSignature(const GameScreen& s) {
    std::uint64_t sig = reinterpret_cast<std::uintptr_t>(s.dravik.Picture.get());
    for (const Sprite& x : s.sprites())
        if (x.name.rfind("bomba(", 0) == 0) sig = sig * 3 + (x.Visible ? 1 : 0);
    return sig;
}

struct Stats {
    double mean = 0, sd = 0, zeroShare = 0, max = 0;
};
Stats stats(const std::vector<double>& v) {
    Stats s;
    if (v.empty()) return s;
    for (double x : v) {
        s.mean += x;
        s.max = std::max(s.max, x);
        if (x == 0) s.zeroShare += 1;
    }
    s.mean /= v.size();
    s.zeroShare /= v.size();
    for (double x : v) s.sd += (x - s.mean) * (x - s.mean);
    s.sd = std::sqrt(s.sd / v.size());
    return s;
}

// The bare window: fills itself with a colour that changes every frame, repainted on a grid of
// frames at the game's rate. A late frame does not move the grid (the game's ticks stand on
// theirs): the next is asked for once this one is painted (so no two requests fold into one
// paint), at its place in the grid; only a frame a whole period late starts the grid anew.
class BareWindow : public QWidget {
public:
    int frame = 0;
    BareWindow() {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setWindowTitle("bare");
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            asked_ = true;
            update();
        });
        clock_.start();
    }
    void start(double fps) {
        period_ = static_cast<std::int64_t>(1e9 / std::max(1.0, fps));
        next_ = clock_.nsecsElapsed();  // the first frame at once, as play's first follows its turn's start
        running_ = true;
        arm();
    }
    void stop() {
        running_ = asked_ = false;
        timer_.stop();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor::fromHsv(frame++ % 360, 80, 200));
        if (!asked_ || !running_) return;
        asked_ = false;
        const std::int64_t now = clock_.nsecsElapsed();
        next_ += period_;
        if (next_ <= now - period_) next_ = now + period_;
        arm();
    }

private:
    void arm() {
        const std::int64_t wait = next_ - clock_.nsecsElapsed();
        timer_.start(static_cast<int>(std::max<std::int64_t>(0, (wait + 500'000) / 1'000'000)));
    }
    std::int64_t period_ = 16'666'667, next_ = 0;
    bool running_ = false, asked_ = false;
    QElapsedTimer clock_;
    QTimer timer_;
};

struct Turn {
    double cpu = 0, wall = 0;
    long paints = 0;
    Turn& operator+=(const Turn& t) {
        cpu += t.cpu, wall += t.wall, paints += t.paints;
        return *this;
    }
};

// One turn of play or of the bare window. Under callgrind each turn is a part of its own, named
// by what it measured ("smooth play", "smooth bare", ...), counting every thread.
Turn measureTurn(int msecs, const long& paints, const std::string& name) {
    Turn t;
    const long paints0 = paints;
    const double cpu0 = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    CALLGRIND_ZERO_STATS;
    wait(msecs);
    t.paints = paints - paints0;
    const std::string part = name + ", " + std::to_string(t.paints) + " paints";
    CALLGRIND_DUMP_STATS_AT(part.c_str());
    t.cpu = cpuSeconds() - cpu0;
    t.wall = wall.nsecsElapsed() / 1e9;
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    const auto mainStart = SteadyClock::now();
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

    QApplication app(argc, argv);
    setupAppearance(app);
    const double appMs = std::chrono::duration<double, std::milli>(SteadyClock::now() - mainStart).count();
    PaintCounter menuPaints, gamePaints, barePaints;
    for (PaintCounter* c : {&menuPaints, &gamePaints, &barePaints}) app.installEventFilter(c);
    menuPaints.counts = [](QObject* o) { return qobject_cast<MenuWindow*>(o) != nullptr; };
    gamePaints.counts = [](QObject* o) { return qobject_cast<GameWindow*>(o) != nullptr; };

    // A scratch progress file: the bench leaves the player's alone.
    const auto dir = std::filesystem::temp_directory_path() / ("skyrend-window-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);

    // Answers every message box with its default button once it has been open a fifth of a second.
    int boxes = 0;
    QPointer<QWidget> box;
    QElapsedTimer boxOpen;
    QTimer boxWatch;
    boxWatch.setInterval(20);
    QObject::connect(&boxWatch, &QTimer::timeout, [&] {
        auto* m = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!m) return;
        if (m != box) {
            box = m;
            boxOpen.start();
            ++boxes;
        } else if (boxOpen.elapsed() >= 200) {
            QAbstractButton* b = m->defaultButton() ? m->defaultButton() : m->buttons().value(0);
            if (b) b->click();
        }
    });
    boxWatch.start();

    struct Way {
        const char* name = "";
        SceneMotion::Mode mode = SceneMotion::Mode::Ticks;
        double cpu = 0, wall = 0, fps = 0, bareCpu = 0, bareWall = 0, bareFps = 0;
        int games = 0;
        std::vector<double> steps, keyDelays;
    };
    Way ways[3];
    ways[0].name = "smooth", ways[0].mode = SceneMotion::Mode::Interpolate;
    ways[1].name = "classic", ways[1].mode = SceneMotion::Mode::Ticks;
    ways[2].name = "extrapolated", ways[2].mode = SceneMotion::Mode::Extrapolate;
    // Per painted frame of the game window: how far the first house moved on screen since the
    // frame before (frames at speed 7 only; a house coming back at the right is no step).
    std::vector<double> steps, keyDelays;
    double lastDrawn = -1e9;
    bool keyPending = false;
    std::uint64_t keySig = 0;
    SteadyClock::time_point keyAt;
    gamePaints.onPaint = [&](QObject* o) {
        auto* w = qobject_cast<GameWindow*>(o);
        GameScreen* s = w ? w->screen() : nullptr;
        if (!s) return;
        if (keyPending && drawnSignature(*s) != keySig) {
            keyPending = false;
            keyDelays.push_back(std::chrono::duration<double, std::milli>(SteadyClock::now() - keyAt).count());
        } else if (keyPending && SteadyClock::now() - keyAt > std::chrono::milliseconds(300)) {
            keyPending = false;  // the key changed nothing that shows (a tilt at its limit)
        }
        std::size_t i = 0;
        while (i < s->sprites().size() && s->sprites()[i].name != "dom1") ++i;
        const double x = toPixel(w->motion().sprite(i).x);
        if (s->speed == 7 && !QApplication::activeModalWidget() && std::abs(x - lastDrawn) < 100)
            steps.push_back(std::abs(x - lastDrawn));
        lastDrawn = x;
    };
    long ticks = 0;
    double tickClockMs = 0, tickRealMs = 0;
    int tickRestarts = 0;  // games that ended inside the ten seconds (the count starts again)
    int games = 0, playGames = 0;
    double menuIdle = 0, sceneMs = 0;
    long menuIdlePaints = 0;
    QSize gameSize(GameScreen::kClientWidth, GameScreen::kClientHeight);
    {
        BenchFrontEnd fe;
        Program program(fe, gameScreens(), (dir / "new.dat").string());
        fe.program = &program;
        program.scheduler().setPace(Pace::Classic);
        fe.attach(program);
        fe.start();
        while (menuPaints.firstDone == SteadyClock::time_point{})
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const double startupMs = std::chrono::duration<double, std::milli>(menuPaints.firstDone - mainStart).count();
        std::printf("start-up: first painted menu %.1f ms after main() (the application object ready at %.1f ms)\n",
                    startupMs, appMs);
        std::fflush(stdout);
        wait(300);
        // The menu alone: nothing moves, nothing is repainted; the bench's own box watcher rests.
        boxWatch.stop();
        const double idleCpu0 = cpuSeconds();
        const long menuPaints0 = menuPaints.paints;
        QElapsedTimer idleWall;
        idleWall.start();
        wait(3000);
        menuIdle = 1000 * (cpuSeconds() - idleCpu0) / (idleWall.nsecsElapsed() / 1e9);
        menuIdlePaints = menuPaints.paints - menuPaints0;
        boxWatch.start();

        auto* episode1 = qobject_cast<QPushButton*>(fe.menuWindow()->control("Command1"));
        // The pilot of the simulation benchmark, on keys: keeps Dravik between the houses and the
        // clouds at speed 7, drops bombs; starts a new game when one ends. Every key press that
        // is to change the picture (a new tilt, a bomb let go) is timed to the paint that shows it.
        long step = 0;
        bool pilotIdle = false;  // the bare window's turn
        QTimer pilot;
        pilot.setInterval(50);
        QObject::connect(&pilot, &QTimer::timeout, [&] {
            if (pilotIdle) return;
            ++step;
            GameScreen* s = program.screen();
            if (!s) {
                if (!QApplication::activeModalWidget() && fe.menuWindow()->isVisible()) {
                    episode1->click();
                    ++games;
                }
                return;
            }
            QWidget* w = fe.windowOf(*s);
            if (!w || QApplication::activeModalWidget()) return;
            auto timed = [&](int key) {
                if (!keyPending) {
                    keyPending = true;
                    keySig = drawnSignature(*s);
                    keyAt = SteadyClock::now();
                }
                press(w, key);
            };
            if (s->dravik.Top > 300 && s->tilt < 2)
                timed(Qt::Key_Up);
            else if (s->dravik.Top < 120 && s->tilt > -2)
                timed(Qt::Key_Down);
            else if (s->speed > 7 && s->landingMode == 0)
                press(w, Qt::Key_Left);
            else if (step % 7 == 0 && s->dravik.Top < 328 && s->dravik.Top >= 272)
                timed(Qt::Key_Space);
        });
        pilot.start();
        wait(1000);  // the first game is under way
        if (program.screen())
            if (QWidget* w = fe.windowOf(*program.screen())) gameSize = w->size();

        // The bare window stands beside the game's and is repainted only in its own turns.
        BareWindow bare;
        bare.setFixedSize(gameSize);
        barePaints.counts = [&](QObject* o) { return o == &bare; };
        bare.move(0, 0);
        bare.show();
        for (Way& way : ways) {
            // A fresh game drawn this way.
            fe.setMotion(way.mode);
            pilot.stop();
            while (program.screen() || QApplication::activeModalWidget()) {
                if (program.screen() && !QApplication::activeModalWidget())
                    if (QWidget* w = fe.windowOf(*program.screen())) press(w, Qt::Key_Escape);
                wait(100);
            }
            wait(300);
            pilot.start();
            while (!program.screen()) wait(5);
            wait(500);
            const int games0 = games;
            steps.clear();
            keyDelays.clear();
            keyPending = false;
            lastDrawn = -1e9;
            Turn play, plain;
            for (int round = 0; round < 2; ++round) {
                play += measureTurn(seconds * 500, gamePaints.paints, std::string(way.name) + " play");
                // The bare window's turn: the game holds still (its clock stopped, so it catches
                // up nothing after), the pilot's timer ticks on idle.
                fe.driver().stop();
                pilotIdle = true;
                bare.start(play.paints / play.wall);
                plain += measureTurn(seconds * 500, barePaints.paints, std::string(way.name) + " bare");
                bare.stop();
                pilotIdle = false;
                fe.driver().start();
            }
            way.cpu = play.cpu;
            way.wall = play.wall;
            way.fps = play.paints / play.wall;
            way.bareCpu = plain.cpu;
            way.bareWall = plain.wall;
            way.bareFps = plain.paints / plain.wall;
            way.games = games - games0;
            way.steps = steps;
            way.keyDelays = keyDelays;
        }
        bare.hide();
        pilot.stop();
        playGames = games;
        // What one frame of the scene costs to draw, off the display (the window adds its blit).
        if (GameScreen* s = program.screen()) {
            QImage frame(GameScreen::kClientWidth, GameScreen::kClientHeight, QImage::Format_ARGB32_Premultiplied);
            const int n = 300;
            const double cpu1 = cpuSeconds();
            for (int i = 0; i < n; ++i) {
                QPainter p(&frame);
                fe.painter().paint(p, *s);
            }
            sceneMs = 1000 * (cpuSeconds() - cpu1) / n;
        }

        // Back to the menu, then a fresh game at the nominal pace for the tick count.
        while (program.screen() || QApplication::activeModalWidget()) {
            if (program.screen() && !QApplication::activeModalWidget())
                if (QWidget* w = fe.windowOf(*program.screen())) press(w, Qt::Key_Escape);
            wait(100);
        }
        wait(300);
        program.scheduler().setPace(Pace::Nominal);
        pilot.start();
        while (!program.screen()) wait(5);
        const int openedBefore = fe.opened;
        for (qint64 left; (left = 10000 - fe.sinceOpen.elapsed()) > 0;) wait(static_cast<int>(left));
        ticks = fe.pohybTicks;
        tickRealMs = fe.sinceOpen.nsecsElapsed() / 1e6;
        tickClockMs = (program.scheduler().now() - fe.clockAtOpen) / 1000.0;
        tickRestarts = fe.opened - openedBefore;
        pilot.stop();
        fe.probe.reset();  // it runs on the program's clock, which goes first
        fe.shutdown();
    }
    QCoreApplication::processEvents();

    std::printf("play, episode 1 at speed 7, classic pace, %dx%d window, %d game(s) started:\n", gameSize.width(),
                gameSize.height(), playGames);
    for (const Way& w : ways) {
        const Stats st = stats(w.steps);
        const Stats kd = stats(w.keyDelays);
        const double gamePerS = 1000 * w.cpu / w.wall, barePerS = 1000 * w.bareCpu / w.bareWall;
        std::printf(
            "  %-12s %.1f frames/s; house step per frame %.2f px (sd %.2f), still in %.0f %% of frames, "
            "largest %.0f px (%zu frames); CPU %.1f ms/s, bare window %.1f ms/s at %.1f frames/s, ratio "
            "%.2f; key to screen %.1f ms mean, %.1f ms worst (%zu keys)\n",
            w.name, w.fps, st.mean, st.sd, 100 * st.zeroShare, st.max, w.steps.size(), gamePerS, barePerS, w.bareFps,
            barePerS > 0 ? gamePerS / barePerS : 0.0, kd.mean, kd.max, w.keyDelays.size());
    }
    std::printf("menu alone for 3 s: %.1f ms CPU per second, %ld paint events\n", menuIdle, menuIdlePaints);
    std::printf("one scene frame drawn off the display: %.2f ms CPU\n", sceneMs);
    std::printf("ticks, nominal pace: %ld pohyb ticks in %.1f ms of real time, %.1f ms of clock time%s\n", ticks,
                tickRealMs, tickClockMs, tickRestarts ? " (the game ended and a new one began: counted since)" : "");
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    std::printf("peak memory: %ld KiB (ru_maxrss)\n", u.ru_maxrss);
    std::printf("message boxes answered: %d\n", boxes);
    std::filesystem::remove_all(dir);
    return 0;
}

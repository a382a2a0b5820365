// Pause, full screen and recorded games in the real windows, on a clock the test moves: a pause
// holds the world still while the music timer runs on, the game pauses itself while the player
// is away, and what the windows record replays to the same state.
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>

#include "game/screens.h"
#include "playfield/gamescreen.h"
#include "qt/driver.h"
#include "qt/gamewindow.h"
#include "qt/menuwindow.h"
#include "qt/qtfrontend.h"
#include "qt_support.h"
#include "game/recording.h"
#include "scenario/headless.h"
#include "shell/menu.h"
#include "shell/program.h"

namespace sky::qt {
namespace {

namespace fs = std::filesystem;

class PauseTest : public ::testing::Test {
protected:
    void open(Options options = {}, replay::Player* player = nullptr, Program* given = nullptr) {
        test::app();
        dir = test::scratchDir("pause");
        options.autopauseDelayMs = 0;
        fe = std::make_unique<QtFrontEnd>(options);
        if (!given) {
            program = std::make_unique<Program>(*fe, gameScreens(), (dir / "new.dat").string());
            program->scheduler().setPace(Pace::Classic);
        }
        Program& p = given ? *given : *program;
        prog = &p;
        if (player) fe->setPlayer(player);
        GameProgress startsWith;  // what the menu's first activation will read
        readProgress((dir / "new.dat").string(), startsWith);
        recorder = std::make_unique<replay::Recorder>(recording, Pace::Classic, startsWith);
        if (!player) fe->setRecorder(recorder.get());
        fe->attach(p, [this] { return now; });
        fe->start();
        QApplication::processEvents();
    }
    void TearDown() override {
        if (fe) fe->shutdown();
        program.reset();
        fe.reset();
        fs::remove_all(dir);
    }
    // The clock in the driver's steps of 5 ms.
    void run(int msTotal) {
        for (int i = 0; i < msTotal / 5; ++i) {
            now += 5'000'000;
            fe->driver().step();
        }
        QApplication::processEvents();
    }
    // A key pressed and let go, a moment after the last.
    void press(QWidget* w, int key) {
        for (auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            now += 30'000'000;
            QKeyEvent e(type, key, Qt::NoModifier);
            QApplication::sendEvent(w, &e);
        }
    }
    GameWindow* startEpisode1() {
        qobject_cast<QPushButton*>(fe->menuWindow()->control("Command1"))->click();
        QApplication::processEvents();
        return prog->screen() ? fe->windowOf(*prog->screen()) : nullptr;
    }

    fs::path dir;
    std::int64_t now = 0;
    std::ostringstream recording;
    std::unique_ptr<replay::Recorder> recorder;
    std::unique_ptr<QtFrontEnd> fe;
    std::unique_ptr<Program> program;
    Program* prog = nullptr;
};

TEST_F(PauseTest, PHoldsTheWorldStillUnderItsCaptionAndTheRecordingReplaysTheSame) {
    open();
    GameWindow* w = startEpisode1();
    ASSERT_NE(w, nullptr);
    GameScreen& s = *prog->screen();
    for (int i = 0; i < 3; ++i) press(w, Qt::Key_Up);
    run(1000);
    const double climbing = s.dravik.Top;
    EXPECT_LT(climbing, 344) << "off the ground";

    press(w, Qt::Key_P);
    ASSERT_TRUE(s.paused());
    const double tilt = s.tilt;
    press(w, Qt::Key_Down);  // refused while paused
    run(500);
    EXPECT_EQ(s.dravik.Top, climbing);
    EXPECT_EQ(s.tilt, tilt);
    EXPECT_FALSE(prog->menu().Timer1.suspended()) << "the music's timer runs on";
    // The caption is over the scene, not in it: the middle band differs from the scene itself,
    // the sky above it does not.
    const QImage shown = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage scene = fe->painter().render(s).convertToFormat(QImage::Format_RGB32);
    int middle = 0, top = 0;
    for (int x = 0; x < scene.width(); ++x) {
        middle += shown.pixel(x, scene.height() / 2) != scene.pixel(x, scene.height() / 2);
        top += shown.pixel(x, 10) != scene.pixel(x, 10);
    }
    EXPECT_GT(middle, scene.width() / 2);
    EXPECT_EQ(top, 0);

    press(w, Qt::Key_P);
    EXPECT_FALSE(s.paused());
    run(500);
    EXPECT_NE(s.dravik.Top, climbing) << "the flight goes on from where it stood";

    // Esc still leaves a paused episode.
    press(w, Qt::Key_P);
    press(w, Qt::Key_Escape);
    EXPECT_EQ(prog->screen(), nullptr);
    run(100);
    startEpisode1();
    press(fe->windowOf(*prog->screen()), Qt::Key_Right);
    run(300);

    fe->endRecording();
    std::ostringstream live;
    replay::printState(*prog, live);
    const std::string text = recording.str();
    EXPECT_NE(text.find(" pause key\n"), std::string::npos);
    EXPECT_EQ(text.find(" key 40\n"), std::string::npos) << "the refused key is not recorded";
    std::string error;
    auto rec = replay::parse(text, "window", error);
    ASSERT_TRUE(rec) << error;
    std::ostringstream replayed, problems;
    EXPECT_EQ(replay::runReplay(*rec, replayed, problems), 0) << problems.str();
    EXPECT_EQ(replayed.str(), live.str());
}

TEST_F(PauseTest, WhatTheWindowShowsFrameByFrameIsWhatAWholeRedrawShowsAcrossPauseAndHelp) {
    // Each frame redraws only what moved; a key that lands between a frame's update and its paint
    // must still leave the window as a redraw of the whole window would draw it.
    open();
    GameWindow* w = startEpisode1();
    ASSERT_NE(w, nullptr);
    press(w, Qt::Key_Up);
    auto tap = [&](int key) {  // on the frame's instant
        for (auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(type, key, Qt::NoModifier);
            QApplication::sendEvent(w, &e);
        }
    };
    QScreen* display = w->QWidget::screen();
    auto shown = [&] { return display->grabWindow(w->winId()).toImage().convertToFormat(QImage::Format_RGB32); };
    const std::map<int, int> keys = {{12, Qt::Key_P}, {20, Qt::Key_P}, {28, Qt::Key_F1}, {34, Qt::Key_F1}};
    for (int f = 0; f < 42; ++f) {
        SCOPED_TRACE(f);
        now += 17'000'000;
        fe->driver().step();
        w->refresh();
        if (auto k = keys.find(f); k != keys.end()) tap(k->second);
        QApplication::processEvents();
        const QImage framed = shown();
        w->repaint();
        ASSERT_TRUE(framed == shown()) << "paused " << prog->screen()->paused() << ", help " << w->helpShown();
    }
}

TEST_F(PauseTest, TheGamePausesWhileThePlayerIsAwayAndOnlyThatPauseResumesByItself) {
    struct Row {
        const char* what;
        bool autopause;
        bool pressP;  // P before leaving
        bool pausedAway, pausedBack;
    } rows[] = {
        {"away and back", true, false, true, false},
        {"a P pause stays until P", true, true, true, true},
        {"--no-autopause runs on in the background", false, false, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Options o;
        o.autopause = r.autopause;
        open(o);
        GameWindow* w = startEpisode1();
        ASSERT_NE(w, nullptr);
        GameScreen& s = *prog->screen();
        if (r.pressP) press(w, Qt::Key_P);
        fe->applicationStateChanged(Qt::ApplicationInactive);
        QApplication::processEvents();
        EXPECT_EQ(s.paused(), r.pausedAway);
        run(200);
        fe->applicationStateChanged(Qt::ApplicationActive);
        EXPECT_EQ(s.paused(), r.pausedBack);
        TearDown();
        now = 0;
        recording.str("");
    }
}

TEST(FullScreen, TheSceneTakesTheLargestWholeScaleThatFitsCentredOnBlack) {
    struct Row {
        QSize area;
        int scale;
        QPoint offset;
    } rows[] = {
        {{1920, 1080}, 2, {291, 25}},   // the height decides
        {{2560, 1440}, 2, {611, 205}},  //
        {{3840, 2160}, 4, {582, 50}},   //
        {{669, 515}, 1, {0, 0}},        // exactly one scene
        {{1400, 1100}, 2, {31, 35}},    // both just fit twice
        {{640, 480}, 1, {-14, -17}},    // too small: never below one, centred and cut
    };
    for (const Row& r : rows) {
        const GameWindow::Fit f = GameWindow::fitScene(r.area, {669, 515});
        EXPECT_EQ(f.scale, r.scale) << r.area.width() << "x" << r.area.height();
        EXPECT_EQ(f.offset, r.offset) << r.area.width() << "x" << r.area.height();
    }
}

}  // namespace
}  // namespace sky::qt

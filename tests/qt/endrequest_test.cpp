// The desktop ends the game (SIGTERM) while one of the run's boxes is open, in the real windows:
// the box goes, the run ends as its own ending would and new.dat holds what it won or scored.
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "game/screens.h"
#include "playfield/gamescreen.h"
#include "qt/menuwindow.h"
#include "qt/qtfrontend.h"
#include "qt/startchecks.h"
#include "qt_support.h"
#include "shell/program.h"

namespace sky::qt {
namespace {

namespace fs = std::filesystem;

TEST(EndRequest, SigtermWhileEachKindOfBoxIsOpenSavesTheEnding) {
    struct Row {
        const char* what;
        const char* timer;
        std::function<void(GameScreen&)> arrange;
        const char* saved;
    } rows[] = {
        {"won", "Timer2", [](GameScreen& g) { g.level = 9, g.letisko.move(54, 348), g.dravik.move(64, 352); },
         "True\r\n1\r\n0\r\n42\r\n0\r\n0\r\n"},
        {"repair offer", "Timer2",
         [](GameScreen& g) { g.level = 3, g.damage = 1, g.letisko.move(54, 348), g.dravik.move(64, 352); },
         "False\r\n0\r\n0\r\n42\r\n0\r\n0\r\n"},
        {"fuel out", "Timer5", [](GameScreen& g) { g.fuel = 1, g.dravik.move(64, 200); },
         "False\r\n0\r\n0\r\n42\r\n0\r\n0\r\n"},
        {"the third bird", "kolizie",
         [](GameScreen& g) { g.damage = 2, g.dravik.move(100, 300), g.findSprite("v1")->move(184, 290); },
         "False\r\n0\r\n0\r\n42\r\n0\r\n0\r\n"},
    };
    test::app();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const fs::path dir = test::scratchDir("endrequest");
        const std::string path = (dir / "new.dat").string();
        std::ofstream(path, std::ios::binary) << "False\r\n0\r\n0\r\n5\r\n0\r\n0\r\n";
        QtFrontEnd fe;
        Program program(fe, gameScreens(), path);
        fe.attach(program, [] { return std::int64_t{0}; });
        EndRequests ends([&] { endGameNow(fe, program); });
        fe.start();
        test::settle();
        qobject_cast<QPushButton*>(fe.menuWindow()->control("Command1"))->click();
        GameScreen& g = *program.screen();
        for (const char* n : {"bod1", "bod2", "bod3", "bod4", "bod5", "v1", "v2"}) g.findSprite(n)->move(2000, 10);
        g.score = 42;
        r.arrange(g);
        // In the game's own event loop, as it runs: the box opens, then the signal comes (and if
        // the box stayed, the watchdog would end the loop and the test would fail, not hang).
        QTimer::singleShot(0, [&] { fe.call([&] { g.findTimer(r.timer)->fire(); }); });
        QTimer::singleShot(50, [] { ::kill(::getpid(), SIGTERM); });
        QTimer watchdog;
        watchdog.callOnTimeout([] { QApplication::exit(3); });
        watchdog.start(5000);
        EXPECT_EQ(QApplication::exec(), 0);
        EXPECT_TRUE(program.ended());
        std::stringstream file;
        file << std::ifstream(path, std::ios::binary).rdbuf();
        EXPECT_EQ(file.str(), r.saved);
        fe.shutdown();
        fs::remove_all(dir);
    }
}

// Progress that cannot be kept: told in a box at the start that does not wait, and at the end in
// one that does, only to the player who closed the game; a failure status either way.
TEST(EndRequest, ProgressThatCannotBeKeptIsToldInTheWindowAndIsAFailure) {
    test::app();
    QWidget menu;
    sayProgressUnsaved(&menu, "read-only file");
    test::settle();
    auto* start = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(start, nullptr);
    EXPECT_TRUE(start->text().contains("nedá uložiť") && start->text().contains("read-only file"));
    start->close();
    test::settle();
    struct Row {
        int rc;
        bool failed, endRequested;
        int status;
        bool box;
    } rows[] = {
        {0, false, false, 0, false}, {0, true, false, 1, true}, {0, true, true, 1, false}, {2, true, true, 2, false}};
    for (const Row& r : rows) {
        QString told;
        QTimer::singleShot(0, [&] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                told = qobject_cast<QMessageBox*>(box)->text();
                box->close();
            }
        });
        EXPECT_EQ(endStatus(r.rc, r.failed, r.endRequested, "No space left on device"), r.status);
        EXPECT_EQ(told.contains("nepodarilo uložiť"), r.box);
        test::settle();
    }
}

}  // namespace
}  // namespace sky::qt

// Draws the game's real windows offscreen at fixed seeds and saves them as PNGs: the pictures
// of the README. Run again when the art changes:
//     screenshots DIR [--lang en]
// writes DIR/menu.png, DIR/episode1.png, DIR/episode2.png, DIR/help1.png and DIR/help2.png
// (with a -en suffix for English).
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <string>

#include "game/screens.h"
#include "playfield/gamescreen.h"
#include "qt/appearance.h"
#include "qt/driver.h"
#include "qt/gamewindow.h"
#include "qt/language.h"
#include "qt/menuwindow.h"
#include "qt/qtfrontend.h"
#include "shell/program.h"
#include "shell/progress.h"

namespace {

using namespace sky;
using namespace sky::qt;

// Every screen starts from the same seed, so the pictures come out the same each time.
class FixedSeed : public QtFrontEnd {
public:
    using QtFrontEnd::QtFrontEnd;
    std::uint64_t clockSeed() override { return 20040607; }
};

struct Shooter {
    QtFrontEnd& fe;
    Program& program;
    std::int64_t& now;
    QString dir, suffix;
    bool ok = true;

    // The clock in the driver's steps of 5 ms.
    void run(int msTotal) {
        for (int i = 0; i < msTotal / 5; ++i) {
            now += 5'000'000;
            fe.driver().step();
            QApplication::processEvents();
        }
    }
    GameWindow* window() { return program.screen() ? fe.windowOf(*program.screen()) : nullptr; }
    void key(int k, int times = 1) {
        for (int i = 0; i < times; ++i) {
            QKeyEvent down(QEvent::KeyPress, k, Qt::NoModifier);
            if (GameWindow* w = window()) QApplication::sendEvent(w, &down);
            run(60);
        }
    }
    void click(const char* control) {
        qobject_cast<QPushButton*>(fe.menuWindow()->control(control))->click();
        QApplication::processEvents();
    }
    void save(QWidget* w, const char* name) {
        const QString path = dir + "/" + name + suffix + ".png";
        if (!w || !w->grab().save(path)) {
            std::fprintf(stderr, "screenshots: cannot write %s\n", qPrintable(path));
            ok = false;
            return;
        }
        std::printf("%s\n", qPrintable(path));
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshots DIR [--lang en]\n");
        return 2;
    }
    const bool english = argc > 3 && std::strcmp(argv[2], "--lang") == 0 && std::strcmp(argv[3], "en") == 0;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setupAppearance(app);
    installLanguage(app, english ? Language::English : Language::Slovak);

    // A player who has won episode 1 once: both episodes open, the music off.
    QTemporaryDir work;
    const std::string progress = (work.path() + "/new.dat").toStdString();
    GameProgress g;
    g.ep2Unlocked = "True";
    g.ep1Passed = 1;
    g.ep1BestScore = 212;
    g.ep2BestScore = 31;
    writeProgress(progress, g);

    Options options;
    options.autopause = false;
    FixedSeed fe(options);
    std::int64_t now = 0;
    {
        Program program(fe, gameScreens(), progress);
        Shooter s{fe, program, now, QString::fromLocal8Bit(argv[1]), english ? "-en" : ""};
        fe.attach(program, [&now] { return now; });
        fe.start();
        s.run(200);
        s.save(fe.menuWindow(), "menu");

        // Episode 1: up and away from the start, faster, then down over the houses with a bomb.
        s.click("Command1");
        s.run(1200);
        s.key(Qt::Key_Right, 3);
        s.run(1500);
        s.key(Qt::Key_Down, 2);
        s.run(900);
        s.key(Qt::Key_Up, 2);
        s.key(Qt::Key_Space);
        s.run(150);
        s.save(s.window(), "episode1");
        s.key(Qt::Key_F1);
        s.save(s.window(), "help1");
        s.key(Qt::Key_F1);
        s.key(Qt::Key_Escape);
        s.run(200);

        // Episode 2: levelled off over the sea, a missile on its way.
        s.click("Command2");
        s.run(900);
        s.key(Qt::Key_Down);
        s.run(2500);
        s.key(Qt::Key_Space);
        s.run(200);
        s.save(s.window(), "episode2");
        s.key(Qt::Key_F1);
        s.save(s.window(), "help2");
        s.key(Qt::Key_F1);
        s.key(Qt::Key_Escape);
        s.run(200);
        fe.shutdown();
        if (!s.ok) return 1;
    }
    return 0;
}

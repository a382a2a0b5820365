// Windows that grow with the screen: every window takes the game window's scale where it fits, a
// scaled window is its design k times over, and a filled full screen keeps the scene's shape.
#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "game/screens.h"
#include "playfield/gamescreen.h"
#include "qt/menuwindow.h"
#include "qt/scalefit.h"
#include "qt/settingswindow.h"
#include "qt/windowscale.h"
#include "qt_support.h"
#include "shell/about.h"
#include "shell/menu.h"
#include "shell/pravidla.h"
#include "shell/program.h"
#include "support/testfrontend.h"

namespace sky::qt {
namespace {

TEST(WindowScale, EveryWindowTakesTheGameWindowsScaleAtTheseScreenSizes) {
    test::app();
    SettingsWindow settings(Settings{}, {});
    const QSize game(GameScreen::kClientWidth, GameScreen::kClientHeight);
    const QSize windows[] = {{twips(Menu::kClientWidth), twips(Menu::kClientHeight)},
                             {Pravidla::kClientWidth / 15, Pravidla::kClientHeight / 15},
                             {About::kClientWidth / 15, About::kClientHeight / 15},
                             settings.size()};
    const QSize frame(10, 40);
    struct Row {
        QSize screen;
        int asked;  // 0: the largest that fits
        int scale;  // the game window's, and so every other window's
    } rows[] = {
        {{1280, 1024}, 0, 1},  // 2x would not fit the game
        {{1920, 1080}, 0, 2}, {{1920, 1080}, 1, 1}, {{2560, 1440}, 0, 2},
        {{3840, 2160}, 0, 4}, {{3840, 2160}, 3, 3}, {{640, 480}, 0, 1},  // never below one
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.screen.width()) + "x" + std::to_string(r.screen.height()));
        const int k = chooseScale(r.screen, frame, game, r.asked).scale;
        EXPECT_EQ(k, r.scale);
        for (const QSize& w : windows) EXPECT_EQ(windowScale(r.screen, frame, w, k), r.scale);
    }
    // A window larger than the game's takes less where it would not fit.
    EXPECT_EQ(windowScale({1920, 1080}, frame, {700, 600}, 2), 1);
}

TEST(WindowScale, AScaledWindowIsItsDesignKTimesOverAndGoesBack) {
    test::app();
    sky::test::TestFrontEnd fe;
    Program program(fe, gameScreens(), (test::scratchDir("scale") / "new.dat").string());
    MenuWindow w(program.menu(), [](const InputEvent&) {});
    auto* button = w.control("Command1");
    auto* banner = static_cast<QLabel*>(w.control("Image2"));
    const QSize size = w.size();
    const QRect place = button->geometry();
    const int font = button->font().pixelSize();
    const QSize picture = banner->pixmap().size();
    for (int k : {3, 2, 1}) {
        setWindowScale(w, k);
        EXPECT_EQ(w.size(), size * k);
        EXPECT_EQ(button->geometry(), QRect(place.topLeft() * k, place.size() * k));
        EXPECT_EQ(button->font().pixelSize(), font * k);
        EXPECT_EQ(banner->pixmap().size(), picture * k);
    }
    // The settings button comes at the window's scale too.
    setWindowScale(w, 2);
    w.setSettingsButton([] {});
    EXPECT_EQ(w.control("Settings")->geometry().topLeft(), QPoint(twips(5880), twips(3480)) * 2);
}

TEST(FillScreen, TheSceneAsLargeAsTheScreenAllowsWithItsShapeCentred) {
    const QSize scene(669, 515);
    struct Row {
        QSize area;
        QRect want;
    } rows[] = {
        {{1280, 1024}, {0, 19, 1280, 985}},    // the width decides: bands above and below
        {{1920, 1080}, {258, 0, 1403, 1080}},  // the height decides: bands left and right
        {{669, 515}, {0, 0, 669, 515}},        // exactly the scene
        {{1338, 1030}, {0, 0, 1338, 1030}},    // exactly twice
        {{100, 2000}, {0, 961, 100, 77}},      // a tall narrow area
        {{0, 600}, {}},                        // nothing to fill
    };
    for (const Row& r : rows) EXPECT_EQ(fillScreen(r.area, scene), r.want) << r.area.width() << "x" << r.area.height();
}

}  // namespace
}  // namespace sky::qt

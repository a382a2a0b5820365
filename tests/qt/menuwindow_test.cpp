// The menu window: placed as designed, wired to the menu's handlers, and looking as it did.
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <fstream>
#include <memory>
#include <sstream>

#include "game/screens.h"
#include "playfield/gamescreen.h"
#include "qt/gamewindow.h"
#include "qt/keyboard.h"
#include "qt/menuwindow.h"
#include "qt/qtfrontend.h"
#include "qt_support.h"
#include "shell/menu.h"
#include "shell/program.h"

namespace sky::qt {
namespace {

namespace fs = std::filesystem;

using test::settle;

// The program with its real windows; the clock stands still unless a test moves it.
class MenuWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::app();
        dir = test::scratchDir("menu");
        fe = std::make_unique<QtFrontEnd>();
        program = std::make_unique<Program>(*fe, gameScreens(), (dir / "new.dat").string());
        fe->attach(*program, [] { return std::int64_t{0}; });
        fe->start();
        settle();
        win = fe->menuWindow();
    }
    void TearDown() override {
        fe->shutdown();
        program.reset();
        fs::remove_all(dir);
    }
    template <class W>
    W* control(const char* name) {
        return qobject_cast<W*>(win->control(name));
    }

    fs::path dir;
    std::unique_ptr<QtFrontEnd> fe;
    std::unique_ptr<Program> program;
    MenuWindow* win = nullptr;
};

TEST_F(MenuWindowTest, WindowAndEveryControlSitWhereDesigned) {
    EXPECT_EQ(win->windowTitle(), "Skyrend - menu");
    EXPECT_EQ(win->size(), QSize(495, 391));
    EXPECT_EQ(win->minimumSize(), win->maximumSize()) << "the menu is not resizable";
    EXPECT_FALSE(win->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(win->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(win->windowIcon().isNull());

    for (const MenuControl& c : Menu::layout()) {
        SCOPED_TRACE(c.name);
        QWidget* w = win->control(c.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->geometry(), QRect(c.left / 15, c.top / 15, c.width / 15, c.height / 15));
        EXPECT_EQ(w->parentWidget()->objectName().toStdString(), *c.parent ? c.parent : "menu");
        const QString caption = QString::fromStdString(sky::text(c.caption));
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            EXPECT_EQ(b->text(), caption);
        }
        if (auto* f = qobject_cast<QGroupBox*>(w)) {
            EXPECT_EQ(f->title(), caption);
        }
        if (c.kind == MenuControl::Picture) {
            auto* l = qobject_cast<QLabel*>(w);
            ASSERT_TRUE(l && !l->pixmap().isNull());
            EXPECT_EQ(l->pixmap().size(), w->size()) << "pictures fill their boxes exactly";
        }
    }
    // The version label.
    auto* l5 = control<QLabel>("Label5");
    EXPECT_EQ(l5->text(), "1.03");
    EXPECT_TRUE(l5->alignment() & Qt::AlignRight);
    EXPECT_TRUE(l5->font().bold());
    EXPECT_EQ(l5->toolTip(), QString::fromUtf8("Aktuálna verzia hry."));
    for (const char* n : {"Label1", "Label2", "Label3", "Label4"})
        EXPECT_TRUE(control<QLabel>(n)->alignment() & Qt::AlignHCenter) << n;

    // Tab order: the buttons, then the labels and the music switch.
    const std::vector<std::string> order = {"Command1", "Command2", "Command3", "Command4", "Command5", "Label1",
                                            "Label2",   "Label3",   "Label4",   "Label5",   "Check1"};
    std::vector<std::string> seen;
    QWidget* w = win->control("Command1");
    for (int i = 0; i < 200 && seen.size() < order.size(); ++i, w = w->nextInFocusChain()) {
        const std::string n = w->objectName().toStdString();
        if (std::find(order.begin(), order.end(), n) != order.end()) seen.push_back(n);
    }
    EXPECT_EQ(seen, order);
}

TEST_F(MenuWindowTest, LooksAsItDidOnAFirstRun) {
    ASSERT_EQ(control<QLabel>("Label1")->text(), QString::fromUtf8("Neprešiel si."));
    test::expectMatchesReference(win->grab().toImage(), "menu_first_run");
}

TEST_F(MenuWindowTest, ClicksReachTheMenuAndTheWindowShowsWhatItHolds) {
    // A first run: activation has read the (missing) file and set the defaults.
    Menu& menu = program->menu();
    auto* check = control<QCheckBox>("Check1");
    EXPECT_TRUE(check->isChecked());
    EXPECT_FALSE(control<QPushButton>("Command2")->isEnabled());
    EXPECT_EQ(control<QLabel>("Label2")->text(), QString::fromUtf8("Naj skóre: 0"));

    check->click();
    EXPECT_EQ(menu.Check1Value, 0);
    EXPECT_EQ(program->progress().musicOn, 0);
    EXPECT_FALSE(check->isChecked());
    check->click();
    EXPECT_EQ(program->progress().musicOn, 1);

    // Episode 1: its window opens at the playfield's size and the menu goes.
    control<QPushButton>("Command1")->click();
    settle();
    GameScreen* screen = program->screen();
    ASSERT_NE(screen, nullptr);
    GameWindow* gw = fe->windowOf(*screen);
    ASSERT_NE(gw, nullptr);
    EXPECT_EQ(gw->windowTitle(), QString::fromUtf8("Skyrend - epizóda 1"));
    EXPECT_EQ(gw->size(), QSize(669, 515));
    EXPECT_FALSE(win->isVisible());

    // Keys reach the screen; Esc ends the episode, and the menu comes back refreshed.
    const double speed = screen->speed;
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(gw, &right);
    EXPECT_GT(screen->speed, speed);
    screen->score = 12;
    program->progress().ep2Unlocked = "True";
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(gw, &esc);
    settle();
    EXPECT_EQ(program->screen(), nullptr);
    EXPECT_TRUE(win->isVisible());
    EXPECT_EQ(control<QLabel>("Label2")->text(), QString::fromUtf8("Naj skóre: 12"));
    EXPECT_TRUE(control<QPushButton>("Command2")->isEnabled());

    // Episode 2, left by the window's close box.
    control<QPushButton>("Command2")->click();
    settle();
    ASSERT_NE(program->screen(), nullptr);
    EXPECT_EQ(program->screen()->name(), "Form2");
    fe->windowOf(*program->screen())->close();
    settle();
    EXPECT_EQ(program->screen(), nullptr);
    EXPECT_TRUE(win->isVisible());

    // Closing the menu writes the progress file and ends the program.
    win->close();
    EXPECT_TRUE(program->ended());
    std::ifstream in(dir / "new.dat", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "True\r\n0\r\n0\r\n12\r\n0\r\n1\r\n");
}

TEST_F(MenuWindowTest, SwitchingBackFromAnotherGameWindowActivatesTheMenu) {
    program->progress().ep1BestScore = 40;  // activation shows it; nothing else does
    QWidget other;                          // stands for the rules window
    other.show();
    other.activateWindow();
    settle();
    ASSERT_EQ(QApplication::activeWindow(), &other);
    EXPECT_EQ(control<QLabel>("Label2")->text(), QString::fromUtf8("Naj skóre: 0"));
    win->activateWindow();
    settle();
    EXPECT_EQ(control<QLabel>("Label2")->text(), QString::fromUtf8("Naj skóre: 40"));
}

TEST(GameWindowKeys, QtKeysGetTheGamesNames) {
    const std::pair<int, const char*> rows[] = {
        {Qt::Key_Up, "Up"},        {Qt::Key_Escape, "Esc"}, {Qt::Key_Enter, "Enter"},
        {Qt::Key_Return, "Enter"}, {Qt::Key_A, "A"},        {Qt::Key_7, "7"},
        {Qt::Key_F1, "F1"},        {Qt::Key_F12, "F12"},    {Qt::Key_Shift, "Qt16777248"},
    };
    for (auto [key, name] : rows) EXPECT_EQ(keyName(key), name) << key;
}

}  // namespace
}  // namespace sky::qt

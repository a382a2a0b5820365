// The rules and about windows: one of each, looking as designed, with the about buttons wired.
#include <QLabel>
#include <QPushButton>

#include "qt/infowindows.h"
#include "qt_support.h"
#include "shell/about.h"
#include "shell/menu.h"
#include "shell/pravidla.h"
#include "support/testfrontend.h"

namespace sky::qt {
namespace {

using test::settle;

std::vector<QWidget*> windowsNamed(const char* name) {
    std::vector<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name) found.push_back(w);
    return found;
}

class InfoWindowsTest : public ::testing::Test {
protected:
    void SetUp() override { test::app(); }
    void TearDown() override {
        closeInfoWindows();
        settle();
    }
    QWidget* rules() {
        showRules(h.program);
        settle();
        auto w = windowsNamed("pravidla");
        return w.size() == 1 ? w[0] : nullptr;
    }
    QWidget* about() {
        showAbout(h.program);
        settle();
        auto w = windowsNamed("about");
        return w.size() == 1 ? w[0] : nullptr;
    }
    sky::test::TestGame h;
};

TEST_F(InfoWindowsTest, BothLookAsDesignedAndEveryTextFitsItsBox) {
    struct Row {
        QWidget* window;
        const char* caption;
        QSize client;
        std::vector<InfoLabel> labels;
        const char* reference;
    } rows[] = {
        {rules(), "Pravidlá", {442, 399}, Pravidla::labels(), "rules"},
        {about(), "Skyrend - about", {360, 190}, About::labels(), "about"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.caption);
        ASSERT_NE(r.window, nullptr);
        EXPECT_EQ(r.window->windowTitle(), QString::fromUtf8(r.caption));
        EXPECT_EQ(r.window->size(), r.client);
        EXPECT_EQ(r.window->minimumSize(), r.window->maximumSize()) << "not resizable";
        EXPECT_FALSE(r.window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        EXPECT_TRUE(r.window->windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(r.window->isModal());
        for (const InfoLabel& l : r.labels) {
            auto* label = r.window->findChild<QLabel*>(l.name);
            ASSERT_NE(label, nullptr) << l.name;
            // A wrapped text taller than its box would lose its last line.
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << l.name << " is cut off";
        }
        test::expectMatchesReference(r.window->grab().toImage(), r.reference);
    }
}

TEST_F(InfoWindowsTest, ShowingAgainRaisesTheSameWindowAndTheMenuClosingClosesBoth) {
    QWidget* first = rules();
    QWidget* again = rules();
    EXPECT_EQ(first, again);
    QWidget* a = about();
    EXPECT_EQ(a, about());
    EXPECT_TRUE(first->isVisible() && a->isVisible());

    // Closed with its close box, the rules window opens afresh next time.
    first->close();
    settle();
    EXPECT_TRUE(windowsNamed("pravidla").empty());
    ASSERT_NE(rules(), nullptr);

    closeInfoWindows();
    settle();
    EXPECT_TRUE(windowsNamed("pravidla").empty());
    EXPECT_TRUE(windowsNamed("about").empty());
}

TEST_F(InfoWindowsTest, AboutShowsTheVersionAndItsButtonsWork) {
    QWidget* w = about();
    ASSERT_NE(w, nullptr);
    auto* version = w->findChild<QLabel*>("Label1");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text().toStdString(), "Verzia: " + Menu::version());

    // No system information tool here: the message, and the window stays.
    auto* sysInfo = w->findChild<QPushButton*>("cmdSysInfo");
    ASSERT_NE(sysInfo, nullptr);
    sysInfo->click();
    settle();
    ASSERT_EQ(h.fe.boxes.size(), 1u);
    EXPECT_EQ(h.fe.boxes[0].text, "Systémové informácie nie sú teraz prístupné.");
    EXPECT_EQ(windowsNamed("about").size(), 1u);

    auto* ok = w->findChild<QPushButton*>("cmdOK");
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->hasFocus() || QApplication::focusWidget() == nullptr) << "OK is first in tab order";
    ok->click();
    settle();
    EXPECT_TRUE(windowsNamed("about").empty());
}

}  // namespace
}  // namespace sky::qt

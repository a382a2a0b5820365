// The player's own keys: press-to-bind in the settings window (two keys at most, a key in use is
// offered to swap and never doubled, Esc cancels), kept under [keys], a broken line falling back.
#include "qt/keybindings.h"

#include <QKeyEvent>
#include <QPushButton>
#include <fstream>
#include <sstream>

#include "qt/settings.h"
#include "qt_support.h"

namespace sky::qt {
namespace {

using Keys = std::array<std::string, KeyMap::kMaxKeys>;

TEST(KeyBindings, PressToBindTwoKeysSwapOrCancel) {
    test::app();
    KeyMap changed;
    int told = 0;
    KeyBindings w(nullptr, [&](const KeyMap& m) { changed = m, ++told; });
    bool swap = false;
    QString asked;
    w.setAskSwap([&](const QString& key, GameKey holder) {
        asked = key + " " + gameKeyName(holder);
        return swap;
    });
    auto bind = [&](GameKey action, int place, int key) {
        w.button(action, place)->click();
        EXPECT_TRUE(w.waiting());
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&w, &e);
        EXPECT_FALSE(w.waiting());
    };
    const struct Row {
        const char* what;
        GameKey action;
        int place, key;
        bool swap;
        Keys fire, noseUp;
        int told;
        const char* asked;
    } rows[] = {
        {"a second key", GameKey::Fire, 1, Qt::Key_Return, false, {"Space", "Enter"}, {"Up", ""}, 1, ""},
        {"Esc cancels", GameKey::Fire, 0, Qt::Key_Escape, false, {"Space", "Enter"}, {"Up", ""}, 1, ""},
        {"in use, not swapped",
         GameKey::NoseUp,
         0,
         Qt::Key_Space,
         false,
         {"Space", "Enter"},
         {"Up", ""},
         1,
         "Space fire"},
        {"in use, swapped", GameKey::NoseUp, 0, Qt::Key_Space, true, {"Up", "Enter"}, {"Space", ""}, 2, "Space fire"},
        {"a key the action has: the places trade",
         GameKey::Fire,
         0,
         Qt::Key_Return,
         false,
         {"Enter", "Up"},
         {"Space", ""},
         3,
         ""},
        {"a third key takes the place's", GameKey::Fire, 1, Qt::Key_W, false, {"Enter", "W"}, {"Space", ""}, 4, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        swap = r.swap;
        asked.clear();
        bind(r.action, r.place, r.key);
        EXPECT_EQ(w.map().binding(GameKey::Fire).keys, r.fire);
        EXPECT_EQ(w.map().binding(GameKey::NoseUp).keys, r.noseUp);
        EXPECT_EQ(told, r.told);
        EXPECT_EQ(asked.toStdString(), r.asked);
        EXPECT_EQ(w.button(GameKey::Fire, 0)->text(), keyText(r.fire[0]));
    }
    // A key is never doubled: the swap gives the other action this place's key.
    KeyMap m;
    EXPECT_EQ(bindKey(m, GameKey::Faster, 1, "Left", false), BindResult::Taken);
    EXPECT_EQ(bindKey(m, GameKey::Faster, 1, "Left", true), BindResult::Refused) << "slower would have no key";
    EXPECT_EQ(bindKey(m, GameKey::Faster, 0, "", false), BindResult::Refused) << "its only key";
    EXPECT_EQ(m.binding(GameKey::Slower).keys, (Keys{"Left", ""}));
}

TEST(KeyBindings, KeptUnderKeysABrokenLineFallsBackWithOneLine) {
    test::app();
    const auto dir = test::scratchDir("keys");
    const QString path = QString::fromStdString((dir / "skyrend.conf").string());
    const SettingsFile file(path);
    Settings s;
    ASSERT_EQ(bindKey(s.keys, GameKey::Fire, 1, "Enter", false), BindResult::Bound);
    ASSERT_TRUE(file.save(s));
    std::stringstream text;
    text << std::ifstream(path.toStdString()).rdbuf();
    EXPECT_NE(text.str().find("\n[keys]\nnose-up=Up\n"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("\nfire=Space, Enter\n"), std::string::npos) << text.str();
    EXPECT_EQ(file.load().keys.binding(GameKey::Fire).keys, (Keys{"Space", "Enter"}));

    std::ofstream(path.toStdString(), std::ios::trunc) << "[General]\nsounds=false\n[Keys]\nfire=Return,space\n"
                                                          "nose-up=Ctrl+X\nfaster=Q\nslower=Q\nhelp=A, B, C\n"
                                                          "leave=\npause=Qt16777248\n";
    testing::internal::CaptureStderr();
    s = file.load();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(s.soundEffects);
    const struct Row {
        GameKey action;
        Keys keys;
    } rows[] = {
        {GameKey::Fire, {"Enter", "Space"}},  {GameKey::NoseUp, {"Up", ""}}, {GameKey::Faster, {"Q", ""}},
        {GameKey::Slower, {"Left", ""}},      {GameKey::Help, {"F1", ""}},   {GameKey::Leave, {"Esc", ""}},
        {GameKey::Pause, {"Qt16777248", ""}},
    };
    for (const Row& r : rows) EXPECT_EQ(s.keys.binding(r.action).keys, r.keys) << gameKeyName(r.action);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 4) << said;
    EXPECT_NE(said.find("slower=Q"), std::string::npos) << said;
    // Back to the game's own keys: the section goes.
    ASSERT_TRUE(file.save(Settings()));
    text.str("");
    text << std::ifstream(path.toStdString()).rdbuf();
    EXPECT_EQ(text.str().find("keys]"), std::string::npos) << text.str();
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace sky::qt

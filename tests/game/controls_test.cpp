// The player's keys, the message boxes, the automatic pause and the clock following real time,
// as every front end gets them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/controls.h"
#include "game/helppage.h"
#include "game/realtime.h"
#include "playfield/gamescreen.h"
#include "support/testfrontend.h"

namespace sky {
namespace {

// What a front end does with an outcome: performs its input.
struct Front {
    test::TestGame t;
    Controls c{t.program};
    GameScreen* s = &t.open(1, 7);
    int fullScreens = 0;

    Controls::Outcome act(Controls::Outcome o) {
        if (o.input) apply(t.program, *o.input);
        fullScreens += o.fullScreen;
        return o;
    }
    Controls::Outcome press(const char* key, std::int64_t ms, bool repeat = false) {
        return act(c.press(key, repeat, ms));
    }
};

TEST(Controls, KeysReachTheGameAsTheirActionsAndOnlyFlightKeysRepeat) {
    Front f;
    struct Row {
        char op;  // d down, r its platform repeat, u up, b bind W and I to nose up
        const char* key;
        std::int64_t ms;
        int input;  // -1 none, else the Key's code; 'P'ause, 'R'esume
        bool paused, help;
    } rows[] = {
        {'d', "Up", 0, kKeyUp, false, false},
        {'r', "Up", 30, kKeyUp, false, false},  // held: the flight keys act on every key-down
        {'d', "Up", 60, kKeyUp, false, false},  // a repeat the platform did not mark
        {'u', "Up", 70, -1, false, false},
        {'d', "P", 100, 'P', true, false},
        {'d', "P", 130, -1, true, false},  // P held does not resume
        {'u', "P", 160, -1, true, false},
        {'d', "P", 165, -1, true, false},  // X11's repeat: a release and a press at once
        {'u', "P", 170, -1, true, false},
        {'d', "Down", 200, -1, true, false},  // a paused game takes no flight keys
        {'d', "P", 300, 'R', false, false},
        {'u', "P", 310, -1, false, false},
        {'d', "F1", 400, 'P', true, true},
        {'u', "F1", 405, -1, true, true},
        {'d', "Space", 410, -1, true, true},  // the game waits under its help page
        {'d', "Esc", 420, 'R', false, false},
        {'u', "Esc", 430, -1, false, false},
        {'d', "Q", 500, 0, false, false},  // a key the game does not use: the attitude refresh
        {'b', "", 510, -1, false, false},
        {'d', "W", 520, kKeyUp, false, false},
        {'d', "Left", 530, kKeyLeft, false, false},
        {'u', "Up", 535, -1, false, false},
        {'d', "Up", 540, 0, false, false},  // no longer nose up
        {'d', "P", 600, 'P', true, false},
        {'d', "F1", 610, -1, true, true},  // over a game paused with P ...
        {'d', "F1", 620, -1, true, true},  // (held)
        {'u', "F1", 630, -1, true, true},
        {'d', "F1", 660, -1, true, false},        // ... which stays paused when it goes
        {'d', "Esc", 700, kKeyEsc, true, false},  // a paused game still leaves
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(1, r.op) + " " + r.key + " at " + std::to_string(r.ms));
        Controls::Outcome o;
        if (r.op == 'b') {
            const std::string keys[] = {"W", "I"};
            ASSERT_TRUE(f.c.keyMap().bind(GameKey::NoseUp, keys));
        } else if (r.op == 'u') {
            o = f.c.release(r.key, false, r.ms);
        } else {
            o = f.press(r.key, r.ms, r.op == 'r');
            EXPECT_TRUE(o.game);
        }
        int got = -1;
        if (o.input)
            got = o.input->kind == InputEvent::Key ? o.input->value : o.input->kind == InputEvent::Pause ? 'P' : 'R';
        EXPECT_EQ(got, r.input);
        EXPECT_EQ(f.s->paused(), r.paused);
        EXPECT_EQ(f.c.helpShown(), r.help);
    }
    EXPECT_TRUE(f.s->closed());
    EXPECT_FALSE(f.c.press("Up", false, 800).game) << "no screen, no game key";
    f.t.open(1, 8);
    EXPECT_EQ(f.press("F11", 900).fullScreen, true);
    EXPECT_EQ(f.press("F11", 930, true).fullScreen, false);
}

TEST(Controls, AKeyHeldWhenABoxOpensNeverReachesItAndEscAnswersNoOrOk) {
    Front f;
    f.press("Space", 0);  // a bomb away, the key still held
    f.press("Left", 10);
    f.c.boxOpened(kQuestion);
    struct Row {
        char op;
        const char* key;
        bool repeat;
        Controls::Outcome::Box box;
        int answer;
    } rows[] = {
        {'d', "Space", true, Controls::Outcome::Ignore, 0},
        {'d', "Left", false, Controls::Outcome::Ignore, 0},   // repeats unmarked, too
        {'u', "Space", false, Controls::Outcome::Ignore, 0},  // its release would click the button
        {'d', "Space", false, Controls::Outcome::Pass, 0},    // pressed anew: the box takes it
        {'u', "Space", false, Controls::Outcome::Pass, 0},
        {'d', "Esc", false, Controls::Outcome::Answer, kNo},
    };
    std::int64_t ms = 100;
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(1, r.op) + " " + r.key);
        ms += 100;
        const Controls::Outcome o = r.op == 'u' ? f.c.release(r.key, r.repeat, ms) : f.c.press(r.key, r.repeat, ms);
        EXPECT_EQ(o.box, r.box);
        EXPECT_EQ(o.answer, r.answer);
        EXPECT_FALSE(o.input);
    }
    f.c.boxClosed();
    f.c.release("Esc", false, 900);
    f.c.boxOpened(kInformation);
    EXPECT_EQ(f.c.press("Esc", false, 1000).answer, kOk);
    f.c.boxClosed();
    EXPECT_EQ(f.c.press("Left", true, 1100).input->value, kKeyLeft) << "the box gone, the held key flies on";

    for (int style : {kOkOnly, kInformation, kQuestion}) {
        const BoxLayout b = boxLayout(style);
        std::string captions;
        for (const BoxButton& x : b.buttons) captions += text(x.caption) + ",";
        EXPECT_EQ(captions, style == kQuestion ? "Áno,Nie," : "OK,");
        EXPECT_EQ(b.defaultAnswer, style == kQuestion ? kYes : kOk);
        EXPECT_EQ(b.escapeAnswer, style == kQuestion ? kNo : kOk);
    }
}

TEST(Controls, TheGamePausesWhileThePlayerIsAwayAndOnlyThatPauseResumesByItself) {
    struct Row {
        const char* what;
        bool autopause, pressP;
        std::int64_t back;  // ms after leaving
        bool pausedAway, pausedBack;
    } rows[] = {
        {"away and back", true, false, 1000, true, false},
        {"back before the delay", true, false, 200, false, false},
        {"a P pause stays until P", true, true, 1000, true, true},
        {"no automatic pause", false, false, 1000, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Front f;
        f.c.setAutopause(r.autopause);
        if (r.pressP) f.press("P", 0);
        auto act = [&](std::optional<InputEvent> e) {
            if (e) apply(f.t.program, *e);
        };
        act(f.c.focus(false, 50));
        for (std::int64_t t = 100; t < 50 + r.back; t += 50) act(f.c.poll(t));
        EXPECT_EQ(f.s->paused(), r.pausedAway);
        EXPECT_EQ(f.c.autoPaused(), r.pausedAway && !r.pressP);
        act(f.c.focus(true, 50 + r.back));
        EXPECT_EQ(f.s->paused(), r.pausedBack);
    }
}

TEST(KeyMap, EachActionHasAtMostTwoKeysAndAKeyServesOneAction) {
    KeyMap m;
    EXPECT_EQ(m.lookup("Space"), GameKey::Fire);
    EXPECT_EQ(m.lookup("F11"), GameKey::FullScreen);
    const std::string three[] = {"A", "B", "C"}, twice[] = {"A", "A"}, bad[] = {"a b"}, taken[] = {"Space", "X"};
    EXPECT_FALSE(m.bind(GameKey::Fire, three));
    EXPECT_FALSE(m.bind(GameKey::Fire, twice));
    EXPECT_FALSE(m.bind(GameKey::Fire, bad));
    EXPECT_FALSE(m.bind(GameKey::None, taken));
    EXPECT_TRUE(m.bind(GameKey::Pause, taken));
    EXPECT_EQ(m.lookup("Space"), GameKey::Pause);
    EXPECT_EQ(m.binding(GameKey::Fire).keys[0], "") << "Space was taken from fire";
    for (const KeyMap::Binding& b : m.bindings()) EXPECT_EQ(gameKeyFromName(gameKeyName(b.action)), b.action);
    m.reset();
    EXPECT_EQ(m.lookup("Space"), GameKey::Fire);
}

TEST(HelpPage, NamesThePlayersOwnKeysAndTheBlackBoxOnlyWhereOneIsKept) {
    auto keyColumn = [](const HelpPage& page) {
        std::vector<std::string> keys;
        for (const HelpPage::Row& r : page.sections.at(0).rows) keys.push_back(r.key);
        return keys;
    };
    const std::vector<std::string> own{"↑  ↓", "→  ←", "Medzerník", "P", "F11", "F1", "Esc"};
    EXPECT_EQ(keyColumn(helpPage(1)), own);
    KeyMap m;
    const std::string wasd[] = {"W", "Up"}, space[] = {"Space"};
    ASSERT_TRUE(m.bind(GameKey::NoseUp, wasd));
    ASSERT_TRUE(m.bind(GameKey::Pause, space));  // fire is left with no key
    const HelpPage mine = helpPage(2, m, 10);
    const std::vector<std::string> theirs{"W/↑  ↓", "→  ←", "–", "Medzerník", "F11", "F1", "Esc", "F12"};
    EXPECT_EQ(keyColumn(mine), theirs);
    EXPECT_NE(mine.sections[0].rows.back().text.find("10"), std::string::npos);
    EXPECT_EQ(helpPage(1).closeHint, "F1 alebo Esc – späť do hry");
}

TEST(RealTimeStep, RealTimeBecomesClockTimeAndAStallCatchesUpAtMostATenthOfASecond) {
    RealTimeStep step;
    step.restart(1'000);
    std::int64_t now = 1'000;
    Micros clock = 0;
    struct Row {
        const char* what;
        std::int64_t stepNs;
        int steps;
        Micros clockAfter;
        bool slept = false;  // the front end slept on purpose, nothing being due
    } rows[] = {
        {"a 3 ms step", 3'000'000, 1, 3'000},
        {"sub-microsecond remainders add up", 1'500, 1000, 4'500},
        {"a half-second stall", 500'000'000, 1, 104'500},
        {"then on as before", 2'000'000, 5, 114'500},
        {"a clock that went back", -7'000'000, 1, 114'500},
        {"a minute's chosen sleep counts whole", 60'000'000'000, 1, 60'114'500, true},
    };
    for (const Row& r : rows) {
        for (int i = 0; i < r.steps; ++i) {
            now += r.stepNs;
            clock += r.slept ? step.stepAfterSleep(now) : step.step(now);
        }
        EXPECT_EQ(clock, r.clockAfter) << r.what;
    }
    EXPECT_EQ(step.pending(now + 60'000'000), ms(60));
    EXPECT_EQ(step.pending(now + 600'000'000), RealTimeStep::kMaxStep);
}

}  // namespace
}  // namespace sky

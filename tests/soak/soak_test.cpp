// Hundreds of whole games from the menu: seeded random pilots and careful ones who win, random
// answers, boxes left open while the clock runs on, key storms, the close box, the music
// switch, sessions that quit and start again on the same progress file. The aircraft stays within
// its ranges, the keys do only what they may, every box is one the game knows, a game ends once,
// the progress moves only as the rules let it, and quitting leaves a file that reads back exactly.
// SKY_SOAK_SEED and SKY_SOAK_GAMES (games per episode) replay or lengthen a run.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "playfield/gamescreen.h"
#include "shell/progress.h"
#include "support/testfrontend.h"

namespace sky {
namespace {

namespace fs = std::filesystem;

long envNumber(const char* name, long fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

std::string num(double v) {
    return std::to_string(static_cast<long long>(v));
}

// Every box a game may show: title, style, whole text (repair offers are built from the screen).
bool knownBox(const test::Box& b, int ep, const GameScreen& g, bool& ending) {
    static const std::vector<std::tuple<int, const char*, const char*>> endings = {
        {0, "Nedostatok paliva", "Minulo sa ti palivo, ďalej už nedoletíš..."},
        {1, "Prehra", "Bohužiaľ, traja vtáci sa dostali do turbín Draviku, ktorý teraz klesá k zemi. Prehral si."},
        {1, "Výhra", "Gratulujem ti, prešiel si prvú epizódu! A teraz hurá do druhej..."},
        {2, "Prehra", "Minul si jeden maják s človekom na záchranu! Bohužiaľ prehral si."},
        {2, "Prehra", "Bol si 3 krát zasiahnutý raketou. Prehral si."},
        {2, "Prehra", "Havaroval si, teda zrazil si sa s nepriateľskou F16. Prehral si."},
        {2, "Výhra",
         "Zachránil si všetkých ľudí a teda vyhral si, gratulujem prešiel si aj druhú epizódu hry, to "
         "znamená, že si prešiel kompletne celú hru!"}};
    ending = b.style == kInformation;
    for (auto [e, title, text] : endings)
        if ((e == 0 || e == ep) && b.title == title && b.text == text && ending) return true;
    const bool both = g.score >= 40 && g.damage == 2;
    const std::string offer =
        ep == 1 ? "Máš skóre " + num(g.score) + " a si poškodený, chceš opraviť Dravik? Ale pozor oprava ti uberie " +
                      num(g.score >= 80 ? 40 * g.damage : 40) + " bodov zo skóre."
                : "Za skóre, ktoré si nahral si môžeš opraviť poškodenie Draviku, ale za opravu stratíš " +
                      std::string(both ? "40" : "20") + " bodov zo svojho skóre a dostaneš navyše " +
                      (both ? "9" : "6") + " rakiet. Chceš opraviť Dravik?";
    return b.title == "Oprava" && b.style == kQuestion && b.text == offer;
}

class Soak {
public:
    Soak(std::uint64_t seed, int games) : seed_(seed), target_(games), rnd_(seed) {}
    int games[3] = {0, 0, 0}, wins[3] = {0, 0, 0};

    void run() {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        GameProgress expected;
        readProgress((dir_ / "none").string(), expected);  // a first run's values
        while (!failed() && (games[1] < target_ || games[2] < target_)) session(expected);
        fs::remove_all(dir_);
    }

private:
    std::uint64_t seed_;
    int target_;
    Random rnd_;
    fs::path dir_ = fs::temp_directory_path() / ("skyrend-soak-" + std::to_string(::getpid()));
    std::unique_ptr<test::TestGame> t_;
    GameScreen* g_ = nullptr;
    int ep_ = 0, endings_ = 0, open_ = 0;
    bool won_ = false, ended_ = false, careful_ = false;
    GameProgress atOpen_;

    std::string path() const { return (dir_ / "new.dat").string(); }
    bool failed() const { return ::testing::Test::HasFailure(); }
    Scheduler& clock() { return t_->program.scheduler(); }
    void fail(const std::string& what) {
        if (!failed()) ADD_FAILURE() << what << " (episode " << ep_ << "; replay with SKY_SOAK_SEED=" << seed_ << ")";
    }

    // A session from the menu to quitting; sometimes on a file of the player's own making.
    void session(GameProgress& expected) {
        if (rnd_.Rnd() < 0.2) {
            static const char* unlock[] = {"True", "true", "TRUE", "False", "", " True"};
            expected = {unlock[rnd_.range(6, 0)],
                        static_cast<std::int16_t>(rnd_.range(3, 0)),
                        static_cast<std::int16_t>(rnd_.range(3, 0)),
                        static_cast<std::int16_t>(rnd_.range(321, -20)),
                        static_cast<std::int16_t>(rnd_.range(121, -20)),
                        static_cast<std::int16_t>(rnd_.range(2, 0))};
            std::ofstream(path(), std::ios::binary) << progressText(expected);
        }
        t_ = std::make_unique<test::TestGame>(path());
        t_->fe.seeds = [this] { return rnd_.next(); };
        t_->fe.onBox = [this](const test::Box& b) { return onBox(b); };
        Program& p = t_->program;
        p.showMenu();
        if (progressText(p.progress()) != progressText(expected)) return fail("the menu did not read the file");
        for (int i = rnd_.range(8, 2); i > 0 && !failed() && (games[1] < target_ || games[2] < target_); --i) {
            clock().advance(ms(rnd_.range(3000, 0)));
            if (rnd_.Rnd() < 0.2) p.menu().setCheck1(1 - p.menu().Check1Value);
            playOne();
        }
        const GameProgress held = p.progress();
        rnd_.Rnd() < 0.5 ? p.menu().Command5_Click() : p.menu().Form_Unload();
        if (!p.ended() || !t_->fe.quitCalled || t_->fe.musicLog.back() != "Close") fail("quitting did not end");
        std::ifstream f(path(), std::ios::binary);
        std::stringstream bytes;
        bytes << f.rdbuf();
        if (bytes.str() != progressText(held)) fail("the saved file is not the six lines the menu held");
        expected = held;
        t_.reset();
    }

    int onBox(const test::Box& b) {
        bool ending = false;
        if (!g_ || g_->closed()) return fail("a box with no open screen: " + b.title), kOk;
        if (!knownBox(b, ep_, *g_, ending)) return fail("unknown box \"" + b.title + "\": " + b.text), kOk;
        if (ended_) return fail("a box after the game had ended: " + b.text), kOk;
        if (progressText(t_->program.progress()) != progressText(atOpen_)) fail("the progress moved mid-game");
        if (ending && ++endings_ > ep_ + 1) fail("too many ending boxes");
        if (ending && b.title == "Výhra") won_ = true;
        ++open_;
        if (rnd_.Rnd() < 0.4) clock().advance(ms(rnd_.range(5001, 0)));  // the player leaves it open
        if (--open_ == 0 && endings_ > 0) ended_ = true;
        return b.style == kQuestion ? (rnd_.Rnd() < 0.5 ? kYes : kNo) : kOk;
    }

    void playOne() {
        Program& p = t_->program;
        ep_ = p.menu().Command2Enabled && (games[1] >= target_ || rnd_.Rnd() < 0.6) ? 2 : 1;
        static const Pace paces[] = {Pace::Nominal, Pace::Classic, Pace::Xp};
        clock().setPace(paces[rnd_.range(3, 0)]);
        atOpen_ = p.progress();
        endings_ = 0;
        won_ = ended_ = false;
        ep_ == 1 ? p.menu().Command1_Click() : p.menu().Command2_Click();
        g_ = p.screen();
        if (!g_ || p.menu().visible || t_->fe.opened - t_->fe.closed != 1) return fail("the episode did not open");
        careful_ = rnd_.Rnd() < 0.3;
        if (rnd_.Rnd() < 0.15) g_->fuel = rnd_.range(800, 50);  // running dry meets the other endings
        const Micros start = clock().now();
        while (!failed() && !g_->closed()) {
            if (clock().now() - start > ms(20 * 60 * 1000)) press(kKeyEsc);  // hovering for ever
            const double far = ep_ == 2 ? g_->findSprite("majak")->Left - g_->dravik.Left : 0;
            clock().advance(ms(rnd_.range(careful_ ? (far > 900 || ep_ == 1 ? 400 : 25) : 300, 0)));
            if (g_->closed()) break;
            check("between keys");
            if (p.screen() != g_ || p.menu().visible) fail("the open screens are muddled");
            if (endings_ > 0) fail("a game went on after its ending");
            const double r = rnd_.Rnd();
            if (r < 0.004) {
                for (int i = 0; i < 200 && !g_->closed(); ++i) press(randomKey());  // a key storm
            } else if (r < 0.0042) {
                g_->Unload();  // the close box
            } else if (careful_) {
                steer();
            } else {
                press(rnd_.Rnd() < 0.0015 ? kKeyEsc : randomKey());
            }
        }
        if (failed()) return;
        ++games[ep_];
        wins[ep_] += won_;
        if (p.screen() || t_->fe.opened != t_->fe.closed || !p.menu().visible) return fail("the menu is not back");
        GameProgress want = atOpen_;
        std::int16_t& best = ep_ == 1 ? want.ep1BestScore : want.ep2BestScore;
        if (g_->score > best) best = static_cast<std::int16_t>(std::min(g_->score, 32767.0));
        if (won_ && ep_ == 1) want.ep1Passed = 1, want.ep2Unlocked = "True";
        if (won_ && ep_ == 2) want.ep2Passed = 1;
        if (progressText(p.progress()) != progressText(want))
            fail("the progress after a game of score " + num(g_->score));
        p.collect();
        g_ = nullptr;
    }

    int randomKey() {
        static const int keys[] = {kKeyUp, kKeyUp, kKeyDown, kKeyDown, kKeyLeft, kKeyRight, kKeySpace, kKeySpace};
        static const int odd[] = {0, -1, 13, 65, 112, 255, 256, INT_MAX, INT_MIN};
        return rnd_.Rnd() < 0.1 ? odd[rnd_.range(9, 0)] : keys[rnd_.range(8, 0)];
    }

    void holdHeight(double top) {
        const double d = g_->dravik.Top - top;
        const double want = d > 40 ? 2 : d > 8 ? 1 : d < -40 ? -2 : d < -8 ? -1 : 0;
        press(g_->tilt < want ? kKeyUp : g_->tilt > want ? kKeyDown : 0);
    }

    // A careful pilot: low on the ground line in episode 1, bombing now and then; in episode 2
    // stopping over each lighthouse until its person is aboard.
    void steer() {
        if (ep_ == 1) return press(rnd_.Rnd() < 0.75 ? kKeyDown : kKeySpace);
        const Sprite& majak = *g_->findSprite("majak");
        const bool over = majak.Left + 9 >= g_->dravik.Left && g_->dravik.Left + 84 >= majak.Left;
        if (g_->dravik.Top < 345) return holdHeight(360);
        if (over && g_->speed > 0) press(kKeyLeft);
        if (!over && g_->speed < 7) press(kKeyRight);
        if (rnd_.Rnd() < 0.1) press(kKeySpace);
    }

    // One key, and what it may do to the speed, the burn and the climb rate.
    void press(int key) {
        if (g_->closed()) return;
        const double speed = g_->speed, burn = g_->fuelBurn, landing = g_->landingMode;
        g_->Form_KeyDown(key);
        if (key == kKeyEsc && !g_->closed()) return fail("Esc did not close the screen");
        if (g_->closed()) return;
        check("after key " + std::to_string(key));
        double want = speed;
        if (key == kKeyLeft && landing == 0 && speed > (ep_ == 1 ? 7 : 0)) want = speed - 1;
        if (key == kKeyRight && landing == 0 && speed < g_->maxSpeed) want = speed + 1;
        if (g_->speed != want || g_->fuelBurn != burn + (want - speed) / 2)
            fail("key " + std::to_string(key) + " took the speed from " + num(speed) + " to " + num(g_->speed));
        static const double climb[] = {-10, -7, -5, -2, 0, 2, 5, 7, 10};
        if (key != kKeySpace && g_->climbRate != climb[static_cast<int>(g_->tilt) + 4])
            fail("climb rate " + std::to_string(g_->climbRate) + " at tilt " + num(g_->tilt));
    }

    void check(const std::string& when) {
        const GameScreen& g = *g_;
        if (!(g.tilt >= -4 && g.tilt <= 4 && g.tilt == std::floor(g.tilt) && g.speed >= 0 && g.bombs >= 0 &&
              g.damage >= 0 && g.damage <= 3 && std::isfinite(g.dravik.Top) && std::isfinite(g.fuel)))
            fail("out of range " + when + ": tilt " + num(g.tilt) + " speed " + num(g.speed));
        if (g.dom1.Picture == g.dom2.Picture) fail("the two houses look alike");
    }
};

TEST(Soak, WholeGamesOfBothEpisodesKeepTheirRulesAndTheProgressFile) {
    const auto seed = static_cast<std::uint64_t>(envNumber("SKY_SOAK_SEED", 20260601));
    const int games = static_cast<int>(envNumber("SKY_SOAK_GAMES", 200));
    Soak soak(seed, games);
    soak.run();
    std::cout << "seed " << seed << ": " << soak.games[1] << " + " << soak.games[2] << " games, " << soak.wins[1]
              << " + " << soak.wins[2] << " won\n";
    EXPECT_GT(soak.wins[1], 0);  // the careful pilots really reach both victories
    EXPECT_GT(soak.wins[2], 0);
}

}  // namespace
}  // namespace sky

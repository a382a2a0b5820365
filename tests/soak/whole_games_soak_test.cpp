// Hundreds of whole games from the menu: seeded random pilots and a few careful ones who win,
// random answers to every box, boxes left open while the clock runs on, pauses, key storms, the
// window's close box, the music switch, sessions that quit and start again on the same progress
// file. Whatever happens the aircraft stays within its ranges, one screen is open at a time,
// every box is one the game knows, each game ends once, the progress moves only as the game's
// rules let it, and quitting leaves a file that reads back to exactly what the menu held.
//
// SKY_SOAK_SEED and SKY_SOAK_GAMES (games per episode) replay or lengthen a run.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "game/screens.h"
#include "playfield/gamescreen.h"
#include "runtime/random.h"
#include "shell/frontend.h"
#include "shell/menu.h"
#include "shell/program.h"
#include "shell/progress.h"

namespace sky {
namespace {

namespace fs = std::filesystem;

// Per episode. The sanitizer build plays the same games in a few times the time, well within a
// minute.
constexpr int kDefaultGames = 200;

long envNumber(const char* name, long fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

// The boxes a game can show. Each ending comes from one handler; a handler shows at most one
// ending per screen, since it cannot run again while its box is open and the screen is closed
// once the box is dismissed.
enum class Kind { FuelOut, Birds, Win1, Repair1, Lighthouse, Missiles, Crash, Win2, Repair2 };
enum Source { kDashboard, kCollisions, kLanding, kScroll };

struct KnownBox {
    Kind kind;
    int episode;  // 0: both
    Source source;
    bool ending;
    const char* title;
    int style;
    const char* text;  // the whole text, or its first part for the repair offers
};

const KnownBox kBoxes[] = {
    {Kind::FuelOut, 0, kDashboard, true, "Nedostatok paliva", kInformation,
     "Minulo sa ti palivo, ďalej už nedoletíš..."},
    {Kind::Birds, 1, kCollisions, true, "Prehra", kInformation,
     "Bohužiaľ, traja vtáci sa dostali do turbín Draviku, ktorý teraz klesá k zemi. Prehral si."},
    {Kind::Win1, 1, kLanding, true, "Výhra", kInformation,
     "Gratulujem ti, prešiel si prvú epizódu! A teraz hurá do druhej..."},
    {Kind::Repair1, 1, kLanding, false, "Oprava", kQuestion, "Máš skóre "},
    {Kind::Lighthouse, 2, kScroll, true, "Prehra", kInformation,
     "Minul si jeden maják s človekom na záchranu! Bohužiaľ prehral si."},
    {Kind::Missiles, 2, kCollisions, true, "Prehra", kInformation, "Bol si 3 krát zasiahnutý raketou. Prehral si."},
    {Kind::Crash, 2, kCollisions, true, "Prehra", kInformation,
     "Havaroval si, teda zrazil si sa s nepriateľskou F16. Prehral si."},
    {Kind::Win2, 2, kCollisions, true, "Výhra", kInformation,
     "Zachránil si všetkých ľudí a teda vyhral si, gratulujem prešiel si aj druhú epizódu hry, to znamená, že si "
     "prešiel kompletne celú hru!"},
    {Kind::Repair2, 2, kCollisions, false, "Oprava", kQuestion,
     "Za skóre, ktoré si nahral si môžeš opraviť poškodenie Draviku, ale za opravu stratíš "},
};

std::string num(double v) {
    return std::to_string(static_cast<long long>(v));
}

// The repair offer's exact text for the screen as it stands when the box opens.
std::string repairText(int episode, const GameScreen& g) {
    if (episode == 1) {
        const double price = g.score >= 80 ? 40 * g.damage : 40;
        return "Máš skóre " + num(g.score) + " a si poškodený, chceš opraviť Dravik? Ale pozor oprava ti uberie " +
               num(price) + " bodov zo skóre.";
    }
    const bool both = g.score >= 40 && g.damage == 2;
    return std::string(kBoxes[8].text) + (both ? "40" : "20") + " bodov zo svojho skóre a dostaneš navyše " +
           (both ? "9" : "6") + " rakiet. Chceš opraviť Dravik?";
}

bool sameProgress(const GameProgress& a, const GameProgress& b) {
    return progressText(a) == progressText(b);
}

std::string show(const GameProgress& p) {
    std::string s = progressText(p);
    for (auto at = s.find("\r\n"); at != std::string::npos; at = s.find("\r\n")) s.replace(at, 2, " | ");
    return s;
}

// One game screen from its opening to its closing.
struct Game {
    GameScreen* screen = nullptr;
    int episode = 0;
    GameProgress atOpen;
    std::vector<Kind> endings;
    std::set<int> endingSources;
    int openEndings = 0;  // ending boxes of this screen still open
    bool endingDismissed = false;
    bool won = false;
    bool guided = false;
    bool hunter = false;  // a careful pilot who also bombs or hunts
};

struct Totals {
    int games[3] = {0, 0, 0}, wins[3] = {0, 0, 0}, guided[3] = {0, 0, 0};
    long long keys = 0, storms = 0, pauses = 0, closeBoxes = 0, escapes = 0, capped = 0;
    long long boxes = 0, heldBoxes = 0, repairsOffered = 0, collisions = 0, sessions = 0, musicSwitches = 0;
    int maxEndings[3] = {0, 0, 0};
    double simSeconds = 0;
    std::map<std::string, int> endingsSeen;
};

const char* kindName(Kind k) {
    static const char* names[] = {"fuel out", "birds",     "win 1", "repair 1", "lighthouse",
                                  "missiles", "F16 crash", "win 2", "repair 2"};
    return names[static_cast<int>(k)];
}

class Soak;

class SoakFrontEnd : public FrontEnd {
public:
    explicit SoakFrontEnd(Soak& s) : soak_(s) {}
    int messageBox(const std::string& text, const std::string& title, int style) override;
    void music(const std::string& c) override { lastMusic = c; }
    void showMenu() override;
    void hideMenu() override { menuShown = false; }
    void screenOpened(GameScreen&) override { ++opened; }
    void screenClosed(GameScreen&) override { ++closed; }
    std::uint64_t clockSeed() override;
    void quit() override { quitCalled = true; }

    Program* program = nullptr;
    bool menuShown = false, quitCalled = false;
    int opened = 0, closed = 0;
    std::string lastMusic;

private:
    Soak& soak_;
};

class Soak {
public:
    Soak(std::uint64_t seed, int gamesPerEpisode, fs::path dir)
        : seed_(seed), target_(gamesPerEpisode), dir_(std::move(dir)), rnd_(seed) {}

    Totals totals;

    void run() {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        GameProgress expected;  // what the next session's first activation must read
        bool fileExpected = false;
        while (!failed() && (totals.games[1] < target_ || totals.games[2] < target_)) {
            prepareFile(expected, fileExpected);
            session(expected);
            fileExpected = true;
        }
        fs::remove_all(dir_);
    }

    // A box opened by the game: which one it is, whether it may appear now, how it is answered.
    int onBox(const std::string& text, const std::string& title, int style) {
        ++totals.boxes;
        GameScreen* g = p_->screen();
        if (!g || !game_ || g != game_->screen || g->closed())
            return refuse("a box \"" + title + "\" appeared with no open game screen to show it");
        checkScreen(*g, "when the box \"" + title + "\" opened");
        const KnownBox* known = nullptr;
        for (const KnownBox& k : kBoxes) {
            if (k.title != title || k.style != style || (k.episode != 0 && k.episode != game_->episode)) continue;
            const bool repair = k.kind == Kind::Repair1 || k.kind == Kind::Repair2;
            if (repair ? text == repairText(game_->episode, *g) : text == k.text) known = &k;
        }
        if (!known)
            return refuse("unknown box on episode " + std::to_string(game_->episode) + ": \"" + title + "\" style " +
                          std::to_string(style) + " \"" + text + "\"");
        if (game_->endingDismissed) return refuse(std::string("a box after the game had ended: ") + title);
        if (!sameProgress(p_->progress(), game_->atOpen))
            return refuse("the progress changed during a game, before its end: " + show(p_->progress()));
        const int ep = game_->episode;
        if (known->ending) {
            if (!game_->endingSources.insert(known->source).second)
                return refuse(std::string("a second ending from the same handler: ") + kindName(known->kind));
            // A won landing is not made while the episode is being lost, nor lost on the ground.
            if (ep == 1 && !game_->endings.empty() && (known->kind == Kind::Win1 || game_->won))
                return refuse("episode 1 won and lost at once");
            game_->endings.push_back(known->kind);
            if (game_->endings.size() > 1) ++totals.collisions;
            totals.maxEndings[ep] = std::max<int>(totals.maxEndings[ep], static_cast<int>(game_->endings.size()));
            ++totals.endingsSeen[std::string(game_->guided ? "careful, " : "") + kindName(known->kind)];
            if (known->kind == Kind::Win1 || known->kind == Kind::Win2) game_->won = true;
            ++game_->openEndings;
        } else {
            ++totals.repairsOffered;
        }
        trace("box " + std::string(kindName(known->kind)));

        const int answer = style == kQuestion ? (rnd_.Rnd() < 0.5 ? kYes : kNo) : kOk;
        if (rnd_.Rnd() < (known->ending ? 0.5 : 0.3)) {
            // The player leaves the box open; the clock and the other timers run on.
            ++totals.heldBoxes;
            Micros left = ms(rnd_.range(5001, 0));
            while (left > 0 && !failed()) {
                const Micros step = std::min<Micros>(left, ms(rnd_.range(400, 1)));
                p_->scheduler().advance(step);
                left -= step;
                if (!g->closed()) checkScreen(*g, "while a box was open");
            }
        }
        if (known->ending) {
            --game_->openEndings;
            if (game_->openEndings == 0) game_->endingDismissed = true;
        }
        return answer;
    }

    std::uint64_t nextClockSeed() { return rnd_.next(); }
    Program* program() { return p_.get(); }

private:
    std::uint64_t seed_;
    int target_;
    fs::path dir_;
    Random rnd_;
    std::unique_ptr<SoakFrontEnd> fe_;
    std::unique_ptr<Program> p_;
    std::unique_ptr<Game> game_;
    std::deque<std::string> recent_;
    std::string failure_;
    int sessionNo_ = 0, gameNo_ = 0;

    std::string path() const { return (dir_ / "new.dat").string(); }
    bool failed() const { return !failure_.empty(); }

    void trace(const std::string& what) {
        recent_.push_back(std::to_string(p_ ? p_->scheduler().now() / 1000 : 0) + "ms " + what);
        if (recent_.size() > 25) recent_.pop_front();
    }

    int refuse(const std::string& what) {
        fail(what);
        return kOk;
    }

    void fail(const std::string& what) {
        if (failed()) return;
        failure_ = what;
        std::string log;
        for (const std::string& r : recent_) log += "\n    " + r;
        ADD_FAILURE() << what << "\n  seed " << seed_ << ", session " << sessionNo_ << ", game " << gameNo_
                      << (game_ ? ", episode " + std::to_string(game_->episode) : std::string())
                      << "\n  (replay: SKY_SOAK_SEED=" << seed_ << ")\n  last events:" << log;
    }

    // The file the next session starts from: the last one's, none at all, or one of the player's
    // making (odd spellings of the unlock text included).
    void prepareFile(GameProgress& expected, bool fileExpected) {
        const double r = rnd_.Rnd();
        if (!fileExpected || r < 0.12) {
            fs::remove(path());
            readProgress((dir_ / "none").string(), expected);  // the fresh-start values
        } else if (r < 0.3) {
            static const char* unlock[] = {"True", "true", "TRUE", "False", "", " True", "tRuE"};
            expected.ep2Unlocked = unlock[rnd_.range(7, 0)];
            expected.ep1Passed = static_cast<std::int16_t>(rnd_.range(3, 0));
            expected.ep2Passed = static_cast<std::int16_t>(rnd_.range(3, 0));
            expected.ep1BestScore = static_cast<std::int16_t>(rnd_.range(321, -20));
            expected.ep2BestScore = static_cast<std::int16_t>(rnd_.range(121, -20));
            expected.musicOn = static_cast<std::int16_t>(rnd_.range(2, 0));
            std::ofstream(path(), std::ios::binary) << progressText(expected);
        }
    }

    void session(GameProgress& expected) {
        ++sessionNo_;
        ++totals.sessions;
        fe_ = std::make_unique<SoakFrontEnd>(*this);
        p_ = std::make_unique<Program>(*fe_, gameScreens(), path());
        fe_->program = p_.get();
        p_->showMenu();
        if (!sameProgress(p_->progress(), expected))
            return fail("the menu read " + show(p_->progress()) + " from the file, expected " + show(expected));
        const int games = rnd_.range(12, 4);
        for (int i = 0; i < games && !failed(); ++i) {
            menuIdle();
            if (failed()) return;
            playOne();
            if (totals.games[1] >= target_ && totals.games[2] >= target_) break;
        }
        if (failed()) return;
        menuIdle();
        quit();
        expected = p_->progress();
        p_.reset();
        fe_.reset();
    }

    // At the menu: time passes, the music is switched, a disabled button is tried.
    void menuIdle() {
        Menu& m = p_->menu();
        if (!m.visible || !fe_->menuShown) return fail("the menu is not shown between games");
        if (p_->screen()) return fail("a game screen is open while the menu is shown");
        p_->scheduler().advance(ms(rnd_.range(3000, 0)));
        if (rnd_.Rnd() < 0.2) {
            GameProgress before = p_->progress();
            m.setCheck1(1 - m.Check1Value);
            ++totals.musicSwitches;
            before.musicOn = static_cast<std::int16_t>(m.Check1Value);
            if (!sameProgress(before, p_->progress())) return fail("the music switch changed more than musicOn");
        }
        if (!m.Command2Enabled && rnd_.Rnd() < 0.3) {
            m.Command2_Click();
            if (p_->screen() || fe_->opened != fe_->closed) return fail("a disabled episode 2 button opened a screen");
        }
        const GameProgress& g = p_->progress();
        if (m.Label2 != "Naj skóre: " + std::to_string(g.ep1BestScore) ||
            m.Label4 != "Naj skóre: " + std::to_string(g.ep2BestScore))
            fail("the menu's best scores do not show the progress");
    }

    void quit() {
        const GameProgress held = p_->progress();
        rnd_.Rnd() < 0.5 ? p_->menu().Command5_Click() : p_->menu().Form_Unload();
        if (!p_->ended() || !fe_->quitCalled || fe_->lastMusic != "Close")
            return fail("quitting from the menu did not end the program");
        GameProgress back;
        if (readProgress(path(), back) != ReadResult::Read || !sameProgress(back, held))
            return fail("the saved file reads back as " + show(back) + ", the menu held " + show(held));
        std::ifstream f(path(), std::ios::binary);
        std::stringstream bytes;
        bytes << f.rdbuf();
        if (bytes.str() != progressText(held)) fail("the saved file is not the six lines of the progress");
        if (fs::exists(path() + ".tmp")) fail("the temporary file was left beside the progress file");
    }

    void playOne() {
        Menu& m = p_->menu();
        const bool canTwo = m.Command2Enabled;
        int ep = 1;
        if (canTwo && totals.games[2] < target_) ep = (totals.games[1] >= target_ || rnd_.Rnd() < 0.6) ? 2 : 1;
        static const Pace paces[] = {Pace::Nominal, Pace::Classic, Pace::Xp};
        p_->scheduler().setPace(paces[rnd_.range(3, 0)]);
        game_ = std::make_unique<Game>();
        game_->episode = ep;
        game_->atOpen = p_->progress();
        ++gameNo_;
        ep == 1 ? m.Command1_Click() : m.Command2_Click();
        GameScreen* g = p_->screen();
        if (!g || g->name() != (ep == 1 ? "Form1" : "Form2")) return fail("the episode button opened no screen");
        if (m.visible || fe_->menuShown) return fail("the menu stays shown over a game");
        if (fe_->opened - fe_->closed != 1) return fail("more than one game screen is open");
        game_->screen = g;
        trace("open Form" + std::to_string(ep) + " seed " + std::to_string(p_->lastSeed()));
        const bool guided = rnd_.Rnd() < 0.3;
        if (guided) ++totals.guided[ep];
        game_->guided = guided;
        game_->hunter = guided && rnd_.Rnd() < 0.5;
        if (rnd_.Rnd() < 0.15) {
            // Short of fuel from the start, so that running dry meets the other endings.
            g->fuel = rnd_.range(800, 50);
            trace("fuel " + num(g->fuel));
        }
        const Micros start = p_->scheduler().now();

        while (!failed() && !g->closed()) {
            if (p_->scheduler().now() - start > ms(20 * 60 * 1000)) {
                ++totals.capped;  // a pilot hovering for ever: twenty minutes is enough
                press(*g, kKeyEsc);
                break;
            }
            const double far = g->name() == "Form2" ? g->findSprite("majak")->Left - g->dravik.Left : 0;
            const int maxStep = guided ? (far > 900 || ep == 1 ? 400 : 25) : (rnd_.Rnd() < 0.05 ? 5000 : 300);
            p_->scheduler().advance(ms(rnd_.range(maxStep, 0)));
            if (g->closed() || failed()) break;
            checkScreen(*g, "between key presses");
            checkGameOpen(*g);
            const double r = rnd_.Rnd();
            if (r < 0.004) {
                ++totals.storms;  // the keyboard jams: two hundred presses in one instant
                trace("key storm");
                for (int i = 0; i < 200 && !g->closed() && !failed(); ++i) press(*g, randomKey(0));
            } else if (r < 0.006) {
                pause(*g);
            } else if (r < (guided ? 0.00605 : 0.0065)) {
                ++totals.closeBoxes;
                trace("close box");
                g->Unload();
                if (!g->closed()) fail("the close box did not close the screen");
            } else if (guided) {
                steer(*g, ep);
            } else {
                const int n = rnd_.Rnd() < 0.1 ? rnd_.range(8, 2) : 1;
                for (int i = 0; i < n && !g->closed() && !failed(); ++i) press(*g, randomKey(0.0015));
            }
        }
        if (failed()) return;
        totals.simSeconds += static_cast<double>(p_->scheduler().now() - start) / 1e6;
        ended(*g);
        p_->collect();
    }

    int randomKey(double escChance) {
        if (rnd_.Rnd() < escChance) return kKeyEsc;
        static const int keys[] = {kKeyUp, kKeyUp, kKeyDown, kKeyDown, kKeyLeft, kKeyRight, kKeySpace, kKeySpace};
        if (rnd_.Rnd() < 0.15) {
            static const int odd[] = {0, -1, 13, 65, 112, 255, 256, 65535, INT_MAX, INT_MIN};
            const int k = rnd_.Rnd() < 0.5 ? odd[rnd_.range(10, 0)] : rnd_.range(256, 0);
            return k == kKeyEsc ? 0 : k;
        }
        return keys[rnd_.range(8, 0)];
    }

    // Holds the aircraft near a height with the least tilt that gets it there.
    void holdHeight(GameScreen& g, double top) {
        const double d = g.dravik.Top - top;  // > 0: too low
        const double want = d > 40 ? 2 : d > 8 ? 1 : d < -40 ? -2 : d < -8 ? -1 : 0;
        if (g.tilt < want) press(g, kKeyUp);
        if (g.tilt > want) press(g, kKeyDown);
    }

    // A careful pilot. The low one stays on the ground, where no bird flies; the bomber keeps the
    // height from which bombs hit houses and lands at every airport. In episode 2 both stop over
    // each lighthouse until its person is aboard; the hunter goes after the F16 between them.
    void steer(GameScreen& g, int ep) {
        if (rnd_.Rnd() < 0.1) return press(g, randomKey(0));
        if (ep == 1) {
            if (!game_->hunter) return press(g, rnd_.Rnd() < 0.75 ? kKeyDown : kKeySpace);
            if (g.landingMode != 0 || g.getVar("onAirport") != 0) return holdHeight(g, 360);
            holdHeight(g, 300);
            return press(g, kKeySpace);
        }
        const Sprite& majak = *g.findSprite("majak");
        const Sprite& f16 = *g.findSprite("f16");
        const bool over = majak.Left + 9 >= g.dravik.Left && g.dravik.Left + 84 >= majak.Left;
        if (game_->hunter && majak.Left - g.dravik.Left > 1500) {
            if (g.speed < 5) press(g, kKeyRight);
            holdHeight(g, f16.Top - 10);
            return press(g, kKeySpace);
        }
        if (g.dravik.Top < 345) return holdHeight(g, 360);
        if (over && g.speed > 0) {
            for (int i = 0; i < 15 && !g.closed(); ++i) press(g, kKeyLeft);
        } else if (!over && g.speed < 7) {
            for (int i = 0; i < 8 && !g.closed(); ++i) press(g, kKeyRight);
        } else if (rnd_.Rnd() < 0.3) {
            press(g, kKeySpace);
        }
    }

    // One key press, with what the pilot's keys may and may not do.
    void press(GameScreen& g, int key) {
        ++totals.keys;
        const double speed = g.speed, fuelBurn = g.fuelBurn, landing = g.landingMode, maxSpeed = g.maxSpeed;
        const double floor = game_->episode == 1 ? 7 : 0;
        if (key == kKeyEsc) {
            ++totals.escapes;
            trace("Esc");
        }
        g.Form_KeyDown(key);
        if (key == kKeyEsc && !g.closed()) return fail("Esc did not close the screen");
        if (g.closed()) return;
        checkScreen(g, "after key " + std::to_string(key));
        double want = speed;
        if (key == kKeyLeft && landing == 0 && speed > floor) want = speed - 1;
        if (key == kKeyRight && landing == 0 && speed < maxSpeed) want = speed + 1;
        if (g.speed != want || g.fuelBurn != fuelBurn + (want - speed) / 2)
            fail("key " + std::to_string(key) + " took the speed from " + num(speed) + " to " +
                 std::to_string(g.speed) + " (fuel burn " + std::to_string(fuelBurn) + " -> " +
                 std::to_string(g.fuelBurn) + "), landingMode " + num(landing));
        if (key == kKeyLeft && landing == 0 && speed >= floor && g.speed < floor) fail("Left went below the floor");
    }

    // The player's pause: the screen stands still however long it lasts, and goes on afterwards.
    void pause(GameScreen& g) {
        ++totals.pauses;
        trace("pause");
        auto snapshot = [&] {
            std::ostringstream s;
            for (const std::string& v : g.varNames()) s << v << '=' << g.getVar(v) << ' ';
            for (const Sprite& sp : g.sprites()) s << sp.Left << ',' << sp.Top << ',' << sp.Visible << ' ';
            return s.str();
        };
        const std::string before = snapshot();
        g.setPaused(true);
        p_->scheduler().advance(ms(rnd_.range(4000, 1)));
        if (snapshot() != before) fail("a paused screen moved");
        g.setPaused(false);
        if (g.paused()) fail("the screen did not resume");
    }

    void checkScreen(const GameScreen& g, const std::string& when) {
        if (failed()) return;
        const bool ok = g.tilt >= -4 && g.tilt <= 4 && g.tilt == std::floor(g.tilt) && g.speed >= 0 && g.bombs >= 0 &&
                        g.damage >= 0 && g.damage <= 3 && g.damage == std::floor(g.damage) &&
                        std::isfinite(g.dravik.Top) && std::isfinite(g.fuel);
        if (!ok)
            fail("out of range " + when + ": tilt " + std::to_string(g.tilt) + " speed " + std::to_string(g.speed) +
                 " bombs " + std::to_string(g.bombs) + " damage " + std::to_string(g.damage) + " top " +
                 std::to_string(g.dravik.Top));
    }

    // Between presses, with no box open: the one screen is the program's, the menu is hidden and
    // the progress is what it was when the game began.
    void checkGameOpen(const GameScreen& g) {
        if (failed()) return;
        if (p_->screen() != &g || fe_->opened - fe_->closed != 1 || p_->menu().visible)
            return fail("the open screens are muddled");
        if (p_->scheduler().depth() != 0 || game_->openEndings != 0) return fail("a box is still counted open");
        if (!game_->endings.empty()) return fail("a game went on after its ending box was dismissed");
        if (!sameProgress(p_->progress(), game_->atOpen)) fail("the progress changed during a game");
    }

    // The game is over: the menu is back and the progress moved only as far as the rules say.
    void ended(const GameScreen& g) {
        const int ep = game_->episode;
        ++totals.games[ep];
        if (game_->won) ++totals.wins[ep];
        if (p_->screen() || fe_->opened != fe_->closed) return fail("the screen did not close");
        if (!p_->menu().visible || !fe_->menuShown) return fail("the menu did not come back");
        if (game_->openEndings != 0) return fail("an ending box is still open after the game");
        const int bound = ep == 1 ? 2 : 3;
        if (static_cast<int>(game_->endings.size()) > bound) return fail("too many ending boxes");
        GameProgress want = game_->atOpen;
        std::int16_t& best = ep == 1 ? want.ep1BestScore : want.ep2BestScore;
        if (g.score > best) best = static_cast<std::int16_t>(std::min(g.score, 32767.0));
        if (game_->won && ep == 1) {
            want.ep1Passed = 1;
            want.ep2Unlocked = "True";
        }
        if (game_->won && ep == 2) want.ep2Passed = 1;
        if (!sameProgress(p_->progress(), want))
            fail("after a game of episode " + std::to_string(ep) + " with score " + num(g.score) +
                 (game_->won ? " (won)" : "") + " the progress is " + show(p_->progress()) + ", expected " +
                 show(want));
        trace("closed, score " + num(g.score));
    }
};

int SoakFrontEnd::messageBox(const std::string& text, const std::string& title, int style) {
    return soak_.onBox(text, title, style);
}
void SoakFrontEnd::showMenu() {
    menuShown = true;
    program->menu().Form_Activate();
}
std::uint64_t SoakFrontEnd::clockSeed() {
    return soak_.nextClockSeed();
}

TEST(WholeGameSoak, BothEpisodesFromTheMenuKeepTheirRulesAndTheProgressFile) {
    const auto seed = static_cast<std::uint64_t>(envNumber("SKY_SOAK_SEED", 20260601));
    const int games = static_cast<int>(envNumber("SKY_SOAK_GAMES", kDefaultGames));
    std::cout << "soak seed " << seed << ", " << games << " games per episode\n";
    const auto t0 = std::chrono::steady_clock::now();
    Soak soak(seed, games, fs::temp_directory_path() / ("skyrend-soak-" + std::to_string(::getpid())));
    soak.run();
    const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const Totals& t = soak.totals;
    std::cout << "games " << t.games[1] << " + " << t.games[2] << " (careful pilots " << t.guided[1] << " + "
              << t.guided[2] << "), wins " << t.wins[1] << " + " << t.wins[2] << ", sessions " << t.sessions
              << "\nkeys " << t.keys << " (storms " << t.storms << ", Esc " << t.escapes << "), close boxes "
              << t.closeBoxes << ", pauses " << t.pauses << ", capped " << t.capped << ", music switches "
              << t.musicSwitches << "\nboxes " << t.boxes << " (held open " << t.heldBoxes << ", repairs offered "
              << t.repairsOffered << "), endings at once " << t.collisions << ", most per screen " << t.maxEndings[1]
              << " / " << t.maxEndings[2] << "\nsimulated " << t.simSeconds / 60 << " min in " << secs << " s\n";
    for (const auto& [k, n] : t.endingsSeen) std::cout << "  " << k << ": " << n << "\n";
    if (::testing::Test::HasFailure()) return;
    // The soak must really have reached the endings it is there to check.
    EXPECT_GE(t.games[1], games);
    EXPECT_GE(t.games[2], games);
    EXPECT_GT(t.wins[1], 0);
    EXPECT_GT(t.wins[2], 0);
}

}  // namespace
}  // namespace sky

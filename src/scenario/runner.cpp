// The scenario runner.
#include "scenario/runner.h"
#include "game/screens.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <deque>
#include <iostream>
#include <limits>
#include <optional>
#include <set>
#include <sstream>
#include <vector>

#include "episode1/form1.h"
#include "episode2/form2.h"
#include "game/input.h"
#include "runtime/numtext.h"
#include "runtime/quote.h"
#include "shell/filelock.h"
#include "shell/infile.h"
#include "shell/menu.h"
#include "shell/program.h"

namespace sky {

namespace {

struct Answer {
    int value;
    long long afterMs;
};

// A front end that logs what the game shows and answers its message boxes from a queue.
class ScenarioFrontEnd : public FrontEnd {
public:
    explicit ScenarioFrontEnd(std::ostream& out) : out_(out) {}
    Program* program = nullptr;
    std::deque<Answer> answers;
    std::string message, messageTitle, musicLog;
    std::vector<std::string> cues;  // heard and not yet expected
    int messages = 0;
    bool quitRequested = false;

    int messageBox(const std::string& text, const std::string& title, int style) override {
        ++messages;
        message = text;
        messageTitle = title;
        Answer a{style == kQuestion ? kNo : kOk, 0};
        if (!answers.empty()) {
            a = answers.front();
            answers.pop_front();
        }
        const char* word = answerWord(a.value);
        out_ << "message " << title << " | " << text << " | " << style << " -> " << word << "\n";
        // The box stays open while the clock runs on and the other timers fire.
        if (a.afterMs > 0) program->scheduler().advance(ms(a.afterMs));
        return a.value;
    }
    void music(const std::string& c) override {
        musicLog += (musicLog.empty() ? "" : ",") + c;
        out_ << "music " << c << "\n";
    }
    void cue(Cue c) override {
        out_ << "cue " << cueName(c) << "\n";
        cues.emplace_back(cueName(c));
    }
    void showMenu() override { program->menu().Form_Activate(); }
    void hideMenu() override {}
    void screenClosed(GameScreen& s) override { out_ << "closed " << s.name() << "\n"; }
    std::uint64_t clockSeed() override {
        return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
               static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    }
    void quit() override { quitRequested = true; }

private:
    std::ostream& out_;
};

// Splits a line into blank-separated words; a word in double quotes may hold blanks.
bool splitWords(const std::string& line, std::vector<std::string>& words) {
    words.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        if (i >= line.size()) break;
        std::string w;
        if (line[i] == '"') {
            std::size_t end = line.find('"', i + 1);
            if (end == std::string::npos) return false;
            w = line.substr(i + 1, end - i - 1);
            i = end + 1;
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') w += line[i++];
        }
        words.push_back(w);
    }
    return true;
}

// The longest scenario file read: far beyond any hand-written one.
constexpr std::size_t kLongestScenario = 1 << 20;

// The largest value a scenario may give a position or a variable, and the longest stretch of
// clock one line may run (as long as the longest recorded game), the most ticks one line may fire.
constexpr double kLargest = 1e9;
constexpr double kLongestRunMs = 24.0 * 3600 * 1000;
constexpr double kMostFires = 1e4;

// A number of the file: finite and within lo..hi (whole where a count or a seed is meant);
// anything else is a line the runner cannot understand.
std::optional<double> number(const std::string& s, double lo = -kLargest, double hi = kLargest, bool whole = false) {
    const std::optional<double> v = parseNumber(s);
    if (!v || !(*v >= lo && *v <= hi) || (whole && *v != std::floor(*v))) return std::nullopt;
    return v;
}

std::string boolText(bool b) {
    return b ? "True" : "False";
}

std::string hex6(Rgb c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%06X", static_cast<unsigned>(c & 0xFFFFFF));
    return buf;
}

// Every name a scenario may use on a game screen, taken from the screens themselves.
struct KnownNames {
    std::set<std::string> vars, sprites, labels, shapes, lines, timers;
};

class NullFrontEnd : public FrontEnd {
public:
    int messageBox(const std::string&, const std::string&, int) override { return kOk; }
    void music(const std::string&) override {}
    void showMenu() override {}
    void hideMenu() override {}
    std::uint64_t clockSeed() override { return 0; }
    void quit() override {}
};

const KnownNames& knownNames() {
    static const KnownNames names = [] {
        KnownNames k;
        NullFrontEnd fe;
        Program p(fe, gameScreens(), "/nonexistent/new.dat");
        for (GameScreen* s : {&p.openForm1(), &p.openForm2()}) {
            for (auto& v : s->varNames()) k.vars.insert(v);
            for (auto& x : s->sprites()) k.sprites.insert(x.name);
            for (auto& x : s->labels()) k.labels.insert(x.name);
            for (auto& x : s->shapes()) k.shapes.insert(x.name);
            for (auto& x : s->lines()) k.lines.insert(x.name);
            for (auto& x : s->timers()) k.timers.insert(x.name());
        }
        return k;
    }();
    return names;
}

class Runner {
public:
    Runner(const std::string& file, std::ostream& out, std::ostream& err)
        : file_(quoted(file, 160)), out_(out), err_(err), fe_(out), program_(fe_, gameScreens()) {
        fe_.program = &program_;
    }

    int run(const std::string& text) {
        std::istringstream in(text);
        std::string line;
        int failed = 0;
        for (lineNo_ = 1; std::getline(in, line); ++lineNo_) {
            std::vector<std::string> w;
            if (!splitWords(line, w)) return bad("unterminated quote");
            if (w.empty() || w[0][0] == '#') continue;
            int r = command(w);
            program_.collect();
            if (r == 2) return 2;
            if (r == 1) failed = 1;
            if (done_) break;
        }
        return failed;
    }

private:
    std::string file_;
    std::ostream& out_;
    std::ostream& err_;
    ScenarioFrontEnd fe_;
    Program program_;
    int lineNo_ = 0;
    bool done_ = false;

    int bad(const std::string& why) {
        err_ << file_ << ":" << lineNo_ << ": " << why << "\n";
        return 2;
    }

    GameScreen* screen() { return program_.screen(); }

    // An input as the windows hand it over.
    void input(InputEvent::Kind kind, int value = 0) {
        InputEvent e;
        e.kind = kind;
        e.value = value;
        apply(program_, e);
    }

    // The value of NAME as print shows it; nullopt for a name the runner does not know.
    std::optional<std::string> value(const std::string& name) {
        const KnownNames& k = knownNames();
        GameProgress& g = program_.progress();
        Menu& m = program_.menu();
        if (name == "screen") {
            if (screen()) return screen()->name();
            return m.visible ? "menu" : "none";
        }
        if (name == "message") return fe_.message;
        if (name == "messageTitle") return fe_.messageTitle;
        if (name == "messages") return std::to_string(fe_.messages);
        if (name == "music") return fe_.musicLog;
        if (name == "cue") {
            std::string heard;
            for (const std::string& c : fe_.cues) heard += (heard.empty() ? "" : ",") + c;
            return heard;
        }
        if (const ProgressField* f = findProgressField(name)) return progressValue(g, *f);
        if (name == "progressLoaded")
            return program_.modul1().progressLoaded ? std::to_string(*program_.modul1().progressLoaded) : "";
        if (name == "menu.Label1") return m.Label1;
        if (name == "menu.Label2") return m.Label2;
        if (name == "menu.Label3") return m.Label3;
        if (name == "menu.Label4") return m.Label4;
        if (name == "menu.Label5") return m.Label5;
        if (name == "menu.Command2.Enabled") return boolText(m.Command2Enabled);
        if (name == "menu.Check1.Value") return std::to_string(m.Check1Value);
        if (name == "menu.Timer1.Enabled") return boolText(m.Timer1.enabled());
        if (name == "menu.visible") return boolText(m.visible);
        GameScreen* s = screen();
        if (k.vars.count(name)) return s && s->hasVar(name) ? numText(s->getVar(name)) : "";
        auto dot = name.find('.');
        std::string obj = name.substr(0, dot), field = dot == std::string::npos ? "" : name.substr(dot + 1);
        if (k.sprites.count(obj)) {
            Sprite* sp = s ? s->findSprite(obj) : nullptr;
            if (field == "Left") return sp ? numText(sp->Left) : "";
            if (field == "Top") return sp ? numText(sp->Top) : "";
            if (field == "Width") return sp ? std::to_string(sp->Width) : "";
            if (field == "Height") return sp ? std::to_string(sp->Height) : "";
            if (field == "Visible") return sp ? boolText(sp->Visible) : "";
            if (field == "Tag") return sp ? sp->Tag.text() : "";
            if (field == "Picture") return sp && sp->Picture ? sp->Picture->owner : "";
            return std::nullopt;
        }
        if (k.labels.count(obj)) {
            Label* l = s ? s->findLabel(obj) : nullptr;
            if (field.empty() || field == "Caption") return l ? l->Caption : "";
            if (field == "ForeColor") return l ? hex6(l->ForeColor) : "";
            return std::nullopt;
        }
        if (k.lines.count(obj)) {
            Line* l = s ? s->findLine(obj) : nullptr;
            if (field == "Y1") return l ? numText(l->Y1) : "";
            if (field == "Y2") return l ? numText(l->Y2) : "";
            if (field == "X1") return l ? numText(l->X1) : "";
            if (field == "X2") return l ? numText(l->X2) : "";
            return std::nullopt;
        }
        if (k.shapes.count(obj)) {
            Shape* sh = s ? s->findShape(obj) : nullptr;
            if (field == "Top") return sh ? numText(sh->Top) : "";
            if (field == "Left") return sh ? numText(sh->Left) : "";
            return std::nullopt;
        }
        if (k.timers.count(obj) && field == "Enabled") {
            Timer* t = s ? s->findTimer(obj) : nullptr;
            return t ? boolText(t->enabled()) : "";
        }
        return std::nullopt;
    }

    Sprite* spriteArg(const std::string& n, int& r) {
        if (!knownNames().sprites.count(n)) {
            r = bad("unknown sprite " + quoted(n));
            return nullptr;
        }
        Sprite* s = screen() ? screen()->findSprite(n) : nullptr;
        if (!s) r = bad("no open screen has sprite " + n);
        return s;
    }

    Timer* timerArg(const std::string& n, int& r) {
        if (n == "menu.Timer1") return &program_.menu().Timer1;
        if (!knownNames().timers.count(n)) {
            r = bad("unknown timer " + quoted(n));
            return nullptr;
        }
        Timer* t = screen() ? screen()->findTimer(n) : nullptr;
        if (!t) r = bad("the open screen has no timer " + n);
        return t;
    }

    int command(const std::vector<std::string>& w) {
        const std::string& c = w[0];
        auto args = [&](std::size_t lo, std::size_t hi) { return w.size() - 1 >= lo && w.size() - 1 <= hi; };
        int r = 0;
        if (c == "seed" && args(1, 1)) {
            // Digits, up to 2^53: every front end, the browser's numbers included, takes it exactly.
            std::uint64_t n = 0;
            bool digits = !w[1].empty() && w[1].size() <= 16;
            for (char d : w[1]) digits = digits && d >= '0' && d <= '9' && (n = n * 10 + (d - '0'), true);
            if (!digits || n > (std::uint64_t{1} << 53)) return bad("seed needs a whole number from 0 to 2^53");
            program_.setNextSeed(n);
        } else if (c == "pace" && args(1, 1)) {
            const auto pace = paceFromName(w[1]);
            if (!pace) return bad("unknown pace " + quoted(w[1]));
            program_.scheduler().setPace(*pace);
        } else if (c == "menu" && args(0, 0)) {
            program_.showMenu();
        } else if (c == "activate" && args(0, 0)) {
            input(InputEvent::Activate);
        } else if (c == "click" && args(1, 1)) {
            if (w[1] == "Check1") {
                input(InputEvent::Check, program_.menu().Check1Value == 1 ? 0 : 1);
            } else {
                if (!findMenuClick(w[1])) return bad("unknown menu control " + quoted(w[1]));
                InputEvent e;
                e.kind = InputEvent::Click;
                e.control = w[1];
                apply(program_, e);
                if (w[1] == "Command5") done_ = true;
            }
        } else if (c == "open" && args(1, 1)) {
            if (w[1] == "1")
                program_.openForm1();
            else if (w[1] == "2")
                program_.openForm2();
            else
                return bad("open takes 1 or 2");
        } else if (c == "progress" && args(2, 2)) {
            GameProgress& g = program_.progress();
            const ProgressField* f = findProgressField(w[1]);
            if (!f) return bad("unknown progress field " + quoted(w[1]));
            if (!f->number) {
                g.ep2Unlocked = w[2];
                return 0;
            }
            auto v = toInt16(w[2]);
            if (!v) return bad("not a 16-bit number: " + quoted(w[2]));
            g.*(f->number) = *v;
        } else if (c == "set" && args(2, 2)) {
            if (!knownNames().vars.count(w[1])) return bad("unknown screen variable " + quoted(w[1]));
            auto v = number(w[2]);
            if (!v) return bad("not a number: " + quoted(w[2]));
            if (!screen() || !screen()->setVar(w[1], *v)) return bad("cannot set " + w[1] + " now");
        } else if (c == "sprite" && args(3, 3)) {
            Sprite* s = spriteArg(w[1], r);
            auto l = number(w[2]), t = number(w[3]);
            if (!s) return r;
            if (!l || !t) return bad("sprite needs LEFT and TOP numbers");
            s->move(*l, *t);
        } else if ((c == "show" || c == "hide") && args(1, 1)) {
            Sprite* s = spriteArg(w[1], r);
            if (!s) return r;
            s->Visible = c == "show";
        } else if (c == "picture" && args(2, 2)) {
            Sprite* s = spriteArg(w[1], r);
            if (!s) return r;
            if (w[2] == "none") {
                s->Picture = nullptr;
            } else {
                Sprite* src = spriteArg(w[2], r);
                if (!src) return r;
                s->setPicture(src->Picture);
            }
        } else if (c == "tag" && args(2, 2)) {
            Sprite* s = spriteArg(w[1], r);
            if (!s) return r;
            s->Tag = w[2];
        } else if (c == "timer" && args(2, 2)) {
            Timer* t = timerArg(w[1], r);
            if (!t) return r;
            if (w[2] != "on" && w[2] != "off") return bad("timer takes on or off");
            t->setEnabled(w[2] == "on");
        } else if (c == "answer" && (args(1, 1) || args(3, 3))) {
            Answer a{};
            auto v = answerFromWord(w[1]);
            if (!v) return bad("answer takes ok, yes or no");
            a.value = *v;
            if (w.size() == 4) {
                auto n = number(w[3], 0, kLongestRunMs);
                if (w[2] != "after" || !n) return bad("answer ... after MS (up to 24 hours)");
                a.afterMs = static_cast<long long>(*n);
            }
            fe_.answers.push_back(a);
        } else if (c == "key" && args(1, 1)) {
            static const std::pair<const char*, int> keys[] = {{"Up", kKeyUp},       {"Down", kKeyDown},
                                                               {"Left", kKeyLeft},   {"Right", kKeyRight},
                                                               {"Space", kKeySpace}, {"Esc", kKeyEsc}};
            std::optional<int> code;
            for (auto& [n, k] : keys)
                if (w[1] == n) code = k;
            if (!code) {
                auto n = number(w[1], 0, 255, true);
                if (!n) return bad("unknown key " + quoted(w[1]));
                code = static_cast<int>(*n);
            }
            if (!screen()) return bad("no game screen is open for the key");
            input(InputEvent::Key, *code);
        } else if (c == "run" && args(1, 1)) {
            auto n = number(w[1], 0, kLongestRunMs);
            if (!n) return bad("run needs milliseconds, up to 24 hours");
            program_.scheduler().advance(static_cast<Micros>(*n * 1000));
        } else if (c == "fire" && args(1, 2)) {
            Timer* t = timerArg(w[1], r);
            if (!t) return r;
            auto n = w.size() == 3 ? number(w[2], 0, kMostFires, true) : std::optional<double>(1);
            if (!n) return bad("fire needs a count up to 10000");
            for (int i = 0; i < static_cast<int>(*n); ++i) {
                // The screen may close on the way; its timers go with it.
                if (!(w[1] == "menu.Timer1" || (screen() && screen()->findTimer(w[1]) == t))) break;
                t->fire();
            }
        } else if (c == "print" && w.size() >= 2) {
            for (std::size_t i = 1; i < w.size(); ++i) {
                auto v = value(w[i]);
                if (!v) return bad("unknown name " + quoted(w[i]));
                out_ << w[i] << "=" << *v << "\n";
            }
        } else if (c == "expect" && args(2, 2)) {
            auto v = value(w[1]);
            if (!v) return bad("unknown name " + quoted(w[1]));
            // A cue: heard since the cues expected before it, and then taken off the list with those
            // heard ahead of it; "none": nothing heard since.
            bool held = true;
            if (w[1] != "cue") {
                held = matches(*v, w[2]);
            } else if (w[2] != "none" && !cueFromName(w[2])) {
                return bad("unknown cue " + quoted(w[2]));
            } else if (w[2] == "none") {
                held = fe_.cues.empty();
            } else {
                const auto at = std::find(fe_.cues.begin(), fe_.cues.end(), w[2]);
                held = at != fe_.cues.end();
                fe_.cues.erase(fe_.cues.begin(), held ? at + 1 : fe_.cues.end());
            }
            if (!held) {
                err_ << file_ << ":" << lineNo_ << ": expected " << w[1] << "=" << quoted(w[2], 200) << ", got "
                     << quoted(*v, 200) << "\n";
                return 1;
            }
        } else if (c == "quit" && args(0, 0)) {
            input(InputEvent::MenuClose);
            done_ = true;
        } else {
            return bad("cannot understand '" + quoted(c) + "' with " + std::to_string(w.size() - 1) + " argument(s)");
        }
        return r;
    }

    static bool matches(const std::string& got, const std::string& want) {
        auto dots = want.find("..");
        if (dots != std::string::npos) {
            const double any = std::numeric_limits<double>::max();
            auto lo = number(want.substr(0, dots), -any, any), hi = number(want.substr(dots + 2), -any, any),
                 v = number(got, -any, any);
            if (lo && hi) return v && *v >= *lo && *v <= *hi;
        }
        return got == want;
    }
};

}  // namespace

int runScenario(const std::string& text, const std::string& file, std::ostream& out, std::ostream& err) {
    Runner r(file, out, err);
    return r.run(text);
}

int runScenarioFile(const std::string& path, std::ostream& out, std::ostream& err) {
    std::string why;
    const auto file = InputFile::open(path, why);
    const auto text = file ? file->read(kLongestScenario, why) : std::nullopt;
    if (!text) {
        err << "skyrend: " << quoted(path, 160) << ": cannot read the scenario file (" << why << ")\n";
        return 2;
    }
    // The folder's new.dat belongs to the game that plays there, if one does.
    FileLock::State state{};
    const auto lock = FileLock::acquire(kLockFile, state, why);
    if (state == FileLock::State::Busy) {
        err << "skyrend: a game is playing in this folder (it holds " << kLockFile
            << "): the scenario would overwrite its new.dat\n";
        return 1;
    }
    return runScenario(*text, path, out, err);
}

}  // namespace sky

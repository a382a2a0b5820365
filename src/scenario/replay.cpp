// Recorded games: the file format, the recorder, the player and the headless replay.
#include "scenario/replay.h"
#include "game/screens.h"

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>
#include <type_traits>

#include "playfield/gamescreen.h"
#include "runtime/numtext.h"
#include "shell/frontend.h"
#include "shell/menu.h"
#include "shell/program.h"

namespace sky::replay {

namespace {

// A whole number in full: digits only (and a leading minus where allowed), nothing after it.
template <typename T>
std::optional<T> whole(const std::string& s, bool negative = false) {
    if (s.empty() || s.size() > 20) return std::nullopt;
    std::size_t i = 0;
    bool minus = false;
    if (negative && s[0] == '-') {
        minus = true;
        i = 1;
    }
    if (i >= s.size()) return std::nullopt;
    unsigned long long v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        const unsigned long long d = static_cast<unsigned long long>(s[i] - '0');
        if (v > (~0ULL - d) / 10) return std::nullopt;
        v = v * 10 + d;
    }
    if constexpr (std::is_same_v<T, std::uint64_t>) {
        return v;
    } else {
        if (v > static_cast<unsigned long long>(std::numeric_limits<T>::max())) return std::nullopt;
        return minus ? -static_cast<T>(v) : static_cast<T>(v);
    }
}

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> w;
    std::istringstream in(line);
    std::string x;
    while (in >> x) w.push_back(x);
    return w;
}

}  // namespace

std::string formatEvent(const Event& e) {
    std::string s = std::to_string(e.t) + " ";
    switch (e.kind) {
        case Event::Seed:
            return s + "seed " + std::to_string(e.seed);
        case Event::Activate:
            return s + "activate";
        case Event::Click:
            return s + "click " + e.control;
        case Event::Check:
            return s + "check " + std::to_string(e.value);
        case Event::MenuClose:
            return s + "menuclose";
        case Event::Key:
            return s + "key " + std::to_string(e.value);
        case Event::Close:
            return s + "close";
        case Event::Answer:
            return s + "answer " + answerWord(e.value) + " " + std::to_string(e.opened);
        case Event::Pause:
            return s + "pause " + (e.automatic ? "auto" : "key");
        case Event::Resume:
            return s + "resume " + (e.automatic ? "auto" : "key");
        case Event::End:
            return s + "end";
    }
    return s;
}

std::optional<Recording> parse(const std::string& text, const std::string& file, std::string& error) {
    Recording rec;
    std::istringstream in(text);
    std::string line;
    bool header = false, paceGiven = false;
    Micros last = 0;
    int lineNo = 0;
    auto bad = [&](const std::string& why) {
        error = file + ":" + std::to_string(lineNo) + ": " + why;
        return std::nullopt;
    };
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::vector<std::string> w = words(line);
        if (w.empty() || w[0][0] == '#') continue;
        if (!header) {
            if (w[0] != kMagic) return bad("not a recorded game (it starts with '" + std::string(kMagic) + " 1')");
            if (w.size() != 2 || whole<int>(w[1]) != kVersion)
                return bad("recording version " + (w.size() > 1 ? w[1] : std::string("missing")) +
                           "; this game reads version " + std::to_string(kVersion));
            header = true;
            continue;
        }
        if (w[0] == "pace") {
            if (!rec.events.empty() || !rec.seeds.empty()) return bad("the pace belongs before the first event");
            if (w.size() != 2) return bad("pace takes one word: classic, xp or nominal");
            const auto pace = paceFromName(w[1]);
            if (!pace) return bad("unknown pace '" + w[1] + "'");
            rec.pace = *pace;
            paceGiven = true;
            continue;
        }
        if (w[0] == "progress") {
            if (!rec.events.empty() || !rec.seeds.empty()) return bad("the progress belongs before the first event");
            if (w.size() < 2) return bad("progress needs a field");
            const ProgressField* f = findProgressField(w[1]);
            if (!f) return bad("unknown progress field '" + w[1] + "'");
            if (!f->number) {
                // The rest of the line as it stands, blanks included: the file's first line.
                const std::size_t at = line.find(w[1]) + w[1].size();
                rec.start.ep2Unlocked = at < line.size() ? line.substr(at + 1) : "";
                continue;
            }
            std::optional<std::int16_t> v;
            if (w.size() == 3)
                if (auto n = whole<int>(w[2], true); n && *n >= -32768 && *n <= 32767)
                    v = static_cast<std::int16_t>(*n);
            if (!v) return bad("progress " + w[1] + " takes one 16-bit whole number");
            rec.start.*(f->number) = *v;
            continue;
        }
        // An event: TIME KIND [ARGUMENTS].
        const auto t = whole<Micros>(w[0]);
        if (!t) return bad("expected a clock time in microseconds, found '" + w[0] + "'");
        if (*t < last) return bad("time " + w[0] + " is before the line above (" + std::to_string(last) + ")");
        if (w.size() < 2) return bad("an event needs a kind after its time");
        if (!rec.events.empty() && rec.events.back().kind == Event::End) return bad("nothing may follow the end");
        last = *t;
        Event e;
        e.t = *t;
        e.line = lineNo;
        const std::string& k = w[1];
        const std::size_t n = w.size() - 2;
        auto arity = [&](std::size_t want) { return n == want; };
        if (k == "seed" && arity(1)) {
            auto s = whole<std::uint64_t>(w[2]);
            if (!s) return bad("seed takes a whole number");
            rec.seeds.push_back(*s);
            continue;
        } else if (k == "activate" && arity(0)) {
            e.kind = Event::Activate;
        } else if (k == "click" && arity(1)) {
            if (!findMenuClick(w[2])) return bad("click takes Command1..Command5 or Image1, not '" + w[2] + "'");
            e.kind = Event::Click;
            e.control = w[2];
        } else if (k == "check" && arity(1)) {
            if (w[2] != "0" && w[2] != "1") return bad("check takes 0 or 1");
            e.kind = Event::Check;
            e.value = w[2] == "1";
        } else if (k == "menuclose" && arity(0)) {
            e.kind = Event::MenuClose;
        } else if (k == "key" && arity(1)) {
            auto c = whole<int>(w[2]);
            if (!c || *c > 255) return bad("key takes a key code 0..255");
            e.kind = Event::Key;
            e.value = *c;
        } else if (k == "close" && arity(0)) {
            e.kind = Event::Close;
        } else if (k == "answer" && arity(2)) {
            e.kind = Event::Answer;
            auto a = answerFromWord(w[2]);
            if (!a) return bad("answer takes ok, yes or no");
            e.value = *a;
            auto o = whole<Micros>(w[3]);
            if (!o || *o > e.t) return bad("answer needs the time its box opened, not after it closed");
            e.opened = *o;
        } else if ((k == "pause" || k == "resume") && arity(1)) {
            if (w[2] != "key" && w[2] != "auto") return bad(k + " takes key or auto");
            e.kind = k == "pause" ? Event::Pause : Event::Resume;
            e.automatic = w[2] == "auto";
        } else if (k == "end" && arity(0)) {
            e.kind = Event::End;
        } else {
            return bad("cannot understand '" + k + "' with " + std::to_string(n) + " argument(s)");
        }
        rec.events.push_back(e);
    }
    if (!header) {
        lineNo = 0;
        return bad("empty: not a recorded game");
    }
    if (!paceGiven) rec.pace = Pace::Classic;
    return rec;
}

std::optional<Recording> load(const std::string& path, std::string& error) {
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        error = path + ": cannot read the recording";
        return std::nullopt;
    }
    std::stringstream ss;
    ss << f.rdbuf();
    return parse(ss.str(), path, error);
}

Recorder::Recorder(std::ostream& out, Pace pace, const GameProgress& start) : out_(out) {
    out_ << kMagic << " " << kVersion << "\n"
         << "pace " << paceName(pace) << "\n";
    for (const ProgressField& f : progressFields())
        out_ << "progress " << f.name << " " << progressValue(start, f) << "\n";
    out_.flush();
}

void Recorder::write(const Event& e) {
    out_ << formatEvent(e) << std::endl;
}

Player::Player(Program& program, Recording recording, Call call)
    : program_(program), rec_(std::move(recording)), call_(std::move(call)) {
    if (!call_) call_ = [](const std::function<void()>& h) { h(); };
}

void Player::problem(const Event* at, const std::string& what) {
    std::string where = at && at->line ? "line " + std::to_string(at->line) + ": " : "";
    problems_.push_back(where + what);
}

void Player::perform(const Event& e) {
    switch (e.kind) {
        case Event::Answer:
            problem(&e, "a message-box answer with no box open");
            break;
        case Event::End:
        case Event::Seed:
            break;
        default:
            call_([this, &e] { apply(program_, e); });
            break;
    }
}

void Player::advanceTo(Micros t) {
    Scheduler& sched = program_.scheduler();
    while (!program_.ended() && next_ < rec_.events.size() && rec_.events[next_].t <= t) {
        const std::size_t i = next_;
        if (rec_.events[i].t > sched.now()) sched.advanceTo(rec_.events[i].t);
        if (next_ != i) continue;  // a box that opened on the way has taken it
        ++next_;
        perform(rec_.events[i]);
    }
    if (!program_.ended() && t > sched.now()) sched.advanceTo(t);
}

int Player::answerBox(int style) {
    Scheduler& sched = program_.scheduler();
    const Micros opened = sched.now();
    const int fallback = style == kQuestion ? kNo : kOk;
    while (next_ < rec_.events.size()) {
        const std::size_t i = next_;
        const Event& e = rec_.events[i];
        if (e.kind == Event::End) {
            problem(&e, "the recording ends while a message box is open");
            return fallback;
        }
        if (e.t > sched.now()) sched.advanceTo(e.t);
        if (next_ != i) continue;  // a box opened inside this one took it
        ++next_;
        if (e.kind != Event::Answer) {
            perform(e);
            continue;
        }
        if (e.opened != opened)
            problem(&e, "this box opened at " + std::to_string(opened) + " us, the recorded one at " +
                            std::to_string(e.opened));
        return e.value;
    }
    problem(nullptr, "a message box opened after the recording's last event");
    return fallback;
}

std::uint64_t Player::nextSeed() {
    if (nextSeed_ < rec_.seeds.size()) return rec_.seeds[nextSeed_++];
    problem(nullptr, "the game asked for more seeds than were recorded");
    return 0;
}

void printState(Program& program, std::ostream& out) {
    const GameProgress& g = program.progress();
    GameScreen* s = program.screen();
    out << "screen="
        << (s                        ? s->name()
            : program.menu().visible ? "menu"
                                     : "none")
        << "\n"
        << "clock=" << program.scheduler().now() << "\n";
    for (const ProgressField& f : progressFields()) out << f.name << "=" << progressValue(g, f) << "\n";
    if (!s) return;
    for (const std::string& v : s->varNames()) out << v << "=" << numText(s->getVar(v)) << "\n";
    out << "dravik.Left=" << numText(s->dravik.Left) << "\n"
        << "dravik.Top=" << numText(s->dravik.Top) << "\n";
}

ScratchProgress::ScratchProgress(const GameProgress& start) {
    static std::atomic<int> counter{0};
    path_ = (std::filesystem::temp_directory_path() /
             ("skyrend-replay-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".dat"))
                .string();
    writeProgress(path_, start);
}

ScratchProgress::~ScratchProgress() {
    std::error_code ec;
    std::filesystem::remove(path_, ec);
    std::filesystem::remove(path_ + ".tmp", ec);
}

namespace {

// No window and no sound: boxes are answered from the recording, and the menu is activated only
// when the recording says it was (showing it activates nothing by itself).
class ReplayFrontEnd : public FrontEnd {
public:
    Player* player = nullptr;
    int messageBox(const std::string&, const std::string&, int style) override { return player->answerBox(style); }
    void music(const std::string&) override {}
    void showMenu() override {}
    void hideMenu() override {}
    std::uint64_t clockSeed() override { return player->nextSeed(); }
    void quit() override {}
};

}  // namespace

int runReplay(const Recording& recording, std::ostream& out, std::ostream& err) {
    ScratchProgress progress(recording.start);
    ReplayFrontEnd fe;
    int rc = 0;
    {
        Program program(fe, gameScreens(), progress.path());
        program.scheduler().setPace(recording.pace);
        Player player(program, recording, [&program](const std::function<void()>& h) {
            h();
            if (program.scheduler().depth() == 0) program.collect();
        });
        fe.player = &player;
        program.showMenu();
        player.advanceTo(player.endTime());
        printState(program, out);
        for (const std::string& p : player.problems()) err << "skyrend: replay: " << p << "\n";
        rc = player.problems().empty() ? 0 : 1;
    }
    return rc;
}

int runReplayFile(const std::string& path, std::ostream& out, std::ostream& err) {
    std::string error;
    auto rec = load(path, error);
    if (!rec) {
        err << error << "\n";
        return 2;
    }
    return runReplay(*rec, out, err);
}

}  // namespace sky::replay

// Recorded games: the file format, the recorder, the player and the headless replay.
#include "game/recording.h"
#include "game/screens.h"

#include <cstdio>
#include <iostream>
#include <limits>
#include <sstream>
#include <type_traits>

#include "playfield/gamescreen.h"
#include "runtime/numtext.h"
#include "runtime/quote.h"
#include "shell/frontend.h"
#include "shell/infile.h"
#include "shell/menu.h"
#include "shell/program.h"
#include "shell/version.h"

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

std::string toHex(std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string h;
    for (unsigned char c : bytes) h += {digits[c >> 4], digits[c & 15]};
    return h;
}

std::optional<std::string> fromHex(std::string_view h) {
    auto digit = [](char c) { return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1; };
    if (h.size() % 2) return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < h.size(); i += 2) {
        const int hi = digit(h[i]), lo = digit(h[i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        bytes.push_back(static_cast<char>(hi << 4 | lo));
    }
    return bytes;
}

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> w;
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; };
    for (std::size_t i = 0; i < line.size();) {
        while (i < line.size() && blank(line[i])) ++i;
        const std::size_t from = i;
        while (i < line.size() && !blank(line[i])) ++i;
        if (i > from) w.emplace_back(line, from, i - from);
    }
    return w;
}

// Why a line cannot be read as text, or nullptr: a recording is short lines of text ending in
// LF or CR LF.
enum class LineRead { Line, End, TooLong, Nul, LoneCr };

LineRead readLine(std::istream& in, std::string& line) {
    line.clear();
    std::streambuf* buf = in.rdbuf();
    if (!buf) return LineRead::End;
    using Traits = std::char_traits<char>;
    int c = buf->sbumpc();
    if (c == Traits::eof()) return LineRead::End;
    for (; c != Traits::eof() && c != '\n'; c = buf->sbumpc()) {
        if (c == '\r') {
            if (buf->sgetc() != '\n') return LineRead::LoneCr;
            continue;
        }
        if (c == 0) return LineRead::Nul;
        if (line.size() >= kLongestLine) return LineRead::TooLong;
        line.push_back(static_cast<char>(c));
    }
    return LineRead::Line;
}

}  // namespace

std::string gameVersion() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." + std::to_string(kVersionRevision);
}

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

Reader::Reader(std::unique_ptr<std::istream> in, std::string file) : in_(std::move(in)), file_(std::move(file)) {}

Reader::~Reader() = default;

std::optional<Event> Reader::bad(const std::string& why) {
    error_ = file_ + ":" + std::to_string(lineNo_) + ": " + why;
    return std::nullopt;
}

std::optional<Event> Reader::next() {
    if (!error_.empty()) return std::nullopt;
    for (;;) {
        ++lineNo_;
        switch (readLine(*in_, line_)) {
            case LineRead::End:
                if (header_) return std::nullopt;
                lineNo_ = 0;
                return bad("empty: not a recorded game");
            case LineRead::TooLong:
                return bad("a line longer than " + std::to_string(kLongestLine) + " bytes");
            case LineRead::Nul:
                return bad("a NUL byte: not a recording's text");
            case LineRead::LoneCr:
                return bad("a CR that ends no line: a recording's lines end in LF or CR LF, not CR alone");
            case LineRead::Line:
                break;
        }
        const std::string& line = line_;
        const std::vector<std::string> w = words(line);
        if (w.empty() || w[0][0] == '#') continue;
        if (!header_) {
            if (w[0] != kMagic)
                return bad("not a recorded game (it starts with '" + std::string(kMagic) + " " +
                           std::to_string(kVersion) + "')");
            const auto v = w.size() < 2 ? std::nullopt : whole<int>(w[1]);
            if (v && *v > kVersion)
                return bad("the recording is format " + std::to_string(*v) + ", newer than this game (skyrend " +
                           gameVersion() + ") reads, format " + std::to_string(kVersion) +
                           ": play it with a newer skyrend");
            if (!v || *v < kOldestVersion)
                return bad("recording version " + (w.size() > 1 ? quoted(w[1]) : std::string("missing")) +
                           "; this game reads formats " + std::to_string(kOldestVersion) + " to " +
                           std::to_string(kVersion));
            if (w.size() > 2)
                return bad("the first line is '" + std::string(kMagic) + " " + w[1] + "' alone, not '" + quoted(line) +
                           "'");
            version_ = *v;
            header_ = true;
            continue;
        }
        if (w[0] == "game" && version_ >= 2) {
            if (events_ || !game_.empty()) return bad("the game's version belongs once, before the first event");
            if (w.size() != 2) return bad("game takes the version of the game that made the recording");
            game_ = quoted(w[1], 40);
            continue;
        }
        if (w[0] == "pace") {
            if (events_) return bad("the pace belongs before the first event");
            if (w.size() != 2) return bad("pace takes one word: classic, xp or nominal");
            const auto pace = paceFromName(w[1]);
            if (!pace) return bad("unknown pace '" + quoted(w[1]) + "'");
            pace_ = *pace;
            continue;
        }
        if (w[0] == "progress-hex") {
            // The progress file's first line as it was, NUL bytes and all.
            if (events_) return bad("the progress belongs before the first event");
            const ProgressField* f = w.size() == 3 ? findProgressField(w[1]) : nullptr;
            auto text = f && !f->number ? fromHex(w[2]) : std::nullopt;
            if (!text) return bad("progress-hex takes ep2Unlocked and its bytes in hexadecimal");
            start_.ep2Unlocked = *text;
            continue;
        }
        if (w[0] == "progress") {
            if (events_) return bad("the progress belongs before the first event");
            if (w.size() < 2) return bad("progress needs a field");
            const ProgressField* f = findProgressField(w[1]);
            if (!f) return bad("unknown progress field '" + quoted(w[1]) + "'");
            if (!f->number) {
                // The rest of the line as it stands, blanks included: the file's first line.
                const std::size_t at = line.find(w[1]) + w[1].size();
                start_.ep2Unlocked = at < line.size() ? line.substr(at + 1) : "";
                continue;
            }
            std::optional<std::int16_t> v;
            if (w.size() == 3)
                if (auto n = whole<int>(w[2], true); n && *n >= -32768 && *n <= 32767)
                    v = static_cast<std::int16_t>(*n);
            if (!v) return bad("progress " + w[1] + " takes one 16-bit whole number");
            start_.*(f->number) = *v;
            continue;
        }
        // An event: TIME KIND [ARGUMENTS].
        const auto t = whole<Micros>(w[0]);
        if (!t) return bad("expected a clock time in microseconds, found '" + quoted(w[0]) + "'");
        if (*t < last_) return bad("time " + w[0] + " is before the line above (" + std::to_string(last_) + ")");
        if (*t > kLongestRecording) return bad("time " + w[0] + " is beyond 24 hours, the longest recording played");
        if (w.size() < 2) return bad("an event needs a kind after its time");
        last_ = *t;
        events_ = true;
        Event e;
        e.t = *t;
        e.line = lineNo_;
        const std::string& k = w[1];
        const std::size_t n = w.size() - 2;
        auto arity = [&](std::size_t want) { return n == want; };
        if (k == "seed" && arity(1)) {
            auto s = whole<std::uint64_t>(w[2]);
            if (!s) return bad("seed takes a whole number");
            e.kind = Event::Seed;
            e.seed = *s;
        } else if (k == "activate" && arity(0)) {
            e.kind = Event::Activate;
        } else if (k == "click" && arity(1)) {
            if (!findMenuClick(w[2]))
                return bad("click takes Command1..Command5 or Image1, not '" + quoted(w[2]) + "'");
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
            return bad("cannot understand '" + quoted(k) + "' with " + std::to_string(n) + " argument(s)");
        }
        return e;
    }
}

std::unique_ptr<Reader> Recording::events() const {
    std::unique_ptr<std::istream> in;
    if (text)
        in = std::make_unique<std::istringstream>(*text);
    else
        in = input->stream();
    return std::make_unique<Reader>(std::move(in), file);
}

namespace {

// Reads the whole recording once, to refuse a bad one before the game starts.
std::optional<Recording> check(Recording rec, std::string& error) {
    std::unique_ptr<Reader> r = rec.events();
    for (; auto e = r->next(); ++rec.eventCount) rec.endTime = e->t;
    if (!r->error().empty()) {
        error = r->error();
        return std::nullopt;
    }
    rec.pace = r->pace();
    rec.start = r->start();
    rec.game = r->game();
    return rec;
}

}  // namespace

std::optional<Recording> parse(std::string text, const std::string& file, std::string& error) {
    Recording rec;
    rec.file = file;
    rec.text = std::make_shared<const std::string>(std::move(text));
    return check(std::move(rec), error);
}

std::optional<Recording> load(const std::string& path, std::string& error) {
    // Opened once: what is checked now is what plays, whatever is renamed over the name meanwhile.
    std::string why;
    Recording rec;
    rec.input = InputFile::open(path, why);
    rec.file = quoted(path, kQuotedName);
    if (!rec.input) {
        error = rec.file + ": cannot read the recording (" + why + ")";
        return std::nullopt;
    }
    return check(std::move(rec), error);
}

std::string recordingHeader(Pace pace, const GameProgress& start) {
    std::string h = std::string(kMagic) + " " + std::to_string(kVersion) + "\n" + "game " + gameVersion() + "\n" +
                    "pace " + paceName(pace) + "\n";
    for (const ProgressField& f : progressFields()) {
        const std::string v = progressValue(start, f);
        // A NUL byte ends no line of the progress file, but it cannot stand in a recording's.
        if (v.find('\0') != std::string::npos)
            h += "progress-hex " + std::string(f.name) + " " + toHex(v) + "\n";
        else
            h += "progress " + std::string(f.name) + " " + v + "\n";
    }
    return h;
}

Recorder::Recorder(std::ostream& out, Pace pace, const GameProgress& start) : out_(out) {
    out_ << recordingHeader(pace, start);
    out_.flush();
}

void Recorder::write(const Event& e) {
    out_ << formatEvent(e) << std::endl;
}

Player::Player(Program& program, const Recording& recording, Call call)
    : program_(program),
      reader_(recording.events()),
      endTime_(recording.endTime),
      events_(recording.eventCount),
      call_(std::move(call)) {
    if (!call_) call_ = [](const std::function<void()>& h) { h(); };
    take();
}

void Player::take() {
    next_ = reader_->next();
    ++taken_;
    if (next_) ++read_;
    // The file changed since it was checked.
    if (!next_ && !reader_->error().empty()) problem(nullptr, reader_->error());
    if (!next_ && reader_->error().empty() && read_ < events_)
        problem(nullptr, "the recording was cut short while it played: only " + std::to_string(read_) + " of its " +
                             std::to_string(events_) + " events were left");
}

void Player::problem(const Event* at, const std::string& what) {
    constexpr std::size_t kKept = 20;
    if (problemCount_++ >= kKept) return;
    std::string where = at && at->line ? "line " + std::to_string(at->line) + ": " : "";
    problems_.push_back(where + what);
}

void Player::perform(const Event& e) {
    switch (e.kind) {
        case Event::Answer:
            problem(&e, "a message-box answer with no box open");
            break;
        case Event::Seed:
            problem(&e, "a seed the game did not ask for");
            break;
        case Event::End:
            if (next_) problem(&*next_, "the recording goes on after its end");
            next_.reset();
            break;
        default:
            call_([this, &e] { apply(program_, e); });
            break;
    }
}

void Player::advanceTo(Micros t) {
    Scheduler& sched = program_.scheduler();
    while (!program_.ended() && next_ && next_->t <= t) {
        const std::uint64_t at = taken_;
        if (next_->t > sched.now()) sched.advanceTo(next_->t);
        if (taken_ != at || !next_ || program_.ended()) continue;  // a box that opened on the way has taken it
        const Event e = *next_;
        take();
        perform(e);
    }
    if (program_.ended() && next_) {
        // Only the recording's end may follow the menu's close.
        if (next_->kind == Event::End) {
            const Event e = *next_;
            take();
            perform(e);
        } else {
            problem(&*next_, "the game had ended (its menu closed), and the recording goes on");
            next_.reset();
        }
    }
    if (!program_.ended() && t > sched.now()) sched.advanceTo(t);
}

int Player::answerBox(int style, const std::function<void(Micros)>& pace) {
    Scheduler& sched = program_.scheduler();
    const Micros opened = sched.now();
    const int fallback = style == kQuestion ? kNo : kOk;
    while (next_) {
        if (next_->kind == Event::End) {
            problem(&*next_, "the recording ends while a message box is open");
            return fallback;
        }
        const std::uint64_t at = taken_;
        if (pace && next_->t > sched.now()) pace(next_->t);
        if (taken_ == at && next_ && next_->t > sched.now()) sched.advanceTo(next_->t);
        if (taken_ != at || !next_) continue;  // a box opened inside this one took it
        const Event e = *next_;
        take();
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
    // The game takes its seed as a screen is set up, and the recording wrote it down right there.
    if (next_ && next_->kind == Event::Seed) {
        const std::uint64_t s = next_->seed;
        take();
        return s;
    }
    problem(next_ ? &*next_ : nullptr, "the game asked for more seeds than were recorded");
    return 0;
}

void printProblems(const Player& player, std::ostream& err, const std::string& recordedBy) {
    for (const std::string& p : player.problems()) err << "skyrend: replay: " << p << "\n";
    if (player.problemCount() > player.problems().size())
        err << "skyrend: replay: and " << player.problemCount() - player.problems().size() << " more\n";
    if (player.problemCount() > 0 && recordedBy != gameVersion())
        err << "skyrend: replay: the recording was made by "
            << (recordedBy.empty() ? std::string("an older skyrend") : "skyrend " + recordedBy) << ", this is skyrend "
            << gameVersion() << ": it may have gone another way there\n";
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

}  // namespace sky::replay

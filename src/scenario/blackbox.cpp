// The black box and the best runs.
#include "scenario/blackbox.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "game/recording.h"
#include "scenario/headless.h"
#include "shell/program.h"

namespace sky::replay {

BlackBox::BlackBox(Program& program, Pace pace, const GameProgress& start, Micros kept, std::size_t capacity)
    : program_(program),
      pace_(pace),
      start_(start),
      kept_(kept),
      capacity_(std::max<std::size_t>(capacity, 64)),
      // Not cleared: the pages are the system's until written to.
      ring_(new char[capacity_]) {
    points_.push_back({0, 0, start_, recordingHeader(pace_, start_)});
}

BlackBox::~BlackBox() = default;

void BlackBox::write(const InputEvent& e) {
    if (e.kind == InputEvent::End) {
        endRun(std::max(e.t, last_));
        return;
    }
    // The menu, with nothing of a run left: a recording can start here.
    if (e.kind == InputEvent::Activate && !program_.screen() && program_.scheduler().depth() == 0 &&
        !program_.ended()) {
        const bool ran = runOpen_;
        endRun(e.t);
        const GameProgress& p = program_.modul1().progressLoaded ? program_.progress() : start_;
        // Two points with no run between them: the later one is as good, and there is no need of both.
        if (points_.size() > 1 && !ran) points_.pop_back();
        points_.push_back({e.t, tail_, p, recordingHeader(pace_, p)});
        // The oldest point needed is the latest that lies the whole span back.
        while (points_.size() > 1 && (points_[1].t <= e.t - kept_ || points_.size() > kMostPoints)) points_.pop_front();
        head_ = std::max(head_, points_.front().offset);
    }
    if (e.kind == InputEvent::Seed) runOpen_ = true;
    last_ = std::max(last_, e.t);
    append(formatEvent(e) + "\n");
}

void BlackBox::append(const std::string& line) {
    if (line.size() > capacity_) return;
    while (tail_ + line.size() - head_ > capacity_) {
        if (points_.size() > 1) {
            points_.pop_front();
            head_ = std::max(head_, points_.front().offset);
            continue;
        }
        // One run holds it all: its oldest line goes, and with it the run's start.
        do ++head_;
        while (head_ < tail_ && ring_[(head_ - 1) % capacity_] != '\n');
    }
    const std::size_t at = tail_ % capacity_, first = std::min(line.size(), capacity_ - at);
    std::memcpy(&ring_[at], line.data(), first);
    std::memcpy(&ring_[0], line.data() + first, line.size() - first);
    tail_ += line.size();
}

void BlackBox::pour(Micros now, Put put, void* context) const noexcept {
    const Point& p = points_.front();
    put(context, p.header.data(), p.header.size());
    const std::uint64_t from = std::max(p.offset, head_);
    const std::size_t at = from % capacity_, n = static_cast<std::size_t>(tail_ - from);
    const std::size_t first = std::min(n, capacity_ - at);
    put(context, &ring_[at], first);
    put(context, &ring_[0], n - first);
    char end[32];
    auto r = std::to_chars(end, end + 20, std::max(now, last_));
    std::memcpy(r.ptr, " end\n", 5);
    put(context, end, static_cast<std::size_t>(r.ptr + 5 - end));
}

std::string BlackBox::recording(Micros now) const {
    std::string s;
    pour(
        now, [](void* c, const char* b, std::size_t n) { static_cast<std::string*>(c)->append(b, n); }, &s);
    return s;
}

void BlackBox::endRun(Micros now) {
    if (!runOpen_) return;
    runOpen_ = false;
    if (!runEnded_) return;
    // The run's own recording: from the latest point, the one its first input followed.
    Run run{points_.back().progress, points_.back().header};
    const std::uint64_t from = std::max(points_.back().offset, head_);
    for (std::uint64_t i = from; i < tail_; ++i) run.recording += ring_[i % capacity_];
    InputEvent end;
    end.t = std::max(now, last_);
    end.kind = InputEvent::End;
    run.recording += formatEvent(end) + "\n";
    runEnded_(run);
}

BestRun judgeRun(const BlackBox::Run& run, const GameProgress& after) {
    BestRun b;
    if (after.ep1BestScore > run.before.ep1BestScore)
        b.episode = 1;
    else if (after.ep2BestScore > run.before.ep2BestScore)
        b.episode = 2;
    else
        return b;
    const auto best = b.episode == 1 ? &GameProgress::ep1BestScore : &GameProgress::ep2BestScore;
    b.file = "best-episode" + std::to_string(b.episode) + ".replay";
    const std::string what = "the best run of episode " + std::to_string(b.episode) + " is not kept: ";
    std::string error;
    const auto rec = parse(run.recording, b.file, error);
    if (!rec) {
        b.refused = what + error;
        return b;
    }
    int replayed = 0;
    std::size_t problems = 0;
    playHeadless(*rec, [&](Program& p, const Player& player) {
        replayed = p.progress().*best;
        problems = player.problemCount();
    });
    if (replayed != after.*best || problems > 0)
        b.refused = what + "its recording replays to a best score of " + std::to_string(replayed) + ", not " +
                    std::to_string(after.*best) +
                    (problems ? " (the game went another way " + std::to_string(problems) + " times)" : "");
    else
        b.recording = run.recording;
    return b;
}

void recordingName(std::int64_t s, char (&out)[kRecordingNameSize]) noexcept {
    // Days since 1970 to the civil date (proleptic Gregorian), in whole numbers only.
    std::int64_t days = s / 86400, rest = s % 86400;
    if (rest < 0) rest += 86400, --days;
    const std::int64_t z = days + 719468, era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t d = doy - (153 * mp + 2) / 5 + 1, m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = std::clamp<std::int64_t>(yoe + era * 400 + (m <= 2), 0, 9999);
    const std::int64_t fields[] = {y, m, d, rest / 3600, rest / 60 % 60, rest % 60};
    const int widths[] = {4, 2, 2, 2, 2, 2};
    const char after[] = {'-', '-', '_', '-', '-', '.'};
    char* o = out;
    for (int i = 0; i < 6; ++i) {
        std::int64_t v = fields[i];
        for (int k = widths[i] - 1; k >= 0; --k, v /= 10) o[k] = static_cast<char>('0' + v % 10);
        o += widths[i];
        *o++ = after[i];
    }
    std::memcpy(o, "replay", 7);
}

}  // namespace sky::replay

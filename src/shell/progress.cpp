// Reading and writing new.dat.
#include "shell/progress.h"

#include <algorithm>
#include <cstdio>

#include "runtime/numtext.h"
#include "shell/savefile.h"

namespace sky {

namespace {

// Takes one line off the front of text, up to kMaxProgressLine bytes of it; an over-long line is
// unreadable. Returns false when nothing is left. A line ends at CR LF, a lone LF or a lone CR.
bool takeLine(std::string_view& text, std::string& out, bool& tooLong) {
    if (text.empty()) return false;
    std::size_t end = 0;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    tooLong = end > kMaxProgressLine;
    out.assign(text.substr(0, tooLong ? 0 : end));
    if (end < text.size()) end += text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1;
    text.remove_prefix(end);
    return true;
}

}  // namespace

void parseProgress(std::string_view text, GameProgress& p) {
    std::int16_t* numbers[] = {&p.ep1Passed, &p.ep2Passed, &p.ep1BestScore, &p.ep2BestScore, &p.musicOn};
    std::string line;
    bool tooLong = false;
    for (int counter = 0; counter < 6 && takeLine(text, line, tooLong); ++counter) {
        if (tooLong) continue;  // an unreadable line: its field keeps what it held
        if (counter == 0) {
            p.ep2Unlocked = line;
        } else if (auto v = toInt16(line)) {
            *numbers[counter - 1] = *v;
        }
    }
}

ReadResult readProgress(const std::string& path, GameProgress& p) {
    std::string text;
    switch (readSmallFile(path, kMaxProgressBytes, text)) {
        case SmallRead::Missing:
            p.ep2Unlocked = "False";
            p.ep1Passed = p.ep2Passed = p.ep1BestScore = p.ep2BestScore = 0;
            p.musicOn = 1;
            return ReadResult::Missing;
        case SmallRead::Failed:
            return ReadResult::Failed;
        case SmallRead::Read:
            break;
    }
    if (text.size() > kMaxProgressBytes) {
        // Six lines never need more; the line the limit cuts through is not read either.
        const std::size_t end = text.find_last_of("\r\n", kMaxProgressBytes - 1);
        text.resize(end == std::string::npos ? 0 : end + 1);
    }
    parseProgress(text, p);
    return ReadResult::Read;
}

GameProgress mergeProgress(const GameProgress& theirs, const GameProgress& base, const GameProgress& mine) {
    GameProgress out = theirs;
    if (mine.ep2Unlocked != base.ep2Unlocked) out.ep2Unlocked = mine.ep2Unlocked;
    for (const ProgressField& f : progressFields()) {
        if (!f.number || mine.*f.number == base.*f.number) continue;
        const bool both = theirs.*f.number != base.*f.number;
        out.*f.number =
            both && f.number != &GameProgress::musicOn ? std::max(mine.*f.number, theirs.*f.number) : mine.*f.number;
    }
    return out;
}

const std::vector<ProgressField>& progressFields() {
    static const std::vector<ProgressField> fields = {
        {"ep2Unlocked", nullptr},
        {"ep1Passed", &GameProgress::ep1Passed},
        {"ep2Passed", &GameProgress::ep2Passed},
        {"ep1BestScore", &GameProgress::ep1BestScore},
        {"ep2BestScore", &GameProgress::ep2BestScore},
        {"musicOn", &GameProgress::musicOn},
    };
    return fields;
}

const ProgressField* findProgressField(std::string_view name) {
    for (const ProgressField& f : progressFields())
        if (name == f.name) return &f;
    return nullptr;
}

std::string progressValue(const GameProgress& p, const ProgressField& f) {
    return f.number ? std::to_string(p.*f.number) : p.ep2Unlocked;
}

std::string progressText(const GameProgress& p) {
    std::string s;
    for (const std::string& field :
         {p.ep2Unlocked, std::to_string(p.ep1Passed), std::to_string(p.ep2Passed), std::to_string(p.ep1BestScore),
          std::to_string(p.ep2BestScore), std::to_string(p.musicOn)}) {
        s += field;
        s += "\r\n";
    }
    return s;
}

bool writeProgress(const std::string& path, const GameProgress& p, std::string* why) {
    std::string error;
    if (replaceFile(path, progressText(p), error)) return true;
    if (why) *why = error;
    std::fprintf(stderr, "skyrend: could not save progress to %s: %s (the previous file is kept)\n", path.c_str(),
                 error.c_str());
    return false;
}

ReadResult ProgressFile::load(GameProgress& p) {
    found_ = readProgress(path_, p);
    return *found_;
}

bool ProgressFile::save(const GameProgress& p) {
    if (!found_) return true;
    error_.clear();
    if (*found_ != ReadResult::Failed) return writeProgress(path_, p, &error_);
    error_ = "it could not be read when the game started";
    std::fprintf(stderr,
                 "skyrend: %s could not be read when the game started, so it is left as it is (this run's progress "
                 "is not saved)\n",
                 path_.c_str());
    return false;
}

}  // namespace sky

// Reading and writing new.dat.
#include "shell/progress.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "runtime/numtext.h"

#include <unistd.h>

namespace sky {

namespace {

// Reads one line into out, up to kMaxProgressLine bytes; the rest of an over-long line is
// skipped. Returns false at the end of the file (nothing left to read).
bool readLine(std::FILE* f, std::string& out, bool& tooLong) {
    out.clear();
    tooLong = false;
    int c = std::fgetc(f);
    if (c == EOF) return false;
    while (c != EOF && c != '\n' && c != '\r') {
        if (out.size() < kMaxProgressLine)
            out.push_back(static_cast<char>(c));
        else
            tooLong = true;
        c = std::fgetc(f);
    }
    if (c == '\r') {
        int d = std::fgetc(f);
        if (d != '\n' && d != EOF) std::ungetc(d, f);
    }
    return true;
}

}  // namespace

ReadResult readProgress(const std::string& path, GameProgress& p) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        if (errno == ENOENT) {
            p.ep2Unlocked = "False";
            p.ep1Passed = p.ep2Passed = p.ep1BestScore = p.ep2BestScore = 0;
            p.musicOn = 1;
            return ReadResult::Missing;
        }
        return ReadResult::Failed;
    }
    std::int16_t* numbers[] = {&p.ep1Passed, &p.ep2Passed, &p.ep1BestScore, &p.ep2BestScore, &p.musicOn};
    std::string line;
    bool tooLong = false;
    for (int counter = 0; counter < 6 && readLine(f, line, tooLong); ++counter) {
        if (tooLong) continue;  // an unreadable line: its field keeps what it held
        if (counter == 0) {
            p.ep2Unlocked = line;
        } else if (auto v = toInt16(line)) {
            *numbers[counter - 1] = *v;
        }
    }
    std::fclose(f);
    return ReadResult::Read;
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

bool writeProgress(const std::string& path, const GameProgress& p) {
    const std::string tmp = path + ".tmp";
    const std::string text = progressText(p);
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    bool ok = f != nullptr;
    if (ok) ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    // On the disk before it replaces the old file, so even a power cut leaves one whole version.
    if (f) ok = (std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0) && ok;
    if (f) ok = (std::fclose(f) == 0) && ok;
    if (ok) ok = std::rename(tmp.c_str(), path.c_str()) == 0;
    if (!ok) {
        std::fprintf(stderr, "skyrend: could not save progress to %s: %s (the previous file is kept)\n", path.c_str(),
                     std::strerror(errno));
        std::remove(tmp.c_str());
    }
    return ok;
}

}  // namespace sky

// Reading and writing new.dat.
#include "shell/progress.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/numtext.h"

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
    // Without blocking: a FIFO or a device in the file's place must not hold up the start.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT) return ReadResult::Failed;
        p.ep2Unlocked = "False";
        p.ep1Passed = p.ep2Passed = p.ep1BestScore = p.ep2BestScore = 0;
        p.musicOn = 1;
        return ReadResult::Missing;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return ReadResult::Failed;
    }
    // Six lines never need more than this; whatever follows is not read at all.
    std::string text(kMaxProgressBytes + 1, '\0');
    std::size_t got = 0;
    while (got < text.size()) {
        const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return ReadResult::Failed;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    text.resize(got);
    if (got > kMaxProgressBytes) {
        // The line the limit cuts through is not read either.
        const std::size_t end = text.find_last_of("\r\n", kMaxProgressBytes - 1);
        text.resize(end == std::string::npos ? 0 : end + 1);
    }
    parseProgress(text, p);
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
    const std::string text = progressText(p);
    // A fresh name beside the file, created exclusively: nothing planted there (a link, a file, a
    // directory, a leftover of a killed save) is followed, overwritten or in the way.
    std::string tmp = path + ".tmp-XXXXXX";
    const int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
    bool ok = fd >= 0;
    if (ok) {
        // mkostemp makes the file private: it gets the old file's permissions, or those of any new
        // file the player makes, and always the game's own reading and writing.
        struct stat old {};
        mode_t mode = 0;
        if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
            mode = old.st_mode & 0777;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        ok = ::fchmod(fd, mode | S_IRUSR | S_IWUSR) == 0;
    }
    for (std::size_t done = 0; ok && done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += static_cast<std::size_t>(n);
    }
    // On the disk before it replaces the old file, so even a power cut leaves one whole version.
    if (ok) ok = ::fsync(fd) == 0;
    if (fd >= 0) ok = ::close(fd) == 0 && ok;
    if (ok) ok = std::rename(tmp.c_str(), path.c_str()) == 0;
    if (!ok) {
        const int error = errno;
        if (fd >= 0) ::unlink(tmp.c_str());
        std::fprintf(stderr, "skyrend: could not save progress to %s: %s (the previous file is kept)\n", path.c_str(),
                     std::strerror(error));
    }
    return ok;
}

ReadResult ProgressFile::load(GameProgress& p) {
    found_ = readProgress(path_, p);
    return *found_;
}

void ProgressFile::save(const GameProgress& p) {
    if (!found_) return;
    if (*found_ != ReadResult::Failed) {
        writeProgress(path_, p);
        return;
    }
    std::fprintf(stderr,
                 "skyrend: %s could not be read when the game started, so it is left as it is (this run's progress "
                 "is not saved)\n",
                 path_.c_str());
}

}  // namespace sky

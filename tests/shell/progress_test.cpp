// The progress file: reading every kind of file, writing byte for byte, and never losing it: not
// when the game is killed while it saves, nor when the disk refuses the save.
#include "shell/progress.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>

#include "runtime/random.h"
#include "support/testfrontend.h"

namespace sky {
namespace {

namespace fs = std::filesystem;

std::string slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

class ProgressFile : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("skyrend-progress-" + std::to_string(::getpid()));
    std::string path = (dir / "new.dat").string();
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }
    void write(const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
    std::string read() { return slurp(path); }
    // Files beside new.dat: temporary files a killed save left.
    int leftovers() const {
        int n = 0;
        for (const auto& e : fs::directory_iterator(dir)) n += e.path() != path;
        return n;
    }
};

struct ReadRow {
    const char* what;
    std::string file;
    GameProgress want;
};

TEST_F(ProgressFile, ReadsWhatTheFileHolds) {
    const ReadRow rows[] = {
        {"a finished episode 1", "True\r\n1\r\n0\r\n153\r\n0\r\n1\r\n", {"True", 1, 0, 153, 0, 1}},
        {"lone line feeds and a last line without an end", "true\n0\n1\n-20\n7\n0", {"true", 0, 1, -20, 7, 0}},
        {"an empty file keeps the start values", "", {"", 0, 0, 0, 0, 0}},
        {"four lines: music stays off", "False\r\n1\r\n1\r\n5\r\n", {"False", 1, 1, 5, 0, 0}},
        {"lines beyond six are ignored", "True\r\n1\r\n1\r\n2\r\n3\r\n1\r\n99\r\nx\r\n", {"True", 1, 1, 2, 3, 1}},
        {"blanks and fractions", " True\r\n 2 \r\n0.4\r\n10.5\r\n11.5\r\n1\r\n", {" True", 2, 0, 10, 12, 1}},
        // One unreadable line costs only its own field; reading goes on past it.
        {"a word where a number belongs", "True\r\n1\r\nabc\r\n40\r\n50\r\n1\r\n", {"True", 1, 0, 40, 50, 1}},
        {"out of range", "True\r\n1\r\n1\r\n40000\r\n50\r\n1\r\n", {"True", 1, 1, 0, 50, 1}},
        {"an empty line", "True\r\n\r\n1\r\n2\r\n3\r\n1\r\n", {"True", 0, 1, 2, 3, 1}},
        {"binary bytes", std::string("True\r\n\x01\x02\xff\r\n1\r\n\0\r\n3\r\n1\r\n", 23), {"True", 0, 1, 0, 3, 1}},
    };
    for (const ReadRow& r : rows) {
        write(r.file);
        GameProgress p;
        EXPECT_EQ(readProgress(path, p), ReadResult::Read) << r.what;
        EXPECT_EQ(progressText(p), progressText(r.want)) << r.what;
    }
}

TEST_F(ProgressFile, AMissingFileIsAFreshStart) {
    GameProgress p;
    EXPECT_EQ(readProgress(path, p), ReadResult::Missing);
    EXPECT_EQ(progressText(p), "False\r\n0\r\n0\r\n0\r\n0\r\n1\r\n");
}

TEST_F(ProgressFile, OnlyTheFewKilobytesSixLinesCanNeedAreRead) {
    // An over-long line costs its field; the limit cuts "12345" after "12", and that line is not read.
    const std::string longLine(5000, 'x'), longer(kMaxProgressBytes - 13, 'x');
    for (auto [file, want] : {std::pair{longLine + "\r\n1\r\n2\r\n3\r\n4\r\n5\r\n", "\r\n1\r\n2\r\n3\r\n4\r\n5\r\n"},
                              {"True\r\n" + longer + "\r\n1\r\n12345\r\n", "True\r\n0\r\n1\r\n0\r\n0\r\n0\r\n"}}) {
        write(file);
        GameProgress p;
        EXPECT_EQ(readProgress(path, p), ReadResult::Read);
        EXPECT_EQ(progressText(p), want);
    }
}

// A directory, a FIFO, a device or a file without permission where new.dat belongs: the start
// reads nothing and does not wait, and the close leaves it as it is and says so.
TEST_F(ProgressFile, AFileThatCannotBeReadIsNeverReplacedByTheClose) {
    const std::string kept = "True\r\n1\r\n1\r\n9\r\n9\r\n1\r\n";
    const struct Row {
        const char* what;
        std::function<bool(const std::string&)> plant;  // false: not possible here
    } rows[] = {
        {"a directory", [](const std::string& p) { return fs::create_directory(p); }},
        {"a FIFO", [](const std::string& p) { return ::mkfifo(p.c_str(), 0600) == 0; }},
        {"a device", [](const std::string& p) { return ::symlink("/dev/zero", p.c_str()) == 0; }},
        {"no permission",
         [&](const std::string& p) {
             std::ofstream(p) << kept;
             ::chmod(p.c_str(), 0);
             return ::geteuid() != 0;  // root reads everything
         }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        fs::remove_all(dir);
        fs::create_directories(dir);
        if (!r.plant(path)) continue;
        const auto before = fs::symlink_status(path).type();
        test::TestGame t(path);
        t.program.showMenu();
        EXPECT_EQ(progressText(t.program.progress()), "\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
        t.program.progress().ep1Passed = 1;
        testing::internal::CaptureStderr();
        t.program.menu().Form_Unload();
        EXPECT_NE(testing::internal::GetCapturedStderr().find("could not be read when the game started"),
                  std::string::npos);
        EXPECT_TRUE(t.program.ended());
        EXPECT_EQ(fs::symlink_status(path).type(), before);
        fs::permissions(path, fs::perms::owner_all);
        if (before == fs::file_type::regular) {
            EXPECT_EQ(read(), kept);
        }
    }
    // A close before the first reading (the desktop ending the game as it starts) saves nothing.
    fs::remove_all(dir);
    fs::create_directories(dir);
    write(kept);
    test::TestGame t(path);
    t.program.menu().Form_Unload();
    EXPECT_EQ(read(), kept);
}

TEST_F(ProgressFile, WritesSixCrLfLinesAndReadsThemBack) {
    GameProgress p{"True", 2, 0, 153, -20, 1};
    ASSERT_TRUE(writeProgress(path, p));
    EXPECT_EQ(read(), "True\r\n2\r\n0\r\n153\r\n-20\r\n1\r\n");
    GameProgress q;
    readProgress(path, q);
    EXPECT_EQ(progressText(q), progressText(p));
    EXPECT_EQ(leftovers(), 0);
}

// Whatever lies at new.dat.tmp (a link planted to another file, a directory, a read-only file)
// is not followed, not overwritten and not in the way.
TEST_F(ProgressFile, NothingPlantedAtTheTemporaryNameIsFollowedOrInTheWay) {
    const std::string tmp = path + ".tmp", victim = (dir / "victim").string();
    const std::function<void()> plants[] = {
        [&] { fs::create_symlink(victim, tmp); },
        [&] { fs::create_symlink(dir / "nowhere", tmp); },
        [&] { fs::create_directory(tmp); },
        [&] {
            std::ofstream(tmp) << "old";
            fs::permissions(tmp, fs::perms::owner_read);
        },
    };
    for (const auto& plant : plants) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::ofstream(victim) << "someone else's";
        plant();
        const auto kind = fs::symlink_status(tmp).type();
        ASSERT_TRUE(writeProgress(path, GameProgress{"True", 1, 0, 9, 0, 1}));
        EXPECT_EQ(read(), "True\r\n1\r\n0\r\n9\r\n0\r\n1\r\n");
        EXPECT_EQ(slurp(victim), "someone else's");
        EXPECT_EQ(fs::symlink_status(tmp).type(), kind);
        EXPECT_EQ(leftovers(), 2);
    }
}

// Save number n: every field tells n apart, and the unlock line makes the file a few kilobytes
// long, so that a kill often lands in the middle of writing it.
GameProgress version(std::uint32_t n) {
    GameProgress p;
    p.ep2Unlocked = (n % 2 ? "True" : "False") + std::string(1000 + n % 3000, static_cast<char>('a' + n % 26));
    p.ep1Passed = static_cast<std::int16_t>(n % 3);
    p.ep2Passed = static_cast<std::int16_t>(n % 2);
    p.ep1BestScore = static_cast<std::int16_t>(n & 0x7fff);
    p.ep2BestScore = static_cast<std::int16_t>(n >> 15);
    p.musicOn = static_cast<std::int16_t>(n % 2);
    return p;
}

// Which save the file holds, or -1 when it is none of them whole.
long long whichVersion(const std::string& path) {
    GameProgress p;
    if (readProgress(path, p) != ReadResult::Read) return -1;
    if (p.ep1BestScore < 0 || p.ep2BestScore < 0) return -1;
    const auto n = static_cast<std::uint32_t>(p.ep1BestScore) | static_cast<std::uint32_t>(p.ep2BestScore) << 15;
    return slurp(path) == progressText(version(n)) ? n : -1;
}

TEST_F(ProgressFile, KilledWhileSavingTheFileIsTheLastSaveOrTheOneUnderWay) {
    ASSERT_TRUE(writeProgress(path, version(0)));
    Random rnd(7);
    std::uint32_t next = 1;
    int torn = 0, midWrite = 0;
    const int rounds = 300;
    for (int round = 0; round < rounds; ++round) {
        int pipeFds[2];
        ASSERT_EQ(::pipe(pipeFds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // The game saving again and again; it tells the test each save that completed.
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            ::close(pipeFds[0]);
            for (std::uint32_t n = next; n < next + 1000000; ++n) {
                if (!writeProgress(path, version(n))) ::_exit(2);
                if (::write(pipeFds[1], &n, sizeof n) != sizeof n) ::_exit(3);
            }
            ::_exit(0);
        }
        ::close(pipeFds[1]);
        // Let it get going, then kill it at a random moment.
        ::usleep(static_cast<useconds_t>(rnd.range(6000, 100)));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child ended by itself, status " << status;
        // The last save it reported, and so the one that may have been in flight.
        std::uint32_t last = next - 1, n = 0;
        while (::read(pipeFds[0], &n, sizeof n) == sizeof n) last = n;
        ::close(pipeFds[0]);

        const long long held = whichVersion(path);
        if (held < 0) ++torn;
        EXPECT_TRUE(held == last || held == last + 1)
            << "round " << round << ": the file holds save " << held << " after save " << last << " completed";
        if (leftovers() > 0) ++midWrite;
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path() != path) fs::remove(e.path());
        next = static_cast<std::uint32_t>(held + 1 > last + 1 ? held + 1 : last + 1);
        if (::testing::Test::HasFailure()) break;
    }
    EXPECT_EQ(torn, 0);
    // The kills really hit saves under way (a temporary file left behind), not only the gaps.
    EXPECT_GT(midWrite, 0) << "no kill landed inside a save in " << rounds << " rounds";
    std::cout << rounds << " kills, " << midWrite << " in the middle of a save, last save " << next - 1 << "\n";

    // The next start reads the file the killed game left, and saving after it works as ever.
    GameProgress p;
    EXPECT_EQ(readProgress(path, p), ReadResult::Read);
    EXPECT_EQ(progressText(p), read());
    EXPECT_TRUE(writeProgress(path, version(next)));
    EXPECT_EQ(whichVersion(path), next);
    EXPECT_EQ(leftovers(), 0);
}

TEST_F(ProgressFile, ASaveThatCannotBeWrittenKeepsTheOldFileAndTheGameStillQuits) {
    const std::string old = progressText(GameProgress{"True", 1, 0, 153, 12, 0});
    write(old);
    test::TestGame t(path);
    t.program.showMenu();
    t.program.progress().ep2Unlocked = std::string(1000, 'x');  // a game played since: something new to save
    // The disk is full: it takes only the first few hundred bytes (enough for the message on stderr).
    rlimit was{};
    ::getrlimit(RLIMIT_FSIZE, &was);
    const auto sigxfsz = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = was;
    tiny.rlim_cur = 512;
    ::setrlimit(RLIMIT_FSIZE, &tiny);
    testing::internal::CaptureStderr();
    t.program.menu().Form_Unload();
    ::setrlimit(RLIMIT_FSIZE, &was);
    std::signal(SIGXFSZ, sigxfsz);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("could not save progress"), std::string::npos) << err;
    EXPECT_TRUE(t.program.ended());
    EXPECT_TRUE(t.fe.quitCalled);
    EXPECT_EQ(read(), old);
    EXPECT_EQ(leftovers(), 0);
}

// Two tabs, one storage: what either changed survives the other's save.
TEST(MergeProgress, EachSideKeepsWhatItChanged) {
    const GameProgress base{"False", 0, 0, 10, 4, 1};
    struct Row {
        GameProgress theirs, mine, want;
    } rows[] = {
        {{"True", 1, 0, 25, 4, 1}, {"False", 0, 0, 10, 4, 0}, {"True", 1, 0, 25, 4, 0}},    // they won, I muted
        {{"False", 0, 0, 25, 4, 1}, {"False", 0, 0, 3, 4, 1}, {"False", 0, 0, 25, 4, 1}},   // both scored: the larger
        {{"False", 0, 0, 10, 4, 1}, {"True", 1, 1, 30, 9, 0}, {"True", 1, 1, 30, 9, 0}},    // only I played
        {{"False", 0, 0, 10, 4, 0}, {"False", 0, 0, 10, 4, 1}, {"False", 0, 0, 10, 4, 0}},  // I changed nothing
    };
    for (const Row& r : rows)
        EXPECT_EQ(progressText(mergeProgress(r.theirs, base, r.mine)), progressText(r.want)) << progressText(r.theirs);
}

}  // namespace
}  // namespace sky

// The progress file: reading every kind of file, writing byte for byte, and never losing it: not
// when the game is killed while it saves, nor when the disk refuses the save.
#include "shell/progress.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
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

TEST_F(ProgressFile, AMissingFileIsAFreshStartAndAnUnopenableOneReadsNothing) {
    GameProgress p;
    EXPECT_EQ(readProgress(path, p), ReadResult::Missing);
    EXPECT_EQ(progressText(p), "False\r\n0\r\n0\r\n0\r\n0\r\n1\r\n");

    if (::geteuid() != 0) {  // root reads everything
        write("True\r\n1\r\n1\r\n9\r\n9\r\n1\r\n");
        fs::permissions(path, fs::perms::none);
        GameProgress q;
        EXPECT_EQ(readProgress(path, q), ReadResult::Failed);
        EXPECT_EQ(progressText(q), "\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    }
}

TEST_F(ProgressFile, AnAbsurdFileIsReadInBoundedTimeAndMemory) {
    // A line of megabytes where the unlock text belongs, then a million short lines.
    {
        std::ofstream f(path, std::ios::binary);
        f << std::string(8 << 20, 'x') << "\r\n";
        for (int i = 0; i < 1000000; ++i) f << "7\r\n";
    }
    GameProgress p;
    EXPECT_EQ(readProgress(path, p), ReadResult::Read);
    EXPECT_EQ(p.ep2Unlocked, "");  // the over-long line is unreadable
    EXPECT_EQ(p.ep1Passed, 7);
    EXPECT_EQ(p.musicOn, 7);
}

TEST_F(ProgressFile, WritesSixCrLfLinesAndReadsThemBack) {
    GameProgress p{"True", 2, 0, 153, -20, 1};
    ASSERT_TRUE(writeProgress(path, p));
    EXPECT_EQ(read(), "True\r\n2\r\n0\r\n153\r\n-20\r\n1\r\n");
    GameProgress q;
    readProgress(path, q);
    EXPECT_EQ(progressText(q), progressText(p));
    EXPECT_FALSE(fs::exists(path + ".tmp"));
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
        if (fs::exists(path + ".tmp")) ++midWrite;
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
    EXPECT_FALSE(fs::exists(path + ".tmp"));
}

TEST_F(ProgressFile, ASaveThatCannotBeWrittenKeepsTheOldFileAndTheGameStillQuits) {
    struct Row {
        const char* what;
        bool (*block)(const std::string& tmp);  // makes the save fail; false when not possible here
    } rows[] = {
        {"the disk is full",
         [](const std::string& tmp) {
             std::error_code ec;
             fs::create_symlink("/dev/full", tmp, ec);
             return !ec && fs::exists("/dev/full");
         }},
        {"the temporary file cannot be created", [](const std::string& tmp) { return fs::create_directory(tmp); }},
    };
    const std::string old = progressText(GameProgress{"True", 1, 0, 153, 12, 0});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::ofstream(path, std::ios::binary) << old;
        test::TestGame t(path);
        Program& program = t.program;
        program.showMenu();
        program.progress().ep2BestScore = 99;  // a game played since: something new to save
        if (!row.block(path + ".tmp")) {
            ADD_FAILURE() << "cannot set up the failure";
            continue;
        }
        testing::internal::CaptureStderr();
        program.menu().Form_Unload();
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find("could not save progress"), std::string::npos) << err;
        EXPECT_TRUE(program.ended());
        EXPECT_TRUE(t.fe.quitCalled);
        EXPECT_EQ(read(), old);
    }
}

}  // namespace
}  // namespace sky

// The progress file: reading every kind of file, writing byte for byte, and never losing it.
#include "shell/progress.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace sky {
namespace {

namespace fs = std::filesystem;

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
    std::string read() {
        std::ifstream f(path, std::ios::binary);
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
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
        EXPECT_EQ(p.ep2Unlocked, r.want.ep2Unlocked) << r.what;
        EXPECT_EQ(p.ep1Passed, r.want.ep1Passed) << r.what;
        EXPECT_EQ(p.ep2Passed, r.want.ep2Passed) << r.what;
        EXPECT_EQ(p.ep1BestScore, r.want.ep1BestScore) << r.what;
        EXPECT_EQ(p.ep2BestScore, r.want.ep2BestScore) << r.what;
        EXPECT_EQ(p.musicOn, r.want.musicOn) << r.what;
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

TEST_F(ProgressFile, AFailedWriteKeepsTheOldFile) {
    write("True\r\n1\r\n0\r\n153\r\n0\r\n1\r\n");
    // A directory in the way of the temporary file makes the write fail before the old file is touched.
    fs::create_directory(path + ".tmp");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(writeProgress(path, GameProgress{"False", 0, 0, 0, 0, 0}));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("could not save progress"), std::string::npos);
    EXPECT_EQ(read(), "True\r\n1\r\n0\r\n153\r\n0\r\n1\r\n");
}

}  // namespace
}  // namespace sky

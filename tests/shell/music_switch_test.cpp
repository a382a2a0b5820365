// The music switch survives the run: quitting stores it in new.dat, the next run starts by it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "scenario/runner.h"

namespace sky {
namespace {

namespace fs = std::filesystem;

// Runs each scenario in turn in one scratch working directory, so each run sees the new.dat the
// previous one left; returns what each run printed and what new.dat held after it.
struct RunResult {
    int rc;
    std::string out, err, newDat;
};

std::vector<RunResult> runInOneDirectory(const std::vector<const char*>& scenarios) {
    fs::path dir = fs::temp_directory_path() / ("skyrend-music-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::path old = fs::current_path();
    fs::current_path(dir);
    std::vector<RunResult> runs;
    for (const char* s : scenarios) {
        std::ostringstream out, err;
        RunResult r;
        r.rc = runScenario(s, "test.scn", out, err);
        r.out = out.str();
        r.err = err.str();
        std::ifstream f("new.dat", std::ios::binary);
        std::stringstream bytes;
        bytes << f.rdbuf();
        r.newDat = bytes.str();
        runs.push_back(r);
    }
    fs::current_path(old);
    fs::remove_all(dir);
    return runs;
}

TEST(MusicSwitch, SwitchedOffStaysOffInTheNextRunAndOnAgainAfterTicking) {
    std::vector<RunResult> runs = runInOneDirectory({
        "menu\nclick Check1\nquit\n",
        "menu\nexpect menu.Check1.Value 0\nexpect menu.Timer1.Enabled False\nrun 80000\nexpect music \"\"\n"
        "click Check1\nquit\n",
        "menu\nexpect menu.Check1.Value 1\nexpect music Open,Play,Open,Play\nquit\n",
    });
    ASSERT_EQ(runs.size(), 3u);
    for (const RunResult& r : runs) EXPECT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(runs[0].newDat, "False\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    EXPECT_EQ(runs[1].newDat, "False\r\n0\r\n0\r\n0\r\n0\r\n1\r\n");
    // A run with music off leaves the player alone until the box is ticked; closing always closes.
    EXPECT_EQ(runs[1].out, "music Open\nmusic Play\nmusic Close\n");
}

}  // namespace
}  // namespace sky

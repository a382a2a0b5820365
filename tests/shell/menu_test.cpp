// The menu's activation and closing, as the progress file sees them, and the runner's errors.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "scenario/runner.h"

namespace sky {
namespace {

namespace fs = std::filesystem;

// Runs scenarios one after the other in a scratch working directory that starts with `file` as
// new.dat (none if nullptr), so each run sees the file the one before left.
struct ScenarioRun {
    int rc;
    std::string out, err, newDat;
};

std::vector<ScenarioRun> runIn(std::vector<std::string> scenarios, const char* file) {
    fs::path dir = fs::temp_directory_path() / ("skyrend-menu-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    if (file) std::ofstream(dir / "new.dat", std::ios::binary) << file;
    fs::path old = fs::current_path();
    fs::current_path(dir);
    std::vector<ScenarioRun> runs;
    for (const std::string& scenario : scenarios) {
        std::ostringstream out, err, dat;
        const int rc = runScenario(scenario, "test.scn", out, err);
        dat << std::ifstream("new.dat", std::ios::binary).rdbuf();
        runs.push_back({rc, out.str(), err.str(), dat.str()});
    }
    fs::current_path(old);
    fs::remove_all(dir);
    return runs;
}
ScenarioRun runIn(const std::string& scenario, const char* file) {
    return runIn(std::vector<std::string>{scenario}, file)[0];
}

TEST(Menu, QuittingWritesTheProgressFileByteForByte) {
    struct Row {
        const char* what;
        const char* before;  // nullptr: no file
        const char* scenario;
        const char* after;
    } rows[] = {
        {"first run", nullptr, "menu\nquit\n", "False\r\n0\r\n0\r\n0\r\n0\r\n1\r\n"},
        {"a seventh line is dropped, a 2 stays a 2", "True\r\n2\r\n0\r\n153\r\n0\r\n1\r\nextra\r\n", "menu\nquit\n",
         "True\r\n2\r\n0\r\n153\r\n0\r\n1\r\n"},
        {"music switched off", nullptr, "menu\nclick Check1\nexpect musicOn 0\nquit\n",
         "False\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"},
        {"an empty file writes empty text and zeros", "", "menu\nquit\n", "\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"},
        {"a best score raised by an episode", nullptr, "menu\nclick Command1\nset score 42\nkey Esc\nquit\n",
         "False\r\n0\r\n0\r\n42\r\n0\r\n1\r\n"},
        {"the quit button", nullptr, "menu\nclick Command5\n", "False\r\n0\r\n0\r\n0\r\n0\r\n1\r\n"},
    };
    for (const Row& r : rows) {
        ScenarioRun run = runIn(r.scenario, r.before);
        EXPECT_EQ(run.rc, 0) << r.what << "\n" << run.err;
        EXPECT_EQ(run.newDat, r.after) << r.what;
    }
}

TEST(Menu, TheMusicSwitchIsKeptForTheNextRun) {
    const std::vector<ScenarioRun> runs =
        runIn({"menu\nclick Check1\nquit\n",
               "menu\nexpect menu.Check1.Value 0\nexpect menu.Timer1.Enabled False\nrun 80000\nclick Check1\nquit\n",
               "menu\nexpect menu.Check1.Value 1\nquit\n"},
              nullptr);
    for (const ScenarioRun& r : runs) EXPECT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(runs[0].newDat, "False\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    EXPECT_EQ(runs[1].newDat, "False\r\n0\r\n0\r\n0\r\n0\r\n1\r\n");
    // Music off leaves the player alone until the box is ticked; closing always closes.
    EXPECT_EQ(runs[1].out, "music Open\nmusic Play\nmusic Close\n");
}

TEST(Runner, ReportsFailedExpectationsAndStopsAtLinesItCannotRead) {
    ScenarioRun failed = runIn("menu\nexpect menu.Label5 9.99\nexpect menu.Label5 1.03\n", nullptr);
    EXPECT_EQ(failed.rc, 1);
    EXPECT_EQ(failed.err, "test.scn:2: expected menu.Label5=9.99, got 1.03\n");

    ScenarioRun unknown = runIn("menu\nprint nosuchthing\nquit\n", nullptr);
    EXPECT_EQ(unknown.rc, 2);
    EXPECT_EQ(unknown.err.rfind("test.scn:2:", 0), 0u);
    EXPECT_EQ(unknown.newDat, "");  // nothing ran after the bad line

    ScenarioRun range =
        runIn("seed 3\nopen 1\nexpect o1.Left 0..623\nexpect fuel 2300..2300\nexpect fuel 1..2\n", nullptr);
    EXPECT_EQ(range.rc, 1);
}

}  // namespace
}  // namespace sky

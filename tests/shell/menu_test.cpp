// The menu's activation and closing, as the progress file sees them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "scenario/runner.h"

namespace sky {
namespace {

namespace fs = std::filesystem;

// Runs a scenario in a scratch working directory holding `file` as new.dat (none if empty
// optional) and returns what new.dat holds afterwards.
struct ScenarioRun {
    int rc;
    std::string out, err, newDat;
};

ScenarioRun runIn(const std::string& scenario, const char* file) {
    fs::path dir = fs::temp_directory_path() / ("skyrend-menu-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    if (file) std::ofstream(dir / "new.dat", std::ios::binary) << file;
    fs::path old = fs::current_path();
    fs::current_path(dir);
    std::ostringstream out, err;
    ScenarioRun r;
    r.rc = runScenario(scenario, "test.scn", out, err);
    fs::current_path(old);
    r.out = out.str();
    r.err = err.str();
    std::ifstream f(dir / "new.dat", std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    r.newDat = ss.str();
    fs::remove_all(dir);
    return r;
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

TEST(Menu, ClosingSendsCloseAfterWritingAndEndsTheRun) {
    ScenarioRun run = runIn("menu\nquit\nexpect screen menu\n", nullptr);
    EXPECT_EQ(run.rc, 0) << run.err;  // nothing after quit runs
    EXPECT_NE(run.out.find("music Close"), std::string::npos);
}

TEST(Menu, BestScoreRisesOnlyWhenStrictlyGreater) {
    ScenarioRun run = runIn(
        "menu\nprogress ep1BestScore 30\nclick Command1\nset score 30\nkey Esc\nexpect ep1BestScore 30\n"
        "progress ep1BestScore 0\nclick Command1\nset score -5\nkey Esc\nexpect ep1BestScore 0\n"
        "progress ep2Unlocked True\nactivate\nclick Command2\nset score 9\nkey Esc\nexpect ep2BestScore 9\n",
        nullptr);
    EXPECT_EQ(run.rc, 0) << run.err;
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

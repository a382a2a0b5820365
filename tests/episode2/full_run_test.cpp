// A whole game of episode 2, played on the real timers, must leave the win in the progress file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "scenario/runner.h"

namespace sky {
namespace {

namespace fs = std::filesystem;

std::string fileText(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

TEST(Episode2FullRun, TenRescuesToTheVictoryAreWrittenToTheProgressFile) {
    const fs::path scenarios = fs::absolute(fs::path(__FILE__).parent_path().parent_path() / "scenarios");
    const fs::path work = fs::temp_directory_path() / ("skyrend-ep2-run-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::create_directories(work);
    fs::copy_file(scenarios / "ep2_full_run.dat", work / "new.dat");
    const fs::path before = fs::current_path();
    fs::current_path(work);
    std::ostringstream out, err;
    const int rc = runScenarioFile((scenarios / "ep2_full_run.scn").string(), out, err);
    const std::string written = fileText(work / "new.dat");
    fs::current_path(before);
    fs::remove_all(work);

    EXPECT_EQ(rc, 0) << err.str();
    // Episode 2 passed, its best score raised from 7 to 11; everything else as it was.
    EXPECT_EQ(written, "True\r\n1\r\n1\r\n40\r\n11\r\n0\r\n");
}

}  // namespace
}  // namespace sky

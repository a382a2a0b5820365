// Scenario files: a number that is not finite or lies out of range is a line the runner cannot
// understand; nothing runs for ever or floods the output.
#include "scenario/runner.h"

#include <gtest/gtest.h>

#include <sstream>

namespace sky {
namespace {

TEST(ScenarioFile, NumbersMustBeFiniteAndInRange) {
    std::istringstream lines(
        "run 9e15\nrun nan\nrun -inf\nrun -1\nfire pohyb 1e9\nfire pohyb 2.5\nfire pohyb inf\nset speed nan\n"
        "set speed inf\nset fuel 1e300\nsprite dravik 1e300 0\nsprite dravik 0 nan\nanswer ok after 1e12\n"
        "answer ok after nan\nseed 1e30\nseed 1.5\nkey nan\nkey 1e10\n");
    for (std::string line; std::getline(lines, line);) {
        std::ostringstream out, err;
        EXPECT_EQ(runScenario("seed 1\nopen 1\n" + line + "\nexpect screen Form1\n", "f.scn", out, err), 2) << line;
        EXPECT_EQ(err.str().rfind("f.scn:3: ", 0), 0u) << line << ": " << err.str();
    }
}

}  // namespace
}  // namespace sky

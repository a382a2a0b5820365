// Scenario files: a number that is not finite or lies out of range is a line the runner cannot
// understand; nothing runs for ever or floods the output.
#include "scenario/runner.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/shown.h"

namespace sky {
namespace {

TEST(ScenarioFile, NumbersMustBeFiniteAndInRange) {
    std::istringstream lines(
        "run 9e15\nrun nan\nrun -inf\nrun -1\nfire pohyb 1e9\nfire pohyb 2.5\nfire pohyb inf\nset speed nan\n"
        "set speed inf\nset fuel 1e300\nsprite dravik 1e300 0\nsprite dravik 0 nan\nanswer ok after 1e12\n"
        "answer ok after nan\nseed 1e30\nseed 1.5\nseed 9007199254740993\nkey nan\nkey 1e10\n");
    for (std::string line; std::getline(lines, line);) {
        std::ostringstream out, err;
        EXPECT_EQ(runScenario("seed 1\nopen 1\n" + line + "\nexpect screen Form1\n", "f.scn", out, err), 2) << line;
        EXPECT_EQ(err.str().rfind("f.scn:3: ", 0), 0u) << line << ": " << err.str();
    }
}

// A line of the file and the file's own name are shown quoted: no terminal escapes, no page-long lines.
TEST(ScenarioFile, ErrorsQuoteWhatTheFileSays) {
    const std::string esc = "\x1b]0;title\x07\xc2\x9b" + std::string(300, 'x') + "\xff";
    for (const std::string& text :
         {"sprite " + esc + " 1 2\n", "fly " + esc + "\n", "print " + esc + "\n", "expect score " + esc + "\n"}) {
        std::ostringstream out, err;
        EXPECT_NE(runScenario("open 1\n" + text, "a\x1b[2J.scn", out, err), 0) << text;
        EXPECT_TRUE(test::safeToShow(err.str().substr(0, err.str().size() - 1))) << err.str();
        EXPECT_LT(err.str().size(), 300u) << err.str();
    }
}

}  // namespace
}  // namespace sky

// Sound cues as the scenario runner prints them: a bomb released over a house, then its
// explosion, each at the moment the rule acts.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "scenario/runner.h"

namespace sky {
namespace {

TEST(Cues, BombOnAHouse) {
    const std::string scenario = R"(seed 3
open 1
timer pohyb off
timer Timer3 off
timer Timer8 off
sprite dravik 64 327
sprite dom1 80 360
key Space
print score
run 100
print score
)";
    std::ostringstream out, err;
    ASSERT_EQ(runScenario(scenario, "cues", out, err), 0) << err.str();
    std::vector<std::string> seen;
    std::istringstream lines(out.str());
    for (std::string l; std::getline(lines, l);)
        if (l.rfind("cue ", 0) == 0 || l.rfind("score", 0) == 0) seen.push_back(l);
    const std::vector<std::string> expected{"cue bomb", "score=0", "cue explosion", "score=1"};
    EXPECT_EQ(seen, expected) << out.str();
}

}  // namespace
}  // namespace sky

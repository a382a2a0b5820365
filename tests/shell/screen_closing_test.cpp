// A screen closed while one of its handlers still waits in a message box is torn down once.
#include <gtest/gtest.h>

#include <sstream>

#include "scenario/runner.h"

namespace sky {
namespace {

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(ScreenClosing, TwoEndingsAtOnceCloseTheScreenOnce) {
    // The lighthouse is missed while the fuel runs out: the loss box stays open half a second,
    // during which the fuel clock shows its own box and closes the screen; the loss handler
    // then returns into the closed screen and must not tear it down again.
    const char* scenario =
        "seed 1\n"
        "open 2\n"
        "set fuel 1\n"
        "sprite majak -45 374\n"
        "answer ok after 500\n"
        "answer ok\n"
        "run 1000\n"
        "expect messages 2\n"
        "expect screen menu\n"
        "expect progressLoaded 1\n";
    std::ostringstream out, err;
    EXPECT_EQ(runScenario(scenario, "closing.scn", out, err), 0) << err.str();
    EXPECT_EQ(count(out.str(), "closed Form2"), 1) << out.str();
    EXPECT_EQ(count(out.str(), "message Prehra"), 1);
    EXPECT_EQ(count(out.str(), "message Nedostatok paliva"), 1);
}

}  // namespace
}  // namespace sky

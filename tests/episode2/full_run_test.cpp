// A whole game of episode 2 on the real timers: ten lighthouses, each hovered over from the
// ground line, to the victory and the progress file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "episode2/form2.h"
#include "game/screens.h"
#include "support/headless.h"

namespace sky {
namespace {

// Keeps the aircraft on the ground line, stops it over each lighthouse and flies on after the
// rescue: the way a player rescues.
void pilot(Form2& s, double& rescued) {
    if (s.tilt > 0)
        s.Form_KeyDown(kKeyDown);  // the start lifts the nose: come down
    else if (s.tilt == 0 && s.edgeContact == 0 && s.edgeRelease == 0 && s.dravik.Top < s.Line1.Y1)
        s.Form_KeyDown(kKeyDown);
    if (s.level > rescued) {
        rescued = s.level;
        while (s.speed < 7) s.Form_KeyDown(kKeyRight);  // on to the next one
    } else if (s.majak.Left <= 140 && s.majak.Left >= 60) {
        while (s.speed > 0) s.Form_KeyDown(kKeyLeft);  // hover over the lighthouse
    }
}

TEST(Episode2FullRun, TenRescuesThroughTheRealTimersToTheVictoryAndTheProgressFile) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("skyrend-ep2-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path file = dir / "new.dat";
    std::ofstream(file, std::ios::binary) << "True\r\n1\r\n0\r\n40\r\n7\r\n0\r\n";
    {
        test::HeadlessFrontEnd fe;
        Program program(fe, gameScreens(), file.string());
        fe.program = &program;
        program.menu().Form_Activate();
        program.setNextSeed(1);  // a sky where no F16 flies low enough to meet the aircraft on the ground
        program.menu().Command2_Click();
        auto* s = dynamic_cast<Form2*>(program.screen());
        ASSERT_NE(s, nullptr);
        double rescued = 0, score = 0;
        for (int step = 0; step < 40000 && !s->closed(); ++step) {
            pilot(*s, rescued);
            program.scheduler().advance(ms(10));
            if (!s->closed()) score = s->score;
        }
        ASSERT_TRUE(s->closed());
        EXPECT_EQ(rescued, 9);  // the tenth rescue ends the game inside its own tick
        ASSERT_FALSE(fe.messages.empty());
        EXPECT_EQ(fe.messages.back().rfind("Zachránil si všetkých ľudí", 0), 0u) << fe.messages.back();
        GameProgress& p = program.progress();
        EXPECT_EQ(p.ep2Passed, 1);
        EXPECT_GE(score, 18);  // two points a rescue, and the stars on the way
        EXPECT_EQ(p.ep2BestScore, std::max(7, static_cast<int>(score) + 2));
        program.menu().Form_Unload();
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        EXPECT_EQ(text.str(), "True\r\n1\r\n1\r\n40\r\n" + std::to_string(p.ep2BestScore) + "\r\n0\r\n");
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace sky

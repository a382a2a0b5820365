// The settings file: missing or broken gives the defaults without a word, a saved file reads
// back as saved, a value that does not read falls back for its own setting only.
#include "qt/settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "qt_support.h"

namespace sky::qt {
namespace {

TEST(SettingsFile, MissingBrokenAndRoundTrip) {
    test::app();
    const auto dir = test::scratchDir("settings");
    const QString path = QString::fromStdString((dir / "skyrend" / "skyrend.conf").string());
    const SettingsFile file(path);
    const Settings defaults;

    Settings s = file.load();  // missing, its directory too
    EXPECT_EQ(s.soundEffects, defaults.soundEffects);
    EXPECT_EQ(s.smoothMotion, defaults.smoothMotion);

    s.soundEffects = false;
    s.smoothMotion = false;
    s.musicVolume = 0;
    s.effectsVolume = 37;
    s.fillScreen = true;
    s.scale = 3;
    ASSERT_TRUE(file.save(s));
    s = file.load();
    EXPECT_FALSE(s.soundEffects);
    EXPECT_FALSE(s.smoothMotion);
    EXPECT_EQ(s.musicVolume, 0);
    EXPECT_EQ(s.effectsVolume, 37);
    EXPECT_TRUE(s.fillScreen);
    EXPECT_EQ(s.scale, 3);

    struct Row {
        const char* text;
        bool sounds, smooth;
        int music = 100;
        bool fill = false;
    };
    const Row rows[] = {
        {"\x01\xff\xfe garbage [[[ =\n\0\0", true, true},
        {"[General]\nsounds=maybe\nmotion=classic\nmusic_volume=101\nfill=screen\n", true, false, 100, true},
        {"[General]\nsounds=false\nmotion=jerky\nmusic_volume= 0\nfill=stretch\n", false, true, 0},
        {"[General]\nmusic_volume=-1\n", true, true},
        {"", true, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        std::ofstream(path.toStdString(), std::ios::binary | std::ios::trunc) << r.text;
        s = file.load();
        EXPECT_EQ(s.soundEffects, r.sounds);
        EXPECT_EQ(s.smoothMotion, r.smooth);
        EXPECT_EQ(s.musicVolume, r.music);
        EXPECT_EQ(s.fillScreen, r.fill);
    }
    // A save changes its own keys only: others, and other sections, stay as they were.
    std::ofstream(path.toStdString(), std::ios::binary | std::ios::trunc)
        << "[General]\nvolume=3\nsounds=false\n\n[Other]\nsounds=false\n";
    s = file.load();
    EXPECT_FALSE(s.soundEffects);
    s.soundEffects = true;
    ASSERT_TRUE(file.save(s));
    std::stringstream saved;
    saved << std::ifstream(path.toStdString()).rdbuf();
    EXPECT_EQ(
        saved.str(),
        "[General]\nvolume=3\nsounds=true\nmotion=smooth\nscale=auto\nfullscreen=false\nfill=whole\nmusic_volume="
        "100\neffects_volume=100\n\n[Other]\nsounds=false\n");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace sky::qt

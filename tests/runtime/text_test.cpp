// The catalogue: texts by name with their numbers, in either language, and which language a
// player gets.
#include <gtest/gtest.h>

#include "runtime/text.h"

namespace sky {
namespace {

TEST(Text, ArgumentsGoWhereEachLanguagePutsThem) {
    const auto sk = Language::Slovak, en = Language::English;
    struct Row {
        std::string got;
        const char* want;
    } rows[] = {
        {text(sk, TextId::MenuBestScore, {12}), "Naj skóre: 12"},
        {text(en, TextId::MenuBestScore, {-3}), "Best score: -3"},
        {text(sk, TextId::Ep1RepairAsk, {55, 40}),
         "Máš skóre 55 a si poškodený, chceš opraviť Dravik? Ale pozor oprava ti uberie 40 bodov zo skóre."},
        {text(en, TextId::Ep2RepairAsk, {20, 6}),
         "With the score you have earned you can repair Dravik's damage, but the repair costs 20 points of your "
         "score and gives you 6 extra missiles. Do you want to repair Dravik?"},
        {text(sk, TextId::Ep2HitsLost, {3}), "Bol si 3 krát zasiahnutý raketou. Prehral si."},
        {text(en, TextId::HelpDashSpeed, {2229.5}), "speed, 2229.5 at most (less after each damage)"},
        {text(sk, TextId::AboutVersion, {"1.03"}), "Verzia: 1.03"},
        {text(en, TextId::CliBadScale, {16, "x%1"}), "--scale is a whole number from 1 to 16 or auto, not 'x%1'"},
        {text(sk, TextId::BoxYes, {}), "Áno"},
        {text(en, TextId::BoxNo, {}), "No"},
        {text(sk, TextId::HelpLanding4, {40, 5, 200}),
         "Na zemi, ak máš skóre aspoň 40 a poškodenie, hra sa ťa opýta na opravu: 40 bodov za každé poškodenie, "
         "najviac dve; každá oprava dá 5 bômb a 200 k najvyššej rýchlosti."},
    };
    for (const Row& r : rows) EXPECT_EQ(r.got, r.want);

    // The game's language is Slovak until a front end sets another.
    EXPECT_EQ(text(TextId::Pause), "Pauza");
    setLanguage(en);
    EXPECT_EQ(text(TextId::Pause), "Paused");
    setLanguage(sk);

    // Every text has its English and is found by its name.
    for (int i = 1; i < kTextCount; ++i) {
        const auto id = static_cast<TextId>(i);
        EXPECT_NE(text(en, id), "") << textName(id);
        EXPECT_EQ(textByName(textName(id)), id);
    }
    EXPECT_EQ(textByName("NoSuchText"), std::nullopt);
}

TEST(Text, ChoiceThenRememberedThenLocale) {
    const auto sk = Language::Slovak, en = Language::English;
    struct Row {
        std::optional<Language> choice;
        const char* remembered;
        const char* locale;
        Language want;
    } rows[] = {
        {{}, "", "en_GB.UTF-8", en}, {{}, "", "en", en},      {{}, "", "en-US", en},
        {{}, "", "sk_SK.UTF-8", sk}, {{}, "", "", sk},        {{}, "", "eng", sk},
        {{}, "", "C.UTF-8", sk},     {{}, "sk", "en_US", sk}, {{}, "en", "sk_SK", en},
        {{}, "xx", "en_US", en},     {sk, "en", "en_US", sk}, {en, "sk", "sk_SK", en},
    };
    for (const Row& r : rows)
        EXPECT_EQ(chooseLanguage(r.choice, r.remembered, r.locale), r.want) << r.remembered << " " << r.locale;
}

}  // namespace
}  // namespace sky

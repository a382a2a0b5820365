// The windows' language: which one a player gets, the English translation being whole, and the
// scale the game screen opens at.
#include <QFile>
#include <QXmlStreamReader>
#include <set>
#include <string>

#include "qt/helppage.h"
#include "qt/language.h"
#include "qt/scalefit.h"
#include "qt_support.h"
#include "shell/about.h"
#include "shell/menu.h"
#include "shell/pravidla.h"

namespace sky::qt {
namespace {

TEST(Language, OptionThenSettingThenLocale) {
    const auto sk = Language::Slovak, en = Language::English;
    struct Row {
        std::optional<Language> option;
        const char* setting;
        const char* locale;
        Language want;
    } rows[] = {
        {{}, "", "en_GB.UTF-8", en}, {{}, "", "en", en},      {{}, "", "sk_SK.UTF-8", sk}, {{}, "", "", sk},
        {{}, "", "eng", sk},         {{}, "", "C.UTF-8", sk}, {{}, "sk", "en_US", sk},     {{}, "en", "sk_SK", en},
        {{}, "xx", "en_US", en},     {sk, "en", "en_US", sk}, {en, "sk", "sk_SK", en},
    };
    for (const Row& r : rows)
        EXPECT_EQ(chooseLanguage(r.option, r.setting, r.locale), r.want) << r.setting << " " << r.locale;
}

// Every message of the .ts files is translated, with the same numbers in it; every text of the
// menu, rules, about and help windows has a message; composed texts take their numbers along.
TEST(Language, EnglishTranslationIsWhole) {
    test::app();
    QFile ts(QString::fromUtf8(SKY_REFERENCE_DIR "/../../../src/qt/i18n/skyrend_en.ts"));
    ASSERT_TRUE(ts.open(QIODevice::ReadOnly));
    std::set<std::string> sources;
    QXmlStreamReader xml(&ts);
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"source") {
            source = xml.readElementText();
            sources.insert(source.toStdString());
        } else if (xml.name() == u"translation") {
            const bool unfinished = xml.attributes().value("type") == u"unfinished";
            const QString t = xml.readElementText();
            EXPECT_FALSE(unfinished || t.isEmpty()) << "not translated: " << source.toStdString();
            for (const char* n : {"%1", "%2"}) EXPECT_EQ(source.contains(n), t.contains(n)) << source.toStdString();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();

    std::vector<std::string> shown = {Menu::kCaption, About::kCaption, Pravidla::kCaption, About::kNoSysInfo};
    for (const auto& c : Menu::layout())
        if (c.kind != MenuControl::Picture) shown.push_back(c.caption);
    for (const auto& l : Pravidla::labels()) shown.push_back(l.text);
    for (const auto& l : About::labels()) shown.push_back(l.text);
    for (int e : {1, 2}) {
        shown.push_back(HelpPage::title(e));
        for (const auto& s : HelpPage::sections(e)) {
            shown.push_back(s.heading);
            for (const auto& r : s.rows) {
                if (r.key && !r.step) shown.push_back(r.key);
                shown.push_back(r.text);
            }
        }
    }
    const std::set<std::string> sameInBoth = {"↑  ↓",
                                              "→  ←",
                                              "P",
                                              "F11",
                                              "F1",
                                              "Esc",
                                              "© 2004 Oblak",
                                              "Web:",
                                              "E-mail:",
                                              "skyrend.example.org",
                                              "autor@skyrend.example.org"};
    for (const std::string& t : shown)
        EXPECT_TRUE(t.empty() || sameInBoth.count(t) || sources.count(t)) << "no translation for: " << t;

    installLanguage(test::app(), Language::English);
    EXPECT_EQ(uiText(std::string("Naj skóre: 12")), "Best score: 12");
    EXPECT_EQ(uiText(std::string("Bol si 3 krát zasiahnutý raketou. Prehral si.")),
              "You were hit by a missile 3 times. You lost.");
    EXPECT_EQ(uiText(std::string("Havaroval si, teda zrazil si sa s nepriateľskou F16. Prehral si.")),
              "You crashed: you collided with the enemy F16. You lost.");
    EXPECT_EQ(uiText(std::string("2291.5")), "2291.5");
    installLanguage(test::app(), Language::Slovak);
    EXPECT_EQ(uiText(std::string("Naj skóre: 12")), "Naj skóre: 12");
}

TEST(ScaleFit, LargestWholeScaleWhoseFramedWindowFits) {
    const QSize scene(669, 515);
    struct Row {
        QSize available, frame;
        int wanted, scale;
        bool reduced;
    } rows[] = {
        {{1280, 1024}, {0, 0}, 2, 1, true},  // the window that hung off the screen
        {{1024, 768}, {0, 0}, 2, 1, true},    {{1280, 1024}, {0, 0}, 0, 1, false},
        {{1920, 1050}, {2, 30}, 0, 1, false},  // 1030 + 30 is too tall
        {{1920, 1080}, {2, 30}, 0, 2, false}, {{2560, 1400}, {2, 30}, 3, 2, true},
        {{2560, 1400}, {2, 30}, 1, 1, false}, {{3840, 2100}, {0, 0}, 0, 4, false},
        {{640, 480}, {0, 0}, 0, 1, false},    {{100000, 100000}, {0, 0}, 0, kMaxScale, false},
    };
    for (const Row& r : rows) {
        const ScaleChoice c = chooseScale(r.available, r.frame, scene, r.wanted);
        EXPECT_EQ(c.scale, r.scale) << r.available.width() << "x" << r.available.height() << " wanted " << r.wanted;
        EXPECT_EQ(c.reduced, r.reduced) << r.available.width() << "x" << r.available.height();
    }
}

}  // namespace
}  // namespace sky::qt

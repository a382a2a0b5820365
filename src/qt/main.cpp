// The program's entry: the game in its window, or a scenario or a recorded game run headless.
#include <QStringList>
#include <cstdlib>
#include <iostream>

#include "qt/app.h"
#include "qt/commandline.h"
#include "qt/language.h"
#include "qt/settings.h"
#include "scenario/headless.h"

int main(int argc, char** argv) {
    // Each byte as one character: a file name is handed on exactly as given, UTF-8 or not.
    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLatin1(argv[i]);
    // Every option is checked before anything runs: a mistake ends the program before any window.
    // It answers in the player's language; a scenario or a recording played headless runs in
    // the game's own, as its expectations are written.
    const sky::Language language = sky::qt::commandLineLanguage(
        args, sky::qt::SettingsFile().load().language.toStdString(), sky::qt::localeFromEnvironment());
    const char* page = std::getenv("SKYREND_PAGE");
    const sky::qt::CommandLine options =
        sky::qt::parseCommandLine(args, std::cout, std::cerr, language, page ? page : "");
    if (options.exitCode) return std::cout.flush() ? *options.exitCode : 1;
    const sky::HeadlessRun headless{options.scenario, options.replay, options.scenarioOut,
                                    options.share,    options.page,   language};
    if (auto rc = sky::runHeadless(headless, std::cout, std::cerr)) return *rc;
    return sky::qt::runApp(argc, argv, options);
}

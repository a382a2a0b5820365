// The program's command line: what the player asked for, or the one line that says what is wrong.
#pragma once

#include <QStringList>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "qt/language.h"
#include "runtime/scheduler.h"

namespace sky::qt {

struct CommandLine {
    // The program ends at once with this code (after --help, --version or a mistake).
    std::optional<int> exitCode;
    std::string scenario;      // --scenario FILE: a scenario run without a window
    std::string replay;        // --replay FILE
    bool scenarioOut = false;  // with --replay: played back without a window
    std::string record;        // --record FILE
    std::string watch;         // --watch FILE: watched in the window before the game
    std::optional<Pace> pace;
    int scale = -1;  // --scale: -1 not given, 0 auto (the largest that fits), else 1..kMaxScale
    std::optional<Language> language;
    bool autopause = true;
    bool classicMotion = false;  // --classic-motion
    std::string share;           // --share FILE: print the address that plays it in the page
    std::string page;            // the page's address for --share (--page, else SKYREND_PAGE)
};

// Where --share points when neither --page nor SKYREND_PAGE says: the site as README serves it.
constexpr const char* kDefaultPage = "http://localhost:8000/";

// The language the command line answers in: its own --lang, else the one remembered, else the
// locale's.
Language commandLineLanguage(const QStringList& args, std::string_view remembered, std::string_view locale);

// Reads the options (args[0] is the program). --help and --version print to out; a mistake
// prints one line to err and gives exit code 2. Both speak the language given. pageFromEnvironment
// is SKYREND_PAGE's value, taken when --page is not given.
CommandLine parseCommandLine(const QStringList& args, std::ostream& out, std::ostream& err, Language l,
                             std::string_view pageFromEnvironment = {});

// The program's version as --version prints it.
std::string versionLine();

}  // namespace sky::qt

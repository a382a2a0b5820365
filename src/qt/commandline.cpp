// The program's command line.
#include "qt/commandline.h"

#include <QCommandLineParser>
#include <ostream>

#include "qt/scalefit.h"
#include "runtime/quote.h"
#include "shell/version.h"

namespace sky::qt {

std::string versionLine() {
    return "skyrend " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

CommandLine parseCommandLine(const QStringList& args, std::ostream& out, std::ostream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Skyrend, a side-scrolling flight game.");
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({"h", "help"}, "List the options and exit.");
    const QCommandLineOption version({"v", "version"}, "Print the version and exit.");
    const QCommandLineOption lang("lang", "The game's language, en or sk; remembered.", "en|sk");
    const QCommandLineOption scale("scale", "Draw the game N times larger (1-16) or auto; remembered.", "N|auto");
    const QCommandLineOption pace("pace", "How often the timers fire: classic, xp or nominal.", "pace");
    const QCommandLineOption noAutopause("no-autopause", "Keep playing while another program has the focus.");
    const QCommandLineOption classicMotion("classic-motion", "Draw the ticks as they fall, this run.");
    const QCommandLineOption record("record", "Write the game to FILE as you play.", "FILE");
    const QCommandLineOption replay("replay", "Play the recorded game in FILE back.", "FILE");
    const QCommandLineOption scenarioOut("scenario-out", "With --replay: play back without a window.");
    const QCommandLineOption scenario("scenario", "Run the scenario FILE without a window.", "FILE");
    parser.addOptions(
        {help, version, lang, scale, pace, noAutopause, classicMotion, record, replay, scenarioOut, scenario});

    CommandLine c;
    // The arguments carry their bytes as Latin-1 characters: the player's words go back to bytes.
    auto bytes = [](const QString& s) { return s.toLatin1().toStdString(); };
    auto fail = [&](const QString& why) {
        std::string line = quoted(bytes(why), 200);
        if (!line.empty() && line.back() == '.') line.pop_back();
        err << "skyrend: " << line << " (skyrend --help lists the options)\n";
        c.exitCode = 2;
        return c;
    };
    if (!parser.parse(args)) return fail(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return fail("unexpected argument '" + parser.positionalArguments().first() + "'");
    if (parser.isSet(help)) {
        // One line an option, under the program's own name.
        QString text = parser.helpText();
        text.replace("<executable_name>", "skyrend");
        out << text.toStdString();
        c.exitCode = 0;
        return c;
    }
    if (parser.isSet(version)) {
        out << versionLine() << '\n';
        c.exitCode = 0;
        return c;
    }
    if (parser.isSet(lang)) {
        c.language = parseLanguage(parser.value(lang).toStdString());
        if (!c.language) return fail("--lang is en or sk, not '" + parser.value(lang) + "'");
    }
    if (parser.isSet(scale)) {
        const QString v = parser.value(scale);
        bool ok = false;
        const int n = v.toInt(&ok);
        if (v == "auto")
            c.scale = 0;
        else if (ok && n >= 1 && n <= kMaxScale)
            c.scale = n;
        else
            return fail(QString("--scale is a whole number from 1 to %1 or auto, not '%2'").arg(kMaxScale).arg(v));
    }
    if (parser.isSet(pace)) {
        c.pace = paceFromName(parser.value(pace).toStdString());
        if (!c.pace) return fail("--pace is classic, xp or nominal, not '" + parser.value(pace) + "'");
    }
    c.autopause = !parser.isSet(noAutopause);
    c.classicMotion = parser.isSet(classicMotion);
    for (const QCommandLineOption* file : {&record, &replay, &scenario})
        if (parser.isSet(*file) && parser.value(*file).isEmpty())
            return fail("--" + file->names().first() + " needs a file name, not an empty one");
    c.record = bytes(parser.value(record));
    c.replay = bytes(parser.value(replay));
    c.scenario = bytes(parser.value(scenario));
    c.scenarioOut = parser.isSet(scenarioOut);
    if (c.scenarioOut && c.replay.empty()) return fail("--scenario-out goes with --replay FILE");
    if (!c.record.empty() && !c.replay.empty()) return fail("--record and --replay do not go together");
    return c;
}

}  // namespace sky::qt

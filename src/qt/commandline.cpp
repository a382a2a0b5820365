// The program's command line.
#include "qt/commandline.h"

#include <QCommandLineParser>
#include <algorithm>
#include <ostream>
#include <utility>
#include <vector>

#include "qt/scalefit.h"
#include "runtime/quote.h"
#include "shell/version.h"

namespace sky::qt {

std::string versionLine() {
    return "skyrend " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

Language commandLineLanguage(const QStringList& args, std::string_view remembered, std::string_view locale) {
    std::optional<Language> asked;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if ((a == "--lang" || a == "-lang") && i + 1 < args.size())
            asked = parseLanguage(args[i + 1].toStdString());
        else if (a.startsWith("--lang=") || a.startsWith("-lang="))
            asked = parseLanguage(a.mid(a.indexOf('=') + 1).toStdString());
    }
    return chooseLanguage(asked, remembered, locale);
}

namespace {

// A web page's address as the page's own: http or https, no fragment of its own (the recording
// goes there), nothing a terminal or a browser would take apart.
bool pageAddress(std::string_view a) {
    if (!a.starts_with("http://") && !a.starts_with("https://")) return false;
    const std::string_view rest = a.substr(a.find("//") + 2);
    if (rest.empty() || rest.size() > 2000) return false;
    return std::none_of(a.begin(), a.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u <= ' ' || u >= 0x7F || c == '#' || c == '"' || c == '<' || c == '>' || c == '\\';
    });
}

}  // namespace

CommandLine parseCommandLine(const QStringList& args, std::ostream& out, std::ostream& err, Language l,
                             std::string_view pageFromEnvironment) {
    auto say = [l](TextId id, auto... a) { return text(l, id, {TextArg(a)...}); };
    auto caption = [&say](TextId id) { return QString::fromStdString(say(id)); };
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({"h", "help"}, caption(TextId::CliHelp));
    const QCommandLineOption version({"v", "version"}, caption(TextId::CliVersion));
    const QCommandLineOption lang("lang", caption(TextId::CliLang), "en|sk");
    const QCommandLineOption scale("scale", caption(TextId::CliScale), "N|auto");
    const QCommandLineOption pace("pace", caption(TextId::CliPace), "pace");
    const QCommandLineOption noAutopause("no-autopause", caption(TextId::CliNoAutopause));
    const QCommandLineOption classicMotion("classic-motion", caption(TextId::CliClassicMotion));
    const QCommandLineOption record("record", caption(TextId::CliRecord), "FILE");
    const QCommandLineOption replay("replay", caption(TextId::CliReplay), "FILE");
    const QCommandLineOption watch("watch", caption(TextId::CliWatch), "FILE");
    const QCommandLineOption scenarioOut("scenario-out", caption(TextId::CliScenarioOut));
    const QCommandLineOption scenario("scenario", caption(TextId::CliScenario), "FILE");
    const QCommandLineOption share("share", caption(TextId::CliShare), "FILE");
    const QCommandLineOption page("page", QString::fromStdString(say(TextId::CliPage, kDefaultPage)), "URL");
    const QList<QCommandLineOption> options = {help,        version,       lang,   scale,  pace,
                                               noAutopause, classicMotion, record, replay, watch,
                                               scenarioOut, scenario,      share,  page};
    parser.addOptions(options);

    CommandLine c;
    // The arguments carry their bytes as Latin-1 characters: the player's words go back to bytes.
    auto bytes = [](const QString& s) { return s.toLatin1().toStdString(); };
    auto fail = [&](const std::string& why) {
        std::string line = quoted(why, 200);
        if (!line.empty() && line.back() == '.') line.pop_back();
        err << text(l, TextId::CliError, {line}) << '\n';
        c.exitCode = 2;
        return c;
    };
    if (!parser.parse(args)) {
        // The parser's own words are English: the option it names goes into the player's.
        if (!parser.unknownOptionNames().isEmpty())
            return fail(say(TextId::CliUnknownOption, bytes(parser.unknownOptionNames().first())));
        const QString e = parser.errorText();
        const qsizetype from = e.indexOf('\'') + 1, to = e.indexOf('\'', from);
        const std::string option = bytes(from > 0 && to > from ? e.mid(from, to - from) : e);
        return fail(say(e.startsWith("Missing") ? TextId::CliMissingValue : TextId::CliUnexpectedValue, option));
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(say(TextId::CliUnexpected, bytes(parser.positionalArguments().first())));
    if (parser.isSet(help)) {
        // One line an option under the program's own name, the descriptions in one column.
        std::vector<std::pair<QString, QString>> rows;
        qsizetype width = 0;
        for (const QCommandLineOption& o : options) {
            QString names;
            for (const QString& n : o.names())
                names += (names.isEmpty() ? "" : ", ") + QString(n.size() == 1 ? "-" : "--") + n;
            if (!o.valueName().isEmpty()) names += " <" + o.valueName() + ">";
            width = std::max(width, names.size());
            rows.emplace_back(names, o.description());
        }
        out << text(l, TextId::CliUsage, {"skyrend"}) << '\n'
            << text(l, TextId::CliAbout) << "\n\n"
            << text(l, TextId::CliOptions) << '\n';
        for (const auto& [names, what] : rows)
            out << "  " << names.leftJustified(width + 2).toStdString() << what.toStdString() << '\n';
        c.exitCode = 0;
        return c;
    }
    if (parser.isSet(version)) {
        out << versionLine() << '\n';
        c.exitCode = 0;
        return c;
    }
    if (parser.isSet(lang)) {
        c.language = parseLanguage(bytes(parser.value(lang)));
        if (!c.language) return fail(say(TextId::CliBadLang, bytes(parser.value(lang))));
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
            return fail(say(TextId::CliBadScale, kMaxScale, bytes(v)));
    }
    if (parser.isSet(pace)) {
        c.pace = paceFromName(bytes(parser.value(pace)));
        if (!c.pace) return fail(say(TextId::CliBadPace, bytes(parser.value(pace))));
    }
    c.autopause = !parser.isSet(noAutopause);
    c.classicMotion = parser.isSet(classicMotion);
    for (const QCommandLineOption* file : {&record, &replay, &watch, &scenario, &share})
        if (parser.isSet(*file) && parser.value(*file).isEmpty())
            return fail(say(TextId::CliEmptyFileName, file->names().first().toStdString()));
    c.record = bytes(parser.value(record));
    c.replay = bytes(parser.value(replay));
    c.watch = bytes(parser.value(watch));
    c.scenario = bytes(parser.value(scenario));
    c.scenarioOut = parser.isSet(scenarioOut);
    if (c.scenarioOut && c.replay.empty()) return fail(say(TextId::CliScenarioOutAlone));
    if (!c.record.empty() && !c.replay.empty()) return fail(say(TextId::CliRecordAndReplay));
    c.share = bytes(parser.value(share));
    if (!c.share.empty() && (!c.record.empty() || !c.replay.empty() || !c.scenario.empty()))
        return fail(say(TextId::CliShareAlone));
    if (parser.isSet(page) && c.share.empty()) return fail(say(TextId::CliPageAlone));
    if (!c.share.empty()) {
        c.page = parser.isSet(page)             ? bytes(parser.value(page))
                 : !pageFromEnvironment.empty() ? std::string(pageFromEnvironment)
                                                : kDefaultPage;
        if (!pageAddress(c.page)) return fail(say(TextId::CliBadPage, c.page));
    }
    if (!c.watch.empty() && !c.replay.empty()) return fail(say(TextId::CliWatchAndReplay));
    return c;
}

}  // namespace sky::qt

// The language of the windows.
#include "qt/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTranslator>
#include <cstdlib>
#include <unordered_map>

namespace sky::qt {

namespace {
constexpr const char* kContext = "skyrend";
Language current = Language::Slovak;
// What texts became: captions come back on every paint.
std::unordered_map<std::string, QString> seen;

bool hasLetter(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80 || static_cast<unsigned>((c | 0x20) - 'a') < 26u) return true;
    return false;
}
}  // namespace

std::optional<Language> parseLanguage(std::string_view code) {
    if (code == "sk") return Language::Slovak;
    if (code == "en") return Language::English;
    return std::nullopt;
}

const char* languageCode(Language l) {
    return l == Language::English ? "en" : "sk";
}

Language chooseLanguage(std::optional<Language> option, std::string_view setting, std::string_view locale) {
    if (option) return *option;
    if (auto remembered = parseLanguage(setting)) return *remembered;
    const bool english =
        locale.substr(0, 2) == "en" && (locale.size() == 2 || locale[2] == '_' || locale[2] == '.' || locale[2] == '@');
    return english ? Language::English : Language::Slovak;
}

std::string_view localeFromEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* v = std::getenv(name); v && *v) return v;
    return {};
}

void installLanguage(QCoreApplication& app, Language l) {
    current = l;
    seen.clear();
    static QTranslator game, qtbase;
    QCoreApplication::removeTranslator(&game);
    QCoreApplication::removeTranslator(&qtbase);
    if (l == Language::English) {
        if (game.load(QStringLiteral(":/i18n/skyrend_en.qm"))) app.installTranslator(&game);
    } else if (qtbase.load(QStringLiteral("qtbase_sk"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        app.installTranslator(&qtbase);
    }
}

Language currentLanguage() {
    return current;
}

QString uiText(std::string_view slovak) {
    const QString source = QString::fromUtf8(slovak.data(), static_cast<qsizetype>(slovak.size()));
    if (current == Language::Slovak || !hasLetter(slovak)) return source;
    // Numbers in composed texts vary, so the memory is emptied now and then.
    std::string key(slovak);
    if (auto it = seen.find(key); it != seen.end()) return it->second;
    if (seen.size() > 512) seen.clear();

    const QByteArray utf8 = source.toUtf8();
    QString out = QCoreApplication::translate(kContext, utf8.constData());
    if (out == source) {
        // Whole numbers standing alone (not the 16 of F16) become %1, %2...
        static const QRegularExpression number(QStringLiteral("(?<![\\p{L}\\d])\\d+"));
        QString pattern;
        QStringList numbers;
        qsizetype at = 0;
        for (auto m = number.globalMatch(source); m.hasNext();) {
            const auto hit = m.next();
            pattern += source.mid(at, hit.capturedStart() - at) + '%' + QString::number(numbers.size() + 1);
            numbers << hit.captured();
            at = hit.capturedEnd();
        }
        if (!numbers.isEmpty()) {
            pattern += source.mid(at);
            const QByteArray p = pattern.toUtf8();
            QString t = QCoreApplication::translate(kContext, p.constData());
            if (t != pattern) {
                for (const QString& n : numbers) t = t.arg(n);
                out = t;
            }
        }
    }
    seen.emplace(std::move(key), out);
    return out;
}

QString uiText(const char* slovak) {
    return uiText(std::string_view(slovak));
}

}  // namespace sky::qt

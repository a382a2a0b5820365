// The language of the windows.
#include "qt/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdlib>

namespace sky::qt {

std::string_view localeFromEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* v = std::getenv(name); v && *v) return v;
    return {};
}

void installLanguage(QCoreApplication& app, Language l) {
    setLanguage(l);
    static QTranslator qtbase;
    QCoreApplication::removeTranslator(&qtbase);
    if (l == Language::Slovak &&
        qtbase.load(QStringLiteral("qtbase_sk"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtbase);
}

QString uiText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace sky::qt

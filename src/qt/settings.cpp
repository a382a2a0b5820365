// The player's settings file, through QSettings in its INI format.
#include "qt/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>

#include "qt/scalefit.h"

namespace sky::qt {

namespace {

constexpr const char* kSounds = "sounds";          // true | false
constexpr const char* kMotion = "motion";          // smooth | classic
constexpr const char* kLanguage = "language";      // sk | en, or none
constexpr const char* kScale = "scale";            // 1..kMaxScale, or auto
constexpr const char* kFullScreen = "fullscreen";  // true | false

bool readBool(const QSettings& f, const char* key, bool fallback) {
    const QString v = f.value(key).toString().trimmed().toLower();
    if (v == "true") return true;
    if (v == "false") return false;
    return fallback;
}

QString readChoice(const QSettings& f, const char* key, std::initializer_list<const char*> allowed,
                   const QString& fallback) {
    const QString v = f.value(key).toString().trimmed().toLower();
    for (const char* a : allowed)
        if (v == a) return v;
    return fallback;
}

}  // namespace

QString SettingsFile::defaultPath() {
    // GenericConfigLocation is $XDG_CONFIG_HOME, or ~/.config without it.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/skyrend/skyrend.conf";
}

Settings SettingsFile::load() const {
    Settings s;
    if (!QFileInfo(path_).isFile()) return s;
    const QSettings f(path_, QSettings::IniFormat);
    if (f.status() != QSettings::NoError) return s;
    s.soundEffects = readBool(f, kSounds, s.soundEffects);
    s.smoothMotion = readChoice(f, kMotion, {"smooth", "classic"}, s.smoothMotion ? "smooth" : "classic") == "smooth";
    s.language = readChoice(f, kLanguage, {"sk", "en"}, s.language);
    bool number = false;
    const int scale = f.value(kScale).toString().trimmed().toInt(&number);
    if (number && scale >= 1 && scale <= kMaxScale) s.scale = scale;
    s.fullScreen = readBool(f, kFullScreen, s.fullScreen);
    return s;
}

bool SettingsFile::save(const Settings& s) const {
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSettings f(path_, QSettings::IniFormat);
    // QSettings writes the whole file to a temporary one beside it and renames it over the old.
    f.setAtomicSyncRequired(true);
    f.setValue(kSounds, s.soundEffects ? "true" : "false");
    f.setValue(kMotion, s.smoothMotion ? "smooth" : "classic");
    if (s.language.isEmpty())
        f.remove(kLanguage);
    else
        f.setValue(kLanguage, s.language);
    f.setValue(kScale, s.scale > 0 ? QString::number(s.scale) : QStringLiteral("auto"));
    f.setValue(kFullScreen, s.fullScreen ? "true" : "false");
    f.sync();
    if (f.status() != QSettings::NoError) {
        std::fprintf(stderr, "skyrend: cannot write the settings file %s\n", qPrintable(path_));
        return false;
    }
    return true;
}

}  // namespace sky::qt

// The player's settings file: INI lines, key=value under [General].
#include "qt/settings.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "qt/keybindings.h"
#include "qt/scalefit.h"
#include "shell/filelock.h"
#include "shell/savefile.h"

namespace sky::qt {

namespace {

constexpr const char* kSounds = "sounds";          // true | false
constexpr const char* kMotion = "motion";          // smooth | classic
constexpr const char* kLanguage = "language";      // sk | en, or none
constexpr const char* kScale = "scale";            // 1..kMaxScale, or auto
constexpr const char* kFullScreen = "fullscreen";  // true | false
constexpr std::string_view kSection = "[General]";
constexpr const char* kFill = "fill";                     // whole | screen
constexpr const char* kMusicVolume = "music_volume";      // 0..100
constexpr const char* kEffectsVolume = "effects_volume";  // 0..100

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// The file's lines, and where the settings of [General] (or of no section at all) stand.
struct IniLines {
    std::vector<std::string> lines;
    std::size_t generalEnd = std::string::npos;  // one past the section's last line

    explicit IniLines(std::string_view text) {
        bool general = true;
        while (!text.empty()) {
            const std::size_t eol = text.find('\n');
            lines.emplace_back(text.substr(0, eol));
            text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
            const std::string_view t = trimmed(lines.back());
            if (!t.empty() && t.front() == '[') general = t == kSection;
            if (general && !t.empty()) generalEnd = lines.size();  // new keys go before a blank line
        }
    }
    bool inGeneral(std::size_t i) const {
        bool general = true;
        for (std::size_t j = 0; j <= i; ++j) {
            const std::string_view t = trimmed(lines[j]);
            if (!t.empty() && t.front() == '[') general = t == kSection;
        }
        return general;
    }
    // The line of key in [General], or npos.
    std::size_t find(std::string_view key) const {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string_view line = lines[i];
            const std::size_t eq = line.find('=');
            if (eq != std::string_view::npos && trimmed(line.substr(0, eq)) == key && inGeneral(i)) return i;
        }
        return std::string::npos;
    }
    QString value(std::string_view key) const {
        const std::size_t i = find(key);
        if (i == std::string::npos) return {};
        const std::string_view v = trimmed(std::string_view(lines[i]).substr(lines[i].find('=') + 1));
        return QString::fromUtf8(v.data(), static_cast<qsizetype>(v.size())).toLower();
    }
    void set(std::string_view key, const std::string& v) {
        const std::string line = std::string(key) + "=" + v;
        if (const std::size_t i = find(key); i != std::string::npos) {
            lines[i] = line;
        } else if (generalEnd != std::string::npos) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(generalEnd++), line);
        } else {
            lines.insert(lines.begin(), {std::string(kSection), line});
            generalEnd = 2;
        }
    }
    void remove(std::string_view key) {
        if (const std::size_t i = find(key); i != std::string::npos) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
            --generalEnd;
        }
    }
    std::string text() const {
        std::string out;
        for (const std::string& l : lines) out += l + "\n";
        return out;
    }
};

// The file's text, or empty when it is none the game reads.
std::string readSettings(const std::string& path) {
    std::string text;
    if (readSmallFile(path, kMaxSettingsBytes, text) != SmallRead::Read || text.size() > kMaxSettingsBytes) return {};
    return text;
}

int readNumber(const IniLines& f, const char* key, int low, int high, int fallback) {
    bool number = false;
    const int v = f.value(key).toInt(&number);
    return number && v >= low && v <= high ? v : fallback;
}

bool readBool(const IniLines& f, const char* key, bool fallback) {
    const QString v = f.value(key);
    if (v == "true") return true;
    if (v == "false") return false;
    return fallback;
}

QString readChoice(const IniLines& f, const char* key, std::initializer_list<const char*> allowed,
                   const QString& fallback) {
    const QString v = f.value(key);
    for (const char* a : allowed)
        if (v == a) return v;
    return fallback;
}

// The [keys] section: one line an action ("fire=Space, Return"). A line that does not read, or
// takes a key an earlier line took, leaves that action its own keys, with one line on stderr.
constexpr std::string_view kKeysSection = "[keys]";

bool sectionLine(std::string_view t) {
    return !t.empty() && t.front() == '[';
}

void readKeys(std::string_view text, KeyMap& map) {
    bool inKeys = false;
    std::vector<GameKey> read;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, eol));
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        if (sectionLine(line)) inKeys = QString::fromUtf8(line.data(), line.size()).toLower() == "[keys]";
        const std::size_t eq = line.find('=');
        if (!inKeys || eq == std::string_view::npos) continue;
        const auto action = gameKeyFromName(trimmed(line.substr(0, eq)));
        if (!action) continue;  // a key of another version
        const std::string_view value = trimmed(line.substr(eq + 1));
        auto keys = parseKeys(QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
        for (const std::string& k : keys ? *keys : std::vector<std::string>{})
            for (GameKey earlier : read)
                if (earlier != *action && map.lookup(k) == earlier) keys.reset();
        if (!keys || !map.bind(*action, *keys)) {
            const KeyMap gameOwn;
            const KeyMap::Binding& own = gameOwn.binding(*action);
            std::fprintf(stderr, "skyrend: settings: %s=%.*s is not one or two free keys; it stays %s\n",
                         gameKeyName(*action), static_cast<int>(value.size()), value.data(), qPrintable(keysText(own)));
            std::vector<std::string> defaults;
            for (const std::string& k : own.keys)
                if (!k.empty()) defaults.push_back(k);
            map.bind(*action, defaults);
        }
        read.push_back(*action);
    }
}

// The text with its [keys] section replaced: none when the keys are the game's own.
std::string writeKeys(std::string_view text, const KeyMap& map) {
    std::string out;
    bool inKeys = false;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        const std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        const std::string_view t = trimmed(line);
        if (sectionLine(t)) inKeys = QString::fromUtf8(t.data(), t.size()).toLower() == "[keys]";
        if (!inKeys) out += std::string(line) + "\n";
    }
    const KeyMap own;
    bool same = true;
    for (const KeyMap::Binding& b : map.bindings()) same = same && b.keys == own.binding(b.action).keys;
    if (same) return out;
    if (!out.empty() && out != "\n" && out.substr(out.size() - 2) != "\n\n") out += "\n";
    out += std::string(kKeysSection) + "\n";
    for (const KeyMap::Binding& b : map.bindings())
        out += std::string(gameKeyName(b.action)) + "=" + keysText(b).toStdString() + "\n";
    return out;
}

}  // namespace

QString xdgFolder(const char* variable, const char* underHome) {
    // As the desktop's rules say: a relative path in the variable is ignored.
    QString base = QFile::decodeName(qgetenv(variable));
    if (base.isEmpty() || !base.startsWith('/')) base = QDir::homePath() + QLatin1Char('/') + QLatin1String(underHome);
    return base + QStringLiteral("/skyrend");
}

QString SettingsFile::defaultPath() {
    return xdgFolder("XDG_CONFIG_HOME", ".config") + QStringLiteral("/skyrend.conf");
}

Settings SettingsFile::load() const {
    Settings s;
    const std::string text = readSettings(QFile::encodeName(path_).toStdString());
    const IniLines f(text);
    readKeys(text, s.keys);
    s.soundEffects = readBool(f, kSounds, s.soundEffects);
    s.smoothMotion = readChoice(f, kMotion, {"smooth", "classic"}, s.smoothMotion ? "smooth" : "classic") == "smooth";
    s.language = readChoice(f, kLanguage, {"sk", "en"}, s.language);
    s.scale = readNumber(f, kScale, 1, kMaxScale, s.scale);
    s.fullScreen = readBool(f, kFullScreen, s.fullScreen);
    s.fillScreen = readChoice(f, kFill, {"whole", "screen"}, s.fillScreen ? "screen" : "whole") == "screen";
    s.musicVolume = readNumber(f, kMusicVolume, 0, 100, s.musicVolume);
    s.effectsVolume = readNumber(f, kEffectsVolume, 0, 100, s.effectsVolume);
    return s;
}

bool SettingsFile::save(const Settings& s) const {
    const std::string path = QFile::encodeName(path_).toStdString();
    QDir().mkpath(QFileInfo(path_).absolutePath());
    // Another copy saving at the same moment: its whole file, then ours, never a mix.
    FileLock::State state{};
    std::string why;
    std::unique_ptr<FileLock> lock;
    const QDeadlineTimer until(kSettingsLockWaitMs);
    while (!(lock = FileLock::acquire(QFile::encodeName(lockPath()).toStdString(), state, why)) &&
           state == FileLock::State::Busy && !until.hasExpired())
        QThread::msleep(10);
    if (!lock && !lockComplained_) {
        lockComplained_ = true;
        std::fprintf(stderr, "skyrend: the settings lock %s %s; settings are saved without it\n",
                     qPrintable(lockPath()),
                     state == FileLock::State::Busy ? "stayed taken" : ("cannot be made: " + why).c_str());
    }
    IniLines f(readSettings(path));
    f.set(kSounds, s.soundEffects ? "true" : "false");
    f.set(kMotion, s.smoothMotion ? "smooth" : "classic");
    if (s.language.isEmpty())
        f.remove(kLanguage);
    else
        f.set(kLanguage, s.language.toStdString());
    f.set(kScale, s.scale > 0 ? std::to_string(s.scale) : "auto");
    f.set(kFullScreen, s.fullScreen ? "true" : "false");
    f.set(kFill, s.fillScreen ? "screen" : "whole");
    f.set(kMusicVolume, std::to_string(s.musicVolume));
    f.set(kEffectsVolume, std::to_string(s.effectsVolume));
    if (!replaceFile(path, writeKeys(f.text(), s.keys), why)) {
        std::fprintf(stderr, "skyrend: cannot write the settings file %s: %s\n", qPrintable(path_), why.c_str());
        return false;
    }
    return true;
}

}  // namespace sky::qt

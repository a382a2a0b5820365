// The player's settings: one small file in the desktop's configuration directory, apart from the
// progress in new.dat. Read once at start; written whole, atomically, whenever a setting changes.
#pragma once

#include <QString>

namespace sky::qt {

struct Settings {
    bool soundEffects = true;  // "Zvuky" in the menu
    bool smoothMotion = true;  // false: the scene is drawn only as the ticks fall
    QString language;          // "sk" or "en"; empty: the locale decides
    int scale = 0;             // the game screen's scale the player asked for; 0: the largest that fits
    bool fullScreen = false;   // the game screen on the whole display (F11)
    // A new setting gets a field here and one line each in SettingsFile::load and ::save.
};

class SettingsFile {
public:
    // $XDG_CONFIG_HOME/skyrend/skyrend.conf (~/.config when XDG_CONFIG_HOME is not set).
    static QString defaultPath();

    explicit SettingsFile(QString path = defaultPath()) : path_(std::move(path)) {}
    const QString& path() const { return path_; }

    // The stored settings. A missing or unreadable file gives the defaults; so does a value that
    // does not read, for its own setting only. Never says a word.
    Settings load() const;
    // Writes every setting (keys this version does not know are kept). The file is replaced
    // atomically, so a crash never leaves half a file. False, with one line on stderr, on failure.
    bool save(const Settings& s) const;

private:
    QString path_;
};

}  // namespace sky::qt

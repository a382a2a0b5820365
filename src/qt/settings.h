// The player's settings: one small file in the desktop's configuration directory, apart from the
// progress in new.dat. Read once at start; written whole, atomically, whenever a setting changes.
#pragma once

#include <QString>

#include "game/keys.h"

namespace sky::qt {

struct Settings {
    bool soundEffects = true;  // "Zvuky" in the menu
    bool smoothMotion = true;  // false: the scene is drawn only as the ticks fall
    QString language;          // "sk" or "en"; empty: the locale decides
    int scale = 0;             // the game screen's scale the player asked for; 0: the largest that fits
    bool fullScreen = false;   // the game screen on the whole display (F11)
    bool fillScreen = false;   // full screen: as large as fits keeping its shape; false: whole multiples only
    int musicVolume = 100;     // 0..100
    int effectsVolume = 100;   // 0..100
    KeyMap keys;               // [keys]: written only when they differ from the game's own
    // A new setting gets a field here and one line each in SettingsFile::load and ::save.
};

// The longest settings file that is read; a longer one is no file of the game's: the defaults.
constexpr int kMaxSettingsBytes = 64 * 1024;
// How long a save waits for another copy of the game that is saving its settings.
constexpr int kSettingsLockWaitMs = 250;

// The game's folder in one of the desktop's places: $VARIABLE/skyrend, or ~/underHome/skyrend
// when the variable is not set or is not an absolute path.
QString xdgFolder(const char* variable, const char* underHome);

class SettingsFile {
public:
    // $XDG_CONFIG_HOME/skyrend/skyrend.conf; ~/.config when XDG_CONFIG_HOME is not set or is not
    // an absolute path.
    static QString defaultPath();

    explicit SettingsFile(QString path = defaultPath()) : path_(std::move(path)) {}
    const QString& path() const { return path_; }
    // The lock a save holds: path() + ".lock".
    QString lockPath() const { return path_ + QStringLiteral(".lock"); }

    // Reads every setting. A missing, unreadable, over-long file, or anything but a regular file
    // in its place, gives the defaults; so does a value that does not read, for its own setting
    // only. Never blocks, never says a word.
    Settings load() const;
    // Writes every setting at once (keys this version does not know are kept): a new file beside
    // it, renamed over it, only ever over a regular file. Waits for another copy's lock at most
    // kSettingsLockWaitMs, then saves without it. False, with one line on stderr, on failure.
    bool save(const Settings& s) const;

private:
    QString path_;
    mutable bool lockComplained_ = false;  // the lock's trouble is told once a run
};

}  // namespace sky::qt

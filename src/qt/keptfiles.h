// Where the game keeps its recordings: the best runs and the black box's files, in the desktop's
// data folder; and the black box written out when the game dies of a signal it can catch.
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class QWidget;

namespace sky::qt {

// $XDG_DATA_HOME/skyrend; ~/.local/share/skyrend when XDG_DATA_HOME is unset or not absolute.
QString dataDir();
// Where F12 and a crash put the black box: dataDir()/recordings.
QString recordingsDir();

// Keeps bytes as dir/name, replacing it atomically (the folder is made when missing). The file's
// path, or nothing with error set.
std::optional<QString> keepFile(const QString& dir, const std::string& name, const std::string& bytes,
                                std::string& error);

// The wall clock's local time, in seconds since 1970.
std::int64_t localSecondsNow();

// What the crash handler calls, from the handler, so with nothing but write(2) and plain arithmetic:
// the file's name for a local time (NUL-ended, under 64 bytes), and the recording written to fd.
using CrashName = void (*)(std::int64_t localSeconds, char* out);
using CrashWrite = void (*)(void* context, int fd);
// From now on a fatal signal (a crash, or the abort of a failed check) first writes the recording
// into folder under a fresh name and says where on stderr, then ends the program as it would have.
void installCrashWriter(const QString& folder, CrashName name, CrashWrite write, void* context);
void removeCrashWriter();
// write(2) all of it, as far as it goes; for CrashWrite.
void writeAll(int fd, const char* bytes, std::size_t n) noexcept;

// A line over a window for a few seconds (the black box saved, and where).
void showNotice(QWidget& window, const QString& text);

}  // namespace sky::qt

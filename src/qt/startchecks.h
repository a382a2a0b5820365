// What the game checks before its windows open: where a recording may go, whether there is a
// display, whether another copy already plays in this folder; and how the desktop may end it.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "shell/filelock.h"

class QSocketNotifier;
class QWidget;

namespace sky {
class Program;
}  // namespace sky

namespace sky::qt {

constexpr const char* kProgressFile = "new.dat";

// Why the game refuses to write a recording to path (a file the game reads: the progress file and
// its lock, the music, the sounds, the settings file and its lock; something that is not a file;
// a place it cannot write), or nothing.
std::optional<std::string> recordingRefused(const std::string& path);

// Whether the windows have somewhere to open. Without a display Qt would abort: the game says so
// in one line on stderr instead (noDisplayLine) and exits with status 2.
// Qt's own options (-platform, -display) are not the game's: only the environment chooses.
bool displayAvailable();
extern const char* const kNoDisplayLine;

// While the application starts: a display that is named but cannot be reached gives the same
// line and status 2, not Qt's abort.
class DisplayGuard {
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;
};

// The lock beside the progress file, held for the whole run, so that a second copy started in
// the same folder cannot overwrite the first one's progress. Only a live copy holds it: whatever a
// copy that is gone left there (an empty or garbled file) is no lock. Busy when another copy
// holds it; Unavailable (why says why) when none can be made there, and the game plays on without.
std::unique_ptr<FileLock> lockProgressFolder(FileLock::State& state, std::string& why,
                                             const std::string& lockPath = kLockFile);

class QtFrontEnd;

// Progress that cannot be kept, told in the player's language. At the start: once, in a box over
// the menu that does not wait. At the end: a failed save is status 1 (or rc when that is already
// a failure), after a box that waits only when the player closed the game; a signal or the
// session's end gets stderr's line and the status alone.
void sayProgressUnsaved(QWidget* menu, const std::string& why);
int endStatus(int rc, bool saveFailed, bool endRequested, const std::string& why);

// The desktop ends a game under way, even while one of its boxes is open: the run ends as its own
// ending would (a victory or a score recorded), then the menu saves and the program ends. It is
// the menu's close, written down in a recording like the player's.
void endGameNow(QtFrontEnd& frontEnd, Program& program);

// SIGTERM, SIGHUP and SIGINT, and the session manager's request to save at logout, end the game
// the way closing the menu does: end() runs in the event loop, never inside the signal handler.
class EndRequests : public QObject {
    Q_OBJECT
public:
    explicit EndRequests(std::function<void()> end);
    ~EndRequests() override;

private:
    std::function<void()> end_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace sky::qt

// What the game checks before its windows open: where a recording may go, whether there is a
// display, whether another copy already plays in this folder; and how the desktop may end it.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QLockFile;
class QSocketNotifier;

namespace sky::qt {

constexpr const char* kProgressFile = "new.dat";
constexpr const char* kLockFile = "new.dat.lock";

// Why the game refuses to write a recording to path (the player's own files: the progress file,
// its lock, the music; something that is not a file; a place it cannot write), or nothing.
std::optional<std::string> recordingRefused(const std::string& path);

// Whether the windows have somewhere to open. Without a display Qt would abort: the game says so
// in one line on stderr instead (noDisplayLine) and exits with status 2.
bool displayAvailable(int argc, char** argv);
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
// the same folder cannot overwrite the first one's progress. A lock left by a copy that crashed
// does not count. Returns nullptr when another copy holds it.
std::unique_ptr<QLockFile> lockProgressFolder(const std::string& lockPath = kLockFile);

// The second copy's word to the player (Slovak, titled "Skyrend").
constexpr const char* kAlreadyRunning = "Hra už beží v tomto priečinku. Zatvor ju a skús to znova.";

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

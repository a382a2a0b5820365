// A lock file beside a file the game keeps (new.dat, the settings): held by one copy of the game at
// a time, and free again the moment that copy is gone, however it ended. The game's windows hold
// the one beside new.dat while they play, and a scenario run takes it too, since a run in a folder
// where a game plays would overwrite that game's progress. Whatever the file holds does not matter
// (its holder writes its process id there for the curious), so an empty or garbled one left behind
// by anything is no lock; only a live holder is.
#pragma once

#include <memory>
#include <string>

namespace sky {

// The lock beside the progress file, in the folder the game plays in.
constexpr const char* kLockFile = "new.dat.lock";

class FileLock {
public:
    enum class State {
        Held,         // this copy holds it
        Busy,         // another live copy holds it
        Unavailable,  // no lock can be made there (a directory in its place, a folder that takes no file)
    };

    // One try, never waiting: the lock, or nothing with state saying why not (and why, in words,
    // what made it Unavailable). A caller that would wait tries again.
    static std::unique_ptr<FileLock> acquire(const std::string& path, State& state, std::string& why);
    // Lets go and removes the file.
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    FileLock(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
    std::string path_;
    int fd_;
};

}  // namespace sky

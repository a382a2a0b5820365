// A lock file beside a file the game keeps: held by one copy of the game at a time, and free again
// the moment that copy is gone, however it ended. Whatever the file holds does not matter (its
// copy writes its process id there for the curious), so an empty or garbled one left behind by
// anything is no lock; only a live holder is.
#pragma once

#include <memory>
#include <string>

namespace sky::qt {

class FileLock {
public:
    enum class State {
        Held,         // this copy holds it
        Busy,         // another copy held it for the whole wait
        Unavailable,  // no lock can be made there (a directory in its place, a folder that takes no file)
    };

    // Tries for up to waitMs milliseconds (0: once). why says what made it Unavailable.
    static std::unique_ptr<FileLock> acquire(const std::string& path, int waitMs, State& state, std::string& why);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    FileLock(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
    std::string path_;
    int fd_;
};

}  // namespace sky::qt

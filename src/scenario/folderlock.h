// The lock a game holds beside new.dat while it plays, taken by a scenario run too: a run in a
// folder where a game plays would overwrite that game's progress. It is the windows' own kind of
// lock: the file new.dat.lock under the system's flock(), which lets go when its holder ends; what
// the file holds (the holder's process id) does not matter, so one left behind is no lock.
#pragma once

#include <string>

namespace sky {

class FolderLock {
public:
    enum class Result {
        Taken,   // ours until the lock goes out of scope
        Held,    // a live copy of the game holds it
        NoLock,  // none can be made here (a read-only folder, a directory in its place): go on without
    };
    explicit FolderLock(std::string path = "new.dat.lock") : path_(std::move(path)) {}
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    Result take();
    const std::string& path() const { return path_; }

private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace sky

// The lock a game holds beside new.dat while it plays, taken by a scenario run too: a run in a
// folder where a game plays would overwrite that game's progress. The file is the one the
// desktop's windows keep: the holder's process id, program name and host name, a line each, held
// with flock() for as long as the holder runs.
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
    bool heldByAnother() const;
    std::string path_;
    int fd_ = -1;
};

}  // namespace sky

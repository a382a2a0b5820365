// Lock files through the system's own file locks: the system lets go of them when their holder ends.
#include "shell/filelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace sky {

namespace {

#ifdef __EMSCRIPTEN__
// Node's files take no flock(): there the process id the holder wrote is asked after instead.
EM_JS(int, nodePid, (), { return process.pid; });
EM_JS(int, nodeAlive, (int pid), {
    try {
        process.kill(pid, 0);
        return 1;
    } catch (e) {
        return e.code == 'EPERM' ? 1 : 0;
    }
});

bool heldByAGame(int fd) {
    char buf[32] = {};
    const ssize_t n = ::pread(fd, buf, sizeof buf - 1, 0);
    long pid = 0;
    for (ssize_t i = 0; i < n && buf[i] >= '0' && buf[i] <= '9' && pid < 1'000'000'000; ++i)
        pid = pid * 10 + (buf[i] - '0');
    if (pid <= 0 || pid == nodePid() || !nodeAlive(static_cast<int>(pid))) return false;
    // The id may have been taken by another program since a game left the file behind.
    char exe[4096];
    const std::string proc = "/proc/" + std::to_string(pid) + "/exe";
    const ssize_t k = ::readlink(proc.c_str(), exe, sizeof exe);
    const std::string name = k > 0 ? std::string(exe, static_cast<std::size_t>(k)) : "";
    return name.size() >= 8 && name.compare(name.size() - 8, 8, "/skyrend") == 0;
}
int ownPid() {
    return nodePid();
}
#else
bool heldByAGame(int) {
    return false;
}
int ownPid() {
    return static_cast<int>(::getpid());
}
#endif

}  // namespace

std::unique_ptr<FileLock> FileLock::acquire(const std::string& path, State& state, std::string& why) {
    for (;;) {
        // Without blocking or following a link: a FIFO or a link planted there is no lock file.
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
        struct stat held {};
        if (fd < 0 || ::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode)) {
            why = fd < 0 ? std::strerror(errno) : "not a regular file";
            if (fd >= 0) ::close(fd);
            state = State::Unavailable;
            return nullptr;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || heldByAGame(fd)) {
            ::close(fd);
            state = State::Busy;
            return nullptr;
        }
        // The holder before may have removed the file between our opening and our locking it:
        // then the lock is on a file nobody else will see, and the one named path is tried again.
        struct stat named {};
        if (::stat(path.c_str(), &named) == 0 && named.st_dev == held.st_dev && named.st_ino == held.st_ino) {
            const std::string pid = std::to_string(ownPid()) + "\n";
            if (::ftruncate(fd, 0) == 0) [[maybe_unused]]
                const ssize_t n = ::write(fd, pid.data(), pid.size());
            state = State::Held;
            return std::unique_ptr<FileLock>(new FileLock(path, fd));
        }
        ::close(fd);
    }
}

FileLock::~FileLock() {
    // Removed while still held, so no other copy is ever left holding a file nobody can see.
    ::unlink(path_.c_str());
    ::close(fd_);
}

}  // namespace sky

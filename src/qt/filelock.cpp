// Lock files through the system's own file locks: the system lets go of them when their holder ends.
#include "qt/filelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace sky::qt {

std::unique_ptr<FileLock> FileLock::acquire(const std::string& path, int waitMs, State& state, std::string& why) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        // Without blocking or following a link: a FIFO or a link planted there is no lock file.
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
        struct stat held {
        }, named{};
        if (fd < 0 || ::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode)) {
            why = fd < 0 ? std::strerror(errno) : "not a regular file";
            if (fd >= 0) ::close(fd);
            state = State::Unavailable;
            return nullptr;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // The copy before may have removed the file between our opening and our locking it:
            // then the lock is on a file nobody else will see, and the one named path is tried.
            if (::stat(path.c_str(), &named) == 0 && named.st_dev == held.st_dev && named.st_ino == held.st_ino) {
                const std::string pid = std::to_string(::getpid()) + "\n";
                if (::ftruncate(fd, 0) == 0) [[maybe_unused]]
                    const ssize_t n = ::write(fd, pid.data(), pid.size());
                state = State::Held;
                return std::unique_ptr<FileLock>(new FileLock(path, fd));
            }
            ::close(fd);
            continue;
        }
        ::close(fd);
        if (std::chrono::steady_clock::now() >= until) {
            state = State::Busy;
            return nullptr;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

FileLock::~FileLock() {
    // Removed while still held, so no other copy is ever left holding a file nobody can see.
    ::unlink(path_.c_str());
    ::close(fd_);
}

}  // namespace sky::qt

// The folder's lock, as the game's windows take it.
#include "scenario/folderlock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <string_view>
#include <vector>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace sky {

namespace {

#ifdef __EMSCRIPTEN__
// On Node the process is Node's: its id and whether another runs come from there; the files
// below are the machine's own.
EM_JS(int, nodePid, (), { return process.pid; });
EM_JS(int, nodeAlive, (int pid), {
    try {
        process.kill(pid, 0);
        return 1;
    } catch (e) {
        return e.code == 'EPERM' ? 1 : 0;
    }
});
int ownPid() {
    return nodePid();
}
bool running(long pid) {
    return nodeAlive(static_cast<int>(pid)) != 0;
}
#else
int ownPid() {
    return static_cast<int>(::getpid());
}
bool running(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}
#endif

// The file name of a process's program, or "" where it cannot be told.
std::string programName(const std::string& proc) {
    char buf[4096];
    const ssize_t n = ::readlink(proc.c_str(), buf, sizeof buf);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buf) return "";
    const std::string_view p(buf, static_cast<std::size_t>(n));
    return std::string(p.substr(p.rfind('/') + 1));
}

std::string hostName() {
    char buf[256] = {};
    const int fd = ::open("/proc/sys/kernel/hostname", O_RDONLY | O_CLOEXEC);
    const ssize_t n = fd >= 0 ? ::read(fd, buf, sizeof buf - 1) : -1;
    if (fd >= 0) ::close(fd);
    std::string h = n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : "";
    if (!h.empty() && h.back() == '\n') h.pop_back();
    if (h.empty() && ::gethostname(buf, sizeof buf - 1) == 0) h = buf;
    return h;
}

// A process by that id runs that program (another one may have taken the id since).
bool alive(long pid, const std::string& name) {
    if (!running(pid)) return false;
    const std::string program = programName("/proc/" + std::to_string(pid) + "/exe");
    return program.empty() || name.empty() || program == name;
}

}  // namespace

FolderLock::~FolderLock() {
    if (fd_ < 0) return;
    ::unlink(path_.c_str());
    ::close(fd_);
}

bool FolderLock::heldByAnother() const {
    const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    // The holder keeps it flocked while it runs.
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        ::close(fd);
        return true;
    }
    char buf[512];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    ::close(fd);
    if (n <= 0) return false;
    std::vector<std::string> lines(1);
    for (ssize_t i = 0; i < n && lines.size() <= 3; ++i)
        if (buf[i] == '\n')
            lines.emplace_back();
        else
            lines.back().push_back(buf[i]);
    if (lines.size() < 4) return false;  // cut short or garbled: nobody's
    long pid = 0;
    for (char c : lines[0]) {
        if (c < '0' || c > '9' || pid > 1'000'000'000) return false;
        pid = pid * 10 + (c - '0');
    }
    if (pid <= 0) return false;
    // On another machine (a shared folder) there is no telling whether it runs: it counts.
    if (!lines[2].empty() && lines[2] != hostName()) return true;
    return alive(pid, lines[1]);
}

FolderLock::Result FolderLock::take() {
    if (fd_ >= 0) return Result::Taken;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX | LOCK_NB);
            const std::string text =
                std::to_string(ownPid()) + "\n" + programName("/proc/self/exe") + "\n" + hostName() + "\n";
            if (::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
                ::unlink(path_.c_str());
                ::close(fd);
                return Result::NoLock;
            }
            fd_ = fd;
            return Result::Taken;
        }
        if (errno != EEXIST) return Result::NoLock;
        if (heldByAnother()) return Result::Held;
        // Left by a copy that is gone.
        if (::unlink(path_.c_str()) != 0) return Result::NoLock;
    }
    return Result::Held;  // another copy took it between our two tries
}

}  // namespace sky

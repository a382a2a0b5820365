// Reading and replacing the small files the game keeps.
#include "shell/savefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace sky {

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Nobody may write it: its owner took the write permission away (root writes anything, so the
// permission bits themselves are asked too).
bool readOnly(const std::string& path, const struct stat& st) {
    return (st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

// A new file beside target, created exclusively under a name nobody else uses: nothing planted
// at such a name (a link, a directory, a leftover of a killed save) is followed or in the way.
int createBeside(const std::string& target, mode_t mode, std::string& tmp) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tmp = target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
        const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

SmallRead readSmallFile(const std::string& path, std::size_t maxBytes, std::string& out) {
    out.clear();
    // Without blocking: a FIFO or a device in the file's place must not hold the game up.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? SmallRead::Missing : SmallRead::Failed;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return SmallRead::Failed;
    }
    out.resize(maxBytes + 1);
    std::size_t got = 0;
    while (got < out.size()) {
        const ssize_t n = ::read(fd, out.data() + got, out.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            out.clear();
            errno = error;
            return SmallRead::Failed;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    out.resize(got);
    return SmallRead::Read;
}

std::string saveTarget(const std::string& path) {
    std::string p = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        std::string link(4096, '\0');
        const ssize_t n = ::readlink(p.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= link.size()) break;
        link.resize(static_cast<std::size_t>(n));
        p = link[0] == '/' ? link : folderOf(p) + "/" + link;
    }
    return p;
}

std::optional<std::string> saveProblem(const std::string& path) {
    const std::string target = saveTarget(path);
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) return std::string("not a regular file");
        if (readOnly(target, st)) return std::string("read-only file");
        const int fd = ::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return std::string(std::strerror(errno));
        ::close(fd);
    }
    std::string tmp;
    const int fd = createBeside(target, 0600, tmp);
    if (fd < 0) return std::string(std::strerror(errno));
    ::close(fd);
    ::unlink(tmp.c_str());
    return std::nullopt;
}

bool replaceFile(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string target = saveTarget(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        error = "not a regular file";
        return false;
    }
    if (exists && readOnly(target, old)) {
        error = "read-only file";
        return false;
    }
    // A new file gets what any new file of the player's gets (0666 under the umask); a replaced
    // one keeps the permissions it had.
    std::string tmp;
    const int fd = createBeside(target, exists ? 0600 : 0666, tmp);
    bool ok = fd >= 0;
    if (ok && exists) {
        [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);  // as far as allowed
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    }
    for (std::size_t done = 0; ok && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += static_cast<std::size_t>(n);
    }
    // On the disk before it replaces the old file, so even a power cut leaves one whole version.
    if (ok) ok = ::fsync(fd) == 0;
    if (fd >= 0) ok = ::close(fd) == 0 && ok;
    if (ok) ok = std::rename(tmp.c_str(), target.c_str()) == 0;
    if (!ok) {
        error = std::strerror(errno);
        if (fd >= 0) ::unlink(tmp.c_str());
        return false;
    }
    // The rename itself on the disk too.
    if (const int dir = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

}  // namespace sky

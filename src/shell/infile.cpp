// Files named on the command line, read through one descriptor.
#include "shell/infile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <istream>
#include <streambuf>

namespace sky {

namespace {

// Reads the descriptor from the start with positioned reads, so that several streams can share it.
class DescriptorBuf : public std::streambuf {
public:
    explicit DescriptorBuf(int fd) : fd_(fd) {}

protected:
    int_type underflow() override {
        ssize_t n;
        do n = ::pread(fd_, buf_, sizeof buf_, at_);
        while (n < 0 && errno == EINTR);
        if (n <= 0) return traits_type::eof();  // a read error ends the text as the end of the file does
        at_ += n;
        setg(buf_, buf_, buf_ + n);
        return traits_type::to_int_type(buf_[0]);
    }

private:
    int fd_;
    off_t at_ = 0;
    char buf_[8192];
};

class DescriptorStream : public std::istream {
public:
    explicit DescriptorStream(int fd) : std::istream(nullptr), buf_(fd) { rdbuf(&buf_); }

private:
    DescriptorBuf buf_;
};

}  // namespace

std::shared_ptr<const InputFile> InputFile::open(const std::string& path, std::string& why) {
    if (path.empty()) {
        why = "no file name";
        return nullptr;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        why = std::strerror(errno);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        why = "not a regular file";
        return nullptr;
    }
    return std::shared_ptr<const InputFile>(new InputFile(fd, static_cast<std::uint64_t>(st.st_size)));
}

InputFile::~InputFile() {
    ::close(fd_);
}

std::unique_ptr<std::istream> InputFile::stream() const {
    return std::make_unique<DescriptorStream>(fd_);
}

std::optional<std::string> InputFile::read(std::size_t most, std::string& why) const {
    std::string text;
    char buf[65536];
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(fd_, buf, sizeof buf, at);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            why = std::strerror(errno);
            return std::nullopt;
        }
        if (n == 0) return text;
        // The file may have grown since it was opened: the bound is on what is read.
        if (text.size() + static_cast<std::size_t>(n) > most) {
            why = "longer than " + std::to_string(most) + " bytes";
            return std::nullopt;
        }
        text.append(buf, static_cast<std::size_t>(n));
        at += n;
    }
}

}  // namespace sky

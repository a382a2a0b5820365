// A file the player names on the command line (a scenario, a recording), opened once and read
// through that one descriptor: only a regular file, and opening it never waits on a FIFO or a
// device. What is renamed over the name afterwards is never read.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

namespace sky {

class InputFile {
public:
    // The open file, or nullptr and why ("not a regular file", "No such file or directory").
    static std::shared_ptr<const InputFile> open(const std::string& path, std::string& why);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    std::uint64_t size() const { return size_; }  // when it was opened
    // The file's bytes from the first, each stream at its own position.
    std::unique_ptr<std::istream> stream() const;
    // The whole file when it holds at most `most` bytes; else nullopt and why.
    std::optional<std::string> read(std::size_t most, std::string& why) const;

private:
    InputFile(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
    int fd_;
    std::uint64_t size_;
};

}  // namespace sky

// Small files the game keeps between runs (the progress, the settings): read only when they are
// regular files, never more than a bound, without blocking; replaced atomically, through a link to
// where the file really lies, keeping its permissions.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace sky {

enum class SmallRead {
    Read,     // out holds the file's first maxBytes + 1 bytes at most
    Missing,  // no such file (a dangling link counts as none)
    Failed,   // there, but not a regular file, or it could not be opened or read: errno says why
};

// Reads up to maxBytes + 1 bytes of path into out, so a caller can tell a file that is longer.
// A FIFO, a device or a directory in its place is Failed at once.
SmallRead readSmallFile(const std::string& path, std::size_t maxBytes, std::string& out);

// Where a save of path really goes: the file at the end of its chain of links (path itself when
// it is no link). Relative links are taken from the folder of the link that names them.
std::string saveTarget(const std::string& path);

// Why path cannot be replaced, as strerror() words (a folder that takes no new file, a read-only
// file, something that is not a file in its place), or nothing when a save would go through.
// Makes and removes one empty file beside the target to find out.
std::optional<std::string> saveProblem(const std::string& path);

// Replaces the file at the end of path's links with bytes: a fresh temporary file beside it,
// created exclusively, given the old file's permissions (or a new file's, under the umask),
// written, flushed to the disk and renamed over it. A read-only file, or anything but a regular
// file, is not replaced. On failure the old file is untouched, no temporary file is left and
// error holds the reason.
bool replaceFile(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace sky

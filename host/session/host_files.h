// The host's own file access: every file it reads is checked before a byte is read (a regular
// file, no larger than kMaxReadFileBytes), and every file it writes replaces the old one only
// once the new content is completely on disk.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace session {

// The largest file the host reads: far above any configuration text (a few kilobytes; the
// largest a document can hold is 16 Mi characters) or document file.
inline constexpr std::uintmax_t kMaxReadFileBytes = std::uintmax_t{64} << 20;

// A file that cannot be read or written; the message names the file and the reason, e.g.
// "cannot read /tmp/x: it is a folder, not a file".
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The bytes of the regular file `path`. Refuses, before reading anything, a folder, a FIFO, a
// device or socket, and a file larger than `limit`; an error of the operating system carries
// its reason.
std::string ReadWholeFile(const std::filesystem::path& path,
                          std::uintmax_t limit = kMaxReadFileBytes);

// How bytes reach a file descriptor (::write, unless a test stands in for it).
using WriteCall = ssize_t (*)(int, const void*, std::size_t);

// Replaces the file `path` with `bytes` so that it can never be lost: the bytes go into a new
// file beside it, are flushed to disk, and that file is renamed over the old one. On any
// failure the new file is removed, the old one is left byte for byte, and FileError says why.
// A symbolic link keeps pointing where it did (its target is replaced). A target that is not a
// regular file (a pipe, a terminal, a device) or is the process's standard output is written
// in place, as such a target cannot be replaced.
void ReplaceFile(const std::filesystem::path& path, std::string_view bytes,
                 WriteCall write = &::write);

// Why the last shared library could not be loaded, as the system's loader tells it.
std::string LoaderReason();

// Whether `path` names the file open as the process's standard output.
bool IsStandardOutput(const std::filesystem::path& path);

}  // namespace session

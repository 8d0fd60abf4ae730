#include "host/files/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "host/files/descriptor.h"

namespace files {

namespace {

// What a file that is not a regular file is, for the reader's refusal.
const char* NotAFile(mode_t mode) {
    if (S_ISDIR(mode))
        return "it is a folder, not a file";
    if (S_ISFIFO(mode))
        return "it is a named pipe (FIFO), not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "it is a device, not a regular file";
    if (S_ISSOCK(mode))
        return "it is a socket, not a regular file";
    return "it is not a regular file";
}

std::string TooLarge(std::uintmax_t limit) {
    constexpr std::uintmax_t kMiB = std::uintmax_t{1} << 20;
    const std::string size = limit % kMiB == 0 ? std::to_string(limit / kMiB) + " MiB"
                                               : std::to_string(limit) + " bytes";
    return "it is larger than the " + size + " the host reads";
}

[[noreturn]] void CannotRead(const std::filesystem::path& path, const std::string& why) {
    throw FileError("cannot read " + path.string() + ": " + why);
}

// `path` opened for reading and checked to be a regular file; its status in `status`.
Descriptor OpenRegularFile(const std::filesystem::path& path, struct stat& status) {
    // Non-blocking, so that opening a FIFO without a writer returns at once to be refused.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.Get() < 0 || ::fstat(file.Get(), &status) != 0)
        CannotRead(path, std::strerror(errno));
    if (!S_ISREG(status.st_mode))
        CannotRead(path, NotAFile(status.st_mode));
    return file;
}

}  // namespace

std::string ReadWholeFile(const std::filesystem::path& path, std::uintmax_t limit,
                          FileState* state) {
    struct stat status {};
    const Descriptor file = OpenRegularFile(path, status);
    if (static_cast<std::uintmax_t>(status.st_size) > limit)
        CannotRead(path, TooLarge(limit));

    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[64 * 1024];
    while (true) {
        const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            CannotRead(path, std::strerror(errno));
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
        // A file that grows while it is read is held to the same limit.
        if (bytes.size() > limit)
            CannotRead(path, TooLarge(limit));
    }
    if (state != nullptr) {
        // The status after the read, so that a write meanwhile shows in the time.
        ::fstat(file.Get(), &status);
        *state = StateOfStatus(status, bytes);
    }
    return bytes;
}

void CheckRegularFile(const std::filesystem::path& path) {
    struct stat status {};
    OpenRegularFile(path, status);
}

}  // namespace files

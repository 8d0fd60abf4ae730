#include "host/session/host_files.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace session {

namespace {

std::string Reason(int error) {
    return std::strerror(error);
}

// A file descriptor closed at the end of its scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return fd_; }
    // Closes now; the result of close, which reports late write errors.
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

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

// Writes all of `bytes`; false with errno set when a write fails.
bool WriteAll(int fd, std::string_view bytes, WriteCall write) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

[[noreturn]] void WriteFailed(const std::filesystem::path& path, int error) {
    throw FileError("cannot write " + path.string() + ": " + Reason(error));
}

void WriteInPlace(const std::filesystem::path& path, std::string_view bytes, WriteCall write) {
    Descriptor file(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY));
    if (file.Get() < 0 || !WriteAll(file.Get(), bytes, write))
        WriteFailed(path, errno);
    if (file.Close() != 0)
        WriteFailed(path, errno);
}

// The permissions a new file gets from the process's umask.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

std::string ReadWholeFile(const std::filesystem::path& path, std::uintmax_t limit) {
    const auto fail = [&](const std::string& why) -> std::string {
        throw FileError("cannot read " + path.string() + ": " + why);
    };
    // Non-blocking, so that opening a FIFO without a writer returns at once to be refused.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.Get() < 0)
        return fail(Reason(errno));
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0)
        return fail(Reason(errno));
    if (!S_ISREG(status.st_mode))
        return fail(NotAFile(status.st_mode));
    if (static_cast<std::uintmax_t>(status.st_size) > limit)
        return fail(TooLarge(limit));

    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[64 * 1024];
    while (true) {
        const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return fail(Reason(errno));
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
        // A file that grows while it is read is held to the same limit.
        if (bytes.size() > limit)
            return fail(TooLarge(limit));
    }
    return bytes;
}

std::string LoaderReason() {
    const char* reason = ::dlerror();
    return reason != nullptr ? reason : "the loader gives no reason";
}

bool IsStandardOutput(const std::filesystem::path& path) {
    struct stat target {};
    struct stat output {};
    return ::stat(path.c_str(), &target) == 0 && ::fstat(STDOUT_FILENO, &output) == 0 &&
           target.st_dev == output.st_dev && target.st_ino == output.st_ino;
}

void ReplaceFile(const std::filesystem::path& path, std::string_view bytes, WriteCall write) {
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && (!S_ISREG(existing.st_mode) || IsStandardOutput(path))) {
        WriteInPlace(path, bytes, write);
        return;
    }
    // A link stays a link: its target is what gets replaced.
    std::filesystem::path target = path;
    std::error_code ignored;
    if (exists && std::filesystem::is_symlink(path, ignored))
        target = std::filesystem::canonical(path, ignored);
    if (target.empty())
        target = path;

    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    Descriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.Get() < 0)
        WriteFailed(path, errno);

    int error = 0;
    const mode_t mode = exists ? (existing.st_mode & 07777) : NewFileMode();
    if (::fchmod(file.Get(), mode) != 0 || !WriteAll(file.Get(), bytes, write) ||
        ::fsync(file.Get()) != 0) {
        error = errno;
    }
    if (file.Close() != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        throw FileError("cannot write " + path.string() + ": " + Reason(error) + "; " +
                        (exists ? "the file was left as it was" : "nothing was written"));
    }
    // The rename itself reaches the disk with the folder (where the folder can be flushed).
    Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.Get() >= 0)
        ::fsync(directory.Get());
}

}  // namespace session

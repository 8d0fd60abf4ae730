#include "host/files/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <iostream>

#include "host/files/temporaries.h"

namespace files {

namespace {

// The permissions a new file gets from the process's umask.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

// Whether the regular file with `status` is one the user may not write: the system says so,
// or no one may (which the system does not say to the superuser).
bool ReadOnly(const std::filesystem::path& file, const struct stat& status) {
    return ::access(file.c_str(), W_OK) != 0 || (status.st_mode & 0222) == 0;
}

// What a target is, and the refusals that need no file to be made.
struct Target {
    std::filesystem::path Path;  // the final target
    bool Exists = false;
    bool InPlace = false;  // a device or a pipe, written where it is
    struct stat Status {};
};

Target Examine(const std::filesystem::path& path) {
    Target target;
    target.Path = FinalTarget(path);
    target.Exists = ::stat(target.Path.c_str(), &target.Status) == 0;
    if (!target.Exists)
        return target;
    if (S_ISDIR(target.Status.st_mode))
        throw FileError("cannot write " + path.string() + ": " + std::strerror(EISDIR));
    target.InPlace = !S_ISREG(target.Status.st_mode);
    if (!target.InPlace && ReadOnly(target.Path, target.Status))
        throw FileError("cannot write " + path.string() +
                        ": it is read-only; the file was left as it was");
    return target;
}

}  // namespace

OutputFile::OutputFile(const std::filesystem::path& path, WriteCall write)
    : path_(path), write_(write) {
    RemoveTemporariesOnSignals();
    if (IsStandardOutput(path)) {
        // What the process printed before goes first.
        std::cout.flush();
        target_ = path;
        file_ = Descriptor(::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0));
        if (file_.Get() < 0)
            Fail(errno);
        return;
    }
    const Target target = Examine(path);
    target_ = target.Path;
    targetExisted_ = target.Exists;
    if (target.InPlace) {
        file_ = Descriptor(::open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY));
        if (file_.Get() < 0)
            Fail(errno);
        return;
    }
    replacing_ = true;
    std::string temporary =
        (FolderOf(target_) / ("." + target_.filename().string() + ".XXXXXX")).string();
    file_ = Descriptor(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file_.Get() < 0)
        Fail(errno);
    temporary_ = temporary;
    registration_ = std::make_unique<TemporaryRegistration>(temporary);
    if (target.Exists) {
        // Best effort: only the superuser may give a file to someone else.
        [[maybe_unused]] const int owned =
            ::fchown(file_.Get(), target.Status.st_uid, target.Status.st_gid);
    }
    const mode_t mode = target.Exists ? (target.Status.st_mode & 07777) : NewFileMode();
    if (::fchmod(file_.Get(), mode) != 0)
        Fail(errno);
}

OutputFile::~OutputFile() {
    if (!committed_ && !temporary_.empty())
        ::unlink(temporary_.c_str());
}

void OutputFile::Fail(int error) {
    std::string what = "cannot write " + path_.string() + ": " + std::strerror(error);
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        registration_.reset();
    }
    if (replacing_)
        what += targetExisted_ ? "; the file was left as it was" : "; nothing was written";
    file_ = Descriptor();
    committed_ = true;  // nothing is left to remove
    throw FileError(what);
}

void OutputFile::Write(std::string_view bytes) {
    if (committed_)
        throw FileError("cannot write " + path_.string() + ": it was already closed");
    while (!bytes.empty()) {
        const ssize_t written = write_(file_.Get(), bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            Fail(errno);
        }
        if (written == 0)
            Fail(EIO);  // a write that takes nothing would never end
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void OutputFile::Commit() {
    if (committed_)
        throw FileError("cannot write " + path_.string() + ": it was already closed");
    if (temporary_.empty()) {
        if (file_.Close() != 0)
            Fail(errno);
        committed_ = true;
        return;
    }
    if (::fsync(file_.Get()) != 0 || file_.Close() != 0 ||
        ::rename(temporary_.c_str(), target_.c_str()) != 0)
        Fail(errno);
    committed_ = true;
    registration_.reset();
    // The rename itself reaches the disk with the folder (where the folder can be flushed).
    const Descriptor folder(::open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0)
        ::fsync(folder.Get());
}

void CheckWritable(const std::filesystem::path& path) {
    if (IsStandardOutput(path))
        return;
    const Target target = Examine(path);
    const char* problem = nullptr;
    if (target.InPlace) {
        if (::access(target.Path.c_str(), W_OK) != 0)
            problem = std::strerror(errno);
    } else if (::access(FolderOf(target.Path).c_str(), W_OK | X_OK) != 0) {
        problem = std::strerror(errno);
    }
    if (problem != nullptr)
        throw FileError("cannot write " + path.string() + ": " + problem);
}

void ReplaceFile(const std::filesystem::path& path, std::string_view bytes, WriteCall write) {
    OutputFile file(path, write);
    file.Write(bytes);
    file.Commit();
}

}  // namespace files

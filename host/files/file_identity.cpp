#include "host/files/file_identity.h"

#include <sys/stat.h>
#include <unistd.h>

namespace files {

namespace {

// As many links as the system itself follows before it gives up (ELOOP).
constexpr int kMostLinks = 40;

}  // namespace

std::filesystem::path FinalTarget(const std::filesystem::path& path) {
    std::filesystem::path target = path;
    for (int hop = 0; hop < kMostLinks; ++hop) {
        std::error_code error;
        if (!std::filesystem::is_symlink(target, error))
            return target;
        const std::filesystem::path next = std::filesystem::read_symlink(target, error);
        if (error)
            return target;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path) {
    struct stat status {};
    if (path == kStandardOutputName)
        return ::fstat(STDOUT_FILENO, &status) == 0
                   ? std::optional(FileIdentity{status.st_dev, status.st_ino, {}})
                   : std::nullopt;
    if (::stat(path.c_str(), &status) == 0)
        return FileIdentity{status.st_dev, status.st_ino, {}};
    const std::filesystem::path target = FinalTarget(path);
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    if (::stat(folder.c_str(), &status) != 0)
        return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino, target.filename().string()};
}

bool IsStandardOutput(const std::filesystem::path& path) {
    if (path == kStandardOutputName)
        return true;
    struct stat target {};
    struct stat output {};
    return ::stat(path.c_str(), &target) == 0 && ::fstat(STDOUT_FILENO, &output) == 0 &&
           target.st_dev == output.st_dev && target.st_ino == output.st_ino;
}

bool NamesRegularFile(const std::filesystem::path& path) {
    if (IsStandardOutput(path))
        return false;
    struct stat status {};
    return ::stat(path.c_str(), &status) != 0 || S_ISREG(status.st_mode);
}

}  // namespace files

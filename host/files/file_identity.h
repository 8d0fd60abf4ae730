// Which file a name stands for, so that two names of one file are told apart from two files:
// an output must never be one of the inputs or another output, whatever the names say.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>

namespace files {

// The name that stands for the process's standard output on the command line.
inline constexpr char kStandardOutputName[] = "-";

struct FileIdentity {
    dev_t Device = 0;
    ino_t Inode = 0;
    // Empty for a file that exists. For one that does not exist yet, its name, and Device and
    // Inode are its folder's: two names of one new file are one file too.
    std::string NewName;

    bool operator==(const FileIdentity&) const = default;
};

// The file `path` names, through symbolic links ("-" the standard output); nothing when
// neither it nor its folder exists.
std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path);

// Whether `path` is "-" or names the file open as the process's standard output.
bool IsStandardOutput(const std::filesystem::path& path);

// Whether writing `path` makes or replaces a regular file: not the standard output, a device,
// a pipe or a folder.
bool NamesRegularFile(const std::filesystem::path& path);

// The file `path` finally names when every symbolic link on the way is followed, also one
// that points where nothing is yet (the file a write through the link creates).
std::filesystem::path FinalTarget(const std::filesystem::path& path);

}  // namespace files

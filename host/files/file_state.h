// What a file is at one moment, to tell later whether it is still the same file with the same
// bytes: its identity on the file system, its size, its modification time and a digest of its
// content. A file saved over by another program differs in at least one of them.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace files {

struct FileState {
    bool Exists = false;
    dev_t Device = 0;
    ino_t Inode = 0;
    std::uintmax_t Size = 0;
    std::int64_t ModifiedNanoseconds = 0;
    std::size_t Digest = 0;  // of the bytes, for comparisons within one process

    bool operator==(const FileState&) const = default;
};

// The state of the file `path` names now (through symbolic links); Exists is false when there
// is none. Throws FileError when it exists but cannot be read.
FileState StateOf(const std::filesystem::path& path);

// The state of a file with `status` and `bytes`.
FileState StateOfStatus(const struct stat& status, std::string_view bytes);

}  // namespace files

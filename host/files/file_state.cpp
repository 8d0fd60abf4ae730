#include "host/files/file_state.h"

#include <cerrno>
#include <cstring>
#include <functional>

#include "host/files/read_file.h"

namespace files {

FileState StateOf(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        if (errno == ENOENT)
            return {};
        throw FileError("cannot read " + path.string() + ": " + std::strerror(errno));
    }
    FileState state;
    ReadWholeFile(path, kMaxReadFileBytes, &state);
    return state;
}

FileState StateOfStatus(const struct stat& status, std::string_view bytes) {
    return {true,
            status.st_dev,
            status.st_ino,
            static_cast<std::uintmax_t>(status.st_size),
            std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec,
            std::hash<std::string_view>{}(bytes)};
}

}  // namespace files

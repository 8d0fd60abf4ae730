// Reading the files a command names: every file is checked before a byte is read (a regular
// file, no larger than the limit), so that a folder, a FIFO without a writer or a device that
// never ends is refused at once.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "host/files/file_error.h"
#include "host/files/file_state.h"

namespace files {

// The largest file the host reads whole: far above any configuration text (a few kilobytes;
// the largest a document can hold is 16 Mi characters) or document file. Recordings are not
// read whole and have no such limit.
inline constexpr std::uintmax_t kMaxReadFileBytes = std::uintmax_t{64} << 20;

// The bytes of the regular file `path`. Refuses, before reading anything, a folder, a FIFO, a
// device or socket, and a file larger than `limit`; an error of the operating system carries
// its reason. With `state`, also what the file was as it was read (FileState).
std::string ReadWholeFile(const std::filesystem::path& path,
                          std::uintmax_t limit = kMaxReadFileBytes, FileState* state = nullptr);

// Refuses, as ReadWholeFile does but without a limit and without reading, anything but a
// regular file that can be opened for reading: for files another reader opens by name.
void CheckRegularFile(const std::filesystem::path& path);

}  // namespace files

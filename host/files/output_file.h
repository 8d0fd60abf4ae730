// Every file the host writes (documents, the preview's reports) goes through an OutputFile,
// so that no file is ever left half-written: the bytes go into a new file beside the target,
// are flushed to disk, and that file is renamed over the target on Commit. When anything fails
// before (an error of the write, a full disk, the file-size limit, an exception, a signal that
// ends the process) the new file is removed and the old target stays byte for byte.
//
//   files::OutputFile out(path);   // refuses at once what cannot be written
//   out.Write(bytes); ...
//   out.Commit();                  // the new file takes the target's place
//
// What cannot be replaced is written in place: "-" and any name of the process's standard
// output write the standard output, a device or a pipe is opened and written. A symbolic link
// stays a link, pointing where it did even where nothing is yet: its final target is written.
// A new file gets the old one's permissions (and owner, where the process may give it), or
// those of the process's umask.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "host/files/descriptor.h"
#include "host/files/file_error.h"
#include "host/files/file_identity.h"

namespace files {

// How bytes reach a file descriptor (::write, unless a test stands in for it).
using WriteCall = ssize_t (*)(int, const void*, std::size_t);

class TemporaryRegistration;

class OutputFile {
public:
    // Refuses (FileError naming `path` and the reason) a target that is read-only or a folder,
    // and a new file that cannot be made beside it (the folder is missing or cannot be
    // written).
    explicit OutputFile(const std::filesystem::path& path, WriteCall write = &::write);
    // Without Commit, the new file is removed.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // FileError with the system's reason when the bytes cannot be written; the new file is
    // removed then.
    void Write(std::string_view bytes);
    // Flushes the bytes to disk and puts the new file in the target's place; FileError (the
    // new file removed, the target as it was) when that fails.
    void Commit();

    const std::filesystem::path& Path() const { return path_; }
    // Whether the target is a file that gets replaced (not the standard output, a device or a
    // pipe written in place).
    bool ReplacesAFile() const { return replacing_; }

private:
    [[noreturn]] void Fail(int error);

    std::filesystem::path path_;
    std::filesystem::path target_;     // where the bytes end up
    std::filesystem::path temporary_;  // the new file beside it; empty when written in place
    bool targetExisted_ = false;
    bool replacing_ = false;  // a regular file is replaced (not written in place)
    Descriptor file_;
    std::unique_ptr<TemporaryRegistration> registration_;
    WriteCall write_;
    bool committed_ = false;
};

// Checks what the constructor of an OutputFile checks, without making anything: FileError
// when `path` cannot be written.
void CheckWritable(const std::filesystem::path& path);

// Replaces the file `path` with `bytes` through an OutputFile.
void ReplaceFile(const std::filesystem::path& path, std::string_view bytes,
                 WriteCall write = &::write);

}  // namespace files

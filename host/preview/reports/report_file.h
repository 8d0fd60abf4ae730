// Where every report's file is opened, written and completed, in one place: a report is written
// as the replay goes through a large buffer into a files::OutputFile (host/files/output_file.h),
// which writes beside the target and takes the target's place only on Commit. A report that is
// not committed (the recording turned out damaged halfway, a write failed) is removed, so nothing
// is left behind as if it were complete; "-", a device or a pipe is written in place.
#pragma once

#include <string>
#include <string_view>

#include "host/files/output_file.h"

namespace preview {

class ReportFile {
public:
    // Throws files::FileError naming `path` and the system's reason when it cannot be written.
    explicit ReportFile(const std::string& path);

    const std::string& Path() const { return path_; }
    // Whether the target is a file that gets replaced (not the standard output, a device or a
    // pipe written in place).
    bool ReplacesAFile() const { return file_.ReplacesAFile(); }

    // Text to append; written out whenever a megabyte has gathered (MaybeFlush) and at the end.
    std::string& Text() { return text_; }
    void MaybeFlush() {
        if (text_.size() >= kFlushBytes)
            Flush();
    }
    void Write(std::string_view bytes);

    // Writes what is left and puts the file in the target's place. Throws files::FileError
    // naming the file and the reason when it cannot.
    void Commit();

private:
    static constexpr std::size_t kFlushBytes = 1 << 20;
    void Flush();

    std::string path_;
    files::OutputFile file_;
    std::string text_;
};

}  // namespace preview

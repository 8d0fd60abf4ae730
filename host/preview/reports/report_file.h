// Where every report's file is opened, written and completed, in one place: a report is written
// beside its target under a temporary name, through a large buffer, and takes the target's name
// only when it is complete (Commit). A report that is not committed (the recording turned out
// damaged halfway, a write failed) is removed, so nothing is left behind as if it were complete.
// A target that is a device or a pipe (/dev/null) is written in place; a symbolic link stays a
// link, its target replaced.
#pragma once

#include <string>
#include <string_view>

namespace preview {

class ReportFile {
public:
    // Creates the temporary file beside `path`. Throws SignalFileError naming `path` and the
    // system's reason when it cannot.
    explicit ReportFile(std::string path);
    ~ReportFile();
    ReportFile(const ReportFile&) = delete;
    ReportFile& operator=(const ReportFile&) = delete;

    const std::string& Path() const { return path_; }

    // Text to append; written out whenever a megabyte has gathered (MaybeFlush) and at
    // the end.
    std::string& Text() { return text_; }
    void MaybeFlush() {
        if (text_.size() >= kFlushBytes)
            Flush();
    }
    void Write(std::string_view bytes);

    // Writes what is left and puts the file in the target's place. Throws SignalFileError
    // naming the file and the reason when it cannot.
    void Commit();

private:
    static constexpr std::size_t kFlushBytes = 1 << 20;
    void Flush();
    [[noreturn]] void Fail(const std::string& what) const;

    std::string path_;
    std::string target_;  // the file the name stands for (a link's target)
    std::string temporary_;
    bool direct_ = false;  // a device or pipe, written in place
    int fd_ = -1;
    std::string text_;
    bool committed_ = false;
};

}  // namespace preview

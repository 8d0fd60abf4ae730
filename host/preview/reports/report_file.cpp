#include "host/preview/reports/report_file.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "host/preview/formats/signal_file_error.h"

namespace preview {

ReportFile::ReportFile(std::string path) : path_(std::move(path)) {
    std::error_code error;
    std::filesystem::path target(path_);
    const std::filesystem::file_status status = std::filesystem::status(target, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        // A device or a pipe (/dev/null, /dev/stdout) is written as it is: nothing to rename.
        fd_ = ::open(path_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (fd_ < 0)
            Fail(std::string("cannot be opened for writing: ") + std::strerror(errno));
        direct_ = true;
        return;
    }
    // A symbolic link stays a link: its target is replaced.
    const std::filesystem::path resolved = std::filesystem::canonical(target, error);
    if (!error)
        target = resolved;
    target_ = target.string();
    text_.reserve(kFlushBytes + (64 << 10));
    temporary_ = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    fd_ = ::mkstemp(temporary_.data());
    if (fd_ < 0)
        Fail(std::string("cannot be opened for writing: ") + std::strerror(errno));
    // As a file made by open() would be: readable by all, as the umask allows.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd_, 0666 & ~mask);
}

ReportFile::~ReportFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!committed_ && !direct_)
        ::unlink(temporary_.c_str());
}

void ReportFile::Write(std::string_view bytes) {
    text_.append(bytes);
    MaybeFlush();
}

void ReportFile::Flush() {
    std::size_t done = 0;
    while (done < text_.size()) {
        const ssize_t written = ::write(fd_, text_.data() + done, text_.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            Fail(std::string("could not be written: ") + std::strerror(errno));
        done += static_cast<std::size_t>(written);
    }
    text_.clear();
}

void ReportFile::Commit() {
    Flush();
    if (::close(fd_) != 0) {
        fd_ = -1;
        Fail(std::string("could not be written: ") + std::strerror(errno));
    }
    fd_ = -1;
    committed_ = direct_;
    if (!direct_ && ::rename(temporary_.c_str(), target_.c_str()) != 0)
        Fail(std::string("could not be written: ") + std::strerror(errno));
    committed_ = true;
}

void ReportFile::Fail(const std::string& what) const {
    throw SignalFileError(path_, 0, what);
}

}  // namespace preview

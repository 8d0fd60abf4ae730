#include "host/preview/reports/report_file.h"

namespace preview {

ReportFile::ReportFile(const std::string& path) : path_(path), file_(path) {
    text_.reserve(kFlushBytes + (64 << 10));
}

void ReportFile::Write(std::string_view bytes) {
    text_.append(bytes);
    MaybeFlush();
}

void ReportFile::Flush() {
    file_.Write(text_);
    text_.clear();
}

void ReportFile::Commit() {
    Flush();
    file_.Commit();
}

}  // namespace preview

// The error of every signal-file reader and writer and of every report writer: a message that
// names the file and, where it can, the line, column or channel and what does not fit.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace preview {

class SignalFileError : public std::runtime_error {
public:
    // `line` is one-based; 0 when the error is not about a line of the file.
    SignalFileError(const std::string& file, std::int64_t line, const std::string& what)
        : std::runtime_error(line > 0 ? file + ", line " + std::to_string(line) + ": " + what
                                      : file + ": " + what),
          file_(file),
          line_(line) {}

    const std::string& File() const { return file_; }
    std::int64_t Line() const { return line_; }

private:
    std::string file_;
    std::int64_t line_;
};

}  // namespace preview

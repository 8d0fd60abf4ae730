// A file that cannot be read or written: the message names the file and the reason, the
// system's where it gave one ("cannot write /tmp/x: No space left on device").
#pragma once

#include <stdexcept>

namespace files {

class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace files

// A configuration text as the Python module's Configuration holds it: one that reads, kept as
// the writer writes what was read (as `ostrel check` prints it), so that two texts of the same
// configuration are the same text.
#pragma once

#include <stdexcept>
#include <string>

namespace python {

// A text that does not read; what() names the line (and the file) and what is wrong there.
class ConfigurationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The configuration `text` as the writer writes it. Throws ConfigurationError for a text that
// does not read, or reads as nothing (another version): "line 45: output 1 would have more
// than 4 rules".
std::string ReadConfiguration(const std::string& text);

// The same for the text of the file `path`, within ostrel's limits; the error names the file as
// ostrel does ("PATH:45: ..."). Throws files::FileError when the file cannot be read.
std::string ReadConfigurationFile(const std::string& path);

}  // namespace python

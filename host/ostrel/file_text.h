// Reading a whole file as bytes.
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace Ostrel {

// The file's bytes, or nothing when it cannot be opened or read (a folder, for example); then
// `error` says why.
std::optional<std::string> ReadFileText(const std::string& path, std::string& error);

// ReadFileText for a command: a file that cannot be read is reported on `err` as
// "ostrel: cannot read PATH: why".
std::optional<std::string> ReadCommandFile(const std::string& path, std::ostream& err);

}  // namespace Ostrel

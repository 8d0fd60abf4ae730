// Reading a whole file as bytes.
#pragma once

#include <optional>
#include <string>

namespace Ostrel {

// The file's bytes, or nothing when it cannot be opened or read (a folder, for example); then
// `error` says why.
std::optional<std::string> ReadFileText(const std::string& path, std::string& error);

}  // namespace Ostrel

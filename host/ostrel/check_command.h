// `ostrel check FILE`: reads a configuration text and prints what the writer makes of it.
#pragma once

#include <ostream>
#include <string>

namespace ostrel {

// Exit codes of `ostrel check`.
inline constexpr int kCheckParsed = 0;      // the text reads
inline constexpr int kCheckFailed = 1;      // it does not; the partial result is printed
inline constexpr int kCheckUnreadable = 2;  // the file cannot be read

// Reads FILE with Deserialize and prints the text Serialize writes back to `out`; where and why
// the text does not read (or reads as nothing, for a version other than 1) goes to `err`.
int RunCheck(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace ostrel

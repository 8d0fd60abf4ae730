// Ids of the host executable's string table (registered by linking tarvel_host_resources).
#pragma once

namespace resources {

// "%1" is the minimum, "%2" the maximum of a real-number edit's range.
inline constexpr unsigned kValueOutOfRange = 20001;
inline constexpr unsigned kFirstLocaleMessage = 20007;
inline constexpr unsigned kLastLocaleMessage = 20018;

}  // namespace resources

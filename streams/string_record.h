// The binary stream's string record.
//
// Format version 10 and later (the writer always writes this form):
//   kind   int32  0x80000001 for UTF-16 text; a kind with the top bit clear is 8-bit text
//   n      int32  code units including the terminating NUL (bytes for 8-bit text)
//   check  int32  -n
//   text   n UTF-16LE units (or n bytes), the last one 0
// Versions below 10: int32 n (at most 64000), then n bytes of 8-bit text.
//
// 8-bit text is in the narrow encoding (UTF-8). A record whose n is negative, larger than
// kMaxUnits, larger than the data that remains, or whose check does not match raises XTev with
// code kXTevMalformedStream; memory is taken only as the text actually arrives, never sized
// from n alone.
#pragma once

#include <cstdint>

#include "platform/win_types.h"

namespace Tev::StringRecord {

inline constexpr std::uint32_t kUtf16Kind = 0x80000001;
inline constexpr std::uint32_t kUtf16KindBit = 0x80000000;
// The largest n of the old form.
inline constexpr std::uint32_t kMaxOldBytes = 64000;
// The largest n the reader accepts: 16 Mi units, far beyond any configuration text.
inline constexpr LONG kMaxUnits = LONG{1} << 24;

}  // namespace Tev::StringRecord

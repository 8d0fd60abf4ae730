// A stream over a file, like a stream made on a file by path.
//
//   ComPtr<IStream> stream;
//   HRESULT hr = CreateStreamOnFile("/tmp/doc.bin", STGM_CREATE | STGM_READWRITE,
//                                   stream.OutParam());
//
// `path` is UTF-8. The low two bits of `mode` give the access (STGM_READ, STGM_WRITE,
// STGM_READWRITE); STGM_CREATE creates the file, or empties an existing one, and needs write
// access; without it the file must exist (STG_E_FILENOTFOUND otherwise). Sharing flags are
// recorded, not enforced. The stream starts at position 0, reads and writes at its position
// as the file does, and closes the file when its last reference is released. Stat reports the
// file's size and times and the mode without STGM_CREATE.
#pragma once

#include "platform/stream/stream.h"

HRESULT CreateStreamOnFile(const char* path, DWORD mode, IStream** stream);

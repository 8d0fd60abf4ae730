// MemoryStream: a stream held in memory, like a stream on global memory. It grows as it is
// written (a gap left by seeking past the end reads as zero bytes) and its bytes can be taken
// back at any time. Its mode decides its access: STGM_READ refuses writes and size changes,
// STGM_WRITE refuses reads; Stat reports the mode. One stream holds at most kMaxSize bytes.
//
//   ComPtr<MemoryStream> stream = MemoryStream::Create();
//   Save(stream.Get());                       // anything taking an IStream*
//   std::vector<BYTE> saved = stream->Bytes();
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "platform/com/com_ptr.h"
#include "platform/stream/stream_object.h"

class MemoryStream final : public StreamObject {
public:
    static constexpr std::size_t kMaxSize = std::size_t{1} << 30;

    // An empty stream at position 0.
    static ComPtr<MemoryStream> Create(DWORD mode = STGM_READWRITE);
    // A stream holding a copy of `bytes`, at position 0.
    static ComPtr<MemoryStream> Create(std::span<const BYTE> bytes, DWORD mode = STGM_READWRITE);

    // A copy of the stream's content, and its size.
    std::vector<BYTE> Bytes() const { return bytes_; }
    std::size_t Size() const { return bytes_.size(); }
    std::size_t Position() const { return position_; }

    HRESULT Read(void* data, ULONG count, ULONG* read) override;
    HRESULT Write(const void* data, ULONG count, ULONG* written) override;
    HRESULT Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override;
    HRESULT SetSize(ULARGE_INTEGER size) override;
    HRESULT Stat(STATSTG* stat, DWORD flags) override;

private:
    explicit MemoryStream(DWORD mode) : mode_(mode) {}
    ~MemoryStream() override = default;

    DWORD mode_;
    std::vector<BYTE> bytes_;
    std::size_t position_ = 0;
};

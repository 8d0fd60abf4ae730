// Tev::BinStream: what the binary writer and reader share: the stream buffer they transfer
// through and the stream's state.
//
// States: kGood (0); kShort (2), a read, write or seek fell short; kBad (4), there is no
// buffer, it could not be opened, or a flush failed. The bits only ever accumulate.
#pragma once

#include <cstdint>
#include <ios>
#include <streambuf>

#include "platform/com/guid.h"
#include "platform/com/hresult.h"

namespace Tev {

class BinStream {
public:
    static constexpr std::uint32_t kGood = 0;
    static constexpr std::uint32_t kShort = 2;
    static constexpr std::uint32_t kBad = 4;

    BinStream(const BinStream&) = delete;
    BinStream& operator=(const BinStream&) = delete;
    virtual ~BinStream();

    std::uint32_t State() const { return state_; }
    bool Good() const { return state_ == kGood; }

protected:
    // A null buffer gives the state kBad. With `ownsBuffer` the stream deletes the buffer.
    BinStream(std::streambuf* buffer, bool ownsBuffer);

    std::streambuf* Buffer() const { return buffer_; }
    void SetState(std::uint32_t bits) { state_ |= bits; }
    // S_OK when the state is good, E_FAIL otherwise.
    HRESULT Result() const { return Good() ? S_OK : E_FAIL; }
    // The streams' QueryInterface: it hands out nothing, since they live inside their owner:
    // E_NOINTERFACE and a null result (E_POINTER for a null `object`).
    HRESULT NoInterface(REFIID iid, void** object);
    // The buffer's current position on the side `which` (reading or writing). E_POINTER for a
    // null `position`, E_FAIL when the state is not good or the position does not fit a ULONG
    // (which also sets kShort).
    HRESULT PositionOn(std::ios_base::openmode which, ULONG* position);

private:
    std::streambuf* buffer_;
    std::uint32_t state_;
    bool ownsBuffer_;
};

}  // namespace Tev

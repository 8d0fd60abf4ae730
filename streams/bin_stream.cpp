#include "streams/bin_stream.h"

#include <limits>
#include <typeinfo>

#include "platform/com/refused_interface.h"

namespace Tev {

BinStream::BinStream(std::streambuf* buffer, bool ownsBuffer)
    : buffer_(buffer), state_(buffer != nullptr ? kGood : kBad), ownsBuffer_(ownsBuffer) {}

BinStream::~BinStream() {
    if (ownsBuffer_)
        delete buffer_;
}

HRESULT BinStream::NoInterface(REFIID iid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    NoteRefusedInterface(typeid(*this), iid);
    return E_NOINTERFACE;
}

HRESULT BinStream::PositionOn(std::ios_base::openmode which, ULONG* position) {
    if (position == nullptr)
        return E_POINTER;
    if (!Good())
        return E_FAIL;
    const std::streamoff at = buffer_->pubseekoff(0, std::ios_base::cur, which);
    if (at < 0 || at > std::numeric_limits<ULONG>::max()) {
        SetState(kShort);
        return E_FAIL;
    }
    *position = static_cast<ULONG>(at);
    return S_OK;
}

}  // namespace Tev

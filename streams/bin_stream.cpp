#include "streams/bin_stream.h"

namespace Tev {

BinStream::BinStream(std::streambuf* buffer, bool ownsBuffer)
    : buffer_(buffer), state_(buffer != nullptr ? kGood : kBad), ownsBuffer_(ownsBuffer) {}

BinStream::~BinStream() {
    if (ownsBuffer_)
        delete buffer_;
}

}  // namespace Tev

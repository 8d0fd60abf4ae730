#include "platform/oleaut/bstr.h"

#include <cstdint>
#include <cstring>
#include <new>

namespace {

// Room for the byte length in front of the characters.
constexpr std::size_t kPrefixBytes = sizeof(std::uint32_t);

// Allocates a BSTR of `bytes` bytes and its 2-byte terminator, copying `source` when given.
BSTR AllocateBytes(const void* source, std::uint64_t bytes) {
    if (bytes > UINT32_MAX - kPrefixBytes - sizeof(OLECHAR))
        return nullptr;
    auto* block = static_cast<unsigned char*>(
        ::operator new(kPrefixBytes + bytes + sizeof(OLECHAR), std::nothrow));
    if (block == nullptr)
        return nullptr;
    const auto byteLength = static_cast<std::uint32_t>(bytes);
    std::memcpy(block, &byteLength, kPrefixBytes);
    unsigned char* text = block + kPrefixBytes;
    if (source != nullptr) {
        std::memcpy(text, source, bytes);
    } else {
        std::memset(text, 0, bytes);
    }
    // A NUL unit after the text; with an odd byte length it starts at the odd byte.
    std::memset(text + bytes, 0, sizeof(OLECHAR));
    return reinterpret_cast<BSTR>(text);
}

unsigned char* BlockOf(BSTR text) {
    return reinterpret_cast<unsigned char*>(text) - kPrefixBytes;
}

}  // namespace

BSTR SysAllocString(const OLECHAR* text) {
    if (text == nullptr)
        return nullptr;
    std::uint64_t length = 0;
    while (text[length] != 0)
        ++length;
    return AllocateBytes(text, length * sizeof(OLECHAR));
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
    return AllocateBytes(text, static_cast<std::uint64_t>(length) * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(const char* source, UINT bytes) {
    return AllocateBytes(source, bytes);
}

UINT SysStringByteLen(BSTR text) {
    if (text == nullptr)
        return 0;
    std::uint32_t bytes;
    std::memcpy(&bytes, BlockOf(text), kPrefixBytes);
    return bytes;
}

UINT SysStringLen(BSTR text) {
    return SysStringByteLen(text) / sizeof(OLECHAR);
}

void SysFreeString(BSTR text) {
    if (text != nullptr)
        ::operator delete(BlockOf(text));
}

#include "platform/text/code_page.h"

#include <climits>

#include "platform/error/last_error.h"
#include "platform/text/utf.h"

namespace {

bool IsUtf8CodePage(UINT codePage) {
    return codePage == CP_ACP || codePage == CP_OEMCP || codePage == CP_THREAD_ACP ||
           codePage == CP_UTF8;
}

int Fail(DWORD error) {
    SetLastError(error);
    return 0;
}

// Length of a source given by pointer and count; -1 when the count is not acceptable.
template <class Unit>
long long SourceLength(const Unit* source, int count) {
    if (count == -1) {
        long long length = 0;
        while (source[length] != 0)
            ++length;
        return length + 1;  // the terminator is converted too
    }
    return count > 0 ? count : -1;
}

// Finishes a conversion that needs `needed` units into a destination of `size` units.
int Finish(std::size_t needed, int size) {
    if (needed > static_cast<std::size_t>(INT_MAX))
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    if (size != 0 && needed > static_cast<std::size_t>(size)) {
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    return static_cast<int>(needed);
}

}  // namespace

UINT GetACP() {
    return CP_UTF8;
}

int MultiByteToWideChar(UINT codePage, DWORD flags, const char* multiByte, int multiByteCount,
                        LPWSTR wide, int wideCount) {
    if (!IsUtf8CodePage(codePage) || multiByte == nullptr || wideCount < 0 ||
        (wideCount > 0 && wide == nullptr)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if ((flags & ~MB_ERR_INVALID_CHARS) != 0)
        return Fail(ERROR_INVALID_FLAGS);
    const long long length = SourceLength(multiByte, multiByteCount);
    if (length < 0)
        return Fail(ERROR_INVALID_PARAMETER);

    bool replaced = false;
    const std::size_t needed = text::Utf8ToUtf16(multiByte, static_cast<std::size_t>(length), wide,
                                                 static_cast<std::size_t>(wideCount), &replaced);
    if (replaced && (flags & MB_ERR_INVALID_CHARS) != 0) {
        return Fail(ERROR_NO_UNICODE_TRANSLATION);
    }
    return Finish(needed, wideCount);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount, char* multiByte,
                        int multiByteCount, const char* /*defaultChar*/, BOOL* usedDefaultChar) {
    if (!IsUtf8CodePage(codePage) || wide == nullptr || multiByteCount < 0 ||
        (multiByteCount > 0 && multiByte == nullptr)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if ((flags & ~WC_ERR_INVALID_CHARS) != 0)
        return Fail(ERROR_INVALID_FLAGS);
    const long long length = SourceLength(wide, wideCount);
    if (length < 0)
        return Fail(ERROR_INVALID_PARAMETER);

    bool replaced = false;
    const std::size_t needed =
        text::Utf16ToUtf8(wide, static_cast<std::size_t>(length), multiByte,
                          static_cast<std::size_t>(multiByteCount), &replaced);
    if (replaced && (flags & WC_ERR_INVALID_CHARS) != 0) {
        return Fail(ERROR_NO_UNICODE_TRANSLATION);
    }
    if (usedDefaultChar != nullptr)
        *usedDefaultChar = replaced ? TRUE : FALSE;
    return Finish(needed, multiByteCount);
}

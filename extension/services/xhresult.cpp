#include "extension/services/xhresult.h"

#include <cstdio>

namespace {

std::string Describe(HRESULT result) {
    char text[64];
    std::snprintf(text, sizeof text, "Framework start-up failed: 0x%08X",
                  static_cast<unsigned>(result));
    return text;
}

}  // namespace

XHResult::XHResult(HRESULT result) : result_(result), text_(Describe(result)) {}

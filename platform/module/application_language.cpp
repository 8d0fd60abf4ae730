#include "platform/module/application_language.h"

#include <atomic>

namespace {
constexpr std::int32_t kNoApplication = -1;
std::atomic<std::int32_t> g_applicationLanguage{kNoApplication};
}  // namespace

void SetApplicationLanguage(WORD language) {
    g_applicationLanguage = language;
}

void ClearApplicationLanguage() {
    g_applicationLanguage = kNoApplication;
}

bool GetApplicationLanguage(WORD* language) {
    const std::int32_t current = g_applicationLanguage;
    if (current == kNoApplication)
        return false;
    if (language != nullptr)
        *language = static_cast<WORD>(current);
    return true;
}

#include "support/locale/stream_locale.h"

#include <clocale>
#include <cstring>
#include <locale>
#include <stdexcept>

#include "support/locale/no_thousands_sep.h"
#include "support/locale/time_get.h"

namespace {

std::locale UserLocaleWithoutGrouping() {
    const char* const user = "";
    std::locale locale(user);
    locale = std::locale(locale, new Tev::time_getEx(user));
    locale = std::locale(locale, new NoThousandsSep<char>(user));
    return std::locale(locale, new NoThousandsSep<wchar_t>(user));
}

std::locale StandInWithoutGrouping(const char* name, wchar_t decimalPoint, wchar_t thousandsSep) {
    std::locale locale(name);
    locale = std::locale(locale, new Tev::time_getEx(name));
    locale = std::locale(locale, new NoThousandsSep<char>(name));
    return std::locale(
        locale, new CRTBug_UserRadix_NoThousandsSep<wchar_t>(name, decimalPoint, thousandsSep));
}

}  // namespace

StreamLocaleOutcome InstallNoGroupingStreamLocale(wchar_t userDecimalPoint,
                                                  wchar_t userThousandsSep) {
    const char* numeric = std::setlocale(LC_NUMERIC, nullptr);
    if (numeric == nullptr || std::strcmp(numeric, "C") != 0) {
        return StreamLocaleOutcome::LeftAlone;
    }
    try {
        std::locale::global(UserLocaleWithoutGrouping());
        return StreamLocaleOutcome::Installed;
    } catch (const std::runtime_error&) {
        // The environment names a locale that the C library does not have for some
        // category; the stand-in keeps the user's separators.
    }
    try {
        std::locale::global(
            StandInWithoutGrouping(kFallbackLocaleName, userDecimalPoint, userThousandsSep));
    } catch (const std::runtime_error&) {
        std::locale::global(StandInWithoutGrouping("C", userDecimalPoint, userThousandsSep));
    }
    return StreamLocaleOutcome::InstalledFallback;
}

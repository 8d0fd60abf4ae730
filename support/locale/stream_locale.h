#pragma once

// What installing the global stream locale came to.
enum class StreamLocaleOutcome {
    // The runtime's numeric locale is not "C": someone chose it, and the global stream
    // locale is left as it was.
    LeftAlone,
    // The user's locale without digit grouping is the global stream locale.
    Installed,
    // The user's locale could not be built; a locale that exists here stands in for it,
    // without digit grouping, and wide streams use the user's separators.
    InstalledFallback,
};

// The name of the locale that stands in for the user's when the user's cannot be built.
inline constexpr const char* kFallbackLocaleName = "C.UTF-8";

// Installs, with std::locale::global, a locale built from the user's (the empty name) with
// a Tev::time_getEx, a NoThousandsSep<char> and a NoThousandsSep<wchar_t>, when the
// runtime's numeric locale (setlocale for LC_NUMERIC) is exactly "C". `userDecimalPoint` and
// `userThousandsSep` are the separators that wide streams keep when the fallback is used.
StreamLocaleOutcome InstallNoGroupingStreamLocale(wchar_t userDecimalPoint,
                                                  wchar_t userThousandsSep);

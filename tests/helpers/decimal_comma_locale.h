// The decimal-comma locale that locale tests need, and a check that it exists here.
#pragma once

#include <locale.h>

inline constexpr const char* kDecimalCommaLocale = "de_DE.UTF-8";

// Whether the C library has the decimal-comma locale. scripts/install-deps generates it
// (localedef -i de_DE -f UTF-8 de_DE.UTF-8); tests that need it fail when it is missing.
inline bool HasDecimalCommaLocale() {
    const locale_t locale = newlocale(LC_ALL_MASK, kDecimalCommaLocale, locale_t{});
    if (locale == locale_t{}) {
        return false;
    }
    freelocale(locale);
    return true;
}

#define REQUIRE_DECIMAL_COMMA_LOCALE()                                                        \
    ASSERT_TRUE(HasDecimalCommaLocale())                                                      \
        << "The locale " << kDecimalCommaLocale                                               \
        << " is missing; generate it with scripts/install-deps (localedef -i de_DE -f UTF-8 " \
           "de_DE.UTF-8)"

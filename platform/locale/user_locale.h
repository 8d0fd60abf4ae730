#pragma once

#include <langinfo.h>
#include <locale.h>

#include <string>

namespace locale {

// The name of the locale that the process environment chooses for `category` (LC_NUMERIC,
// LC_TIME, LC_CTYPE ...): LC_ALL when set and not empty, else the category's own variable,
// else LANG, else "C".
std::string UserLocaleName(int category);

// The C library's data for the user's locale of one category, loaded on construction.
class UserLocale {
public:
    explicit UserLocale(int category);
    ~UserLocale();
    UserLocale(const UserLocale&) = delete;
    UserLocale& operator=(const UserLocale&) = delete;

    // False when the C library does not have the locale that the environment names.
    bool IsValid() const { return locale_ != locale_t{}; }
    // An item of nl_langinfo (RADIXCHAR, T_FMT ...) as wide text; the locale must be valid.
    std::wstring Item(nl_item item) const;
    // An item as the locale's own bytes, for items that are plain ASCII such as CODESET.
    std::string NarrowItem(nl_item item) const;

private:
    locale_t locale_{};
};

}  // namespace locale

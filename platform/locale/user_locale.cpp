#include "platform/locale/user_locale.h"

#include <cstdlib>
#include <cwchar>

namespace locale {
namespace {

const char* VariableOf(int category) {
    switch (category) {
        case LC_NUMERIC:
            return "LC_NUMERIC";
        case LC_TIME:
            return "LC_TIME";
        case LC_CTYPE:
            return "LC_CTYPE";
        case LC_MONETARY:
            return "LC_MONETARY";
        case LC_COLLATE:
            return "LC_COLLATE";
        case LC_MESSAGES:
            return "LC_MESSAGES";
        default:
            return nullptr;
    }
}

const char* NonEmptyVariable(const char* name) {
    if (name == nullptr) {
        return nullptr;
    }
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

int MaskOf(int category) {
    switch (category) {
        case LC_NUMERIC:
            return LC_NUMERIC_MASK;
        case LC_TIME:
            return LC_TIME_MASK;
        case LC_MONETARY:
            return LC_MONETARY_MASK;
        case LC_COLLATE:
            return LC_COLLATE_MASK;
        case LC_MESSAGES:
            return LC_MESSAGES_MASK;
        default:
            return LC_CTYPE_MASK;
    }
}

}  // namespace

std::string UserLocaleName(int category) {
    for (const char* variable : {"LC_ALL", VariableOf(category), "LANG"}) {
        if (const char* value = NonEmptyVariable(variable)) {
            return value;
        }
    }
    return "C";
}

UserLocale::UserLocale(int category) {
    const std::string name = UserLocaleName(category);
    // The text of an item is decoded in the locale's own character set, so the character
    // data comes from the same locale.
    locale_ = newlocale(MaskOf(category) | LC_CTYPE_MASK, name.c_str(), locale_t{});
}

UserLocale::~UserLocale() {
    if (IsValid()) {
        freelocale(locale_);
    }
}

std::string UserLocale::NarrowItem(nl_item item) const {
    return nl_langinfo_l(item, locale_);
}

std::wstring UserLocale::Item(nl_item item) const {
    const std::string bytes = NarrowItem(item);
    const locale_t previous = uselocale(locale_);
    std::wstring text;
    std::mbstate_t state{};
    const char* next = bytes.c_str();
    const char* const end = next + bytes.size();
    while (next < end) {
        wchar_t c = 0;
        const std::size_t used = std::mbrtowc(&c, next, end - next, &state);
        if (used == 0 || used == static_cast<std::size_t>(-1) ||
            used == static_cast<std::size_t>(-2)) {
            break;
        }
        text += c;
        next += used;
    }
    uselocale(previous);
    return text;
}

}  // namespace locale

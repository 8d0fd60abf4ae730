#include "platform/locale/get_locale_info.h"

#include <cstring>
#include <optional>
#include <string>

#include "platform/error/last_error.h"
#include "platform/locale/format_pictures.h"
#include "platform/locale/user_locale.h"
#include "platform/text/utf.h"

namespace {

using locale::UserLocale;

std::optional<std::wstring> NumericField(LCTYPE type) {
    const UserLocale numeric(LC_NUMERIC);
    if (!numeric.IsValid()) {
        return std::nullopt;
    }
    switch (type) {
        case LOCALE_SDECIMAL:
            return numeric.Item(RADIXCHAR);
        case LOCALE_STHOUSAND:
            return numeric.Item(THOUSEP);
        case LOCALE_SLIST:
            // The C library keeps no list separator: a comma, unless commas mark decimals.
            return numeric.Item(RADIXCHAR) == L"," ? L";" : L",";
        default:
            return std::nullopt;
    }
}

std::optional<std::wstring> TimeField(LCTYPE type) {
    using namespace locale;
    const UserLocale time(LC_TIME);
    if (!time.IsValid()) {
        return std::nullopt;
    }
    switch (type) {
        case LOCALE_SDATE:
            return DateSeparatorOf(time.Item(D_FMT), L"/");
        case LOCALE_STIME:
            return TimeSeparatorOf(time.Item(T_FMT), L":");
        case LOCALE_SSHORTDATE:
            return PictureOf(time.Item(D_FMT));
        case LOCALE_SLONGDATE:
            return DatePictureOf(time.Item(D_T_FMT));
        case LOCALE_STIMEFORMAT:
            return PictureOf(time.Item(T_FMT));
        case LOCALE_ITIME:
            return UsesTwentyFourHours(time.Item(T_FMT)) ? L"1" : L"0";
        case LOCALE_ITIMEMARKPOSN:
            return TimeMarkerFirst(time.Item(T_FMT_AMPM)) ? L"1" : L"0";
        case LOCALE_S1159:
            return time.Item(AM_STR);
        case LOCALE_S2359:
            return time.Item(PM_STR);
        default:
            return std::nullopt;
    }
}

// The code-page number of the character set of the user's character data.
std::optional<std::wstring> CodePageField() {
    const UserLocale characters(LC_CTYPE);
    if (!characters.IsValid()) {
        return std::nullopt;
    }
    const std::string codeset = characters.NarrowItem(CODESET);
    if (codeset == "UTF-8") {
        return L"65001";
    }
    if (codeset == "ANSI_X3.4-1968") {
        return L"20127";
    }
    if (codeset == "ISO-8859-15") {
        return L"28605";
    }
    const std::string latin = "ISO-8859-";
    if (codeset.rfind(latin, 0) == 0 && codeset.size() == latin.size() + 1) {
        return std::to_wstring(28590 + (codeset.back() - '0'));
    }
    if (codeset.rfind("CP", 0) == 0 && codeset.size() > 2) {
        return std::wstring(codeset.begin() + 2, codeset.end());
    }
    return L"0";
}

std::optional<std::wstring> FieldValue(LCID locale, LCTYPE type) {
    if (locale != LOCALE_USER_DEFAULT && locale != LOCALE_SYSTEM_DEFAULT) {
        return std::nullopt;
    }
    type &= ~(LOCALE_NOUSEROVERRIDE | LOCALE_USE_CP_ACP);
    switch (type) {
        case LOCALE_SDECIMAL:
        case LOCALE_STHOUSAND:
        case LOCALE_SLIST:
            return NumericField(type);
        case LOCALE_IDEFAULTCODEPAGE:
            return CodePageField();
        default:
            return TimeField(type);
    }
}

// Copies `value` with its terminator into `data` of `size` units, as the query answers.
template <typename Unit>
int Answer(const std::basic_string<Unit>& value, Unit* data, int size) {
    const int needed = static_cast<int>(value.size()) + 1;
    if (size == 0) {
        return needed;
    }
    if (data == nullptr || size < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(data, value.c_str(), needed * sizeof(Unit));
    return needed;
}

}  // namespace

int GetLocaleInfoW(LCID locale, LCTYPE type, LPWSTR data, int size) {
    const std::optional<std::wstring> value = FieldValue(locale, type);
    if (!value || size < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return Answer(text::WideToUtf16(*value), data, size);
}

int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size) {
    const std::optional<std::wstring> value = FieldValue(locale, type);
    if (!value || size < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return Answer(text::ToUtf8(text::WideToUtf16(*value)), data, size);
}

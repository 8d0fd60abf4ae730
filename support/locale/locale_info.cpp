#include "support/locale/locale_info.h"

#include <cstdlib>

#include "platform/locale/get_locale_info.h"
#include "platform/text/utf.h"

namespace {

// Short settings are read into buffers of this many units, terminator included.
constexpr int kShortValueUnits = 8;
// The AM and PM designators may be longer.
constexpr int kDesignatorUnits = 16;

bool ReadWide(LCTYPE type, int units, std::wstring& value) {
    char16_t buffer[kDesignatorUnits] = {};
    const int written = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, units);
    if (written <= 0) {
        return false;
    }
    value = text::Utf16ToWide(std::u16string_view(buffer, written - 1));
    return true;
}

bool ReadNarrow(LCTYPE type, std::string& value) {
    char buffer[kShortValueUnits] = {};
    const int written = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, kShortValueUnits);
    if (written <= 0) {
        return false;
    }
    value.assign(buffer, written - 1);
    return true;
}

bool ReadNumber(LCTYPE type, unsigned& value) {
    std::wstring text;
    if (!ReadWide(type, kShortValueUnits, text)) {
        return false;
    }
    value = static_cast<unsigned>(std::wcstoul(text.c_str(), nullptr, 10));
    return true;
}

// A format of any length, written straight into the string's buffer.
bool ReadFormat(LCTYPE type, Tev::String& value) {
    const int needed = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, nullptr, 0);
    if (needed <= 0) {
        return false;
    }
    char16_t* buffer = value.PrepareBuffer(static_cast<std::size_t>(needed - 1));
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, needed) <= 0) {
        value.Clear();
        return false;
    }
    value.SetLengthFromBuffer();
    return true;
}

// The one character that number punctuation can hold: the first of `separator`, or
// `fallback` when it is empty.
wchar_t FirstOf(const std::wstring& separator, wchar_t fallback) {
    return separator.empty() ? fallback : separator[0];
}

}  // namespace

const LocaleInfo& LocaleInfo::Get() {
    static const LocaleInfo info;
    return info;
}

LocaleInfo::LocaleInfo() {
    complete_ = ReadSettings();
    if (complete_) {
        const wchar_t decimalPoint = FirstOf(decimalSeparator_, L'.');
        const wchar_t thousandsSep =
            FirstOf(thousandsSeparator_, decimalPoint == L',' ? L'.' : L',');
        outcome_ = InstallNoGroupingStreamLocale(decimalPoint, thousandsSep);
    }
}

std::u16string LocaleInfo::GetDecimalSeparatorUtf16() const {
    return text::WideToUtf16(decimalSeparator_);
}

bool LocaleInfo::ReadSettings() {
    unsigned clock = 0;
    unsigned markerPosition = 0;
    const bool read = ReadNarrow(LOCALE_SDECIMAL, decimalSeparatorNarrow_) &&
                      ReadWide(LOCALE_SDECIMAL, kShortValueUnits, decimalSeparator_) &&
                      ReadWide(LOCALE_STHOUSAND, kShortValueUnits, thousandsSeparator_) &&
                      ReadWide(LOCALE_STIME, kShortValueUnits, timeSeparator_) &&
                      ReadWide(LOCALE_SDATE, kShortValueUnits, dateSeparator_) &&
                      ReadWide(LOCALE_SLIST, kShortValueUnits, listSeparator_) &&
                      ReadWide(LOCALE_S1159, kDesignatorUnits, amDesignator_) &&
                      ReadWide(LOCALE_S2359, kDesignatorUnits, pmDesignator_) &&
                      ReadNumber(LOCALE_ITIME, clock) &&
                      ReadNumber(LOCALE_ITIMEMARKPOSN, markerPosition) &&
                      ReadNumber(LOCALE_IDEFAULTCODEPAGE, codePage_) &&
                      ReadFormat(LOCALE_STIMEFORMAT, timeFormat_) &&
                      ReadFormat(LOCALE_SLONGDATE, longDateFormat_) &&
                      ReadFormat(LOCALE_SSHORTDATE, shortDateFormat_);
    twentyFourHours_ = clock == 1;
    timeMarkerFirst_ = markerPosition != 0;
    return read;
}

// The user's regional settings, read once, and the global stream locale that follows them
// without grouping digits.
#pragma once

#include <string>

#include "support/locale/stream_locale.h"
#include "support/string/tev_string.h"

// One process-wide object, made on first use by Get(). Making it reads the user's regional
// settings and then, when the runtime's numeric locale is "C", installs the global stream
// locale (std::locale::global): the user's locale with digit grouping removed, so that wide
// streams made afterwards write 1234.5 as 1234,5 in a decimal-comma locale, never as 1.234,5,
// and read the same form back.
class LocaleInfo {
public:
    // The process-wide object; the first call reads the settings and installs the locale.
    static const LocaleInfo& Get();

    // Reads the settings and installs the locale now. Programs use Get(); a second object
    // installs the locale again.
    LocaleInfo();
    LocaleInfo(const LocaleInfo&) = delete;
    LocaleInfo& operator=(const LocaleInfo&) = delete;

    // Whether every setting was read. When a read fails, the settings after it keep their
    // defaults (empty texts, false, 0) and no locale is installed.
    bool IsComplete() const { return complete_; }
    // What installing the global stream locale came to; LeftAlone when a read failed.
    StreamLocaleOutcome GetStreamLocaleOutcome() const { return outcome_; }

    // The user's decimal separator, as wide text (usually one character: L"," or L"."),
    // and in the narrow encoding (UTF-8). Empty when it could not be read.
    const std::wstring& GetDecimalSeparator() const { return decimalSeparator_; }
    const std::string& GetDecimalSeparatorNarrow() const { return decimalSeparatorNarrow_; }
    // The same in UTF-16, for the texts of controls and Tev::String.
    std::u16string GetDecimalSeparatorUtf16() const;
    const std::wstring& GetThousandsSeparator() const { return thousandsSeparator_; }
    const std::wstring& GetTimeSeparator() const { return timeSeparator_; }
    const std::wstring& GetDateSeparator() const { return dateSeparator_; }
    const std::wstring& GetListSeparator() const { return listSeparator_; }
    const std::wstring& GetAmDesignator() const { return amDesignator_; }
    const std::wstring& GetPmDesignator() const { return pmDesignator_; }
    bool Is24HourClock() const { return twentyFourHours_; }
    bool IsTimeMarkerFirst() const { return timeMarkerFirst_; }
    unsigned GetCodePage() const { return codePage_; }
    // Format pictures, as "HH:mm:ss", "ddd dd MMM yyyy" and "dd.MM.yyyy".
    const Tev::String& GetTimeFormat() const { return timeFormat_; }
    const Tev::String& GetLongDateFormat() const { return longDateFormat_; }
    const Tev::String& GetShortDateFormat() const { return shortDateFormat_; }

private:
    bool ReadSettings();

    std::string decimalSeparatorNarrow_;
    std::wstring decimalSeparator_;
    std::wstring thousandsSeparator_;
    std::wstring timeSeparator_;
    std::wstring dateSeparator_;
    std::wstring listSeparator_;
    std::wstring amDesignator_;
    std::wstring pmDesignator_;
    bool twentyFourHours_ = false;
    bool timeMarkerFirst_ = false;
    unsigned codePage_ = 0;
    Tev::String timeFormat_;
    Tev::String longDateFormat_;
    Tev::String shortDateFormat_;
    bool complete_ = false;
    StreamLocaleOutcome outcome_ = StreamLocaleOutcome::LeftAlone;
};

// Range validators of the numeric edits.
//
// FltRangeValidator accepts real numbers in [minimum, maximum]. Its filter lets through
// "-+eE0-9" and the user's decimal separator (from LocaleInfo). A refused text is reported
// with the host's message 20001 (the minimum for %1, the maximum for %2) in a message box with
// the exclamation icon and the application's name as its caption (empty without an
// application); the box belongs to the last active pop-up of the application's main window
// when that is a toolkit window, otherwise it is task-modal and owned by the active window.
//
// TevControls::TevRangeValidator is the library's whole-number range validator under a type of
// its own. The ...ErrProv variants report into an error provider instead (title 22034, message
// 22035 of the extension's own table with minimum and maximum), and like their plain bases
// when they have none.
#pragma once

#include "platform/ui/owl/validators.h"
#include "support/string/tev_string.h"

namespace Tev {

class ErrorProvider;

class FltRangeValidator : public owl::TFilterValidator {
public:
    FltRangeValidator(double minimum, double maximum);

    void Error(owl::TWindow* owner) override;
    bool IsValid(const char16_t* input) override;
    // With voTransfer: the text's number as a double (tdGetData), or the double written with
    // "%lg" into the text (tdSetData); the size of a double.
    UINT Transfer(owl::tstring& text, void* buffer, owl::TTransferDirection direction) override;

    double GetMin() const { return minimum_; }
    double GetMax() const { return maximum_; }
    void SetMin(double minimum) { minimum_ = minimum; }
    void SetMax(double maximum) { maximum_ = maximum; }

    // The number a text stands for: its leading number, 0 when it has none, ±infinity when it
    // is too large for a double.
    static double NumberOf(const char16_t* text);

private:
    double maximum_;
    double minimum_;
};

// Formats a range message: `format` with the minimum for %1 and the maximum for %2.
String FormatRange(const String& format, double minimum, double maximum);
String FormatRange(const String& format, long minimum, long maximum);

}  // namespace Tev

namespace TevControls {

class TevRangeValidator : public owl::TRangeValidator {
public:
    TevRangeValidator(LONG minimum, LONG maximum) : owl::TRangeValidator(minimum, maximum) {}
};

class FltRangeValidatorErrProv : public Tev::FltRangeValidator {
public:
    FltRangeValidatorErrProv(double minimum, double maximum, Tev::ErrorProvider* provider);
    void Error(owl::TWindow* owner) override;
    Tev::ErrorProvider* Provider() const { return provider_; }

private:
    Tev::ErrorProvider* provider_;
};

class LongRangeValidatorErrProv : public owl::TRangeValidator {
public:
    LongRangeValidatorErrProv(LONG minimum, LONG maximum, Tev::ErrorProvider* provider);
    void Error(owl::TWindow* owner) override;
    Tev::ErrorProvider* Provider() const { return provider_; }

private:
    Tev::ErrorProvider* provider_;
};

// The ids of the error provider's texts in the extension's table (which does not hold them:
// they load as empty texts).
inline constexpr UINT kErrorTitleId = 22034;
inline constexpr UINT kErrorMessageId = 22035;

}  // namespace TevControls

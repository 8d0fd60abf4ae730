// Validators for edit controls: a validator filters what the user types and checks the
// whole text when the dialog is asked to close.
//   TValidator        accepts everything
//   TFilterValidator  only characters of its set
//   TRangeValidator   whole numbers within [minimum, maximum]; its set is the digits and
//                     '+', and '-' too when the minimum is negative
#pragma once

#include <climits>
#include <vector>

#include "platform/ui/owl/module.h"
#include "platform/win_types.h"

namespace owl {

class TWindow;

// Validator options.
inline constexpr UINT voFill = 0x0001;
inline constexpr UINT voTransfer = 0x0002;
inline constexpr UINT voOnAppend = 0x0004;

enum TTransferDirection { tdGetData, tdSetData, tdSizeData };

// A set of characters written as a text: "a-z" stands for a range, and a '-' at either end
// stands for itself ("-+eE0-9" is minus, plus, e, E and the digits).
class TCharSet {
public:
    TCharSet() = default;
    explicit TCharSet(const tstring& description);
    bool Has(char16_t c) const { return set_.size() > c && set_[c]; }
    TCharSet& operator+=(char16_t c);
    TCharSet& operator-=(char16_t c);
    TCharSet& operator+=(const tstring& characters);

private:
    std::vector<bool> set_ = std::vector<bool>(0x10000, false);
};

class TValidator {
public:
    TValidator() = default;
    virtual ~TValidator() = default;
    TValidator(const TValidator&) = delete;
    TValidator& operator=(const TValidator&) = delete;

    // Reports that the text is not valid (the plain validator reports nothing).
    virtual void Error(TWindow* owner);
    // Whether the text so far can still become valid (checked after each typed character).
    virtual bool IsValidInput(tstring& input, bool suppressFill);
    // Whether the whole text is valid.
    virtual bool IsValid(const char16_t* input);
    // With voTransfer: moves the value between the text and `buffer` (tdGetData reads the
    // text into the buffer, tdSetData writes the buffer into the text); returns the value's
    // size in bytes, 0 when the validator does not transfer.
    virtual UINT Transfer(tstring& text, void* buffer, TTransferDirection direction);

    // IsValid, and Error when it is not.
    bool Valid(const char16_t* input, TWindow* owner = nullptr);
    bool HasOption(UINT option) const { return (options_ & option) != 0; }
    void SetOption(UINT option) { options_ |= option; }
    void UnsetOption(UINT option) { options_ &= ~option; }

protected:
    UINT options_ = 0;
};

class TFilterValidator : public TValidator {
public:
    explicit TFilterValidator(const TCharSet& validChars);
    explicit TFilterValidator(const tstring& validChars);

    void Error(TWindow* owner) override;
    bool IsValidInput(tstring& input, bool suppressFill) override;
    bool IsValid(const char16_t* input) override;

protected:
    TCharSet validChars_;
};

class TRangeValidator : public TFilterValidator {
public:
    TRangeValidator(LONG minimum, LONG maximum);

    void Error(TWindow* owner) override;
    bool IsValid(const char16_t* input) override;
    UINT Transfer(tstring& text, void* buffer, TTransferDirection direction) override;

    LONG GetMin() const { return minimum_; }
    LONG GetMax() const { return maximum_; }
    void SetMin(LONG minimum);
    void SetMax(LONG maximum) { maximum_ = maximum; }

    // The leading whole number of a text, as the library reads it: an optional sign and the
    // digits after it; 0 when there are none; LONG_MAX or LONG_MIN when it does not fit.
    static LONG LeadingNumber(const char16_t* text);

protected:
    LONG minimum_;
    LONG maximum_;
};

}  // namespace owl

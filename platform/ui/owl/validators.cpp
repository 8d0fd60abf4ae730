#include "platform/ui/owl/validators.h"

#include <cstring>
#include <string>

#include "platform/text/utf.h"
#include "platform/ui/owl/window.h"

namespace owl {

TCharSet::TCharSet(const tstring& description) {
    for (std::size_t i = 0; i < description.size(); ++i) {
        const char16_t c = description[i];
        const bool range = i + 2 < description.size() && description[i + 1] == u'-';
        if (range) {
            for (char32_t r = c; r <= description[i + 2]; ++r)
                set_[r] = true;
            i += 2;
        } else {
            set_[c] = true;
        }
    }
}

TCharSet& TCharSet::operator+=(char16_t c) {
    set_[c] = true;
    return *this;
}

TCharSet& TCharSet::operator-=(char16_t c) {
    set_[c] = false;
    return *this;
}

TCharSet& TCharSet::operator+=(const tstring& characters) {
    for (char16_t c : characters)
        set_[c] = true;
    return *this;
}

void TValidator::Error(TWindow*) {}
bool TValidator::IsValidInput(tstring&, bool) {
    return true;
}
bool TValidator::IsValid(const char16_t*) {
    return true;
}
UINT TValidator::Transfer(tstring&, void*, TTransferDirection) {
    return 0;
}

bool TValidator::Valid(const char16_t* input, TWindow* owner) {
    if (IsValid(input != nullptr ? input : u""))
        return true;
    Error(owner);
    return false;
}

TFilterValidator::TFilterValidator(const TCharSet& validChars) : validChars_(validChars) {}
TFilterValidator::TFilterValidator(const tstring& validChars) : validChars_(validChars) {}

namespace {

bool AllIn(const TCharSet& set, const char16_t* text) {
    for (const char16_t* p = text; p != nullptr && *p != 0; ++p) {
        if (!set.Has(*p))
            return false;
    }
    return true;
}

void ShowError(TWindow* owner, const tstring& text) {
    if (owner != nullptr && owner->GetHandle() != nullptr) {
        owner->MessageBox(text.c_str(), nullptr, MB_ICONEXCLAMATION | MB_OK);
    } else {
        MessageBoxW(GetActiveWindow(), text.c_str(), u"", MB_ICONEXCLAMATION | MB_OK);
    }
}

tstring Decimal(LONG value) {
    return text::ToUtf16(std::to_string(value));
}

}  // namespace

void TFilterValidator::Error(TWindow* owner) {
    ShowError(owner, u"Invalid character in input.");
}

bool TFilterValidator::IsValidInput(tstring& input, bool) {
    return AllIn(validChars_, input.c_str());
}

bool TFilterValidator::IsValid(const char16_t* input) {
    return AllIn(validChars_, input);
}

TRangeValidator::TRangeValidator(LONG minimum, LONG maximum)
    : TFilterValidator(tstring(u"0-9+-")), minimum_(minimum), maximum_(maximum) {
    if (minimum_ >= 0)
        validChars_ -= u'-';
}

void TRangeValidator::SetMin(LONG minimum) {
    minimum_ = minimum;
    if (minimum_ >= 0) {
        validChars_ -= u'-';
    } else {
        validChars_ += u'-';
    }
}

LONG TRangeValidator::LeadingNumber(const char16_t* text) {
    if (text == nullptr)
        return 0;
    const char16_t* p = text;
    bool negative = false;
    if (*p == u'+' || *p == u'-')
        negative = *p++ == u'-';
    long long value = 0;
    for (; *p >= u'0' && *p <= u'9'; ++p) {
        value = value * 10 + (*p - u'0');
        if (value > static_cast<long long>(INT32_MAX) + 1)
            break;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<LONG>(value);
}

bool TRangeValidator::IsValid(const char16_t* input) {
    if (!TFilterValidator::IsValid(input))
        return false;
    const LONG value = LeadingNumber(input);
    return value >= minimum_ && value <= maximum_;
}

void TRangeValidator::Error(TWindow* owner) {
    ShowError(owner, u"Value is not in the range " + Decimal(minimum_) + u" to " +
                         Decimal(maximum_) + u".");
}

UINT TRangeValidator::Transfer(tstring& text, void* buffer, TTransferDirection direction) {
    if (!HasOption(voTransfer))
        return 0;
    switch (direction) {
        case tdGetData: {
            const LONG value = LeadingNumber(text.c_str());
            std::memcpy(buffer, &value, sizeof value);
            break;
        }
        case tdSetData: {
            LONG value = 0;
            std::memcpy(&value, buffer, sizeof value);
            text = Decimal(value);
            break;
        }
        case tdSizeData:
            break;
    }
    return sizeof(LONG);
}

}  // namespace owl

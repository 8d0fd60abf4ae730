#include "dialog/range_validators.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "dialog/number_text.h"
#include "platform/module/this_module.h"
#include "platform/text/utf.h"
#include "platform/ui/owl/application.h"
#include "platform/ui/owl/window.h"
#include "support/format/format_stream.h"
#include "support/locale/locale_info.h"
#include "support/popup/error_provider.h"
#include "support/resource/load_string.h"

namespace Tev {
namespace {

constexpr UINT kHostRangeMessage = 20001;

owl::TCharSet FilterSet() {
    owl::TCharSet set(owl::tstring(u"-+eE0-9"));
    set += LocaleInfo::Get().GetDecimalSeparatorUtf16();
    return set;
}

template <class Number>
String FormatRangeOf(const String& format, Number minimum, Number maximum) {
    OFormatStringStream message(format);
    message << minimum << maximum;
    return message.str();
}

// The extension's own error-provider texts, loaded once.
const String& ErrorTitle() {
    static const String title = LoadString(ThisModule(), TevControls::kErrorTitleId);
    return title;
}
const String& ErrorMessage() {
    static const String message = LoadString(ThisModule(), TevControls::kErrorMessageId);
    return message;
}

}  // namespace

String FormatRange(const String& format, double minimum, double maximum) {
    return FormatRangeOf(format, minimum, maximum);
}

String FormatRange(const String& format, long minimum, long maximum) {
    return FormatRangeOf(format, minimum, maximum);
}

FltRangeValidator::FltRangeValidator(double minimum, double maximum)
    : owl::TFilterValidator(FilterSet()), maximum_(maximum), minimum_(minimum) {}

double FltRangeValidator::NumberOf(const char16_t* text) {
    const auto reading = NumberText::LeadingReal(text != nullptr ? text : u"");
    return reading ? reading->value : 0.0;
}

bool FltRangeValidator::IsValid(const char16_t* input) {
    if (!owl::TFilterValidator::IsValid(input))
        return false;
    const double number = NumberOf(input);
    return minimum_ <= number && number <= maximum_;
}

UINT FltRangeValidator::Transfer(owl::tstring& text, void* buffer,
                                 owl::TTransferDirection direction) {
    if (!HasOption(owl::voTransfer))
        return 0;
    if (direction == owl::tdGetData) {
        const double number = NumberOf(text.c_str());
        std::memcpy(buffer, &number, sizeof number);
    } else if (direction == owl::tdSetData) {
        double number = 0;
        std::memcpy(&number, buffer, sizeof number);
        char written[64];
        std::snprintf(written, sizeof written, "%lg", number);
        text = text::ToUtf16(written);
    }
    return sizeof(double);
}

void FltRangeValidator::Error(owl::TWindow*) {
    static const String format = LoadString(nullptr, kHostRangeMessage);
    const String message = FormatRange(format, minimum_, maximum_);
    owl::TApplication* application = owl::OWLGetAppDictionary().GetApplication();
    const String caption = application != nullptr ? String(application->GetName()) : String();
    HWND popup = nullptr;
    if (application != nullptr && application->GetMainWindow() != nullptr) {
        popup = application->GetMainWindow()->GetLastActivePopup();
    }
    if (popup != nullptr && owl::TWindow::GetWindowPtr(popup) != nullptr) {
        MessageBoxW(popup, message.Text(), caption.Text(), MB_ICONEXCLAMATION | MB_OK);
    } else {
        MessageBoxW(GetActiveWindow(), message.Text(), caption.Text(),
                    MB_ICONEXCLAMATION | MB_OK | MB_TASKMODAL);
    }
}

}  // namespace Tev

namespace TevControls {

FltRangeValidatorErrProv::FltRangeValidatorErrProv(double minimum, double maximum,
                                                   Tev::ErrorProvider* provider)
    : Tev::FltRangeValidator(minimum, maximum), provider_(provider) {}

void FltRangeValidatorErrProv::Error(owl::TWindow* owner) {
    if (provider_ == nullptr) {
        Tev::FltRangeValidator::Error(owner);
        return;
    }
    provider_->SetError(true, Tev::ErrorTitle(),
                        Tev::FormatRange(Tev::ErrorMessage(), GetMin(), GetMax()));
}

LongRangeValidatorErrProv::LongRangeValidatorErrProv(LONG minimum, LONG maximum,
                                                     Tev::ErrorProvider* provider)
    : owl::TRangeValidator(minimum, maximum), provider_(provider) {}

void LongRangeValidatorErrProv::Error(owl::TWindow* owner) {
    if (provider_ == nullptr) {
        owl::TRangeValidator::Error(owner);
        return;
    }
    provider_->SetError(true, Tev::ErrorTitle(),
                        Tev::FormatRange(Tev::ErrorMessage(), static_cast<long>(GetMin()),
                                         static_cast<long>(GetMax())));
}

}  // namespace TevControls

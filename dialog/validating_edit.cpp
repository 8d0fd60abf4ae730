#include "dialog/validating_edit.h"

#include <cmath>
#include <ios>
#include <sstream>
#include <string>

#include "dialog/number_text.h"
#include "dialog/range_validators.h"
#include "platform/text/utf.h"
#include "support/popup/error_provider.h"

namespace Tev {
namespace {

constexpr int kDefaultPrecision = 9;

int Digits(int precision) {
    return precision <= 0 ? kDefaultPrecision : precision;
}

}  // namespace

ValidatingEdit::ValidatingEdit(owl::TWindow* parent, int id, owl::TModule* module)
    : owl::TEdit(parent, id, kTextLimit, module) {}

void ValidatingEdit::SetErrorProvider(ErrorProvider* provider) {
    errorProvider_ = provider;
}

void ValidatingEdit::EvChar(UINT key, UINT repeatCount, UINT flags) {
    owl::TEdit::EvChar(key, repeatCount, flags);
    if (errorProvider_ == nullptr || GetHandle() == nullptr)
        return;
    owl::TValidator* validator = GetValidator();
    const owl::tstring text = GetText();
    const bool refused = !IsNumber() || (validator != nullptr && !validator->IsValid(text.c_str()));
    if (refused && validator != nullptr) {
        validator->Error(this);
    } else {
        errorProvider_->SetError(false, String(), String());
    }
}

IntEdit::IntEdit(owl::TWindow* parent, int id, LONG maximum, owl::TModule* module)
    : ValidatingEdit(parent, id, module) {
    SetValidator(new TevControls::TevRangeValidator(0, maximum));
    // Digits only, for an edit this object makes itself; a dialog's own control keeps the
    // styles of its template.
    Attr.Style |= ES_NUMBER;
}

bool IntEdit::IsNumber() {
    return NumberText::IsWholeNumber(GetText());
}

void IntEdit::SetErrorProvider(ErrorProvider* provider) {
    ValidatingEdit::SetErrorProvider(provider);
    auto* current = dynamic_cast<owl::TRangeValidator*>(GetValidator());
    if (current == nullptr)
        return;
    const LONG minimum = current->GetMin();
    const LONG maximum = current->GetMax();
    if (provider != nullptr) {
        SetValidator(new TevControls::LongRangeValidatorErrProv(minimum, maximum, provider));
    } else {
        SetValidator(new TevControls::TevRangeValidator(minimum, maximum));
    }
}

long IntEdit::GetValue() const {
    const auto value = NumberText::LeadingWhole(GetText(), nullptr);
    return value ? static_cast<long>(*value) : 0;
}

void IntEdit::SetValue(long value) {
    SetText(text::ToUtf16(std::to_string(value)).c_str());
}

DoubleEdit::DoubleEdit(owl::TWindow* parent, int id, double minimum, double maximum,
                       owl::TModule* module)
    : ValidatingEdit(parent, id, module) {
    SetValidator(new FltRangeValidator(minimum, maximum));
}

DoubleEdit::DoubleEdit(owl::TWindow* parent, int id, owl::TModule* module)
    : ValidatingEdit(parent, id, module) {}

bool DoubleEdit::IsNumber() {
    return NumberText::IsRealNumber(GetText());
}

void DoubleEdit::SetErrorProvider(ErrorProvider* provider) {
    ValidatingEdit::SetErrorProvider(provider);
    auto* current = dynamic_cast<FltRangeValidator*>(GetValidator());
    if (current == nullptr)
        return;
    const double minimum = current->GetMin();
    const double maximum = current->GetMax();
    if (provider != nullptr) {
        SetValidator(new TevControls::FltRangeValidatorErrProv(minimum, maximum, provider));
    } else {
        SetValidator(new FltRangeValidator(minimum, maximum));
    }
}

double DoubleEdit::Round(double value, int precision) {
    if (value == 0)
        return 0;
    if (!std::isfinite(value))
        return value;
    const double m = std::floor(std::log10(std::fabs(value)) + 0.5);
    const double s = std::pow(10.0, Digits(precision) - m);
    // Below about 1e-299 the scale no longer fits a double: such a value is kept as it is
    // rather than turned into "not a number".
    const double scaled = value * s;
    if (!std::isfinite(s) || !std::isfinite(scaled))
        return value;
    return std::floor(scaled + 0.5) / s;
}

double DoubleEdit::GetValue() const {
    const auto reading = NumberText::LeadingReal(GetText());
    // A number too large for a double reads as none, so that it is never stored.
    if (!reading || reading->overflow)
        return 0;
    return Round(reading->value, precision_);
}

String DoubleEdit::Format(double value, int precision, bool fixedPoint) {
    std::wostringstream out;  // made now: the global stream locale
    out.precision(Digits(precision));
    if (fixedPoint)
        out << std::fixed << std::showpoint;
    out << value;
    return String::FromWide(out.str());
}

void DoubleEdit::SetValue(double value) {
    SetText(Format(value, precision_, fixedPoint_).Text());
}

}  // namespace Tev

// The numeric edits of the setup dialog.
//
// ValidatingEdit: an edit (255 characters with its terminator) that may report into an error
// provider. With a provider, after each typed character the text is checked: a text that is
// not a number of the edit's kind, or that its validator refuses, is reported into the
// provider (shown with the validator's title and message); otherwise the provider is cleared
// and hidden.
//
// IntEdit: whole numbers from 0 to its maximum (TevRangeValidator); values are the text's
// leading whole number (0 when there is none).
//
// DoubleEdit: real numbers, optionally limited to [minimum, maximum] (FltRangeValidator).
// GetValue reads the leading number of the first 29 characters (0 when there is none) and
// rounds it to the precision's significant digits (9 when the precision is 0 or less):
// m = floor(log10|v| + 0.5), s = 10^(P - m), value = floor(v × s + 0.5) / s. SetValue writes
// the value with a wide stream in the global stream locale: P significant digits in general
// notation, or, with the fixed-point flag, P digits after the point, the point always shown.
#pragma once

#include "platform/ui/owl/edit.h"
#include "support/string/tev_string.h"

namespace Tev {

class ErrorProvider;

class ValidatingEdit : public owl::TEdit {
public:
    static constexpr UINT kTextLimit = 255;

    ValidatingEdit(owl::TWindow* parent, int id, owl::TModule* module = nullptr);

    // Whether the whole text (its first 29 characters) is a number of the edit's kind.
    virtual bool IsNumber() = 0;
    // Attaches an error provider (or none) and makes the validator report into it.
    virtual void SetErrorProvider(ErrorProvider* provider);
    ErrorProvider* GetErrorProvider() const { return errorProvider_; }

protected:
    void EvChar(UINT key, UINT repeatCount, UINT flags) override;

private:
    ErrorProvider* errorProvider_ = nullptr;
};

class IntEdit : public ValidatingEdit {
public:
    IntEdit(owl::TWindow* parent, int id, LONG maximum, owl::TModule* module = nullptr);

    bool IsNumber() override;
    void SetErrorProvider(ErrorProvider* provider) override;

    // The text's leading whole number, 0 when there is none.
    long GetValue() const;
    void SetValue(long value);
};

class DoubleEdit : public ValidatingEdit {
public:
    DoubleEdit(owl::TWindow* parent, int id, double minimum, double maximum,
               owl::TModule* module = nullptr);
    DoubleEdit(owl::TWindow* parent, int id, owl::TModule* module = nullptr);

    bool IsNumber() override;
    void SetErrorProvider(ErrorProvider* provider) override;

    double GetValue() const;
    void SetValue(double value);
    // Significant digits for display and rounding; 0 or less means 9.
    void SetPrecision(int precision) { precision_ = precision; }
    int GetPrecision() const { return precision_; }
    void SetFixedPoint(bool fixed) { fixedPoint_ = fixed; }
    bool IsFixedPoint() const { return fixedPoint_; }

    // The rounding of GetValue, for a value and a precision.
    static double Round(double value, int precision);
    // The text SetValue writes.
    static String Format(double value, int precision, bool fixedPoint);

private:
    int precision_ = 0;
    bool fixedPoint_ = false;
};

}  // namespace Tev

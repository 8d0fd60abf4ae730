// Number punctuation that never groups digits, for the global stream locale: 1234.5 is
// written and read as 1234,5 in a decimal-comma locale, never as 1.234,5.
#pragma once

#include <cstddef>
#include <locale>
#include <string>

// The named locale's punctuation without digit grouping.
template <typename CharT>
class NoThousandsSep : public std::numpunct_byname<CharT> {
public:
    // `name` as for std::locale; the empty name is the user's locale from the environment.
    // Throws std::runtime_error when the C library does not have the locale.
    explicit NoThousandsSep(const char* name, std::size_t refs = 0)
        : std::numpunct_byname<CharT>(name, refs) {}

protected:
    std::string do_grouping() const override { return std::string(); }
};

// A named locale's punctuation without digit grouping, whose decimal and thousands
// separators are given (the user's), for when the user's own locale cannot be built and
// another one stands in for it.
template <typename CharT>
class CRTBug_UserRadix_NoThousandsSep : public NoThousandsSep<CharT> {
public:
    CRTBug_UserRadix_NoThousandsSep(const char* name, CharT decimalPoint, CharT thousandsSep,
                                    std::size_t refs = 0)
        : NoThousandsSep<CharT>(name, refs),
          decimalPoint_(decimalPoint),
          thousandsSep_(thousandsSep) {}

protected:
    CharT do_decimal_point() const override { return decimalPoint_; }
    CharT do_thousands_sep() const override { return thousandsSep_; }

private:
    CharT decimalPoint_;
    CharT thousandsSep_;
};

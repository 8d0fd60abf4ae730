// XTev: the program's exception. Carries a 32-bit status code and a Tev::String message.
// Virtual operations in order: the destructor, what() (the message's UTF-8 text) and Message()
// (the message as a new Tev::String reference).
#pragma once

#include <cstdint>
#include <exception>

#include "support/string/tev_string.h"

// The general code, with a message given by the thrower.
inline constexpr std::uint32_t kXTevGeneral = 0xA0048210;
// A malformed binary stream.
inline constexpr std::uint32_t kXTevMalformedStream = 0xA0048203;

class XTev : public std::exception {
public:
    XTev(std::uint32_t code, Tev::String message);
    ~XTev() override;
    const char* what() const noexcept override;
    virtual Tev::String Message() const;

    std::uint32_t Code() const noexcept { return code_; }

private:
    std::uint32_t code_;
    Tev::String message_;
};

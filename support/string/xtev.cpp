#include "support/string/xtev.h"

XTev::XTev(std::uint32_t code, Tev::String message) : code_(code), message_(std::move(message)) {}

XTev::~XTev() = default;

const char* XTev::what() const noexcept {
    try {
        return message_.Narrow();
    } catch (...) {
        return "XTev";  // no memory for the narrow text
    }
}

Tev::String XTev::Message() const {
    return message_;
}

// xmsg: an exception carrying a narrow (UTF-8) message, which what() returns.
#pragma once

#include <exception>
#include <string>

class xmsg : public std::exception {
public:
    explicit xmsg(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

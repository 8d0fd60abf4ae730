// XHResult: a failing HRESULT from the framework's start-up (creating or registering the
// framework's class object), raised to the caller of the service access that needed it.
#pragma once

#include <exception>
#include <string>

#include "platform/win_types.h"

class XHResult : public std::exception {
public:
    explicit XHResult(HRESULT result);
    const char* what() const noexcept override { return text_.c_str(); }
    HRESULT Result() const noexcept { return result_; }

private:
    HRESULT result_;
    std::string text_;
};

#include "host/ostrel/hresult_text.h"

#include <cstdio>

#include "platform/com/hresult.h"

namespace ostrel {

namespace {

const char* Meaning(HRESULT result) {
    switch (result) {
        case S_OK:
            return "success";
        case S_FALSE:
            return "done, with a negative answer";
        case E_FAIL:
            return "the operation failed";
        case E_NOTIMPL:
            return "the operation is not implemented";
        case E_NOINTERFACE:
            return "the object does not offer that interface";
        case E_POINTER:
            return "a required pointer was missing";
        case E_INVALIDARG:
            return "an argument was not valid";
        case E_OUTOFMEMORY:
            return "there was not enough memory";
        case E_UNEXPECTED:
            return "something unexpected went wrong";
        case STG_E_CANTSAVE:
            return "the data could not be saved: writing to the stream failed";
        case STG_E_WRITEFAULT:
            return "a write to the storage failed";
        case STG_E_READFAULT:
            return "a read from the storage failed";
        case STG_E_MEDIUMFULL:
            return "the storage is full";
        default:
            return SUCCEEDED(result) ? "success" : "an unknown failure";
    }
}

}  // namespace

std::string DescribeHResult(HRESULT result) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(result));
    return std::string(hex) + " (" + Meaning(result) + ")";
}

}  // namespace ostrel

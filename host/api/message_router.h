// The framework's message router: delivers a message to a handler tree.
#pragma once

#include "host/api/message_handler.h"

struct IMessageRouter : IUnknown {
    static constexpr IID kIid = MakeGuid("{3AEB28D1-CF32-11D1-B2EC-00600894D72A}");

    // Hands `message` to `target`; returns the target's HandleMessage result, or a failure
    // HRESULT for a missing message or target.
    virtual HRESULT Dispatch(IMessage* message, IMessageHandler* target) = 0;

protected:
    ~IMessageRouter() = default;
};

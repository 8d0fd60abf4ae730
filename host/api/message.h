// Framework messages: created by IMessageFactory, dispatched by IMessageRouter to the root of
// a message-handler tree, and handled by IMessageHandler.
#pragma once

#include "host/api/framework_ids.h"
#include "host/api/tev_string_forward.h"
#include "platform/com/unknown.h"

// A message's argument: a tag saying what the pointer is, and the pointer.
struct MessageArg {
    static constexpr LONG kNone = 0;
    static constexpr LONG kString = 7;  // Pointer is an ITevString*

    LONG Tag = kNone;
    void* Pointer = nullptr;
};

// Message flags.
inline constexpr DWORD kMessageNotToSender = 0x8;  // the handler that sent it does not handle it

struct IMessage : IUnknown {
    static constexpr IID kIid = MakeGuid("{3AEB28D4-CF32-11D1-B2EC-00600894D72A}");

    virtual HRESULT Unused3() { return E_NOTIMPL; }
    virtual HRESULT Unused4() { return E_NOTIMPL; }
    virtual HRESULT Unused5() { return E_NOTIMPL; }
    virtual HRESULT GetIdentifier(MessageId* id) = 0;
    virtual HRESULT GetFlags(DWORD* flags) = 0;
    // The argument as given to CreateMessage; a string argument stays valid (the message holds
    // a reference) for the message's life.
    virtual HRESULT GetArgument(MessageArg* argument) = 0;
    virtual HRESULT Unused9() { return E_NOTIMPL; }
    // Records who sends the message (null: nobody); not counted.
    virtual HRESULT SetSender(IUnknown* sender) = 0;
    // S_OK when `candidate` is the recorded sender, S_FALSE otherwise.
    virtual HRESULT IsSender(IUnknown* candidate) = 0;

protected:
    ~IMessage() = default;
};

struct IMessageFactory : IUnknown {
    static constexpr IID kIid = MakeGuid("{3AEB28D2-CF32-11D1-B2EC-00600894D72A}");

    virtual HRESULT Unused3() { return E_NOTIMPL; }
    virtual HRESULT Unused4() { return E_NOTIMPL; }
    virtual HRESULT Unused5() { return E_NOTIMPL; }
    virtual HRESULT Unused6() { return E_NOTIMPL; }
    virtual HRESULT Unused7() { return E_NOTIMPL; }
    virtual HRESULT Unused8() { return E_NOTIMPL; }
    // A new message with one reference for the caller. The three reserved values are 0. A string
    // argument is held with a reference by the message.
    virtual HRESULT CreateMessage(MessageId id, DWORD flags, DWORD reserved1, DWORD reserved2,
                                  DWORD reserved3, const MessageArg* argument,
                                  IMessage** message) = 0;

protected:
    ~IMessageFactory() = default;
};

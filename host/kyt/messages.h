// Framework messages and the factory that makes them.
#pragma once

#include "host/api/message.h"
#include "platform/com/com_object.h"

namespace kyt {

class Message final : public ComObject<IMessage> {
public:
    // A string argument is held with a reference for the message's life.
    Message(MessageId id, DWORD flags, const MessageArg& argument);
    ~Message() override;

    HRESULT GetIdentifier(MessageId* id) override;
    HRESULT GetFlags(DWORD* flags) override;
    HRESULT GetArgument(MessageArg* argument) override;
    HRESULT SetSender(IUnknown* sender) override;
    HRESULT IsSender(IUnknown* candidate) override;

private:
    MessageId id_;
    DWORD flags_;
    MessageArg argument_;
    IUnknown* sender_ = nullptr;  // not counted: only compared
};

class MessageFactory final : public ComObject<IMessageFactory> {
public:
    HRESULT CreateMessage(MessageId id, DWORD flags, DWORD reserved1, DWORD reserved2,
                          DWORD reserved3, const MessageArg* argument, IMessage** message) override;
};

}  // namespace kyt

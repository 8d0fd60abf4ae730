#include "host/kyt/messages.h"

#include <new>

#include "host/kyt/as_unknown.h"

namespace kyt {

namespace {

ITevString* StringOf(const MessageArg& argument) {
    return argument.Tag == MessageArg::kString ? static_cast<ITevString*>(argument.Pointer)
                                               : nullptr;
}

}  // namespace

Message::Message(MessageId id, DWORD flags, const MessageArg& argument)
    : id_(id), flags_(flags), argument_(argument) {
    AddRefed(StringOf(argument_));
}

Message::~Message() {
    ReleaseIfAny(StringOf(argument_));
}

HRESULT Message::GetIdentifier(MessageId* id) {
    if (id == nullptr)
        return E_POINTER;
    *id = id_;
    return S_OK;
}

HRESULT Message::GetFlags(DWORD* flags) {
    if (flags == nullptr)
        return E_POINTER;
    *flags = flags_;
    return S_OK;
}

HRESULT Message::GetArgument(MessageArg* argument) {
    if (argument == nullptr)
        return E_POINTER;
    *argument = argument_;
    return S_OK;
}

HRESULT Message::SetSender(IUnknown* sender) {
    sender_ = sender;
    return S_OK;
}

HRESULT Message::IsSender(IUnknown* candidate) {
    return sender_ != nullptr && candidate == sender_ ? S_OK : S_FALSE;
}

HRESULT MessageFactory::CreateMessage(MessageId id, DWORD flags, DWORD /*reserved1*/,
                                      DWORD /*reserved2*/, DWORD /*reserved3*/,
                                      const MessageArg* argument, IMessage** message) {
    if (message == nullptr)
        return E_POINTER;
    *message = nullptr;
    auto* created = new (std::nothrow) Message(id, flags, argument ? *argument : MessageArg{});
    if (created == nullptr)
        return E_OUTOFMEMORY;
    created->AddRef();
    *message = created;
    return S_OK;
}

}  // namespace kyt

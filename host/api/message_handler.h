// A node of a message-handler tree. Messages are sent to the root of the tree, which offers
// them to its own table and then to its children in the order they were added.
#pragma once

#include "host/api/message.h"

// HandleMessage's results.
inline constexpr HRESULT kMessageHandled = 1;
inline constexpr HRESULT kMessageNotHandled = 0;

struct ISimpleMessageHandler : IUnknown {
    static constexpr IID kIid = MakeGuid("{35D41FE1-B563-11D2-B801-008048C36FE8}");

    // kMessageHandled or kMessageNotHandled.
    virtual HRESULT HandleMessage(IMessage* message) = 0;

protected:
    ~ISimpleMessageHandler() = default;
};

struct IMessageHandler : ISimpleMessageHandler {
    static constexpr IID kIid = MakeGuid("{35D41FE2-B563-11D2-B801-008048C36FE8}");

    // Appends a counted child and makes this handler its parent.
    virtual HRESULT AddChild(IMessageHandler* child) = 0;
    // Removes a child (its parent becomes none); E_FAIL when it is not a child, 1 for null.
    virtual HRESULT RemoveChild(IMessageHandler* child) = 0;
    // Makes `parent` (or none) the parent; the send target becomes the tree's root.
    virtual HRESULT SetParent(IMessageHandler* parent) = 0;
    // The send target (the root of the tree), with a reference for the caller.
    virtual HRESULT GetParent(IMessageHandler** target) = 0;
    // S_OK when the handler accepts the message, S_FALSE when it refuses it.
    virtual HRESULT AcceptsMessage(IMessage* message) = 0;

protected:
    ~IMessageHandler() = default;
};

// KYTMessageHandler: a node of the framework's message-handler tree. Messages are sent to the
// tree's root (the send target); each handler offers a message to its own table, then to its
// children in the order they were added. A new handler is its own root.
#pragma once

#include <vector>

#include "host/api/message_handler.h"

// Every slot of IMessageHandler answered with E_NOTIMPL.
class UnimplementedIMessageHandler : public IMessageHandler {
public:
    HRESULT HandleMessage(IMessage*) override { return E_NOTIMPL; }
    HRESULT AddChild(IMessageHandler*) override { return E_NOTIMPL; }
    HRESULT RemoveChild(IMessageHandler*) override { return E_NOTIMPL; }
    HRESULT SetParent(IMessageHandler*) override { return E_NOTIMPL; }
    HRESULT GetParent(IMessageHandler** target) override {
        if (target != nullptr)
            *target = nullptr;
        return E_NOTIMPL;
    }
    HRESULT AcceptsMessage(IMessage*) override { return E_NOTIMPL; }

protected:
    UnimplementedIMessageHandler() = default;
    ~UnimplementedIMessageHandler() = default;
};

class KYTMessageHandler : public UnimplementedIMessageHandler {
public:
    // kMessageHandled when the handler accepts the message and its own table or a child
    // handles it; otherwise what HandleUnhandledMessage says.
    HRESULT HandleMessage(IMessage* message) override;
    HRESULT AddChild(IMessageHandler* child) override;
    HRESULT RemoveChild(IMessageHandler* child) override;
    HRESULT SetParent(IMessageHandler* parent) override;
    HRESULT GetParent(IMessageHandler** target) override;
    // A message flagged kMessageNotToSender is refused by the handler that sent it.
    HRESULT AcceptsMessage(IMessage* message) override;

    // The root of the tree, where this handler's messages go (not counted for the caller);
    // null after ClearSendTarget.
    IMessageHandler* SendTarget() const { return target_; }
    // Lets go of the send target (the document is detached from its host document).
    void ClearSendTarget();

protected:
    KYTMessageHandler();
    virtual ~KYTMessageHandler();
    KYTMessageHandler(const KYTMessageHandler&) = delete;
    KYTMessageHandler& operator=(const KYTMessageHandler&) = delete;

    // The object's own table: true when it handled the message.
    virtual bool HandleOwnMessage(IMessage* message) = 0;
    // A message that was refused or that neither the table nor a child handled.
    virtual HRESULT HandleUnhandledMessage(IMessage* /*message*/) { return kMessageNotHandled; }

private:
    IMessageHandler* Self() { return this; }
    void DropTarget();

    std::vector<IMessageHandler*> children_;  // one reference each
    IMessageHandler* parent_ = nullptr;       // not counted: the parent holds this handler
    IMessageHandler* target_;                 // counted unless it is this handler or the parent
    bool targetCounted_ = false;
};

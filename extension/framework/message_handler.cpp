#include "extension/framework/message_handler.h"

#include <algorithm>

KYTMessageHandler::KYTMessageHandler() : target_(Self()) {}

KYTMessageHandler::~KYTMessageHandler() {
    DropTarget();
    for (IMessageHandler* child : children_)
        child->Release();
}

HRESULT KYTMessageHandler::HandleMessage(IMessage* message) {
    if (AcceptsMessage(message) == S_OK) {
        if (HandleOwnMessage(message))
            return kMessageHandled;
        // A child may remove itself (or others) while it handles the message.
        const std::vector<IMessageHandler*> children = children_;
        for (IMessageHandler* child : children) {
            child->AddRef();
            const HRESULT handled = child->HandleMessage(message);
            child->Release();
            if (handled == kMessageHandled)
                return kMessageHandled;
        }
    }
    return HandleUnhandledMessage(message);
}

HRESULT KYTMessageHandler::AddChild(IMessageHandler* child) {
    if (child == nullptr)
        return E_POINTER;
    child->AddRef();
    children_.push_back(child);
    child->SetParent(Self());
    return S_OK;
}

HRESULT KYTMessageHandler::RemoveChild(IMessageHandler* child) {
    if (child == nullptr)
        return S_FALSE;
    const auto found = std::find(children_.begin(), children_.end(), child);
    if (found == children_.end())
        return E_FAIL;
    child->SetParent(nullptr);
    children_.erase(std::find(children_.begin(), children_.end(), child));
    child->Release();
    return S_OK;
}

HRESULT KYTMessageHandler::SetParent(IMessageHandler* parent) {
    DropTarget();
    parent_ = parent;
    if (parent == nullptr) {
        target_ = Self();
        return S_OK;
    }
    // The parent's own target is the root; messages always go there.
    IMessageHandler* root = nullptr;
    if (FAILED(parent->GetParent(&root)) || root == nullptr) {
        root = parent;
        root->AddRef();
    }
    target_ = root;
    targetCounted_ = root != parent && root != Self();
    if (!targetCounted_)
        root->Release();
    return S_OK;
}

HRESULT KYTMessageHandler::GetParent(IMessageHandler** target) {
    if (target == nullptr)
        return E_POINTER;
    *target = target_;
    if (target_ != nullptr)
        target_->AddRef();
    return S_OK;
}

HRESULT KYTMessageHandler::AcceptsMessage(IMessage* message) {
    if (message == nullptr)
        return S_FALSE;
    DWORD flags = 0;
    message->GetFlags(&flags);
    if ((flags & kMessageNotToSender) != 0 && message->IsSender(Self()) == S_OK)
        return S_FALSE;
    return S_OK;
}

void KYTMessageHandler::ClearSendTarget() {
    DropTarget();
    target_ = nullptr;
}

void KYTMessageHandler::DropTarget() {
    if (targetCounted_ && target_ != nullptr)
        target_->Release();
    targetCounted_ = false;
}

// KYTMessageSender: sends a framework message to the root of the sender's handler tree.
#pragma once

#include "host/api/message_handler.h"

// What a message says: its identifier, its flags and its argument.
struct MessageDescription {
    MessageId id;
    DWORD flags;
    MessageArg argument;
};

class KYTMessageSender {
public:
    // `sender` is the handler whose messages these are: the message names it as its sender
    // while it is dispatched (so that it can refuse messages flagged kMessageNotToSender).
    explicit KYTMessageSender(IMessageHandler* sender) : sender_(sender) {}
    KYTMessageSender(const KYTMessageSender&) = delete;
    KYTMessageSender& operator=(const KYTMessageSender&) = delete;

    // Creates the message (flags OR sendFlags) through the framework's message factory and,
    // when the sender is connected, dispatches it through the message router to `target`.
    // Returns the dispatch result; E_FAIL when the sender is not connected (disabled, or no
    // target) or the router is missing; the factory's failure when the message cannot be made.
    HRESULT SendMessage(IMessageHandler* target, const MessageDescription& message,
                        DWORD sendFlags);

    void EnableSender(bool enabled) { enabled_ = enabled; }
    bool IsSenderEnabled() const { return enabled_; }

protected:
    ~KYTMessageSender() = default;

private:
    IMessageHandler* sender_;
    bool enabled_ = true;
};

#include "extension/framework/message_sender.h"

#include "extension/services/framework_services.h"
#include "platform/com/com_ptr.h"

HRESULT KYTMessageSender::SendMessage(IMessageHandler* target, const MessageDescription& message,
                                      DWORD sendFlags) {
    IMessageFactory* factory = Services::MessageFactory();
    if (factory == nullptr)
        return E_FAIL;
    ComPtr<IMessage> created;
    const HRESULT made = factory->CreateMessage(message.id, message.flags | sendFlags, 0, 0, 0,
                                                &message.argument, created.OutParam());
    if (FAILED(made))
        return made;
    if (!created)
        return E_FAIL;

    IMessageRouter* router = Services::MessageRouter();
    if (!enabled_ || target == nullptr || router == nullptr)
        return E_FAIL;
    created->SetSender(sender_);
    const HRESULT result = router->Dispatch(created.Get(), target);
    created->SetSender(nullptr);
    return result;
}

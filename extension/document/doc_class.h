// DocClass: the extension's document class. The module registers it with the framework; the
// host initialises it (which adds the "Tarvel..." command to the Setup menu) and asks it for
// one Doc per host document.
#pragma once

#include "extension/document/doc.h"
#include "extension/framework/document_class.h"
#include "extension/framework/mapped_unknown.h"

namespace VavazaZavidi {

class DocClass final : public KYTDocumentClass<Doc>,
                       public KYTEventHandlerT<1>,
                       public IObserver,
                       public KYTEventHandlerBase,
                       public KYTMessageHandler,
                       public KYTMessageSender,
                       public Tev::CComObjectRoot {
public:
    // A new class starts with a count of 0: whoever registers it takes the references.
    DocClass();
    ~DocClass() override;

    // IUnknown, through the class's interface map.
    TEV_MAPPED_IUNKNOWN

    // Makes the class's command list and registers the menu command "Tarvel...".
    HRESULT InitialiseCommands(IUnknown* hostArgument) override;

    // The class's command handling asks the inner class object first.
    HRESULT ExecuteCommand(MessageId id) override;
    HRESULT UpdateCommand(MessageId id, ICommandState* state) override;
    HRESULT HandleCommand(MessageId id, LONG kind, std::intptr_t value1,
                          std::intptr_t value2) override;

    HRESULT Connect(IObserverRegistry* service) override;
    HRESULT Notify(IUnknown* source, MessageId id, std::intptr_t value,
                   std::intptr_t parameter) override;

    // The table of the class: no rows.
    static const EventTable& Events();

protected:
    KYTEventHandlerBase& EventHandlers() override { return *this; }
    bool HandleOwnMessage(IMessage* message) override { return HandleFromTable(message); }
    // A message that is refused or that nobody handles ends here (0): the class does not pass
    // it to its inner object (KYTMessageHandler's default).
};

}  // namespace VavazaZavidi

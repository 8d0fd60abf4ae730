// KYTDocumentClassBase: the framework's part of an extension document class. It names the
// class, aggregates a framework inner class object (which answers every interface query the
// class does not answer itself), keeps the class's command list and implements
// ICustomDocClass. KYTDocumentClass<Doc> adds document creation for the document type Doc,
// which names its class with Doc::kClassName, Doc::kClassId and Doc::kDocumentType.
//
// The final class creates the inner object with CreateInnerObject once it is complete,
// holding an extra count on itself meanwhile.
#pragma once

#include <exception>
#include <new>

#include "extension/framework/event_handler.h"
#include "extension/framework/message_family.h"
#include "host/api/commands.h"
#include "host/api/custom_doc_class.h"
#include "host/api/custom_document.h"
#include "host/api/host_storage.h"
#include "host/api/message_handler.h"
#include "host/api/observer.h"
#include "platform/com/com_ptr.h"
#include "support/string/tev_string.h"

class KYTDocumentClassBase : public ICustomDocClass {
public:
    // Asks the inner object for `iid` (the interface map's delegation); E_NOINTERFACE without
    // one.
    HRESULT QueryInner(REFIID iid, void** result);

    // ICustomDocClass
    HRESULT GetMessageIdBase(MessageId* base) override;
    HRESULT GetDocumentType(const GUID** type) override;
    HRESULT GetDisplayName(BSTR* name) override;
    HRESULT IsDocumentType(const GUID* type) override;
    HRESULT GetName(BSTR* name) override;
    HRESULT GetClassVersion(LONG* version) override;
    HRESULT Initialise(IUnknown* hostArgument) override;
    HRESULT Terminate() override { return S_OK; }
    HRESULT GetClassId(const GUID** classId) override;
    // Makes the class's command list (see CreateCommandList).
    HRESULT InitialiseCommands(IUnknown* hostArgument) override;

    ICommandList* CommandList() const { return commandList_.Get(); }
    MessageId FamilyBase() const { return familyBase_; }

protected:
    KYTDocumentClassBase(const char16_t* name, const GUID& classId, const GUID& documentType,
                         MessageId familyBase, LONG version);
    virtual ~KYTDocumentClassBase();
    KYTDocumentClassBase(const KYTDocumentClassBase&) = delete;
    KYTDocumentClassBase& operator=(const KYTDocumentClassBase&) = delete;

    // The class's command handling: the inner class object is asked first, and the class's own
    // table (`table`) only when the inner object does not run the command.
    HRESULT ExecuteThroughInner(MessageId id, KYTEventHandlerBase& table);
    HRESULT UpdateThroughInner(MessageId id, ICommandState* state, KYTEventHandlerBase& table);
    HRESULT HandleThroughInner(MessageId id, LONG kind, std::intptr_t value1, std::intptr_t value2,
                               KYTEventHandlerBase& table);

    // Creates the inner class object through the document-class registry and initialises it
    // with `outer`, the class's own IUnknown.
    void CreateInnerObject(IUnknown* outer);

    // The class's command list from the framework's command-list factory, run by the class's
    // own command handler (`self`, queried from the class); replaces and releases an earlier
    // list. Returns the factory's result.
    HRESULT CreateCommandList(IUnknown* hostArgument);

    IInnerClassObject* InnerObject() const { return inner_; }
    // Interfaces of the inner object, asked once and kept without a count.
    IKYTCommandHandler* InnerCommandHandler();
    IMessageHandler* InnerMessageHandler();
    IObserver* InnerObserver();

private:
    Tev::String name_;
    GUID classId_;
    GUID documentType_;
    MessageId familyBase_;
    LONG version_;
    ComPtr<ICommandList> commandList_;
    IInnerClassObject* inner_ = nullptr;       // owned
    IClassCommands* classCommands_ = nullptr;  // not counted
    IKYTCommandHandler* innerCommandHandler_ = nullptr;
    IMessageHandler* innerMessageHandler_ = nullptr;
    IObserver* innerObserver_ = nullptr;
};

template <class Doc>
class KYTDocumentClass : public KYTDocumentClassBase {
public:
    // A new Doc beside `hostDocument`, stored in `*document` with one count. A document whose
    // construction fails is reported as E_OUTOFMEMORY (no memory) or E_FAIL.
    HRESULT CreateDocument(IUnknown* /*reserved1*/, IUnknown* hostDocument, IUnknown* /*reserved3*/,
                           ICustomDocument** document, LONG /*reserved5*/) override {
        if (document == nullptr)
            return E_POINTER;
        *document = nullptr;
        try {
            Doc* created = new Doc(hostDocument, this);
            ICustomDocument2* interface = created;
            interface->AddRef();
            *document = interface;
            return S_OK;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (const std::exception&) {
            return E_FAIL;
        }
    }

protected:
    KYTDocumentClass()
        : KYTDocumentClassBase(Doc::kClassName, Doc::kClassId, Doc::kDocumentType,
                               MakeMessageId(MessageFamily(Doc::kClassId), 0), 1) {}
};

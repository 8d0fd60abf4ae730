// KYTDocument: the framework's part of an extension document. It aggregates a framework inner
// document object (which answers every interface query the document does not answer itself),
// keeps the document class that made it and the host document's storage interface, and
// implements ICustomDocument2.
//
// The final class creates the inner object with CreateInnerObject once it is complete (the
// inner object answers for the document's own IUnknown), holding an extra count on itself
// meanwhile.
#pragma once

#include "host/api/custom_doc_class.h"
#include "host/api/custom_document.h"
#include "host/api/host_storage.h"
#include "host/api/message_handler.h"
#include "host/api/observer.h"
#include "platform/com/com_ptr.h"
#include "support/string/tev_string.h"

class KYTDocument : public ICustomDocument2 {
public:
    // Asks the inner object for `iid` (the interface map's delegation); E_NOINTERFACE without
    // one.
    HRESULT QueryInner(REFIID iid, void** result);

    // ICustomDocument2
    HRESULT GetTitle(BSTR* title) override;
    HRESULT IsCustomDocument(VARIANT_BOOL* custom) override;
    HRESULT Detach() override;
    HRESULT GetViewCount(LONG* count) override;
    HRESULT GetValue(LONG* value) override;
    HRESULT GetHostData(IUnknown** data) override;
    // Documents without persistence: none for both, E_NOTIMPL.
    HRESULT GetPersistObject(LONG flag, LONG kind, IUnknown** other,
                             IPersistStream** persist) override;
    HRESULT SetName(ITevString* name) override;
    HRESULT GetName(ITevString** name) override;
    HRESULT GetUserValue(LONG* value) override;
    HRESULT SetUserValue(LONG value) override;
    HRESULT Reserved14() override { return 0; }
    HRESULT Reserved15() override { return 0; }
    HRESULT Reserved16() override { return 0; }
    HRESULT Reserved17() override { return 0; }

    const Tev::String& Name() const { return name_; }
    const Tev::String& Title() const { return title_; }
    void SetTitle(const Tev::String& title) { title_ = title; }

protected:
    KYTDocument(IUnknown* hostDocument, ICustomDocClass* docClass);
    virtual ~KYTDocument();
    KYTDocument(const KYTDocument&) = delete;
    KYTDocument& operator=(const KYTDocument&) = delete;

    // Creates the inner document object through the document-class registry and initialises
    // it with the class, the host document and `outer`, the document's own IUnknown.
    void CreateInnerObject(IUnknown* outer);

    IInnerDocument* InnerObject() const { return inner_; }
    ICustomDocClass* DocClass() const { return docClass_.Get(); }
    IUnknown* HostDocument() const { return hostDocument_; }
    IHostStorage* HostStorage() const { return hostStorage_; }
    // Interfaces of the inner object, asked once and kept without a count (a count on them
    // would be a count on the document itself).
    IMessageHandler* InnerMessageHandler();
    IObserver* InnerObserver();
    IHostStorage* InnerStorage();

private:
    IUnknown* hostDocument_;           // not counted: the host document outlives this one
    IInnerDocument* inner_ = nullptr;  // owned
    ComPtr<ICustomDocClass> docClass_;
    IHostStorage* hostStorage_ = nullptr;  // not counted
    ComPtr<IClassCommands> classCommands_;
    IHostDocumentData* hostData_ = nullptr;  // asked once, not counted
    IMessageHandler* innerMessageHandler_ = nullptr;
    IObserver* innerObserver_ = nullptr;
    IHostStorage* innerStorage_ = nullptr;
    Tev::String name_;
    Tev::String title_;
    LONG value_ = 0;
    LONG userValue_ = 0;
};

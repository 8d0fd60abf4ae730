// A host document: the host's own document object, beside which every registered document
// class keeps one extension document. It offers the extension documents its parts (among them
// the sampling settings with the current master device), takes the persistence objects they
// offer, and saves and loads their streams.
#pragma once

#include <string>
#include <vector>

#include "host/api/custom_doc_class.h"
#include "host/api/custom_document.h"
#include "host/api/host_storage.h"
#include "host/api/observer.h"
#include "host/api/persist_stream.h"
#include "host/session/host_parts.h"

namespace session {

// One extension document of a host document.
struct ExtensionDocument {
    ComPtr<ICustomDocument> document;
    ComPtr<ICustomDocClass> docClass;
    IHostStorage* storage = nullptr;    // its storage identity (not counted)
    IPersistStream* offered = nullptr;  // what it offered the host, if it did (counted)
    int offers = 0;                     // how often it offered persistence
};

// The stream of one extension document, as the host keeps it in its file.
struct ExtensionStream {
    CLSID classId;
    std::vector<BYTE> bytes;
};

class HostDocument final
    : public ComObject<IHostStorage, IHostChildDocument, IStorageService, IHostDocumentData> {
public:
    // A document whose sampling settings name `device` (may be null: no master device).
    static ComPtr<HostDocument> Create(ComPtr<IDeviceObject> device);

    // Makes this document's extension document of `docClass` and connects its observer to
    // `observers`. Returns the class's result.
    HRESULT AddExtensionDocument(ICustomDocClass* docClass, IObserverRegistry* observers);
    const std::vector<ExtensionDocument>& Extensions() const { return extensions_; }

    // The persistence object of extension document `index`: the one it offered, or the one it
    // gives when asked (flag 0, kind 2); null when it has none.
    IPersistStream* PersistenceOf(std::size_t index);

    // Saves every extension document that has persistence into a stream of its own. Stops at
    // the first Save that does not answer S_OK and returns that answer.
    HRESULT SaveExtensions(std::vector<ExtensionStream>& streams);
    // Hands each stream to the extension document whose persistence has that class. Stops at
    // the first Load that does not answer S_OK and returns that answer. `unclaimed` receives the
    // streams no extension document takes.
    HRESULT LoadExtensions(const std::vector<ExtensionStream>& streams,
                           std::vector<CLSID>& unclaimed);

    // Detaches and lets go of the extension documents (the host document closes).
    void Close();

    SamplingSettings& Sampling() { return *sampling_.Get(); }
    IUnknown* Unknown() { return static_cast<IHostStorage*>(this); }

    // IHostChildDocument
    HRESULT GetRecorder(IUnknown** recorder) override;
    HRESULT GetChannelSetup(IUnknown** setup) override;
    HRESULT GetDisplay(IUnknown** display) override;
    HRESULT GetSamplingSettings(ISamplingSettings** settings) override;
    HRESULT GetTriggerSettings(IUnknown** settings) override;
    HRESULT GetNotebook(IUnknown** notebook) override;
    HRESULT GetChannelGroup(LONG index, IUnknown** group) override;

    // IStorageService
    HRESULT OfferPersistence(IHostStorage* storage, LONG reserved1, IPersistStream* persist,
                             LONG reserved2, LONG reserved3, ITevString** text) override;

private:
    explicit HostDocument(ComPtr<IDeviceObject> device);
    ~HostDocument() override;

    ComPtr<SamplingSettings> sampling_{new SamplingSettings};
    ComPtr<HostPart> recorder_{new HostPart};
    ComPtr<HostPart> channelSetup_{new HostPart};
    ComPtr<HostPart> display_{new HostPart};
    ComPtr<HostPart> triggerSettings_{new HostPart};
    ComPtr<HostPart> notebook_{new HostPart};
    ComPtr<HostPart> channelGroup_{new HostPart};
    std::vector<ExtensionDocument> extensions_;
};

}  // namespace session

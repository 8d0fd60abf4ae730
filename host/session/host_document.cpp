#include "host/session/host_document.h"

#include "platform/stream/memory_stream.h"
#include "support/string/tev_string.h"

namespace session {

namespace {

HRESULT Give(const ComPtr<HostPart>& part, IUnknown** out) {
    if (out == nullptr)
        return E_POINTER;
    *out = static_cast<IHostDisplay*>(part.Get());
    part->AddRef();
    return S_OK;
}

}  // namespace

ComPtr<HostDocument> HostDocument::Create(ComPtr<IDeviceObject> device) {
    return ComPtr<HostDocument>(new HostDocument(std::move(device)));
}

HostDocument::HostDocument(ComPtr<IDeviceObject> device) {
    sampling_->SetCurrentDevice(std::move(device));
}

HostDocument::~HostDocument() {
    Close();
}

HRESULT HostDocument::AddExtensionDocument(ICustomDocClass* docClass,
                                           IObserverRegistry* observers) {
    if (docClass == nullptr)
        return E_POINTER;
    ComPtr<ICustomDocument> document;
    const HRESULT hr =
        docClass->CreateDocument(nullptr, Unknown(), nullptr, document.OutParam(), 0);
    if (FAILED(hr) || !document)
        return FAILED(hr) ? hr : E_FAIL;

    ExtensionDocument extension;
    extension.document = document;
    extension.docClass = ComPtr<ICustomDocClass>(docClass);
    if (auto storage = ComPtr<IHostStorage>::QueryFrom(document.Get())) {
        extension.storage = storage.Get();  // the identity it offers persistence with
    }
    extensions_.push_back(extension);
    if (auto observer = ComPtr<IObserver>::QueryFrom(document.Get())) {
        observer->Connect(observers);
    }
    return S_OK;
}

IPersistStream* HostDocument::PersistenceOf(std::size_t index) {
    ExtensionDocument& extension = extensions_.at(index);
    if (extension.offered != nullptr)
        return extension.offered;
    IUnknown* other = nullptr;
    IPersistStream* persist = nullptr;
    const HRESULT answer = extension.document->GetPersistObject(0, 2, &other, &persist);
    // What the document hands out beside its answer is given back whatever the answer.
    if (other != nullptr)
        other->Release();
    if (answer != S_OK) {
        if (persist != nullptr)
            persist->Release();
        return nullptr;
    }
    extension.offered = persist;  // keeps the reference it came with
    return persist;
}

HRESULT HostDocument::SaveExtensions(std::vector<ExtensionStream>& streams) {
    for (std::size_t i = 0; i < extensions_.size(); ++i) {
        IPersistStream* persist = PersistenceOf(i);
        if (persist == nullptr)
            continue;
        ExtensionStream saved{};
        persist->GetClassID(&saved.classId);
        ComPtr<MemoryStream> stream = MemoryStream::Create();
        const HRESULT hr = persist->Save(stream.Get(), TRUE);
        if (hr != S_OK)
            return hr;
        saved.bytes = stream->Bytes();
        streams.push_back(std::move(saved));
    }
    return S_OK;
}

HRESULT HostDocument::LoadExtensions(const std::vector<ExtensionStream>& streams,
                                     std::vector<CLSID>& unclaimed) {
    for (const ExtensionStream& saved : streams) {
        IPersistStream* taker = nullptr;
        for (std::size_t i = 0; i < extensions_.size() && taker == nullptr; ++i) {
            IPersistStream* persist = PersistenceOf(i);
            CLSID classId{};
            if (persist != nullptr && SUCCEEDED(persist->GetClassID(&classId)) &&
                classId == saved.classId) {
                taker = persist;
            }
        }
        if (taker == nullptr) {
            unclaimed.push_back(saved.classId);
            continue;
        }
        ComPtr<MemoryStream> stream = MemoryStream::Create(saved.bytes);
        const HRESULT hr = taker->Load(stream.Get());
        if (hr != S_OK)
            return hr;
    }
    return S_OK;
}

void HostDocument::Close() {
    std::vector<ExtensionDocument> closing;
    closing.swap(extensions_);
    for (ExtensionDocument& extension : closing) {
        if (extension.offered != nullptr)
            extension.offered->Release();
        extension.offered = nullptr;
        extension.document->Detach();
    }
    // The documents go when `closing` does.
}

HRESULT HostDocument::GetRecorder(IUnknown** recorder) {
    return Give(recorder_, recorder);
}
HRESULT HostDocument::GetChannelSetup(IUnknown** setup) {
    return Give(channelSetup_, setup);
}
HRESULT HostDocument::GetDisplay(IUnknown** display) {
    return Give(display_, display);
}
HRESULT HostDocument::GetTriggerSettings(IUnknown** settings) {
    return Give(triggerSettings_, settings);
}
HRESULT HostDocument::GetNotebook(IUnknown** notebook) {
    return Give(notebook_, notebook);
}
HRESULT HostDocument::GetChannelGroup(LONG /*index*/, IUnknown** group) {
    return Give(channelGroup_, group);
}

HRESULT HostDocument::GetSamplingSettings(ISamplingSettings** settings) {
    if (settings == nullptr)
        return E_POINTER;
    *settings = sampling_.Get();
    sampling_->AddRef();
    return S_OK;
}

HRESULT HostDocument::OfferPersistence(IHostStorage* storage, LONG /*reserved1*/,
                                       IPersistStream* persist, LONG /*reserved2*/,
                                       LONG /*reserved3*/, ITevString** text) {
    if (text != nullptr)
        *text = nullptr;
    if (persist == nullptr)
        return E_POINTER;
    for (std::size_t i = 0; i < extensions_.size(); ++i) {
        ExtensionDocument& extension = extensions_[i];
        if (extension.storage == nullptr || extension.storage != storage)
            continue;
        ++extension.offers;
        persist->AddRef();
        if (extension.offered != nullptr)
            extension.offered->Release();
        extension.offered = persist;
        if (text != nullptr)
            *text = Tev::String(u"extension stream").HandOut();
        return S_OK;
    }
    return E_INVALIDARG;  // not one of this document's extension documents
}

}  // namespace session

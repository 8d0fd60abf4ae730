// A host document for the framework's documents to live beside: a child-document host whose
// parts record the order in which they are asked for and count the references given out.
#pragma once

#include <vector>

#include "host/api/child_document.h"
#include "host/api/host_storage.h"
#include "host/session/host_parts.h"
#include "platform/com/com_object.h"
#include "platform/com/com_ptr.h"

namespace fake {

// The host's own parts serve, and its sampling settings without a master device.
using session::HostPart;

class HostData final : public ComObject<IHostDocumentData> {};

class HostDocument final : public ComObject<IHostStorage>, public IHostChildDocument {
public:
    explicit HostDocument(bool childHost = true) : childHost_(childHost) {}

    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (iid == IHostDocumentData::kIid) {
            ++dataQueries;
            return data_->QueryInterface(iid, object);
        }
        return ComObject::QueryInterface(iid, object);
    }
    ULONG AddRef() override { return ComObject::AddRef(); }
    ULONG Release() override { return ComObject::Release(); }

    HRESULT GetRecorder(IUnknown** recorder) override { return Give(8, parts_[0], recorder); }
    HRESULT GetChannelSetup(IUnknown** setup) override { return Give(16, parts_[1], setup); }
    HRESULT GetDisplay(IUnknown** display) override { return Give(21, parts_[2], display); }
    HRESULT GetSamplingSettings(ISamplingSettings** settings) override {
        calls.push_back(50);
        *settings = sampling_.Get();
        sampling_->AddRef();
        return S_OK;
    }
    HRESULT GetTriggerSettings(IUnknown** settings) override {
        return Give(51, parts_[3], settings);
    }
    HRESULT GetNotebook(IUnknown** notebook) override { return Give(52, parts_[4], notebook); }
    HRESULT GetChannelGroup(LONG index, IUnknown** group) override {
        channelGroupAsked = index;
        return Give(65, parts_[5], group);
    }

    IUnknown* Unknown() { return static_cast<IHostStorage*>(this); }
    ISamplingSettings* SamplingSettings() { return sampling_.Get(); }
    IUnknown* Data() { return data_.Get(); }
    // References handed out and not yet given back.
    LONG OutstandingReferences() const {
        LONG count = sampling_->ReferenceCount() - 1;
        for (const auto& part : parts_)
            count += part->ReferenceCount() - 1;
        return count;
    }

    std::vector<int> calls;
    LONG channelGroupAsked = -1;
    int dataQueries = 0;

private:
    void* QueryInterfaceMore(REFIID iid) override {
        return childHost_ && iid == IHostChildDocument::kIid
                   ? static_cast<IHostChildDocument*>(this)
                   : nullptr;
    }
    HRESULT Give(int slot, const ComPtr<HostPart>& part, IUnknown** out) {
        calls.push_back(slot);
        *out = static_cast<IHostDisplay*>(part.Get());
        part->AddRef();
        return S_OK;
    }

    bool childHost_;
    ComPtr<session::SamplingSettings> sampling_{new session::SamplingSettings};
    ComPtr<HostData> data_{new HostData};
    ComPtr<HostPart> parts_[6] = {ComPtr<HostPart>(new HostPart), ComPtr<HostPart>(new HostPart),
                                  ComPtr<HostPart>(new HostPart), ComPtr<HostPart>(new HostPart),
                                  ComPtr<HostPart>(new HostPart), ComPtr<HostPart>(new HostPart)};
};

}  // namespace fake

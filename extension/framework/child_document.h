// VarnisChildDocument: a KYTDocument that lives beside a host document as its child. At
// construction it takes the host's child-document interface and the objects that make up the
// host document; of these the document uses the sampling settings, which name the current
// master device.
#pragma once

#include "extension/framework/document.h"
#include "host/api/child_document.h"
#include "platform/com/com_ptr.h"

class VarnisChildDocument : public KYTDocument {
public:
    ISamplingSettings* SamplingSettings() const { return samplingSettings_.Get(); }
    IHostChildDocument* ChildDocument() const { return childDocument_.Get(); }

protected:
    // Without a host document, or one that is no child-document host, nothing is asked for.
    VarnisChildDocument(IUnknown* hostDocument, ICustomDocClass* docClass);
    ~VarnisChildDocument() override;

    // Lets go of the host's child-document interface (the host document is going away).
    void ReleaseChildDocument();

private:
    ComPtr<IHostChildDocument> childDocument_;
    // Objects of the child-document interface, asked in this order at construction and
    // released in the reverse order, before the child-document interface.
    ComPtr<IUnknown> channelSetup_;               // slot 16
    ComPtr<IUnknown> notebook_;                   // slot 52
    ComPtr<ISamplingSettings> samplingSettings_;  // slot 50
    ComPtr<IUnknown> triggerSettings_;            // slot 51
    ComPtr<IUnknown> recorder_;                   // slot 8
    ComPtr<IUnknown> channelGroup_;               // slot 65, group 0
    // Kept without counts.
    IHostDisplay* display_ = nullptr;                // from the slot-21 object
    IHostRecorder* recorderPart_ = nullptr;          // from the slot-8 object
    IHostChannelSetup* channelSetupPart_ = nullptr;  // from the slot-16 object
};

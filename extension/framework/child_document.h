// VarnisChildDocument: a KYTDocument that lives beside a host document as its child. At
// construction it takes the host's child-document interface and the objects that make up the
// host document; of these the document uses the sampling settings, which name the current
// master device.
#pragma once

#include "extension/framework/document.h"
#include "host/api/child_document.h"

class VarnisChildDocument : public KYTDocument {
public:
    ISamplingSettings* SamplingSettings() const { return samplingSettings_; }
    IHostChildDocument* ChildDocument() const { return childDocument_; }

protected:
    // Without a host document, or one that is no child-document host, nothing is asked for.
    VarnisChildDocument(IUnknown* hostDocument, ICustomDocClass* docClass);
    ~VarnisChildDocument() override;

    // Lets go of the host's child-document interface (the host document is going away).
    void ReleaseChildDocument();

private:
    IHostChildDocument* childDocument_ = nullptr;  // counted
    // Counted objects of the child-document interface, asked in this order at construction.
    IUnknown* channelSetup_ = nullptr;               // slot 16
    IUnknown* notebook_ = nullptr;                   // slot 52
    ISamplingSettings* samplingSettings_ = nullptr;  // slot 50
    IUnknown* triggerSettings_ = nullptr;            // slot 51
    IUnknown* recorder_ = nullptr;                   // slot 8
    IUnknown* channelGroup_ = nullptr;               // slot 65, group 0
    // Kept without counts.
    IHostDisplay* display_ = nullptr;                // from the slot-21 object
    IHostRecorder* recorderPart_ = nullptr;          // from the slot-8 object
    IHostChannelSetup* channelSetupPart_ = nullptr;  // from the slot-16 object
};

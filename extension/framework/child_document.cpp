#include "extension/framework/child_document.h"

#include "extension/framework/query_helpers.h"

VarnisChildDocument::VarnisChildDocument(IUnknown* hostDocument, ICustomDocClass* docClass)
    : KYTDocument(hostDocument, docClass) {
    if (FAILED(QueryInterfaceAs<IHostChildDocument>(hostDocument, &childDocument_)) ||
        childDocument_ == nullptr) {
        childDocument_ = nullptr;
        return;
    }
    childDocument_->GetChannelSetup(&channelSetup_);
    childDocument_->GetNotebook(&notebook_);
    childDocument_->GetSamplingSettings(&samplingSettings_);
    childDocument_->GetTriggerSettings(&triggerSettings_);
    childDocument_->GetRecorder(&recorder_);
    childDocument_->GetChannelGroup(0, &channelGroup_);

    IUnknown* displayObject = nullptr;
    childDocument_->GetDisplay(&displayObject);
    display_ = QueryUncounted<IHostDisplay>(displayObject);
    ReleaseAndClear(displayObject);
    recorderPart_ = QueryUncounted<IHostRecorder>(recorder_);
    channelSetupPart_ = QueryUncounted<IHostChannelSetup>(channelSetup_);
}

VarnisChildDocument::~VarnisChildDocument() {
    ReleaseAndClear(channelGroup_);
    ReleaseAndClear(recorder_);
    ReleaseAndClear(triggerSettings_);
    ReleaseAndClear(samplingSettings_);
    ReleaseAndClear(notebook_);
    ReleaseAndClear(channelSetup_);
    ReleaseChildDocument();
}

void VarnisChildDocument::ReleaseChildDocument() {
    ReleaseAndClear(childDocument_);
}

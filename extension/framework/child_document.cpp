#include "extension/framework/child_document.h"

#include "extension/framework/query_helpers.h"

VarnisChildDocument::VarnisChildDocument(IUnknown* hostDocument, ICustomDocClass* docClass)
    : KYTDocument(hostDocument, docClass) {
    if (FAILED(QueryInterfaceAs<IHostChildDocument>(hostDocument, childDocument_.OutParam())) ||
        !childDocument_) {
        childDocument_.Detach();  // whatever a failed query left there holds no reference
        return;
    }
    childDocument_->GetChannelSetup(channelSetup_.OutParam());
    childDocument_->GetNotebook(notebook_.OutParam());
    childDocument_->GetSamplingSettings(samplingSettings_.OutParam());
    childDocument_->GetTriggerSettings(triggerSettings_.OutParam());
    childDocument_->GetRecorder(recorder_.OutParam());
    childDocument_->GetChannelGroup(0, channelGroup_.OutParam());

    IUnknown* displayObject = nullptr;
    childDocument_->GetDisplay(&displayObject);
    display_ = QueryUncounted<IHostDisplay>(displayObject);
    ReleaseAndClear(displayObject);
    recorderPart_ = QueryUncounted<IHostRecorder>(recorder_.Get());
    channelSetupPart_ = QueryUncounted<IHostChannelSetup>(channelSetup_.Get());
}

VarnisChildDocument::~VarnisChildDocument() {
    channelGroup_.Reset();
    recorder_.Reset();
    triggerSettings_.Reset();
    samplingSettings_.Reset();
    notebook_.Reset();
    channelSetup_.Reset();
    ReleaseChildDocument();
}

void VarnisChildDocument::ReleaseChildDocument() {
    childDocument_.Reset();
}

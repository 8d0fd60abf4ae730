#include "tests/dialog/setup_dialog_fixture.h"

#include <stdexcept>

#include "extension/document/doc_class.h"
#include "extension/services/framework_services.h"
#include "host/api/framework_ids.h"
#include "host/device/device_description_text.h"
#include "host/kyt/class_objects.h"
#include "platform/com/class_objects.h"
#include "platform/com/ole_init.h"
#include "support/string/tev_string.h"
#include "tests/helpers/framework_registration.h"

namespace dialog_test {

namespace {

template <class Interface>
ComPtr<Interface> FrameworkObject(const CLSID& clsid) {
    ComPtr<Interface> object;
    CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, Interface::kIid,
                     reinterpret_cast<void**>(object.OutParam()));
    return object;
}

}  // namespace

SetupDialogHost::SetupDialogHost(const std::string& device) {
    RegisterFramework();
    corvex_ = device::SimulatedCorvex::Create(device::ParseDeviceDescription(device));
    host_ = session::HostDocument::Create(ComPtr<IDeviceObject>(corvex_.Get()));
    const ComPtr<ICustomDocClass> docClass(new VavazaZavidi::DocClass);
    const auto observers = FrameworkObject<IObserverRegistry>(CLSID_FrameworkClassObject);
    if (host_->AddExtensionDocument(docClass.Get(), observers.Get()) != S_OK)
        throw std::runtime_error("the host refused the extension's document");
    documentObject_ = host_->Extensions().back().document;
    document_ =
        static_cast<VavazaZavidi::Doc*>(static_cast<ICustomDocument2*>(documentObject_.Get()));

    config_.LoadFromDevice(document_->MasterDevice());
    limits_.Size = TimingLimits::kSize;
    corvex_->GetTimingLimits(&limits_);
}

SetupDialogHost::~SetupDialogHost() {
    host_->Close();  // the host document and its documents hold each other
}

long SetupDialogHost::HelpRequests(std::u16string* context, std::u16string* file) {
    const auto setup = ComPtr<IHostApplicationSetup>::QueryFrom(Services::HostApplication());
    LONG count = 0;
    Tev::String gotContext;
    Tev::String gotFile;
    setup->GetHelpRequests(&count, gotContext.OutParam(), gotFile.OutParam());
    if (context != nullptr)
        *context = gotContext.View();
    if (file != nullptr)
        *file = gotFile.View();
    return count;
}

}  // namespace dialog_test

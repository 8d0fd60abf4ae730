#include "extension/document/doc.h"

#include "extension/document/message_boxes.h"
#include "extension/framework/interface_map.h"
#include "extension/framework/message_family.h"
#include "extension/framework/query_helpers.h"
#include "extension/services/module_object.h"
#include "host/api/auto_output_control.h"
#include "host/api/channel_info.h"
#include "host/api/framework_ids.h"
#include "host/api/host_storage.h"
#include "host/api/tev_string_interface.h"
#include "platform/com/com_ptr.h"
#include "platform/ui/user.h"
#include "resources/string_ids.h"
#include "support/resource/load_string.h"

namespace VavazaZavidi {

namespace {

// The master device's status item asked whenever the document picks up a device.
constexpr LONG kDeviceStatusItem = 1;

// Runs a handler at the document's host boundary: a failure is reported to the user and
// answered with `answer`, never thrown at the host.
template <class Result, class Handler>
Result ReportingFailure(Result answer, Handler handler) {
    try {
        return handler();
    } catch (const std::exception&) {
        ShowInternalError();
        return answer;
    }
}

constexpr InterfaceMapEntry kInterfaceMap[] = {
    MapInterface<Doc, ICustomDocument2>(IID_IUnknown),
    MapInterface<Doc, ICustomDocument2>(ICustomDocument::kIid),
    MapInterface<Doc, ICustomDocument2>(ICustomDocument2::kIid),
    MapInterface<Doc, IMessageHandler>(IMessageHandler::kIid),
    MapInterface<Doc, IKYTCommandHandler>(IKYTCommandHandler::kIid),
    MapInterface<Doc, IObserver>(IObserver::kIid),
    MapRefusal(kRefusedDocumentIid),
    MapBlindDelegation<Doc, &Doc::QueryInner>(),
    MapEnd(),
};

}  // namespace

const EventTable& Doc::Events() {
    static const EventTable table{
        CommandRow<Doc, &Doc::OnSetupMenu>(&ComputeMessageId<kDocumentClassId, kSetupCommandCode>),
        CommandStateRow<Doc, &Doc::UpdateSetupMenu>(
            &ComputeMessageId<kDocumentClassId, kSetupCommandCode>),
        MessageRow<Doc, &Doc::RunSetup>(
            &ComputeMessageId<kDocumentClassId, kSetupRequestMessageCode>),
        ObserverRow<Doc, &Doc::ApplyIfAvailable>(
            &ComputeMessageId<kDeviceEventFamily, kDeviceChangedEvent>),
        ObserverRow<Doc, &Doc::ApplyOrStop>(
            &ComputeMessageId<kDeviceEventFamily, kSamplingStartingEvent>),
        ObserverRow<Doc, &Doc::ApplyIfAvailable>(
            &ComputeMessageId<kSamplingEventFamily, kSamplingSettingsChangedEvent>),
        ObserverRow<Doc, &Doc::StopOutputs>(
            &ComputeMessageId<kDeviceEventFamily, kSamplingStoppedEvent>),
        ObserverRow<Doc, &Doc::WarnStimulator>(
            &ComputeMessageId<kDeviceEventFamily, kStimulatorChangedEvent>),
        MessageRow<Doc, &Doc::OnConfigText>(
            &ComputeMessageId<kDocumentClassId, kConfigTextMessageCode>),
    };
    return table;
}

Doc::Doc(IUnknown* hostDocument, ICustomDocClass* docClass)
    : VarnisChildDocument(hostDocument, docClass),
      KYTEventHandlerBase(Events()),
      KYTMessageSender(static_cast<IMessageHandler*>(this)),
      persistence_(this),
      configuration_(std::make_unique<EventConfig>()) {
    // The inner object may use the document's IUnknown while it is made.
    InternalAddRef();
    CreateInnerObject(static_cast<ICustomDocument2*>(this));
    InternalRelease();
    RefreshDevice();
}

Doc::~Doc() {
    deviceObject_.Reset();
    masterDevice_.Reset();
    configuration_.reset();
}

const InterfaceMapEntry* Doc::InterfaceMap() {
    return kInterfaceMap;
}

HRESULT Doc::Detach() {
    ReleaseChildDocument();
    ClearSendTarget();
    return S_OK;
}

HRESULT Doc::GetPersistObject(LONG flag, LONG kind, IUnknown** other, IPersistStream** persist) {
    if (other != nullptr)
        *other = nullptr;
    if (persist == nullptr)
        return E_POINTER;
    if (flag == 0 && kind == 2) {
        *persist = &persistence_;
        persistenceOffered_ = true;
        return S_OK;
    }
    *persist = nullptr;
    return S_FALSE;
}

HRESULT Doc::ExecuteCommand(MessageId id) {
    return ReportingFailure(kCommandHandled,
                            [&] { return KYTEventHandlerT<1>::ExecuteCommand(id); });
}

HRESULT Doc::UpdateCommand(MessageId id, ICommandState* state) {
    return ReportingFailure(kCommandHandled,
                            [&] { return KYTEventHandlerT<1>::UpdateCommand(id, state); });
}

HRESULT Doc::HandleCommand(MessageId id, LONG kind, std::intptr_t value1, std::intptr_t value2) {
    return ReportingFailure(kCommandHandled, [&] {
        return KYTEventHandlerT<1>::HandleCommand(id, kind, value1, value2);
    });
}

HRESULT Doc::Connect(IObserverRegistry* service) {
    return ConnectObserver(this, InnerObserver(), service);
}

HRESULT Doc::Notify(IUnknown* source, MessageId id, std::intptr_t value, std::intptr_t parameter) {
    return ReportingFailure(
        S_OK, [&] { return NotifyObserver(InnerObserver(), source, id, value, parameter); });
}

HRESULT Doc::HandleMessage(IMessage* message) {
    return ReportingFailure(kMessageHandled,
                            [&] { return KYTMessageHandler::HandleMessage(message); });
}

HRESULT Doc::HandleUnhandledMessage(IMessage* message) {
    IMessageHandler* inner = InnerMessageHandler();
    return inner != nullptr ? inner->HandleMessage(message) : kMessageNotHandled;
}

bool Doc::IsAvailable() {
    auto control = ComPtr<IAutoOutputControl>::QueryFrom(masterDevice_.Get());
    if (!control)
        return false;
    VARIANT_BOOL supported = 0;
    if (control->IsSupported(&supported) != S_OK)
        return false;
    return supported != 0;
}

bool Doc::GetDeviceName(Tev::String& name) {
    if (!deviceObject_)
        return false;
    ComPtr<IDeviceProperties> properties;
    if (FAILED(deviceObject_->GetProperties(IDeviceObject::kGeneralProperties,
                                            properties.OutParam())) ||
        !properties) {
        return false;
    }
    Tev::String read;
    const HRESULT hr = properties->GetText(IDeviceProperties::kDeviceName, read.OutParam());
    if (hr != S_OK)
        return false;
    name = read;
    return true;
}

bool Doc::IsStimulatorEnabled() {
    auto channels = ComPtr<IChannelInfo>::QueryFrom(masterDevice_.Get());
    if (!channels)
        return false;
    ComPtr<IStimulator> stimulator;
    if (FAILED(channels->GetStimulator(stimulator.OutParam())) || !stimulator)
        return false;
    VARIANT_BOOL enabled = 0;
    if (FAILED(stimulator->IsEnabled(&enabled)))
        return false;
    return enabled != 0;
}

void Doc::RefreshDevice() {
    deviceObject_.Reset();
    if (ISamplingSettings* sampling = SamplingSettings()) {
        sampling->GetCurrentDevice(deviceObject_.OutParam());
    }
    masterDevice_ = ComPtr<IMasterDevice>::QueryFrom(deviceObject_.Get());
    if (masterDevice_) {
        LONG status = 0;
        masterDevice_->QueryStatus(kDeviceStatusItem, &status);
    }
}

LONG Doc::OnConfigText(ITevString* text) {
    return ReportingFailure<LONG>(0, [&] {
        Tev::String received;
        received.Borrow(text);
        // Whatever Deserialize rebuilt is applied, also from a text that does not parse.
        EventConfig arrived;
        arrived.Deserialize(received.Narrow());
        configuration_->CopyOutputsFrom(arrived, true);
        RegisterPersistence();
        modified_ = true;
        configuration_->SendToDevice(masterDevice_.Get());
        return 1;
    });
}

void Doc::RegisterPersistence() {
    if (persistenceOffered_)
        return;
    auto service = ComPtr<IStorageService>::QueryFrom(HostStorage());
    if (!service)
        return;  // nothing holds it: it is not offered
    Tev::String streamName;
    service->OfferPersistence(InnerStorage(), 0, &persistence_, 0, 0, streamName.OutParam());
    persistenceOffered_ = true;
}

bool Doc::ApplyIfAvailable() {
    RefreshDevice();
    if (!IsAvailable())
        return false;
    return configuration_->SendToDevice(masterDevice_.Get());
}

bool Doc::AnyOutputOn() const {
    const std::int32_t count = configuration_->GetCount();
    for (std::int32_t i = 0; i < count; ++i) {
        if (configuration_->Settings(i).On)
            return true;
    }
    return false;
}

void Doc::ApplyOrStop() {
    auto control = ComPtr<IAutoOutputControl>::QueryFrom(masterDevice_.Get());
    if (!control)
        return;
    if (AnyOutputOn()) {
        configuration_->SendToDevice(masterDevice_.Get());
    } else {
        control->ResetOutputs();
    }
}

void Doc::StopOutputs() {
    if (auto control = ComPtr<IAutoOutputControl>::QueryFrom(masterDevice_.Get())) {
        control->ResetOutputs();
    }
}

void Doc::WarnStimulator(BYTE flag) {
    if (flag == 0)
        return;
    if (!ComPtr<IAutoOutputControl>::QueryFrom(masterDevice_.Get()))
        return;
    bool analogOn = false;
    for (const OutputRecord& record : configuration_->GetOutputs()) {
        if (record.Output > 0 && record.Settings.On) {
            analogOn = true;
            break;
        }
    }
    if (!analogOn || !IsStimulatorEnabled())
        return;
    const HINSTANCE module = Services::ModuleInstance();
    ShowHostMessage(Tev::LoadString(module, StringId::kStimulatorWarning),
                    Tev::LoadString(module, StringId::kStimulatorWarningCaption),
                    MB_ICONINFORMATION);
}

}  // namespace VavazaZavidi

// The setup command: the "Tarvel..." menu item's state, choosing it, and the command proper,
// which runs when the setup request comes back to the document. The command works on a copy
// shaped by the current device; the document's own configuration changes only when the
// configuration text message it sends comes back (OnConfigText). Here too: what the setup
// dialog asks of the document (SetupDocument).
#include <memory>
#include <string>

#include "config/event_config.h"
#include "dialog/detector_dialog.h"
#include "extension/document/doc.h"
#include "extension/document/message_boxes.h"
#include "extension/framework/message_family.h"
#include "extension/services/framework_services.h"
#include "extension/services/module_object.h"
#include "host/api/auto_output_control.h"
#include "host/api/channel_info.h"
#include "host/api/host_state.h"
#include "host/api/timing_limits.h"
#include "platform/com/com_ptr.h"
#include "platform/ui/owl/window.h"
#include "platform/ui/user.h"
#include "resources/string_ids.h"
#include "support/format/format_stream.h"
#include "support/format/word_wrap.h"
#include "support/resource/load_string.h"
#include "support/string/tev_string.h"

namespace VavazaZavidi {

namespace {

constexpr int kDeviceMessageWrapWidth = 64;
constexpr int kSamplingMessageWrapWidth = 70;
constexpr UINT kRefusalFlags = MB_ICONERROR | MB_TASKMODAL;

// Check state: value and mask of the menu item's check mark.
constexpr LONG kChecked = 1;
constexpr LONG kUnchecked = 0;
constexpr LONG kCheckMask = 3;

// The request's send flag, and the bit of a handled message's flags that asks the
// configuration text to go out without the send flag.
constexpr DWORD kRequestSendFlag = 4;
constexpr DWORD kQuietRequestBit = 1;
constexpr DWORD kConfigTextSendFlag = 1;

// Strings shown by the command, read raw once per process and kept.
const Tev::String& RawProcessString(UINT id) {
    static const Tev::String deviceNotSuitable =
        Tev::LoadResourceText(Services::ModuleInstance(), StringId::kDeviceNotSuitable);
    static const Tev::String deviceNotSuitableCaption =
        Tev::LoadResourceText(Services::ModuleInstance(), StringId::kDeviceNotSuitableCaption);
    return id == StringId::kDeviceNotSuitable ? deviceNotSuitable : deviceNotSuitableCaption;
}

bool HostSaysSampling(IMasterDevice* device) {
    VARIANT_BOOL sampling = 0;
    device->IsSampling(&sampling);
    return sampling != 0;
}

// The host state service's flag: set while the host's state forbids extension commands.
bool CommandsBlocked() {
    const auto state =
        ComPtr<IHostStateService>::Adopt(Services::CreateFrameworkObject<IHostStateService>(
            ComputeMessageId<kSamplingEventFamily, 0>()));
    if (!state)
        return false;
    VARIANT_BOOL blocked = 0;
    state->GetCommandsBlocked(&blocked);
    return blocked != 0;
}

}  // namespace

std::unique_ptr<EventConfig> Doc::MakeWorkingCopy() {
    auto copy = std::make_unique<EventConfig>();
    copy->LoadFromDevice(masterDevice_.Get());
    copy->CopyOutputsFrom(*configuration_, false);
    return copy;
}

void Doc::UpdateSetupMenu(ICommandState* commandUI) {
    if (commandUI == nullptr)
        return;
    if (CommandsBlocked()) {
        commandUI->Enable(0);
        commandUI->SetCheck(kUnchecked, kCheckMask);
        return;
    }
    if (!IsAvailable()) {
        commandUI->Enable(-1);
        commandUI->SetCheck(kUnchecked, kCheckMask);
        return;
    }
    commandUI->Enable(-1);
    // The copy holds exactly the device's outputs: one the device lacks does not count.
    const auto copy = MakeWorkingCopy();
    bool anyOn = false;
    for (std::int32_t i = 0; i < copy->GetCount(); ++i)
        anyOn = anyOn || copy->Settings(i).On;
    commandUI->SetCheck(anyOn ? kChecked : kUnchecked, kCheckMask);
}

HRESULT Doc::OnSetupMenu() {
    const MessageDescription request{ComputeMessageId<kDocumentClassId, kSetupRequestMessageCode>(),
                                     0, MessageArg{}};
    return SendMessage(SendTarget(), request, kRequestSendFlag);
}

// Message 223: the device cannot be set up, named (or "none") in the text.
void Doc::RefuseUnsuitableDevice() {
    Tev::String name;
    GetDeviceName(name);
    if (name.IsEmpty())
        name = Tev::LoadResourceText(Services::ModuleInstance(), StringId::kNoDeviceName);
    Tev::OFormatStringStream format(RawProcessString(StringId::kDeviceNotSuitable));
    format << name;
    Tev::String text = format.str();
    Tev::WordWrap(text, kDeviceMessageWrapWidth);
    ShowHostMessage(text, RawProcessString(StringId::kDeviceNotSuitableCaption), kRefusalFlags);
}

LONG Doc::RunSetup() {
    if (!IsAvailable()) {
        RefuseUnsuitableDevice();
        return 1;
    }

    // A device without outputs has nothing to set up: a dialog without tabs would edit an
    // output that does not exist.
    const auto copy = MakeWorkingCopy();
    if (copy->GetCount() == 0) {
        RefuseUnsuitableDevice();
        return 1;
    }
    ComPtr<IMasterDevice> device(masterDevice_);
    if (!device)
        return 1;
    auto control = ComPtr<IAutoOutputControl>::QueryFrom(device.Get());
    if (!control)
        return 1;

    VARIANT_BOOL allowedWhileSampling = 0;
    control->IsAllowedWhileSampling(&allowedWhileSampling);
    if (HostSaysSampling(device.Get()) && allowedWhileSampling == 0) {
        Tev::String text = ProcessString(StringId::kSamplingRefusal);
        Tev::WordWrap(text, kSamplingMessageWrapWidth);
        ShowHostMessage(text, ProcessString(StringId::kSamplingRefusalCaption), kRefusalFlags);
        return 1;
    }

    TimingLimits limits{};
    limits.Size = TimingLimits::kSize;
    if (control->GetTimingLimits(&limits) != S_OK)
        return 1;

    {
        // The host's main window, wrapped for the toolkit, owns the dialog.
        std::unique_ptr<owl::TWindow> parent;
        if (HWND mainWindow = HostMainWindow())
            parent = std::make_unique<owl::TWindow>(mainWindow);
        DetectorDialog dialog(parent.get(), limits, *copy, this);
        if (dialog.Execute() != IDOK)
            return 1;
        // The dialog's copy holds the outputs and the three counts the user ended with.
        *copy = dialog.GetConfig();
    }

    std::string narrow;
    copy->Serialize(narrow);
    const Tev::String text(narrow);
    const DWORD sendFlag = (StateWord() & kQuietRequestBit) == 0 ? kConfigTextSendFlag : 0;
    const MessageDescription message{ComputeMessageId<kDocumentClassId, kConfigTextMessageCode>(),
                                     0, MessageArg{MessageArg::kString, text.Interface()}};
    SendMessage(SendTarget(), message, sendFlag);

    if (!HostSaysSampling(device.Get()))
        control->ResetOutputs();
    return 1;
}

bool Doc::GetInputDescription(std::int32_t input, Tev::String& description) {
    if (MasterDevice() == nullptr)
        return false;
    ComPtr<IChannelInfo> channels;
    if (FAILED(MasterDevice()->QueryInterface(IChannelInfo::kIid,
                                              reinterpret_cast<void**>(channels.OutParam()))) ||
        channels.Get() == nullptr) {
        return false;
    }
    Tev::String text;
    if (FAILED(
            channels->GetChannelDescription(IChannelInfo::kInputChannel, input, text.OutParam()))) {
        return false;
    }
    description = text;
    return true;
}

void Doc::ShowHelp(const Tev::String& context, const Tev::String& file) {
    IHostApplication* help = nullptr;
    try {
        help = Services::HostApplication();
    } catch (const std::exception&) {
        help = nullptr;  // no framework: no help to show
    }
    if (help != nullptr)
        help->ShowHelp(context.Interface(), file.Interface());
}

}  // namespace VavazaZavidi

// A setup dialog as the setup command opens it: a document of the extension beside a host
// document of the simulated host, whose master device is a simulated Corvex, with the
// framework library's objects registered in COM as the framework; the configuration copy
// shaped by the device (one default rule per output).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "config/event_config.h"
#include "dialog/detector_dialog.h"
#include "extension/document/doc.h"
#include "host/api/framework_host.h"
#include "host/api/timing_limits.h"
#include "host/device/simulated_corvex.h"
#include "host/session/host_document.h"
#include "platform/com/com_ptr.h"
#include "platform/ui/scripted_user.h"

namespace dialog_test {

class SetupDialogHost {
public:
    // A host document whose master device is described by `device` (the description syntax of
    // the host's --device option).
    explicit SetupDialogHost(const std::string& device);
    ~SetupDialogHost();
    SetupDialogHost(const SetupDialogHost&) = delete;
    SetupDialogHost& operator=(const SetupDialogHost&) = delete;

    VavazaZavidi::Doc& Document() { return *document_; }
    device::SimulatedCorvex& Device() { return *corvex_.Get(); }
    // The configuration the setup command would hand to the dialog, and the device's limits.
    VavazaZavidi::EventConfig& Config() { return config_; }
    const TimingLimits& Limits() const { return limits_; }

    // The help requests the host application received so far, and the last one's texts.
    long HelpRequests(std::u16string* context = nullptr, std::u16string* file = nullptr);

private:
    ComPtr<device::SimulatedCorvex> corvex_;
    ComPtr<session::HostDocument> host_;
    ComPtr<ICustomDocument> documentObject_;
    VavazaZavidi::Doc* document_ = nullptr;
    VavazaZavidi::EventConfig config_;
    TimingLimits limits_{};
};

}  // namespace dialog_test

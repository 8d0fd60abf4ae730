#include "host/ostrel/ostrel_host.h"

#include <stdexcept>

#include "host/api/framework_host.h"
#include "host/api/tev_string_interface.h"
#include "host/device/device_description_text.h"
#include "host/files/file_error.h"
#include "host/inspect/tarvel_formats.h"
#include "host/ostrel/stored_text.h"
#include "host/session/document_file.h"
#include "platform/stream/memory_stream.h"
#include "platform/text/utf.h"
#include "platform/ui/driver.h"
#include "support/string/tev_string.h"

namespace ostrel {

namespace {

std::string Narrow(std::u16string_view text) {
    return text::ToUtf8(text);
}

// "1 input", "8 inputs".
std::string Counted(std::int64_t count, const std::string& one) {
    return std::to_string(count) + " " + one + (count == 1 ? "" : "s");
}

// "10 V"; a range without a unit says so rather than leaving a gap.
std::string RangeText(const device::InputRange& range) {
    return range.Range + (range.Unit.empty() ? " (no unit)" : " " + range.Unit);
}

}  // namespace

// The user at ostrel's screen: every message box is printed; with a real display the person
// there answers it and acts in the dialogs, else a message box takes its default button and
// a dialog that opens is cancelled.
class OstrelHost::MessageBoxPrinter final : public ui::Driver {
public:
    MessageBoxPrinter(std::ostream& out, ui::Driver* screen)
        : out_(out), screen_(screen), previous_(ui::InstallDriver(this)) {}
    ~MessageBoxPrinter() override { ui::InstallDriver(previous_); }

    void RunModal(HWND dialog) override {
        if (screen_ != nullptr) {
            ++open_;
            struct Closed {
                int& open;
                ~Closed() { --open; }
            } closed{open_};
            screen_->RunModal(dialog);
        } else {
            ++dialogs_;  // no screen: counted and left to end with Cancel
        }
    }
    int ShowMessageBox(const ui::MessageBoxRequest& request) override {
        // A box that no dialog raised is the command's own: a refusal.
        if (open_ == 0)
            ++refusals_;
        out_ << "[message box] " << Narrow(request.caption) << ": ";
        for (char c : Narrow(request.text)) {
            out_ << c;
            if (c == '\n')
                out_ << "    ";
        }
        out_ << "\n";
        return screen_ != nullptr ? screen_->ShowMessageBox(request)
                                  : ui::DefaultMessageBoxAnswer(request.flags);
    }

    int Dialogs() const { return dialogs_; }
    int Refusals() const { return refusals_; }

private:
    std::ostream& out_;
    ui::Driver* screen_;
    ui::Driver* previous_;
    int dialogs_ = 0;
    int open_ = 0;  // dialogs shown on the screen now
    int refusals_ = 0;
};

namespace {

// The extension module as the process's session loaded it.
session::ExtensionModule* g_module = nullptr;
// Where the session loads its libraries from; empty: the executable's folder.
std::filesystem::path g_folder;

}  // namespace

session::HostSession& OstrelHost::ProcessSession() {
    static std::unique_ptr<session::HostSession> session;
    if (!session) {
        const std::filesystem::path folder =
            g_folder.empty() ? session::HostSession::ExecutableFolder() : g_folder;
        auto started = std::make_unique<session::HostSession>(folder);
        g_module = &started->LoadExtension(folder / kExtensionModuleName);
        session = std::move(started);
    }
    return *session;
}

void OstrelHost::UseFolder(const std::filesystem::path& folder) {
    g_folder = folder;
}

OstrelHost::OstrelHost(const device::DeviceDescription& device, std::ostream& messages,
                       ui::Driver* screen)
    : printer_(std::make_unique<MessageBoxPrinter>(messages, screen)) {
    session_ = &ProcessSession();
    module_ = g_module;
    device_ = device::SimulatedCorvex::Create(device);
    document_ = session_->OpenDocument(ComPtr<IDeviceObject>(device_.Get()));
    if (document_->Extensions().empty()) {
        throw std::runtime_error(std::string(kExtensionModuleName) +
                                 " registered no document class");
    }
}

OstrelHost::~OstrelHost() {
    if (document_)
        session_->CloseDocument(*document_.Get());
    document_.Reset();
    device_.Reset();
}

ICustomDocument* OstrelHost::Extension() {
    return document_->Extensions().front().document.Get();
}

HRESULT OstrelHost::SendConfigurationText(const std::string& text) {
    const Tev::String wide(text);
    const MessageArg argument{MessageArg::kString, wide.Interface()};
    const MessageId id = MakeMessageId(session_->Family(inspect::kTarvelDocumentClass),
                                       inspect::kConfigurationTextCode);
    return session_->SendMessage(Extension(), id, 0, argument);
}

std::string OstrelHost::DocumentText() {
    IPersistStream* persist = document_->PersistenceOf(0);
    if (persist == nullptr)
        return {};
    ComPtr<MemoryStream> stream = MemoryStream::Create();
    if (persist->Save(stream.Get(), FALSE) != S_OK)
        return {};
    stream->Seek(MakeLargeInteger(0), STREAM_SEEK_SET, nullptr);
    return inspect::ConfigurationTextOfStream(stream.Get());
}

bool OstrelHost::Modified() {
    IPersistStream* persist = document_->PersistenceOf(0);
    return persist != nullptr && persist->IsDirty() == S_OK;
}

bool OstrelHost::PersistenceOffered() {
    return document_->Extensions().front().offered != nullptr;
}

HRESULT OstrelHost::Save(const std::string& path) {
    session::DocumentContents contents;
    const HRESULT result = document_->SaveExtensions(contents.Streams);
    if (result != S_OK)
        return result;
    contents.Host.Device = device::FormatDeviceDescription(device_->Description());
    const bool opened = opened_ && path == openedPath_;
    session::SaveDocumentFile(path, contents, opened ? &*opened_ : nullptr);
    if (opened) {
        try {
            opened_ = files::StateOf(path);
        } catch (const files::FileError&) {
            opened_.reset();  // saved where it cannot be read back: nothing left to compare
        }
    }
    return S_OK;
}

void OstrelHost::NewDocument(const std::string& path) {
    openedPath_ = path;
    opened_ = files::StateOf(path);
}

DocumentFile ReadDocument(const std::string& path) {
    DocumentFile file{path, {}, {}};
    file.Contents = session::LoadDocumentFile(path, &file.State);
    return file;
}

HRESULT OstrelHost::Open(const DocumentFile& file, std::ostream& notes) {
    const std::vector<session::ExtensionStream>& streams = file.Contents.Streams;
    openedPath_ = file.Path;
    opened_ = file.State;
    storedTextProblem_.clear();
    if (const std::optional<std::string> text = StoredConfigurationText(streams)) {
        const inspect::CheckedText checked = inspect::CheckConfigurationText(*text);
        if (checked.read && !checked.problem.empty())
            storedTextProblem_ = checked.problem;
    }
    std::vector<CLSID> unclaimed;
    const HRESULT result = document_->LoadExtensions(streams, unclaimed);
    for (const CLSID& classId : unclaimed) {
        notes << "ostrel: no extension document takes the stream of " << GuidToString(classId)
              << "; it is left out\n";
    }
    return result;
}

int OstrelHost::DialogsWithoutScreen() const {
    return printer_->Dialogs();
}

int OstrelHost::RefusalsShown() const {
    return printer_->Refusals();
}

void OstrelHost::PrintHelpRequests(std::ostream& out) {
    const auto setup = ComPtr<IHostApplicationSetup>::QueryFrom(session_->Application());
    LONG count = 0;
    Tev::String topic;
    Tev::String file;
    if (!setup || setup->GetHelpRequests(&count, topic.OutParam(), file.OutParam()) != S_OK ||
        count == 0) {
        return;
    }
    out << "Help asked for: topic " << Narrow(topic.View()) << " of " << Narrow(file.View()) << " ("
        << (count == 1 ? std::string("once") : std::to_string(count) + " times")
        << "; ostrel shows no help)\n";
}

void OstrelHost::PrintSetup(std::ostream& out) {
    const device::DeviceDescription& device = device_->Description();
    out << "Simulated Corvex \"" << device.Name << "\": " << Counted(device.Inputs, "input")
        << " of " << RangeText(device.Range);
    for (const auto& [input, range] : device.InputRanges)
        out << " (input " << input + 1 << ": " << RangeText(range) << ")";
    out << ", " << Counted(device.AnalogOutputs, "analog output") << ", digital outputs ";
    for (std::size_t i = 0; i < device.DigitalGroups.size(); ++i) {
        out << (i > 0 ? "+" : "") << device.DigitalGroups[i];
    }
    if (device.DigitalGroups.empty())
        out << "none";
    out << "\n";
    out << "Extension: " << kExtensionModuleName << " ("
        << Narrow(module_->VersionKey(u"InternalName")) << " "
        << Narrow(module_->VersionKey(u"ExtVersion")) << ")";
    for (const session::MenuItem& item : session_->MenuItems()) {
        out << ", menu command \"" << Narrow(item.text) << "\" at " << Narrow(item.path);
    }
    out << "\n";
}

void OstrelHost::PrintState(std::ostream& out) {
    out << "Document: " << (Modified() ? "modified" : "not modified") << ", persistence "
        << (PersistenceOffered() ? "held by the host" : "not offered to the host") << "\n";
}

}  // namespace ostrel

// What ostrel's document commands share: the process's host session with the extension module
// loaded from ostrel's folder (started by the first command, ended when the process ends),
// one host document whose master device is a simulated Corvex, and the extension document
// beside it. Message boxes that come up are printed and answered with their default button.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "host/device/simulated_corvex.h"
#include "host/files/file_state.h"
#include "host/session/document_host_part.h"
#include "host/session/host_session.h"
#include "platform/ui/driver.h"

namespace ostrel {

// The extension module ostrel loads, beside its executable.
inline constexpr char kExtensionModuleName[] = "libtarvel.so";

// A document file as read, before it is opened on a device: what it holds and what the file
// was then.
struct DocumentFile {
    std::string Path;
    session::DocumentContents Contents;
    files::FileState State;
};

// Reads the document file `path`; throws session::DocumentFileError for a file that cannot be
// read or is not an Ostrel document.
DocumentFile ReadDocument(const std::string& path);

class OstrelHost {
public:
    // Throws std::runtime_error when the framework or the extension cannot be loaded, or the
    // extension registers no document class.
    // Message boxes are printed to `messages`; with a `screen` (a person at a real display)
    // dialogs and message boxes are shown there too, else a dialog is counted and cancelled.
    OstrelHost(const device::DeviceDescription& device, std::ostream& messages,
               ui::Driver* screen = nullptr);
    ~OstrelHost();
    OstrelHost(const OstrelHost&) = delete;
    OstrelHost& operator=(const OstrelHost&) = delete;

    session::HostSession& Session() { return *session_; }
    // The process's session, started on first use.
    static session::HostSession& ProcessSession();
    // The folder the process's session loads libKyt.so and the extension module from: the
    // executable's, unless a program that embeds the host (the Python module) names another
    // before the session starts.
    static void UseFolder(const std::filesystem::path& folder);
    session::HostDocument& Document() { return *document_.Get(); }
    device::SimulatedCorvex& Device() { return *device_.Get(); }
    session::ExtensionModule& Module() { return *module_; }
    // The extension's document beside the host document.
    ICustomDocument* Extension();

    // Sends `text` to the extension document as the configuration text message; returns the
    // dispatch result.
    HRESULT SendConfigurationText(const std::string& text);
    // The configuration text the extension document holds (what it would save).
    std::string DocumentText();
    bool Modified();
    bool PersistenceOffered();

    // Saves the document's extension streams, and in the host's part the device it is on, into
    // `path`; S_OK, or the failing Save's result. When the document was opened from `path`
    // (Open, NewDocument), only while the file is still the one opened: else it is saved
    // beside it and session::DocumentChangedError says where.
    HRESULT Save(const std::string& path);
    // Loads the extensions' streams of `file` into the document; S_OK, or the failing Load's
    // result. Streams that no extension document takes are named on `notes`.
    HRESULT Open(const DocumentFile& file, std::ostream& notes);
    // Takes the document as a new one for `path`, where there is no file yet.
    void NewDocument(const std::string& path);
    // Why the configuration text stored in the file opened is not one this Tarvel reads (it
    // then opened as empty), e.g. "version 2 is newer than this Tarvel reads; nothing was
    // read"; empty when it reads.
    const std::string& StoredTextProblem() const { return storedTextProblem_; }

    // Modal dialogs that came up while ostrel had no screen to show them on (each was
    // cancelled at once), and the message boxes printed so far that no dialog raised (a
    // validation message in the dialog is none of them).
    int DialogsWithoutScreen() const;
    int RefusalsShown() const;

    // The help the extension asked the host to show (a line, when it asked; ostrel shows none).
    void PrintHelpRequests(std::ostream& out);
    // A line about the device, the module and the menu, for the commands' output.
    void PrintSetup(std::ostream& out);
    // The document's state: modified or not, persistence offered or not.
    void PrintState(std::ostream& out);

private:
    class MessageBoxPrinter;

    std::unique_ptr<MessageBoxPrinter> printer_;
    session::HostSession* session_ = nullptr;
    session::ExtensionModule* module_ = nullptr;
    ComPtr<device::SimulatedCorvex> device_;
    ComPtr<session::HostDocument> document_;
    // The file the document was opened from (or made for), and what it was then.
    std::string openedPath_;
    std::optional<files::FileState> opened_;
    std::string storedTextProblem_;
};

}  // namespace ostrel

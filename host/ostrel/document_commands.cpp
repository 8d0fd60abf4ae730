#include "host/ostrel/document_commands.h"

#include <vector>

#include <filesystem>

#include <stdexcept>

#include "host/device/device_description_text.h"
#include "host/files/file_identity.h"
#include "host/files/output_file.h"
#include "host/ostrel/block_table.h"
#include "host/ostrel/file_text.h"
#include "host/ostrel/hresult_text.h"
#include "host/ostrel/ostrel_host.h"
#include "host/ostrel/programming_report.h"
#include "host/ostrel/rule_warnings.h"
#include "host/ostrel/stored_text.h"
#include "host/session/document_file.h"
#include "platform/screen/screen_user.h"
#include "platform/text/utf.h"

namespace ostrel {

namespace {

void PrintText(const std::string& text, std::ostream& out) {
    out << "Configuration text held by the document:\n";
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        out << "  " << text.substr(start, end - start) << "\n";
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
}

void PrintBlocks(const std::vector<device::BlockBytes>& blocks, bool hex, std::ostream& out) {
    out << "Device: " << blocks.size()
        << (blocks.size() == 1 ? " command block" : " command blocks") << " of "
        << sizeof(OutputCommandBlock) << " bytes\n";
    if (blocks.empty())
        return;
    out << "\n";
    if (hex) {
        for (const device::BlockBytes& block : blocks)
            out << FormatBlockHex(block) << "\n";
    } else {
        out << FormatBlockTable(blocks);
    }
}

// The device named by the options; nothing (exit code 2) with the reason on `err`.
std::optional<DocumentDevice> ReadDevice(const DocumentOptions& options, std::ostream& err) {
    try {
        return GivenDevice(options.Device);
    } catch (const device::DeviceDescriptionError& error) {
        err << "ostrel: bad device description: " << error.what() << "\n";
        return std::nullopt;
    }
}

}  // namespace

int ApplyConfigurationText(const std::string& text, const device::DeviceDescription& device,
                           bool hex, std::ostream& out, std::ostream& err) {
    OstrelHost host(device, out);
    host.PrintSetup(out);
    host.SendConfigurationText(text);
    out << "Configuration text message sent to the document\n";
    return PrintOutcome(host, hex, out, err);
}

int PrintOutcome(OstrelHost& host, bool hex, std::ostream& out, std::ostream& err) {
    host.PrintState(out);
    PrintText(host.DocumentText(), out);
    PrintBlocks(host.Device().ProgrammedBlocks(), hex, out);
    return ReportProgramming(host.Device(), out, err) ? 0 : 1;
}

int RunApply(const std::string& configPath, const DocumentOptions& options, std::ostream& out,
             std::ostream& err) {
    const std::optional<DocumentDevice> given = ReadDevice(options, err);
    if (!given)
        return 2;
    const device::DeviceDescription& device = given->Device;
    int code = 0;
    const std::optional<std::string> text = ReadConfigurationToApply(configPath, err, code);
    if (!text)
        return code;
    if (!ReportRuleWarnings(*text, device, nullptr, options.Strict, err))
        return 1;
    return ApplyConfigurationText(*text, device, options.Hex, out, err);
}

int RunSave(const std::string& configPath, const std::string& documentPath,
            const DocumentOptions& options, std::ostream& out, std::ostream& err) {
    const std::optional<DocumentDevice> given = ReadDevice(options, err);
    if (!given)
        return 2;
    const device::DeviceDescription& device = given->Device;
    int code = 0;
    const std::optional<std::string> text = ReadConfigurationToApply(configPath, err, code);
    if (!text) {
        err << "ostrel: " << documentPath << " was not written\n";
        return code;
    }
    // A document written to standard output gets it to itself: the status goes with the
    // errors.
    std::ostream& status = files::IsStandardOutput(documentPath) ? err : out;
    ReportRuleWarnings(*text, device, nullptr, false, err);
    OstrelHost host(device, status);
    host.SendConfigurationText(*text);
    host.PrintState(status);
    // The document is saved also when the device refused a block: the file keeps what the
    // user asked for, and the exit code tells that the device does not run it.
    const bool programmed = ReportProgramming(host.Device(), status, err);
    HRESULT result = S_OK;
    try {
        result = host.Save(documentPath);
    } catch (const session::DocumentFileError& error) {
        err << "ostrel: " << error.what() << "\n";
        return 2;
    }
    if (result != S_OK) {
        err << "ostrel: the extension could not save its part of the document: "
            << DescribeHResult(result) << "\n"
            << "ostrel: " << documentPath << " was not written\n";
        return 1;
    }
    status << "Saved " << documentPath << "\n";
    host.PrintState(status);
    return programmed ? 0 : 1;
}

std::optional<DocumentOnDevice> ReadDocumentOnDevice(const std::string& path,
                                                     const std::optional<std::string>& given,
                                                     std::ostream& out, std::ostream& err) {
    try {
        DocumentFile file = ReadDocument(path);
        DocumentDevice device = DeviceForDocument(given, file.Contents.Host, path);
        out << device.Line << "\n";
        return DocumentOnDevice{std::move(file), std::move(device)};
    } catch (const session::DocumentFileError& error) {
        err << "ostrel: " << error.what() << "\n";
    } catch (const device::DeviceDescriptionError& error) {
        err << "ostrel: bad device description: " << error.what() << "\n";
    } catch (const DocumentDeviceError& error) {
        err << "ostrel: " << error.what() << "\n";
    }
    return std::nullopt;
}

bool WarnAboutRules(const DocumentOnDevice& document, bool strict, std::ostream& err) {
    const std::optional<device::DeviceDescription>& madeOn = document.Device.MadeOnAnother;
    return ReportRuleWarnings(StoredConfigurationText(document.File.Contents.Streams).value_or(""),
                              document.Device.Device, madeOn ? &*madeOn : nullptr, strict, err);
}

int OpenDocumentFile(OstrelHost& host, const DocumentFile& file, std::ostream& out,
                     std::ostream& err) {
    const HRESULT result = host.Open(file, err);
    if (result != S_OK) {
        err << "ostrel: the extension could not load its part of " << file.Path << ": "
            << DescribeHResult(result) << "\n";
        return 1;
    }
    out << "Opened " << file.Path << "\n";
    if (!host.StoredTextProblem().empty())
        err << "ostrel: the configuration text stored in " << file.Path
            << " is not one this Tarvel reads (" << host.StoredTextProblem()
            << "): the document opened as empty\n";
    return 0;
}

int RunOpen(const std::string& documentPath, const DocumentOptions& options, std::ostream& out,
            std::ostream& err) {
    const std::optional<DocumentOnDevice> document =
        ReadDocumentOnDevice(documentPath, options.Device, out, err);
    if (!document)
        return 2;
    WarnAboutRules(*document, false, err);
    OstrelHost host(document->Device.Device, out);
    host.Device().ClearRecord();
    if (const int code = OpenDocumentFile(host, document->File, out, err); code != 0)
        return code;
    host.PrintState(out);
    PrintText(host.DocumentText(), out);
    PrintBlocks(host.Device().ProgrammedBlocks(), options.Hex, out);
    return ReportProgramming(host.Device(), out, err) ? 0 : 1;
}

int RunSetupCommand(const std::string& documentPath, const DocumentOptions& options,
                    std::ostream& out, std::ostream& err) {
    // Whatever the person does in the dialog must have somewhere to go.
    try {
        files::CheckWritable(documentPath);
    } catch (const files::FileError& error) {
        err << "ostrel: " << error.what() << "\n";
        return 2;
    }
    std::error_code noFile;
    std::optional<DocumentOnDevice> document;
    device::DeviceDescription device;
    if (std::filesystem::exists(documentPath, noFile)) {
        document = ReadDocumentOnDevice(documentPath, options.Device, out, err);
        if (!document)
            return 2;
        WarnAboutRules(*document, false, err);
        device = document->Device.Device;
    } else if (const std::optional<DocumentDevice> given = ReadDevice(options, err)) {
        out << given->Line << "\n";
        device = given->Device;
    } else {
        return 2;
    }
    // The person at the display, when there is one, answers the message boxes and the dialog.
    std::string noDisplay;
    const std::unique_ptr<screen::ScreenUser> person = screen::ScreenUser::IfDisplay(noDisplay);
    OstrelHost host(device, out, person.get());
    if (document) {
        if (const int code = OpenDocumentFile(host, document->File, out, err); code != 0)
            return code;
        if (!host.StoredTextProblem().empty()) {
            err << "ostrel: setup would replace the configuration text stored in " << documentPath
                << ", which this Tarvel does not read; nothing was changed\n";
            return 1;
        }
    } else {
        host.NewDocument(documentPath);
        out << "New document " << documentPath << "\n";
    }

    const std::vector<session::MenuItem> items = host.Session().MenuItems();
    if (items.empty()) {
        err << "ostrel: the extension offers no menu command\n";
        return 2;
    }
    const session::MenuItem& item = items.front();
    const session::MenuItemState state = host.Session().QueryMenuItem(item, host.Extension());
    out << "Menu item \"" << text::ToUtf8(item.text) << "\" at " << text::ToUtf8(item.path) << ": "
        << (state.enabled ? "enabled" : "greyed") << ", "
        << (state.checked ? "checked" : "not checked") << "\n";
    if (!state.enabled) {
        err << "ostrel: the menu item is greyed; nothing was changed\n";
        return 1;
    }

    host.Session().ChooseMenuItem(item, host.Extension());
    host.PrintHelpRequests(out);
    if (person && !person->Problem().empty()) {
        err << "ostrel: the setup dialog cannot be shown: " << person->Problem()
            << "; nothing was changed\n";
        return 2;
    }
    if (host.DialogsWithoutScreen() > 0) {
        err << "ostrel: the setup dialog cannot be shown: " << noDisplay
            << "; nothing was changed\n";
        return 2;
    }
    if (!host.Modified()) {
        err << "ostrel: " << (host.RefusalsShown() > 0 ? "the command refused" : "cancelled")
            << "; " << documentPath << " was not written\n";
        return 1;
    }
    try {
        const HRESULT result = host.Save(documentPath);
        if (result != S_OK) {
            err << "ostrel: the extension could not save its part of the document: "
                << DescribeHResult(result) << "\n"
                << "ostrel: " << documentPath << " was not written\n";
            return 1;
        }
    } catch (const std::exception& error) {
        err << "ostrel: " << error.what() << "\n";
        return 2;
    }
    out << "Saved " << documentPath << "\n";
    host.PrintState(out);
    return 0;
}

}  // namespace ostrel

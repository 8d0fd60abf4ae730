// ostrel's commands on a document: apply a configuration text, save a document file, open
// one. Each loads the extension module into a host with a simulated Corvex, as `demo` does.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "host/device/device_description.h"
#include "host/ostrel/document_device.h"
#include "host/ostrel/ostrel_host.h"

namespace ostrel {

struct DocumentOptions {
    // A device description text (empty: the demonstration device); when none is given, a
    // document's own device or the demonstration device.
    std::optional<std::string> Device;
    bool Hex = false;     // print the command blocks as hex instead of a table
    bool Strict = false;  // a rule whose meaning the device changes is an error (apply)
};

// A document file read, and the device it is to be opened on.
struct DocumentOnDevice {
    DocumentFile File;
    DocumentDevice Device;
};

// Reads the document file `path` and chooses its device (document_device.h), printing the
// choice on `out`; nothing, with the reason on `err`, when the file cannot be read, is no
// Ostrel document, or `given` or the device the file records does not read (exit code 2).
std::optional<DocumentOnDevice> ReadDocumentOnDevice(const std::string& path,
                                                     const std::optional<std::string>& given,
                                                     std::ostream& out, std::ostream& err);

// Prints the warnings about the rules of the configuration text `document` stores on its
// device (rule_warnings.h); false when `strict` makes them errors.
bool WarnAboutRules(const DocumentOnDevice& document, bool strict, std::ostream& err);

// Sends `text` to a new document as the configuration text message and prints the device and
// the extension, the text the document then holds, its state and the command blocks the device
// received. Returns the exit code.
int ApplyConfigurationText(const std::string& text, const device::DeviceDescription& device,
                           bool hex, std::ostream& out, std::ostream& err);

// Prints the document's state, the configuration text it holds, the command blocks the device
// received and how programming went. Returns the exit code: 1 when the device refused a block.
int PrintOutcome(OstrelHost& host, bool hex, std::ostream& out, std::ostream& err);

// Opens the document file read into the host's document and says so on `out`. Returns 0, or
// 1 with the reason on `err` when the extension's Load did not answer S_OK.
int OpenDocumentFile(OstrelHost& host, const DocumentFile& file, std::ostream& out,
                     std::ostream& err);

// `ostrel apply CONFIG`: ApplyConfigurationText with the file's text. Exit 2 when the file or
// the device description cannot be read, 1 (nothing applied, the reader's diagnosis printed)
// when the text does not read or reads as nothing.
int RunApply(const std::string& configPath, const DocumentOptions& options, std::ostream& out,
             std::ostream& err);

// `ostrel save CONFIG DOC`: applies the file's text and saves the document into DOC, replacing
// an old DOC only once the new one is complete. Exit 1 (with the HRESULT) when the extension's
// Save does not answer S_OK, or (nothing written) when the text does not read as apply refuses
// it; 2 when a file cannot be read or written. When DOC is the standard output, the status
// lines go to `err`, so that the output holds the document's bytes alone.
int RunSave(const std::string& configPath, const std::string& documentPath,
            const DocumentOptions& options, std::ostream& out, std::ostream& err);

// `ostrel open DOC`: opens DOC into a new document and prints the configuration text it then
// holds and the command blocks programmed after the load. Exit 1 (with the HRESULT) when the
// extension's Load does not answer S_OK, 2 when DOC cannot be read or is no Ostrel document.
int RunOpen(const std::string& documentPath, const DocumentOptions& options, std::ostream& out,
            std::ostream& err);

// `ostrel setup DOC`: opens DOC (a new document when there is no such file), shows the state
// of the extension's menu item as the host would and chooses it, with ostrel's user: refusals
// are printed as their message boxes. The setup dialog needs a screen, which ostrel does not
// have yet: when it comes up it is cancelled and the command says so. Exit 0 when the document
// took a new configuration and DOC was saved; 1 when the item is greyed, the command refused
// or the user cancelled (nothing written); 2 for a file that cannot be read or written, and
// when the dialog needed a screen.
int RunSetupCommand(const std::string& documentPath, const DocumentOptions& options,
                    std::ostream& out, std::ostream& err);

}  // namespace ostrel

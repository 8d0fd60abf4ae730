// ostrel's commands on a document: apply a configuration text, save a document file, open
// one. Each loads the extension module into a host with a simulated Corvex, as `demo` does.
#pragma once

#include <ostream>
#include <string>

#include "host/device/device_description.h"

namespace Ostrel {

struct DocumentOptions {
    std::string Device;  // a device description text (empty: the demonstration device)
    bool Hex = false;    // print the command blocks as hex instead of a table
};

// Sends `text` to a new document as the configuration text message and prints the device and
// the extension, the text the document then holds, its state and the command blocks the device
// received. Returns the exit code.
int ApplyConfigurationText(const std::string& text, const DeviceDescription& device, bool hex,
                           std::ostream& out, std::ostream& err);

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

}  // namespace Ostrel

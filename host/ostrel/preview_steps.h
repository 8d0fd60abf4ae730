// The steps `ostrel preview` and `ostrel tune` share (defined in preview_command.cpp): the
// files kept apart, the device programmed from CONFIG|DOC as apply or open does it, and the
// recording checked against the device.
#pragma once

#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/device/output_program.h"
#include "host/device/sample_block.h"
#include "host/ostrel/document_commands.h"
#include "host/ostrel/document_device.h"
#include "host/ostrel/ostrel_host.h"

namespace ostrel {

// Raised for what stops the preview (or tune) with exit code 2; the message is printed after
// "ostrel: ".
class PreviewError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file a command reads or writes, with how the messages name it ("the recording x.csv").
struct NamedFile {
    std::string Path;
    std::string Name;
};

// Refuses (PreviewError), before anything is read or written, an output that is one of the
// inputs or another output, whatever their names: two names of one file (a link, "./x", "-"
// and a redirected standard output) are one file.
void CheckFilesApart(const std::vector<NamedFile>& inputs, const std::vector<NamedFile>& outputs);

// What the device is programmed with: a configuration text or a document file, and the device
// it runs on.
struct Programming {
    DocumentDevice Device;
    std::optional<std::string> Text;
    std::optional<DocumentOnDevice> Document;
};

// Reads CONFIG or DOC as `apply` or `open` would, chooses the device (`device`, a description,
// or without one a document's own device or the demonstration device), and says which it is
// and what it changes of the rules; nothing (with the exit code) when it cannot, or when
// `strict` makes the warnings errors.
std::optional<Programming> Prepare(const std::string& path,
                                   const std::optional<std::string>& device, bool strict,
                                   std::ostream& out, std::ostream& err, int& code);

// Programs the device as `apply` or `open` would; false (with the exit code) when it fails.
bool Program(OstrelHost& host, const Programming& programming, const std::string& path,
             std::ostream& out, std::ostream& err, int& code);

// The signals must fit the device (PreviewError otherwise): a rate its converters sample at,
// and every input a used rule slot watches (`mapped`: the recording's channels were chosen by
// --map). (The readers check the channels' number and units.)
void CheckFit(const device::RecordingInfo& signals, const std::string& path,
              const std::vector<device::OutputProgram>& programs, bool mapped = false);

// Called in a catch block: says why preview or tune stopped (the exception in flight: a device
// description, a recording, a file, a channel map or a PreviewError) and returns exit code 2;
// any other exception goes on.
int ReportStop(std::ostream& err);

}  // namespace ostrel

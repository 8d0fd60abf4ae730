// Reading the files a command names: whole files within the host's limits, and configuration
// texts with the reader's diagnosis.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "host/inspect/tarvel_formats.h"

namespace ostrel {

// The file's bytes, or nothing when it cannot be read (a folder, a FIFO, a device, a file
// above the host's limit, an error of the system); then `error` says which file and why:
// "cannot read PATH: reason".
std::optional<std::string> ReadFileText(const std::string& path, std::string& error);

// ReadFileText for a command: a file that cannot be read is reported on `err` as
// "ostrel: cannot read PATH: reason".
std::optional<std::string> ReadCommandFile(const std::string& path, std::ostream& err);

// A configuration text file and what the reader makes of it.
struct ConfigurationFile {
    std::string Text;
    inspect::CheckedText Checked;
};

// Reads and diagnoses the configuration text PATH; the diagnosis, if any, goes to `err` as
// "ostrel: PATH:LINE: problem". Nothing when the file cannot be read (reported on `err`).
std::optional<ConfigurationFile> ReadConfigurationFile(const std::string& path, std::ostream& err);

// For a command that applies a configuration text (apply, save, preview): the text when it
// reads. Otherwise nothing, with the reason on `err` and `exitCode` 2 (the file cannot be read)
// or 1 (the text does not read, or reads as nothing because of its version; "nothing was
// applied").
std::optional<std::string> ReadConfigurationToApply(const std::string& path, std::ostream& err,
                                                    int& exitCode);

}  // namespace ostrel

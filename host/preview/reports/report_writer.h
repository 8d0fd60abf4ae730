// The one shape of every report the preview writes (the events CSV, the value change dump, the
// picture ...): a writer is told once what was replayed (Begin), is handed what the replay
// gives (Consume), and writes its file when the replay has ended (Finish). Each report's file
// defines its writer and its row of the report table (report_writers.cpp): the command-line
// option that asks for it, how the help names its file and what the option does. A new report
// is one file that defines its writer and its row, and the row in the table.
//
// Today the preview replays the whole recording at once and calls Consume once, with all of
// it; what Consume is given stays valid until Finish, and the writers here keep references to
// it. A replay that delivers the recording in blocks will call Consume once per block, in
// order; a writer then keeps what it needs of each block.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/api/output_command_block.h"
#include "host/device/signals.h"
#include "host/device/trace.h"
#include "host/preview/formats/input_scale.h"

namespace preview {

// What was replayed, before any of its data.
struct ReplaySetup {
    // The blocks the device carried out, one per output it holds (an output it keeps low
    // counts as off).
    std::vector<OutputCommandBlock> Blocks;
    // The device's inputs, in input order.
    std::vector<InputScale> Inputs;
    // The part of the recording the reports look at, in the recording's seconds; the whole
    // recording when neither is given.
    std::optional<double> From;
    std::optional<double> To;
};

class ReportWriter {
public:
    virtual ~ReportWriter() = default;

    virtual void Begin(const ReplaySetup& setup) = 0;
    // The recorded samples and what the device did with them.
    virtual void Consume(const device::Signals& samples, const device::Trace& events) = 0;
    // Writes the report and returns the line that tells what was written. Throws
    // files::FileError (naming the file and the system's reason) when it cannot be written,
    // SignalFileError (naming the file) when what was replayed cannot be written so.
    virtual std::string Finish() = 0;
};

// A row of the report table.
struct ReportKind {
    std::string_view Option;    // "--events"
    std::string_view Argument;  // how the help names the file: "OUT.csv"
    std::string_view Help;      // what the option does: "writes every pulse ... as CSV"
    std::unique_ptr<ReportWriter> (*Make)(const std::string& path) = nullptr;
    // The endings (lower case, with the dot) its file's name may have; empty: any name.
    std::vector<std::string_view> Extensions;
    // The files it writes beside the one asked for (the dump's GTKWave save file); null when
    // there are none.
    std::vector<std::string> (*FilesBeside)(const std::string& path) = nullptr;
};

}  // namespace preview

// The one shape of every report the preview writes (the events CSV, the value change dump, the
// picture ...): a writer is told once what is replayed (Begin), says which inputs it needs in
// which form (Needs), is handed each block of the replay as it comes (Consume: the samples and
// what the device did with them), and completes its file when the replay has ended (Finish).
// Each report's file defines its writer and its row of the report table (report_writers.cpp):
// the command-line option that asks for it, how the help names its file and what the option
// does. A new report is one file that defines its writer and its row, and the row in the table.
//
// Blocks come in order and are valid only during Consume: a writer keeps what it needs of them,
// within a memory that does not grow with the recording. Its file is a ReportFile
// (report_file.h), opened in Begin and put in place in Finish; a replay that fails leaves none.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/api/output_command_block.h"
#include "host/device/sample_block.h"
#include "host/device/signals.h"
#include "host/device/trace.h"
#include "host/preview/formats/input_scale.h"
#include "host/scoring/event_matching.h"

namespace preview {

// The events the outputs should catch, when the replay is scored (host/scoring).
struct ScoringSetup {
    std::vector<double> Events;  // seconds of the recording, ascending
    scoring::MatchWindow Window;
    scoring::Span Counted;  // the part looked at, in seconds: events and pulses within count
};

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
    // What the recording holds: its rate, start, sample count and channels.
    device::RecordingInfo Recording;
    // The reference events when the outputs are scored; the events CSV then names each pulse's
    // event and the missed ones, the picture marks missed events and false pulses.
    std::optional<ScoringSetup> Scoring;
};

class ReportWriter {
public:
    virtual ~ReportWriter() = default;

    // Opens the report's file. Throws SignalFileError (naming the file) when it cannot be
    // opened or the setup does not fit the report (a window outside the recording).
    virtual void Begin(const ReplaySetup& setup) = 0;
    // Adds the inputs whose device units or physical values the report needs.
    virtual void Needs(device::BlockNeeds& needs) const = 0;
    // One block: its samples and what became known of the device's outputs while it ran (the
    // last block has no samples and the pulses still high at the end).
    virtual void Consume(const device::SampleBlock& samples, const device::TraceBlock& events) = 0;
    // Completes the report and returns the line that tells what was written. Throws
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

namespace preview {

// Hands a whole replay to a writer begun with `setup`, as one block (for tests and tools that
// hold a replay in memory): the values given, their device units by the setup's input ranges,
// and the level changes the pulses make.
void ConsumeWhole(ReportWriter& writer, const ReplaySetup& setup, const device::Signals& samples,
                  const device::Trace& events);

// A setup's recording as the signals tell it.
device::RecordingInfo RecordingOf(const device::Signals& signals);

}  // namespace preview

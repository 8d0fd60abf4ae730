// `ostrel preview CONFIG|DOC --signals FILE`: programs the simulated Corvex through the
// extension as `apply` (a configuration text) or `open` (a document file) does, replays the
// recorded signals through the blocks the device then holds, and prints per output what it
// did.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "host/preview/formats/channel_selection.h"
#include "host/preview/reports/report_writer.h"
#include "host/scoring/event_matching.h"

namespace ostrel {

// A report asked for on the command line (preview/reports/report_writers.h): what and where.
struct ReportRequest {
    const preview::ReportKind* Kind = nullptr;
    std::string Path;
};

struct PreviewOptions {
    std::string Signals;  // the recorded signals, in a format of preview::SignalFormats()
    // A device description text (empty: the demonstration device); when none is given, a
    // document's own device or the demonstration device.
    std::optional<std::string> Device;
    // The channels the inputs read, by label; without it, as the recording lays them out.
    std::optional<preview::ChannelMap> Map;
    // A rule whose meaning the device changes, or a watched signal that does not fit its
    // input's range, is an error.
    bool Strict = false;
    // The reports to write, at most one of each kind, in the report table's order; "-" is the
    // standard output.
    std::vector<ReportRequest> Reports;
    std::optional<double> From;  // seconds, in the recording's time: the part the summary and
                                 // the reports look at
    std::optional<double> To;
    // Scoring: the reference events the outputs should catch (empty: none), the text of the
    // EDF+/BDF+ annotations to take (all without it), and the match window.
    std::string Reference;
    std::optional<std::string> Label;
    scoring::MatchWindow Window;
    std::string Json;  // every figure printed, as JSON; empty: none, "-": the standard output
};

// Exit 0 with the summary and the files asked for; 1 when the device refused a block (reported
// as apply reports it; the replay runs what the device holds), when the configuration does not
// read (or is of another version) or the extension's Load of a document does not answer S_OK;
// 2 when an output is one of the inputs or another output, a file cannot be read or written,
// the signals do not fit the device or the window is empty. With a report on the standard
// output, the summary goes to `err`.
int RunPreview(const std::string& configOrDocument, const PreviewOptions& options,
               std::ostream& out, std::ostream& err);

}  // namespace ostrel

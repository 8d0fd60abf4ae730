// The events of a replay as CSV: one row per pulse and one per ignored trigger, by output in the
// trace's order and by time within an output:
//
//   output,name,event,start (s),end (s),note
//   1,Analog Output 1,pulse,0.120,0.130,
//   1,Analog Output 1,ignored,0.125,,pulse
//   1,Analog Output 1,pulse,4.990,5.000,still high at the end
//
// Times are the recording's (the start time plus the sample index over the rate). An ignored
// trigger's note says why: delay, pulse, hold-off or count limit.
#pragma once

#include <string>

#include "host/device/trace.h"

namespace preview {

// Writes `path` ("-": the standard output) through a files::OutputFile; files::FileError
// when it cannot be written.
void WriteEventsCsv(const std::string& path, const device::Trace& trace);

// The same text, for callers that write it elsewhere.
std::string EventsCsvText(const device::Trace& trace);

}  // namespace preview

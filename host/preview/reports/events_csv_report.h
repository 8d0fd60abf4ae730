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
//
// Written as the replay goes: the first output's rows straight into the file, the others' set
// aside in a temporary file until the first output's are complete; a pulse waits until the
// replay has passed its start, so that the triggers ignored during its delay come before it.
#pragma once

#include <string>

#include "host/device/trace.h"

namespace preview {

// The events of a whole replay, written to `path` ("-": the standard output) through a
// files::OutputFile; files::FileError when it cannot be written.
void WriteEventsCsv(const std::string& path, const device::Trace& trace);

}  // namespace preview

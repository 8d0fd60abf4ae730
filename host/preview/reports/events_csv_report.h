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
// A scored replay (reference events given) adds the column "reference (s)": a pulse that caught
// an event names the event's time there, a false pulse says so in its note, and each missed
// event has a row of its own at its place in time:
//
//   output,name,event,start (s),end (s),note,reference (s)
//   1,Analog Output 1,pulse,0.120,0.130,,0.1
//   1,Analog Output 1,pulse,0.450,0.460,false pulse,
//   1,Analog Output 1,missed,,,,0.8
//
// Pulses and events outside the part looked at (--from, --to) are neither hits nor false nor
// missed: such a pulse has neither a reference nor a note, such an event no row.
//
// Written as the replay goes: the first output's rows straight into the file, the others' set
// aside in a temporary file until the first output's are complete; a pulse waits until the
// replay has passed its start, so that the triggers ignored during its delay come before it.
// Scored rows wait further, until the events before them are decided (a match window later).
#pragma once

#include <string>

#include "host/device/trace.h"

namespace preview {

// The events of a whole replay, written to `path` ("-": the standard output) through a
// files::OutputFile; files::FileError when it cannot be written.
void WriteEventsCsv(const std::string& path, const device::Trace& trace);

}  // namespace preview

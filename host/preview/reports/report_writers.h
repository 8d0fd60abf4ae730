// The reports the preview writes, as a table (report_writers.cpp): events CSV, value change
// dump, picture. ostrel's preview command takes its options and its help from it.
#pragma once

#include <string_view>
#include <vector>

#include "host/preview/reports/report_writer.h"

namespace preview {

// Every report, in the order they are written and named in the help.
const std::vector<const ReportKind*>& ReportKinds();

// The report asked for by `option` ("--vcd"); null when no report has that option.
const ReportKind* ReportByOption(std::string_view option);

}  // namespace preview

#include "host/preview/reports/report_writers.h"

namespace preview {

// The rows, each defined in its report's file.
const ReportKind& EventsCsvReport();
const ReportKind& VcdReport();
const ReportKind& PlotReport();

const std::vector<const ReportKind*>& ReportKinds() {
    static const std::vector<const ReportKind*> kinds{
        &EventsCsvReport(),
        &VcdReport(),
        &PlotReport(),
    };
    return kinds;
}

const ReportKind* ReportByOption(std::string_view option) {
    for (const ReportKind* kind : ReportKinds()) {
        if (kind->Option == option)
            return kind;
    }
    return nullptr;
}

}  // namespace preview

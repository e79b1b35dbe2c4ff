// The report's snapshot of the running case.
#pragma once

#include "document/case_context.h"
#include "reports/report_case.h"

namespace torvane {

// Takes the titles, paths, version, R2, the gas tables of sections 0..2 and the molecular weight
// of each characterised mixture from the context.
ReportCase MakeReportCase(const CaseContext& context);

}  // namespace torvane

// The printed breakdown report: one line per scene with its number,
// heading, pages and length, grouped by the run's primary order with a
// total after each group, and the scene's characters and tagged items.
#pragma once

#include "breakdown/breakdowns_run.h"

namespace qm {

class TReportPage;

// Prints the report of a gathered run onto the open print job's pages.
void PrintBreakdownReport(const TBreakdownRun& run, const TBreakdownOptions& options, TReportPage& page);

// The page header a report starts with.
std::string ReportHeaderText(const TBreakdownRun& run, const TBreakdownOptions& options);
// What the scene's line shows between its number and its pages.
std::string SceneHeadingText(const TBreakdownRun& run, const TBreakdownOptions& options, const BreakdownRecord& r);

}  // namespace qm

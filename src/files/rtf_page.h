// The page an exported RTF document is laid on: the paper and margins of
// the program's own RTF, whatever the converter that wrote the file put.
#pragma once

#include <string>
#include <string_view>

namespace qm {

// Letter paper with the program's margins, in twips.
inline constexpr std::string_view RtfPageControls =
    "\\paperw12240\\paperh15840\\margt1440\\margb1440\\margl720\\margr720";

// The document with its paper and margin controls replaced by the
// program's page, set before its first paragraph or section.
std::string WithProgramPage(std::string_view rtf);

// Completes an RTF file written through the RTF filter with the program's
// page; "aborted..." is said when it cannot be rewritten.
bool FinishRtfExport(const std::string& fileName);

}  // namespace qm

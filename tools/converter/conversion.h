// The converter's work: one file of a word processor's format turned into
// another through LibreOffice run headless, the new file taking the
// target's name only when it is complete, and the outcome left for the
// program that started the converter in the shared atom table.
#pragma once

#include <string>

namespace qm::converter {

inline constexpr const char* OfficePackage = "libreoffice-writer-nogui";

// What LibreOffice is asked to write for a target: Word files by their
// extension (.DOC, .DOCX), RTF for anything else, since the program reads
// RTF with its styles.
struct TTargetFormat {
  std::string filter;     // the --convert-to argument
  std::string extension;  // of the file LibreOffice writes
};
TTargetFormat TargetFormatOf(const std::string& target);

enum class TOutcome { Converted, Failed, NoOffice };

// Converts source into target; `why` says what went wrong.
TOutcome Convert(const std::string& source, const std::string& target, std::string& why);

// Leaves the outcome's atoms: "HasAtomicInfo" and "crConverted" or
// "crFailed".
void ReportOutcome(TOutcome outcome);

}  // namespace qm::converter

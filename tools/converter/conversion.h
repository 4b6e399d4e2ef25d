// The converter's work: one file of a word processor's format turned into
// another through LibreOffice run headless, the new file taking the
// target's name only when it is complete, and the outcome left for the
// program that started the converter in the shared atom table. An export
// starts from the program's export block instead of a file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

// A filter file (*.XTD) names what it writes in a line "convert-to=" and
// the extension after the colon; a .DOCX target still gets the newer Word
// format. nullopt when the file cannot be read or names nothing.
std::optional<TTargetFormat> FilterFormatOf(const std::string& filterFile, const std::string& target);

// "file://" and the path with every byte but letters, digits, "/", "-",
// ".", "_" and "~" percent-encoded.
std::string FileUrl(const std::string& path);

// How long LibreOffice may take: $QUILLMASTER_CONVERT_SECONDS seconds
// (1 to 3600), else 120 s.
int ConversionTimeLimitMs();

// Ascii: the source is no word processor's file, and is left as it is for
// the program to read as text.
enum class TOutcome { Converted, Failed, NoOffice, TimedOut, Ascii };

// Whether a file is one LibreOffice is asked to convert: a Word,
// WordPerfect or OpenDocument file, told by its first bytes.
bool IsWordProcessorFile(const std::string& path);

// Converts source into target; `why` says what went wrong.
TOutcome Convert(const std::string& source, const std::string& target, std::string& why);

// Writes target from the export block in the filter's format: RTF as
// the block reads, any other format through LibreOffice.
TOutcome ConvertBlock(const std::vector<std::uint8_t>& block, const std::string& filterFile, const std::string& target,
                      std::string& why);

// Leaves the outcome's atoms: "HasAtomicInfo" and "crConverted",
// "crASCII" or "crFailed".
void ReportOutcome(TOutcome outcome);

// The converter's exit status for an outcome.
int ExitStatusOf(TOutcome outcome);

}  // namespace qm::converter

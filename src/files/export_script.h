// The export writers of the active script: formatted ASCII, tagged text
// and RTF with the style sheet, each written to a new file that takes the
// target's name only once it is complete.
#pragma once

#include <string>

#include "platform/types.h"

namespace qm {

class TMDIChild;

// What ExportScript writes (the save format codes of these files).
enum TExportKind : Byte {
  ekExportFormattedAscii = 3,
  ekExportWordPerfectStyles = 5,
  ekExportTaggedText = 7,
  ekExportStyledRtf = 16,
};

// The bytes of one export of a script; empty for a kind without a writer.
std::string ExportBytes(TMDIChild& script, Byte kind);

// Writes the active script's export file. A failure, or a kind this
// program has no writer for, is said and leaves a non-zero PendingIOError;
// the previous file of that name stays as it was.
bool ExportScript(const std::string& fileName, Byte kind);

}  // namespace qm

// Files this program does not read or write itself go through the outside
// converter, a program of its own installed beside this one: it is started
// with a source file, a target file and a token, and leaves its outcome as
// global atoms ("HasAtomicInfo", "crConverted", "crASCII", "crFailed",
// "crAborted"). Exports hand it the script on the clipboard instead, as
// the export block, with the name of a filter file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace qm {

inline constexpr const char* ConverterName = "XTDLINK.EXE";
inline constexpr const char* ConverterToken = "GoAheadNow";
inline constexpr const char* OfficePackage = "libreoffice-writer-nogui";

// The converter's exit statuses when it could not write its file beside
// the target, so that the writer is told why: a full disk, a folder it
// may not write to, a volume mounted read-only.
inline constexpr int ConverterDiskFullExit = 6;
inline constexpr int ConverterFolderRefusedExit = 7;
inline constexpr int ConverterReadOnlyVolumeExit = 8;

// What the converter did with a file to be read.
enum TConverterResult : Byte {
  crResultConverted = 0,  // the target file is there
  crResultFailed = 1,     // missing converter, failure or abort, or no target
  crResultNothing = 2,    // no outcome and no target
  crResultAscii = 3,      // the file is plain ASCII, not converted
};

// The converter: beside the program first, then in the program folder and
// along the search path.
std::optional<std::string> ConverterProgram();

// Whether the first bytes of a file are those of a Word file (old or new),
// a WordPerfect or an OpenDocument file. The converter asks it too.
inline bool HasConverterSignature(std::string_view head) {
  return head.starts_with(std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) ||  // Word 97 and older
         head.starts_with(std::string_view("PK\x03\x04", 4)) ||                        // Word 2007 and OpenDocument
         head.starts_with(std::string_view("\xFFWPC", 4));                             // WordPerfect
}
// Whether a file is one the converter reads: a Word file (old or new), a
// WordPerfect or an OpenDocument file, told by its first bytes.
bool IsConverterFile(const std::string& fileName);

// The outcome the atoms give for a run, the atoms taken away after.
Byte ReadConverterOutcome(bool targetExists);

// Whether the converter said it converted (a converter that died says
// nothing, whatever file is there); the atoms taken away after.
bool ConverterReportedConversion();

// Has the converter turn source into target (any previous target is
// deleted first); the failure is said to the writer.
Byte ImportViaConverter(const std::string& source, const std::string& target);

// Exports the active script through a filter of the converter (the full
// name of a *.XTD file): the script goes on the clipboard as the export
// block, and the converter, run with the filter and the target, writes the
// target from it. Success is the converter's word and a non-empty target; a
// previous target stays as it was unless the converter left a complete new
// one. A failure is said and leaves a non-zero
// PendingIOError.
bool ExportViaFilter(const std::string& targetFile, const std::string& filterFile);

}  // namespace qm

#include "files/converter_handoff.h"

#include <array>
#include <string_view>

#include "base/document_table.h"
#include "base/message_boxes.h"
#include "files/export_script.h"
#include "files/file_job.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/process.h"
#include "script/editing/message_pump.h"
#include "script/layout/screen_rebuild.h"

namespace qm {

namespace {

constexpr std::array<const char*, 5> kOutcomeAtoms{"crConverted", "crASCII", "crFailed", "crAborted", "HasAtomicInfo"};
// The converter's exit status when LibreOffice is not installed.
constexpr int kNoOfficeExit = 3;

bool HasAtom(const char* name) { return GlobalFindAtom(name) != 0; }

// Every reference goes, so that no earlier run's outcome is read again.
void RemoveAtom(const char* name) {
  for (int i = 0; i < 1000; ++i) {
    const ATOM atom = GlobalFindAtom(name);
    if (atom == 0 || GlobalDeleteAtom(atom) != 0) return;
  }
}

void ClearOutcomeAtoms() {
  for (const char* name : kOutcomeAtoms) RemoveAtom(name);
}

struct TConverterRun {
  bool started = false;
  int exitCode = -1;
};

TConverterRun RunConverter(const std::string& program, const std::string& source, const std::string& target) {
  ClearOutcomeAtoms();
  const RunResult run = RunProgramAndWait(program, {source, target, ConverterToken}, [] { ProcessMessagesGuarded(); });
  FocusActiveScript();
  return {run.started, run.exitCode};
}

std::string NoOfficeText(const std::string& what) {
  return "LibreOffice is needed to " + what + ".\r\rPlease install the package " + OfficePackage + ".";
}

// A name beside the target for the files of one conversion.
std::string WorkName(const std::string& target, const std::string& extension) {
  return JoinPath(ExtractFileDir(target), ".~" + ChangeFileExt(ExtractFileName(target), "") + extension);
}

}  // namespace

std::optional<std::string> ConverterProgram() {
  if (auto beside = FindProgram(JoinPath(ExtractFileDir(ExecutablePath()), "xtdlink"))) return beside;
  return FindProgram(ConverterName);
}

bool IsConverterFile(const std::string& fileName) {
  static constexpr std::array<std::string_view, 3> kSignatures{
      std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8),  // Word 97 and older
      std::string_view("PK\x03\x04", 4),                              // Word 2007 and OpenDocument
      std::string_view("\xFFWPC", 4),                                  // WordPerfect
  };
  TFileStream in(fileName, TFileMode::OpenRead);
  if (!in.IsOpen()) return false;
  std::array<char, 8> head{};
  const std::size_t got = in.Read(head.data(), head.size());
  const std::string_view start(head.data(), got);
  for (std::string_view signature : kSignatures)
    if (start.starts_with(signature)) return true;
  return false;
}

Byte ReadConverterOutcome(bool targetExists) {
  if (!HasAtom("HasAtomicInfo")) return targetExists ? crResultConverted : crResultNothing;
  Byte result = crResultFailed;
  if (HasAtom("crConverted") && targetExists) result = crResultConverted;
  else if (HasAtom("crASCII")) result = crResultAscii;
  ClearOutcomeAtoms();
  return result;
}

Byte ImportViaConverter(const std::string& source, const std::string& target) {
  const auto program = ConverterProgram();
  if (!program) {
    ShowMessageBox("Missing Import Utility: XTDLINK.EXE", "Import Canceled");
    return crResultFailed;
  }
  DeleteFile(target);
  PendingIOError = 0;
  const TConverterRun run = RunConverter(*program, ExpandFileName(source), ExpandFileName(target));
  const Byte result = ReadConverterOutcome(FileSize(target) > 0);
  if (result == crResultFailed) {
    ShowMessageBox(run.exitCode == kNoOfficeExit ? NoOfficeText("read " + PathToText(ExtractFileName(source)))
                                                 : "Unable to convert " + PathToText(source) + ".",
                   "Import Canceled");
  }
  return result;
}

bool ExportViaConverter(const std::string& target) {
  const auto program = ConverterProgram();
  if (!program) {
    ShowMessageBox("Missing Export Utility: XTDLINK.EXE", "Export Canceled");
    PendingIOError = 100;
    return false;
  }
  const std::string source = WorkName(target, ".rtf");
  const std::string converted = WorkName(target, ExtractFileExt(target));
  if (!ExportScript(source, ekExportStyledRtf)) return false;
  DeleteFile(converted);
  const TConverterRun run = RunConverter(*program, source, converted);
  const bool ok = ReadConverterOutcome(FileSize(converted) > 0) == crResultConverted && ReplaceFile(converted, target);
  DeleteFile(source);
  DeleteFile(converted);
  if (ok) return true;
  ShowMessageBox(run.exitCode == kNoOfficeExit ? NoOfficeText("write " + PathToText(ExtractFileName(target)))
                                               : "Unable to write " + PathToText(target) + ": the conversion failed.",
                 "Export Canceled");
  PendingIOError = 100;
  return false;
}

}  // namespace qm

#include "files/converter_handoff.h"

#include <array>
#include <cerrno>
#include <new>
#include <vector>
#include <string_view>

#include "base/document_table.h"
#include "base/message_boxes.h"
#include "files/export_block.h"
#include "files/export_elements.h"
#include "files/file_job.h"
#include "files/safe_save.h"
#include "platform/clipboard.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/new_file.h"
#include "platform/process.h"
#include "script/editing/message_pump.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"

namespace qm {

namespace {

constexpr std::array<const char*, 5> kOutcomeAtoms{"crConverted", "crASCII", "crFailed", "crAborted", "HasAtomicInfo"};
// The converter's exit status when LibreOffice is not installed, and when
// it took too long and was stopped.
constexpr int kNoOfficeExit = 3;
constexpr int kTimedOutExit = 4;

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

TConverterRun RunConverter(const std::string& program, const std::vector<std::string>& parameters) {
  ClearOutcomeAtoms();
  const RunResult run = RunProgramAndWait(program, parameters, [] { ProcessMessagesGuarded(); });
  FocusActiveScript();
  return {run.started, run.exitCode};
}

// Why a run of the converter on `file` failed; `failed` when it does not say.
std::string FailureText(const TConverterRun& run, const std::string& verb, const std::string& file,
                        const std::string& failed) {
  if (run.exitCode == kNoOfficeExit)
    return "LibreOffice is needed to " + verb + " " + PathToText(ExtractFileName(file)) +
           ".\r\rPlease install the package " + OfficePackage + ".";
  if (run.exitCode == kTimedOutExit)
    return "The conversion of " + PathToText(ExtractFileName(file)) + " took too long and was stopped.";
  return failed;
}

// The block goes on the clipboard under its registered name, the main
// window its owner; false when there is no memory for it.
bool PutExportBlock(TScriptDocument& script, const std::string& filterFile) {
  if (Clipboard()->Open()) {
    Clipboard()->Clear();
    Clipboard()->Close();
  }
  if (!Clipboard()->Open(DocumentFrame ? DocumentFrame->Handle() : NullWindow)) return false;
  TExportVariables vars;
  vars.ExportFormat = RegisterClipboardFormat(ExportFormatName);
  bool put = false;
  try {
    vars.Block.assign(BuildExportBlock(script, vars, "", filterFile, 0), 0);
    Clipboard()->Clear();
    BuildExportBlock(script, vars, "", filterFile, 1);
    put = Clipboard()->SetData(vars.ExportFormat, std::move(vars.Block));
  } catch (const std::bad_alloc&) {
    put = false;
  }
  Clipboard()->Close();
  return put;
}

// The writer's own file at the target that is marked read-only is kept,
// as every save keeps it.
bool OwnReadOnlyTarget(const std::string& target) {
  return FileExists(target) && IsReadOnly(target) && !OtherUserOwning(target);
}

enum class TTarget { Made, There, Refused };

// The target made the writer's own, or an own one there already, takes
// the script's mode (the usual one for a script never saved). Refused,
// with why in `cause`, when no new file can be made in its folder.
TTarget PrepareExportTarget(const std::string& target, std::optional<unsigned> mode, std::string& cause) {
  const bool there = FileExists(target) || IsLink(target);
  if (!CreateNewFile(target, mode.value_or(0666)) && !there) {
    const int err = errno;
    const std::string folder = ExtractFileDir(ExpandFileName(target));
    cause = FailureCause(err, err == EACCES || err == EPERM ? folder : target, true);
    return TTarget::Refused;
  }
  if (mode) SetOwnFileMode(target, *mode);
  return there ? TTarget::There : TTarget::Made;
}

// Why the converter left no target: another user's file it could not
// replace, the error it could not write its file for (a full disk, a
// folder it may not write to), or, as it says, a failed conversion.
std::string WhyNotConverted(const TConverterRun& run, const std::string& target) {
  if (OtherUserOwning(target)) return FileFailureText(EACCES, target);
  if (run.exitCode == ConverterDiskFullExit) return FailureCause(ENOSPC, target, true);
  if (run.exitCode == ConverterFolderRefusedExit) return FailureCause(EACCES, ExtractFileDir(target), true);
  if (run.exitCode == ConverterReadOnlyVolumeExit) return FailureCause(EROFS, target, true);
  return "the conversion failed";
}

// "Unable to write" the target, and why, as one sentence.
std::string NotWrittenText(const std::string& target, std::string why) {
  if (why.ends_with('.')) why.pop_back();
  return "Unable to write " + PathToText(target) + ": " + why + ".";
}

}  // namespace

std::optional<std::string> ConverterProgram() {
  if (auto beside = FindProgram(JoinPath(ExtractFileDir(ExecutablePath()), "xtdlink"))) return beside;
  return FindProgram(ConverterName);
}

bool IsConverterFile(const std::string& fileName) {
  TFileStream in(fileName, TFileMode::OpenRead);
  if (!in.IsOpen()) return false;
  std::array<char, 8> head{};
  const std::size_t got = in.Read(head.data(), head.size());
  return HasConverterSignature(std::string_view(head.data(), got));
}

Byte ReadConverterOutcome(bool targetExists) {
  if (!HasAtom("HasAtomicInfo")) return targetExists ? crResultConverted : crResultNothing;
  Byte result = crResultFailed;
  if (HasAtom("crConverted") && targetExists) result = crResultConverted;
  else if (HasAtom("crASCII")) result = crResultAscii;
  ClearOutcomeAtoms();
  return result;
}

bool ConverterReportedConversion() {
  const bool converted = HasAtom("HasAtomicInfo") && HasAtom("crConverted");
  ClearOutcomeAtoms();
  return converted;
}

Byte ImportViaConverter(const std::string& source, const std::string& target) {
  const auto program = ConverterProgram();
  if (!program) {
    ShowMessageBox("Missing Import Utility: XTDLINK.EXE", "Import Canceled");
    return crResultFailed;
  }
  DeleteFile(target);
  PendingIOError = 0;
  const TConverterRun run = RunConverter(*program, {ExpandFileName(source), ExpandFileName(target), ConverterToken});
  const Byte result = ReadConverterOutcome(FileSize(target) > 0);
  if (result == crResultFailed) {
    ShowMessageBox(FailureText(run, "read", source, "Unable to convert " + PathToText(source) + "."),
                   "Import Canceled");
  }
  return result;
}

bool ExportViaFilter(const std::string& targetFile, const std::string& filterFile) {
  if (!FileExists(filterFile)) {
    ShowMessageBox("Missing Export Filter: " + PathToText(ExtractFileName(filterFile)) + "!", "Export Canceled");
    PendingIOError = 100;
    return false;
  }
  const auto program = ConverterProgram();
  TMDIChild* script = ActiveScript();
  if (!program || !script) {
    if (!program) ShowMessageBox("Missing Export Utility: XTDLINK.EXE", "Export Canceled");
    PendingIOError = 100;
    return false;
  }
  if (OwnReadOnlyTarget(targetFile)) {
    ShowFileError("writing " + PathToText(targetFile), FailureCause(EACCES, targetFile, true));
    PendingIOError = FileErrorCode(EACCES, true);
    return false;
  }
  {
    TExportWalk walk(*script, true);
    if (!PutExportBlock(*script, filterFile)) {
      ShowMessageBox("Unable to Allocate Enough Memory for Clipboard.", "");
      PendingIOError = 100;
      return false;
    }
  }
  // An existing target stays whole until the converter has a complete new
  // one; a new name is taken at once, never through a link, and given up
  // again when nothing was written to it. What the converter writes takes
  // the mode of the writer's own target, which is its script's; over
  // another user's file or link it is the writer's alone until it is
  // complete, and then takes the script's mode too.
  const std::optional<unsigned> mode = ModeFor(script->ScriptFileName);
  std::string refused;
  const TTarget prepared = PrepareExportTarget(targetFile, mode, refused);
  const std::string target = LongPathName(ExpandFileName(targetFile));
  ReportJobDone();
  if (prepared == TTarget::Refused) {
    ShowMessageBox(NotWrittenText(target, refused), "Export Canceled");
    PendingIOError = 100;
    return false;
  }
  const TConverterRun run = RunConverter(*program, {filterFile, target});
  if (ConverterReportedConversion() && FileSize(target) > 0) {
    if (mode) SetOwnFileMode(target, *mode);
    return true;
  }
  if (prepared == TTarget::Made && FileSize(target) == 0) DeleteFile(target);
  ShowMessageBox(FailureText(run, "write", target, NotWrittenText(target, WhyNotConverted(run, target))),
                 "Export Canceled");
  PendingIOError = 100;
  return false;
}

}  // namespace qm

#include "files/export_script.h"

#include <span>

#include "base/document_table.h"
#include "base/message_boxes.h"
#include "files/export_elements.h"
#include "files/file_job.h"
#include "files/formatted_text_export.h"
#include "files/rtf_writer.h"
#include "files/safe_save.h"
#include "files/tagged_text_writer.h"
#include "files/text_files.h"
#include "platform/files.h"
#include "script/script_window.h"

namespace qm {

namespace {

// Set when the user pressed Cancel during the write; said already.
constexpr int kCancelledExport = 1;

}  // namespace

std::string ExportBytes(TMDIChild& script, Byte kind) {
  switch (kind) {
    case ekExportFormattedAscii: {
      TExportWalk walk(script, false);
      return ScriptAsFormattedText(script);
    }
    case ekExportTaggedText: {
      TExportWalk walk(script, true);
      return ScriptAsTaggedText(script);
    }
    case ekExportStyledRtf: {
      TExportWalk walk(script, true);
      return ScriptAsRtf(script);
    }
    default: return {};
  }
}

bool ExportScript(const std::string& fileName, Byte kind) {
  TMDIChild* script = ActiveScript();
  if (!script) return false;
  if (kind != ekExportFormattedAscii && kind != ekExportTaggedText && kind != ekExportStyledRtf) {
    // No layout of the styled WordPerfect file is known to this program.
    ShowMessageBox("Saving as WordPerfect with styles is not available in this version: please save as "
                   "Rich Text Format, which WordPerfect reads with its styles.",
                   "Attention");
    PendingIOError = 100;
    return false;
  }
  const std::string bytes = ExportBytes(*script, kind);
  const TSaveOutcome outcome =
      SaveWithBackup(fileName, "", std::span(reinterpret_cast<const Byte*>(bytes.data()), bytes.size()), false,
                     ModeFor(script->ScriptFileName));
  if (outcome.ok && kind == ekExportFormattedAscii) NoteOwnFormattedText(bytes);
  if (outcome.ok) return true;
  if (outcome.cancelled) {
    ShowMessageBox(ECancelPressed().what(), "Attention");
    PendingIOError = kCancelledExport;
  } else {
    ShowFileError("writing " + PathToText(fileName), outcome.cause);
    PendingIOError = outcome.code ? outcome.code : 101;
  }
  return false;
}

}  // namespace qm

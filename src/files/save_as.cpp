#include "files/save_as.h"

#include "files/disk_utils.h"
#include "files/native_file.h"
#include "files/progress_dialog.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "script/script_window.h"
#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/program_options.h"

namespace qm {

std::vector<TSaveAsType> SaveAsTypes() {
  return {
      {"BriskSave Format (Win)", ScriptExtension, 0},
      {"BriskSave Format (DOS)", "SCR", 1},
      {"Old Quillmaster Format", "SCR", 2},
      {"Formatted ASCII", "DOS", 3},
      {"WordPerfect 5.1/6.x", "WP", 4},
      {"WordPerfect w/Styles", "WPS", 5},
      {"Rich Text Format (Win)", "RTF", 6},
      {"Rich Text Format (Mac)", "RTF", 13},
      {"Scriptware Tagged", "TAG", 7},
      {"MS Word for DOS (5.5)", "DOC", 11},
      {"MS Word for Windows", "DOC", 12},
      {"Final Draft RTF", "RTF", 16},
      {"Final Draft 4.0 Converter", "FCF", 20},
  };
}

namespace {

std::string SaveAsFilter() {
  std::string filter;
  for (const TSaveAsType& type : SaveAsTypes()) {
    if (!filter.empty()) filter += '|';
    filter += type.description + "|*." + type.extension;
  }
  return filter;
}

}  // namespace

bool ShowSaveAsDialog(const std::string& fileName) {
  TMDIChild* script = ActiveScript();
  if (!script) return false;
  TSaveDialog dialog(nullptr);
  dialog.Filter = SaveAsFilter();
  dialog.FilterIndex = 1;
  dialog.InitialDir = ExtractFileDir(fileName).empty() ? ScriptDirectory : ExtractFileDir(fileName);
  dialog.FileName = fileName;
  if (!dialog.Execute()) return false;
  const std::vector<TSaveAsType> types = SaveAsTypes();
  const int index = std::clamp(dialog.FilterIndex, 1, static_cast<int>(types.size()));
  const TSaveAsType& type = types[static_cast<std::size_t>(index - 1)];
  // A name typed without an extension takes the chosen type's.
  std::string target = dialog.FileName;
  if (ExtractFileExt(target).empty()) target += "." + type.extension;
  // A name another window holds is asked about once, more gravely than a
  // file that is merely there.
  if (const int holder = OtherWindowHolding(target); holder != 0) {
    if (!ConfirmSaveOverOpenScript(target, holder)) return false;
  } else if (FileExists(target) &&
             !AskYesNo(PathToText(target) + " already exists!\r\rShould I Overwrite this file?", "", false)) {
    return false;
  }
  TProgressDlg& progress = ProgressDlg();
  progress.FileFormatCode = type.code;
  const bool native = progress.FileFormatCode <= 1;
  if (native && !BackupBeforeSave(target, false, progress.FileFormatCode == 1)) return false;
  if (!progress.Execute(target, false, false)) return false;
  if (native) script->SetScriptCaption(target);
  return true;
}

}  // namespace qm

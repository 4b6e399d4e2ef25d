#include "files/save_as.h"

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

namespace {

// The save format of each type of the dialog, in its order.
constexpr Byte kFormatOfType[] = {0, 1, 2, 3, 4, 5, 6, 13, 7, 11, 12, 16, 20};

std::string SaveAsFilter() {
  return "BriskSave Format (Win)|*." + ScriptExtension +
         "|BriskSave Format (DOS)|*.SCR|Old Quillmaster Format|*.SCR|Formatted ASCII|*.DOS|WordPerfect 5.1/6.x|*.WP"
         "|WordPerfect w/Styles|*.WPS|Rich Text Format (Win)|*.RTF|Rich Text Format (Mac)|*.RTF|Scriptware Tagged|*.TAG"
         "|MS Word for DOS (5.5)|*.DOC|MS Word for Windows|*.DOC|Final Draft RTF|*.RTF|Final Draft 4.0 Converter|*.FCF";
}

}  // namespace

bool ShowSaveAsDialog(const std::string& fileName) {
  TMDIChild* script = ActiveScript();
  if (!script) return false;
  TSaveDialog dialog(nullptr);
  dialog.Filter = SaveAsFilter();
  dialog.FilterIndex = 1;
  dialog.DefaultExt = ScriptExtension;
  dialog.InitialDir = ExtractFileDir(fileName).empty() ? ScriptDirectory : ExtractFileDir(fileName);
  dialog.FileName = fileName;
  if (!dialog.Execute()) return false;
  const std::string target = dialog.FileName;
  if (FileExists(target) && !AskYesNo(PathToText(target) + " already exists!\r\rShould I Overwrite this file?", "", false))
    return false;
  const int type = std::clamp(dialog.FilterIndex, 1, static_cast<int>(std::size(kFormatOfType)));
  TProgressDlg& progress = ProgressDlg();
  progress.FileFormatCode = kFormatOfType[type - 1];
  const bool native = progress.FileFormatCode <= 1;
  if (native && !BackupBeforeSave(target, false, progress.FileFormatCode == 1)) return false;
  if (!progress.Execute(target, false, false)) return false;
  if (native) script->SetScriptCaption(target);
  return true;
}

}  // namespace qm

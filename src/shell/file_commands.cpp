// The File menu's Open, Save and Save As commands.
#include "files/native_file.h"
#include "files/progress_dialog.h"
#include "files/save_as.h"
#include "language/character_names.h"
#include "platform/cp1252.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "script/editing/document_modified.h"
#include "script/editing/message_pump.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "base/ini_file.h"
#include "shell/main_form.h"
#include "shell/program_settings.h"
#include "shell/splash_screen.h"
#include "shell/workspace.h"
#include "base/message_boxes.h"
#include "base/program_busy.h"
#include "base/prompt_table.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

const std::string kOpenFilter =
    std::string("Quillmaster Scripts|") + ScriptFileMask +
    "|Prev. Saved Script|*.BK|Timed Backups|*.TMB|ASCII File|*.DOS;*.DOC;*.TXT"
    "|Rich Text Format|*.RTF|WordPerfect\xAE (5.1/6.x)|*.WP*;*.*|MS Word\xAE|*.DOC|Scriptware\xAE Tag|*.TAG"
    "|Movie Master\xAE|*.SCR|WordStar\xAE|*.WDS;*.*|StoryDev\xAE Exchange|*.DSW|All Files (*.*)|*.*";

// The load format a chosen filter asks for.
Byte LoadCodeOfFilter(int filter) {
  switch (filter) {
    case 1:
    case 2:
    case 3: return 0;
    case 4: return 3;
    case 5: return 6;
    case 8: return 7;
    case 9: return 9;
    case 10: return 17;
    case 11: return 19;
    default: return 8;
  }
}

}  // namespace

void TMainForm::FileOpenItemClick(TObject* sender) {
  if (SplashScreen) return;
  ProgramBusyScope busy;
  Screen->SetCursor(5);
  TOpenDialog dialog(nullptr);
  dialog.InitialDir = ScriptDirectory;
  if (sender) {
    dialog.DefaultExt = ScriptExtension;
    dialog.Filter = kOpenFilter;
  } else {
    dialog.DefaultExt = "TMB";
    dialog.Filter = "Timed Backups|*.TMB";
  }
  if (dialog.Execute()) {
    const Byte code = LoadCodeOfFilter(dialog.FilterIndex);
    TProgressDlg& progress = ProgressDlg();
    progress.LoadFormatCode = code;
    // The open names the script: an import takes a name of its own.
    OpenScriptByName(dialog.FileName, code);
  }
  Screen->SetCursor(crDefault);
  ProcessMessagesGuarded();
  if (!NoActiveDocument()) {
    FocusActiveScript();
    BuildCharacterNameTable();
  }
}

void TMainForm::FileSaveItemClick(TObject* sender) {
  if (NoActiveDocument()) return;
  if (SaveActiveScript(sender)) FocusActiveScript();
}

bool TMainForm::SaveActiveScript(TObject* sender) {
  TMDIChild* script = ActiveScript();
  const std::string title = script->ScriptFileName;
  if (title.find("NONAME") != std::string::npos || AnsiUpperCase(title).find(".TMB") != std::string::npos) {
    FileSaveAsItemClick(sender);
    return false;
  }
  script->SetScriptCaption(NativeScriptName(title));
  TProgressDlg& progress = ProgressDlg();
  progress.FileFormatCode = 0;
  if (BackupBeforeSave(script->ScriptFileName, false, false) && progress.Execute(script->ScriptFileName, false, false))
    SetupLastThree();
  return true;
}

void TMainForm::PastefromItemClick(TObject*) {
  // A read-only script takes nothing in, as with Paste.
  if (!EditableActiveScript()) return;
  TOpenDialog dialog(nullptr);
  dialog.Title = "Paste From...";
  // One filter: the load job tells the format of whatever file is chosen.
  dialog.Filter = std::string("Quillmaster Scripts|") + ScriptFileMask;
  dialog.InitialDir = ScriptDirectory;
  if (dialog.Execute()) {
    SaveUndoStep(ukWholeScript, true, false, usWithSettings);
    TProgressDlg& progress = ProgressDlg();
    progress.LoadFormatCode = LoadCodeOfFilter(1);
    if (progress.Execute(dialog.FileName, true, true)) {
      LayOutLoadedScript(*ActiveScript());
      // As after a paste: the caret is back where the file went in, maybe
      // on a line of old text, which is no revision.
      SetDocumentModified(true, false);
    }
  }
  FocusActiveScript();
}

void TMainForm::FileSaveAsItemClick(TObject*) {
  if (NoActiveDocument()) return;
  ShowSaveAsDialog(ActiveScript()->ScriptFileName);
  if (!NoActiveDocument() && !ActiveScript()->DocumentModified) SetupLastThree();
  FocusActiveScript();
}

// The saved script becomes the first of the recent scripts; a name listed
// already (in any case) moves up rather than twice.
void TMainForm::SetupLastThree() {
  if (NoActiveDocument()) return;
  const std::string full = ActiveScript()->ScriptFileName;
  const TLastScript entry{ExtractFileName(full), ExtractFileDir(full)};
  const auto same = [&](const TLastScript& e) {
    return AnsiUpperCase(e.FullName()) == AnsiUpperCase(entry.FullName());
  };
  std::vector<TLastScript> kept{entry};
  for (const TLastScript& e : LastScriptsBuffer)
    if (!e.Empty() && !same(e) && kept.size() < LastScriptsBuffer.size()) kept.push_back(e);
  for (std::size_t i = 0; i < LastScriptsBuffer.size(); ++i)
    LastScriptsBuffer[i] = i < kept.size() ? kept[i] : TLastScript{};
  MenusDue = 1;
}

void TMainForm::LastScriptItemClick(TObject* sender) {
  const auto* item = dynamic_cast<const TMenuItem*>(sender);
  if (!item) return;
  const int index = item->Tag - 1;
  if (index < 0 || index >= LastScriptCount || LastScriptsBuffer[index].Empty()) return;
  ProgramBusyScope busy;
  OpenScriptByName(LastScriptsBuffer[index].FullName());
}

// The recorded workspace goes with the recent scripts: the next start
// reopens none of them.
void TMainForm::ClearHistoryItemClick(TObject*) {
  ClearWorkSpace();
  for (TLastScript& entry : LastScriptsBuffer) entry.Clear();
  ShowLastThree();
  MenuItem("LastThreeBar")->Visible = false;
  std::string error;
  if (!SaveLastScripts(&error)) ShowMessageBox(error, PromptTable(16));
  MenusDue = 1;
}

}  // namespace qm

// The main window's Edit, Format and Help commands that call one routine
// each, and the style commands.
#include "base/message_boxes.h"
#include "base/program_identity.h"
#include "base/prompt_table.h"
#include "files/format_files.h"
#include "files/progress_dialog.h"
#include "files/run_program.h"
#include "language/act_scene_commands.h"
#include "language/hide_names_dialog.h"
#include "language/user_list_dialogs.h"
#include "language/user_lists.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "script/editing/document_modified.h"
#include "script/editing/edit_line.h"
#include "script/editing/editor_calls.h"
#include "script/editing/inline_styles.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "shell/outside_dictionary.h"
#include "platform/process.h"
#include "shell/tool_bar.h"
#include "shell/startup_setup.h"
#include "base/ini_file.h"

namespace qm {

namespace {

// An outside program of the program folder, run and waited for; false
// (after saying why) when it is not there or would not start.
bool RunOutsideProgram(const std::string& program, const std::string& failure) {
  const std::string path = ProgramDirectory + program;
  if (!FileExists(path)) {
    ShowMessageBox("Unable to find " + program + "!", "");
    return false;
  }
  if (RunProgramAndWait(path, "", 1, true) >= 32) return true;
  ShowMessageBox(failure, "");
  return false;
}

}  // namespace

void TMainForm::RefreshAfterChange() {
  TMDIChild* script = ScriptForCommand();
  if (!script) return;
  RebuildScreen(script);
  script->RedisplayScreen(true);
  FocusActiveScript();
}

void TMainForm::FileSaveAllItemClick(TObject* sender) {
  if (NoActiveDocument()) return;
  const Byte remembered = ActiveDocument;
  for (int slot = 1; slot <= DocumentCount; ++slot) {
    if (!Documents[slot] || !Documents[slot]->DocumentModified) continue;
    ActiveDocument = static_cast<Byte>(slot);
    SaveActiveScript(sender);
  }
  if (remembered >= 1 && remembered <= DocumentCount) ActiveDocument = remembered;
  FocusActiveScript();
}

void TMainForm::ExitBtnClick(TObject*) {
  if (NoActiveDocument()) ExitQuillmasterItem->Click();
  else if (IsKeyDownNow(VK_SHIFT)) ExitQuillmasterItemClick(nullptr);
  else CloseFileItem->Click();
}

void TMainForm::AddHardReturnItemClick(TObject*) {
  TMDIChild* script = EditableActiveScript();
  if (!script) return;
  AddHardReturn(*script);
  FocusActiveScript();
}

void TMainForm::AddDialogueParagraphItemClick(TObject*) {
  if (!EditableActiveScript()) return;
  InsertDialogueParagraph();
  FocusActiveScript();
}

void TMainForm::HardSpace1Click(TObject*) {
  if (NoActiveDocument()) return;
  char blank = ' ';
  ActiveScript()->FormKeyPress(nullptr, blank);
}

void TMainForm::RedisplayScreenBtnClick(TObject*) { RefreshAfterChange(); }

void TMainForm::ClearClipboardItemClick(TObject*) {
  ProgressDlg().FreeClipUndoMemory();
  FocusActiveScript();
}

void TMainForm::LastPositionItemClick(TObject* sender) {
  if (NoActiveDocument()) return;
  GotoLastPosition(sender);
  FocusActiveScript();
}

void TMainForm::BoldBtnClick(TObject* sender) {
  const auto* component = dynamic_cast<const TComponent*>(sender);
  if (!EditableActiveScript() || !component || component->Tag < 1 || component->Tag > 4) return;
  Screen->SetCursor(5);
  ApplyInlineStyle(InlineStyles[component->Tag]);
  Screen->SetCursor(crDefault);
  FocusActiveScript();
}

void TMainForm::NormalBtnClick(TObject* sender) {
  if (!EditableActiveScript()) return;
  Screen->SetCursor(5);
  RemoveInlineStyles(sender != nullptr);
  Screen->SetCursor(crDefault);
  FocusActiveScript();
}

// ---- Format families ----

void TMainForm::LoadFormatFamily(const char* fileName) { LoadFormatsFrom(ProgramDirectory + fileName); }

void TMainForm::SaveFormatFamily(const char* fileName) {
  if (NoActiveDocument()) return;
  SaveFormatsFile(ProgramDirectory + fileName);
  FocusActiveScript();
}

void TMainForm::Screenplay1Click(TObject*) { LoadFormatFamily("SCRNPLAY.INI"); }
void TMainForm::SitcomVersionI1Click(TObject*) { LoadFormatFamily("SITCOM1.INI"); }
void TMainForm::SitcomVersionII1Click(TObject*) { LoadFormatFamily("SITCOM2.INI"); }
void TMainForm::StagePlay1Click(TObject*) { LoadFormatFamily("PLAY.INI"); }
void TMainForm::InteractiveCDROM1Click(TObject*) { LoadFormatFamily("INTERACT.INI"); }
void TMainForm::Screenplay2Click(TObject*) { SaveFormatFamily("SCRNPLAY.INI"); }
void TMainForm::SitcomVersionI2Click(TObject*) { SaveFormatFamily("SITCOM1.INI"); }
void TMainForm::SitcomVersionII2Click(TObject*) { SaveFormatFamily("SITCOM2.INI"); }
void TMainForm::StagePlay2Click(TObject*) { SaveFormatFamily("PLAY.INI"); }
void TMainForm::InteractiveCDROM2Click(TObject*) { SaveFormatFamily("INTERACT.INI"); }

void TMainForm::AllNewScriptsItemClick(TObject*) {
  if (AdministratorLock) {
    ShowMessageBox("Sorry but only the System Administrator has the right to change the default settings.", "");
    return;
  }
  if (NoActiveDocument()) return;
  if (AskYesNo("Overwrite previously saved default Script formats?", PromptTable(6), false)) {
    SaveFormatsAsDefaults();
    ShowMessageBox("All Newly created Scripts will use these formats!", PromptTable(13));
  }
  FocusActiveScript();
}

void TMainForm::EditUserListsItemClick(TObject*) {
  if (NoActiveDocument()) return;
  ShowEditUserLists();
  FocusActiveScript();
}

void TMainForm::RestoreDefaultListsItemClick(TObject*) {
  if (NoActiveDocument()) return;
  LoadOriginalUserLists();
  FocusActiveScript();
}

void TMainForm::HideinUserListClick(TObject* sender) {
  if (NoActiveDocument()) return;
  if (sender == MenuItem("HideLocationsItem")) HideLocations();
  else HideCharacterNames();
  FocusActiveScript();
}

void TMainForm::RepaginateNowItemClick(TObject*) {
  if (NoActiveDocument()) return;
  ActiveScript()->RefreshKeepingCursor();
  RefreshAfterChange();
}

// ---- Help ----

void TMainForm::MemoryAvailItemClick(TObject*) {
  ShowMessageBox("Due to the 32 bit Memory management system, this feature has been disabled.", "Attention");
}

void TMainForm::ConfigurationWizard1Click(TObject*) {
  RunOutsideProgram("CONFIGWZ.EXE", "Error Running the Configuration Wizard");
}

// The tool-bar layout is read again once the set-up program has run.
void TMainForm::EditSpeedBar1Click(TObject*) {
  if (RunOutsideProgram("SETUPBAR.EXE", "Error Running the SetupBar Utility")) ToolBar().SetupToolBars(false);
  MenusDue = 1;
  StatusLineDue = 1;
  Repaint();
}

// The item shows only while the program is installed; it may have gone since.
void TMainForm::MacquarieConciseItemClick(TObject*) {
  const std::string program = DictionaryProgramFile();
  if (program.empty() || !StartProgram(program, {}, ExtractFilePath(program)))
    ShowMessageBox("Unable to find MegaLex.EXE!", "");
}

void TMainForm::About1Click(TObject*) {
  ShowMessageBox(std::string(ProgramTitle) + "\r\rA word processor for scripts.", "About");
}

}  // namespace qm

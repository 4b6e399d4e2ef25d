#include "shell/documents.h"

#include "platform/forms.h"
#include "script/script_window.h"
#include "breakdown/tagging.h"
#include "base/global_state.h"
#include "files/disk_utils.h"
#include "language/character_names.h"
#include "files/file_job.h"
#include "files/element_records.h"
#include "files/file_format.h"
#include "files/foreign_files.h"
#include "files/imported_script.h"
#include "files/native_file.h"
#include "files/progress_dialog.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "script/editing/document_modified.h"
#include "script/model/packed_text.h"
#include "shell/backup_on_close.h"
#include "shell/main_form.h"
#include "shell/screen_colors.h"
#include "shell/status_line.h"
#include "base/program_busy.h"
#include "base/ini_file.h"
#include "shell/program_settings.h"
#include "base/prompt_table.h"
#include "base/message_boxes.h"
#include "script/layout/screen_rebuild.h"
#include "script/layout/word_wrap.h"
#include "shell/splash_screen.h"
#include "shell/status_line.h"
#include "shell/workspace.h"
#include "script/editing/scrolling.h"
#include "script/editing/editor_calls.h"

namespace qm {

bool NewDocument(const std::string& fileName) {
  if (DocumentCount >= MaxDocuments) {
    // The active slot stays what it was: the refused window never existed.
    ShowMessageBox("Sorry... but you can ONLY have 9 documents open at any one time.", "");
    return false;
  }
  if (!SplashScreen) ClearWorkSpace();
  // The open script windows share one state: a new one is maximised when they are.
  const TMDIChild* previous = NoActiveDocument() ? nullptr : ActiveScript();
  const bool maximized = previous && previous->WindowState == TWindowState::wsMaximized;
  ActiveDocument = static_cast<Byte>(DocumentCount + 1);
  Screen->SetCursor(5);
  auto* window = new TMDIChild(Application);
  if (maximized) window->WindowState = TWindowState::wsMaximized;
  Documents[ActiveDocument] = window;
  window->SetScriptCaption(fileName);
  ++DocumentCount;
  window->Show();
  window->Created();
  // Shown, the window was made active before Created set insert mode: the
  // status line read the mode a window starts with, typeover, and nothing
  // reads it again until the first idle pass (after the start-up questions).
  if (MainForm) MainForm->StatusLine().ShowInsertMode();
  FocusActiveScript();
  return true;
}

namespace {

enum class SaveAnswer { Saved, Discard, Stay };

// The save prompt and its "are you sure": Stay keeps the script open.
SaveAnswer AskToSave(const TScriptDocument& script) {
  for (;;) {
    const TModalResult answer = AskYesNoCancel("Save " + ShownFileName(script.ScriptFileName, 30) + "?", "", true);
    if (answer == mrCancel) return SaveAnswer::Stay;
    if (answer == mrYes) {
      MainForm->FileSaveItem->Click();
      if (!script.DocumentModified && PendingIOError == 0) return SaveAnswer::Saved;
      MessageBeep(0);
      ShowMessageBox("File was NOT Saved!", "");
      FocusActiveScript();
      return SaveAnswer::Stay;
    }
    if (MainForm->ExpertPrompting) return SaveAnswer::Discard;
    const TModalResult sure =
        AskYesNoCancel("Are you SURE you want to exit \"" + PathToText(ExtractFileName(script.ScriptFileName)) +
                           "\" without saving?\r\rAll changes WILL be lost if you select YES!",
                       "Warning!", false);
    if (sure == mrCancel) return SaveAnswer::Stay;
    if (sure == mrYes) return SaveAnswer::Discard;
  }
}

}  // namespace

TMDIChild* EditableActiveScript() {
  TMDIChild* script = ScriptForCommand();
  return script && script->Editable && script->CurrentElement() ? script : nullptr;
}

void CloseActiveScript(bool closeWindow) {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  if (!MainForm->ExitConfirmed && DocumentCount == 1) ClearWorkSpace();
  if (!script->Editable)
    script->DocumentModified = script->ModifiedSinceBackup = script->ChangedSinceBackup = script->SavedSinceBackup = 0;
  // The title names the script each question is about, under the name a
  // save may just have given it; a command's questions come before the
  // idle pass would name it.
  MainForm->UpdateWindowList();
  if (script->DocumentModified && !IsDocumentEmpty(ActiveDocument) && AskToSave(*script) == SaveAnswer::Stay) return;
  const Byte modified = script->DocumentModified;
  script->DocumentModified = 0;
  script->Closing = 1;
  MainForm->UpdateWindowList();
  if (closeWindow && CopyBeforeClosing(*script) == TCloseCopies::StayOpen) {
    script->DocumentModified = modified;
    script->Closing = 0;
    FocusActiveScript();
    return;
  }
  // Tagging mode belongs to the script it was entered for and ends with
  // the last script: closing another (a comparison's result) leaves it on.
  // A script kept open at the save question or a backup's keeps it.
  if (TaggingModeEnteredFor(*script) || DocumentCount == 1) MainForm->EndTaggingMode();
  if (closeWindow) RecordWorkSpaceAsScriptCloses();
  TCloseAction action = TCloseAction::caFree;
  script->FormClose(nullptr, action);
  if (!closeWindow) return;
  // The slot is emptied at once; the window itself goes once the current
  // message has been handled. The script of the slot the table leaves
  // active comes to the front, whichever window the desktop passes the
  // keyboard to as this one goes.
  RemoveDocument(script);
  const Byte next = ActiveDocument;
  script->Hide();
  script->Release();
  if (DocumentCount > 0) {
    MainForm->BringScriptForward(next);
    return;
  }
  // Neither the title nor the status line speaks of a script once none is
  // open, at once: Exit's last question comes before any idle pass.
  MainForm->UpdateWindowList();
  MainForm->StatusLine().Refresh(true);
}

}  // namespace qm

namespace qm {

namespace {

// The name as a path: doubled separators and ".." resolved without losing
// a character of any name; blanks after the name (the hand-off puts one
// after every parameter) dropped from the last part only.
std::string NormalizeScriptName(std::string name) {
  while (!name.empty() && name.back() == ' ' && !FileExists(name)) name.pop_back();
  return ExpandFileName(MapPath(name));
}

}  // namespace

void LayOutLoadedScript(TMDIChild& script) {
  TWrapPass pass(script);
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (e == script.CurrentElement() || !NeedsRewrap(*e)) continue;
    pass.Wrap(*e, ElementText(*e));
  }
  script.DisAssemble();
  // Loaded elements come each in a group of its own and unnumbered: the
  // status line would show scene 0 of 0 until the first keystroke.
  script.RebuildElementGroups();
  RebuildScreen(&script);
  script.Invalidate();
}

// A file of another program becomes a new script, unsaved, under a name
// of its own (ImportedScriptName).
bool LoadForeignFile(TMDIChild& window, const std::string& fileName, Byte code) {
  if (!ImportForeignFile(fileName, code)) return false;
  window.SetScriptCaption(ImportedScriptName(window, fileName));
  SetDocumentModified(true, false);
  return true;
}

namespace {

bool OpenNamedScript(std::string fileName, Byte hint) {
  fileName = NormalizeScriptName(fileName);
  if (fileName.empty()) return false;
  Screen->SetCursor(5);
  ProgramBusyScope busy;
  if (IsFileReadOnly(fileName) &&
      !AskOkCancel("This File is Marked as READ-ONLY and it will thus be opened in READ && PRINT ONLY Mode.",
                   "Attention"))
    return false;
  if (DocumentCount >= MaxDocuments || ConfirmOpenAgain(fileName)) {
    if (DocumentCount >= MaxDocuments) ShowMessageBox("You can ONLY have 9 scripts open at once!", PromptTable(0));
    FocusActiveScript();
    Screen->SetCursor(crDefault);
    return false;
  }
  TMDIChild* window = nullptr;
  TMDIChild* const previous = NoActiveDocument() ? nullptr : ActiveScript();
  const bool reused = !NoActiveDocument() && IsDocumentEmpty(ActiveDocument);
  const std::string reusedTitle = reused ? ActiveScript()->ScriptFileName : std::string();
  if (reused) {
    window = ActiveScript();
    editor::SetEditText(*window, "");
    window->SetScriptCaption(fileName);
  } else {
    if (!NewDocument(fileName)) return false;
    window = ActiveScript();
  }
  TProgressDlg& progress = ProgressDlg();
  progress.LoadFormatCode = hint;
  const Byte code = FileExists(fileName) ? DetectFileFormat(fileName, hint) : Byte{lfMissing};
  const bool loaded =
      IsForeignFormat(code) ? LoadForeignFile(*window, fileName, code) : progress.Execute(fileName, true, false);
  // A failed load closes the window made for it, never another one.
  if (!loaded) {
    if (reused) {
      window->SetScriptCaption(reusedTitle);
    } else if (SlotOf(window) != 0) {
      ActiveDocument = static_cast<Byte>(SlotOf(window));
      CloseActiveScript(true);
      // The writer is back in the script they opened it from, as though
      // nothing had been opened.
      if (previous && SlotOf(previous) != 0) MainForm->MakeShownScriptActive(previous);
    }
    Screen->SetCursor(crDefault);
    return false;
  }
  window->Editable = window->Editable && !IsFileReadOnly(fileName);
  // The window became active before its script was read.
  if (window->UsesUserColours) ApplyUserColorCode(window->TypingColorCode);
  LayOutLoadedScript(*window);
  // An opened script shows its start.
  GotoScriptTop(*window);
  BuildCharacterNameTable();
  FocusActiveScript();
  Screen->SetCursor(crDefault);
  return true;
}

}  // namespace

bool OpenScriptByName(std::string fileName, Byte hint) {
  if (MainForm) MainForm->HideFileList();
  const bool opened = OpenNamedScript(std::move(fileName), hint);
  // Nothing opened: the start-up list comes back rather than an empty window.
  if (!opened && MainForm && NoActiveDocument()) MainForm->ShowStartupFileChoice();
  return opened;
}

}  // namespace qm

#include "shell/main_form.h"

#include "files/disk_utils.h"
#include "files/file_format.h"
#include "files/undo_ring.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "script/alt_letter_names.h"
#include "script/document_modified.h"
#include "script/message_pump.h"
#include "script/screen_rebuild.h"
#include "script/scrolling.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/global_state.h"
#include "shell/ini_file.h"
#include "shell/message_boxes.h"
#include "shell/program_settings.h"
#include "shell/program_start.h"
#include "shell/program_identity.h"
#include "shell/prompt_table.h"

namespace qm {

TMainForm* MainForm;

namespace {
const GlobalState reset([] { MainForm = nullptr; });
}

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
  Name = "MainForm";
  WindowClass = "TMainForm";
  FormStyle = TFormStyle::fsMDIForm;
  Caption = "Quillmaster for Windows";
  SetBounds(0, 0, 800, 600);
  BuildPromptTable(true);
  BuildMenus();
  UndoObject = new TUndoObject(*this);
  OnCloseQuery = [this](TObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
  OnClose = [this](TObject* s, TCloseAction& action) { FormClose(s, action); };
  Application->OnMessage = [this](TMsg& msg, bool& handled) { HandleAppMessage(msg, handled); };
}

// The handlers point into this form, so they go before its parts do.
TMainForm::~TMainForm() {
  FormDestroy(this);
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::BuildMenus() {
  MainMenu = new TMainMenu(this);
  MainMenu->Name = "MainMenu";
  Menu = MainMenu;
  auto handler = [this](void (TMainForm::*method)(TObject*)) {
    return [this, method](TObject* sender) { (this->*method)(sender); };
  };
  FileMenu = MainMenu->Items()->AddItem("&File", {}, 0, "FileMenu");
  FileNewItem = FileMenu->AddItem("&New", handler(&TMainForm::FileNewItemClick), 0, "FileNewItem");
  FileOpenItem = FileMenu->AddItem("&Open", handler(&TMainForm::FileOpenItemClick), ShortCut(VK_F10, ssShift), "FileOpenItem");
  CloseFileItem = FileMenu->AddItem("&Close", handler(&TMainForm::CloseFileItemClick), ShortCut(VK_F4, ssCtrl), "CloseFileItem");
  FileSaveItem = FileMenu->AddItem("&Save", handler(&TMainForm::FileSaveItemClick), VK_F7, "FileSaveItem");
  FileSaveAsItem = FileMenu->AddItem("Save &As...", handler(&TMainForm::FileSaveAsItemClick), VK_F10, "FileSaveAsItem");
  FileMenu->AddItem("-");
  ExitQuillmasterItem = FileMenu->AddItem("E&xit", handler(&TMainForm::ExitQuillmasterItemClick), ShortCut(VK_F4, ssAlt),
                                          "ExitQuillmasterItem");
  EditMenu = MainMenu->Items()->AddItem("&Edit", {}, 0, "EditMenu");
  UndoItem = EditMenu->AddItem("&Undo", handler(&TMainForm::UndoItemClick), ShortCut(VK_BACK, ssAlt), "UndoItem");
  UndoItem->Tag = UndoItemTag;
  RedoItem = EditMenu->AddItem("R&edo", handler(&TMainForm::UndoItemClick), ShortCut(VK_BACK, ssCtrl | ssAlt),
                               "RedoItem");
  UndoBar = EditMenu->AddItem("-", {}, 0, "UndoBar");
  // Never shown: Ctrl+Z undoes as well.
  AlternateUndoItem = EditMenu->AddItem("AlternateUndo", handler(&TMainForm::UndoItemClick), ShortCut('Z', ssCtrl),
                                        "AlternateUndo");
  AlternateUndoItem->Tag = UndoItemTag;
  AlternateUndoItem->Visible = false;
  PastefromItem = EditMenu->AddItem("Paste &from...", handler(&TMainForm::PastefromItemClick), 0, "PastefromItem");
  GotoMenu = MainMenu->Items()->AddItem("&Goto", {}, 0, "GotoMenu");
  GotoTopItem = GotoMenu->AddItem("&Top", handler(&TMainForm::GotoTopOrBottomClick), 0, "GotoTopItem");
  GotoBottomItem = GotoMenu->AddItem("&Bottom", handler(&TMainForm::GotoTopOrBottomClick), 0, "GotoBottomItem");
  WindowMenu = MainMenu->Items()->AddItem("&Window", [this](TObject*) { UpdateWindowList(); }, 0, "WindowMenu");
  WindowCascadeItem = WindowMenu->AddItem("&Cascade", handler(&TMainForm::WindowTileItemClick), 0, "WindowCascadeItem");
  WindowTileItem = WindowMenu->AddItem("&Tile", handler(&TMainForm::WindowTileItemClick), 0, "WindowTileItem");
  WindowArrangeItem = WindowMenu->AddItem("&Arrange Icons", handler(&TMainForm::WindowArrangeItemClick), 0, "WindowArrangeItem");
  WindowMinimizeItem = WindowMenu->AddItem("&Minimize All", handler(&TMainForm::WindowMinimizeItemClick), 0, "WindowMinimizeItem");
  MaximizeWindowItem = WindowMenu->AddItem("Ma&ximize", handler(&TMainForm::MaximizeWindowItemClick), 0, "MaximizeWindowItem");
  WindowListBar = WindowMenu->AddItem("-", {}, 0, "WindowListBar");
  WindowListBar->Visible = false;
  for (int slot = 1; slot <= 9; ++slot) {
    TMenuItem* item = WindowMenu->AddItem("&" + std::to_string(slot), handler(&TMainForm::SwitchDocumentItem), 0,
                                          "Doc" + std::to_string(slot) + "Item");
    item->Tag = slot;
    item->Visible = false;
    DocItems[slot - 1] = item;
  }
  AltKeysMenu = MainMenu->Items()->AddItem("AltKeys", {}, 0, "AltKeysMenu");
  AltKeysMenu->Visible = false;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    TMenuItem* item = AltKeysMenu->AddItem(std::string(1, letter), handler(&TMainForm::AltKeyPressed), 0,
                                           std::string("AltKey") + letter + "Item");
    item->Tag = AltKeyItemTag;
  }
}

void TMainForm::GotoTopOrBottomClick(TObject* sender) {
  if (NoActiveDocument()) return;
  TMDIChild& script = *ActiveScript();
  SaveUndoStep(ukNavigation, false, false, 0);
  if (sender == GotoBottomItem) GotoScriptBottom(script);
  else GotoScriptTop(script);
  FocusActiveScript();
}

void TMainForm::ApplyGotoKeys() {
  // None, Ctrl, Alt, Ctrl+Alt with Home or End.
  constexpr unsigned Modifiers[] = {0, ssCtrl, ssAlt, ssCtrl | ssAlt};
  auto keyOf = [&](Byte choice, Word key) -> TShortCut {
    return choice == 0 || choice > 3 ? TShortCut{0} : ShortCut(key, TShiftState(Modifiers[choice]));
  };
  GotoTopItem->ShortCut = keyOf(GotoTopKeys, VK_HOME);
  GotoBottomItem->ShortCut = keyOf(GotoBottomKeys, VK_END);
}

void TMainForm::AltKeyPressed(TObject* sender) {
  const auto* item = dynamic_cast<const TMenuItem*>(sender);
  if (!item || item->Caption().empty() || NoActiveDocument()) return;
  HandleAltLetter(item->Caption()[0]);
}

void TMainForm::UndoItemClick(TObject* sender) {
  TMDIChild* script = ActiveScript();
  if (NoActiveDocument() || !script || !UndoObject) return;
  const auto* item = dynamic_cast<const TMenuItem*>(sender);
  const auto* component = dynamic_cast<const TComponent*>(sender);
  if ((item && item->Tag == UndoItemTag) || (component && component->Name == "UndoBtn")) UndoObject->Undo();
  else UndoObject->Redo();
  script->RedisplayScreen(true);
  FocusActiveScript();
}

void TMainForm::DetachIdleAndHint() {
  Application->OnIdle = nullptr;
  Application->OnHint = nullptr;
}

void TMainForm::AttachIdleAndHint() {
  Application->OnIdle = [this](TObject* s, bool& done) { AppIdle(s, done); };
}

void TMainForm::FormCloseQuery(TObject*, bool& canClose) {
  canClose = ExitConfirmed != 0;
  if (canClose) return;
  TMDIChild* active = ActiveScript();
  if (NoActiveDocument() || (active && active->Active())) {
    ExitQuillmasterItem->Click();
    ProcessMessagesGuarded();
  }
  canClose = ExitConfirmed != 0;
}

void TMainForm::ExitQuillmasterItemClick(TObject* sender) {
  DetachIdleAndHint();
  ExitConfirmed = 1;
  for (int slot = DocumentCount; slot >= 1; --slot) {
    ActiveDocument = static_cast<Byte>(slot);
    CloseActiveScript(true);
  }
  if (sender && DocumentCount == 0) {
    if (ExpertPrompting || AskYesNo("Exit Quillmaster for Windows?", PromptTable(34), true)) {
      Close();
      return;
    }
  }
  ExitConfirmed = 0;
  AttachIdleAndHint();
}

void TMainForm::FormClose(TObject*, TCloseAction&) {
  // Settings that cannot be written must not keep the program from ending.
  SaveProgramSettings();
  try {
    TIniFile(SettingsFileName).WriteBool("Pending", "Exited Normally", true);
  } catch (const EIniFileError&) {
  }
}

void TMainForm::FormDestroy(TObject*) {
  DetachIdleAndHint();
  Application->OnMessage = nullptr;
}

void TMainForm::SetupMenusEtc() {
  ProgramBusyScope busy;
  ApplyGotoKeys();
  if (!CommandLine.empty() && StartupFileTaken) OpenStartupFile(ScriptNameFromCommandLine(CommandLine));
  if (StartupFileTaken && StartupChoice == 3) OpenMostRecentScript();
  const bool created = DocumentCount == 0 && StartupChoice == 0 && !ExitConfirmed &&
                       NewDocument(ScriptDirectory + "/NONAME1." + ScriptExtension);
  if (created) FocusActiveScript();
}

// A script named on the command line: a bare name lives in the script
// folder, and a name without extension gets the script extension.
void TMainForm::OpenStartupFile(std::string name) {
  if (name.empty()) return;
  if (name.find('/') == std::string::npos) name = ScriptDirectory + "/" + name;
  const std::string ext = ExtractFileExt(name);
  if (ext.empty() || ext == ".") name = ChangeFileExt(name, "." + ScriptExtension);
  if (!FileExists(name)) {
    StartupFileFailed = true;
    ShowMessageBox(name + " does NOT exist!", PromptTable(0));
    return;
  }
  StartupFileTaken = false;
  if (!OpenScriptFile(LongPathName(name))) StartupFileFailed = true;
}

bool TMainForm::OpenScriptFile(const std::string& name) {
  if (DetectFileFormat(name, 8) == 0) return OpenScriptByName(name);
  // A foreign file is imported once the message loop runs.
  HandOffToInstance(Application->Handle(), name);
  return true;
}

void TMainForm::OpenMostRecentScript() {
  for (const TLastScript& entry : LastScriptsBuffer) {
    if (entry.Empty()) continue;
    const std::string full = entry.FullName();
    if (EnsureDriveReady(full) && FileExists(full)) OpenScriptFile(full);
    return;
  }
}

}  // namespace qm

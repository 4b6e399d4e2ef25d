#include "shell/main_form.h"

#include "breakdown/breakdowns_run_dialog.h"
#include "breakdown/set_lists.h"
#include "files/clipboard_paste.h"
#include "files/disk_utils.h"
#include "files/file_job.h"
#include "files/file_format.h"
#include "files/format_files.h"
#include "files/rtf_writer.h"
#include "files/undo_ring.h"
#include "language/quick_entry_dialog.h"
#include "language/spelling/spell_check_dialog.h"
#include "language/typing_aids.h"
#include "printing/print_menu.h"
#include "printing/print_run.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/office_button.h"
#include "platform/profile.h"
#include "platform/user_action.h"
#include "script/editing/alt_letter_names.h"
#include "script/editing/block_selection.h"
#include "script/editing/keyboard_commands.h"
#include "script/editing/message_pump.h"
#include "script/layout/char_widths.h"
#include "script/layout/screen_rebuild.h"
#include "script/editing/script_hooks.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/editing/scrolling.h"
#include "script/editing/window_activation.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/idle_loop.h"
#include "shell/menu_hints.h"
#include "shell/options_dialog.h"
#include "shell/outside_dictionary.h"
#include "story/storyboard_protocol.h"
#include "base/global_state.h"
#include "base/idle_detached.h"
#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "shell/program_settings.h"
#include "shell/program_start.h"
#include "shell/auto_scroll.h"
#include "shell/right_panel.h"
#include "shell/ruler.h"
#include "shell/script_popups.h"
#include "shell/status_line.h"
#include "shell/tool_bar.h"
#include "shell/workspace.h"
#include "base/program_identity.h"
#include "base/prompt_table.h"

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
  UseProgramOptions(this);
  DocumentFrame = this;
  SetBounds(0, 0, 800, 600);
  BuildPromptTable(true);
  BuildMenus();
  toolBar_ = std::make_unique<TToolBar>(*this);
  statusLine_ = std::make_unique<TStatusLine>(*this);
  rightPanel_ = std::make_unique<TRightPanel>(*this);
  scriptPopups_ = std::make_unique<TScriptPopups>(*this);
  ruler_ = std::make_unique<TRuler>(*this);
  BuildStartupFileList();
  UndoHooks.ShowUndoCommands = [this](bool shown) {
    for (TMenuItem* item : {UndoItem, RedoItem, UndoBar}) item->Visible = shown;
  };
  UndoHooks.MenusDue = [this] { MenusDue = 1; };
  FileJobHooks.WriteTimedBackups = &WriteTimedBackups;
  // Set lists reach the clipboard as RTF through the file writers; the
  // spelling dialog opens the options at their spelling page; printer
  // widths are measured by the print engine.
  SetListHooks.RichTextAsRtf = &SetListAsRtf;
  CharWidthHooks.MeasurePrinterWidths = &MeasurePrinterCharWidthsInto;
  SpellDialogHooks.SpellingOptions = [] { ShowProgramSettings("SpellCheckPage", "Set Spell Check Options"); };
  InstallDraftHooks();
  UndoObject = new TUndoObject(this);
  ScriptWindowHooks.CloseScript = [this](TMDIChild& script) { CloseScriptWindow(script); };
  // Word-processor mode belongs to the script being written.
  ScriptWindowHooks.ScriptClosing = [this] {
    if (ElementPopDownList) ElementPopDownList->Visible = false;
    ScriptPopups().ClosePowerPanel();
    ToggleWPMode(true);
    // The quick entry box goes with any script window, its settings kept:
    // the next script that asks for it has it made anew.
    SaveQuickEntrySettings();
  };
  InstallTypingAids();
  InstallBreakdownReports();
  BlockSelectionHooks.BlockCommandsChanged = [this](bool block) { SetEditCommandsEnabled(block); };
  ScriptWindowHooks.ReadFormatDefaults = [] { ReadFormatDefaults(); };
  ScriptWindowHooks.LoadDefaultFormats = [](const std::string& name) {
    return LoadFormatsFile(name, true, true, true);
  };
  ScriptWindowHooks.DropBlock = &DropBlockAt;
  OnCloseQuery = [this](TObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
  OnClose = [this](TObject* s, TCloseAction& action) { FormClose(s, action); };
  Application->OnMessage = [this](TMsg& msg, bool& handled) { HandleAppMessage(msg, handled); };
  Application->OnHint = [this](TObject*) { StatusLine().ShowAppHint(); };
  // Whatever a key, a click or a command changed, the CONT'D of every open
  // script follows before the next one.
  TUserAction::OnStart = [] {
    if (UndoObject) UndoObject->ActionStarts();
  };
  TUserAction::OnDone = [] {
    for (int slot = 1; slot <= DocumentCount; ++slot)
      if (Documents[slot]) editor::UpdateContinuedCues(*Documents[slot]);
    // The marks just made belong to the action's step.
    if (UndoObject) UndoObject->ActionEnds();
  };
  ActivationHooks.ScriptActivated = [this](TMDIChild&) { FollowActivatedScript(); };
  KeyCommandHooks.ClickButton = [this](const std::string& name) {
    if (auto* button = dynamic_cast<TOfficeButton*>(FindComponent(name)); button && button->Enabled()) button->Click();
  };
  KeyCommandHooks.ShotMenu = [this] { ScriptPopups().ShowShotPopup(nullptr); };
  KeyCommandHooks.TransitionMenu = [this] { ScriptPopups().ShowTransitionPopup(nullptr); };
  KeyCommandHooks.ChooseElementType = [this] { return ChooseInteractiveElement(); };
  InstallStoryHooks();
  autoScroll_ = std::make_unique<TAutoScroll>();
  autoScroll_->HookMessages();
}

// The handlers point into this form, so they go before its parts do.
TMainForm::~TMainForm() {
  autoScroll_.reset();
  FormDestroy(this);
  if (MainForm == this) MainForm = nullptr;
  if (Application) Application->OnHint = nullptr;
  if (DocumentFrame == this) {
    DocumentFrame = nullptr;
    UseProgramOptions(nullptr);
    UndoHooks.ShowUndoCommands = nullptr;
    UndoHooks.MenusDue = nullptr;
    FileJobHooks.WriteTimedBackups = nullptr;
    ScriptWindowHooks.CloseScript = nullptr;
    ScriptWindowHooks.ScriptClosing = nullptr;
    BlockSelectionHooks.BlockCommandsChanged = nullptr;
    ScriptWindowHooks.ReadFormatDefaults = nullptr;
    ScriptWindowHooks.LoadDefaultFormats = nullptr;
    ScriptWindowHooks.AddForcedPageBreak = nullptr;
    ScriptWindowHooks.DropBlock = nullptr;
    ActivationHooks.ScriptActivated = nullptr;
    ActivationHooks.ScriptDeactivated = nullptr;
    KeyCommandHooks = {};
    PrintMenuHooks = {};
    BreakdownDialogHooks = {};
    story::StoryboardHooks.ActivateSlot = nullptr;
  }
}

void TMainForm::BuildMenus() {
  MainMenu = new TMainMenu(this);
  MainMenu->Name = "MainMenu";
  Menu = MainMenu;
  TMenuItem* parents[5] = {MainMenu->Items()};
  for (const TMenuRow& row : MainMenuRows()) {
    TMenuItem* item = new TMenuItem(parents[row.depth - 1]);
    item->Caption = row.caption;
    item->ShortCut = TextToShortCut(row.shortCut);
    if (row.name[0]) item->Name = row.name;
    item->Hint = MenuHintOf(row.name);
    item->Tag = row.tag;
    item->Visible = !row.hidden;
    if (row.command) {
      item->OnClick = [this, command = row.command](TObject* sender) {
        (this->*command)(sender);
        MenusDue = 1;
      };
    }
    // A command whose routine is not there stays disabled whatever the state.
    if (row.waitsFor != Built) item->Enabled = false;
    parents[row.depth - 1]->Add(item);
    parents[row.depth] = item;
    menuBindings_.push_back({&row, item});
  }
  WindowMenu = MenuItem("WindowMenu");
  WindowMenu->OnClick = [this](TObject*) { UpdateWindowList(); };
  WindowListBar = WindowMenu->AddItem("-", {}, 0, "WindowListBar");
  WindowListBar->Visible = false;
  for (int slot = 1; slot <= 9; ++slot) {
    TMenuItem* item = WindowMenu->AddItem(
        "&" + std::to_string(slot), [this](TObject* s) { SwitchDocumentItem(s); }, 0,
        "Doc" + std::to_string(slot) + "Item");
    item->Tag = slot;
    item->Visible = false;
    DocItems[slot - 1] = item;
  }
  BindNamedItems();
  BuildElementBox();
}

void TMainForm::BindNamedItems() {
  FileMenu = MenuItem("FileMenu");
  FileNewItem = MenuItem("FileNewItem");
  FileOpenItem = MenuItem("FileOpenItem");
  CloseFileItem = MenuItem("CloseFileItem");
  FileSaveItem = MenuItem("FileSaveItem");
  FileSaveAsItem = MenuItem("FileSaveAsItem");
  PastefromItem = MenuItem("PastefromItem");
  ExitQuillmasterItem = MenuItem("ExitQuillmasterItem");
  EditMenu = MenuItem("EditMenu");
  UndoItem = MenuItem("UndoItem");
  RedoItem = MenuItem("RedoItem");
  UndoBar = MenuItem("UndoBar");
  AlternateUndoItem = MenuItem("AlternateUndo");
  WindowCascadeItem = MenuItem("WindowCascadeItem");
  WindowTileItem = MenuItem("WindowTileItem");
  WindowArrangeItem = MenuItem("WindowArrangeItem");
  WindowMinimizeItem = MenuItem("WindowMinimizeItem");
  MaximizeWindowItem = MenuItem("MaximizeWindowItem");
  AltKeysMenu = MenuItem("AltKeysMenu");
}

TMenuItem* TMainForm::MenuItem(const std::string& name) const {
  for (const TMenuBinding& binding : menuBindings_)
    if (name == binding.row->name) return binding.item;
  return nullptr;
}

void TMainForm::GotoTopOrBottomClick(TObject* sender) {
  if (NoActiveDocument()) return;
  TMDIChild& script = *ActiveScript();
  SaveUndoStep(ukNavigation, false, false, 0);
  const std::string name = SenderName(sender);
  const bool bottom = name == "GotoBottomItem" || name == "AltGotoBottomItem";
  if (bottom) GotoScriptBottom(script);
  else GotoScriptTop(script);
  FocusActiveScript();
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
  if ((item && item->Tag == UndoItemTag) || SenderName(sender) == "UndoBtn") UndoObject->Undo();
  else UndoObject->Redo();
  script->RedisplayScreen(true);
  FocusActiveScript();
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
  // Put back however the Exit ends short of closing the program: a script
  // kept open, No, a Cancel, or a settings file that cannot be written.
  IdleAndHintDetached idle;
  ScopedState<Byte> exiting(ExitConfirmed, 1);
  TMDIChild* const shown = ActiveScript();
  // The scripts open now are the workspace of the next start.
  const TExitWorkSpace workspace(shown);
  // Each script is asked about with it in front: the questions, and what
  // the answers save and back up, are the script's the writer sees.
  for (int slot = DocumentCount; slot >= 1; --slot) {
    BringScriptForward(slot);
    CloseActiveScript(true);
  }
  if (sender && DocumentCount == 0) {
    if (ExpertPrompting || AskYesNo("Exit Quillmaster for Windows?", PromptTable(34), true)) {
      Close();
      if (Application->Terminated()) {
        idle.Keep();
        exiting.Keep();
      }
      return;
    }
  }
  if (DocumentCount > 0) MakeShownScriptActive(shown);
}

void TMainForm::FormClose(TObject*, TCloseAction&) {
  // Every setting goes to the file in one write. Settings that cannot be
  // written must not keep the program from ending.
  ProfileWriteBatch batch(SettingsFilePath());
  SaveProgramSettings();
  try {
    TIniFile(SettingsFileName).WriteBool("Pending", "Exited Normally", true);
  } catch (const EIniFileError&) {
  }
  batch.Commit();
}

void TMainForm::FormDestroy(TObject*) {
  TUserAction::OnStart = nullptr;
  TUserAction::OnDone = nullptr;
  Application->OnIdle = nullptr;
  Application->OnHint = nullptr;
  Application->OnMessage = nullptr;
}

void TMainForm::SetupMenusEtc() {
  ProgramBusyScope busy;
  SetupMenuCaptions();
  MenuItem("MacquarieConciseItem")->Visible = !DictionaryProgramFile().empty();
  if (!CommandLine.empty() && StartupFileTaken) OpenStartupFile(ScriptNameFromCommandLine(CommandLine));
  if (StartupFileTaken && StartupChoice == 3) OpenMostRecentScript();
  if (StartupFileTaken && StartupChoice == 4) RestoreWorkSpace();
  const bool created = DocumentCount == 0 && StartupChoice == 0 && !ExitConfirmed &&
                       NewDocument(ScriptDirectory + "/NONAME1." + ScriptExtension);
  UpdateMenusAndButtons();
  if (created) FocusActiveScript();
}

// A script named on the command line (see CommandLineScriptPath).
void TMainForm::OpenStartupFile(std::string name) {
  if (name.empty()) return;
  name = CommandLineScriptPath(name, true);
  if (!ScriptThereToOpen(name)) {
    StartupFileFailed = true;
    ShowMessageBox(PathToText(name) + " does NOT exist!", PromptTable(0));
    return;
  }
  StartupFileTaken = false;
  name = LongPathName(name);
  if (DetectFileFormat(name, 8) != 0) StartupFileHandedOff = name;
  if (!OpenScriptFile(name)) StartupFileFailed = true;
}

bool TMainForm::OpenScriptFile(const std::string& name) {
  if (DetectFileFormat(name, 8) == 0) return OpenScriptByName(name);
  // A foreign file is imported once the message loop runs; whether that
  // worked is known only then.
  HandOffToInstance(Application->Handle(), name);
  return true;
}

void TMainForm::OpenMostRecentScript() {
  for (const TLastScript& entry : LastScriptsBuffer) {
    if (entry.Empty()) continue;
    const std::string full = entry.FullName();
    if (!EnsureDriveReady(full) || !FileExists(full)) return;
    // A script kept on a removable disk asks for that disk first.
    if (DriveOf(full).Kind == DriveKind::Removable &&
        !AskOkCancel("Please Insert the Disk into Drive " + PathToText(entry.Folder) + "\rthat has \"" +
                         PathToText(entry.Name) + "\" on it...",
                     PromptTable(5)))
      return;
    OpenScriptFile(full);
    return;
  }
}

}  // namespace qm

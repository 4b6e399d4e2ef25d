// The options dialog's logic: which control edits which option, and the
// copying between them.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>

#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "base/document_table.h"
#include "files/undo_ring.h"
#include "script/layout/editor_state.h"
#include "platform/dialog_builder.h"
#include "platform/files.h"
#include "printing/print_cards_dialog.h"
#include "shell/main_form.h"
#include "shell/options_dialog.h"
#include "shell/backup_drive.h"
#include "shell/key_overrides.h"
#include "shell/mark_slider.h"
#include "shell/program_settings.h"
#include "shell/program_start.h"
#include "shell/settings_keys.h"
#include "shell/status_line.h"

namespace qm {

namespace {

using O = TProgramOptions;

// Numbers outside a control's range are refused rather than stored.
bool ReadNumber(const TEdit& edit, int min, int max, int& value) {
  const std::string text = edit.Text();
  char* end = nullptr;
  const long n = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || n < min || n > max) return false;
  value = static_cast<int>(n);
  return true;
}

}  // namespace

const std::vector<TOptionBox>& OptionBoxes() {
  static const std::vector<TOptionBox> boxes = {
      {"Editing", "TypeoverBox", "Allow T&ypeover", &O::AllowTypeover},
      {"Editing", "UseAltKeysBox", "&Enable Alt-Keys for Character Name Entry", &O::UseAltKeys},
      {"Editing", "UltimateAltKeysBox", "Allow an&y name to be selected for any Alt+Key", &O::UseUltimateAltKeys},
      {"Editing", "FormatKillsBlockBox", "Selecting &Bold, Italics, or Underline turns off Block",
       &O::FormatKillsBlock},
      {"Editing", "StripTimesBox",
       "&When Parsing Scene Headings for the Locations List, only strip off known Time-of-Days",
       &O::StripKnownTimesOnly},
      {"Editing", "EnterToNameBox", "Enter in &Dialogue takes you to Character Name", &O::EnterToCharacterName},
      {"Editing", "EnterInNoteBox", "Enter in Script &Note adds Hard Return", &O::EnterInNoteIsHR},
      {"Editing", "TabToParenthBox", "Tab in Dialogue takes you to &Parenthetical", &O::TabToParenth},
      {"QuickType", "UseQuickTypeBox", "Enable &QuickType Entry", &O::UseQuickType},
      {"QuickType", "AutoSceneBodyBox", "&Locations after INT./EXT. selection", &O::AutoAddSceneBody},
      {"QuickType", "AutoTimeDayBox", "&Time-of-Day List after Location Selection", &O::AutoAddTimeDay},
      {"QuickType", "CharNameListBox", "&Character Names Box on Character Name Entry", &O::DisplayCharNameList},
      {"QuickType", "RunningExtensionsBox", "Character E&xtensions", &O::KeepRunningExtensions},
      {"QuickType", "RunningTransitionsBox", "&Transitions", &O::KeepRunningTransitions},
      {"QuickType", "RunningShotsBox", "&Shots", &O::KeepRunningShots},
      {"Startup/Files", "StartAtBookmarkBox", "When &opening a script, start at last saved position",
       &O::StartAtBookmark},
      {"Startup/Files", "PasswordProtectBox", "&Password Protect Scripts", &O::PasswordProtect},
      {"SmartCheck", "AutoRunBox", "&Automatically Run SmartCheck before Printing", &O::SmartCheckAutoRun},
      {"SmartCheck", "BlankSpaceBox", "Single Starting &Blank Space", &O::SmartCheckBlankSpace, true},
      {"SmartCheck", "BlankElementBox", "Completely Blank &Elements", &O::SmartCheckBlankElement, true},
      {"SmartCheck", "NoDialogueBox", "Character &Names without Dialogue", &O::SmartCheckNoDialogue, true},
      {"SmartCheck", "SecondNameBox",
       "&Second Character Name when he/she speaks twice in a row with nothing between the two speeches",
       &O::SmartCheckSecondName, true},
      {"SmartCheck", "BeepOnErrorBox", "Bee&p on Found Formatting Error", &O::SmartCheckBeepOnError},
      {"SmartCheck", "IgnoreBlanksBox", "&Ignore Blank Lines which have Revision Marks",
       &O::SmartCheckIgnoreBlanksWithRevisionMark},
      {"SmartCheck", "MatchedExtensionsBox",
       "Ign&ore the same Name speaking twice in a row when Extensions do NOT match",
       &O::SmartCheckRequireMatchedExtensions},
      {"SmartCheck", "WidowedOmittedsBox", "&Combine OMITTEDS that are Widowed on page",
       &O::SmartCheckFindWidowedOmitteds},
      {"SpellCheck", "RealTimeSpellBox",
       "&Spell Check as you Type && Edit (Required for the use of Character Name Aliases && Substition Text)",
       &O::RealTimeSpellCheck},
      {"SpellCheck", "AutocorrectBox", "&Auto-Correct Typos", &O::RealTimeAutocorrect},
      {"SpellCheck", "PromptMultiplesBox", "&Prompt on Multiple Words during Auto-Correction", &O::PromptOnMultiples},
      {"SpellCheck", "BeepUnknownBox", "&Beep on Unknown Words", &O::BeepOnUnknown},
      {"SpellCheck", "SentenceCapsBox", "S&entences", &O::SentenceCapitalization},
      {"SpellCheck", "AfterShotsBox", "&Except immediately following Shots...", &O::CapitalizeAfterShots, true},
      {"SpellCheck", "NameCapsBox", "Character &Names (", &O::NameCapitalization},
      {"SpellCheck", "AllCapNamesBox", "A&ll Caps", &AllCapNames},
      {"SpellCheck", "AutoSpacingBox", "Auto-S&pace Sentences to", &O::AutoSentenceSpacing},
      {"SpellCheck", "MistakesBox", "Correct &Double Capitals  (eg \"MIstake\")", &O::CorrectMistakes},
      {"SpellCheck", "ParenthEndBox",
       "&Treat \")\" as a Sentence end in dialogue for the purposes of auto-capitalization && spacing",
       &O::RightParenthsIsSentenceEnd},
      {"SpellCheck", "NonRealTimeBox", "&Correct Capitalization/Spacing when run normally", &O::NonRealTimeCorrection},
      {"SpellCheck", "IgnoreCapsBox", "&Ignore Capitalization when checking Words", &O::IgnoreCaps},
      {"Misc.", "NoAutoPaginationBox", "Not Real-&Time", &O::NoAutoPagination},
      {"Misc.", "ExpertBox", "&Disable Warning Prompts (Expert Users Only)", &O::ExpertPrompting},
      {"Misc.", "DisplayHeadersBox", "Display &Headers/Footers On Screen (WYSIWYG)", &O::DisplayHeaders},
      {"Misc.", "ControlSBox", "<&Ctrl+S> saves file rather than Inserts Scene", &O::ControlSIsSave},
      {"Misc.", "PageBreakTypeBox", "Display &Page Break Type on Screen", &DisplayPageBreakType},
      {"Misc.", "RetrieveProgressBox", "&Show Open/Save Progress (will slow it down)", &O::ShowRetrieveProgress},
      {"Misc.", "CutPasteProgressBox", "Show &Cut/Paste Progress (will slow it down)", &O::ShowCutPasteProgress},
      {"Misc.", "RightScrollBox", "Clicking on &Right Scroll Bar Moves by Screen", &O::RightScrollByScreen},
      {"Misc.", "ShareClipboardBox", "Share Clipboard with &Other Windows programs", &ProprietaryFormatOnly, true},
      {"Misc.", "EllipsesBox", "&Allow Page Breaks at Ellipses...", &AllowPageBreakAtElipses},
      {"Misc.", "TextModeBox", "Allow \"Normal &Word Processor\" Mode", &O::AllowTextMode},
      {"Misc.", "SwearsBox", "Allow swear words in thesaurus", &O::AllowSwearsInThesaurus},
      {"Revisions", "ThresholdBox", "&After", &O::UseRevisionThreshold},
      {"Revisions", "PlainAsteriskBox", "&Use an Asterisk on the Header instead of the Normally Defined Revision Mark",
       &O::UsePlainAsterisk},
      {"Revisions", "PrintAfterThresholdBox",
       "&Don't print Revision marks on each line for pages which have reached or exceeded the threshold number of "
       "Revision Marks as defined above",
       &O::PrintAfterThreshold, true},
      {"Revisions", "AsteriskAPagesBox", "Asterisk Headers of &NEW A-Pages that don't have any revisions on them.",
       &O::AsteriskNewAPages},
      {"Revisions", "LineUnderHeaderBox",
       "&Put the Header Revision mark on the line under the header rather than to the right of it",
       &O::PutAsteriskOnLineUnderHeader},
      {"Revisions", "SeparateOmittedBox", "Print &Separate full \"PAGE OMITTED\" pages", &O::CombineOmittedPages, true},
      {"Revisions", "MarkAllCutsBox", "&Mark Element following Complete Deletion", &O::MarkAllCuts},
      {"Revisions", "APageContinuedBox", "Consider A-Pa&ges in numbering Top Continueds", &O::CountAPageContinued},
      {"Revisions", "AutoUpdateHeadersBox", "Auto-&Update Locked Headers on Revision", &O::AutoUpdateHeaders},
      {"Printer", "BottomContinuedBox", "Print &Bottom Continued at Fixed Line", &O::BottomContinued},
      {"Printer", "ColoredTextBox", "&Print Color Text Highlight (grey on B&&W Printers)", &O::PrintColoredText},
      {"Printer", "FinalMoreBox",
       "Print (MORE) at page end when dialogue isn't broken but character is first to talk on next page",
       &O::PrintFinalMore},
      {"Printer", "CompressBox", "&Always Compress Quillpress Files", &O::AlwaysCompressQPressFiles},
      {"Printer", "EntireScenePagesBox", "When printing by Scenes, print entire pages", &O::PrintEntireScenePages},
      {"Mouse", "HideMouseBox", "H&ide Mouse Cursor when Typing", &O::HideMouse},
      {"Mouse", "MoveMouseBox", "&Move Mouse Cursor to Menu Default Button", &O::AllowMenuToMoveMouse},
      {"Mouse", "DragBreakBox", "&Drag'n'Drop should break Elements in middle", &O::DragAndDropBreak},
      {"Mouse", "MouseWordsBox", "Mouse &Selects text by Whole Words", &O::MouseBlocksByWords},
      {"Mouse", "MouseStartWordBox", "&Including First Word of Block", &O::MouseBlockStartWord},
      {"Mouse", "ClickKillsBlockBox", "Single Click Turns O&ff Block", &O::MouseClickKillsBlock},
      {"Mouse", "SelectOnUpBox", "Make selection &when you release right button", &O::SelectOnMouseUp},
      {"Mouse", "StayForBlockBox", "Display Block Editing Panel when you choose any Block Selection Button",
       &O::StayForBlock},
      {"Mouse", "MoveToClickBox", "Mo&ve Cursor to Right Click Position", &O::MoveToRightClick},
      {"Multimedia", "RefPageNumbersBox",
       " When &Printing Branch Points, print the page number of each referenced Branch Target",
       &O::PrintReferencePgNumbers},
      {"Multimedia", "SmartArrowsBox", " &Use Smart Activity Arrows", &O::SmartArrows},
      {"Multimedia", "AutoVariableBox", " &Automatically Pop Up Variable List when typing", &O::AutoVariableInput},
      {"Multimedia", "JumpNewPageBox", " &Start each Branch Target at the top of a Page",
       &O::EachJumpPositionOnNewPage},
  };
  return boxes;
}

const std::vector<TOptionNumber>& OptionNumbers() {
  static const std::vector<TOptionNumber> numbers = {
      {"UndoLevelsEdit", "Undo Levels", 0, MaxUndoLevels},
      {"AutosaveEdit", "Timed Backup Frequency (Minutes)", 1, 60},
      {"MaxLengthEdit", "Max. Length", 5, 99},
      {"SpacingEdit", "Auto-Space Sentences to (Spaces)", 1, 9},
      {"ThresholdEdit", "Revision Marks on the Page", 1, 100},
  };
  return numbers;
}

namespace {

bool& FlagOf(const TOptionBox& box, TProgramOptions& options) {
  return std::visit(
      [&](auto place) -> bool& {
        if constexpr (std::is_same_v<decltype(place), bool*>) return *place;
        else return options.*place;
      },
      box.Flag);
}

int NumberOf(const std::string& name, const TProgramOptions& o) {
  if (name == "UndoLevelsEdit") return UndoObject ? UndoObject->UndoLevels() : ReadUndoLevels();
  if (name == "AutosaveEdit") return AutosaveInterval;
  if (name == "MaxLengthEdit") return o.AutocorrectMaxLength;
  if (name == "SpacingEdit") return std::max<int>(1, static_cast<int>(o.SentenceSpacing.size()));
  return o.RevisionThreshold;
}

void SelectByText(TComboBox& list, const std::string& text) {
  list.SetItemIndex(text.empty() ? -1 : list.Items.IndexOf(text));
}

std::string SelectedText(const TComboBox& list) {
  return list.ItemIndex() >= 0 ? list.Items[list.ItemIndex()] : std::string();
}

}  // namespace

void TSettingsDlg::FillControls() {
  filling_ = true;
  TProgramOptions& o = ProgramOptions();
  for (const TOptionBox& b : OptionBoxes()) Box(b.Name)->SetChecked(FlagOf(b, o) != b.Inverse);
  for (const TOptionNumber& n : OptionNumbers()) NumberEdit(n.Name)->Text = std::to_string(NumberOf(n.Name, o));
  DialogControl<TRadioGroup>(*this, "SmartTabGroup")->SetItemIndex(!o.UseSmartTab ? 2 : o.UseSmartTabPlus ? 1 : 0);
  if (o.StartupChoice <= 4) Radio("Startup" + std::to_string(o.StartupChoice))->SetChecked(true);
  Radio("ScrExtension")->SetChecked(ScriptExtension == "SCR");
  Radio("QmwExtension")->SetChecked(ScriptExtension == "QMW");
  const bool substitute = !o.SubstituteFont.empty();
  Radio(substitute ? "SubstituteRadio" : "DarkenRadio")->SetChecked(true);
  SelectByText(*List("FontToSubstituteBox"), o.SubstituteFont);
  SelectByText(*List("SubstituteFontBox"), o.DisplayFont);
  Box("DisplayFontBox")->SetChecked(!o.DisplayFont.empty() && o.DisplayFont != "Courier New");
  List("DarknessBox")->SetItemIndex(std::min<int>(o.DarkenCourierNew, 3));
  paginationDelay_ = o.PaginationDelay;
  SetupDelayPos(paginationDelay_);
  const std::pair<const char*, Byte> keyLists[] = {{"DeleteWordBox", o.DeleteWordKeys},
                                                   {"DeleteLeftWordBox", o.DeleteLeftWordKeys},
                                                   {"DeleteToEolBox", o.DeleteToEolKeys},
                                                   {"GotoTopBox", o.GotoTopKeys},
                                                   {"GotoBottomBox", o.GotoBottomKeys}};
  for (const auto& [name, index] : keyLists) List(name)->SetItemIndex(index);
  Radio(o.CtrlKeyCutPaste ? "CtrlCutPaste" : "ShiftCutPaste")->SetChecked(true);
  Radio(o.UsePowerPanel ? "PowerPanelRadio" : "PopUpRadio")->SetChecked(true);
  KeyOverrides = o.KeyOverrideTable;
  DialogControl<TListBox>(*this, "KeyList")->SetItemIndex(0);
  List("KeyValueBox")->SetItemIndex(KeyOverrides[0]);
  const TIniFile ini = OpenSettingsFile();
  Box("SplashMusicBox")->SetChecked(ReadOptionValue<bool>(ini, SplashMusicKey));
  Box("ZoomLogoBox")->SetChecked(ReadOptionValue<bool>(ini, ZoomLogoKey));
  SetupEnabled();
  filling_ = false;
}

void TSettingsDlg::SetupDelayPos(int delay) {
  if (delay >= 5 && delay <= 50 && delay % 5 == 0) delaySlider_->SetPosition(delay / 5 - 1);
}

void TSettingsDlg::SetupEnabled() {
  const bool spell = Box("RealTimeSpellBox")->Checked();
  for (const char* name : {"AutocorrectBox", "PromptMultiplesBox", "NameCapsBox", "BeepUnknownBox"})
    Box(name)->Enabled = spell;
  const bool maxLength = spell && Box("AutocorrectBox")->Checked();
  for (const char* name :
       {"MaxLengthEdit", "MaxLengthEditUp", "MaxLengthEditDown", "MaxLengthLabel", "MaxLengthEndLabel"})
    DialogControl<TControl>(*this, name)->Enabled = maxLength;
  Box("AllCapNamesBox")->Enabled = Box("NameCapsBox")->Enabled() && Box("NameCapsBox")->Checked();
  Box("AfterShotsBox")->Enabled = Box("SentenceCapsBox")->Checked();
  Box("UltimateAltKeysBox")->Enabled = Box("UseAltKeysBox")->Checked();
  Box("AutoSceneBodyBox")->Enabled = Box("UseQuickTypeBox")->Checked();
  Box("AutoTimeDayBox")->Enabled = Box("UseQuickTypeBox")->Checked();
  Box("MouseStartWordBox")->Enabled = Box("MouseWordsBox")->Checked();
  const bool power = Radio("PowerPanelRadio")->Checked();
  for (const char* name : {"SelectOnUpBox", "StayForBlockBox", "MoveToClickBox"}) Box(name)->Enabled = power;
}

void TSettingsDlg::ConfirmBox(const std::string& name) {
  if (filling_) return;
  TCheckBox* box = Box(name);
  if (!box->Checked()) return;
  if (name == "NoAutoPaginationBox") {
    box->SetChecked(AskYesNo(
        "By checking \"Not Real-Time\", it won't put in page breaks until you A) print, B) press Page Up/Down, C) "
        "Use the Goto Page function, or D) select Repaginate Now on the format Menu.\r\n\r\nShould I turn off the "
        "Real-Time Pagination?",
        PromptTable(11), true));
    return;
  }
  ShowMessageBox(
      "When you password protect scripts, you will be solely responsible for the consequences, including any loss "
      "of work or money due to any inability to access any file.  Recovery of lost passwords will require sending "
      "the file to us and may incur a fee.",
      PromptTable(12));
  box->SetChecked(AskTypeYes("Are you sure you want to enable Passwords?", PromptTable(20)));
}

bool TSettingsDlg::StoreControls() {
  // Every number is checked before anything is stored.
  std::map<std::string, int> numbers;
  for (const TOptionNumber& n : OptionNumbers()) {
    int value = 0;
    if (!ReadNumber(*NumberEdit(n.Name), n.Min, n.Max, value)) {
      ShowMessageBox(std::string(n.What) + " must be a number from " + std::to_string(n.Min) + " to " +
                         std::to_string(n.Max) + ".",
                     PromptTable(11));
      NumberEdit(n.Name)->SetFocus();
      return false;
    }
    numbers[n.Name] = value;
  }
  TIniFile ini = OpenSettingsFile();
  WriteOptionValue(ini, SplashMusicKey, Box("SplashMusicBox")->Checked());
  WriteOptionValue(ini, ZoomLogoKey, Box("ZoomLogoBox")->Checked());

  TProgramOptions& o = ProgramOptions();
  o.KeyOverrideTable = KeyOverrides;
  ApplyKeyOverrides();
  StoreBackupDriveChoice(*this);
  for (const TOptionBox& b : OptionBoxes()) FlagOf(b, o) = Box(b.Name)->Checked() != b.Inverse;
  AutosaveInterval = static_cast<Word>(numbers["AutosaveEdit"]);
  o.AutocorrectMaxLength = static_cast<Byte>(numbers["MaxLengthEdit"]);
  o.SentenceSpacing = std::string(static_cast<std::size_t>(numbers["SpacingEdit"]), ' ');
  o.RevisionThreshold = static_cast<Byte>(numbers["ThresholdEdit"]);
  const int smartTab = DialogControl<TRadioGroup>(*this, "SmartTabGroup")->ItemIndex();
  o.UseSmartTab = smartTab == 0 || smartTab == 1;
  o.UseSmartTabPlus = smartTab == 1;

  const std::string printerFont = SelectedText(*List("FontToSubstituteBox"));
  o.SubstituteFont = Radio("SubstituteRadio")->Checked() ? printerFont.substr(0, 100) : std::string();
  const std::string screenFont = SelectedText(*List("SubstituteFontBox"));
  if (!Box("DisplayFontBox")->Checked() || screenFont.empty() || screenFont == "Courier New") {
    o.DisplayFont = "Courier New";
  } else if (screenFont != o.DisplayFont) {
    const bool replace = AskYesNo(
        "By substituting " + screenFont +
            " for Courier New on-screen, the display WON'T be WYSIWYG, and though the lines will print with the same "
            "breaks you see, their alignment (especially centered titles!) will not be as you see it.\r\n\r\n"
            "Replace anyway?",
        PromptTable(12), false);
    o.DisplayFont = replace ? screenFont.substr(0, 100) : "Courier New";
  }
  o.DarkenCourierNew = static_cast<Byte>(std::max(0, List("DarknessBox")->ItemIndex()));
  o.PaginationDelay = paginationDelay_;
  if (UndoObject) {
    UndoObject->SetMaxUndoLevels(static_cast<Byte>(numbers["UndoLevelsEdit"]));
    if (MainForm) {
      const bool undo = numbers["UndoLevelsEdit"] > 0;
      for (TMenuItem* item : {MainForm->UndoItem, MainForm->UndoBar, MainForm->RedoItem})
        if (item) item->Visible = undo;
    }
  }
  WriteOptionValue(ini, MaxUndoLevelsKey, numbers["UndoLevelsEdit"]);
  SetScriptExtension(Radio("ScrExtension")->Checked() ? "SCR" : "QMW");
  if (!o.AllowTypeover) InsertMode = 1;
  o.StartupChoice = 3;
  for (int i : {0, 1, 2, 4})
    if (Radio("Startup" + std::to_string(i))->Checked()) o.StartupChoice = static_cast<Byte>(i);
  // A blank script to start from is opened at once.
  if (o.StartupChoice == 0 && MainForm && NoActiveDocument() && MainForm->FileNewItem) MainForm->FileNewItem->Click();
  o.DeleteWordKeys = static_cast<Byte>(std::max(0, List("DeleteWordBox")->ItemIndex()));
  o.DeleteLeftWordKeys = static_cast<Byte>(std::max(0, List("DeleteLeftWordBox")->ItemIndex()));
  o.DeleteToEolKeys = static_cast<Byte>(std::max(0, List("DeleteToEolBox")->ItemIndex()));
  o.GotoTopKeys = static_cast<Byte>(std::max(0, List("GotoTopBox")->ItemIndex()));
  o.GotoBottomKeys = static_cast<Byte>(std::max(0, List("GotoBottomBox")->ItemIndex()));
  o.CtrlKeyCutPaste = Radio("CtrlCutPaste")->Checked();
  o.UsePowerPanel = Radio("PowerPanelRadio")->Checked();
  if (MainForm) ApplyKeyboardLayout(o);
  std::string error;
  if (!SaveProgramSettings(&error) && !error.empty()) ShowMessageBox(error, PromptTable(11));
  return true;
}

void TSettingsDlg::SpinNumber(const TOptionNumber& number, int step) {
  TEdit& edit = *NumberEdit(number.Name);
  int value = number.Min;
  // A text that is no number in range starts again from the lowest.
  if (ReadNumber(edit, number.Min, number.Max, value)) value = std::clamp(value + step, number.Min, number.Max);
  edit.Text = std::to_string(value);
}

void TSettingsDlg::OKBtnClick() {
  if (StoreControls()) ModalResult = mrOk;
}

void TSettingsDlg::CardSetupClick() {
  if (!AskYesNo("I'll have to save all the current information before I can set up the Index Cards.\r\n\r\n"
                "Should I continue?",
                PromptTable(20), false))
    return;
  if (StoreControls()) ModalResult = mrCardSetup;
}

void TSettingsDlg::SetScriptExtension(const std::string& ext) {
  if (ext == ScriptExtension) return;
  const TModalResult answer =
      AskYesNoCancel("Rename all existing \"." + ScriptExtension + "\" scripts that are in the " + ScriptDirectory +
                         " Directory to use the new \"." + ext + "\" Extension?",
                     PromptTable(4), true);
  if (answer == mrCancel) return;
  if (answer == mrYes) {
    int count = 0;
    for (const std::string& name : FindFiles(ScriptDirectory, "*." + ScriptExtension)) {
      const std::string from = JoinPath(ScriptDirectory, name);
      const std::string to = ChangeFileExt(from, "." + ext);
      if (FileExists(to)) {
        ShowMessageBox(ChangeFileExt(from, "") + " already exists with BOTH extensions, so I am unable to rename "
                                                 "this script!",
                       PromptTable(11));
      } else if (RenameFile(from, to)) {
        ++count;
      }
    }
    ShowMessageBox("Renamed " + std::to_string(count) + " Scripts.", PromptTable(23));
  }
  ScriptExtension = ext;
}

bool ShowProgramSettings(const std::string& page, const std::string& caption) {
  if (ReadOptionValue<bool>(OpenSettingsFile(), LockOptionsKey)) {
    if (!FirstParameterIs("/WARDN")) {
      ShowMessageBox("Sorry but only the System Administrator has the right to change the program settings.", "");
      return false;
    }
  }
  std::string shown = page;
  for (;;) {
    TSettingsDlg dialog(nullptr);
    dialog.Notebook->SetActivePage(DialogControl<TTabSheet>(dialog, shown));
    if (!caption.empty()) dialog.Caption = caption;
    if (dialog.ShowModal() != TSettingsDlg::mrCardSetup) break;
    TPrintCardsDlg cards(nullptr);
    cards.SetSetupMode();
    cards.ShowModal();
    shown = "RevisionsPage";
  }
  if (MainForm) MainForm->StatusLine().StyleInsertPrompt();
  return true;
}

}  // namespace qm

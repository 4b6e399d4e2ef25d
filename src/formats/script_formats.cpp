#include "formats/script_formats.h"

#include "base/message_boxes.h"
#include "formats/draft_refresh.h"
#include "formats/element_format_controls.h"
#include "formats/script_formats_dialog.h"
#include "script/editing/document_modified.h"
#include "script/layout/revision_colors.h"
#include "script/model/element_kinds.h"
#include "script/script_window.h"

namespace qm {

namespace {

std::string Whole(int value) { return std::to_string(value); }

TCheckBox* Check(const TEditScriptFormatsDlg& d, const std::string& name) { return DialogControl<TCheckBox>(d, name); }
TEdit* EditOf(const TEditScriptFormatsDlg& d, const std::string& name) { return DialogControl<TEdit>(d, name); }
TRadioGroup* Radio(const TEditScriptFormatsDlg& d, const std::string& name) {
  return DialogControl<TRadioGroup>(d, name);
}
void SetCheck(const TEditScriptFormatsDlg& d, const std::string& name, Byte on) { Check(d, name)->SetChecked(on != 0); }
Byte Checked(const TEditScriptFormatsDlg& d, const std::string& name) { return Check(d, name)->Checked() ? 1 : 0; }

// The kinds that take their format from a slot, a bit per kind.
std::uint32_t KindsOfSlot(int slot) {
  std::uint32_t kinds = 0;
  for (int kind = 0; kind < 32; ++kind)
    if (FormatSlotOfKind(static_cast<Byte>(kind)) == slot) kinds |= 1u << kind;
  return kinds;
}

void LoadElementPage(TEditScriptFormatsDlg& d, const TFormatPage& page, const TScriptSettings& s,
                     const TFontNames& fonts) {
  LoadElementFormat(d, page.Prefix, s.FormatSet[static_cast<std::size_t>(page.Slot)], fonts);
  SetCheck(d, std::string(page.Prefix) + "Hidden", (s.HiddenKinds & KindsOfSlot(page.Slot)) != 0);
}

bool StoreElementPage(const TEditScriptFormatsDlg& d, const TFormatPage& page, TScriptSettings& s,
                      TFontNames& fonts, std::string& error) {
  TElementFormat& f = s.FormatSet[static_cast<std::size_t>(page.Slot)];
  if (!StoreElementFormat(d, page.Prefix, f, fonts, error)) {
    error = std::string(page.Caption) + ": " + error;
    return false;
  }
  if (page.Slot == fsDialogue) {
    const Byte kind = s.FormatSet[fsDialogueCopy].Kind;
    s.FormatSet[fsDialogueCopy] = f;
    s.FormatSet[fsDialogueCopy].Kind = kind;
  }
  const std::uint32_t kinds = KindsOfSlot(page.Slot);
  s.HiddenKinds = Checked(d, std::string(page.Prefix) + "Hidden") ? (s.HiddenKinds | kinds) : (s.HiddenKinds & ~kinds);
  return true;
}

std::string SkipLettersText(const std::array<Byte, 32>& set) {
  std::string text;
  for (int c = 'A'; c <= 'Z'; ++c)
    if (set[static_cast<std::size_t>(c / 8)] & (1u << (c % 8))) text += static_cast<char>(c);
  return text;
}

bool ReadSkipLetters(const std::string& text, std::array<Byte, 32>& set, std::string& error) {
  std::array<Byte, 32> read{};
  for (char c : text) {
    if (c == ' ' || c == ',') continue;
    const int upper = (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
    if (upper < 'A' || upper > 'Z') {
      error = "The Locked Letter Skip List may hold only the letters A to Z.";
      return false;
    }
    read[static_cast<std::size_t>(upper / 8)] |= static_cast<Byte>(1u << (upper % 8));
  }
  set = read;
  return true;
}

// The "Letter Skip List" dialog until it holds only letters or is
// cancelled.
void EditSkipLetters(TEditScriptFormatsDlg& d) {
  TLetterSkipDlg dialog(nullptr);
  dialog.SkipLetters->Text = SkipLettersText(d.SkipLetters);
  for (;;) {
    if (dialog.ShowModal() != mrOk) return;
    std::string error;
    if (ReadSkipLetters(dialog.SkipLetters->Text(), d.SkipLetters, error)) return;
    ShowMessageBox(error, "Letter Skip List");
  }
}

void LoadOptions(TEditScriptFormatsDlg& d, const TScriptSettings& s) {
  SetCheck(d, "CenterNamesBox", s.CenterCharacterNames);
  Radio(d, "ContinuedGroup")->SetItemIndex(s.ContinuedPosition);
  SetCheck(d, "SameExtensionBox", s.ContinuedSameExtension);
  EditOf(d, "ContinuedText")->Text = s.CharacterContinuedText;
  EditOf(d, "MoreText")->Text = s.MoreText;
  SetCheck(d, "OutdentBox", s.OutdentParentheticals);
  SetCheck(d, "SeparateBox", s.ParentheticalsSeparate);
  SetCheck(d, "LeftNumberBox", s.LeftNumber);
  SetCheck(d, "RightNumberBox", s.RightNumber);
  SetCheck(d, "RightOnTopBox", s.RightNumberOnTopLine);
  SetCheck(d, "ContinuousBox", s.NumberScenesContinuously);
  SetCheck(d, "DashesBox", s.TimeOfDayDashes);
  SetCheck(d, "SpacesBox", s.TimeOfDaySpaces);
  SetCheck(d, "TopContinuedBox", s.TopSceneContinued);
  EditOf(d, "TopContinuedText")->Text = s.TopSceneContinuedText;
  SetCheck(d, "BottomContinuedBox", s.BottomSceneContinued);
  EditOf(d, "BottomContinuedText")->Text = s.BottomSceneContinuedText;
  SetCheck(d, "FlexMarginBox", s.FlexMargin);
  SetCheck(d, "PrintNotesBox", s.PrintScriptNotes);

  EditOf(d, "ActStart")->Text = Whole(s.ActStart + 1);
  EditOf(d, "SceneStart")->Text = Whole(s.SceneStart + 1);
  SetCheck(d, "FlipLockedBox", s.FlipLockedSceneNumbers);
  d.SkipLetters = s.SkipLetters;
  d.SkipListBtn->OnClick = [&d](TObject*) { EditSkipLetters(d); };

  Radio(d, "BreakAction")->SetItemIndex(s.ActionBreakMode);
  Radio(d, "BreakDialogue")->SetItemIndex(s.DialogueBreakMode);
  EditOf(d, "MinAction")->Text = Whole(s.MinActionLines);
  EditOf(d, "MinDialogue")->Text = Whole(s.MinDialogueLines);
  EditOf(d, "PageStart")->Text = Whole(s.PageStart);
  EditOf(d, "FirstLine")->Text = Whole(s.FirstPageLine + 1);
  SetCheck(d, "SingleSentenceBox", s.BreakAfterSingleSentence);
  SetCheck(d, "TwoOneLinersBox", s.BreakTwoOneLiners);
  SetCheck(d, "TransitionFirstBox", s.TransitionOnFirstLine);
  SetCheck(d, "CountMoreBox", s.CountMoreLine);
  SetCheck(d, "TransitionContinuedBox", s.TransitionOnContinuedLine);
  SetCheck(d, "SceneTopContinuedBox", s.ScenesOnTopContinuedLine);
}

bool StoreOptions(const TEditScriptFormatsDlg& d, TScriptSettings& s, std::string& error) {
  TNumberReader read(d, error);
  Word actStart = 0, sceneStart = 0, firstLine = 0;
  if (!read.Whole("ActStart", "The starting act number", 1, 9999, actStart) ||
      !read.Whole("SceneStart", "The starting scene number", 1, 9999, sceneStart) ||
      !read.Whole("MinAction", "The minimum of Action lines", 1, 20, s.MinActionLines) ||
      !read.Whole("MinDialogue", "The minimum of Dialogue lines", 1, 20, s.MinDialogueLines) ||
      !read.Whole("PageStart", "The starting page number", 0, 9999, s.PageStart) ||
      !read.Whole("FirstLine", "The line of the first page", 1, 40, firstLine))
    return false;
  s.SkipLetters = d.SkipLetters;
  s.ActStart = static_cast<Word>(actStart - 1);
  s.SceneStart = static_cast<Word>(sceneStart - 1);
  s.FirstPageLine = static_cast<Byte>(firstLine - 1);

  s.CenterCharacterNames = Checked(d, "CenterNamesBox");
  if (Radio(d, "ContinuedGroup")->ItemIndex() >= 0)
    s.ContinuedPosition = static_cast<Byte>(Radio(d, "ContinuedGroup")->ItemIndex());
  s.ContinuedSameExtension = Checked(d, "SameExtensionBox");
  s.CharacterContinuedText = CutToCapacity(EditOf(d, "ContinuedText")->Text(), capacity::ContinuedText);
  s.MoreText = CutToCapacity(EditOf(d, "MoreText")->Text(), capacity::MoreText);
  s.OutdentParentheticals = Checked(d, "OutdentBox");
  s.ParentheticalsSeparate = Checked(d, "SeparateBox");
  s.LeftNumber = Checked(d, "LeftNumberBox");
  s.RightNumber = Checked(d, "RightNumberBox");
  s.RightNumberOnTopLine = Checked(d, "RightOnTopBox");
  s.NumberScenesContinuously = Checked(d, "ContinuousBox");
  s.TimeOfDayDashes = Checked(d, "DashesBox");
  s.TimeOfDaySpaces = Checked(d, "SpacesBox");
  s.TopSceneContinued = Checked(d, "TopContinuedBox");
  s.TopSceneContinuedText = CutToCapacity(EditOf(d, "TopContinuedText")->Text(), capacity::SceneContinuedText);
  s.BottomSceneContinued = Checked(d, "BottomContinuedBox");
  s.BottomSceneContinuedText =
      CutToCapacity(EditOf(d, "BottomContinuedText")->Text(), capacity::SceneContinuedText);
  s.FlexMargin = Checked(d, "FlexMarginBox");
  s.PrintScriptNotes = Checked(d, "PrintNotesBox");
  s.FlipLockedSceneNumbers = Checked(d, "FlipLockedBox");

  if (Radio(d, "BreakAction")->ItemIndex() >= 0)
    s.ActionBreakMode = static_cast<Byte>(Radio(d, "BreakAction")->ItemIndex());
  if (Radio(d, "BreakDialogue")->ItemIndex() >= 0)
    s.DialogueBreakMode = static_cast<Byte>(Radio(d, "BreakDialogue")->ItemIndex());
  s.BreakAfterSingleSentence = Checked(d, "SingleSentenceBox");
  s.BreakTwoOneLiners = Checked(d, "TwoOneLinersBox");
  s.TransitionOnFirstLine = Checked(d, "TransitionFirstBox");
  s.CountMoreLine = Checked(d, "CountMoreBox");
  s.TransitionOnContinuedLine = Checked(d, "TransitionContinuedBox");
  s.ScenesOnTopContinuedLine = Checked(d, "SceneTopContinuedBox");
  return true;
}

}  // namespace

void LoadFormatsDialog(TEditScriptFormatsDlg& dialog, const TScriptSettings& settings,
                       const std::array<std::string, FontNameCount>& fonts) {
  for (const TFormatPage& page : FormatPages) LoadElementPage(dialog, page, settings, fonts);
  LoadOptions(dialog, settings);
}

bool StoreFormatsDialog(const TEditScriptFormatsDlg& dialog, TScriptSettings& settings,
                        std::array<std::string, FontNameCount>& fonts, std::string& error) {
  TScriptSettings edited = settings;
  TFontNames editedFonts = fonts;
  for (const TFormatPage& page : FormatPages)
    if (!StoreElementPage(dialog, page, edited, editedFonts, error)) return false;
  if (!StoreOptions(dialog, edited, error)) return false;
  settings = edited;
  fonts = editedFonts;
  return true;
}

void ApplyChangedFormats(TMDIChild& script, const TFormatSet& before) {
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    const int slot = FormatSlotOfKind(e->Kind());
    if (slot < 0 || before[static_cast<std::size_t>(slot)] == script.FormatSet[static_cast<std::size_t>(slot)])
      continue;
    TElementFormat f = script.FormatSet[static_cast<std::size_t>(slot)];
    f.Kind = e->format.Kind;
    f.NumberWord = e->format.NumberWord;
    e->format = f;
    script.WordWrapText(e, ElementText(*e), false, false);
  }
}

bool EditScriptFormats(TMDIChild& script, bool& saveAsDefaults) {
  saveAsDefaults = false;
  TEditScriptFormatsDlg dialog(nullptr);
  LoadFormatsDialog(dialog, script, script.FontNameTable);
  TScriptSettings edited = script;
  TFontNames fonts = script.FontNameTable;
  for (;;) {
    if (dialog.ShowModal() != mrOk) return false;
    std::string error;
    if (StoreFormatsDialog(dialog, edited, fonts, error)) break;
    ShowMessageBox(error, "Script Formats");
  }
  saveAsDefaults = dialog.SaveDefaultsBox->Checked();
  SaveUndoStep(ukWholeScript, true, true, 0);
  script.Assemble();
  const TFormatSet before = script.FormatSet;
  static_cast<TScriptSettings&>(script) = edited;
  script.FontNameTable = fonts;
  ApplyChangedFormats(script, before);
  script.DisAssemble();
  SetupRevisionColorDisplay(script);
  RefreshAfterDraftChange(script);
  return true;
}

}  // namespace qm

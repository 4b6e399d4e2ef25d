#include "formats/script_formats.h"

#include "base/message_boxes.h"
#include "formats/draft_refresh.h"
#include "formats/element_format_controls.h"
#include "formats/page_headers.h"
#include "formats/script_formats_dialog.h"
#include "script/editing/document_modified.h"
#include "script/layout/revision_colors.h"
#include "script/model/element_kinds.h"
#include "script/script_window.h"
#include "script/editing/undo_steps.h"

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
  LoadElementFormat(d, page.Prefix, s.FormatSet[static_cast<std::size_t>(page.Slot)], fonts, s.ScriptFontName);
  SetCheck(d, std::string(page.Prefix) + "Hidden", (s.HiddenKinds & KindsOfSlot(page.Slot)) != 0);
}

bool StoreElementPage(const TEditScriptFormatsDlg& d, const TFormatPage& page, TScriptSettings& s, TFontNames& fonts,
                      std::string& error) {
  TElementFormat& f = s.FormatSet[static_cast<std::size_t>(page.Slot)];
  if (!StoreElementFormat(d, page.Prefix, f, fonts, s.ScriptFontName, error)) {
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

// The options of the formats dialog that are a box, a text or a choice,
// read and stored alike.
struct TOptionBox {
  const char* name;
  Byte TScriptSettings::*value;
};
constexpr TOptionBox kOptionBoxes[] = {
    {"CenterNamesBox", &TScriptSettings::CenterCharacterNames},
    {"SameExtensionBox", &TScriptSettings::ContinuedSameExtension},
    {"OutdentBox", &TScriptSettings::OutdentParentheticals},
    {"SeparateBox", &TScriptSettings::ParentheticalsSeparate},
    {"LeftNumberBox", &TScriptSettings::LeftNumber},
    {"RightNumberBox", &TScriptSettings::RightNumber},
    {"RightOnTopBox", &TScriptSettings::RightNumberOnTopLine},
    {"ContinuousBox", &TScriptSettings::NumberScenesContinuously},
    {"DashesBox", &TScriptSettings::TimeOfDayDashes},
    {"SpacesBox", &TScriptSettings::TimeOfDaySpaces},
    {"TopContinuedBox", &TScriptSettings::TopSceneContinued},
    {"BottomContinuedBox", &TScriptSettings::BottomSceneContinued},
    {"FlexMarginBox", &TScriptSettings::FlexMargin},
    {"PrintNotesBox", &TScriptSettings::PrintScriptNotes},
    {"FlipLockedBox", &TScriptSettings::FlipLockedSceneNumbers},
    {"SingleSentenceBox", &TScriptSettings::BreakAfterSingleSentence},
    {"TwoOneLinersBox", &TScriptSettings::BreakTwoOneLiners},
    {"TransitionFirstBox", &TScriptSettings::TransitionOnFirstLine},
    {"CountMoreBox", &TScriptSettings::CountMoreLine},
    {"TransitionContinuedBox", &TScriptSettings::TransitionOnContinuedLine},
    {"SceneTopContinuedBox", &TScriptSettings::ScenesOnTopContinuedLine},
};
struct TOptionText {
  const char* name;
  std::string TScriptSettings::*value;
  std::size_t capacity;
};
const TOptionText kOptionTexts[] = {
    {"ContinuedText", &TScriptSettings::CharacterContinuedText, capacity::ContinuedText},
    {"MoreText", &TScriptSettings::MoreText, capacity::MoreText},
    {"TopContinuedText", &TScriptSettings::TopSceneContinuedText, capacity::SceneContinuedText},
    {"BottomContinuedText", &TScriptSettings::BottomSceneContinuedText, capacity::SceneContinuedText},
};
constexpr TOptionBox kOptionChoices[] = {
    {"ContinuedGroup", &TScriptSettings::ContinuedPosition},
    {"BreakAction", &TScriptSettings::ActionBreakMode},
    {"BreakDialogue", &TScriptSettings::DialogueBreakMode},
};

void LoadOptions(TEditScriptFormatsDlg& d, const TScriptSettings& s) {
  for (const TOptionBox& box : kOptionBoxes) SetCheck(d, box.name, s.*box.value);
  for (const TOptionText& text : kOptionTexts) EditOf(d, text.name)->Text = s.*text.value;
  for (const TOptionBox& choice : kOptionChoices) Radio(d, choice.name)->SetItemIndex(s.*choice.value);

  EditOf(d, "ActStart")->Text = Whole(s.ActStart + 1);
  EditOf(d, "SceneStart")->Text = Whole(s.SceneStart + 1);
  d.SkipLetters = s.SkipLetters;
  d.SkipListBtn->OnClick = [&d](TObject*) { EditSkipLetters(d); };

  EditOf(d, "MinAction")->Text = Whole(s.MinActionLines);
  EditOf(d, "MinDialogue")->Text = Whole(s.MinDialogueLines);
  EditOf(d, "PageStart")->Text = Whole(s.PageStart);
  EditOf(d, "FirstLine")->Text = Whole(s.FirstPageLine + 1);
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
  for (const TOptionBox& box : kOptionBoxes) s.*box.value = Checked(d, box.name);
  for (const TOptionText& text : kOptionTexts)
    s.*text.value = CutToCapacity(EditOf(d, text.name)->Text(), text.capacity);
  for (const TOptionBox& choice : kOptionChoices)
    if (const int index = Radio(d, choice.name)->ItemIndex(); index >= 0) s.*choice.value = static_cast<Byte>(index);
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

namespace {

// Margins, spacing, lines before and fonts move lines on the pages;
// capitals and styles do not.
bool MovesText(const TFormatSet& before, const TFormatSet& after) {
  for (std::size_t i = 0; i < before.size(); ++i) {
    const TElementFormat& a = before[i];
    const TElementFormat& b = after[i];
    if (a.LeftMargin != b.LeftMargin || a.RightMargin != b.RightMargin || a.LinesBefore != b.LinesBefore ||
        a.Spacing != b.Spacing || a.FontIndex() != b.FontIndex() || a.FontSize != b.FontSize)
      return true;
  }
  return false;
}

// Text moved on locked pages is a revision: the marks that show it and
// the headers that hold the pages' draft are offered when they are off.
void OfferRevisionLocks(TMDIChild& script) {
  if (!script.RevisionMarking && AskYesNo("Turn on AutoRevision Marks?", "", true)) script.RevisionMarking = 1;
  if (!script.HeaderTextLocked && AskYesNo("Lock the Header Text?", "", true)) {
    script.HeaderTextLocked = 1;
    StoreCurrentHeaders(script);
  }
}

}  // namespace

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
  SaveUndoStep(ukWholeScript, true, true, usWithSettings);
  script.Assemble();
  const TFormatSet before = script.FormatSet;
  static_cast<TScriptSettings&>(script) = edited;
  script.FontNameTable = fonts;
  ApplyChangedFormats(script, before);
  if (script.PagesLocked && MovesText(before, script.FormatSet)) OfferRevisionLocks(script);
  script.DisAssemble();
  SetupRevisionColorDisplay(script);
  RefreshAfterDraftChange(script);
  return true;
}

}  // namespace qm

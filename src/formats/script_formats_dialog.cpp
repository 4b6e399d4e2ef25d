#include "formats/script_formats_dialog.h"

#include "formats/element_format_controls.h"
#include "script/model/script_model.h"

namespace qm {

const TFormatPage FormatPages[11] = {
    {"Character Names", "Character", fsCharacterName},
    {"Dialogue", "Dialogue", fsDialogue},
    {"Parentheticals", "Parenthetical", fsParenthetical},
    {"Scene Headings", "SceneHeading", fsSceneHeading},
    {"Action", "Action", fsAction},
    {"Transitions", "Transition", fsTransition},
    {"Act Information", "ActInfo", fsActInformation},
    {"Scene Information", "SceneInfo", fsSceneInformation},
    {"Centered Title", "Centered", fsCenteredTitle},
    {"Shots", "Shot", fsShot},
    {"Script Notes", "Note", fsScriptNote},
};

namespace {

using enum TDialogItemKind;

void Add(TDialogTable& table, TDialogItem item, const std::string& parent) {
  item.Parent = parent;
  table.push_back(std::move(item));
}

void LabelledEdit(TDialogTable& table, const std::string& parent, const std::string& name, const std::string& caption,
                  int top) {
  AddNumberRow(table, parent, name, caption, {220, top, 60, 22});
}

void ElementPage(TDialogTable& table, const TFormatPage& page) {
  const std::string tab = std::string(page.Prefix) + "Page";
  table.push_back({Page, tab, page.Caption, {}, "Notebook"});
  AddElementFormatRows(table, tab, page.Prefix);
  Add(table, {CheckBox, std::string(page.Prefix) + "Hidden", "&Hide this Element", {400, 8, 170, 20}}, tab);
}

// The options some element pages carry besides the format.
void ElementOptions(TDialogTable& table) {
  Add(table, {CheckBox, "CenterNamesBox", "Ce&nter Character Names", {8, 184, 220, 20}}, "CharacterPage");
  // clang-format off
  Add(table, {RadioGroup, "ContinuedGroup", "Character Continueds as...", {400, 36, 180, 96}, "",
               {"&Extension", "&Parenthetical", "No&ne"}},
      "CharacterPage");
  // clang-format on
  Add(table, {CheckBox, "SameExtensionBox", "Onl&y when Extensions Match", {8, 206, 220, 20}}, "CharacterPage");
  LabelledEdit(table, "CharacterPage", "ContinuedText", "Continued &Text:", 230);
  LabelledEdit(table, "CharacterPage", "MoreText", "&More Text:", 258);

  Add(table, {CheckBox, "OutdentBox", "&Outdent Parentheticals", {8, 184, 260, 20}}, "ParentheticalPage");
  Add(table, {CheckBox, "SeparateBox", "&Parentheticals are Separate Element", {8, 206, 260, 20}}, "ParentheticalPage");

  Add(table, {CheckBox, "LeftNumberBox", "Le&ft", {8, 184, 80, 20}}, "SceneHeadingPage");
  Add(table, {CheckBox, "RightNumberBox", "&Right", {90, 184, 80, 20}}, "SceneHeadingPage");
  Add(table, {CheckBox, "RightOnTopBox", "&Always put Right Number on Line 1", {180, 184, 260, 20}},
      "SceneHeadingPage");
  Add(table, {CheckBox, "ContinuousBox", "Number Scenes C&ontinuously", {8, 206, 220, 20}}, "SceneHeadingPage");
  Add(table, {CheckBox, "DashesBox", "&Dashes before Time of Day", {240, 206, 220, 20}}, "SceneHeadingPage");
  Add(table, {CheckBox, "SpacesBox", "&Spaces after INT/EXT", {8, 228, 220, 20}}, "SceneHeadingPage");
  Add(table, {CheckBox, "TopContinuedBox", "To&p Scene Continueds:", {8, 252, 170, 20}}, "SceneHeadingPage");
  Add(table, {Edit, "TopContinuedText", "", {180, 250, 160, 22}}, "SceneHeadingPage");
  Add(table, {CheckBox, "BottomContinuedBox", "Bottom Scene &Continueds:", {8, 278, 170, 20}}, "SceneHeadingPage");
  Add(table, {Edit, "BottomContinuedText", "", {180, 276, 160, 22}}, "SceneHeadingPage");

  Add(table, {CheckBox, "FlexMarginBox", "Fle&x Margin", {8, 184, 220, 20}}, "ActionPage");
  Add(table, {CheckBox, "PrintNotesBox", "&Print Script Notes", {8, 184, 220, 20}}, "NotePage");
}

void LockedPage(TDialogTable& table) {
  const std::string tab = "LockedPage";
  table.push_back({Page, tab, "Locked Scripts", {}, "Notebook"});
  LabelledEdit(table, tab, "ActStart", "Starting &Act Number:", 8);
  LabelledEdit(table, tab, "SceneStart", "Starting &Scene Number:", 36);
  Add(table, {CheckBox, "FlipLockedBox", "F&lip Locked Scene Numbers", {8, 90, 220, 20}}, tab);
  Add(table, {Button, "SkipListBtn", "Locked Letter S&kip List", {8, 120, 200, 25}}, tab);
}

void PageBreaksPage(TDialogTable& table) {
  const std::string tab = "BreaksPage";
  table.push_back({Page, tab, "Page Breaks", {}, "Notebook"});
  // clang-format off
  Add(table, {RadioGroup, "BreakAction", "Break Action", {8, 8, 220, 110}, "",
               {"Do &Not Break Action", "&Sentence Ends Only", "Sentence Ends &Preferred", "&Maximum Lines on Page"}},
      tab);
  // clang-format on
  // clang-format off
  Add(table, {RadioGroup, "BreakDialogue", "Break Dialogue", {240, 8, 220, 110}, "",
               {"Do No&t Break Dialogue", "Sentence Ends &Only", "Sentence &Ends Preferred", "Ma&ximum Lines on Page"}},
      tab);
  // clang-format on
  LabelledEdit(table, tab, "MinAction", "Minimum &Action Lines on a Page:", 126);
  LabelledEdit(table, tab, "MinDialogue", "Minimum &Dialogue Lines on Page:", 154);
  LabelledEdit(table, tab, "PageStart", "Starting Pa&ge Number:", 182);
  LabelledEdit(table, tab, "FirstLine", "Start 1st/&Forced Page on Line:", 210);
  Add(table, {CheckBox, "SingleSentenceBox", "&Break After a Single Sentence", {296, 126, 250, 20}}, tab);
  Add(table, {CheckBox, "TwoOneLinersBox", "Brea&k two One-line Sentences", {296, 148, 250, 20}}, tab);
  Add(table, {CheckBox, "TransitionFirstBox", "Allo&w Transition as 1st Line on Page", {296, 170, 250, 20}}, tab);
  Add(table, {CheckBox, "CountMoreBox", "&Count (More) Line in Page Breaking", {296, 192, 250, 20}}, tab);
  Add(table, {CheckBox, "TransitionContinuedBox", "Allow T&ransition on CONTINUED line", {296, 214, 250, 20}}, tab);
  Add(table, {CheckBox, "SceneTopContinuedBox", "Allow S&cene on TOP CONTINUED line", {296, 236, 250, 20}}, tab);
}

TDialogTable FormatsTable() {
  TDialogTable table{{PageControl, "Notebook", "", {0, 0, 600, 340}}};
  for (const TFormatPage& page : FormatPages) ElementPage(table, page);
  ElementOptions(table);
  LockedPage(table);
  PageBreaksPage(table);
  table.push_back({CheckBox, "SaveDefaultsBox", "Sa&ve as Defaults", {12, 352, 160, 20}});
  for (const TDialogItem& button : ButtonRow(sbOK | sbCancel, {330, 348, 80, 25}, 95)) table.push_back(button);
  return table;
}

TDialogTable SkipListTable() {
  TDialogTable table{
      {Label, "SkipLabel", "&Letters that A-Scenes and A-Pages skip:", {12, 12, 300, 16}},
      {Edit, "SkipLetters", "", {12, 32, 300, 22}},
  };
  for (const TDialogItem& button : ButtonRow(sbOK | sbCancel, {70, 68, 80, 25}, 95)) table.push_back(button);
  return table;
}

}  // namespace

TLetterSkipDlg::TLetterSkipDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "LetterSkipDlg", "Letter Skip List", 330, 130);
  BuildDialog(*this, SkipListTable());
  SkipLetters = DialogControl<TEdit>(*this, "SkipLetters");
}

TEditScriptFormatsDlg::TEditScriptFormatsDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "EditScriptFormatsDlg", "Script Formats", 606, 410);
  BuildDialog(*this, FormatsTable());
  Notebook = DialogControl<TPageControl>(*this, "Notebook");
  SkipListBtn = DialogControl<TButton>(*this, "SkipListBtn");
  SaveDefaultsBox = DialogControl<TCheckBox>(*this, "SaveDefaultsBox");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
}

}  // namespace qm

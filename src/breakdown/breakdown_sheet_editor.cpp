#include "breakdown/breakdown_sheet_editor.h"

#include <algorithm>

#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "breakdown/associations.h"
#include "breakdown/sheet_form_run.h"
#include "breakdown/scene_gathering.h"
#include "breakdown/sheet_layout.h"
#include "breakdown/sheet_tag_rewrite.h"
#include "breakdown/tagging.h"
#include "language/list_builders.h"
#include "platform/cp1252.h"
#include "platform/stringlist.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/model/element_kinds.h"
#include "script/script_window.h"
#include "script/editing/undo_steps.h"
#include "platform/text_trim.h"

namespace qm {

namespace {

// A description is one item of the text: its line ends become blanks.
std::string OneLine(std::string text) {
  text = std::string(TrimChars(text, "\r\n "));
  for (char& ch : text)
    if (ch == '\r' || ch == '\n') ch = ' ';
  return text;
}

// The scene of the caret: the headings at or before it, less one.
int SceneOfCaret(TMDIChild& script) {
  int scene = -1;
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (IsListedHeading(*e)) ++scene;
    if (e == script.CurrentElement()) break;
  }
  return scene;
}

}  // namespace

TBreakdownSheetEditor::TBreakdownSheetEditor(TComponent* owner, TMDIChild& script, int scene)
    : TForm(owner), script_(script), scene_(scene) {
  BuildForm();
  const TSheetTitles titles = ReadSheetTitles(OpenSettingsFile());
  for (int k = 0; k < SheetSquareCount; ++k) {
    TEdit* title = Titles[static_cast<std::size_t>(k)];
    title->Text = titles[static_cast<std::size_t>(k)];
    // A title is changed on the layout page, which then shows here; the
    // Tab key goes from square to square.
    title->ReadOnly = true;
    title->TabStop = false;
    title->OnDblClick = [this](TObject*) {
      if (!ShowBreakdownSheetLayout()) return;
      const TSheetTitles now = ReadSheetTitles(OpenSettingsFile());
      for (int n = 0; n < SheetSquareCount; ++n)
        Titles[static_cast<std::size_t>(n)]->Text = now[static_cast<std::size_t>(n)];
      Regather();
    };
    TListBox* square = Squares[static_cast<std::size_t>(k)];
    square->OnDblClick = [this, k](TObject*) { AddOrEdit(k + 1); };
    square->OnKeyDown = [this, k](TObject*, Word& key, TShiftState) {
      if (key == VK_DELETE) Untag(k + 1);
    };
  }
  drag_.CanDrop = [](int from, int to) { return from != 0 || to == 3; };
  drag_.Dropped = [this](int from, int item, int to) { Drop(from + 1, item, to + 1); };
  drag_.Attach({Squares.begin(), Squares.end()});
  TStringList scenes;
  BuildPopupList(plScenesWithLabels, scenes);
  for (int i = 0; i < scenes.Count(); ++i) SceneSelectList->Items.Add(scenes[i]);
  SceneSelectList->SetItemIndex(scene_);
  SceneSelectList->OnChange = [this](TObject*) { SceneChange(); };
  PrintBtn->OnClick = [this](TObject*) { PrintSheet(); };
  GotoBtn->OnClick = [this](TObject*) { GotoScene(); };
  DescriptionBtn->OnClick = [this](TObject*) { EditDescription(); };
  AllItems = GatherAllSceneBreakdowns(script_);
  Regather();
}

void TBreakdownSheetEditor::SceneChange() {
  const int chosen = SceneSelectList->ItemIndex();
  if (chosen < 0) return;
  scene_ = chosen;
  Regather();
}

void TBreakdownSheetEditor::Regather() {
  editor::Assemble(script_);
  TSceneBreakdowns run = GatherSceneRecords(script_);
  editor::DisAssemble(script_);
  Content = {};
  if (scene_ >= 0 && scene_ < static_cast<int>(run.Records.size())) {
    BreakdownRecord& record = run.Records[static_cast<std::size_t>(scene_)];
    const std::vector<std::string> characters = CharacterNamesOf(run, record);
    ApplyAssociations(record, ScriptAssociations(script_), characters, TRecordNames::NameTable);
    Content = FillSquaresFromRecord(record, characters, CategoryMenus());
  }
  ShowSquares();
}

void TBreakdownSheetEditor::ShowSquares() {
  for (int k = 0; k < SheetSquareCount; ++k) {
    TListBox* square = Squares[static_cast<std::size_t>(k)];
    square->Clear();
    for (const TSquareItem& item : Content.Squares[static_cast<std::size_t>(k)]) square->Items.Add(item.Text);
    square->Invalidate();
  }
}

void TBreakdownSheetEditor::Changed() {
  editor::SetActiveScriptModifiedUnrevised();
  Regather();
}

int TBreakdownSheetEditor::SelectedCategory(int square) const {
  const TListBox* list = Squares[static_cast<std::size_t>(square - 1)];
  const auto& items = Content.Squares[static_cast<std::size_t>(square - 1)];
  const int index = list->ItemIndex();
  return index >= 0 && index < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(index)].Category : -1;
}

void TBreakdownSheetEditor::Untag(int square) {
  const TListBox* list = Squares[static_cast<std::size_t>(square - 1)];
  const int index = list->ItemIndex();
  if (index < 0 || index >= list->Items.Count()) return;
  const std::string item = list->Items[index];
  if (!AskYesNo("Untag the Item \"" + item + "\"?", "Attention", false)) return;
  RewriteSceneTags(script_, scene_, {item, SquareCodes(CategoryMenus(), square), UntagCode, item});
  Changed();
  if (square != 1) return;
  const auto& first = Content.Squares[0];
  if (std::any_of(first.begin(), first.end(), [&](const TSquareItem& i) { return i.Text == item; }))
    ShowMessageBox("This name CANNOT be untagged because he/she actually has dialogue in this scene!", "Attention");
}

std::vector<std::string> TBreakdownSheetEditor::Choices(int square) const {
  std::vector<std::string> choices;
  const TCategoryTable& table = CategoryMenus();
  for (int i = 0; i < CategoryCount; ++i) {
    const TBreakdownCategory& c = table[static_cast<std::size_t>(i)];
    if (!c.Visible || c.HelpContext != square) continue;
    for (const std::string& item : AllItems.Items[static_cast<std::size_t>(RecordSlotOfTagCode(TagCodeOfCategory(i)))])
      choices.push_back(item);
  }
  return choices;
}

void TBreakdownSheetEditor::AddOrEdit(int square) {
  const TListBox* list = Squares[static_cast<std::size_t>(square - 1)];
  const int index = list->ItemIndex();
  const std::string old = index >= 0 && index < list->Items.Count() ? list->Items[index] : std::string();
  const auto text = AskItemText(old.empty() ? "Add Tagged Item" : "Edit Tagged Item", old, Choices(square));
  if (text && *text != old) AddTaggedItem(old, *text, square);
}

void TBreakdownSheetEditor::AddTaggedItem(std::string oldItem, std::string newItem, int square) {
  oldItem = TrimBlanks(oldItem);
  newItem = TrimBlanks(newItem);
  const std::string oldCodes =
      square == 0 ? std::string(1, static_cast<char>(SceneDescriptionCode)) : SquareCodes(CategoryMenus(), square);
  if (!oldItem.empty()) {
    if (oldItem == newItem) return;
    // Emptied: the item goes, rather than leave an empty tag behind.
    const Byte code = newItem.empty() ? UntagCode : Byte{0};
    RewriteSceneTags(script_, scene_, {oldItem, oldCodes, code, newItem});
    Changed();
    return;
  }
  if (newItem.empty()) return;
  const Byte code = square == 0
                        ? SceneDescriptionCode
                        : SquareCategoryCode(CategoryMenus(), square, SelectedCategory(square),
                                             Titles[static_cast<std::size_t>(square - 1)]->Text(), newItem, AllItems);
  // No category decides for the square: nothing to tag the item with.
  if (code == 0) return;
  if (!AddSceneItem(script_, scene_, code, newItem)) {
    ShowMessageBox("Unable to find Scene Heading!", "Add Item Failed");
    return;
  }
  Changed();
}

void TBreakdownSheetEditor::Drop(int from, int item, int to) {
  const auto& items = Content.Squares[static_cast<std::size_t>(from - 1)];
  if (item < 0 || item >= static_cast<int>(items.size())) return;
  const std::string text = items[static_cast<std::size_t>(item)].Text;
  const Byte code = SquareCategoryCode(CategoryMenus(), to, SelectedCategory(to),
                                       Titles[static_cast<std::size_t>(to - 1)]->Text(), text, AllItems);
  if (code == 0) return;
  RewriteSceneTags(script_, scene_, {text, SquareCodes(CategoryMenus(), from), code, text});
  Changed();
}

void TBreakdownSheetEditor::EditDescription() {
  const std::string old = OneLine(Content.Description);
  const auto text = AskDescription(old);
  if (text) AddTaggedItem(old, OneLine(*text), 0);
}

void TBreakdownSheetEditor::GotoScene() {
  TScriptElement* heading = SceneHeading(script_, scene_);
  if (heading) editor::MoveCaretTo(script_, *heading);
  ModalResult = mrCancel;
}

void TBreakdownSheetEditor::PrintSheet() {
  if (script_.ProductionCompany.empty()) {
    const auto company = AskItemText("Enter Production Company Name", "", {});
    if (company && !company->empty()) {
      script_.ProductionCompany = CutToCapacity(*company, capacity::ProductionCompany);
      editor::SetActiveScriptModifiedUnrevised();
    }
  }
  PrintSheetForScene(script_, scene_);
}

namespace {

void EditSheetOfCaretScene(TMDIChild& script) {
  const int scene = SceneOfCaret(script);
  if (scene < 0) {
    ShowMessageBox("You MUST be in a Scene with a valid Scene Heading to use the Editable Breakdown Sheets...",
                   "Attention");
    return;
  }
  editor::SaveSettingsUndoStep(script);
  const bool wasTagging = TaggingModeOn();
  if (!wasTagging && !EnterTaggingMode(&script)) return;
  {
    TBreakdownSheetEditor sheetEditor(nullptr, script, scene);
    sheetEditor.ShowModal();
  }
  if (!wasTagging) LeaveTaggingMode();
}

}  // namespace

void ShowBreakdownSheetEditor(TMDIChild& script) {
  editor::Assemble(script);
  EditSheetOfCaretScene(script);
  // The scene was found with the edit line stored; typing goes on in it
  // where the caret stood (or at the heading the editor went to).
  editor::DisAssemble(script);
  editor::RedisplayScreen(script);
}

}  // namespace qm

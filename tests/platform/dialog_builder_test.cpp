#include "platform/dialog_builder.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <typeindex>

#include "platform/input.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

using enum TDialogItemKind;

class DialogBuilderTest : public testing::PlatformFixture {
 protected:
  DialogBuilderTest() { form.SetBounds(0, 0, 400, 300); }
  TControl* Built(const std::string& name) const { return dynamic_cast<TControl*>(form.FindComponent(name)); }
  std::string NameOf(const TControl* control) const { return control ? control->Name : "(none)"; }
  TForm form{nullptr};
};

// Every kind once, some inside others, positions in no particular order.
const TDialogTable EveryKind = {
    {Label, "SearchLabel", "&Search for:", {8, 12, 90, 16}},
    {Label, "FitLabel", "Takes its text's size", {300, 250, 0, 0}},
    {ComboBox, "SearchBox", "", {100, 8, 260, 21}, "", {"KITCHEN", "GARDEN"}},
    {DropDownList, "ReplaceBox", "", {100, 36, 260, 21}, "", {"<Don't Replace>"}},
    {Edit, "NameEdit", "", {100, 64, 120, 21}},
    {Memo, "NoteMemo", "", {230, 64, 130, 40}},
    {ListBox, "NameList", "", {8, 110, 100, 60}, "", {"ALICE", "BOB"}},
    {GroupBox, "OriginGroup", "Origin", {120, 110, 180, 64}},
    {RadioButton, "FromCursorRadio", "From &Cursor Position", {8, 16, 160, 20}, "OriginGroup"},
    {CheckBox, "WholeWordsBox", "&Whole Words Only", {8, 38, 160, 20}, "OriginGroup"},
    {RadioGroup, "CapsGroup", "Capitals", {8, 180, 120, 70}, "", {"A&uto", "&As Entered", "ALL &CAPS"}},
    {Panel, "KeysPanel", "", {140, 180, 100, 40}},
    {Bevel, "Frame", "", {4, 4, 392, 260}},
    {PageControl, "Notebook", "", {250, 180, 140, 80}},
    {Page, "TextEntryPage", "Editing", {}, "Notebook"},
    {SpeedButton, "ZoomBtn", ">>", {8, 20, 30, 24}, "TextEntryPage"},
    {Button, "FormatCodesBtn", "Format Codes", {8, 270, 90, 25}},
    {BitButton, "YesBtn", "", {100, 270, 75, 25}},
    {OkButton, "OKBtn", "O&K", {180, 270, 60, 25}},
    {CancelButton, "CancelBtn", "", {245, 270, 60, 25}},
    {HelpButton, "HelpBtn", "", {310, 270, 60, 25}},
};

TEST_F(DialogBuilderTest, EachRowGivesItsControlNamedCaptionedAndPlacedInItsParent) {
  // clang-format off
  const std::map<TDialogItemKind, std::type_index> classOf = {
      {Label, typeid(TLabel)},          {ComboBox, typeid(TComboBox)},    {DropDownList, typeid(TComboBox)},
      {Edit, typeid(TEdit)},            {Memo, typeid(TMemo)},            {ListBox, typeid(TListBox)},
      {GroupBox, typeid(TGroupBox)},    {RadioButton, typeid(TRadioButton)}, {CheckBox, typeid(TCheckBox)},
      {RadioGroup, typeid(TRadioGroup)}, {Panel, typeid(TPanel)},         {Bevel, typeid(TBevel)},
      {PageControl, typeid(TPageControl)}, {Page, typeid(TTabSheet)},   {SpeedButton, typeid(TSpeedButton)},
      {Button, typeid(TButton)},        {BitButton, typeid(TBitBtn)},     {OkButton, typeid(TButton)},
      {CancelButton, typeid(TButton)},  {HelpButton, typeid(TButton)},
  };
  // clang-format on
  // Rows without a caption of their own show these.
  const std::map<std::string, std::string> stockCaptions = {{"CancelBtn", "Cancel"}, {"HelpBtn", "&Help"}};
  BuildDialog(form, EveryKind);
  for (const TDialogItem& row : EveryKind) {
    SCOPED_TRACE(row.Name);
    TControl* control = Built(row.Name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(std::type_index(typeid(*control)), classOf.at(row.Kind));
    const auto stock = stockCaptions.find(row.Name);
    EXPECT_EQ(control->Caption(), stock == stockCaptions.end() ? row.Caption : stock->second);
    EXPECT_EQ(NameOf(control->Parent()), row.Parent.empty() ? "" : row.Parent);
    if (row.Kind == Label && row.Place.Width == 0) {
      EXPECT_EQ(control->Left(), row.Place.Left);
      EXPECT_EQ(control->Top(), row.Place.Top);
      EXPECT_GT(control->Width, 0);
      EXPECT_GT(control->Height, 0);
    } else if (row.Kind != Page) {
      const TPlace& p = row.Place;
      EXPECT_EQ(control->BoundsRect(), (TRect{p.Left, p.Top, p.Left + p.Width, p.Top + p.Height}))
          << "a label keeps the size it was given";
    }
  }
  EXPECT_EQ(form.ComponentCount(), static_cast<int>(EveryKind.size())) << "the form owns every control";
  EXPECT_EQ(DialogControl<TComboBox>(form, "SearchBox")->Style, TComboBoxStyle::csDropDown);
  EXPECT_EQ(DialogControl<TComboBox>(form, "ReplaceBox")->Style, TComboBoxStyle::csDropDownList);
  EXPECT_EQ(DialogControl<TComboBox>(form, "SearchBox")->Items.Count(), 2);
  EXPECT_EQ(DialogControl<TListBox>(form, "NameList")->Items[1], "BOB");
  EXPECT_EQ(DialogControl<TRadioGroup>(form, "CapsGroup")->Items[2], "ALL &CAPS");
  EXPECT_EQ(DialogControl<TPanel>(form, "KeysPanel")->BevelOuter, TPanelBevel::bvNone);
  auto* notebook = DialogControl<TPageControl>(form, "Notebook");
  ASSERT_EQ(notebook->PageCount(), 1);
  EXPECT_EQ(notebook->Pages(0)->Name, "TextEntryPage");
}

TEST_F(DialogBuilderTest, TheStandardRowHasTheDefaultCancelAndHelpButtons) {
  const struct {
    unsigned buttons;
    std::vector<std::string> names;
  } rows[] = {
      {sbOK | sbCancel | sbHelp, {"OKBtn", "CancelBtn", "HelpBtn"}},
      {sbOK | sbCancel, {"OKBtn", "CancelBtn"}},
      {sbCancel | sbHelp, {"CancelBtn", "HelpBtn"}},
  };
  for (const auto& r : rows) {
    const TDialogTable row = ButtonRow(r.buttons, {40, 96, 80, 25}, 100);
    ASSERT_EQ(row.size(), r.names.size());
    for (size_t i = 0; i < row.size(); ++i) {
      EXPECT_EQ(row[i].Name, r.names[i]);
      EXPECT_EQ(row[i].Place.Left, 40 + 100 * static_cast<int>(i)) << row[i].Name;
      EXPECT_EQ(row[i].Place.Top, 96);
    }
  }

  BuildDialog(form, ButtonRow(sbOK | sbCancel | sbHelp, {40, 96, 80, 25}, 100));
  const struct {
    const char* name;
    const char* caption;
    bool isDefault, isCancel, enabled;
    TModalResult result;
  } expected[] = {
      {"OKBtn", "OK", true, false, true, mrOk},
      {"CancelBtn", "Cancel", false, true, true, mrCancel},
      {"HelpBtn", "&Help", false, false, false, mrNone},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.name);
    const TButton* button = DialogControl<TButton>(form, e.name);
    EXPECT_EQ(button->Caption(), e.caption);
    EXPECT_EQ(button->Default, e.isDefault);
    EXPECT_EQ(button->Cancel, e.isCancel);
    EXPECT_EQ(button->Enabled(), e.enabled) << "no help viewer to open yet";
    EXPECT_EQ(button->ModalResult, e.result);
  }
}

TEST_F(DialogBuilderTest, EnterAndEscapeInAFieldPressTheDefaultAndCancelButtons) {
  const struct {
    Word key;
    TModalResult expected;
  } cases[] = {{VK_RETURN, mrOk}, {VK_ESCAPE, mrCancel}};
  for (const auto& c : cases) {
    TForm dialog(nullptr);
    BuildDialog(dialog, TDialogTable{{Edit, "NameEdit", "", {10, 10, 200, 21}}});
    BuildDialog(dialog, ButtonRow(sbOK | sbCancel | sbHelp, {10, 50, 75, 25}, 85));
    Driver().Expect([&](TForm& form) {
      DialogControl<TEdit>(form, "NameEdit")->SetFocus();
      TypeText("JOHN");
      SendKey(c.key);
    });
    EXPECT_EQ(dialog.ShowModal(), c.expected) << c.key;
    EXPECT_EQ(DialogControl<TEdit>(dialog, "NameEdit")->Text(), "JOHN");
  }
}

TEST_F(DialogBuilderTest, TabVisitsTheRowsInTheTablesOrderWhereverTheySit) {
  BuildDialog(form, TDialogTable{
                        {Edit, "Last", "", {10, 200, 100, 21}},
                        {GroupBox, "Group", "Group", {10, 100, 200, 80}},
                        {CheckBox, "InGroupSecond", "&Second", {8, 40, 100, 20}, "Group"},
                        {CheckBox, "InGroupFirst", "&First", {8, 16, 100, 20}, "Group"},
                        {SpeedButton, "Mouse", "M", {300, 10, 24, 24}},
                        {ListBox, "Top", "", {10, 10, 100, 60}},
                    });
  // A second table into the same form comes after the first.
  BuildDialog(form, ButtonRow(sbOK | sbCancel, {10, 240, 75, 25}, 85));
  form.Show();
  DialogControl<TEdit>(form, "Last")->SetFocus();
  std::vector<std::string> visited{NameOf(form.FocusedControl())};
  for (int i = 0; i < 5; ++i) {
    SendKey(VK_TAB);
    visited.push_back(NameOf(form.FocusedControl()));
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"Last", "InGroupSecond", "InGroupFirst", "Top", "OKBtn", "CancelBtn"}));
  SendKey(VK_TAB);
  EXPECT_EQ(NameOf(form.FocusedControl()), "Last") << "round to the first";
  SendKey(VK_TAB, ssShift);
  EXPECT_EQ(NameOf(form.FocusedControl()), "CancelBtn");
}

TEST_F(DialogBuilderTest, RadioButtonsAreExclusiveWithinTheirOwnParentOnly) {
  BuildDialog(form, TDialogTable{
                        {RadioButton, "FormA", "&A", {8, 8, 80, 20}},
                        {RadioButton, "FormB", "&B", {8, 30, 80, 20}},
                        {Panel, "Extension", "", {100, 8, 100, 50}},
                        {RadioButton, "Scr", ".&SCR", {4, 4, 80, 20}, "Extension"},
                        {RadioButton, "Qmw", ".&QMW", {4, 26, 80, 20}, "Extension"},
                        {GroupBox, "Keys", "Keys", {210, 8, 120, 50}},
                        {RadioButton, "ShiftDel", "S&hift+Del", {4, 16, 100, 20}, "Keys"},
                        {RadioGroup, "Sort", "Sort", {8, 100, 200, 80}, "", {"SmartTab", "Plus", "Alphabetically"}},
                    });
  const std::vector<std::string> radios = {"FormA", "FormB", "Scr", "Qmw", "ShiftDel"};
  const struct {
    const char* click;
    std::vector<std::string> checked;
  } steps[] = {
      {"FormA", {"FormA"}},
      {"Qmw", {"FormA", "Qmw"}},
      {"ShiftDel", {"FormA", "Qmw", "ShiftDel"}},
      {"FormB", {"FormB", "Qmw", "ShiftDel"}},
      {"Scr", {"FormB", "Scr", "ShiftDel"}},
  };
  for (const auto& step : steps) {
    DialogControl<TRadioButton>(form, step.click)->Click();
    std::vector<std::string> checked;
    for (const std::string& name : radios)
      if (DialogControl<TRadioButton>(form, name)->Checked()) checked.push_back(name);
    EXPECT_EQ(checked, step.checked) << "after " << step.click;
  }
  auto* sort = DialogControl<TRadioGroup>(form, "Sort");
  EXPECT_EQ(sort->ItemIndex(), -1) << "none chosen until the code or the user chooses";
  sort->SetItemIndex(2);
  sort->SetItemIndex(1);
  EXPECT_EQ(sort->ItemIndex(), 1);
}

TEST_F(DialogBuilderTest, ALabelLeadsToTheNextRowThatTakesTheFocus) {
  BuildDialog(form, TDialogTable{
                        {Label, "UndoLabel", "&Undo Levels:", {8, 8, 80, 16}},
                        {Edit, "UndoEdit", "", {90, 6, 40, 21}},
                        {Label, "KeyLabel", "Delete &Word:", {8, 40, 80, 16}},
                        {Label, "NoteLabel", "(Alt+Ctrl keys)", {8, 60, 80, 16}},
                        {GroupBox, "KeysGroup", "Keys", {8, 80, 200, 60}},
                        {DropDownList, "DeleteWordBox", "", {8, 16, 120, 21}, "KeysGroup"},
                        {CheckBox, "HideMouseBox", "H&ide Mouse", {8, 150, 120, 20}},
                        {Label, "LastLabel", "&Nothing after", {8, 180, 80, 16}},
                    });
  const struct {
    const char* label;
    const char* leadsTo;
  } cases[] = {
      {"UndoLabel", "UndoEdit"},
      {"KeyLabel", "DeleteWordBox"},
      {"NoteLabel", "DeleteWordBox"},
      {"LastLabel", "(none)"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NameOf(DialogControl<TLabel>(form, c.label)->FocusControl), c.leadsTo) << c.label;
}

TEST_F(DialogBuilderTest, TheFirstRowThatTakesTypingHasTheFocusWhenTheFormShows) {
  const struct {
    const char* what;
    TDialogTable table;
    bool presetActive;
    const char* focused;
  } cases[] = {
      {"an edit after a check box and a choice list",
       {{CheckBox, "Box", "&Box", {8, 8, 80, 20}},
        {DropDownList, "Choice", "", {8, 30, 80, 21}},
        {Edit, "Field", "", {8, 60, 80, 21}},
        {ComboBox, "Later", "", {8, 90, 80, 21}}},
       false,
       "Field"},
      {"a combo box with an edit",
       {{ListBox, "List", "", {8, 8, 80, 60}}, {ComboBox, "Combo", "", {8, 80, 80, 21}}},
       false,
       "Combo"},
      {"nothing to type into", {{CheckBox, "Box", "&Box", {8, 8, 80, 20}}}, false, "(none)"},
      {"the form chose already", {{Edit, "Field", "", {8, 8, 80, 21}}}, true, "Preset"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TForm dialog(nullptr);
    if (c.presetActive) {
      BuildDialog(dialog, TDialogTable{{Button, "Preset", "&Preset", {100, 8, 75, 25}}});
      dialog.ActiveControl = DialogControl<TButton>(dialog, "Preset");
    }
    BuildDialog(dialog, c.table);
    dialog.Show();
    EXPECT_EQ(NameOf(dialog.FocusedControl()), c.focused);
  }
}

TEST_F(DialogBuilderTest, PagesHoldTheControlsOfTheirTabs) {
  BuildDialog(form, TDialogTable{
                        {PageControl, "Notebook", "", {0, 0, 400, 260}},
                        {Page, "TextEntryPage", "Editing", {}, "Notebook"},
                        {CheckBox, "TypeoverBox", "Allow T&ypeover", {8, 8, 200, 20}, "TextEntryPage"},
                        {Page, "MousePage", "Mouse", {}, "Notebook"},
                        {CheckBox, "HideMouseBox", "H&ide Mouse Cursor when Typing", {8, 8, 200, 20}, "MousePage"},
                    });
  form.Show();
  auto* notebook = DialogControl<TPageControl>(form, "Notebook");
  ASSERT_EQ(notebook->PageCount(), 2);
  EXPECT_EQ(notebook->Pages(1)->Caption(), "Mouse");
  EXPECT_EQ(notebook->ActivePageIndex(), 0);
  auto* typeover = DialogControl<TCheckBox>(form, "TypeoverBox");
  auto* hideMouse = DialogControl<TCheckBox>(form, "HideMouseBox");
  EXPECT_TRUE(typeover->Showing());
  EXPECT_FALSE(hideMouse->Showing());
  notebook->SetActivePageIndex(1);
  EXPECT_FALSE(typeover->Showing());
  EXPECT_TRUE(hideMouse->Showing());
}

TEST_F(DialogBuilderTest, ADialogFormStartsNamedCaptionedFramedCentredAndSized) {
  const struct {
    bool client;  // the size asked for is the client area's
    const char* name;
    const char* caption;
    int width;
    int height;
  } cases[] = {
      {false, "GotoPgDlg", "Goto Page", 290, 130},
      {false, "WhichPageTypeDlg", "", 320, 316},
      {true, "TitlePageDlg", "Title Page Publisher", 778, 525},
  };
  for (const auto& c : cases) {
    TForm dialog(nullptr);
    if (c.client) {
      SetUpDialogFormClient(dialog, c.name, c.caption, c.width, c.height);
    } else {
      SetUpDialogForm(dialog, c.name, c.caption, c.width, c.height);
    }
    EXPECT_EQ(dialog.Name, c.name);
    EXPECT_EQ(dialog.Caption(), c.caption) << c.name;
    EXPECT_EQ(dialog.BorderStyle(), TFormBorderStyle::bsDialog) << c.name;
    EXPECT_EQ(dialog.Position, TPosition::poScreenCenter) << c.name;
    if (c.client) {
      // The dialog border's frame, not a sizeable one's, comes on top.
      TForm framed(nullptr);
      framed.BorderStyle = TFormBorderStyle::bsDialog;
      framed.SetBounds(0, 0, 300, 200);
      EXPECT_EQ(dialog.ClientWidth(), c.width) << c.name;
      EXPECT_EQ(dialog.ClientHeight(), c.height) << c.name;
      EXPECT_EQ(dialog.Width - c.width, framed.Width - framed.ClientWidth()) << c.name;
      EXPECT_GT(dialog.Height, c.height) << c.name;
    } else {
      EXPECT_EQ((std::array{dialog.Left(), dialog.Top(), dialog.Width(), dialog.Height()}),
                (std::array{0, 0, c.width, c.height}))
          << c.name;
    }
  }
}

TEST_F(DialogBuilderTest, AFaultyTableIsRefused) {
  const struct {
    const char* what;
    TDialogTable table;
  } cases[] = {
      {"a parent not built", {{CheckBox, "Box", "&Box", {8, 8, 80, 20}, "Nowhere"}}},
      {"a parent built after the row",
       {{CheckBox, "Box", "&Box", {8, 8, 80, 20}, "Group"}, {GroupBox, "Group", "Group", {8, 8, 100, 100}}}},
      {"a parent that is no container",
       {{Label, "Text", "Text", {8, 8, 80, 16}}, {CheckBox, "Box", "&Box", {8, 8, 80, 20}, "Text"}}},
      {"a page outside a page control",
       {{GroupBox, "Group", "Group", {8, 8, 100, 100}}, {Page, "Page", "Page", {}, "Group"}}},
      {"a name twice", {{Edit, "Field", "", {8, 8, 80, 21}}, {CheckBox, "field", "&Field", {8, 40, 80, 20}}}},
      {"items for a check box", {{CheckBox, "Box", "&Box", {8, 8, 80, 20}, "", {"one"}}}},
  };
  for (const auto& c : cases) {
    TForm dialog(nullptr);
    EXPECT_THROW(BuildDialog(dialog, c.table), EDialogTable) << c.what;
  }
  BuildDialog(form, TDialogTable{{Edit, "Field", "", {8, 8, 80, 21}}});
  EXPECT_THROW(DialogControl<TCheckBox>(form, "Field"), EDialogTable) << "another kind";
  EXPECT_THROW(DialogControl<TEdit>(form, "Missing"), EDialogTable) << "a name not built";
}

// Alt and an underlined letter reach every kind of control a dialog labels
// so: a label hands the focus to the box it names, a check box is toggled,
// a radio button checked, a button pressed.
TEST_F(DialogBuilderTest, AltAndALettersControlTakesTheKey) {
  BuildDialog(form, TDialogTable{
                        {Label, "SearchLabel", "&Search for:", {8, 8, 0, 0}},
                        {ComboBox, "SearchText", "", {8, 24, 200, 21}},
                        {Label, "ReplaceLabel", "&Replace with:", {8, 50, 0, 0}},
                        {ComboBox, "ReplaceText", "", {8, 66, 200, 21}},
                        {CheckBox, "BackwardsBox", "Search &Backwards", {8, 96, 200, 20}},
                        {Panel, "StartPanel", "", {220, 8, 180, 48}},
                        {RadioButton, "FromCursorBtn", "From &Cursor Position", {4, 4, 170, 20}, "StartPanel"},
                        {RadioButton, "EntireScriptBtn", "&Entire Script", {4, 26, 170, 20}, "StartPanel"},
                        {Button, "FormatCodesBtn", "F&ormat Codes", {8, 130, 90, 25}},
                    });
  int pressed = 0;
  DialogControl<TButton>(form, "FormatCodesBtn")->OnClick = [&](TObject*) { ++pressed; };
  DialogControl<TRadioButton>(form, "FromCursorBtn")->SetChecked(true);
  form.Show();
  DialogControl<TComboBox>(form, "SearchText")->SetFocus();

  SendKey('R', ssAlt);
  EXPECT_EQ(NameOf(form.FocusedControl()), "ReplaceText");
  SendKey('S', ssAlt);
  EXPECT_EQ(NameOf(form.FocusedControl()), "SearchText");
  SendKey('B', ssAlt);
  EXPECT_TRUE(DialogControl<TCheckBox>(form, "BackwardsBox")->Checked());
  SendKey('B', ssAlt);
  EXPECT_FALSE(DialogControl<TCheckBox>(form, "BackwardsBox")->Checked());
  SendKey('E', ssAlt);
  EXPECT_TRUE(DialogControl<TRadioButton>(form, "EntireScriptBtn")->Checked());
  EXPECT_FALSE(DialogControl<TRadioButton>(form, "FromCursorBtn")->Checked());
  SendKey('O', ssAlt);
  EXPECT_EQ(pressed, 1);
}

// A letter on several controls presses none of them: each Alt and the
// letter takes the focus on to the next. A label naming a control that
// carries its letter as well counts that control once, so the focus still
// moves on past it, and the control alone with the letter is pressed.
TEST_F(DialogBuilderTest, ALetterOnSeveralControlsTakesTheFocusFromOneToTheNext) {
  BuildDialog(form, TDialogTable{
                        {Edit, "NameEdit", "", {8, 8, 200, 21}},
                        {Label, "CaseLabel", "&Case:", {8, 40, 60, 16}},
                        {Button, "ClearBtn", "&Clear", {80, 36, 90, 25}},
                        {CheckBox, "CaseBox", "Match &Case", {8, 70, 200, 20}},
                        {Label, "WordsLabel", "&Words:", {8, 100, 60, 16}},
                        {CheckBox, "WordsBox", "&Whole Words", {80, 100, 120, 20}},
                    });
  DialogControl<TLabel>(form, "CaseLabel")->FocusControl = DialogControl<TCheckBox>(form, "CaseBox");
  ASSERT_EQ(NameOf(DialogControl<TLabel>(form, "WordsLabel")->FocusControl), "WordsBox");
  int cleared = 0;
  DialogControl<TButton>(form, "ClearBtn")->OnClick = [&](TObject*) { ++cleared; };
  form.Show();
  DialogControl<TEdit>(form, "NameEdit")->SetFocus();
  const struct {
    char letter;
    const char* focused;
    bool caseChecked, wordsChecked;
  } steps[] = {
      {'C', "CaseBox", false, false},
      {'C', "ClearBtn", false, false},
      {'C', "CaseBox", false, false},
      {'W', "WordsBox", false, true},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(std::string("Alt+") + step.letter);
    SendKey(static_cast<Word>(step.letter), ssAlt);
    EXPECT_EQ(NameOf(form.FocusedControl()), step.focused);
    EXPECT_EQ(DialogControl<TCheckBox>(form, "CaseBox")->Checked(), step.caseChecked);
    EXPECT_EQ(DialogControl<TCheckBox>(form, "WordsBox")->Checked(), step.wordsChecked);
  }
  EXPECT_EQ(cleared, 0) << "a letter on several controls presses none";
}

// A letter typed while a button, check box or radio button has the focus
// picks the control it underlines, as Alt and the letter do; a field that
// takes typing keeps the letter, and a letter nothing underlines does
// nothing.
TEST_F(DialogBuilderTest, ALetterAloneOnAButtonPicksTheControlItUnderlines) {
  BuildDialog(form, TDialogTable{
                        {Edit, "NameEdit", "", {8, 8, 200, 21}},
                        {CheckBox, "BackwardsBox", "Search &Backwards", {8, 40, 200, 20}},
                        {Button, "FormatCodesBtn", "F&ormat Codes", {8, 70, 90, 25}},
                        {Button, "CloseBtn", "Close", {108, 70, 90, 25}},
                    });
  const struct {
    const char* focus;
    char letter;
    int pressed;       // clicks of Format Codes
    bool backwards;    // the check box's state after
    const char* text;  // the edit's text after
  } cases[] = {
      {"CloseBtn", 'o', 1, false, ""}, {"CloseBtn", 'b', 0, true, ""},   {"BackwardsBox", 'O', 1, false, ""},
      {"CloseBtn", 'z', 0, false, ""}, {"NameEdit", 'o', 0, false, "o"}, {"NameEdit", 'b', 0, false, "b"},
  };
  form.Show();
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.focus) + " " + c.letter);
    int pressed = 0;
    DialogControl<TButton>(form, "FormatCodesBtn")->OnClick = [&](TObject*) { ++pressed; };
    DialogControl<TCheckBox>(form, "BackwardsBox")->SetChecked(false);
    DialogControl<TEdit>(form, "NameEdit")->Text = "";
    DialogControl<TWinControl>(form, c.focus)->SetFocus();
    TypeText(std::string(1, c.letter));
    EXPECT_EQ(pressed, c.pressed);
    EXPECT_EQ(DialogControl<TCheckBox>(form, "BackwardsBox")->Checked(), c.backwards);
    EXPECT_EQ(DialogControl<TEdit>(form, "NameEdit")->Text(), c.text);
  }
}

}  // namespace
}  // namespace qm

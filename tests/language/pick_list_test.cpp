#include "language/pick_list.h"

#include <gtest/gtest.h>

#include <functional>

#include "script/editing/editor_calls.h"
#include "language/language_fixture.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "script/editing/document_modified.h"
#include "script/layout/screen_rebuild.h"

namespace qm {
namespace {

using testing::LanguageFixture;
using Entries = std::vector<std::string>;

class PickListTest : public LanguageFixture {
 protected:
  TListMenu& Menu() { return ListMenuInstance(); }
  void Fill(const Entries& entries) {
    Menu().ClearList();
    for (const auto& e : entries) Menu().List->Items.Add(e);
  }
  Entries Shown() { return Texts(Menu().List->Items); }
  std::string Selected() {
    const int i = Menu().List->ItemIndex();
    return i < 0 ? std::string("(none)") : Menu().List->Items[i];
  }
  size_t Beeps() {
    size_t n = 0;
    for (const auto& s : Backend().Sounds()) n += s.kind == SoundKind::DefaultBeep;
    return n;
  }
  int RowY(int row) { return row * Menu().List->ItemHeight + 1; }
};

struct MatchCase {
  const char* what;
  bool smartTab, smartTabPlus;
  Entries charNames;
  std::string remembered;  // for the letter B
  bool sceneBreak;         // a heading between BOB's speech and the caret
  std::string typed;
  std::string selected;
};

TEST_F(PickListTest, TypeAheadInACueFollowsTheOptions) {
  const std::vector<MatchCase> cases = {
      {"first entry with the letter", false, false, {}, "", false, "b", "BARRY"},
      {"the Char Names list first", false, false, {"Zed", "bob"}, "", false, "b", "BOB"},
      {"SmartTab: the name last used", true, false, {}, "BOB", false, "b", "BOB"},
      {"SmartTab with nothing remembered", true, false, {"Bob"}, "", false, "b", "BARRY"},
      {"SmartTab: a remembered name the list lacks", true, false, {}, "BORIS", false, "b", "BARRY"},
      {"SmartTabPlus: who spoke last in the scene", true, true, {}, "", false, "b", "BOB"},
      {"SmartTabPlus: not across a heading", true, true, {}, "", true, "b", "BARRY"},
      {"two letters are matched as typed", false, false, {"Barry"}, "", false, "bo", "BOB"},
      {"other letters", true, true, {}, "", false, "ch", "CHARLIE"},
      {"no match clears the selection", true, false, {}, "", false, "x", "(none)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Script().FreeElements();
    Add({{ekSceneHeading, "INT. ONE"}, {ekCharacterName, "BOB"}, {ekDialogue, "Hi."}});
    if (c.sceneBreak) Add({{ekSceneHeading, "INT. TWO"}});
    Add({{ekCharacterName, "CHARLIE"}, {ekDialogue, "Yo."}, {ekCharacterName, ""}});
    PlaceCaret(c.sceneBreak ? 6 : 5);
    editor::SetEditText(Script(), c.typed);
    Main().UseSmartTab = c.smartTab;
    Main().UseSmartTabPlus = c.smartTabPlus;
    SetList(TUserList::CharNames, c.charNames);
    ListData(Script()).RememberedNames['B'] = c.remembered;
    Fill({"BARRY", "BOB", "CHARLIE"});
    Menu().ShowAtCaret(false);
    EXPECT_TRUE(Menu().Visible());
    Menu().MatchTypedText(c.typed);
    EXPECT_EQ(Selected(), c.selected);
    if (c.selected == "(none)") {
      EXPECT_EQ(Script().Hint(), "Press ENTER to add X");
    }
    Menu().DoneWithList();
  }
}

TEST_F(PickListTest, AnEditWhileTheListShowsLeavesTheListsHint) {
  Add({{ekCharacterName, ""}});
  PlaceCaret(0);
  editor::SetEditText(Script(), "x");
  Fill({"BARRY", "BOB"});
  Menu().ShowAtCaret(false);
  Menu().MatchTypedText("x");
  ASSERT_EQ(Script().Hint(), "Press ENTER to add X");
  Script().DocumentModified = 0;
  SetDocumentModified(true, false);
  EXPECT_TRUE(Script().DocumentModified);
  EXPECT_EQ(Script().Hint(), "Press ENTER to add X");
  Menu().DoneWithList();
}

TEST_F(PickListTest, TheModalResultsOfAList) {
  struct Case {
    const char* what;
    std::function<void(TListMenu&)> act;
    TModalResult result;
    std::string selected;
    Word passedOn = 0;  // the key that went on to the script
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"Enter takes the first entry", [](TListMenu&) { SendKey(VK_RETURN); }, mrOk, "ALPHA"},
      {"Down and Enter", [](TListMenu&) { SendKey(VK_DOWN); SendKey(VK_RETURN); }, mrOk, "BETA"},
      {"typing selects", [](TListMenu&) { TypeText("g"); SendKey(VK_RETURN); }, mrOk, "GAMMA"},
      {"Escape cancels", [](TListMenu&) { SendKey(VK_ESCAPE); }, mrCancel, "ALPHA"},
      {"a left click takes", [this](TListMenu& m) { ClickAt(*m.List, 5, RowY(1)); }, mrOk, "BETA"},
      {"a right click cancels", [this](TListMenu& m) { ClickAt(*m.List, 5, RowY(1), TMouseButton::mbRight); }, mrCancel,
       "ALPHA"},
      {"the X cancels", [](TListMenu& m) { ClickAt(*m.FakeX, 1, 1); }, mrCancel, "ALPHA"},
      {"a text that matches nothing", [](TListMenu&) { TypeText("q"); }, mrNoMatch, "Q"},
      {"a blank typed first is the one the line ends with", [](TListMenu&) { TypeText(" g"); SendKey(VK_RETURN); },
       mrOk, "GAMMA"},
      {"a key the list has no use for goes on to the script", [](TListMenu&) { SendKey(VK_LEFT); }, mrCancel, "ALPHA",
       VK_LEFT},
      {"so does Backspace with nothing typed", [](TListMenu&) { SendKey(VK_BACK); }, mrCancel, "ALPHA", VK_BACK},
      {"Backspace takes back a typed letter", [](TListMenu&) { TypeText("g"); SendKey(VK_BACK); SendKey(VK_RETURN); },
       mrOk, "ALPHA"},
  };
  // clang-format on
  Add({{ekSceneHeading, "INT."}});
  PlaceCaret(0, 4);
  std::vector<Word> scriptKeys;
  Script().OnKeyDown = [&](TObject*, Word& key, TShiftState) { scriptKeys.push_back(key); };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Fill({"ALPHA", "BETA", "GAMMA"});
    Driver().Expect([&](TForm& form) { c.act(dynamic_cast<TListMenu&>(form)); });
    EXPECT_EQ(Menu().ShowElementList(false), c.result);
    EXPECT_EQ(Selected(), c.selected);
    if (c.result == mrNoMatch) {
      EXPECT_EQ(Shown(), Entries{"Q"});
    }
    Application->ProcessMessages();
    EXPECT_EQ(scriptKeys, c.passedOn ? std::vector<Word>{c.passedOn} : std::vector<Word>{});
    scriptKeys.clear();
  }
}

TEST_F(PickListTest, ThePickerGivesThePickedIndexPlusOne) {
  // clang-format off
  const struct {
    const char* what;
    std::function<void(TListMenu&)> act;
    int picked;
  } cases[] = {
      {"Enter on the third", [](TListMenu&) { SendKey(VK_DOWN); SendKey(VK_DOWN); SendKey(VK_RETURN); }, 3},
      {"a double click on the second", [this](TListMenu& m) { DoubleClickAt(*m.List, 5, RowY(1)); }, 2},
      {"Escape", [](TListMenu&) { SendKey(VK_DOWN); SendKey(VK_ESCAPE); }, 0},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Fill({"C", "A", "B"});
    Driver().Expect([&](TForm& form) {
      auto& menu = dynamic_cast<TListMenu&>(form);
      EXPECT_TRUE(menu.PromptPanel->Visible());
      EXPECT_EQ(menu.PromptPanel->Caption(), "Select Name to Redline - Double Click Here when Done");
      EXPECT_EQ(Shown(), (Entries{"A", "B", "C"}));
      menu.List->SetItemIndex(0);
      c.act(menu);
    });
    EXPECT_EQ(Menu().ShowPicker("Select Name to Redline - Double Click Here when Done", true, false), c.picked);
  }
}

// The picker is as wide as its prompt needs (and 5 more), or as its
// widest entry; either way the centred prompt ends clear of the close box.
TEST_F(PickListTest, ThePickersPromptShowsWholeBesideItsCloseBox) {
  const std::string prompt = "Select Name to Redline - Double Click Here when Done";
  const struct {
    const char* what;
    Entries entries;
  } cases[] = {{"names narrower than the prompt", {"BOB", "ALICE"}},
               {"a name wider than the prompt", {std::string(60, 'W')}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Fill(c.entries);
    Driver().Expect([&](TForm& form) {
      auto& menu = dynamic_cast<TListMenu&>(form);
      TCanvas measure;
      measure.Font.Assign(menu.PromptPanel->Font);
      const int text = measure.TextWidth(prompt);
      EXPECT_GE(menu.Width(), text + 5);
      EXPECT_GE(menu.Width(), menu.List->Canvas.TextWidth(c.entries.front()) + 5);
      EXPECT_EQ(menu.PromptPanel->Width(), menu.Width());
      const int textRight = (menu.PromptPanel->Width() + text) / 2;
      EXPECT_LT(textRight, menu.FakeX->Left()) << "the prompt ends under the close box";
      SendKey(VK_ESCAPE);
    });
    EXPECT_EQ(Menu().ShowPicker(prompt, true, false), 0);
  }
}

TEST_F(PickListTest, PlaceholdersAndRepeatsNeverShow) {
  Add({{ekShot, "AN  "}});
  PlaceCaret(0, 4);
  Fill({"\xA0"});
  EXPECT_EQ(Menu().ShowElementList(false), mrCancel);

  Fill({"\xA0", "\xA0", "ANGLE", "ANGLE", "BACK"});
  Driver().Expect([this](TForm&) {
    EXPECT_EQ(Shown(), (Entries{"ANGLE", "BACK"}));
    SendKey(VK_ESCAPE);
  });
  EXPECT_EQ(Menu().ShowElementList(false), mrCancel);

  Fill({});
  editor::SetEditText(Script(), "AN  ");
  ExpectMessage("There are currently no locations available for automatic text entry", "Attention");
  EXPECT_EQ(Menu().ShowElementList(false), mrCancel);
  EXPECT_EQ(Script().EditBuffer(), "AN");
  // Typing in a colour, the line also loses that colour's close code.
  Settings().CurrentColor = 4;
  editor::SetEditText(Script(), "AN \xFE");
  EXPECT_EQ(Menu().ShowElementList(true), mrCancel);
  EXPECT_EQ(Script().EditBuffer(), "AN");
}

TEST_F(PickListTest, AGotoListRefusesATypedNumberItLacksWithABeep) {
  Add({{ekSceneHeading, "INT. A"}});
  PlaceCaret(0);
  Fill({"1   INT. A", "9   INT. B", "10  INT. C"});
  const size_t beepsBefore = Beeps();
  Driver().Expect([this](TForm& form) {
    auto& menu = dynamic_cast<TListMenu&>(form);
    EXPECT_EQ(Selected(), "1   INT. A");
    TypeText("9");
    EXPECT_EQ(Selected(), "9   INT. B");
    TypeText("9");
    EXPECT_EQ(Selected(), "9   INT. B");
    EXPECT_EQ(menu.TypedText, "9");
    EXPECT_EQ(menu.PromptPanel->Caption(), "9");
    SendKey(VK_RETURN);
  });
  EXPECT_EQ(Menu().ShowGotoList(0), mrOk);
  EXPECT_EQ(Beeps() - beepsBefore, 1u);
}

TEST_F(PickListTest, TheCloseBoxClosesOnlyWhenReleasedOverIt) {
  Add({{ekSceneHeading, "INT."}});
  PlaceCaret(0, 4);
  Fill({"ALPHA"});
  Driver().Expect([](TForm& form) {
    auto& menu = dynamic_cast<TListMenu&>(form);
    menu.FakeX->MouseDown(TMouseButton::mbLeft, {}, 1, 1);
    EXPECT_EQ(menu.FakeX->BevelOuter, TPanelBevel::bvLowered);
    menu.FakeX->MouseUp(TMouseButton::mbLeft, {}, 500, 500);
    EXPECT_EQ(menu.ModalResult, mrNone);
    EXPECT_EQ(menu.FakeX->BevelOuter, TPanelBevel::bvRaised);
    SendKey(VK_RETURN);
  });
  EXPECT_EQ(Menu().ShowElementList(false), mrOk);
}

TEST_F(PickListTest, TheListIsSizedToItsEntries) {
  Add({{ekSceneHeading, "INT."}});
  PlaceCaret(0, 4);
  const struct {
    Entries entries;
    int rows;
  } cases[] = {{{"A", "B", "C"}, 3}, {Entries(10, "X"), 6}};
  for (const auto& c : cases) {
    Fill(c.entries);
    Menu().ShowAtCaret(false);
    EXPECT_EQ(Menu().Height(), c.rows * Menu().List->ItemHeight + 2);
    EXPECT_EQ(Menu().Width(), 2 * Screen->PixelsPerInch() + 15);
    Menu().DoneWithList();
  }
  const std::string wide(25, 'W');
  Fill({wide});
  Menu().ShowAtCaret(false);
  EXPECT_EQ(Menu().Width(), Menu().List->Canvas.TextWidth(wide) + 15 + 15);
}

TEST_F(PickListTest, AHiddenNameListStillFollowsTheTyping) {
  Add({{ekCharacterName, "BOB"}, {ekCharacterName, "BARRY"}, {ekCharacterName, "ALICE"}, {ekCharacterName, ""}});
  PlaceCaret(3);
  Main().DisplayCharNameList = false;
  editor::SetEditText(Script(), "B");
  OfferCharacterNames(Script());
  EXPECT_TRUE(Menu().Visible());
  EXPECT_EQ(Menu().Left(), Screen->Width() + 2);
  EXPECT_EQ(Shown(), (Entries{"BOB", "BARRY"}));
  EXPECT_EQ(Selected(), "BOB");
  editor::SetEditText(Script(), "BA");
  OfferCharacterNames(Script());
  EXPECT_EQ(Selected(), "BARRY");
  editor::SetEditText(Script(), "BARRY (");
  OfferCharacterNames(Script());
  EXPECT_EQ(Selected(), "BARRY");
}

// Beside the caret the list stands three fifths across the screen, its
// width kept 15 pixels short of the screen's right edge.
TEST_F(PickListTest, TheListsOpenOnTheCaretsLineBesideTheText) {
  Add({{ekSceneHeading, "INT. HALL"}, {ekAction, "Rain."}, {ekSceneHeading, "INT."}});
  PlaceCaret(2, 4);
  RebuildScreen(&Script());
  const int start = 2 * Screen->PixelsPerInch();
  const struct {
    int screenWidth;
    int left;
    int width;
  } cases[] = {{1020, 612, start + 15}, {400, 240, 400 - (240 + 15)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.screenWidth);
    Backend().ScreenSettings().Width = c.screenWidth;
    const TPoint caret = editor::CaretScreenPoint(Script());
    Fill({"HALL", "KITCHEN"});
    Menu().ShowAtCaret(false);
    EXPECT_EQ(Menu().Top(), caret.Y) << "the name list";
    EXPECT_EQ(Menu().Left(), c.left);
    EXPECT_EQ(Menu().Width(), c.width);
    Menu().DoneWithList();
    Fill({"HALL", "KITCHEN"});
    TPoint shown;
    Driver().Expect([&](TForm& form) {
      shown = TPoint{form.Left, form.Top};
      SendKey(VK_ESCAPE);
    });
    Menu().ShowElementList(false);
    EXPECT_EQ(shown.Y, caret.Y) << "the location list";
    EXPECT_EQ(shown.X, c.left);
  }
}

// Typing into a cue after BOB's speech: the list offers BOB, and an edit
// while it shows leaves its words on the hint line.
TEST_F(PickListTest, TypingWhileTheNameListShowsLeavesItsHint) {
  Add({{ekCharacterName, "BOB"}, {ekDialogue, "Hi."}, {ekCharacterName, ""}});
  PlaceCaret(2);
  RebuildScreen(&Script());
  const auto type = [this](char key) {
    Script().FormKeyPress(&Script(), key);
    Application->ProcessMessages();
  };
  type('b');
  ASSERT_TRUE(Menu().Visible());
  ASSERT_EQ(Selected(), "BOB");
  SetDocumentModified(false, false);
  type('o');
  EXPECT_EQ(Script().EditBuffer(), "BO");
  EXPECT_TRUE(Script().DocumentModified);
  EXPECT_EQ(Script().Hint(), "Press ENTER to finish out BOB");
  Menu().DoneWithList();
}

TEST_F(PickListTest, AClickInTheScriptClosesTheNameList) {
  Add({{ekCharacterName, "BOB"}, {ekDialogue, "Hi."}, {ekCharacterName, ""}});
  PlaceCaret(2);
  RebuildScreen(&Script());
  editor::SetEditText(Script(), "B");
  OfferCharacterNames(Script());
  ASSERT_TRUE(Menu().Visible());
  ClickAt(Script(), 200, 10);
  EXPECT_FALSE(Menu().Visible());
}

TEST_F(PickListTest, TheExtensionListOffersTheScriptsExtensions) {
  Add({{ekCharacterName, "BOB (WHISPERING)"}, {ekCharacterName, "ANN (O.&S.)"}, {ekCharacterName, "ANN"}});
  PlaceCaret(2);
  const struct {
    std::string line;
    Entries shown;
  } cases[] = {
      {"ANN (", {"O.S.", "V.O.", "WHISPERING"}},
      {"ANN (w", {"WHISPERING"}},
      {"ANN (Q", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    editor::SetEditText(Script(), c.line);
    Menu().ShowAtCaret(false);
    EXPECT_EQ(Shown(), c.shown);
    EXPECT_EQ(Menu().Visible(), !c.shown.empty());
    EXPECT_TRUE(Menu().ExtensionMode);
    Menu().DoneWithList();
  }
}

// The cue being typed offers nothing of what it held before: the other
// cues do.
TEST_F(PickListTest, TheExtensionListLeavesOutTheCueBeingTyped) {
  Add({{ekCharacterName, "BOB (WHISPERING)"}, {ekCharacterName, "ANN (SHOUTING)"}});
  PlaceCaret(1);
  editor::SetEditText(Script(), "ANN (");
  Menu().ShowAtCaret(false);
  EXPECT_EQ(Shown(), (Entries{"O.S.", "V.O.", "WHISPERING"}));
  Menu().DoneWithList();
}

TEST_F(PickListTest, ThePromptLineDragsTheWindowWithinTheScreen) {
  Fill({"A"});
  TListMenu& menu = Menu();
  menu.SetBounds(100, 100, 200, 50);
  menu.PromptPanelMouseDown(nullptr, TMouseButton::mbLeft, {}, 10, 10);
  menu.PromptPanelMouseMove(nullptr, TShiftState(ssLeft), 40, 30);
  EXPECT_EQ(menu.Left(), 130);
  EXPECT_EQ(menu.Top(), 120);
  menu.PromptPanelMouseMove(nullptr, TShiftState(ssLeft), -5000, 5000);
  EXPECT_EQ(menu.Left(), 0);
  EXPECT_EQ(menu.Top(), Screen->Height() - 50);
  menu.PromptPanelMouseMove(nullptr, TShiftState(), 5000, -5000);
  EXPECT_EQ(menu.Left(), 0);
}

// "<" typed in a shot of a branching script offers the script's variables
// while "Auto Variable Input" is on; the one chosen is typed in after it.
TEST_F(PickListTest, ALessThanInAShotOffersTheVariables) {
  const struct {
    const char* what;
    bool interactive;
    bool option;
    Byte kind;
    bool offered;
  } cases[] = {
      {"a shot of a branching script", true, true, ekShot, true},
      {"with the option off", true, false, ekShot, false},
      {"in a plain script", false, true, ekShot, false},
      {"in an action", true, true, ekAction, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Script().FreeElements();
    Add({{ekShot, "<HAS KEY> <JUMP 1>"}, {c.kind, "GO "}});
    PlaceCaret(1, 3);
    Script().InteractiveScript = c.interactive ? 1 : 0;
    Main().AutoVariableInput = c.option;
    if (c.offered)
      Driver().Expect([&](TForm& form) {
        EXPECT_EQ(&form, &Menu());
        EXPECT_EQ(Shown(), Entries{"HAS KEY"});
        SendKey(VK_RETURN);
      });
    char key = '<';
    Script().FormKeyPress(&Script(), key);
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(Script().EditBuffer(), c.offered ? "GO <HAS KEY" : "GO <");
  }
}

}  // namespace
}  // namespace qm

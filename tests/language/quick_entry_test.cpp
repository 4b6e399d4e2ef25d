#include "language/quick_entry.h"

#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "language/language_fixture.h"
#include "language/quick_entry_dialog.h"
#include "platform/cp1252.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using testing::ElementsOf;
using testing::ElementSpec;
using testing::LanguageFixture;
using testing::ReadFileText;
using testing::TempFolder;
using testing::WriteFileText;

const std::string Bullet = "\x95";

TEST(QuickEntryListTest, EveryLineBecomesAMarkedItem) {
  const struct {
    std::string line, item;
  } cases[] = {
      {"apple", "  apple"},
      // one blank at the start is part of the text, not a mark
      {" apple", "   apple"},
      {"  apple", "  apple"},
      {Bullet + " apple", Bullet + " apple"},
      {Bullet + "apple", Bullet + " apple"},
      {Bullet, Bullet + " "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(QuickEntryItemOf(c.line), c.item) << c.line;
    // The item written back and read again stays the same.
    EXPECT_EQ(QuickEntryItemOf(c.item), c.item) << c.line;
  }
  EXPECT_EQ(ItemText("   apple"), " apple");
  EXPECT_TRUE(IsUsedItem(Bullet + " apple"));
  EXPECT_FALSE(IsUsedItem("  apple"));
  EXPECT_EQ(MarkUsed("  apple"), Bullet + " apple");
  EXPECT_EQ(ParseQuickEntryList("one\r\n\r\ntwo\n" + Bullet + " three"),
            (std::vector<std::string>{"  one", "  two", Bullet + " three"}));
  EXPECT_TRUE(ParseQuickEntryList("").empty());
}

TEST(QuickEntryTemplateTest, TokensTakeTheSceneAndTheSelectedItems) {
  using Selected = std::array<std::optional<std::string>, QuickEntryListCount>;
  const struct {
    std::string text;
    Selected selected;
    std::string result;
  } cases[] = {
      {"[1] ([2])", {"  BOB", std::nullopt, std::nullopt, std::nullopt}, "BOB ()"},
      {"[#] / [1] / [2]", {"  ONE", Bullet + " TWO", std::nullopt, std::nullopt}, "12 / ONE / TWO"},
      {"[1] and [1]", {"  A", std::nullopt, std::nullopt, std::nullopt}, "A and [1]"},
      {"[#][#]", {}, "12[#]"},
      {"no tokens", {}, "no tokens"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExpandQuickEntryTemplate(c.text, "12", c.selected), c.result) << c.text;
  EXPECT_EQ(DefaultQuickEntryTemplate({true, false, true, false}), "[#] / [1] / [3]");
  EXPECT_EQ(DefaultQuickEntryTemplate({}), "[#]");
}

class QuickEntryTest : public LanguageFixture {
 protected:
  void Name(const std::string& file) { Script().ScriptFileName = folder_.File(file); }
  TempFolder folder_;
};

TEST_F(QuickEntryTest, TheSceneNumberIsTheHeadingsAtOrBeforeTheCaret) {
  Add({{ekAction, "Before."}, {ekSceneHeading, "INT. ROOM - DAY"}, {ekAction, "Inside."}, {ekASceneHeading, "EXT. A"}});
  Number(1, 4);
  Number(3, 5);
  Element(3).group->letter = 'A';
  PlaceCaret(2);
  EXPECT_EQ(QuickEntrySceneNumber(Script()), "4");
  PlaceCaret(3);
  EXPECT_EQ(QuickEntrySceneNumber(Script()), "5A");
  // Above the first heading the first element stands in: with no group a
  // zero and a blank.
  PlaceCaret(0);
  Element(0).group = nullptr;
  EXPECT_EQ(QuickEntrySceneNumber(Script()), "0 ");
}

TEST_F(QuickEntryTest, AnInteractiveScriptNumbersByTheBranchTarget) {
  Add({{ekSceneHeading, "TARGET"}, {ekAction, "Below it."}});
  Element(0).format.NumberWord = 7;
  Settings().InteractiveScript = 1;
  PlaceCaret(1);
  EXPECT_EQ(QuickEntrySceneNumber(Script()), "7");
}

TEST_F(QuickEntryTest, SettingsRoundTripAndDefaultWhenAbsent) {
  const std::string path = folder_.File("script.QTE");
  const std::string list = WriteFileText(folder_.File("one.LST"), "a\n");
  TQuickEntrySettings none = ReadQuickEntrySettings(path);
  EXPECT_TRUE(none.startNewElement);
  EXPECT_EQ(none.elementType, 2);
  EXPECT_EQ(none.format, "[#]");
  TQuickEntrySettings s;
  s.listFiles = {list, "", folder_.File("missing.LST"), ""};
  s.startNewElement = false;
  s.elementType = 4;
  s.format = "[1]!";
  WriteQuickEntrySettings(path, s);
  const TQuickEntrySettings read = ReadQuickEntrySettings(path);
  EXPECT_EQ(read.listFiles, s.listFiles);
  EXPECT_FALSE(read.startNewElement);
  EXPECT_EQ(read.elementType, 4);
  EXPECT_EQ(read.format, "[1]!");
}

TEST_F(QuickEntryTest, AnUnnamedScriptIsRefused) {
  Add({{ekAction, "Text."}});
  Script().ScriptFileName = "NONAME1";
  ExpectMessage("You MUST name this script before you can use the Quick Text Entry Box.", "Attention");
  ShowQuickEntry(true);
  EXPECT_EQ(QuickEntryBox(), nullptr);
}

TEST_F(QuickEntryTest, WithoutItsSettingsFileQuickEntryWaitsForSetup) {
  Add({{ekAction, "Text."}});
  Name("script.SCR");
  ShowQuickEntry(false);
  EXPECT_EQ(QuickEntryBox(), nullptr);
}

// The box kept for one script opens for the next even before that script
// has settings of its own, made anew for it.
TEST_F(QuickEntryTest, TheKeptBoxOpensAnewForAnotherScript) {
  Add({{ekAction, "Text."}});
  Name("first.SCR");
  const auto cancel = [](TForm& form) { dynamic_cast<TQuickEntryDialog&>(form).CancelBtn->Click(); };
  Driver().Expect(cancel, "the quick entry box");
  ShowQuickEntry(true);
  ASSERT_NE(QuickEntryBox(), nullptr);
  Name("second.SCR");
  ASSERT_FALSE(FileExists(folder_.File("second.QTE")));
  Driver().Expect(cancel, "the quick entry box for the second script");
  ShowQuickEntry(false);
  ASSERT_NE(QuickEntryBox(), nullptr);
  EXPECT_EQ(QuickEntryBox()->SettingsPath(), folder_.File("second.QTE"));
  EXPECT_TRUE(FileExists(folder_.File("first.QTE")));
  SaveQuickEntrySettings();
}

TEST_F(QuickEntryTest, OkTypesTheTemplateAndMarksTheItemsUsed) {
  Add({{ekSceneHeading, "INT. ROOM - DAY"}, {ekAction, "Inside."}});
  Number(0, 3);
  PlaceCaret(1, 7);
  Name("script.SCR");
  const std::string one = WriteFileText(folder_.File("one.LST"), "BOB\r\n" + Bullet + " MARY\r\n");
  const std::string two = WriteFileText(folder_.File("two.LST"), " walks\r\nruns\r\n");
  TQuickEntrySettings s;
  s.listFiles = {one, two, "", ""};
  s.format = "[#]: [1] [2]";
  WriteQuickEntrySettings(folder_.File("script.QTE"), s);
  Driver().Expect(
      [](TForm& form) {
        auto& box = dynamic_cast<TQuickEntryDialog&>(form);
        EXPECT_EQ(box.Pages->ActivePage(), box.ListsPage);
        EXPECT_EQ(box.Lists[1]->Items[0], "   walks");
        box.Lists[0]->SetItemIndex(0);
        box.Lists[1]->SetItemIndex(0);
        box.OKBtn->Click();
      },
      "the quick entry box");
  ShowQuickEntry(false);
  const std::vector<ElementSpec> expected{
      {ekSceneHeading, "INT. ROOM - DAY"}, {ekAction, "Inside."}, {ekScriptNote, "3: BOB  walks"}};
  EXPECT_EQ(ElementsOf(Script()), expected);
  // The lists and settings are written back, the used items marked.
  EXPECT_EQ(ReadFileText(one), Bullet + " BOB\r\n" + Bullet + " MARY\r\n");
  EXPECT_EQ(ReadFileText(two), Bullet + "  walks\r\n  runs\r\n");
  SaveQuickEntrySettings();
  EXPECT_EQ(QuickEntryBox(), nullptr);
}

TEST_F(QuickEntryTest, TypeAheadPicksTheFirstItemThatBeginsSo) {
  Add({{ekAction, "Text."}});
  Name("script.SCR");
  const std::string list = WriteFileText(folder_.File("one.LST"), "ALPHA\nBETA\nBETTY\n   " + Bullet + "CAROL\n");
  TQuickEntrySettings s;
  s.listFiles = {list, "", "", ""};
  WriteQuickEntrySettings(folder_.File("script.QTE"), s);
  TQuickEntryDialog box(Application, folder_.File("script.QTE"));
  const struct {
    char key;
    int selected;
  } keys[] = {{'b', 1}, {'e', 1}, {'t', 1}, {'t', 2}, {'x', 2}};
  for (const auto& k : keys) {
    char key = k.key;
    box.ListKeyPress(0, key);
    EXPECT_EQ(box.Lists[0]->ItemIndex(), k.selected) << k.key;
  }
  Word back = VK_BACK;
  box.ListKeyDown(0, back);
  EXPECT_EQ(box.Lists[0]->ItemIndex(), 1);
  // Blanks and bullets before an item's text are not part of what is typed.
  for (int i = 0; i < 3; ++i) {
    back = VK_BACK;
    box.ListKeyDown(0, back);
  }
  EXPECT_EQ(box.Lists[0]->ItemIndex(), 0);
  char c = 'c';
  box.ListKeyPress(0, c);
  EXPECT_EQ(box.Lists[0]->ItemIndex(), 3);
}

// Opened with only its lists named: the template takes a token for each
// list file that is there; Enter goes on to the next list with items and
// the fourth list's Enter takes the text in, as the keys come from the
// desktop; Setup and Done swap the pages.
TEST_F(QuickEntryTest, TheBoxWalksItsListsAndSwapsItsPages) {
  Add({{ekAction, "Text."}});
  Name("script.SCR");
  const std::string one = WriteFileText(folder_.File("one.LST"), "ALPHA\nBETA\n");
  const std::string three = WriteFileText(folder_.File("three.LST"), "GAMMA\nGREEN\n");
  const std::string four = WriteFileText(folder_.File("four.LST"), "DELTA\n");
  {
    TIniFile ini(folder_.File("script.QTE"));
    ini.WriteString("Lists", "#1", one);
    ini.WriteString("Lists", "#2", folder_.File("missing.LST"));
    ini.WriteString("Lists", "#3", three);
    ini.WriteString("Lists", "#4", four);
  }
  TQuickEntryDialog box(Application, folder_.File("script.QTE"));
  EXPECT_EQ(box.FormatEdit->Text(), "[#] / [1] / [3] / [4]");
  EXPECT_TRUE(box.NewElementBox->Checked());
  EXPECT_EQ(box.ElementTypeBox->ItemIndex(), 2);
  box.Show();
  EXPECT_EQ(box.FocusedControl(), box.Lists[0]);
  // Keys as the desktop delivers them to the list that has the keyboard: a
  // key, then its character unless the key was taken. The box's default
  // button must not take Return first, nor its character undo the choice.
  const auto deliver = [](TWinControl* to, Word key, char ch) {
    if (!Application->DeliverInput(TMsg{to->Handle(), WM_KEYDOWN, key, 0, 0, {}}))
      Application->DeliverInput(TMsg{to->Handle(), WM_CHAR, static_cast<Byte>(ch), 0, 0, {}});
  };
  const struct {
    int list;
    char pick;  // typed ahead before Return
    int picked;
    TWinControl* focusAfter;
    TModalResult result;
  } enters[] = {{0, 'b', 1, box.Lists[2], mrNone}, {2, 'g', 0, box.Lists[3], mrNone}, {3, 'd', 0, box.Lists[3], mrOk}};
  for (const auto& e : enters) {
    TListBox* list = box.Lists[static_cast<std::size_t>(e.list)];
    ASSERT_EQ(box.FocusedControl(), list) << e.list;
    deliver(list, static_cast<Word>(AnsiUpper(static_cast<Byte>(e.pick))), e.pick);
    deliver(list, VK_RETURN, '\r');
    EXPECT_EQ(list->ItemIndex(), e.picked) << e.list;
    EXPECT_EQ(box.FocusedControl(), e.focusAfter) << e.list;
    EXPECT_EQ(box.ModalResult, e.result) << e.list;
  }
  box.ModalResult = mrNone;
  box.SetupBtn->Click();
  EXPECT_EQ(box.Pages->ActivePage(), box.SetupPage);
  EXPECT_EQ(box.SetupBtn->Caption(), "Done");
  EXPECT_FALSE(box.OKBtn->Visible());
  EXPECT_FALSE(box.CancelBtn->Visible());
  box.SetupBtn->Click();
  EXPECT_EQ(box.Pages->ActivePage(), box.ListsPage);
  EXPECT_EQ(box.SetupBtn->Caption(), "&Setup");
  EXPECT_TRUE(box.OKBtn->Visible());
  box.Hide();
}

// Set up from nothing: each list loaded through the open dialog moves the
// choice on to the next list; a cleared list keeps its file; Cancel keeps
// what the box holds, and the settings are written for the script.
TEST_F(QuickEntryTest, ListsAreLoadedAndClearedOnTheSetupPage) {
  Add({{ekAction, "Text."}});
  PlaceCaret(0);
  Name("script.SCR");
  const std::string one = WriteFileText(folder_.File("one.LST"), "ALPHA\r\n");
  const std::string two = WriteFileText(folder_.File("two.LST"), "BETA\r\n");
  const auto load = [this](int list, const std::string& path) {
    Driver().Expect([list, path](TForm& form) {
      auto& open = dynamic_cast<TFileDialog&>(form);
      EXPECT_EQ(open.Caption(), "Load List #" + std::to_string(list));
      EXPECT_EQ(open.Filter, "ASCII List|*.LST");
      EXPECT_EQ(open.DefaultExt, "LST");
      open.FileNameEdit->Text = path;
      open.OkBtn->Click();
    });
  };
  Driver().Expect(
      [&](TForm& form) {
        auto& box = dynamic_cast<TQuickEntryDialog&>(form);
        EXPECT_EQ(box.Pages->ActivePage(), box.SetupPage);
        EXPECT_EQ(box.FormatEdit->Text(), "[#]");
        const struct {
          std::string path;
          int listAfter;
        } loads[] = {{one, 1}, {two, 2}};
        for (const auto& l : loads) {
          load(box.SelectedListGroup->ItemIndex() + 1, l.path);
          box.LoadBtn->Click();
          EXPECT_EQ(box.SelectedListGroup->ItemIndex(), l.listAfter) << l.path;
        }
        EXPECT_EQ(Texts(box.Lists[0]->Items), std::vector<std::string>{"  ALPHA"});
        EXPECT_EQ(Texts(box.Lists[1]->Items), std::vector<std::string>{"  BETA"});
        box.SelectedListGroup->SetItemIndex(1);
        box.ClearListBtn->Click();
        EXPECT_EQ(box.Lists[1]->Items.Count(), 0);
        box.SetupBtn->Click();
        box.Lists[0]->SetItemIndex(0);
        box.CancelBtn->Click();
      },
      "the quick entry box");
  ShowQuickEntry(true);
  EXPECT_EQ(ElementsOf(Script()).size(), 1u);
  const TQuickEntrySettings saved = ReadQuickEntrySettings(folder_.File("script.QTE"));
  EXPECT_EQ(saved.listFiles[0], one);
  EXPECT_EQ(saved.listFiles[1], two);
  EXPECT_EQ(ReadFileText(one), "  ALPHA\r\n");
  EXPECT_EQ(ReadFileText(two), "");
  SaveQuickEntrySettings();
}

}  // namespace
}  // namespace qm

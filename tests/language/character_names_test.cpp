#include "language/character_names.h"

#include <gtest/gtest.h>

#include "script/editing/editor_calls.h"
#include "language/hide_names_dialog.h"
#include "language/language_fixture.h"
#include "platform/input.h"
#include "platform/stringlist.h"

namespace qm {
namespace {

using testing::LanguageFixture;

class CharacterNameTest : public LanguageFixture {
 protected:
  std::vector<std::string> Collected(char letter = 0, bool dropHidden = false, bool keepSpeakers = false) {
    TStringList names;
    CollectCharacterNames(letter, false, dropHidden, names, keepSpeakers);
    return Texts(names);
  }
  void Hide(const std::vector<std::string>& names) { Settings().HiddenNames = PackHiddenNames(names); }
  using Names = std::vector<std::string>;
};

TEST(CueNameTest, CuesAreCleanedToTheirNames) {
  const struct {
    std::string cue, name;
  } cases[] = {
      {"*BOB (V.O.)", "BOB"},
      {"MARY\x04JANE", "MARY JANE"},
      {"JEAN\x05LUC", "JEAN-LUC"},
      {"\x02"
       "BOLD\x03 ONE  ",
       "BOLD ONE"},
      {"SAM\x04(CONT'D)", "SAM"},
      {"(O.S.)", ""},
      {"**STARS", "*STARS"},
  };
  for (const auto& c : cases) EXPECT_EQ(CueName(c.cue), c.name) << c.cue;
}

TEST(CharacterNameTableTest, ChainsHoldUniqueNamesByFirstCharacter) {
  TCharacterNameTable table;
  EXPECT_TRUE(table.Add("BOB"));
  EXPECT_TRUE(table.Add("BARRY"));
  EXPECT_FALSE(table.Add("BOB"));
  EXPECT_TRUE(table.Add("Bob"));
  EXPECT_FALSE(table.Add("1ST COP"));
  EXPECT_FALSE(table.Add(""));
  EXPECT_TRUE(table.Add("\xC9MILE"));
  EXPECT_EQ(table.Chain('B'), (std::vector<std::string>{"BOB", "BARRY", "Bob"}));
  EXPECT_EQ(table.Chain('1').size(), 0u);
  EXPECT_TRUE(table.Contains("\xC9MILE"));
  EXPECT_EQ(table.Count(), 4);
}

TEST_F(CharacterNameTest, NamesComeFromCuesThatOpenAGroupOrFollowItsHeading) {
  Add({{ekSceneHeading, "INT. HALL - DAY"},
       {ekCharacterName, "ZOE"},
       {ekDialogue, "Hello."},
       {ekAction, "A note."},
       {ekCharacterName, "NOT A GROUP START"},
       {ekCharacterName, "*BOB (V.O.)"},
       {ekDialogue, "Hi."},
       {ekCharacterName, "ALICE"},
       {ekCharacterName, "BOB"}});
  // The heading and the first cue share a group; so do the note and the cue after it.
  Element(1).group = Element(0).group;
  Element(4).group = Element(3).group;
  EXPECT_EQ(Collected(), (Names{"ALICE", "BOB", "ZOE"}));
  EXPECT_EQ(Collected('B'), (Names{"BOB"}));
}

TEST_F(CharacterNameTest, TheCharNamesListAddsNamesUpToItsFirstGap) {
  Add({{ekAction, "Nobody speaks."}});
  SetList(TUserList::CharNames, {"Zed", "Al\\alice", "", "NEVER READ"});
  EXPECT_EQ(Collected(), (Names{"ALICE", "ZED"}));
  SetList(TUserList::CharNames, {});
  ExpectMessage("There are NO Existing Character Names!");
  TStringList names;
  EXPECT_FALSE(CollectCharacterNames(0, true, false, names, false));
}

TEST_F(CharacterNameTest, StoringACueAddsItsName) {
  Add({{ekCharacterName, "BOB"}});
  PlaceCaret(0);
  editor::SetEditText(Script(), "carla (o.s.)");
  editor::Assemble(Script());
  EXPECT_EQ(*Element(0).text, "CARLA (o.s.)");
  EXPECT_TRUE(ListData(Script()).NameTable.Contains("CARLA"));
}

TEST(HiddenNamesTest, TheFirstStringStaysBelow255AndNothingIsSilentlyLost) {
  const std::string name(20, 'N');  // 21 characters stored
  std::vector<std::string> names(24, name);
  bool fits = false;
  THiddenNames stored = PackHiddenNames(names, &fits);
  EXPECT_TRUE(fits);
  EXPECT_EQ(stored[0].size(), 12u * 21u);  // a 13th would reach 273
  EXPECT_EQ(stored[1].size(), 12u * 21u);
  names.push_back(name);
  stored = PackHiddenNames(names, &fits);
  EXPECT_FALSE(fits);
  EXPECT_EQ(UnpackHiddenNames(stored).size(), 24u);
}

TEST_F(CharacterNameTest, HiddenNamesLeaveTheListsUnlessTheySpeakInThisScene) {
  Add({{ekSceneHeading, "INT. ONE"},
       {ekCharacterName, "SMITH, JOHN"},
       {ekDialogue, "Hi."},
       {ekCharacterName, "BOB"},
       {ekSceneHeading, "INT. TWO"},
       {ekCharacterName, "BOB"},
       {ekDialogue, "Bye."}});
  Hide({"SMITH, JOHN", "BOB"});
  PlaceCaret(2);
  EXPECT_EQ(Collected(0, true, false), Names{});
  EXPECT_EQ(Collected(0, true, true), (Names{"BOB", "SMITH, JOHN"}));
  EXPECT_EQ(Collected(0, false, false), (Names{"BOB", "SMITH, JOHN"}));
  PlaceCaret(6);
  EXPECT_EQ(Collected(0, true, true), (Names{"BOB"}));
  // The cue being edited speaks too, from its edit line.
  PlaceCaret(5);
  editor::SetEditText(Script(), "smith, john (o.s.)");
  EXPECT_EQ(Collected(0, true, true), (Names{"SMITH, JOHN"}));
}

// The caret in a cue leaves its name in every list: the cue being edited
// is read from its edit line, in a group of its own or after a heading.
TEST_F(CharacterNameTest, TheCueAtTheCaretIsInTheLists) {
  Add({{ekCharacterName, "ANN"},
       {ekDialogue, "Hi."},
       {ekCharacterName, "ZELDA"},
       {ekDialogue, "Bye."},
       {ekSceneHeading, "INT. HALL"},
       {ekCharacterName, "WANDA (O.S.)"}});
  const Names all{"ANN", "WANDA", "ZELDA"};
  const struct {
    const char* what;
    int caret;
  } cases[] = {{"ZELDA's only cue", 2}, {"a cue right after its heading", 5}, {"a speech", 1}};
  for (const auto& c : cases) {
    PlaceCaret(c.caret, 2);
    EXPECT_EQ(Collected(), all) << c.what;
    Driver().Expect([&](TForm& form) {
      auto& dialog = dynamic_cast<THideNamesDlg&>(form);
      EXPECT_EQ(Texts(dialog.ShowNameList->Items), all) << c.what;
      dialog.CancelBtn->Click();
    });
    HideCharacterNames();
  }
}

// ---- The hide dialog --------------------------------------------------------

class HideNamesTest : public CharacterNameTest {
 protected:
  void AddCues(const std::vector<std::string>& names) {
    std::vector<testing::ElementSpec> specs;
    for (const auto& n : names) specs.push_back({ekCharacterName, n});
    Add(specs);
  }
};

TEST_F(HideNamesTest, TheDialogStartsFromTheStoredNamesAndStoresTheNewOnes) {
  AddCues({"ALICE", "BOB", "SMITH, JOHN"});
  Hide({"BOB", "GONE FROM SCRIPT"});
  Main().SkipNameHide = true;
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<THideNamesDlg&>(form);
    EXPECT_EQ(dialog.Caption(), "Hide Names in Pop-Up Lists");
    EXPECT_EQ(Texts(dialog.ShowNameList->Items), (Names{"ALICE", "SMITH, JOHN"}));
    EXPECT_EQ(Texts(dialog.HideNameList->Items), (Names{"BOB"}));
    EXPECT_TRUE(dialog.ExceptWhenInSceneBox->Checked());
    dialog.ShowNameList->SetItemIndex(1);
    dialog.IncludeBtn->Click();
    EXPECT_EQ(dialog.ShowNameList->ItemIndex(), 0);
    dialog.HideNameList->SetItemIndex(0);
    dialog.ExcludeBtn->Click();
    EXPECT_EQ(Texts(dialog.HideNameList->Items), (Names{"SMITH, JOHN"}));
    dialog.ExceptWhenInSceneBox->SetChecked(false);
    dialog.OKBtn->Click();
  });
  HideCharacterNames();
  EXPECT_EQ(Settings().HiddenNames[0], "SMITH| JOHN,");
  EXPECT_FALSE(Main().SkipNameHide);
  EXPECT_TRUE(Script().DocumentModified);
}

TEST_F(HideNamesTest, HidingStopsAt450LettersAndAtWhatTheScriptCanStore) {
  const struct {
    const char* what;
    std::vector<std::string> names;
    size_t hiddenAfterAll;
  } cases[] = {
      // 22 names of 20 letters and one of 11 make 451: the last is refused.
      {"the letter limit",
       [] {
         std::vector<std::string> n;
         for (char c = 'A'; c < 'A' + 22; ++c) n.push_back(std::string(1, c) + std::string(19, 'X'));
         n.push_back("Z" + std::string(10, 'Y'));
         return n;
       }(),
       22},
      // Names of 3 letters take 4 characters stored: 63 go into each string.
      {"the stored strings",
       [] {
         std::vector<std::string> n;
         for (int i = 0; i < 130; ++i)
           n.push_back(std::string(1, static_cast<char>('A' + i / 26)) + static_cast<char>('A' + i % 26) + "Q");
         return n;
       }(),
       126},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    THideNamesDlg dialog(Application, true);
    for (const auto& n : c.names) dialog.ShowNameList->Items.Add(n);
    ExpectMessage("You can only hide up to about 50 names (for a maximum of 450 letters)");
    dialog.IncAllBtn->Click();
    EXPECT_EQ(static_cast<size_t>(dialog.HideNameList->Items.Count()), c.hiddenAfterAll);
    bool fits = false;
    const THiddenNames stored = PackHiddenNames(Texts(dialog.HideNameList->Items), &fits);
    EXPECT_TRUE(fits);
    EXPECT_EQ(UnpackHiddenNames(stored).size(), c.hiddenAfterAll);
  }
}

TEST_F(HideNamesTest, NamesDraggedBetweenTheListsMoveAsTheArrowsMoveThem) {
  const std::string longName(20, 'L');
  // 22 hidden names of 20 letters leave room for no more than 10.
  std::vector<std::string> nearlyFull;
  for (char c = 'A'; c < 'A' + 22; ++c) nearlyFull.push_back(std::string(1, c) + std::string(19, 'X'));
  const struct {
    const char* what;
    std::vector<std::string> shown;
    std::vector<std::string> hidden;
    bool fromShown;
    int item;
    bool ontoOther;
    Names shownAfter;
    size_t hiddenAfter;
    bool refused;
  } cases[] = {
      {"to the hidden names", {"ALICE", "BOB"}, {}, true, 1, true, {"ALICE"}, 1, false},
      {"back to the shown names", {"ALICE"}, {"BOB", "CAROL"}, false, 0, true, {"ALICE", "BOB"}, 1, false},
      {"within its own list", {"ALICE", "BOB"}, {}, true, 0, false, {"ALICE", "BOB"}, 0, false},
      {"past the letter limit", {longName}, nearlyFull, true, 0, true, {longName}, 22, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    THideNamesDlg dialog(Application, true);
    for (const auto& n : c.shown) dialog.ShowNameList->Items.Add(n);
    for (const auto& n : c.hidden) dialog.HideNameList->Items.Add(n);
    Driver().Expect([&](TForm&) {
      if (c.refused) ExpectMessage("You can only hide up to about 50 names (for a maximum of 450 letters)");
      TListBox& from = c.fromShown ? *dialog.ShowNameList : *dialog.HideNameList;
      TListBox& onto = c.ontoOther == c.fromShown ? *dialog.HideNameList : *dialog.ShowNameList;
      const TRect item = from.ItemRect(c.item);
      const TPoint press{item.Left + 4, item.Top + 2};
      const TPoint drop = from.ScreenToClient(onto.ClientToScreen({10, 150}));
      DragAt(from, press, drop);
      dialog.CancelBtn->Click();
    });
    dialog.ShowModal();
    EXPECT_EQ(Texts(dialog.ShowNameList->Items), c.shownAfter);
    EXPECT_EQ(static_cast<size_t>(dialog.HideNameList->Items.Count()), c.hiddenAfter);
  }
}

TEST_F(HideNamesTest, HiddenLocationsAreTheLocationsDialogsResult) {
  Add({{ekSceneHeading, "INT. KITCHEN - DAY"}, {ekSceneHeading, "EXT. GARDEN - NIGHT"}});
  Settings().HiddenLocations.Add("GARDEN");
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<THideNamesDlg&>(form);
    EXPECT_EQ(dialog.Caption(), "Hide Locations from Pop-up List");
    EXPECT_EQ(dialog.SrcLabel->Caption(), "Locations to be Displayed");
    EXPECT_FALSE(dialog.ExceptWhenInSceneBox->Visible());
    EXPECT_EQ(Texts(dialog.HideNameList->Items), (Names{"GARDEN"}));
    dialog.ShowNameList->SetItemIndex(0);
    dialog.IncludeBtn->Click();
    EXPECT_FALSE(dialog.IncludeBtn->Enabled());
    dialog.OKBtn->Click();
  });
  HideLocations();
  ASSERT_EQ(Settings().HiddenLocations.Count(), 2);
  EXPECT_EQ(Settings().HiddenLocations[0], "GARDEN");
  EXPECT_EQ(Settings().HiddenLocations[1], "KITCHEN");
}

}  // namespace
}  // namespace qm

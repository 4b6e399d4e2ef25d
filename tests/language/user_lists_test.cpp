#include "language/user_lists.h"

#include <gtest/gtest.h>

#include <fstream>

#include "language/language_fixture.h"
#include "language/pick_list.h"
#include "language/quick_text_entry.h"
#include "language/user_list_dialogs.h"
#include "platform/files.h"
#include "platform/input.h"
#include "base/ini_file.h"

namespace qm {
namespace {

using testing::LanguageFixture;

class UserListTest : public LanguageFixture {
 protected:
  void WriteSetting(const std::string& key, const std::string& value) {
    OpenSettingsFile().WriteString(UserListsSection, key, value);
  }
  std::string TextFile(const std::string& name, const std::string& contents) {
    const std::string path = HomeFile(name);
    std::ofstream(path, std::ios::binary) << contents;
    return path;
  }
  std::vector<std::string> Leading(TUserList list) { return LeadingEntries(Lists(), list); }
};

struct SlotCase {
  TUserList list;
  int slot;
  std::string expected;
};

// The built-in texts themselves are pinned with the format defaults.
TEST_F(UserListTest, AnEmptySettingsFileGivesTheBuiltInsAndEveryListHasItsKeys) {
  TUserListTables lists;
  for (TUserList list : AllUserLists) ClearUserList(lists, list);
  ReadUserLists(OpenSettingsFile(), UserListsSection, lists);
  EXPECT_EQ(lists, TUserListTables{});
  // clang-format off
  const SlotCase lastSlots[] = {
      {TUserList::Extension, 10, "Extension 10"},       {TUserList::TimeofDay, 12, "TimeofDay 12"},
      {TUserList::Transition, 8, "Transition 8"},       {TUserList::SceneText, 10, "SceneText 10"},
      {TUserList::ShotText, 6, "ShotText 6"},           {TUserList::ActText, 3, "ActText 3"},
      {TUserList::PrologueText, 5, "PrologueText 5"},   {TUserList::TagText, 1, "TagText 1"},
      {TUserList::EndofActText, 1, "EndofActText 1"},   {TUserList::ScriptOpenText, 1, "ScriptOpenText 1"},
      {TUserList::SceneBodyText, 10, "SceneBodyText 10"}, {TUserList::CharNames, 15, "Char Names 15"},
      {TUserList::SubstitutionText, 15, "Substitution Text 15"},
  };
  // clang-format on
  for (const auto& c : lastSlots) WriteSetting(c.expected, c.expected);
  ReadUserLists(OpenSettingsFile(), UserListsSection, lists);
  for (const auto& c : lastSlots) EXPECT_EQ(UserListEntry(lists, c.list, c.slot), c.expected);
}

TEST_F(UserListTest, AFilledSettingsFileIsReadKeyByKeyAndCutToTheSlotWidth) {
  WriteSetting("SceneText 1", "INTERIOR");
  WriteSetting("Extension 1", "");
  WriteSetting("Char Names 15", "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  WriteSetting("SceneBodyText 10", std::string(50, 'L'));
  WriteSetting("Substitution Text 3", "JB\\JAMES BOND");
  WriteSetting("TagText 2", "NOT A SLOT");
  LoadUserListDefaults(UserListsSection);
  const SlotCase cases[] = {
      {TUserList::SceneText, 1, "INTERIOR"},
      {TUserList::SceneText, 2, "EXT."},
      {TUserList::Extension, 1, ""},
      {TUserList::Extension, 2, "V.O."},
      {TUserList::CharNames, 15, "ABCDEFGHIJKLMNOPQRST"},
      {TUserList::SceneBodyText, 10, std::string(45, 'L')},
      {TUserList::SubstitutionText, 3, "JB\\JAMES BOND"},
      {TUserList::TagText, 2, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(UserListEntry(Lists(), c.list, c.slot), c.expected) << UserListSpec(c.list).Key << c.slot;
}

TEST_F(UserListTest, OriginalDefaultsIgnoreTheSettingsFileAndSaySo) {
  WriteSetting("SceneText 1", "INTERIOR");
  LoadUserListDefaults(UserListsSection);
  ASSERT_EQ(UserListEntry(Lists(), TUserList::SceneText, 1), "INTERIOR");
  // Whatever section the settings file holds, none of it is read.
  OpenSettingsFile().WriteString("Hah!", "SceneText 1", "LEAKED");
  ExpectMessage("Original Default Lists have been loaded.", "Attention");
  LoadOriginalUserLists();
  EXPECT_EQ(Lists(), TUserListTables{});
}

TEST_F(UserListTest, WrittenListsReadBackTheSame) {
  SetList(TUserList::CharNames, {"BOB", "Al\\ALICE"});
  SetList(TUserList::SceneBodyText, {"", "GAP BEFORE ME"});
  TIniFile ini = OpenSettingsFile();
  WriteUserLists(ini, Lists());
  TUserListTables read;
  ReadUserLists(ini, UserListsSection, read);
  EXPECT_EQ(read, Lists());
  EXPECT_EQ(ini.ReadString(UserListsSection, "Extension 1", "?"), "O.S.");
  EXPECT_EQ(ini.ReadString(UserListsSection, "SceneBodyText 1", "?"), "");
}

TEST(UserListEntryTest, TextAndAliasParts) {
  const std::string underline(1, '\x15');
  const struct {
    std::string entry;
    bool transform, strip;
    std::string text, key;
  } cases[] = {
      {"M&OMENTS LATER", false, true, "MOMENTS LATER", ""},
      {"M&OMENTS LATER", false, false, "M&OMENTS LATER", ""},
      {"NEWACT\\ACT", false, false, "ACT", "NEWACT"},
      {"A\\B\\C", false, false, "B\\C", "A"},
      {"\\LONE TEXT", false, false, "LONE TEXT", ""},
      {"FULL &SHOT", true, true, "Full Shot", ""},
      {"X\\" + underline + "\x02" + "BIG\x19" + " &DEAL", false, true, "BIG DEAL", "X"},
      {"", false, true, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    EXPECT_EQ(ListItemText(c.entry, c.transform, c.strip), c.text);
    EXPECT_EQ(ListItemKey(c.entry), c.key);
  }
  EXPECT_EQ(InsertedText("U\\" + underline + "&UP"), underline + "UP");
}

TEST(UserListEntryTest, StoresAreCutToTheWidthAndStayInsideTheSlots) {
  TUserListTables lists;
  SetUserListEntry(lists, TUserList::TagText, 1, std::string(30, 'T'));
  SetUserListEntry(lists, TUserList::TagText, 2, "NO SECOND SLOT");
  SetUserListEntry(lists, TUserList::SubstitutionText, 15, std::string(60, 'S'));
  SetUserListEntry(lists, TUserList::SubstitutionText, 0, "NO SLOT 0");
  EXPECT_EQ(UserListEntry(lists, TUserList::TagText, 1), std::string(20, 'T'));
  EXPECT_EQ(UserListEntry(lists, TUserList::TagText, 2), "");
  EXPECT_EQ(UserListEntry(lists, TUserList::SubstitutionText, 15), std::string(45, 'S'));
  EXPECT_EQ(UserListEntry(lists, TUserList::SubstitutionText, 0), "");
  EXPECT_EQ(FirstEmptySlot(lists, TUserList::SubstitutionText), 1);
  SetUserListEntry(lists, TUserList::TagText, 1, "");
  EXPECT_EQ(FirstEmptySlot(lists, TUserList::TagText), 1);
}

TEST(UserListEntryTest, MeasureReadsTheMenuListsUpToTheirFirstGap) {
  TUserListTables lists;
  EXPECT_EQ(MeasureUserLists(lists).Longest, 13);  // BACK TO SCENE
  for (TUserList list : AllUserLists) ClearUserList(lists, list);
  EXPECT_EQ(MeasureUserLists(lists).Shortest, 0);
  EXPECT_EQ(MeasureUserLists(lists).Longest, 0);
  SetUserListEntry(lists, TUserList::SceneText, 1, "FULL &SHOT");
  SetUserListEntry(lists, TUserList::SceneText, 3, "UNREAD BEYOND THE GAP");
  SetUserListEntry(lists, TUserList::ActText, 1, "NEWACT\\ACT");
  SetUserListEntry(lists, TUserList::CharNames, 1, "NOT A MENU LIST AT ALL");
  SetUserListEntry(lists, TUserList::Transition, 1, "d&issolve:");
  const TUserListMeasure m = MeasureUserLists(lists);
  EXPECT_EQ(m.Shortest, 3);
  EXPECT_EQ(m.Longest, 9);
  EXPECT_TRUE(m.ShortcutLetters['S']);
  EXPECT_TRUE(m.ShortcutLetters['I']);
  EXPECT_FALSE(m.ShortcutLetters['U']);
}

// ---- Loading a text file ----------------------------------------------------

struct LoadCase {
  const char* what;
  std::string name;
  std::string contents;
  bool expectLocations;  // the preset of the dialog
  bool clearFirst;
  std::vector<std::string> before;  // entries of the target list
  std::vector<std::string> expected;
};

TEST_F(UserListTest, TextFilesFillTheLocationsOrTheNames) {
  std::string twelve, sixteen;
  for (int i = 1; i <= 12; ++i) twelve += "SET " + std::to_string(i) + "\r\n";
  for (int i = 1; i <= 16; ++i) sixteen += "NAME" + std::to_string(i) + "\n";
  std::vector<std::string> ten, fifteen;
  for (int i = 1; i <= 10; ++i) ten.push_back("SET " + std::to_string(i));
  for (int i = 1; i <= 15; ++i) fifteen.push_back("NAME" + std::to_string(i));
  // clang-format off
  const std::vector<LoadCase> cases = {
      {"twelve sets fill the ten slots", "sets.set", twelve, true, true, {"OLD"}, ten},
      {"sixteen names fill all fifteen slots", "cast.txt", sixteen, false, true, {}, fifteen},
      {"tabs and blanks go, empty lines are skipped", "tabs.SET", "\t  KITCHEN \t\r\n\r\n   \r\nLIVING\tROOM", true, true,
       {}, {"KITCHEN", "LIVINGROOM"}},
      {"without clearing it goes on after the entries", "more.set", "ATTIC\nCELLAR\n", true, false, {"HALL"},
       {"HALL", "ATTIC", "CELLAR"}},
      {"long lines are cut to the slot", "long.set", std::string(60, 'X'), true, true, {}, {std::string(45, 'X')}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TUserList list = c.expectLocations ? TUserList::SceneBodyText : TUserList::CharNames;
    SetList(list, c.before);
    const std::string path = TextFile(c.name, c.contents);
    Driver().Expect([&](TForm& form) {
      auto& dialog = dynamic_cast<TASCIIUserListDlg&>(form);
      EXPECT_EQ(dialog.LocationsRadio->Checked(), c.expectLocations);
      EXPECT_TRUE(dialog.ClearFirstBox->Checked());
      dialog.ClearFirstBox->SetChecked(c.clearFirst);
      dialog.OKBtn->Click();
    });
    ExpectMessage("Your new User List has been loaded.");
    EXPECT_TRUE(LoadUserListFromTextFile(path));
    EXPECT_EQ(Leading(list), c.expected);
    EXPECT_TRUE(Script().DocumentModified);
  }
}

TEST_F(UserListTest, AFullListIsEmptiedOnlyWhenTheWriterAgrees) {
  std::vector<std::string> full;
  for (int i = 1; i <= 10; ++i) full.push_back("OLD " + std::to_string(i));
  const std::string path = TextFile("new.set", "NEW 1\nNEW 2\n");
  for (bool agree : {false, true}) {
    SCOPED_TRACE(agree);
    SetList(TUserList::SceneBodyText, full);
    Driver().Expect([](TForm& form) {
      auto& dialog = dynamic_cast<TASCIIUserListDlg&>(form);
      dialog.ClearFirstBox->SetChecked(false);
      dialog.OKBtn->Click();
    });
    ExpectMessage("That List is already full!\r\rShould I empty it before loading the new list?", "",
                  agree ? mrYes : mrNo);
    ExpectMessage(agree ? "Your new User List has been loaded." : "List Loading was Canceled");
    EXPECT_EQ(LoadUserListFromTextFile(path), agree);
    EXPECT_EQ(Leading(TUserList::SceneBodyText), (agree ? std::vector<std::string>{"NEW 1", "NEW 2"} : full));
  }
}

TEST_F(UserListTest, AMissingFileIsReportedWithoutTheDialog) {
  const std::string path = HomeFile("nowhere.set");
  ExpectMessage(path + " not found!", "Attention");
  EXPECT_FALSE(LoadUserListFromTextFile(path));
}

// ---- The editor -------------------------------------------------------------

TEST_F(UserListTest, AnAliasIsCutToWhatTheSlotLeavesAndTheWriterIsTold) {
  const struct {
    TUserList list;
    std::string alias, text, stored;
    std::string limit;  // in the message; empty when nothing is cut
  } cases[] = {
      {TUserList::ShotText, "ABCDEFGHIJKLMNO", "0123456789", "ABCDEFGHI\\0123456789", "19"},
      {TUserList::SubstitutionText, std::string(40, 'A'), "0123456789", std::string(34, 'A') + "\\0123456789", "44"},
      {TUserList::SubstitutionText, "SHORT", "0123456789", "SHORT\\0123456789", ""},
      {TUserList::ShotText, "ALIAS", std::string(20, 'T'), std::string(20, 'T'), "19"},
  };
  TEditUserListDlg dialog(Application);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    dialog.SetupList(c.list);
    dialog.RowEdits[0]->Text = c.text;
    dialog.RowAliases[0] = c.alias;
    if (!c.limit.empty()) {
      const std::string cut = c.stored.substr(0, c.stored.find('\\') == std::string::npos ? 0 : c.stored.find('\\'));
      ExpectMessage("User Text can be no more than " + c.limit +
                        " characters,\rso I am forced to truncate the alias \"" + c.alias + "\" to \"" + cut + "\"",
                    "Attention");
    }
    dialog.WriteBackList();
    EXPECT_EQ(UserListEntry(dialog.Lists, c.list, 1), c.stored);
  }
}

TEST_F(UserListTest, TheEditorShowsStyleCodesAsTagsAndStoresThemBack) {
  SetList(TUserList::Transition, {"CT\\\x15"
                                  "CUT TO:",
                                  "", "FADE OUT:"});
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<TEditUserListDlg&>(form);
    EXPECT_EQ(dialog.Caption(), "Edit User Lists - Character Names");
    dialog.ListButtons[static_cast<size_t>(TUserList::Transition)]->Click();
    EXPECT_EQ(dialog.Caption(), "Edit User Lists - Transitions");
    EXPECT_EQ(dialog.RowEdits[0]->Text(), "[U+]CUT TO:");
    EXPECT_EQ(dialog.RowAliases[0], "CT");
    EXPECT_TRUE(dialog.AliasButtons[0]->Visible());
    EXPECT_FALSE(dialog.RowEdits[8]->Visible());
    dialog.RowEdits[1]->Text = "[B+]WIPE TO:   ";
    dialog.RowEdits[2]->Text = "";
    dialog.ListButtons[static_cast<size_t>(TUserList::Extension)]->Click();
    EXPECT_EQ(dialog.Caption(), "Edit User Lists - Character Name Extensions");
    EXPECT_FALSE(dialog.AliasButtons[0]->Visible());
    dialog.SaveDefaultsBox->SetChecked(true);
    dialog.OKBtn->Click();
  });
  ShowEditUserLists();
  EXPECT_EQ(UserListEntry(Lists(), TUserList::Transition, 1), "CT\\\x15"
                                                              "CUT TO:");
  EXPECT_EQ(UserListEntry(Lists(), TUserList::Transition, 2), "\x02"
                                                              "WIPE TO:");
  EXPECT_EQ(UserListEntry(Lists(), TUserList::Transition, 3), "");
  EXPECT_TRUE(Script().DocumentModified);
  EXPECT_EQ(OpenSettingsFile().ReadString(UserListsSection, "Transition 2", "?"), "\x02"
                                                                                  "WIPE TO:");
}

TEST_F(UserListTest, TheEditorOpensOnTheFirstRowAndEnterGoesDownTheRows) {
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<TEditUserListDlg&>(form);
    EXPECT_EQ(dialog.FocusedControl(), dialog.RowEdits[0]);
    // The character names take aliases: their buttons show beside the rows.
    ASSERT_TRUE(dialog.AliasButtons[0]->Visible());
    for (size_t row = 0; row + 1 < UserListRows; ++row) {
      SendKey(VK_RETURN);
      EXPECT_EQ(dialog.FocusedControl(), dialog.RowEdits[row + 1]) << "Enter in row " << row + 1;
    }
    dialog.OKBtn->Click();
  });
  ShowEditUserLists();
}

TEST_F(UserListTest, TheAliasBoxStoresTheAliasWithoutBackslashesOrTrailingBlanks) {
  const struct {
    const char* stored;
    const char* shown;
    const char* typed;
    TModalResult closedWith;
    const char* alias;
  } cases[] = {
      {"OLD", "OLD", "C\\T  ", mrOk, "CT"},
      {"OLD", "OLD", "FADE", mrCancel, "OLD"},
      {"OLD", "OLD", "", mrOk, ""},
      // The capitals marks are kept through an edit though the box hides the choice.
      {"|OLD", "OLD", "FADE", mrOk, "|FADE"},
      {"||OLD", "OLD", "CT", mrOk, "||CT"},
  };
  TEditUserListDlg dialog(Application);
  dialog.SetupList(TUserList::ShotText);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    dialog.RowAliases[2] = c.stored;
    Driver().Expect([&](TForm& form) {
      auto& box = dynamic_cast<TQuickTextEntryDlg&>(form);
      EXPECT_EQ(box.Caption(), "Alias Auto-Recognition Text");
      EXPECT_FALSE(box.CapitalsPanel->Visible()) << "the user lists do not offer the capitals choice";
      EXPECT_EQ(box.FocusedControl(), box.TextEdit);
      EXPECT_EQ(box.TextEdit->Text(), c.shown);
      EXPECT_EQ(box.TextEdit->MaxLength, UserListSpec(TUserList::ShotText).Width - 1);
      box.TextEdit->Text = c.typed;
      if (c.closedWith == mrOk) box.OKBtn->Click();
      else SendKey(VK_ESCAPE);
    });
    dialog.AliasButtons[2]->Click();
    EXPECT_EQ(dialog.RowAliases[2], c.alias);
  }
}

TEST_F(UserListTest, SetupDayOneEntryPutsDayOneIntoTheTimesOfDayOnYes) {
  const std::vector<std::string> full(12, "SOON");
  const struct {
    const char* what;
    std::vector<std::string> times;
    TModalResult answer;
    int slot;  // where "DAY 1" stands after OK; 0 for nowhere
    bool full;
  } cases[] = {
      {"yes fills the first empty row", {"MORNING", "", "NIGHT"}, mrYes, 2, false},
      {"no leaves the list", {"MORNING", "", "NIGHT"}, mrNo, 0, false},
      {"an entry already there is not doubled", {"DAY 1", "NIGHT"}, mrYes, 1, false},
      {"a full list says so", full, mrYes, 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetList(TUserList::TimeofDay, c.times);
    Driver().Expect([&](TForm& form) {
      auto& dialog = dynamic_cast<TEditUserListDlg&>(form);
      ExpectMessage("Should I add \"DAY 1\" to your Times of Day?", "", c.answer);
      if (c.full) ExpectMessage("There are no Empty User List Elements!");
      dialog.SetupDayBtn->Click();
      if (c.answer == mrYes) {
        EXPECT_EQ(dialog.Caption(), "Edit User Lists - Times of Day");
      }
      dialog.OKBtn->Click();
    });
    ShowEditUserLists();
    EXPECT_EQ(Driver().Pending(), 0);
    int at = 0;
    for (int slot = 1; slot <= UserListSpec(TUserList::TimeofDay).Slots; ++slot) {
      if (UserListEntry(Lists(), TUserList::TimeofDay, slot) == "DAY 1") {
        EXPECT_EQ(at, 0) << "once only";
        at = slot;
      }
    }
    EXPECT_EQ(at, c.slot);
    EXPECT_EQ(UserListEntry(Lists(), TUserList::TimeofDay, 1), c.times[0]);
  }
}

TEST_F(UserListTest, CopyFromScriptPutsPickedNamesIntoTheEmptyRows) {
  Add({{ekCharacterName, "BOB"}, {ekDialogue, "Hi."}, {ekCharacterName, "ALICE"}, {ekDialogue, "Yes."}});
  SetList(TUserList::CharNames, {"ZED"});
  Driver().Expect([this](TForm& form) {
    auto& dialog = dynamic_cast<TEditUserListDlg&>(form);
    Driver().Expect([](TForm& picker) {
      auto& menu = dynamic_cast<TListMenu&>(picker);
      EXPECT_EQ(menu.PromptPanel->Caption(), "Double Click on an Entry to Copy it");
      menu.List->SetItemIndex(menu.List->Items.IndexOf("BOB"));
      SendKey(VK_RETURN);
    });
    Driver().Expect([](TForm& picker) {
      auto& menu = dynamic_cast<TListMenu&>(picker);
      EXPECT_EQ(menu.List->Items.IndexOf("BOB"), -1);
      SendKey(VK_ESCAPE);
    });
    dialog.CopyFromScriptBtn->Click();
    EXPECT_EQ(dialog.RowEdits[0]->Text(), "ZED");
    EXPECT_EQ(dialog.RowEdits[1]->Text(), "BOB");
    dialog.OKBtn->Click();
  });
  ShowEditUserLists();
  EXPECT_EQ(Leading(TUserList::CharNames), (std::vector<std::string>{"ZED", "BOB"}));
}

}  // namespace
}  // namespace qm

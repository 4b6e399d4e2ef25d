// The name bank window: names by letter, Find Name, favourites kept in
// the settings file, a composed name typed at the caret, and the messages
// for a missing or damaged file.
#include "language/name_bank.h"

#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "base/prompt_table.h"
#include "platform/dialog_builder.h"
#include "platform/input.h"
#include "name_bank_writer.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "support/temp_folder.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

class NameBankTest : public testing::ProgramFixture {
 protected:
  void BeforeStart() override {
    const std::vector<std::uint8_t> file =
        BuildNameBank({std::vector<std::string>{"Edgar", "Edwin", "Adam", "Eddie", "Bob"},
                       std::vector<std::string>{"Ann", "Amy", "Jo", "Mary-ann", "La verne"},
                       std::vector<std::string>{"Smith", "Mcdonald", "Mcadams", "O'brien", "Jones"}});
    testing::WriteFileText(folder.File("NAMEBANK.FIL"), std::string(file.begin(), file.end()));
  }
  // The window, answered by `use`.
  void WithWindow(const std::function<void(TReadNameBank&)>& use) {
    Driver().Expect(
        [use](TForm& form) {
          auto& bank = dynamic_cast<TReadNameBank&>(form);
          use(bank);
          bank.CloseBtn->Click();
        },
        "the name bank");
  }
  std::vector<std::string> Items(const TListBox& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Items.Count(); ++i) items.push_back(list.Items[i]);
    return items;
  }
  void Pick(TListBox& list, const std::string& name) {
    list.SetItemIndex(list.Items.IndexOf(name));
    list.DblClick();
  }
  // Drags a name of `from` with the mouse and drops it over the middle
  // of `onto`.
  static void DragName(TListBox& from, const std::string& name, TControl& onto) {
    const int item = from.Items.IndexOf(name);
    ASSERT_GE(item, 0) << name;
    const TPoint over = from.ScreenToClient(onto.ClientToScreen({onto.Width / 2, onto.Height / 2}));
    DragAt(from, {5, (item - from.TopIndex) * from.ItemHeight + 2}, over);
  }
  static void ShowLetter(TReadNameBank& bank, TNameList list, char letter) {
    bank.Notebook->SetActivePageIndex(list);
    bank.LetterIndex[list - 1]->SetItemIndex(letter - 'A');
    bank.LetterIndex[list - 1]->Click();
  }
  testing::TempFolder folder;
  testing::ScopedEnv program{"QUILLMASTER_PROGRAM_FOLDER", folder.Path() + "/"};
};

TEST_F(NameBankTest, NamesShowLetterByLetterAndFindNameSelectsAsItIsTyped) {
  std::vector<std::string> first, eNames, family;
  std::string found, caption;
  WithWindow([&](TReadNameBank& bank) {
    caption = bank.Caption;
    EXPECT_EQ(bank.Notebook->ActivePageIndex(), 1) << "no favourites yet: the male names";
    first = Items(*bank.Names[0]);
    bank.LetterIndex[0]->SetItemIndex('E' - 'A');
    bank.LetterIndex[0]->Click();
    eNames = Items(*bank.Names[0]);
    bank.Match[0]->Text = std::string("edw");
    found = bank.Names[0]->Items[bank.Names[0]->ItemIndex()];
    bank.Notebook->SetActivePageIndex(3);
    EXPECT_TRUE(bank.Match[2]->Focused()) << "a names page gives Find Name the keyboard";
    bank.Match[2]->Text = std::string("mcd");
    family = Items(*bank.Names[2]);
    EXPECT_EQ(bank.Names[2]->Items[bank.Names[2]->ItemIndex()], "McDonald");
    EXPECT_EQ(bank.Caption(), "Quillmaster Name Bank - 22,000 Family Names");
    bank.Notebook->SetActivePageIndex(0);
    EXPECT_TRUE(bank.Personal[2]->Focused()) << "the personal list of the page just left";
    EXPECT_EQ(bank.Caption(), "Quillmaster Name Bank");
  });
  ShowNameBank();
  EXPECT_EQ(first, (std::vector<std::string>{"Adam"}));
  EXPECT_EQ(eNames, (std::vector<std::string>{"Eddie", "Edgar", "Edwin"}));
  EXPECT_EQ(found, "Edwin");
  EXPECT_EQ(family, (std::vector<std::string>{"McAdams", "McDonald"}));
  EXPECT_EQ(NameBankWindow(), nullptr);
}

TEST_F(NameBankTest, FavouritesAreAddedByDoubleClickOrFindNameAndKeptInTheSettings) {
  WithWindow([&](TReadNameBank& bank) {
    bank.LetterIndex[0]->SetItemIndex('E' - 'A');
    bank.LetterIndex[0]->Click();
    Pick(*bank.Names[0], "Edgar");
    Pick(*bank.Names[0], "Edgar");
    bank.Match[0]->Text = std::string("zed");
    Word enter = VK_RETURN;
    bank.Match[0]->DoKeyDown(enter, {});
    EXPECT_EQ(Items(*bank.Favorites[0]), (std::vector<std::string>{"Edgar", "Zed"}));
  });
  testing::AnswerMessageBox(Driver(), "Add Zed to favorite Names?", mrYes);
  ShowNameBank();
  const TIniFile ini = OpenSettingsFile();
  EXPECT_EQ(ini.ReadString("Favorite Men", "Man 1", ""), "Edgar");
  EXPECT_EQ(ini.ReadString("Favorite Men", "Man 2", ""), "Zed");
  EXPECT_FALSE(ini.SectionExists("Favorite Women")) << "an unchanged list is not written";

  // Next time the personal lists open first; Delete asks before it removes.
  WithWindow([&](TReadNameBank& bank) {
    EXPECT_EQ(bank.Notebook->ActivePageIndex(), 0);
    EXPECT_EQ(Items(*bank.Personal[0]), (std::vector<std::string>{"Edgar", "Zed"}));
    bank.Personal[0]->SetItemIndex(1);
    Word del = VK_DELETE;
    bank.Personal[0]->DoKeyDown(del, {});
    EXPECT_EQ(Items(*bank.Favorites[0]), (std::vector<std::string>{"Edgar"}));
  });
  testing::AnswerMessageBox(Driver(), "Remove the name \"Zed\" from your Favorite List?", mrYes);
  ShowNameBank();
  EXPECT_EQ(OpenSettingsFile().ReadString("Favorite Men", "Man 2", ""), "");
}

TEST_F(NameBankTest, NamesAreDraggedOntoAndOffTheFavourites) {
  {
    TIniFile ini = OpenSettingsFile();
    ini.WriteString("Favorite Men", "Man 1", "Bob");
  }
  enum TWhere { Names, Favorites, Personal, Window };
  const struct {
    TWhere from;
    const char* name;
    TWhere onto;
    TModalResult answer;  // mrNone: no question
    std::vector<std::string> favorites;
    bool changed;
  } drags[] = {
      {Names, "Edgar", Names, mrNone, {"Bob"}, false},   // within the names
      {Names, "Edgar", Window, mrNone, {"Bob"}, false},  // not a favourite
      {Names, "Edwin", Favorites, mrNone, {"Bob", "Edwin"}, true},
      {Names, "Edwin", Favorites, mrNone, {"Bob", "Edwin"}, true},  // there already
      {Favorites, "Edwin", Names, mrNone, {"Bob"}, true},           // dragged back off
      {Names, "Eddie", Favorites, mrNone, {"Bob", "Eddie"}, true},
      {Favorites, "Eddie", Window, mrNo, {"Bob", "Eddie"}, true},
      {Favorites, "Eddie", Window, mrYes, {"Bob"}, true},
      {Personal, "Bob", Window, mrYes, {}, true},
  };

  std::vector<std::vector<std::string>> favorites, personal;
  std::vector<std::string> names;
  std::vector<bool> changed;
  WithWindow([&](TReadNameBank& bank) {
    for (const auto& d : drags) {
      if (d.from == Personal) {
        bank.Notebook->SetActivePageIndex(0);
      } else if (bank.Notebook->ActivePageIndex() != 1) {
        ShowLetter(bank, nlMale, 'E');
      }
      TListBox& from = d.from == Names ? *bank.Names[0] : d.from == Favorites ? *bank.Favorites[0] : *bank.Personal[0];
      TControl& onto = d.onto == Names       ? static_cast<TControl&>(*bank.Names[0])
                       : d.onto == Favorites ? static_cast<TControl&>(*bank.Favorites[0])
                       : d.from == Personal  ? static_cast<TControl&>(*DialogControl<TLabel>(bank, "PMenLabel"))
                                             : static_cast<TControl&>(*bank.DragHint[0]);
      DragName(from, d.name, onto);
      favorites.push_back(Items(*bank.Favorites[0]));
      changed.push_back(bank.FavoritesChanged[0]);
      if (d.from == Personal) personal.push_back(Items(*bank.Personal[0]));
    }
    names = Items(*bank.Names[0]);
    EXPECT_FALSE(bank.FavoritesChanged[1] || bank.FavoritesChanged[2]);
  });
  for (const auto& d : drags)
    if (d.answer != mrNone)
      testing::AnswerMessageBox(Driver(), "Remove the name \"" + std::string(d.name) + "\" from your Favorite List?",
                                d.answer, PromptTable(3));
  ShowNameBank();
  EXPECT_EQ(Driver().Pending(), 0) << "every question asked, and no other";
  ASSERT_EQ(favorites.size(), std::size(drags));
  ASSERT_EQ(changed.size(), std::size(drags));
  for (std::size_t k = 0; k < std::size(drags); ++k) {
    EXPECT_EQ(favorites[k], drags[k].favorites) << "drag " << k << ": " << drags[k].name;
    EXPECT_EQ(changed[k], drags[k].changed) << "drag " << k << ": " << drags[k].name;
  }
  EXPECT_EQ(personal, (std::vector<std::vector<std::string>>{{}})) << "a personal name goes from both lists";
  EXPECT_EQ(names, (std::vector<std::string>{"Eddie", "Edgar", "Edwin"})) << "the names list keeps its names";
  EXPECT_FALSE(OpenSettingsFile().ValueExists("Favorite Men", "Man 1"));
}

TEST_F(NameBankTest, NamesDroppedOnTheNameToInsertComposeIt) {
  const struct {
    TNameList list;
    bool personal;
    const char* name;
    const char* composed;
  } drops[] = {
      {nlFemale, false, "Ann", "Ann "},    {nlFamily, false, "Smith", "Ann Smith"},
      {nlFemale, false, "Jo", "Jo Smith"}, {nlFamily, true, "Jones", "Jo Jones"},
      {nlMale, true, "Bob", "Bob Jones"},
  };
  {
    TIniFile ini = OpenSettingsFile();
    ini.WriteString("Favorite Family", "Family 1", "Jones");
    ini.WriteString("Favorite Men", "Man 1", "Bob");
  }
  std::vector<std::string> composed;
  WithWindow([&](TReadNameBank& bank) {
    for (const auto& d : drops) {
      if (d.personal) bank.Notebook->SetActivePageIndex(0);
      else ShowLetter(bank, d.list, d.name[0]);
      DragName(d.personal ? *bank.Personal[d.list - 1] : *bank.Names[d.list - 1], d.name, *bank.InsertName);
      composed.push_back(bank.InsertName->Text);
    }
  });
  ShowNameBank();
  ASSERT_EQ(composed.size(), std::size(drops));
  for (std::size_t k = 0; k < std::size(drops); ++k) EXPECT_EQ(composed[k], drops[k].composed) << drops[k].name;
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(NameBankTest, ClearingThePersonalListsTakesATypedYes) {
  {
    TIniFile ini = OpenSettingsFile();
    ini.WriteString("Favorite Women", "Woman 1", "Ann");
  }
  for (const bool confirm : {false, true}) {
    WithWindow([&](TReadNameBank& bank) {
      Driver().Expect([confirm](TForm& box) { testing::AnswerTypeYes(box, confirm); }, "type YES");
      bank.Button1->Click();
      EXPECT_EQ(bank.Favorites[1]->Items.Count(), confirm ? 0 : 1);
      EXPECT_EQ(bank.Personal[1]->Items.Count(), confirm ? 0 : 1);
    });
    ShowNameBank();
  }
  EXPECT_FALSE(OpenSettingsFile().ValueExists("Favorite Women", "Woman 1"));
}

TEST_F(NameBankTest, AComposedNameIsTypedAtTheCaretInBoldCapitals) {
  TMDIChild& w = Script();
  w.FreeElements();
  ResetScreenLines(w);
  testing::AddElements(w, {{ekAction, "Then arrives."}});
  editor::SetCurrentElement(w, w.FirstElement);
  w.CurrentGroup = w.FirstElement->group;
  w.DisAssemble();
  editor::SetCaretColumn(w, 4);
  w.RefreshKeepingCursor();
  std::vector<std::string> composed;
  WithWindow([&](TReadNameBank& bank) {
    bank.Favorites[1]->Items.Add("Ann");
    bank.Favorites[1]->Items.Add("Jo");
    bank.Favorites[2]->Items.Add("Smith");
    Pick(*bank.Favorites[1], "Ann");
    composed.push_back(bank.InsertName->Text);
    Pick(*bank.Favorites[2], "Smith");
    composed.push_back(bank.InsertName->Text);
    Pick(*bank.Favorites[1], "Jo");
    composed.push_back(bank.InsertName->Text);
    bank.BoldName->SetChecked(true);
    bank.CapTheName->SetChecked(true);
    bank.TypeName->Click();
  });
  ShowNameBank();
  EXPECT_EQ(composed, (std::vector<std::string>{"Ann ", "Ann Smith", "Jo Smith"}));
  w.Assemble();
  EXPECT_EQ(testing::ElementsOf(w)[0].text, "Then \x02JO SMITH\x03 arrives.");
  const TIniFile ini = OpenSettingsFile();
  EXPECT_EQ(ini.ReadString("Inserted Names", "Last Name", ""), "Jo Smith");
  EXPECT_EQ(ini.ReadString("Inserted Names", "Name 1", ""), "Jo Smith");
  EXPECT_TRUE(ini.ReadBool("Name Bank", "Bold Names", false));
}

TEST_F(NameBankTest, AMissingOrDamagedFileIsReportedAndNoWindowOpens) {
  const struct {
    const char* bytes;
    const char* message;
  } cases[] = {{nullptr, "Cannot find the Name Bank"}, {"too short", "Unable to Open the Name Bank"}};
  for (const auto& c : cases) {
    std::remove(folder.File("NAMEBANK.FIL").c_str());
    if (c.bytes) testing::WriteFileText(folder.File("NAMEBANK.FIL"), c.bytes);
    testing::AnswerMessageBox(Driver(), c.message, mrOk, "Attention");
    ShowNameBank();
    EXPECT_EQ(Driver().Pending(), 0) << c.message;
  }
}

}  // namespace
}  // namespace qm

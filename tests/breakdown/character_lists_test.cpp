#include "breakdown/character_lists.h"

#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "files/undo_ring.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "breakdown/associations.h"
#include "breakdown/character_lists_dialog.h"
#include "breakdown/tag_notation.h"
#include "language/character_names.h"
#include "language/language_fixture.h"
#include "script/model/script_record.h"
#include "support/message_box_answers.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

using testing::ElementSpec;
using testing::T;

class CharacterListsTest : public testing::LanguageFixture {
 protected:
  // Generates with the options given, the way the command does without
  // its dialog.
  void Generate(const TCharacterListOptions& options, std::vector<std::string> atmosphere = {}) {
    TCharacterListRun run;
    run.Options = options;
    run.Names = PrepareListNames(Script(), options.SortOrder);
    run.AtmosphereLocations = std::move(atmosphere);
    RunCharacterListGeneration(Script(), run);
  }
  // The texts of the elements right after the scene headings.
  std::vector<std::string> ListsUnderHeadings() {
    std::vector<std::string> lists;
    const auto elements = testing::ElementsOf(Script());
    for (std::size_t i = 0; i + 1 < elements.size(); ++i)
      if (elements[i].kind == ekSceneHeading) lists.push_back(elements[i + 1].text);
    return lists;
  }
  static TCharacterListOptions Sorted(int order) {
    TCharacterListOptions o;
    o.SortOrder = order;
    o.AfterFirst = false;
    return o;
  }
};

const std::vector<ElementSpec> kTwoScenes = {
    {ekSceneHeading, "INT. BARN - DAY"},
    {ekAction, "WALTER and JOHNNY wait. JOHN'S hat is there."},
    {ekCharacterName, "MARY"},
    {ekDialogue, "Hello."},
    {ekCharacterName, "JOHN & MARY"},
    {ekDialogue, "Together."},
    {ekSceneHeading, "EXT. FIELD - NIGHT"},
    {ekAction, "A MAN runs past JOHN SMITH."},
    {ekCharacterName, "JOHN SMITH"},
    {ekDialogue, "Stop!"},
    {ekCharacterName, "WALTER"},
    {ekDialogue, "Why?"},
    {ekCharacterName, "JOHNNY"},
    {ekDialogue, "Run."},
};

TEST_F(CharacterListsTest, EachSceneGetsItsNamesUnderItsHeadingInTheChosenOrder) {
  Add(kTwoScenes);
  // Cues name JOHN only through the joint cue; MAN speaks nowhere.
  Add({{ekCharacterName, "JOHN"}, {ekDialogue, "Late."}, {ekCharacterName, "MAN"}, {ekDialogue, "Hey."}});
  PlaceCaret(2);
  const struct {
    int order;
    std::vector<std::string> lists;
  } cases[] = {
      {nsAlphabetical, {"(John, Johnny, Mary, Walter)", "(John, John Smith, Johnny, Man, Walter)"}},
      // In order of the elements; within one element in the list's order.
      {nsScriptOrder, {"(Johnny, Walter, Mary, John)", "(John Smith, Walter, Johnny, John, Man)"}},
      // The speakers by their first cue, then the others.
      {nsSpeakersFirst, {"(Mary, John, Johnny, Walter)", "(John Smith, Walter, Johnny, John, Man)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.order);
    Generate(Sorted(c.order));
    EXPECT_EQ(ListsUnderHeadings(), c.lists);
    EXPECT_EQ(Settings().CharacterListsGenerated, 1);
  }
}

TEST_F(CharacterListsTest, ARunAgainRewritesTheListsInPlaceAndRemovalTakesThemAllOut) {
  Add(kTwoScenes);
  PlaceCaret(3);
  Generate(Sorted(nsAlphabetical));
  const auto once = testing::ElementsOf(Script());
  ASSERT_EQ(once.size(), kTwoScenes.size() + 2);
  const TScriptElement& list = Element(1);
  EXPECT_EQ(list.format.NumberWord, CharacterListMark);
  EXPECT_EQ(list.format.LinesBefore, 0);
  EXPECT_EQ(list.format.AllCaps, 1);
  // The caret stays on the dialogue it was on.
  EXPECT_EQ(ElementText(*Script().CurrentElement()) + Script().EditBuffer(), "Hello.");
  Generate(Sorted(nsAlphabetical));
  EXPECT_EQ(testing::ElementsOf(Script()), once);

  Driver().Expect([](TForm& box) { testing::AnswerTypeYes(box, true); }, "type YES");
  ExpectMessage("Removal of Character Lists is complete.");
  RemoveCharacterLists();
  EXPECT_EQ(testing::ElementsOf(Script()), kTwoScenes);
  EXPECT_EQ(Settings().CharacterListsGenerated, 0);
}

// Only what a generation made is a list: the writer's Action right under
// a heading with no blank line before it stays, whatever the command.
TEST_F(CharacterListsTest, TheWritersActionUnderAHeadingIsNeverTakenForAList) {
  const std::vector<ElementSpec> script = {{ekSceneHeading, "INT. HALL - DAY"},
                                           {ekAction, "The door opens."},
                                           {ekAction, "It creaks."},
                                           {ekCharacterName, "MARY"},
                                           {ekDialogue, "Hello?"}};
  const std::vector<ElementSpec> listed = {
      {ekSceneHeading, "INT. HALL - DAY"}, {ekAction, "(Mary)"}, script[1], script[2], script[3], script[4]};
  Add(script);
  Element(1).format.LinesBefore = 0;
  Element(2).format.LinesBefore = 0;
  PlaceCaret(3);
  // One after the other, on a script that never had lists.
  const struct {
    bool generate;
    std::vector<ElementSpec> after;
  } steps[] = {{false, script}, {true, listed}, {true, listed}, {false, script}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.generate ? "generate" : "remove");
    if (step.generate) {
      Generate(Sorted(nsAlphabetical));
    } else {
      Driver().Expect([](TForm& box) { testing::AnswerTypeYes(box, true); }, "type YES");
      ExpectMessage("Removal of Character Lists is complete.");
      RemoveCharacterLists();
    }
    EXPECT_EQ(testing::ElementsOf(Script()), step.after);
  }
}

TEST_F(CharacterListsTest, RemovalAsksForYesFirst) {
  Add(kTwoScenes);
  PlaceCaret(0);
  Generate(Sorted(nsAlphabetical));
  Driver().Expect([](TForm& box) { testing::AnswerTypeYes(box, false); }, "type YES");
  RemoveCharacterLists();
  EXPECT_EQ(testing::ElementsOf(Script()).size(), kTwoScenes.size() + 2);
}

TEST_F(CharacterListsTest, TaggedCastHiddenNamesAndAliasesAreListedAsWritten) {
  Settings().TaggingUsed = 1;
  Add({{ekSceneHeading, "INT. HALL - DAY"},
       {ekAction, T("A [cBUTLER] bows to the [fGUESTS].")},
       {ekScriptNote, T("[cCOOK] is off stage")},
       {ekCharacterName, "BOB"},
       {ekDialogue, "Hi."},
       {ekCharacterName, "ROBERT"},
       {ekDialogue, "Hello."},
       {ekSceneHeading, "INT. CELLAR - NIGHT"},
       {ekAction, "Quiet."}});
  Settings().HiddenNames = PackHiddenNames({"ROBERT"});
  Settings().AddAlias(Settings().CharacterAliasList, "BOB", "ROBERT");
  PlaceCaret(0);
  Generate(Sorted(nsAlphabetical));
  // The tagged names are met first; the cellar has no one and gets no list.
  EXPECT_EQ(ListsUnderHeadings(), (std::vector<std::string>{"(Bob, Robert, Butler, Guests, Cook)", "Quiet."}));
}

TEST_F(CharacterListsTest, FlaggedLocationsGetTheAtmosphereAndNamelessScenesKeepTheirOldList) {
  Add({{ekSceneHeading, "INT. BAR - NIGHT"},
       {ekCharacterName, "SUE"},
       {ekDialogue, "Beer."},
       {ekSceneHeading, "EXT. STREET - DAY"},
       {ekAction, "(Old list)"},
       {ekAction, "Rain."}});
  // A list an earlier generation made.
  Element(4).format.LinesBefore = 0;
  Element(4).format.NumberWord = CharacterListMark;
  Settings().AtmosphereText = "Crowd";
  Settings().CharacterListParentheses = 1;
  PlaceCaret(0);
  TCharacterListOptions options = Sorted(nsAlphabetical);
  options.AllCaps = false;
  options.Bold = true;
  Generate(options, {"bar"});
  EXPECT_EQ(ListsUnderHeadings(), (std::vector<std::string>{"Sue, Crowd", "(Old list)"}));
  EXPECT_EQ(Element(1).format.Style, stBold);
  EXPECT_EQ(Element(1).format.AllCaps, 0);
}

TEST_F(CharacterListsTest, CastAssociatedWithALocationJoinsItsListsWhenItsSideFits) {
  Add({{ekSceneHeading, "INT. BARN - DAY"},
       {ekCharacterName, "SUE"},
       {ekDialogue, "Hay."},
       {ekSceneHeading, "INT. BARN LOFT - NIGHT"},
       {ekAction, "Quiet."},
       {ekSceneHeading, "EXT. BARN - DAY"},
       {ekCharacterName, "SUE"},
       {ekDialogue, "Sun."}});
  TAssociationLists lists;
  // Cast Members and Extras go in, in words' capitals whatever case the
  // breakdown stored them in; the props do not.
  lists.Locations.push_back(
      {"BARN", {{{"FARMER"}, 2, ieIntOnly}, {{"cOWS", "Sue"}, 5, ieIntOnly}, {{"rake"}, 14, ieIntOnly}}});
  SetScriptAssociations(Script(), lists);
  PlaceCaret(0);
  Generate(Sorted(nsAlphabetical));
  // The loft has no speakers but its location's cast; outside, INT only fails.
  EXPECT_EQ(ListsUnderHeadings(), (std::vector<std::string>{"(Sue, Farmer, Cows)", "(Farmer, Cows, Sue)", "(Sue)"}));
}

TEST_F(CharacterListsTest, WithSceneInformationOnlyTheFirstHeadingOfASceneGetsTheList) {
  Settings().SceneInformationOff = 0;
  Add({{ekSceneInformation, "SCENE A"},
       {ekSceneHeading, "INT. KITCHEN - DAY"},
       {ekCharacterName, "ANN"},
       {ekDialogue, "Tea?"},
       {ekSceneHeading, "INT. HALL - DAY"},
       {ekCharacterName, "BEN"},
       {ekDialogue, "Coming."},
       {ekSceneInformation, "SCENE B"},
       {ekSceneHeading, "EXT. GARDEN - DAY"},
       {ekCharacterName, "ANN"},
       {ekDialogue, "Out here."}});
  PlaceCaret(0);
  TCharacterListOptions options = Sorted(nsAlphabetical);
  options.AfterFirst = true;
  Generate(options);
  const auto elements = testing::ElementsOf(Script());
  EXPECT_EQ(elements[2].text, "(Ann, Ben)");
  EXPECT_EQ(elements[5].kind, ekSceneHeading);  // the second heading gets none
  EXPECT_EQ(elements[6].text, "BEN");
  EXPECT_EQ(elements[10].text, "(Ann)");
}

TEST_F(CharacterListsTest, UserListOrderPutsTheUserListNamesFirst) {
  Add(kTwoScenes);
  SetList(TUserList::CharNames, {"WALTER", "MARY"});
  PlaceCaret(0);
  Generate(Sorted(nsUserListSpeaking));
  EXPECT_EQ(ListsUnderHeadings(), (std::vector<std::string>{"(Walter, Mary, Johnny)", "(Walter, John Smith, Johnny)"}));
}

TEST_F(CharacterListsTest, TheDialogKeepsTheWriterWhenTheUserListIsEmptyAndStoresItsChoices) {
  Add(kTwoScenes);
  PlaceCaret(0);
  Driver().Expect([&](TForm& form) {
    auto& dialog = dynamic_cast<TCharNameListDlg&>(form);
    EXPECT_EQ(dialog.Caption(), "Generate Character Lists");
    dialog.SortNamesBox->SetItemIndex(nsUserListAlphabetical);
    dialog.OKBtn->Click();
    EXPECT_EQ(dialog.ModalResult, mrNone);
    dialog.SortNamesBox->SetItemIndex(nsScriptOrder);
    dialog.AllCapsBox->SetChecked(false);
    dialog.OKBtn->Click();
  });
  ExpectMessage("NO names currently in the User List", "", mrNo);
  ExpectMessage("All Character Lists have been Generated!");
  GenerateCharacterLists(true);
  EXPECT_EQ(ListsUnderHeadings().front(), "(Johnny, Walter, Mary)");
  const TIniFile ini = OpenSettingsFile();
  EXPECT_EQ(ini.ReadInteger("Character Lists", "Sort Order", -1), nsScriptOrder);
  EXPECT_FALSE(ini.ReadBool("Character Lists", "All Caps", true));
}

TEST_F(CharacterListsTest, AScriptWithoutNamesIsRefusedInTheDialog) {
  Add({{ekSceneHeading, "INT. VOID - DAY"}, {ekAction, "Nothing."}});
  PlaceCaret(0);
  Driver().Expect([&](TForm& form) { dynamic_cast<TCharNameListDlg&>(form).OKBtn->Click(); });
  ExpectMessage("Character List Generation Canceled.", "No Character Names Found!");
  GenerateCharacterLists(true);
  EXPECT_EQ(testing::ElementsOf(Script()).size(), 2u);
}

}  // namespace
}  // namespace qm

namespace qm::testing {
namespace {

// In the running program each generation and each removal is one step
// of the undo ring.
class CharacterListsUndoTest : public ProgramFixture {};

TEST_F(CharacterListsUndoTest, OneUndoTakesBackAGenerationAndARemoval) {
  Script().FreeElements();
  AddElements(Script(), {{ekSceneHeading, "INT. BARN - DAY"}, {ekCharacterName, "ANN"}, {ekDialogue, "Hi."}});
  editor::SetCurrentElement(Script(), Script().FirstElement->next);
  Script().CurrentGroup = Script().CurrentElement()->group;
  Script().DisAssemble();
  const std::vector<ElementSpec> plain = ElementsOf(Script());
  TCharacterListRun run;
  run.Options.AfterFirst = false;
  run.Names = PrepareListNames(Script(), nsAlphabetical);
  RunCharacterListGeneration(Script(), run);
  const std::vector<ElementSpec> listed = ElementsOf(Script());
  ASSERT_EQ(listed.size(), plain.size() + 1);
  EXPECT_EQ(listed[1].text, "(Ann)");

  Driver().Expect([](TForm& box) { AnswerTypeYes(box, true); }, "type YES");
  AnswerMessageBox(Driver(), "Removal of Character Lists is complete.", mrOk);
  RemoveCharacterLists();
  EXPECT_EQ(ElementsOf(Script()), plain);

  ASSERT_TRUE(UndoObject->UndoIsAvailable());
  UndoObject->Undo();
  EXPECT_EQ(ElementsOf(Script()), listed);
  UndoObject->Undo();
  EXPECT_EQ(ElementsOf(Script()), plain);
}

}  // namespace
}  // namespace qm::testing

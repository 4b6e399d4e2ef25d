// The sheet editor's changes written into the scene's text as tags, and
// what the scene then gathers again.
#include "breakdown/sheet_tag_rewrite.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "breakdown/breakdown_sheet_editor.h"
#include "breakdown/scene_gathering.h"
#include "breakdown/tag_notation.h"
#include "language/language_fixture.h"
#include "platform/dialog_builder.h"
#include "script/model/script_record.h"

namespace qm {
namespace {

using testing::ElementsOf;
using testing::ElementSpec;
using testing::T;

const std::string PropsCodes = "\x0a";
const std::string CastCodes = "\x06";

TEST(SheetTagRewriteTest, OneElementsTagsChangeAsTheEditorAsks) {
  struct Case {
    const char* what;
    std::string text;
    bool note;
    TTagChange change;
    TRewriteResult result;
    std::string expected;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"retagged", T("He lifts a [ogun]."), false, {"gun", PropsCodes, 11, "gun"}, TRewriteResult::Held,
       T("He lifts a [ugun].")},
      {"untagged in Action: the words stay", T("He lifts a [ogun]."), false, {"gun", PropsCodes, UntagCode, "gun"},
       TRewriteResult::Held, "He lifts a gun."},
      {"untagged in a note: the entry goes", T("[ogun], [oknife]"), true, {"gun", PropsCodes, UntagCode, "gun"},
       TRewriteResult::Held, T("[oknife]")},
      {"untagged last in a note", T("[ogun], [oknife]"), true, {"knife", PropsCodes, UntagCode, "knife"},
       TRewriteResult::Held, T("[ogun]")},
      {"another square's tag: left alone", T("a [rgun] and [ogun]"), false, {"gun", PropsCodes, 11, "gun"},
       TRewriteResult::Refused, T("a [rgun] and [ogun]")},
      {"an untagged name is marked off", "BOB waves.", false, {"BOB", CastCodes, UntagCode, "BOB"},
       TRewriteResult::Held, "~BOB waves."},
      {"a longer name is not the name", "BOBBY waves.", false, {"BOB", CastCodes, UntagCode, "BOB"},
       TRewriteResult::NotHeld, "BOBBY waves."},
      {"the end of a longer word is no name", "JIMBOB waves.", false, {"BOB", CastCodes, UntagCode, "BOB"},
       TRewriteResult::NotHeld, "JIMBOB waves."},
      {"words of another tag are no name", T("[pBob waves], BOB"), true, {"BOB", CastCodes, UntagCode, "BOB"},
       TRewriteResult::Held, T("[pBob waves], ~BOB")},
      {"a name already off stays so", "~BOB waves.", false, {"BOB", CastCodes, UntagCode, "BOB"},
       TRewriteResult::NotHeld, "~BOB waves."},
      {"an untagged name gets the new code", "Then BOB waves.", false, {"BOB", CastCodes, 7, "BOB"},
       TRewriteResult::Held, T("Then [fBOB] waves.")},
      {"new words everywhere", T("[ogun] and [oGUN]"), false, {"gun", PropsCodes, 0, "rifle"},
       TRewriteResult::Held, T("[orifle] and [orifle]")},
      {"plain words are no tag", "a gun", false, {"gun", PropsCodes, UntagCode, "gun"}, TRewriteResult::NotHeld,
       "a gun"},
  };
  // clang-format on
  const CharSet codes = InlineCodes(true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string text = c.text;
    EXPECT_EQ(RewriteTagsInText(text, c.note, c.change, codes), c.result);
    EXPECT_EQ(text, c.expected);
  }
}

TEST(SheetTagRewriteTest, AnItemAddedToTheNoteIsThereOnce) {
  struct Case {
    std::string note;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"", T("[sfog]")},          {T("[ogun], "), T("[ogun], [sfog]")}, {T("[ogun], [s~fog]"), T("[ogun], [sfog]")},
      {T("[sFOG]"), T("[sFOG]")}, {T("[ofog]"), T("[ofog], [sfog]")},
  };
  for (const Case& c : cases) {
    std::string note = c.note;
    AddItemToNote(note, 129, "fog", InlineCodes(true));
    EXPECT_EQ(note, c.expected) << c.note;
  }
}

class SheetEditorTest : public testing::LanguageFixture {
 protected:
  void SetUp() override {
    LanguageFixture::SetUp();
    Settings().TaggingUsed = 1;
    Add({{ekSceneHeading, "INT. BARN - DAY"},
         {ekAction, T("[cBOB] lifts a [ogun].")},
         {ekCharacterName, "MARY"},
         {ekDialogue, "Hi."},
         {ekSceneHeading, "EXT. FIELD - NIGHT"},
         {ekAction, T("[ohoe]")}});
    PlaceCaret(1);
  }
  std::vector<std::string> Square(const TBreakdownSheetEditor& editor, int square) {
    std::vector<std::string> items;
    for (const TSquareItem& item : editor.Content.Squares[static_cast<std::size_t>(square - 1)])
      items.push_back(item.Text);
    return items;
  }
  using Items = std::vector<std::string>;
};

TEST_F(SheetEditorTest, EveryChangeIsWrittenIntoTheTextAndGatheredAgain) {
  TBreakdownSheetEditor editor(nullptr, Script(), 0);
  ASSERT_EQ(editor.SceneSelectList->Items.Count(), 2);
  EXPECT_EQ(Square(editor, 1), (Items{"MARY", "BOB"}));
  EXPECT_EQ(Square(editor, 6), Items{"gun"});

  // Dragged to the effects square.
  editor.Drop(6, 0, 5);
  EXPECT_EQ(ElementsOf(Script())[1].text, T("[cBOB] lifts a [ugun]."));
  EXPECT_EQ(Square(editor, 5), Items{"gun"});
  EXPECT_TRUE(Square(editor, 6).empty());

  // Untagged: the words stay, the item goes.
  editor.Squares[4]->SetItemIndex(0);
  ExpectMessage("Untag the Item \"gun\"?", "Attention", mrYes);
  editor.Untag(5);
  EXPECT_EQ(ElementsOf(Script())[1].text, T("[cBOB] lifts a gun."));
  EXPECT_TRUE(Square(editor, 5).empty());

  // Added, then changed: a Script Note under the heading carries it.
  editor.AddTaggedItem("", " fog ", 10);
  std::vector<ElementSpec> elements = ElementsOf(Script());
  ASSERT_EQ(elements[1].kind, ekScriptNote);
  EXPECT_EQ(elements[1].text, T("[sfog]"));
  EXPECT_EQ(Square(editor, 10), Items{"fog"});
  editor.AddTaggedItem("fog", "smoke", 10);
  EXPECT_EQ(ElementsOf(Script())[1].text, T("[ssmoke]"));
  EXPECT_EQ(Square(editor, 10), Items{"smoke"});

  editor.AddTaggedItem("", "Bob finds a gun", 0);
  EXPECT_EQ(editor.Content.Description, "Bob finds a gun");
  // A description emptied goes, rather than leave an empty tag behind.
  editor.AddTaggedItem("Bob finds a gun", "", 0);
  EXPECT_EQ(editor.Content.Description, "");
  EXPECT_EQ(ElementsOf(Script())[1].text, T("[ssmoke]"));
  editor.AddTaggedItem("", "Bob finds a gun", 0);
  // A square no category decides for takes nothing (never a code of 0).
  TCategoryTable noNotes = CategoryMenus();
  for (TBreakdownCategory& c : noNotes)
    if (c.HelpContext == 12) c.Visible = false;
  CategoryMenus() = noNotes;
  editor.Titles[11]->Text = "CATERING";
  editor.AddTaggedItem("", "sandwiches", 12);
  EXPECT_EQ(ElementsOf(Script())[1].text.find('\0'), std::string::npos);
  EXPECT_EQ(ElementsOf(Script())[1].text.find("sandwiches"), std::string::npos);
  CategoryMenus() = DefaultCategories();

  // MARY speaks here: she stays, and the user is told why.
  editor.Squares[0]->SetItemIndex(0);
  ExpectMessage("Untag the Item \"MARY\"?", "Attention", mrYes);
  ExpectMessage("This name CANNOT be untagged because he/she actually has dialogue in this scene!", "Attention");
  editor.Untag(1);
  EXPECT_EQ(Square(editor, 1), (Items{"MARY", "BOB"}));

  // BOB, tagged in the Action only, goes.
  editor.Squares[0]->SetItemIndex(1);
  ExpectMessage("Untag the Item \"BOB\"?", "Attention", mrYes);
  editor.Untag(1);
  EXPECT_EQ(Square(editor, 1), Items{"MARY"});

  // The other scene is as it was.
  elements = ElementsOf(Script());
  EXPECT_EQ(elements.back().text, T("[ohoe]"));
  editor.SceneSelectList->SetItemIndex(1);
  editor.SceneChange();
  EXPECT_EQ(Square(editor, 6), Items{"hoe"});
}

// A character tagged in the Action who also speaks: the tag goes, the
// words stay, and the cue keeps the name in the first square.
TEST_F(SheetEditorTest, UntaggingASpeakerTakesTheTagButKeepsTheName) {
  Add({{ekSceneHeading, "INT. HALL - DAY"},
       {ekAction, T("[cANN] waits.")},
       {ekCharacterName, "ANN"},
       {ekDialogue, "Well."}});
  TBreakdownSheetEditor editor(nullptr, Script(), 2);
  ASSERT_EQ(Square(editor, 1), Items{"ANN"});
  editor.Squares[0]->SetItemIndex(0);
  ExpectMessage("Untag the Item \"ANN\"?", "Attention", mrYes);
  ExpectMessage("This name CANNOT be untagged because he/she actually has dialogue in this scene!", "Attention");
  editor.Untag(1);
  const std::vector<ElementSpec> elements = ElementsOf(Script());
  ASSERT_EQ(elements.size(), 10u);
  // The tag's bytes go; the words stay (marked off or not).
  EXPECT_NE(elements[7].text.find("ANN waits."), std::string::npos) << elements[7].text;
  EXPECT_EQ(elements[7].text.find_first_of(std::string("\x01\x06", 2)), std::string::npos) << elements[7].text;
  EXPECT_EQ(Square(editor, 1), Items{"ANN"});
}

// A category printed in no square is still gathered: the add dialog's
// choices come from it and the report lists it.
TEST_F(SheetEditorTest, ACategoryInNoSquareIsGatheredAllTheSame) {
  struct Restore {
    ~Restore() { CategoryMenus() = DefaultCategories(); }
  } restore;
  for (TBreakdownCategory& c : CategoryMenus())
    if (c.HelpContext == 6) c.HelpContext = 0;
  TBreakdownSheetEditor editor(nullptr, Script(), 0);
  for (int square = 1; square <= SheetSquareCount; ++square) {
    const Items items = Square(editor, square);
    EXPECT_EQ(std::count(items.begin(), items.end(), "gun"), 0) << square;
  }
  EXPECT_EQ(Square(editor, 1), (Items{"MARY", "BOB"}));
  EXPECT_EQ(editor.AllItems.Items[rsProps], (Items{"gun", "hoe"}));
  const TSceneBreakdowns run = GatherSceneRecords(Script());
  ASSERT_EQ(run.Records.size(), 2u);
  EXPECT_EQ(run.Records[0].Items[rsProps], Items{"gun"});
}

TEST_F(SheetEditorTest, PrintAsksForTheCompanyOnceAndPrintsTheScenesSheet) {
  TBreakdownSheetEditor editor(nullptr, Script(), 1);
  Driver().Expect([](TForm& form) {
    EXPECT_EQ(form.Caption(), "Enter Production Company Name");
    DialogControl<TComboBox>(form, "ItemCombo")->Text = "Acme Films";
    form.ModalResult = mrOk;
  });
  editor.PrintBtn->Click();
  EXPECT_EQ(Settings().ProductionCompany, "Acme Films");
  const auto& sheets = Backend().PrinterList()[0]->Pages();
  ASSERT_EQ(sheets.size(), 1u);
  EXPECT_NE(sheets[0]->FindText("Acme Films"), nullptr);
  EXPECT_NE(sheets[0]->FindText("hoe"), nullptr);
  EXPECT_NE(sheets[0]->FindText("   2"), nullptr) << "the second scene's page";
  // Known now: not asked again.
  editor.PrintBtn->Click();
}

class SheetEditorWithoutNamesTest : public testing::LanguageFixture {};

TEST_F(SheetEditorWithoutNamesTest, AScriptWithoutCharactersOpensAllTheSame) {
  Settings().TaggingUsed = 1;
  Add({{ekSceneHeading, "INT. BARN - DAY"}, {ekAction, T("A [ogun] on a [rtable].")}});
  PlaceCaret(1);
  const std::string firstName = UserListEntry(Lists(), TUserList::CharNames, 1);
  TBreakdownSheetEditor editor(nullptr, Script(), 0);
  ASSERT_EQ(editor.Content.Squares[5].size(), 1u);
  EXPECT_EQ(editor.Content.Squares[5][0].Text, "gun");
  ASSERT_EQ(editor.Content.Squares[2].size(), 1u);
  EXPECT_EQ(editor.Content.Squares[2][0].Text, "table");
  EXPECT_TRUE(editor.Content.Squares[0].empty());
  EXPECT_EQ(UserListEntry(Lists(), TUserList::CharNames, 1), firstName) << "the script's lists are left alone";
}

TEST_F(SheetEditorTest, AnItemTheTextDoesNotTagIsTurnedOffForTheScene) {
  // An association's item: no text holds it, so an off entry cancels it.
  const bool rewritten = RewriteSceneTags(Script(), 1, {"rake", PropsCodes, UntagCode, "rake"});
  EXPECT_TRUE(rewritten);
  const std::vector<ElementSpec> elements = ElementsOf(Script());
  ASSERT_EQ(elements[5].kind, ekScriptNote);
  EXPECT_EQ(elements[5].text, T("[o~rake]"));
  EXPECT_FALSE(RewriteSceneTags(Script(), 7, {"rake", PropsCodes, UntagCode, "rake"}));
}

}  // namespace
}  // namespace qm

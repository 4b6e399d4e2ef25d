// Giving an element its kind's format again: each part comes back alone,
// other kinds keep theirs, and a cheated margin is undone by Reset Cheated.
#include <gtest/gtest.h>

#include "script/editing/reformat.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"
#include "script/model/script_model.h"
#include "shell/main_form.h"

namespace qm {
namespace {

TDefaultFormatParts Parts(bool margins, bool spacing, bool font, bool number, bool noteOnly = false) {
  TDefaultFormatParts parts;
  parts.margins = margins;
  parts.spacing = spacing;
  parts.fontAndStyle = font;
  parts.clearNumber = number;
  parts.noteOnly = noteOnly;
  return parts;
}

class ReformatTest : public testing::KeysFixture {
 protected:
  // A scene heading with every part of its format changed by hand.
  TElementFormat Cheat() {
    Load({{ekSceneHeading, "INT. HALL - DAY"}, {ekAction, "One."}}, 0);
    TElementFormat& f = W().CurrentElement()->format;
    f.LeftMargin = 30;
    f.RightMargin = 20;
    f.LinesBefore = 5;
    f.Spacing = 15;
    f.FontSize = 9;
    f.Style = 2;
    f.NumberWord = 0x0205;
    return W().FormatSet[fsSceneHeading];
  }
};

TEST_F(ReformatTest, EachPartComesBackAlone) {
  struct Case {
    const char* what;
    TDefaultFormatParts parts;
    bool margins, spacing, font, number;
  };
  const Case cases[] = {
      {"margins", Parts(true, false, false, false), true, false, false, false},
      {"spacing", Parts(false, true, false, false), false, true, false, false},
      {"font and style", Parts(false, false, true, false), false, false, true, false},
      {"the scene number", Parts(false, false, false, true), false, false, false, true},
      {"a note's colour only, on a heading", Parts(true, false, false, false, true), false, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TElementFormat base = Cheat();
    ApplyDefaultFormat(W(), c.parts);
    const TElementFormat& f = W().CurrentElement()->format;
    EXPECT_EQ(f.LeftMargin == base.LeftMargin && f.RightMargin == base.RightMargin, c.margins);
    EXPECT_EQ(f.LinesBefore == base.LinesBefore && f.Spacing == base.Spacing, c.spacing);
    EXPECT_EQ(f.FontSize == base.FontSize && f.Style == base.Style, c.font);
    EXPECT_EQ(f.NumberWord == 0, c.number);
    EXPECT_EQ(f.Kind, ekSceneHeading) << "the kind stays";
  }
}

TEST_F(ReformatTest, ResetCheatedElementUndoesAHandSetMargin) {
  const TElementFormat base = Cheat();
  MainForm->MenuItem("ResetElementItem")->Click();
  const TElementFormat& f = W().CurrentElement()->format;
  EXPECT_EQ(f.LeftMargin, base.LeftMargin);
  EXPECT_EQ(f.Spacing, base.Spacing);
  EXPECT_EQ(f.FontSize, base.FontSize);
  EXPECT_EQ(f.NumberWord, 0x0205) << "the locked scene number is not a cheat";
}

// Every element's format pushed off its kind's slot by hand.
void CheatAll(TMDIChild& w) {
  for (TScriptElement* e = w.FirstElement; e; e = e->next) {
    e->format.LeftMargin = static_cast<Byte>(e->format.LeftMargin + 3);
    e->format.LinesBefore = 7;
    e->format.Style = stBold;
  }
}

TEST_F(ReformatTest, ReformatScriptGivesEachKindItsFormatAndKeepsWhatIsTheElements) {
  Load({{ekASceneHeading, "INT. HALL - DAY"},
        {ekAction, "Marked."},
        {ekCharacterName, "ANN"},
        {ekDialogue, "One."},
        {ekDialogue, "Two."},
        {ekParenthetical, "(aside)"},
        {ekAction, "Plain."},
        {ekAction, "In a column."}},
       6);
  CheatAll(W());
  ElementAt(0)->format.NumberWord = number_word::Make(12, true, 'A');
  ElementAt(1)->format.NumberWord = 150;
  ElementAt(2)->format.NumberWord = 0x8003;
  ElementAt(7)->avColumn = 1;
  const TElementFormat column = ElementAt(7)->format;
  const TElementFormat parenthetical = ElementAt(5)->format;
  const Byte secondDialogueBefore = ElementAt(4)->format.LinesBefore;
  ReformatScript(W());
  struct Case {
    int index;
    int slot;
    bool wholeSlot;
  };
  const Case cases[] = {
      {0, fsSceneHeading, true}, {2, fsCharacterName, true}, {3, fsDialogue, true}, {6, fsAction, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    const TElementFormat& base = W().FormatSet[static_cast<std::size_t>(c.slot)];
    const TElementFormat& f = ElementAt(c.index)->format;
    EXPECT_EQ(f.LeftMargin, base.LeftMargin);
    EXPECT_EQ(f.LinesBefore, base.LinesBefore);
    EXPECT_EQ(f.Style, base.Style);
  }
  EXPECT_EQ(ElementAt(0)->Kind(), ekASceneHeading) << "an A-scene stays one";
  EXPECT_EQ(ElementAt(0)->format.NumberWord, number_word::Make(12, true, 'A')) << "the locked number stays";
  EXPECT_EQ(ElementAt(2)->format.NumberWord, 0x8003) << "the cue keeps its continued mark and extension";
  EXPECT_EQ(ElementAt(1)->format.LeftMargin, W().FormatSet[fsAction].LeftMargin) << "a marked Action: margins";
  EXPECT_EQ(ElementAt(1)->format.LinesBefore, 7) << "a marked Action keeps its spacing";
  EXPECT_EQ(ElementAt(4)->format.LinesBefore, secondDialogueBefore) << "the second Dialogue in a row";
  EXPECT_EQ(ElementAt(4)->format.Style, W().FormatSet[fsDialogue].Style);
  EXPECT_EQ(ElementAt(5)->format, parenthetical) << "parentheticals are not elements of their own";
  EXPECT_EQ(ElementAt(7)->format, column) << "an A/V column keeps its format";
  EXPECT_EQ(CurrentIndex(), 6);
}

TEST_F(ReformatTest, ReformatScriptTakesParentheticalsWhenTheyAreElementsOfTheirOwn) {
  Load({{ekCharacterName, "ANN"}, {ekParenthetical, "(aside)"}, {ekDialogue, "Yes."}}, 2);
  W().ParentheticalsSeparate = 1;
  CheatAll(W());
  ReformatScript(W());
  EXPECT_EQ(ElementAt(1)->format.LeftMargin, W().FormatSet[fsParenthetical].LeftMargin);
  EXPECT_EQ(ElementAt(1)->format.LinesBefore, W().FormatSet[fsParenthetical].LinesBefore);
}

TEST_F(ReformatTest, ReformatScriptRewrapsForTheNewMarginsAndKeepsTheCaret) {
  const std::string words = "Words enough to wrap onto a second line of the page when the margins close in.";
  Load({{ekAction, words}, {ekAction, words}}, 1, 20);
  const int lines = ElementAt(0)->lineCount;
  ElementAt(0)->format.RightMargin = 50;
  W().CurrentElement()->format.RightMargin = 50;
  W().WrapScreenText(ElementAt(0), LiveElementText(W(), *ElementAt(0)));
  W().WrapScreenText(W().CurrentElement(), W().EditBuffer());
  ASSERT_GT(ElementAt(0)->lineCount, lines) << "the cheat narrows the lines";
  MainForm->MenuItem("ResetScriptItem")->Click();
  EXPECT_EQ(ElementAt(0)->lineCount, lines);
  EXPECT_EQ(W().CurrentElement()->lineCount, lines);
  EXPECT_EQ(CurrentIndex(), 1);
  EXPECT_EQ(W().CaretColumn(), 20);
  EXPECT_EQ(W().EditBuffer(), words);
  EXPECT_EQ(W().DocumentModified, 1);
}

TEST_F(ReformatTest, ReformatToPrinterResolutionRewrapsAndKeepsEveryFormat) {
  Load({{ekSceneHeading, "INT. HALL - DAY"}, {ekAction, "One."}}, 1);
  CheatAll(W());
  std::vector<TElementFormat> before;
  for (TScriptElement* e = W().FirstElement; e; e = e->next) before.push_back(e->format);
  // Lines wrapped for another page than the printer's.
  ElementAt(0)->lineCount = 4;
  ReformatToPrinterResolution(W());
  EXPECT_EQ(ElementAt(0)->lineCount, 1);
  std::vector<TElementFormat> after;
  for (TScriptElement* e = W().FirstElement; e; e = e->next) after.push_back(e->format);
  EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace qm

// The Convert Case commands.
#include "script/editing/case_conversion.h"

#include <gtest/gtest.h>

#include "platform/controls.h"
#include "platform/forms.h"
#include "script/editing/typing_aids.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

using testing::ElementSpec;

class CaseConversionTest : public testing::KeysFixture {};

const ElementSpec John{ekCharacterName, "JOHN"};
const ElementSpec Man{ekCharacterName, "MAN"};

TEST_F(CaseConversionTest, TheCurrentElementWithoutABlock) {
  const struct {
    const char* what;
    ElementSpec element;
    TCaseMode mode;
    Word language;
    const char* after;
  } cases[] = {
      {"sentence case keeps names", {ekAction, "JOHN ENTERS. he SITS."}, TCaseMode::Lower, 1, "John enters. He sits."},
      {"man and woman stay lower", {ekAction, "THE MAN WAITS."}, TCaseMode::Lower, 1, "The man waits."},
      {"the pronoun in English", {ekAction, "SO I SAID I'D GO."}, TCaseMode::Lower, 1, "So I said I'd go."},
      {"... not in French", {ekAction, "SO I SAID."}, TCaseMode::Lower, 3, "So i said."},
      {"every letter after a full stop", {ekAction, "E.G. GO"}, TCaseMode::Lower, 1, "E.G. Go"},
      {"a parenthetical keeps a small first letter", {ekParenthetical, "QUIETLY"}, TCaseMode::Lower, 1, "quietly"},
      {"a name is never lowered", {ekCharacterName, "JOHN (V.O.)"}, TCaseMode::Lower, 1, "JOHN (V.O.)"},
      {"upper case on any kind", {ekCharacterName, "john"}, TCaseMode::Upper, 1, "JOHN"},
      {"initial capitals", {ekAction, "the OLD man"}, TCaseMode::InitialCaps, 1, "The Old Man"},
      {"no capital after a code without a blank",
       {ekAction, "ONE\x02TWO THREE"},
       TCaseMode::InitialCaps,
       1,
       "One\x02two Three"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({John, Man, {ekDialogue, "Hi."}, c.element}, 3, 0);
    W().SpellLanguage = c.language;
    ConvertCaseOfSelection(W(), c.mode);
    EXPECT_EQ(W().EditBuffer(), c.after);
  }
}

TEST_F(CaseConversionTest, ABlockChangesOnlyWhatItMarksButSentencesWhole) {
  Load({{ekAction, "ONE TWO. THREE"}, {ekAction, "FOUR FIVE"}, {ekAction, "SIX"}}, 0, 0);
  TScriptElement* first = ElementAt(0);
  TScriptElement* second = ElementAt(1);
  EditFields(W()).BlockOn = 1;
  first->blockStart = 4;
  first->blockEnd = 14;
  second->blockStart = 0;
  second->blockEnd = 4;
  ConvertCaseOfSelection(W(), TCaseMode::Lower);
  EXPECT_EQ(Elements(),
            (std::vector<ElementSpec>{{ekAction, "ONE two. Three"}, {ekAction, "Four FIVE"}, {ekAction, "SIX"}}));
  EXPECT_FALSE(W().BlockOn());
  EXPECT_FALSE(first->InBlock());
}

// A block over three elements: each converted in turn, the block gone
// afterwards, and one undo gives the three back as they were.
TEST_F(CaseConversionTest, ABlockOverThreeElementsIsOneUndoStep) {
  const std::vector<ElementSpec> before{
      {ekAction, "Rain falls."}, {ekAction, "the old man waits."}, {ekAction, "a door opens."}, {ekAction, "Night."}};
  for (const TCaseMode mode : {TCaseMode::Upper, TCaseMode::Lower, TCaseMode::InitialCaps}) {
    SCOPED_TRACE(static_cast<int>(mode));
    Load(before, 0, 0);
    EditFields(W()).BlockOn = 1;
    for (int i = 0; i < 3; ++i) {
      ElementAt(i)->blockStart = 0;
      ElementAt(i)->blockEnd = static_cast<int>(before[static_cast<std::size_t>(i)].text.size());
    }
    ConvertCaseOfSelection(W(), mode);
    const std::vector<std::vector<ElementSpec>> expected{
        {{ekAction, "RAIN FALLS."}, {ekAction, "THE OLD MAN WAITS."}, {ekAction, "A DOOR OPENS."}, before[3]},
        {{ekAction, "Rain falls."}, {ekAction, "The old man waits."}, {ekAction, "A door opens."}, before[3]},
        {{ekAction, "Rain Falls."}, {ekAction, "The Old Man Waits."}, {ekAction, "A Door Opens."}, before[3]}};
    EXPECT_EQ(Elements(), expected[static_cast<std::size_t>(mode)]);
    EXPECT_FALSE(W().BlockOn());
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(ElementAt(i)->InBlock()) << i;
    MainForm->UndoItem->Click();
    EXPECT_EQ(Elements(), before) << "one undo step";
  }
}

// A block inside one element: the marked stretch converted, the element's
// first letter a capital again when the block starts with it.
TEST_F(CaseConversionTest, ABlockInOneElement) {
  const struct {
    const char* what;
    ElementSpec element;
    int start, end;
    TCaseMode mode;
    const char* after;
  } cases[] = {
      {"a cue is not lowered but starts with a capital", {ekCharacterName, "john"}, 0, 4, TCaseMode::Lower, "John"},
      {"a cue from its middle stays", {ekCharacterName, "john"}, 1, 4, TCaseMode::Lower, "john"},
      {"a cue in initial capitals", {ekCharacterName, "john doe"}, 0, 8, TCaseMode::InitialCaps, "John Doe"},
      {"a cue in capitals", {ekCharacterName, "john doe"}, 5, 8, TCaseMode::Upper, "john DOE"},
      {"a parenthetical keeps a small first letter", {ekParenthetical, "QUIETLY"}, 0, 7, TCaseMode::Lower, "quietly"},
      {"initial capitals stop at the block end",
       {ekAction, "ONE TWO THREE"},
       0,
       7,
       TCaseMode::InitialCaps,
       "One Two THREE"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekAction, "Before."}, c.element, {ekAction, "After."}}, 0, 0);
    TScriptElement* e = ElementAt(1);
    // A cue as the writer left it, small letters and all.
    if (e->Kind() == ekCharacterName) e->text = std::string(c.element.text);
    EditFields(W()).BlockOn = 1;
    e->blockStart = c.start;
    e->blockEnd = c.end;
    ConvertCaseOfSelection(W(), c.mode);
    EXPECT_EQ(Elements()[1], (ElementSpec{c.element.kind, c.after}));
    EXPECT_FALSE(W().BlockOn());
  }
}

// The busy cursor shows while the command works and goes when it ends.
TEST_F(CaseConversionTest, TheBusyCursorShowsWhileTheCaseChanges) {
  Load({John, {ekAction, "JOHN ENTERS."}}, 1, 0);
  const auto installed = TypingAidHooks.AllCharacterNames;
  int during = crDefault;
  TypingAidHooks.AllCharacterNames = [&] {
    during = Screen->Cursor();
    return installed ? installed() : std::vector<std::string>{};
  };
  Screen->SetCursor(crDefault);
  ConvertCaseOfSelection(W(), TCaseMode::Lower);
  TypingAidHooks.AllCharacterNames = installed;
  EXPECT_EQ(during, 5);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_EQ(W().EditBuffer(), "John enters.");
}

}  // namespace
}  // namespace qm

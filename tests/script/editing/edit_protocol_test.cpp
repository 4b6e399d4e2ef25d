#include <gtest/gtest.h>

#include "script/layout/editor_state.h"
#include "script/model/packed_text.h"
#include "script/script_window.h"
#include "script/model/text_codes.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

using testing::ElementSpec;

class EditProtocolTest : public testing::ProgramFixture {
 protected:
  // Replaces the new script's one element with these, the first current
  // and unpacked into the edit buffer.
  void Load(const std::vector<ElementSpec>& elements) {
    TMDIChild& w = Script();
    w.FreeElements();
    testing::AddElements(w, elements);
    w.DisAssemble();
  }
  TMDIChild& W() { return Script(); }
  std::vector<ElementSpec> Elements() { return testing::ElementsOf(W()); }
};

TEST_F(EditProtocolTest, DisAssembleThenAssembleLeavesEveryElementByteForByte) {
  const std::vector<ElementSpec> script = {
      {ekSceneHeading, "INT. KITCHEN - NIGHT"},
      {ekAction, std::string("Bold \x02word\x03 and \x19italic\x1A; hard\x04space, hard\x05"
                             "dash\xA7return.")},
      {ekCharacterName, "JOHN (V.O.)"},
      {ekParenthetical, "(quietly)"},
      {ekDialogue, std::string(2000, '\xE9')},
      {ekForcedPageBreak, " "},
      {ekTransition, "CUT TO:"},
  };
  Load(script);
  InteractiveEdit = 0;
  TMDIChild& w = W();
  std::vector<std::optional<std::string>> before;
  for (TScriptElement* e = w.FirstElement; e; e = e->next)
    before.push_back(e == w.CurrentElement() ? std::nullopt : e->text);
  w.Assemble();
  before[0] = w.FirstElement->text;
  size_t i = 0;
  for (TScriptElement* e = w.FirstElement; e; e = e->next, ++i) {
    EditFields(w).CurrentElement = e;
    w.DisAssemble();
    EXPECT_FALSE(e->text.has_value());
    w.DisAssemble();  // a second call changes nothing
    w.Assemble();
    w.Assemble();
    EXPECT_EQ(e->text, before[i]) << "element " << i;
  }
  EXPECT_EQ(Elements(), script);
}

TEST_F(EditProtocolTest, CharacterNamesAreCapitalsUpToTheExtension) {
  Load({{ekCharacterName, ""}});
  EditFields(W()).EditBuffer = "bob (cont'd)  ";
  W().Assemble();
  EXPECT_EQ(*W().CurrentElement()->text, "BOB (cont'd)");
  W().CurrentElement()->text = "  JOHN";
  W().DisAssemble();
  EXPECT_EQ(W().EditBuffer(), "JOHN") << "leading blanks go when the name is loaded";
}

// The extended colours' codes are letters of the code page: upper case
// they would be other colours' codes. Without the extended colours they
// are letters, and are capitals as any other.
TEST_F(EditProtocolTest, ANamesColourCodesStayAsTheyAre) {
  const struct {
    const char* what;
    bool userColours;
    std::string typed, stored;
  } cases[] = {
      {"extended colours", true, "\xFDjoe\xFE", "\xFDJOE\xFE"},
      {"another pair", true,
       "\xEEjo\xF8"
       "e",
       "\xEEJO\xF8"
       "E"},
      {"letters without them", false, "\xFDjoe\xFE", "\xDDJOE\xDE"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekCharacterName, ""}});
    W().UsesUserColours = c.userColours;
    EditFields(W()).EditBuffer = c.typed;
    W().Assemble();
    EXPECT_EQ(*W().CurrentElement()->text, c.stored);
  }
}

TEST_F(EditProtocolTest, PageBreaksAlwaysShowABlank) {
  Load({{ekAction, "A"}, {ekAutoPageBreak, " "}});
  W().Assemble();
  EditFields(W()).CurrentElement = W().LastElement;
  W().CurrentElement()->text = PackText("junk");
  W().DisAssemble();
  EXPECT_EQ(W().EditBuffer(), " ");
  EditFields(W()).EditBuffer = "typed";
  W().Assemble();
  EXPECT_EQ(UnpackText(*W().CurrentElement()->text), " ");
}

TEST_F(EditProtocolTest, AnEmptiedHeadingOfALockedScriptIsOmitted) {
  Load({{ekSceneHeading, "INT. HOUSE"}});
  W().ScenesLocked = 1;
  EditFields(W()).EditBuffer.clear();
  InteractiveEdit = 1;
  W().Assemble();
  EXPECT_EQ(UnpackText(*W().CurrentElement()->text), "OMITTED");
}

TEST_F(EditProtocolTest, LeavingAnElementTrimsItsEndButNeverTheEndOfAPieceAPageBreakCutOff) {
  // clang-format off
  const struct {
    const char* what;
    Byte kind;
    bool stageDirections;
    Byte breakAfter;  // the split of an automatic break after it; 0 for none
    const char* stored;
  } cases[] = {
      {"a stage direction",                           ekAction,        true,  0,            "He waits."},
      {"a stage direction before a break between",    ekAction,        true,  spWhole,      "He waits."},
      {"a stage direction's piece before its rest",   ekAction,        true,  spFirstPiece, "He waits.  "},
      {"an action outside stage directions",          ekAction,        false, 0,            "He waits.  "},
      {"a parenthetical",                             ekParenthetical, false, 0,            "He waits."},
      {"a parenthetical's piece before its rest",     ekParenthetical, false, spFirstPiece, "He waits.  "},
  };
  // clang-format on
  for (const auto& c : cases) {
    std::vector<ElementSpec> script = {{c.kind, "He waits.  "}};
    if (c.breakAfter) script.insert(script.end(), {{ekAutoPageBreak, " "}, {c.kind, "He goes."}});
    Load(script);
    W().ActionParentheticals = c.stageDirections ? 1 : 0;
    if (c.breakAfter) W().FirstElement->next->split = c.breakAfter;
    InteractiveEdit = 1;
    W().Assemble();
    EXPECT_EQ(UnpackText(*W().FirstElement->text), c.stored) << c.what;
  }
}

TEST_F(EditProtocolTest, EnterMakesTheRightElements) {
  // clang-format off
  const struct {
    const char* what;
    std::vector<ElementSpec> before;
    Word caret;
    Byte nextKind;
    std::vector<ElementSpec> after;
  } cases[] = {
      {"at the end", {{ekSceneHeading, "INT. HOUSE"}}, 10, ekAction, {{ekSceneHeading, "INT. HOUSE"}, {ekAction, " "}}},
      {"at column 0 of the first", {{ekAction, "He runs."}}, 0, ekSceneHeading,
       {{ekSceneHeading, " "}, {ekAction, "He runs."}}},
      {"in the middle of a Dialogue", {{ekDialogue, "Hello there."}}, 6, ekDialogue,
       {{ekDialogue, "Hello "}, {ekDialogue, "There."}}},
      {"on an empty element: its type changes", {{ekAction, ""}}, 0, ekCharacterName, {{ekCharacterName, " "}}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load(c.before);
    EditFields(W()).CaretColumn = c.caret;
    W().CurrentFormat = W().FormatSet[static_cast<size_t>(FormatSlotOfKind(c.nextKind))];
    W().NewElement(false, false, true);
    W().Assemble();
    EXPECT_EQ(Elements(), c.after);
    EXPECT_EQ(W().CurrentElement()->Kind(), c.nextKind);
  }
}

// The second piece starts a sentence: with sentence capitals on (the
// default) its first letter is a capital.
TEST_F(EditProtocolTest, ASplitInsideABoldRunKeepsBothPiecesBold) {
  Load({{ekAction, "one \x02two three\x03 four"}});
  EditFields(W()).CaretColumn = 9;  // before "three"
  W().CurrentFormat = W().FormatSet[fsAction];
  W().BreakElement();
  W().Assemble();
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, "one \x02two \x03"}, {ekAction, "\x02Three\x03 four"}}));
}

TEST_F(EditProtocolTest, TheOnlyElementIsNeverRemoved) {
  Load({{ekAction, "Alone."}});
  W().DisposeIndex(false);
  EXPECT_EQ(W().ElementCount(), 1);
  W().Delete_Element();
  EXPECT_EQ(W().ElementCount(), 1);
  EXPECT_EQ(W().EditBuffer(), "");
  EXPECT_EQ(W().CurrentElement()->Kind(), ekAction);
}

TEST_F(EditProtocolTest, RemovingAnElementLeavesNoGroupPointingAtIt) {
  Load({{ekCharacterName, "ANN"}, {ekDialogue, "Hi."}, {ekAction, "She goes."}});
  TMDIChild& w = W();
  // One speech group holds the name and the dialogue.
  TElementGroup* speech = w.FirstElement->group;
  TScriptElement* dialogue = w.FirstElement->next;
  dialogue->group = speech;
  speech->count = 2;
  w.Assemble();
  EditFields(w).CurrentElement = w.FirstElement;
  w.DisAssemble();
  w.Delete_Element();
  EXPECT_EQ(speech->count, 1);
  EXPECT_EQ(speech->first, dialogue) << "the group begins with the element that is left";
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekDialogue, "Hi."}, {ekAction, "She goes."}}));
}

// A heading added before a later heading of a locked script takes the
// locked kinds: a dash A-scene under the second lock when the next
// heading is not a plain one, else an A-scene.
struct LockedHeadingCase {
  const char* what;
  Byte following;  // kind of the later heading, 0 none
  Byte locked;
  Byte multiLocked;
  Byte expected;
};

const LockedHeadingCase LockedHeadingCases[] = {
    {"no heading follows", 0, 1, 1, ekSceneHeading},
    {"not locked", ekSceneHeading, 0, 0, ekSceneHeading},
    {"locked, a plain heading follows", ekSceneHeading, 1, 0, ekASceneHeading},
    {"locked, an A-scene follows", ekASceneHeading, 1, 0, ekASceneHeading},
    {"second lock, a plain heading follows", ekSceneHeading, 1, 1, ekASceneHeading},
    {"second lock, an A-scene follows", ekASceneHeading, 1, 1, ekDashASceneHeading},
    {"second lock, a dash A-scene follows", ekDashASceneHeading, 1, 1, ekDashASceneHeading},
};

std::vector<ElementSpec> ScriptWithLaterHeading(Byte following) {
  std::vector<ElementSpec> script = {{ekSceneHeading, "INT. HOUSE"}, {ekAction, "He runs."}};
  if (following != 0) script.push_back({following, "EXT. YARD"});
  return script;
}

TEST_F(EditProtocolTest, ANewHeadingInALockedScriptTakesTheLockedKind) {
  for (const LockedHeadingCase& c : LockedHeadingCases) {
    SCOPED_TRACE(c.what);
    Load(ScriptWithLaterHeading(c.following));
    TMDIChild& w = W();
    w.Assemble();
    EditFields(w).CurrentElement = w.FirstElement->next;
    w.DisAssemble();
    EditFields(w).CaretColumn = static_cast<Word>(w.EditBuffer().size());
    w.ScenesLocked = c.locked;
    w.ScenesMultiLocked = c.multiLocked;
    w.CurrentFormat = w.FormatSet[fsSceneHeading];
    w.Nw_Elmnt(false, false, false, false);
    EXPECT_EQ(w.CurrentElement()->prev, w.FirstElement->next) << "made after the action";
    EXPECT_EQ(w.CurrentElement()->Kind(), c.expected);
  }
}

TEST_F(EditProtocolTest, TheSecondPieceOfASplitHeadingInALockedScriptTakesTheLockedKind) {
  for (const LockedHeadingCase& c : LockedHeadingCases) {
    SCOPED_TRACE(c.what);
    Load(ScriptWithLaterHeading(c.following));
    TMDIChild& w = W();
    EditFields(w).CaretColumn = 5;  // before "HOUSE"
    w.ScenesLocked = c.locked;
    w.ScenesMultiLocked = c.multiLocked;
    w.BreakElement();
    EXPECT_EQ(w.FirstElement->Kind(), ekSceneHeading) << "the first piece keeps its kind";
    EXPECT_EQ(w.CurrentElement(), w.FirstElement->next);
    EXPECT_EQ(w.EditBuffer(), "HOUSE");
    EXPECT_EQ(w.CurrentElement()->Kind(), c.expected);
  }
}

// The empty element changes its type instead of being followed, and the
// groups follow its new type.
TEST_F(EditProtocolTest, AnEmptyElementThatBecomesDialogueJoinsTheSpeech) {
  Load({{ekCharacterName, "ANN"}, {ekAction, ""}});
  TMDIChild& w = W();
  w.Assemble();
  w.RebuildElementGroups();
  TScriptElement* name = w.FirstElement;
  TScriptElement* line = name->next;
  ASSERT_NE(line->group, name->group) << "an action has a group of its own";
  EditFields(w).CurrentElement = line;
  w.DisAssemble();
  w.CurrentFormat = w.FormatSet[fsDialogue];
  w.Nw_Elmnt(false, false, false, false);
  EXPECT_EQ(w.CurrentElement(), line);
  EXPECT_EQ(line->Kind(), ekDialogue);
  EXPECT_EQ(line->group, name->group) << "the speech group takes the new dialogue";
  ASSERT_NE(name->group, nullptr);
  EXPECT_EQ(name->group->count, 2);
}

}  // namespace
}  // namespace qm

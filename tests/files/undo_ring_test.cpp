#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "files/progress_dialog.h"
#include "files/undo_ring.h"
#include "platform/clipboard.h"
#include "platform/menus.h"
#include "platform/user_action.h"
#include "script/editing/document_modified.h"
#include "script/layout/editor_state.h"
#include "script/editing/revision_marks.h"
#include "script/editing/undo_steps.h"
#include "script/model/packed_text.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "script/model/edit_line_writer.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

using testing::ElementSpec;

// An element as repagination leaves it: its split byte as well.
struct Piece {
  Byte kind;
  std::string text;
  Byte split = spWhole;
};
using Pieces = std::vector<Piece>;

Pieces Actions(int from, int to) {
  Pieces pieces;
  for (int i = from; i <= to; ++i) pieces.push_back({ekAction, "A" + std::to_string(i)});
  return pieces;
}

Pieces operator+(Pieces a, const Pieces& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<ElementSpec> SpecsOf(const Pieces& pieces) {
  std::vector<ElementSpec> specs;
  for (const Piece& p : pieces) specs.push_back({p.kind, p.text});
  return specs;
}

// The changes of the table-driven cases call the public helpers.
class UndoRingTest : public testing::ProgramFixture {
 public:
  TMDIChild& W() { return Script(); }
  // Replaces the script with these elements; the one at `current` is
  // being edited, the caret at the end of its text.
  void Load(const Pieces& pieces, int current = 0) {
    W().FreeElements();
    testing::AddElements(W(), SpecsOf(pieces));
    int i = 0;
    for (TScriptElement* e = W().FirstElement; e; e = e->next, ++i) {
      e->split = pieces[static_cast<size_t>(i)].split;
      if (i == current) editor::SetCurrentElement(W(), e);
    }
    W().CurrentGroup = W().CurrentElement()->group;
    W().DisAssemble();
    editor::SetCaretColumn(W(), W().EditBuffer().size());
    EditFields(W()).CaretLine = 1;
  }
  TScriptElement* Nth(int index) {
    TScriptElement* e = W().FirstElement;
    for (int i = 0; i < index; ++i) e = e->next;
    return e;
  }
  void MakeCurrent(int index) {
    W().Assemble();
    editor::SetCurrentElement(W(), Nth(index));
    W().DisAssemble();
    editor::SetCaretColumn(W(), 0);
    EditFields(W()).CaretLine = 1;
  }
  void Type(const std::string& text) {
    for (char ch : text) W().TypeOneCharacter(ch, true);
  }

 protected:
  TUndoObject& Ring() { return *UndoObject; }
  std::vector<ElementSpec> Elements() { return testing::ElementsOf(W()); }
  std::string CurrentText() { return W().EditBuffer(); }

  void ExpectNothingTo(const std::string& what) {
    testing::AnswerMessageBox(Driver(), "Nothing to " + what, mrOk, "Attention");
  }
  // The current element's texts that successive undos bring back, until
  // the ring reports it has nothing left.
  std::vector<std::string> UndoAll() {
    std::vector<std::string> seen;
    while (Ring().UndoIsAvailable()) {
      Ring().Undo();
      seen.push_back(CurrentText());
    }
    ExpectNothingTo("Undo");
    Ring().Undo();
    return seen;
  }
};

// ---- Undo and redo of each kind of change ----

struct ChangeCase {
  const char* name;
  Pieces script;
  int current;
  std::function<void(UndoRingTest&, TMDIChild&)> change;
  std::vector<ElementSpec> after;
};

class ChangeTest : public UndoRingTest, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(ChangeTest, UndoGivesTheScriptBackAndRedoTheChange) {
  const ChangeCase& c = GetParam();
  Load(c.script, c.current);
  const std::vector<ElementSpec> before = Elements();
  c.change(*this, W());
  ASSERT_EQ(Elements(), c.after);
  Ring().Undo();
  EXPECT_EQ(Elements(), before);
  EXPECT_TRUE(Ring().RedoIsAvailable());
  Ring().Redo();
  EXPECT_EQ(Elements(), c.after);
  EXPECT_FALSE(Ring().RedoIsAvailable());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ChangeTest,
    ::testing::Values(
        ChangeCase{"NewElement",
                   {{ekSceneHeading, "INT. HOUSE"}, {ekAction, "He runs."}},
                   1,
                   [](UndoRingTest& t, TMDIChild& w) {
                     SaveUndoStep(ukInsert, false, false, 0);
                     w.CurrentFormat = w.FormatSet[fsCharacterName];
                     w.NewElement(false, false, true);
                     t.Type("BOB");
                   },
                   {{ekSceneHeading, "INT. HOUSE"}, {ekAction, "He runs."}, {ekCharacterName, "BOB"}}},
        ChangeCase{
            "Deletion",
            {{ekSceneHeading, "INT. HOUSE"}, {ekAction, "He runs."}, {ekCharacterName, "BOB"}, {ekDialogue, "Hi."}},
            2,
            [](UndoRingTest&, TMDIChild& w) {
              SaveUndoStep(ukDelete, false, false, 0);
              w.Delete_Element();
            },
            {{ekSceneHeading, "INT. HOUSE"}, {ekAction, "He runs."}, {ekDialogue, "Hi."}}},
        ChangeCase{"WholeScript",
                   Actions(1, 12),
                   11,
                   [](UndoRingTest& t, TMDIChild&) {
                     SaveUndoStep(ukInsert, true, false, 0);
                     t.Load({{ekTransition, "CUT TO:"}, {ekAction, "Gone."}}, 1);
                   },
                   {{ekTransition, "CUT TO:"}, {ekAction, "Gone."}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UndoRingTest, UndoPutsTheCaretBackAndRedoWhereItWas) {
  Load({{ekAction, "One"}, {ekAction, "Two"}}, 1);
  editor::SetCaretColumn(W(), 1);
  Type("x");
  Ring().Undo();
  EXPECT_EQ(CurrentText(), "Two");
  EXPECT_EQ(W().CaretColumn(), 1);
  Ring().Redo();
  EXPECT_EQ(CurrentText(), "Txwo");
  EXPECT_EQ(W().CaretColumn(), 2);
}

// A step holds the settings with the elements, whatever its kind: a
// command that changes a setting beside the text is undone whole.
TEST_F(UndoRingTest, EveryStepBringsTheSettingsBack) {
  for (const Byte extra : {usWithSettings, Byte{0}}) {
    W().HeaderLine1 = "FIRST DRAFT";
    SaveUndoStep(ukWholeScript, true, false, extra);
    W().HeaderLine1 = "SECOND DRAFT";
    Ring().Undo();
    EXPECT_EQ(W().HeaderLine1, "FIRST DRAFT");
    Ring().Redo();
    EXPECT_EQ(W().HeaderLine1, "SECOND DRAFT");
  }
}

TEST_F(UndoRingTest, ListsLongerThanTheHeaderHoldsComeBackWhole) {
  // Far more than the header's room for them: the rest lies beyond it.
  const auto entries = [this] {
    std::vector<std::string> all;
    for (int i = 0; i < W().ExtraLocations.Count(); ++i) all.push_back(W().ExtraLocations[i]);
    return all;
  };
  for (int i = 0; i < 80; ++i) W().ExtraLocations.Add("LOCATION NUMBER " + std::to_string(i));
  const std::vector<std::string> before = entries();
  ASSERT_EQ(before.size(), 80u);
  SaveUndoStep(ukWholeScript, true, false, usWithSettings);
  W().ExtraLocations.Clear();
  Ring().Undo();
  EXPECT_EQ(entries(), before);
}

TEST_F(UndoRingTest, AMarkedBlockIsSavedWhole) {
  Load(Actions(1, 9), 5);
  for (int i = 1; i <= 5; ++i) Nth(i)->blockStart = Nth(i)->blockEnd = 0;
  EditFields(W()).BlockOn = 1;
  SaveUndoStep(ukDelete, false, false, 0);
  // The block's elements are cut out.
  EditFields(W()).BlockOn = 0;
  Load(Actions(1, 1) + Actions(7, 9), 0);
  Ring().Undo();
  EXPECT_EQ(Elements(), SpecsOf(Actions(1, 9)));
  for (const TScriptElement* e = W().FirstElement; e; e = e->next) EXPECT_FALSE(e->InBlock());
}

// ---- The script given back whatever repagination did since ----

struct RepaginationCase {
  const char* name;
  Pieces saved;      // the script when the step is saved, A5 current
  Pieces paginated;  // the script at the undo: A5 edited, breaks moved
};

const Piece kBreak{ekAutoPageBreak, " ", spWhole};
const Piece kSplitBreak{ekAutoPageBreak, " ", spFirstPiece};
const Piece kSpeechBreak{ekAutoPageBreak, " ", spSecondPiece};
const Piece kRepeatedCue{ekCharacterName, "BOB", 20};
const Piece kEdited{ekAction, "A5 edited"};

class RepaginationTest : public UndoRingTest, public ::testing::WithParamInterface<RepaginationCase> {};

// Breaks repagination put in or took out after the step do not shift what
// comes back, nor do elements changed far from the caret: the script
// stands as the step found it, breaks and all.
TEST_P(RepaginationTest, UndoGivesBackTheScriptAsTheStepFoundIt) {
  const RepaginationCase& c = GetParam();
  int current = 0;
  while (c.saved[static_cast<size_t>(current)].text != "A5") ++current;
  Load(c.saved, current);
  SaveUndoStep(ukInsert, false, false, 0);
  Load(c.paginated, 0);
  Ring().Undo();
  EXPECT_EQ(Elements(), SpecsOf(c.saved));
  EXPECT_EQ(CurrentText(), "A5");
  Ring().Redo();
  EXPECT_EQ(Elements(), SpecsOf(c.paginated));
}

INSTANTIATE_TEST_SUITE_P(
    Breaks, RepaginationTest,
    ::testing::Values(
        RepaginationCase{"BreakAddedBeforeTheRun", Actions(1, 9),
                         Actions(1, 1) + Pieces{kBreak} + Actions(2, 4) + Pieces{kEdited} + Actions(6, 9)},
        RepaginationCase{"ElementSplitBeforeTheRun", Actions(1, 9),
                         Actions(1, 1) + Pieces{{ekAction, "A"}, kSplitBreak, {ekAction, "2"}} + Actions(3, 4) +
                             Pieces{kEdited} + Actions(6, 9)},
        RepaginationCase{"SpeechSplitRightBeforeTheRun", Actions(1, 2) + Pieces{{ekDialogue, "rest"}} + Actions(3, 9),
                         Actions(1, 2) + Pieces{kSpeechBreak, kRepeatedCue, {ekDialogue, "rest"}} + Actions(3, 4) +
                             Pieces{kEdited} + Actions(6, 9)},
        RepaginationCase{"BreakRemovedBeforeTheRun", Actions(1, 1) + Pieces{kBreak} + Actions(2, 9),
                         Actions(1, 4) + Pieces{kEdited} + Actions(6, 9)},
        RepaginationCase{
            "SplitRemovedBeforeTheRun",
            Actions(1, 1) + Pieces{kSpeechBreak, kRepeatedCue, {ekDialogue, "rest"}} + Actions(2, 9),
            Actions(1, 1) + Pieces{{ekDialogue, "rest"}} + Actions(2, 4) + Pieces{kEdited} + Actions(6, 9)},
        RepaginationCase{"LastElementOfTheRunSplit", Actions(1, 9),
                         Actions(1, 4) +
                             Pieces{kEdited, {ekAction, "A6"}, {ekAction, "A"}, kSplitBreak, {ekAction, "7"}} +
                             Actions(8, 9)},
        RepaginationCase{"BreaksOnBothSides", Actions(1, 9),
                         Actions(1, 1) + Pieces{kBreak} + Actions(2, 4) + Pieces{kEdited} + Actions(6, 8) +
                             Pieces{kBreak} + Actions(9, 9)},
        // A whole-script pass, or a locked page's header, changed with it.
        RepaginationCase{"ElementsFarFromTheCaret", Actions(1, 9),
                         Pieces{{ekAction, "A1 changed"}} + Actions(2, 4) + Pieces{kEdited} + Actions(6, 8) +
                             Pieces{{ekAction, "A9 changed"}}},
        RepaginationCase{"FewerElementsThanTheStepCounted", Actions(1, 9), Actions(1, 2)},
        RepaginationCase{
            "TheSecondPieceOfASplitSpeechTwoBack",
            Actions(1, 1) + Pieces{{ekDialogue, "first "}, kSplitBreak, {ekDialogue, "second"}} + Actions(2, 9),
            Actions(1, 1) + Pieces{{ekDialogue, "first second"}} + Actions(2, 9)}),
    [](const auto& info) { return std::string(info.param.name); });

// What repagination adds is left out of the count, and nothing else: the
// break, the name it repeats over a speech it cut (unless typed over),
// and the rest of an element it cut. The whole element after a speech's
// repeated name is the writer's and counts.
TEST(PaginationElementTest, OnlyWhatRepaginationAddsIsLeftOutOfTheCount) {
  struct Row {
    const char* what;
    Byte breakSplit;
    Byte nextKind;
    Byte nextSplit;
    bool nextLeftOut;
    bool thirdLeftOut;
    const char* nextText = "JOHN";
  };
  // clang-format off
  const Row rows[] = {
      {"a break between two elements", spWhole, ekAction, spWhole, false, false},
      {"the rest of a dialogue cut", spFirstPiece, ekDialogue, spWhole, true, false},
      {"an element of another kind after a cut", spFirstPiece, ekAction, spWhole, false, false},
      {"the name repeated, then the rest cut", spFirstPiece, ekCharacterName, 20, true, true},
      {"the name repeated over a whole dialogue", spSecondPiece, ekCharacterName, 20, true, false},
      {"a name of the writer's after a speech break", spSecondPiece, ekCharacterName, 18, false, false},
      {"a name in state 2 after a break between elements", spWhole, ekCharacterName, 20, false, false},
      {"a name typed over the repeated one", spFirstPiece, ekCharacterName, 20, false, false, "MARY"},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    TScriptElement name, before, brk, next, third;
    name.format.Kind = ekCharacterName;
    name.text = "JOHN";
    before.format.Kind = ekDialogue;
    next.text = row.nextText;
    name.next = &before;
    before.prev = &name;
    brk.format.Kind = ekAutoPageBreak;
    brk.split = row.breakSplit;
    next.format.Kind = row.nextKind;
    next.split = row.nextSplit;
    third.format.Kind = ekDialogue;
    before.next = &brk;
    brk.prev = &before;
    brk.next = &next;
    next.prev = &brk;
    next.next = &third;
    third.prev = &next;
    EXPECT_FALSE(IsPaginationElement(&before));
    EXPECT_TRUE(IsPaginationElement(&brk));
    EXPECT_EQ(IsPaginationElement(&next), row.nextLeftOut);
    EXPECT_EQ(IsPaginationElement(&third), row.thirdLeftOut);
  }
}

// ---- Steps: when one is recorded ----

struct CoalesceCase {
  const char* name;
  struct Step {
    Byte kind;
    bool whole = false;
    bool force = false;
  };
  std::vector<Step> steps;
  std::vector<std::string> undone;  // texts successive undos give back
};

class CoalesceTest : public UndoRingTest, public ::testing::WithParamInterface<CoalesceCase> {};

TEST_P(CoalesceTest, SameKindChangesFormOneStep) {
  const CoalesceCase& c = GetParam();
  Load({{ekAction, "t0"}});
  int n = 0;
  for (const auto& step : c.steps) {
    SaveUndoStep(step.kind, step.whole, step.force, 0);
    editor::SetEditText(W(), "t" + std::to_string(++n));
  }
  EXPECT_EQ(UndoAll(), c.undone);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, CoalesceTest,
    ::testing::Values(CoalesceCase{"TwoBackspaces", {{ukDelete}, {ukDelete}}, {"t0"}},
                      CoalesceCase{"BackspaceAfterTyping", {{ukInsert}, {ukDelete}}, {"t1", "t0"}},
                      CoalesceCase{"TypingRunsOn", {{ukInsert}, {ukInsert}, {ukInsert}}, {"t0"}},
                      CoalesceCase{"WholeScriptChanges", {{ukWholeScript}, {ukWholeScript}}, {"t1", "t0"}},
                      CoalesceCase{"WholeScriptFlag", {{ukInsert}, {ukInsert, true}}, {"t1", "t0"}},
                      CoalesceCase{"Forced", {{ukDelete}, {ukDelete, false, true}}, {"t1", "t0"}},
                      CoalesceCase{"CaretLeftBetween", {{ukInsert}, {ukNavigation}, {ukInsert}}, {"t2", "t1", "t0"}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- One user action, one step ----

// A key, a click or a menu command as the platform delivers it: all that
// runs inside it is one action, whose end the ring hears.
template <typename Do>
void AsOneAction(Do&& what) {
  const TUserAction action;
  what();
}

struct ActionCase {
  const char* name;
  std::function<void(UndoRingTest&, TMDIChild&)> action;
};

class ActionTest : public UndoRingTest, public ::testing::WithParamInterface<ActionCase> {};

// Whatever one action changes, and in whatever order it asks for steps,
// one Undo gives back the script as the action found it, and one Redo what
// it made.
TEST_P(ActionTest, OneUndoGivesBackWhatTheActionFound) {
  Load(Actions(1, 6), 2);
  AsOneAction([&] { Type("x"); });
  const std::vector<ElementSpec> before = Elements();
  AsOneAction([&] { GetParam().action(*this, W()); });
  const std::vector<ElementSpec> after = Elements();
  ASSERT_NE(after, before);
  Ring().Undo();
  EXPECT_EQ(Elements(), before);
  Ring().Redo();
  EXPECT_EQ(Elements(), after);
  Ring().Undo();
  Ring().Undo();
  EXPECT_EQ(Elements(), SpecsOf(Actions(1, 6)));
}

INSTANTIATE_TEST_SUITE_P(Actions, ActionTest,
                         ::testing::Values(ActionCase{"KindsOneAfterAnother",
                                                      [](UndoRingTest& t, TMDIChild& w) {
                                                        SaveUndoStep(ukDelete, false, false, 0);
                                                        w.Delete_Element();
                                                        SaveUndoStep(ukInsert, false, false, 0);
                                                        w.NewElement(false, false, true);
                                                        t.Type("new");
                                                        SaveUndoStep(ukWholeScript, true, false, 0);
                                                        w.HeaderLine1 = "CHANGED";
                                                      }},
                                           // A line marked revised before the step was asked for.
                                           ActionCase{"ChangedBeforeAsking",
                                                      [](UndoRingTest& t, TMDIChild& w) {
                                                        editor::SetEditText(w, "changed first");
                                                        SaveUndoStep(ukInsert, false, true, 0);
                                                        t.Type("!");
                                                      }},
                                           ActionCase{"ElementsFarApart",
                                                      [](UndoRingTest& t, TMDIChild&) {
                                                        SaveUndoStep(ukDelete, false, false, 0);
                                                        t.Type("y");
                                                        t.MakeCurrent(5);
                                                        SaveUndoStep(ukDelete, false, true, 0);
                                                        t.Type("z");
                                                        t.MakeCurrent(0);
                                                      }},
                                           // Nothing asked: the change still is a step of its own.
                                           ActionCase{"NoStepAskedFor",
                                                      [](UndoRingTest& t, TMDIChild& w) {
                                                        t.MakeCurrent(4);
                                                        editor::SetEditText(w, "rewritten");
                                                      }}),
                         [](const auto& info) { return std::string(info.param.name); });

// Moving about the script takes no place in the ring: after typing and a
// long walk, the first Undo takes the typing back.
TEST_F(UndoRingTest, MovingTheCaretNeverPushesAChangeOutOfTheRing) {
  Load(Actions(1, 8), 0);
  AsOneAction([&] { Type("river "); });
  for (int i = 0; i < 250; ++i)
    AsOneAction([&] {
      SaveUndoStep(ukNavigation, false, false, 0);
      MakeCurrent(i % 8);
    });
  Ring().Undo();
  EXPECT_EQ(Elements(), SpecsOf(Actions(1, 8)));
  EXPECT_FALSE(Ring().UndoIsAvailable());
}

// What repagination alone puts in (a break moved by an idle pass or a
// command) is no change of the writer's: no step.
TEST_F(UndoRingTest, ABreakPutInAloneIsNoStep) {
  Load(Actions(1, 6), 0);
  AsOneAction([&] { Type("x"); });
  AsOneAction([&] { Load(Pieces{{ekAction, "A1x"}} + Actions(2, 3) + Pieces{kBreak} + Actions(4, 6), 0); });
  Ring().Undo();
  EXPECT_EQ(Elements(), SpecsOf(Actions(1, 6)));
  EXPECT_FALSE(Ring().UndoIsAvailable());
}

// Letters typed with the caret on a page break are never stored (the
// break keeps its blank), so they change nothing: no step, and the next
// Undo takes back the change before them.
class TypedOnABreakTest : public UndoRingTest, public ::testing::WithParamInterface<Byte> {};

TEST_P(TypedOnABreakTest, IsNoStep) {
  const Pieces script = Actions(1, 3) + Pieces{{GetParam(), " "}} + Actions(4, 6);
  Load(script, 0);
  AsOneAction([&] { Type("x"); });
  MakeCurrent(3);
  for (char ch : std::string("it. then")) AsOneAction([&] { Type(std::string(1, ch)); });
  Ring().Undo();
  W().Assemble();
  EXPECT_EQ(Elements(), SpecsOf(script));
  EXPECT_FALSE(Ring().UndoIsAvailable());
}

INSTANTIATE_TEST_SUITE_P(Breaks, TypedOnABreakTest,
                         ::testing::Values(ekForcedPageBreak, ekLockedPageBreak, ekAutoPageBreak),
                         [](const auto& info) { return "Kind" + std::to_string(info.param); });

// ---- Levels ----

struct LevelsCase {
  const char* name;
  const char* levels;
  int saves;
  int undoable;
};

class LevelsTest : public UndoRingTest, public ::testing::WithParamInterface<LevelsCase> {
 protected:
  void SetUp() override {
    InitialSettings = {{"Program Settings", "Max Undo Levels", GetParam().levels}};
    UndoRingTest::SetUp();
  }
};

TEST_P(LevelsTest, TheRingKeepsTheNewestSteps) {
  const LevelsCase& c = GetParam();
  Load({{ekAction, "v0"}});
  for (int i = 1; i <= c.saves; ++i) {
    SaveUndoStep(ukDelete, false, true, 0);
    editor::SetEditText(W(), "v" + std::to_string(i));
  }
  std::vector<std::string> expected;
  for (int k = 1; k <= c.undoable; ++k) expected.push_back("v" + std::to_string(c.saves - k));
  EXPECT_EQ(UndoAll(), expected);
  EXPECT_EQ(MainForm->UndoItem->Visible(), c.undoable > 0);
  EXPECT_EQ(MainForm->RedoItem->Visible(), c.undoable > 0);
  EXPECT_EQ(MainForm->UndoBar->Visible(), c.undoable > 0);
  EXPECT_FALSE(MainForm->AlternateUndoItem->Visible());
}

// How the settings give the number of levels (disabled, above the slots)
// is the settings' own test; the ring is given 3, 20 or 0.
INSTANTIATE_TEST_SUITE_P(Settings, LevelsTest,
                         ::testing::Values(LevelsCase{"Three", "3", 4, 3}, LevelsCase{"Twenty", "20", 21, 20},
                                           LevelsCase{"None", "0", 3, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// An Undo and its Redo leave the ring as full as it was: with three
// levels, three changes each undone and redone are all three undone again.
TEST_F(UndoRingTest, UndoThenRedoKeepsEveryStepInTheRing) {
  Ring().SetMaxUndoLevels(3);
  Load({{ekAction, "v0"}});
  for (int i = 1; i <= 3; ++i) {
    SaveUndoStep(ukDelete, false, true, 0);
    editor::SetEditText(W(), "v" + std::to_string(i));
    Ring().Undo();
    Ring().Redo();
  }
  EXPECT_EQ(UndoAll(), (std::vector<std::string>{"v2", "v1", "v0"}));
}

TEST_F(UndoRingTest, ADifferentNumberOfLevelsClearsTheStepsEvenWhileSuspended) {
  Load({{ekAction, "v0"}});
  for (int i = 1; i <= 10; ++i) {
    SaveUndoStep(ukDelete, false, true, 0);
    editor::SetEditText(W(), "v" + std::to_string(i));
  }
  Ring().SetMaxUndoLevels(20);
  ASSERT_TRUE(Ring().UndoIsAvailable());
  UndoSuspended = 1;
  Ring().SetMaxUndoLevels(3);
  UndoSuspended = 0;
  EXPECT_EQ(UndoAll(), std::vector<std::string>{});
  SaveUndoStep(ukDelete, false, true, 0);
  editor::SetEditText(W(), "v11");
  EXPECT_EQ(UndoAll(), std::vector<std::string>{"v10"});
  Ring().SetMaxUndoLevels(40);
  EXPECT_EQ(Ring().UndoLevels(), UndoSlotCount);
}

// ---- Nothing to undo or redo, and what ends the steps ----

TEST_F(UndoRingTest, NothingToUndoOrRedoIsSaid) {
  ExpectNothingTo("Undo");
  Ring().Undo();
  ExpectNothingTo("Redo");
  Ring().Redo();
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(UndoRingTest, ANewChangeAfterAnUndoEndsTheRedo) {
  Type("ab");
  Ring().Undo();
  Type("c");
  ExpectNothingTo("Redo");
  Ring().Redo();
  EXPECT_EQ(CurrentText(), "c");
}

TEST_F(UndoRingTest, AChangeOfTheSameKindAfterAnUndoIsAStepOfItsOwn) {
  Load(Actions(1, 6), 2);
  SaveUndoStep(ukDelete, false, false, 0);
  W().Delete_Element();
  Ring().Undo();
  ASSERT_EQ(Elements(), SpecsOf(Actions(1, 6)));
  MakeCurrent(4);
  SaveUndoStep(ukDelete, false, false, 0);
  W().Delete_Element();
  ExpectNothingTo("Redo");
  Ring().Redo();
  Ring().Undo();
  EXPECT_EQ(Elements(), SpecsOf(Actions(1, 6)));
}

TEST_F(UndoRingTest, RedoPutsTheCaretWhereItStoodAtTheUndo) {
  Load(Actions(1, 12), 1);
  Type("x");
  MakeCurrent(11);
  Ring().Undo();
  EXPECT_EQ(CurrentText(), "A2");
  MakeCurrent(10);
  Ring().Redo();
  EXPECT_EQ(Elements(), SpecsOf(Actions(1, 1) + Pieces{{ekAction, "A2x"}} + Actions(3, 12)));
  // Where the caret stood at the Undo.
  EXPECT_EQ(CurrentText(), "A12");
}

TEST_F(UndoRingTest, UndoAndRedoMarkTheScriptModified) {
  Type("a");
  SetDocumentModified(false, false);
  Ring().Undo();
  EXPECT_EQ(W().DocumentModified, 1);
  SetDocumentModified(false, false);
  Ring().Redo();
  EXPECT_EQ(W().DocumentModified, 1);
}

// Opening a script clears the steps; a script that closes takes only its
// own with it, so that the script left keeps what it can undo.
TEST_F(UndoRingTest, OpeningAScriptClearsTheStepsAndClosingOneTakesItsOwn) {
  Type("a");
  ASSERT_TRUE(NewDocument(Home() + "/SECOND.QMW"));
  EXPECT_FALSE(Ring().UndoIsAvailable());
  Type("b");
  ASSERT_TRUE(Ring().UndoIsAvailable());
  delete Documents[1];
  ASSERT_TRUE(Ring().UndoIsAvailable());
  Ring().Undo();
  EXPECT_EQ(CurrentText(), "");
}

TEST_F(UndoRingTest, WhileSuspendedNothingIsSavedOrCleared) {
  Type("a");
  UndoSuspended = 1;
  Type("b");
  SaveUndoStep(ukDelete, false, true, 0);
  Ring().ClearUndoData();
  UndoSuspended = 0;
  EXPECT_EQ(UndoAll(), std::vector<std::string>{""});
}

TEST_F(UndoRingTest, TheProgressDialogReleasesTheUndoDataAndTheClipboard) {
  Clipboard()->SetAsText("copied");
  Type("a");
  const std::string notice = "Due to the 32 bit Memory management system, this feature has been disabled.";
  testing::AnswerMessageBox(Driver(), notice, mrOk, "Attention");
  testing::AnswerMessageBox(Driver(), notice, mrOk, "Attention");
  ProgressDlg().FreeClipUndoMemory();
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_FALSE(Ring().UndoIsAvailable());
  EXPECT_TRUE(Clipboard()->Formats().empty());
  SaveUndoStep(ukDelete, false, true, 0);
  ASSERT_TRUE(Ring().UndoIsAvailable());
  delete &ProgressDlg();
  EXPECT_FALSE(Ring().UndoIsAvailable());
}

// ---- The Edit menu ----

struct CommandCase {
  const char* name;
  TShortCut key;
  const char* text;  // after the command
};

class EditMenuTest : public UndoRingTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(EditMenuTest, UndoKeysUndoAndRedoKeysRedo) {
  Load({{ekAction, "t0"}});
  SaveUndoStep(ukDelete, false, true, 0);
  editor::SetEditText(W(), "t1");
  SaveUndoStep(ukDelete, false, true, 0);
  editor::SetEditText(W(), "t2");
  Ring().Undo();
  ASSERT_EQ(CurrentText(), "t1");
  // The menus follow the ring at the next idle moment.
  bool done = false;
  MainForm->AppIdle(nullptr, done);
  EXPECT_TRUE(MainForm->MainMenu->IsShortCut(GetParam().key));
  EXPECT_EQ(CurrentText(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Keys, EditMenuTest,
                         ::testing::Values(CommandCase{"UndoItem", ShortCut(VK_BACK, ssAlt), "t0"},
                                           CommandCase{"RedoItem", ShortCut(VK_BACK, ssCtrl | ssAlt), "t2"},
                                           CommandCase{"AlternateUndo", ShortCut('Z', ssCtrl), "t0"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(UndoRingTest, TheUndoToolButtonUndoes) {
  Type("a");
  TButton button(nullptr);
  button.Name = "UndoBtn";
  MainForm->UndoItemClick(&button);
  EXPECT_EQ(CurrentText(), "");
  MainForm->UndoItemClick(nullptr);
  EXPECT_EQ(CurrentText(), "a");
}

// ---- Page headers and revisions after an edit ----

class PageChangeTest : public UndoRingTest {
 protected:
  static constexpr Byte kRevision = 3;
  void SetUp() override {
    UndoRingTest::SetUp();
    LoadPages("B");
  }
  // Three pages: the second opened by a forced break and holding `second`,
  // the third by an automatic one.
  void LoadPages(const std::string& second) {
    Load({{ekAction, "A"},
          {ekForcedPageBreak, " "},
          {ekAction, second},
          {ekAutoPageBreak, " "},
          {ekAction, "C"},
          {ekLockedPageBreak, " "}});
    W().Assemble();
    W().CurrentRevision = kRevision;
  }
  // The pages whose header took the current revision, by their first
  // element (null: the first page); each is put back to revision 0.
  std::vector<TScriptElement*> TakeUpdatedPages() {
    std::vector<TScriptElement*> updated;
    if (W().FirstPageRevision == kRevision) updated.push_back(nullptr);
    W().FirstPageRevision = 0;
    for (TScriptElement* e = W().FirstElement; e; e = e->next) {
      if ((e->format.NumberWord & 0xFF) == kRevision) updated.push_back(e);
      e->format.NumberWord = static_cast<Word>(e->format.NumberWord & 0xFF00);
    }
    return updated;
  }
  bool CurrentLineMarked() { return HasRevisedLines(*W().CurrentElement()); }
};

TEST_F(PageChangeTest, TheHeaderOfALockedPageIsUpdated) {
  struct Row {
    int element;
    int pageStart;  // -1: the first page
    bool updates;
  };
  const Row rows[] = {{0, -1, true}, {2, 1, true}, {1, 1, true}, {4, 3, false}, {5, 5, true}};
  EXPECT_EQ(MarkPageChanged(Nth(2)), Nth(2)) << "headers not locked";
  EXPECT_TRUE(TakeUpdatedPages().empty());
  W().HeadersLocked = 1;
  for (const Row& row : rows) {
    TakeUpdatedPages();
    TScriptElement* start = MarkPageChanged(Nth(row.element));
    EXPECT_EQ(start, Nth(row.pageStart < 0 ? 0 : row.pageStart)) << row.element;
    const std::vector<TScriptElement*> expected =
        row.updates ? std::vector<TScriptElement*>{row.pageStart < 0 ? nullptr : Nth(row.pageStart)}
                    : std::vector<TScriptElement*>{};
    EXPECT_EQ(TakeUpdatedPages(), expected) << row.element;
  }
}

TEST_F(PageChangeTest, AnEditIsMarkedRevisedOnlyWhenRevisionsAreMarked) {
  W().HeadersLocked = 1;
  MarkEditRevised(W(), *Nth(2));
  EXPECT_FALSE(CurrentLineMarked());
  EXPECT_TRUE(TakeUpdatedPages().empty());
  W().RevisionMarking = 1;
  MarkEditRevised(W(), *Nth(2));
  EXPECT_TRUE(CurrentLineMarked());
  EXPECT_EQ(TakeUpdatedPages(), std::vector<TScriptElement*>{Nth(1)});
}

// A cut marking revisions marks the line it leaves the caret on and gives
// the locked page it changed the current header.
TEST_F(PageChangeTest, ACutMarkingRevisionsUpdatesTheHeaderOfItsPage) {
  for (const bool marking : {false, true}) {
    SCOPED_TRACE(marking ? "marking revisions" : "not marking revisions");
    LoadPages("Bee");
    W().HeadersLocked = 1;
    W().RevisionMarking = marking;
    TakeUpdatedPages();
    TScriptElement* page = Nth(1);
    editor::MarkBlock(W(), *Nth(2), 1, *Nth(2), 3);
    ProgressDlg().CopyToClipBoard(false, true);
    EXPECT_EQ(testing::ElementsOf(W())[2].text, "B");
    EXPECT_EQ(TakeUpdatedPages(), marking ? std::vector<TScriptElement*>{page} : std::vector<TScriptElement*>{});
    EXPECT_EQ(CurrentLineMarked(), marking);
  }
}

}  // namespace
}  // namespace qm

// Seeded random rounds as a writer works.
//
// The short round: a laid-out script of a dozen pages (long speeches across
// page breaks, tags, notes), the caret put somewhere, then a few random
// keys, words, selections and menu commands with every question confirmed.
// After every step each name's CONT'D is what the rule gives for the whole
// script, and Undo then Redo gives back exactly what the step left; at the
// end Undo back to the start gives back the script, its settings, its marks
// and its laid-out line counts as they were.
//
// The long round: scripts of other shapes (a hundred pages, a stage play and
// a sitcom with acts, a locked script in a new revision with new headers,
// fixed A-pages after a new revision), one or two other scripts open behind
// it, 15 to 40 steps with hundreds of caret moves between the edits, spell
// passes, Replace All, Change Character Name, blocks moved, forced page
// breaks added and removed. After every change Undo gives back a state the
// script had before it (never a part of one action, never refused) and Redo
// exactly what the change made; at the end Undo goes back to the start.
//
// QM_ROUND_TRIALS sets the trials of each shape (scripts/round runs many
// more).
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/document_table.h"
#include "files/undo_ring.h"
#include "language/search_dialog.h"
#include "language/spelling/spell_check_dialog.h"
#include "platform/input.h"
#include "platform/office_button.h"
#include "script/editing/editor_calls.h"
#include "script/model/cue_codes.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/command_answers.h"
#include "support/continued_rule.h"
#include "support/converter_path.h"
#include "support/message_box_answers.h"
#include "support/script_text_writer.h"
#include "support/temp_folder.h"
#include "support/undo_history.h"
#include "support/writer_fixture.h"
#include "support/writer_rounds.h"

namespace qm {
namespace {

using testing::ElementSpec;
using testing::LongSpeech;
using testing::WithActs;

std::vector<ElementSpec> ScreenplayOfLongSpeeches(std::uint64_t seed) {
  return testing::ScreenplayOfLongSpeeches(seed);
}

using Dice = testing::SeededRandom;
using testing::CaretRun;
using testing::Key;
using testing::MarkLines;
using testing::PlaceNearBreaks;
using testing::RunTrials;
using testing::TAction;
using testing::TActions;
using testing::TrialsOfEachShape;
using testing::Type;

// ---- The short round ------------------------------------------------------

struct Shape {
  const char* name;
  // The format family loaded first ("" for the screenplay's).
  const char* family;
  std::function<std::vector<ElementSpec>(std::uint64_t)> elements;
  // Whether the names carry the marks the rule gives; a script from an
  // older program or another one carries its own.
  bool marksByRule;
  // What is done to the laid-out script before the round begins.
  enum Preparation { Nothing, Locked, APages, Revisions, ImportedMarks } preparation;
};

const Shape kShapes[] = {
    {"long speeches", "", ScreenplayOfLongSpeeches, true, Shape::Nothing},
    {"long speeches, locked", "", ScreenplayOfLongSpeeches, true, Shape::Locked},
    {"A-pages", "", ScreenplayOfLongSpeeches, true, Shape::APages},
    {"revision marks", "", ScreenplayOfLongSpeeches, true, Shape::Revisions},
    {"stage play", "StagePlay1", [](std::uint64_t s) { return WithActs(ScreenplayOfLongSpeeches(s)); }, true,
     Shape::Nothing},
    {"sitcom with acts", "SitcomVersionI1", [](std::uint64_t s) { return WithActs(ScreenplayOfLongSpeeches(s)); }, true,
     Shape::Nothing},
    {"interactive", "InteractiveCDROM1", ScreenplayOfLongSpeeches, true, Shape::Nothing},
    {"marks of another program", "", ScreenplayOfLongSpeeches, false, Shape::ImportedMarks},
};

class WriterRoundTest : public testing::WriterRoundFixture {
 protected:
  void SetUp() override {
    // The short round was found and kept without the spelling engine.
    WithSpelling = false;
    WriterFixture::SetUp();
  }

  // A fresh script of the shape, laid out, the ring empty.
  TMDIChild& Fresh(const Shape& shape, std::uint64_t seed) {
    TMDIChild& w = LayOut(shape.elements(seed), shape.family, shape.marksByRule);
    Dice dice(seed ^ 0x5EED);
    Prepare(w, shape, dice);
    AsRead(w);
    return w;
  }

  void Prepare(TMDIChild& w, const Shape& shape, Dice& dice) {
    switch (shape.preparation) {
      case Shape::Nothing: break;
      case Shape::Locked: Run("LockScriptItem"); break;
      case Shape::APages: PushOntoAPages(w, dice); break;
      case Shape::Revisions:
        Run("LockScriptItem");
        w.RevisionMarking = 1;
        for (int i = 0; i < 4; ++i) {
          CaretAt(w, ActionNear(w, 30 + 40 * i), 2);
          w.SetFocus();
          TypeText("now ");
        }
        w.RefreshLayout();
        break;
      case Shape::ImportedMarks: MarkAsAnotherProgram(w, dice); break;
    }
  }

 protected:
  // Marks that do not follow the rule, and names typed with their CONT'D.
  static void MarkAsAnotherProgram(TMDIChild& w, Dice& dice) {
    for (TScriptElement* e = w.FirstElement; e; e = e->next) {
      if (e->Kind() != ekCharacterName || !e->text) continue;
      if (dice.Chance(30)) SetCueContinued(dice.Chance(50), *e);
      if (dice.Chance(10)) *e->text += " (CONT'D)";
    }
  }

  // One random step; its name is added to `done`.
  void Step(TMDIChild& w, Dice& dice, std::string& done) {
    static const char* const words[] = {"quietly", "the", "door", "Sam", "never", "again", "JOHN", "rain"};
    const int pick = dice.Below(100);
    Asked = 0;
    w.SetFocus();
    auto say = [&done](const std::string& what) { done += what + ", "; };
    if (pick < 18) {
      const std::string word = std::string(words[dice.Below(8)]) + " ";
      say("type \"" + word + "\"");
      TypeText(word);
    } else if (pick < 26) {
      say("Enter");
      SendKey(VK_RETURN);
    } else if (pick < 36) {
      const int times = 1 + dice.Below(2);
      say(std::to_string(times) + " Backspace");
      for (int i = 0; i < times; ++i) SendKey(VK_BACK);
    } else if (pick < 42) {
      say("Delete");
      SendKey(VK_DELETE);
    } else if (pick < 47) {
      say("Tab");
      SendKey(VK_TAB);
    } else if (pick < 55) {
      say("Down");
      SendKey(VK_DOWN);
    } else if (pick < 59) {
      say("Up");
      SendKey(VK_UP);
    } else if (pick < 62) {
      say("Right");
      SendKey(VK_RIGHT);
    } else if (pick < 72) {
      say("Shift+Right twice, Shift+Down");
      SendKey(VK_RIGHT, TShiftState(ssShift));
      SendKey(VK_RIGHT, TShiftState(ssShift));
      SendKey(VK_DOWN, TShiftState(ssShift));
      const int then = dice.Below(4);
      if (then == 0) say("Delete"), SendKey(VK_DELETE);
      if (then == 1) say("type \"gone \""), TypeText("gone ");
      if (then == 2) say("2 Backspace"), SendKey(VK_BACK), SendKey(VK_BACK);
      if (then == 3) say("Enter"), SendKey(VK_RETURN);
    } else if (pick < 75) {
      say("Page Down");
      SendKey(VK_NEXT);
    } else if (pick < 90) {
      const std::vector<std::string> names = Commands();
      const std::string& name = names[static_cast<std::size_t>(dice.Below(static_cast<int>(names.size())))];
      say(name);
      Run(name);
    } else {
      say("pause");
      w.RefreshLayout();
    }
  }

  // One trial; what went wrong, in words, or empty.
  std::string Trial(const Shape& shape, std::uint64_t seed) {
    TMDIChild& w = Fresh(shape, seed);
    Dice dice(seed);
    CaretAt(w, PlaceNearBreaks(w, dice), dice.Below(40));
    const testing::ScriptShot start = Settled(w);
    std::string done;
    const int steps = 1 + dice.Below(6);
    for (int i = 0; i < steps; ++i) {
      Step(w, dice, done);
      if (ActiveScript() != &w || DocumentCount != 1) return {};  // the command opened or closed a script
      if (shape.marksByRule)
        if (const std::string wrong = testing::WrongMarks(w); !wrong.empty())
          return "after " + done + "wrong marks:" + wrong;
      if (dice.Chance(50) && UndoObject->UndoIsAvailable()) {
        const testing::ScriptShot after = Settled(w);
        if (Undo()) return "after " + done + "Undo refused";
        Redo();
        if (const std::string lost = testing::Differences(after, Settled(w)); !lost.empty())
          return "after " + done + "Undo then Redo:" + lost;
      }
    }
    int undone = 0;
    UndoRefused = false;
    while (UndoObject->UndoIsAvailable() && !UndoRefused && ++undone <= 40) Run("UndoItem");
    if (UndoRefused) return "after " + done + "Undo " + std::to_string(undone) + " refused";
    if (const std::string left = testing::Differences(start, Settled(w)); !left.empty())
      return "after " + done + "Undo " + std::to_string(undone) + " times:" + left;
    return {};
  }

  void Round(const Shape& shape, int firstSeed, int trials) {
    RunTrials(shape.name, firstSeed, trials, [&](std::uint64_t seed) { return Trial(shape, seed); });
  }
};

// Trials that once found a fault, each kept as it was found (shape, seed).
// clang-format off
const std::pair<int, int> kFoundFaults[] = {
    {0, 1001}, {0, 1002}, {0, 1007}, {0, 1008}, {0, 1020}, {0, 1021}, {0, 1023}, {0, 1221}, {0, 1333}, {0, 1342},
    {0, 2317}, {0, 1175}, {0, 1230}, {0, 1831}, {0, 2216}, {0, 2232}, {0, 2510}, {5, 6722},
    {1, 2006}, {1, 2011}, {1, 2024}, {1, 2026}, {1, 2029}, {1, 2038}, {1, 2090},
    {2, 3006}, {2, 3017}, {2, 3024}, {2, 3025}, {2, 3028},
    {3, 4001}, {3, 4002}, {3, 4003}, {3, 4007}, {3, 4008}, {3, 4009}, {3, 4010}, {3, 4011}, {3, 4029}, {3, 4042},
    {3, 4046}, {3, 4089},
    {4, 5003}, {4, 5004}, {4, 5005}, {4, 5006},
    {5, 6138}, {5, 6002}, {5, 6009}, {5, 6013}, {5, 6016}, {5, 6020}, {5, 6024}, {5, 6026}, {5, 6027},
    {6, 7000}, {6, 7002}, {6, 7003}, {6, 7008}, {6, 7009}, {6, 7011}, {6, 7012}, {6, 7013}, {6, 7025}, {6, 7052},
    {7, 8001}, {7, 8002}, {7, 8003}, {7, 8004}, {7, 8005}, {7, 8007}, {7, 8008}, {7, 8009}, {7, 8011}, {7, 8012},
    {7, 8013}, {7, 8014}, {7, 8016}, {7, 8017}, {7, 8022}, {7, 8342}, {7, 10080},
};
// clang-format on

TEST_F(WriterRoundTest, TheTrialsThatOnceFoundAFaultStayMended) {
  for (const auto& [shape, seed] : kFoundFaults) Round(kShapes[shape], seed, 1);
}

class WriterRoundShapeTest : public WriterRoundTest, public ::testing::WithParamInterface<int> {};

TEST_P(WriterRoundShapeTest, EveryStepKeepsTheMarksAndUndoesToTheByte) {
  const int shape = GetParam();
  Round(kShapes[shape], 1000 * (shape + 1), TrialsOfEachShape(30));
}

INSTANTIATE_TEST_SUITE_P(Shapes, WriterRoundShapeTest, ::testing::Range(0, static_cast<int>(std::size(kShapes))));

// ---- The long round -------------------------------------------------------

// A hundred and four pages, a long speech now and then, read from plain
// text as another program wrote it.
std::vector<ElementSpec> HundredPages(std::uint64_t seed) {
  Dice dice(seed);
  std::vector<ElementSpec> out;
  int speeches = 0;
  for (ElementSpec& e : testing::GenerateScreenplay(seed, 104)) {
    if (e.kind == ekDialogue && ++speeches % 9 == 0) e.text = LongSpeech(dice).substr(0, 1400);
    out.push_back(e);
  }
  return out;
}

struct LongShape {
  const char* name;
  const char* family;
  std::function<std::vector<ElementSpec>(std::uint64_t)> elements;
  enum Preparation { Imported, Nothing, NewRevision, FixedAPages } preparation;
  // Trials of the test command (QM_ROUND_TRIALS sets them all).
  int trials;
};

const LongShape kLongShapes[] = {
    {"a hundred pages read from text", "", HundredPages, LongShape::Imported, 5},
    {"stage play with acts", "StagePlay1", testing::ActsOpenedAndEnded, LongShape::Nothing, 14},
    {"sitcom with acts", "SitcomVersionI1", testing::ActsOpenedAndEnded, LongShape::Nothing, 14},
    {"locked, in a new revision with new headers", "", testing::ScreenplayOfFullSpeeches, LongShape::NewRevision, 14},
    {"fixed A-pages in a new revision", "", testing::ScreenplayOfFullSpeeches, LongShape::FixedAPages, 14},
};

// Words a writer types, some of them misspelt for the spell passes.
const char* const kWords[] = {"quietly", "the", "door",    "Sam",    "never",    "again", "JOHN",
                              "rain",    "teh", "recieve", "(beat)", "it. then", "river"};

class WriterLongRoundTest : public WriterRoundTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    WriterFixture::SetUp();
    Driver().OnUnanswered = [confirm = Driver().OnUnanswered](TForm& form) {
      if (auto* spell = dynamic_cast<TSpellCheckingDlg*>(&form)) return AnswerUnknownWord(*spell);
      confirm(form);
    };
  }

  // Text files are read through the converter installed beside the program.
  testing::ScopedEnv path_{"PATH", testing::SearchPathWithConverter()};

  // A writer takes the first suggestion, or skips a word without one.
  static void AnswerUnknownWord(TSpellCheckingDlg& dialog) {
    if (dialog.SuggestList->Items.Count() > 0) {
      dialog.BadWord->Text = dialog.SuggestList->Items[0];
      if (dialog.ReplaceBtn->Enabled) return dialog.ReplaceBtn->Click();
    }
    dialog.SkipBtn->Click();
  }

  // The script of the shape, laid out and prepared, the caret somewhere,
  // with `others` scripts opened after it; it is brought back in front.
  TMDIChild& Fresh(const LongShape& shape, std::uint64_t seed, int others) {
    TMDIChild* w = nullptr;
    if (shape.preparation == LongShape::Imported) {
      Only();
      const std::string file = HomeFile("PAGES" + std::to_string(seed % 1000) + ".TXT");
      testing::WriteFileText(file, testing::ScriptAsPlainText(shape.elements(seed)));
      testing::ChooseFile(Driver(), file, 1);
      MainForm->FileOpenItem->Click();
      w = ActiveScript();
      w->RefreshLayout();
      // Tagged already, as the laid-out shapes are: a command that turns
      // tagging mode on then leaves the flag as Undo finds it.
      w->TaggingUsed = 1;
    } else {
      w = &LayOut(shape.elements(seed), shape.family, true);
      WrapAgain(*w);
    }
    Dice dice(seed ^ 0x5EED);
    if (shape.preparation == LongShape::NewRevision || shape.preparation == LongShape::FixedAPages) {
      if (shape.preparation == LongShape::NewRevision) LockAndRevise(*w);
      else PushOntoAPages(*w, dice);
      StartNewRevision(*w);
    }
    for (int i = 0; i < others; ++i) {
      MainForm->FileNewItem->Click();
      Script().SetFocus();
      TypeText("Another script, number " + std::to_string(i + 2) + ".");
    }
    if (others > 0) MainForm->DocItems[SlotOf(*w) - 1]->Click();
    Dice place(seed);
    CaretAt(*w, PlaceNearBreaks(*w, place), place.Below(40));
    AsRead(*w);
    return *w;
  }

  static int SlotOf(const TMDIChild& w) {
    for (int slot = 1; slot <= DocumentCount; ++slot)
      if (Documents[slot] == &w) return slot;
    return 0;
  }

  TAction ReplaceAll(const char* find, const char* by, bool names) {
    const std::string what = std::string(names ? "Change Character Name " : "Replace All ") + find + " by " + by;
    return {what, [this, find, by, names] {
              Driver().Expect([this, find, by](TForm& form) {
                auto* dialog = dynamic_cast<TSearchingDlg*>(&form);
                if (!dialog) return testing::ConfirmForm(form, Asked);
                dialog->SearchText->Text = std::string(find);
                dialog->ReplaceText->Text = std::string(by);
                dialog->ReplaceTextChange(nullptr);
                if (dialog->PromptBox) dialog->PromptBox->SetChecked(false);
                dialog->OKBtn->Click();
              });
              Run(names ? "ChangeCharacterName1" : "SearchandReplaceItem");
              Driver().Clear();
            }};
  }

  // One random step of a writer: the actions it takes.
  TActions Step(Dice& dice) {
    TActions out;
    const int pick = dice.Below(100);
    if (pick < 16) {
      Type(std::string(kWords[dice.Below(static_cast<int>(std::size(kWords)))]) + " ", out);
    } else if (pick < 30) {
      CaretRun(dice, dice.Chance(30) ? 100 + dice.Below(200) : 5 + dice.Below(40), out);
    } else if (pick < 35) {
      out.push_back(Key("Enter", VK_RETURN));
    } else if (pick < 40) {
      out.push_back(Key("Backspace", VK_BACK));
    } else if (pick < 43) {
      out.push_back(Key("Delete", VK_DELETE));
    } else if (pick < 47) {
      out.push_back(Key("Tab", VK_TAB));
    } else if (pick < 49) {
      out.push_back(Key("Shift+Tab", VK_TAB, TShiftState(ssShift)));
    } else if (pick < 56) {
      MarkLines(1 + dice.Below(6), out);
      switch (dice.Below(6)) {
        case 0: out.push_back(Key("Delete", VK_DELETE)); break;
        case 1: out.push_back(Key("Tab", VK_TAB)); break;
        case 2: Type("gone ", out); break;
        case 3: out.push_back(Key("Ctrl+F1", VK_F1, TShiftState(ssCtrl))); break;
        case 4: out.push_back(Command("CutItem")); break;
        default: out.push_back(Key("Enter", VK_RETURN)); break;
      }
    } else if (pick < 60) {
      // A block moved: cut, carried some lines on and pasted there.
      MarkLines(1 + dice.Below(5), out);
      out.push_back(Command("CutItem"));
      CaretRun(dice, 3 + dice.Below(30), out);
      out.push_back(Command("PasteItem"));
    } else if (pick < 63) {
      out.push_back(Command("AddForcedPageBreakItem"));
    } else if (pick < 66) {
      out.push_back(Command("RemoveForcedPageItem"));
    } else if (pick < 70) {
      static const char* const passes[] = {"SpellScriptItem", "SpellForwardsItem", "SpellPageItem", "SpellElementItem"};
      out.push_back(Command(passes[dice.Below(4)]));
    } else if (pick < 73) {
      out.push_back(ReplaceAll("the", "a", false));
    } else if (pick < 75) {
      out.push_back(ReplaceAll("SARAH", "SALLY", true));
    } else if (pick < 77) {
      out.push_back({"Ctrl+T, CUT TO:", [this] {
                       ChooseFromMenu("CUT TO:");
                       SendKey('T', TShiftState(ssCtrl));
                       Driver().Clear();
                     }});
    } else if (pick < 79) {
      out.push_back(Key("Ctrl+S", 'S', TShiftState(ssCtrl)));
    } else if (pick < 80) {
      out.push_back(Key("Ctrl+Alt+Minus", VK_OEM_MINUS, TShiftState(ssCtrl | ssAlt)));
    } else if (pick < 92) {
      const std::vector<std::string> names = Commands();
      out.push_back(Command(names[static_cast<std::size_t>(dice.Below(static_cast<int>(names.size())))]));
    } else {
      out.push_back({"pause", [] {}});
    }
    return out;
  }

  // One trial; what went wrong, in words, or empty.
  std::string Trial(const LongShape& shape, std::uint64_t seed) {
    Dice dice(seed);
    // Two or three scripts open, this one in front though opened first.
    const int others = 1 + dice.Below(2);
    TMDIChild& w = Fresh(shape, seed, others);
    testing::UndoHistory history([this, &w] { return Judged(w); }, [this] { return Undo(); },
                                 [this] { return Redo(); });
    // A script read from text carries the marks its text gave; one whose
    // marks follow the rule keeps them so.
    if (testing::WrongMarks(w).empty()) history.Check = [&w] { return testing::WrongMarks(w); };
    history.Start();
    const auto reach = testing::UndoHistory::Reach::AnyStandingChange;
    // The changes made, a word typed counted once, stay within the ring.
    int changes = 0;
    const int steps = 15 + dice.Below(26);
    for (int i = 0; i < steps && changes < 18; ++i) {
      bool changed = false;
      for (const TAction& action : Step(dice)) {
        Asked = 0;
        w.SetFocus();
        std::string wrong;
        if (action.quiet) {
          const std::uint64_t before = Fingerprint(w);
          wrong = history.Act(action.what, action.act, [&w, before] { return Fingerprint(w) != before; });
        } else {
          wrong = history.Act(action.what, action.act);
        }
        if (!wrong.empty()) return "after " + history.Done() + "wrong marks:" + wrong;
        // A command that opened or closed a script ends the trial.
        if (ActiveScript() != &w || DocumentCount != 1 + others) return {};
        changed = changed || history.LastActionChanged();
        if (history.LastActionChanged() && !action.goesOn) ++changes;
      }
      if (!changed) continue;
      if (std::string fault = history.UndoThenRedo(reach); !fault.empty()) return fault;
    }
    return history.UndoToStart(reach);
  }

  void Round(const LongShape& shape, int firstSeed, int trials) {
    RunTrials(shape.name, firstSeed, trials, [&](std::uint64_t seed) { return Trial(shape, seed); });
  }
};

TEST_P(WriterLongRoundTest, EveryChangeIsOneUndoAwayAndUndoGoesBackToTheStart) {
  const int shape = GetParam();
  Round(kLongShapes[shape], 20000 + 1000 * shape, TrialsOfEachShape(kLongShapes[shape].trials));
}

// Long trials that once found a fault (shape, seed).
const std::pair<int, int> kLongFoundFaults[] = {
    {0, 20013}, {0, 20099}, {1, 21159}, {1, 21606}, {2, 22114}, {2, 22116}, {2, 22201},
    {2, 22224}, {3, 23145}, {4, 24177}, {4, 24210}, {1, 22508}, {1, 22618},
};

using WriterLongFaultTest = WriterLongRoundTest;
TEST_F(WriterLongFaultTest, TheTrialsThatOnceFoundAFaultStayMended) {
  for (const auto& [shape, seed] : kLongFoundFaults) Round(kLongShapes[shape], seed, 1);
}

INSTANTIATE_TEST_SUITE_P(Shapes, WriterLongRoundTest, ::testing::Range(0, static_cast<int>(std::size(kLongShapes))));

}  // namespace
}  // namespace qm

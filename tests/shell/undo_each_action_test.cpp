// One action, one Undo, as the writer meets it: a key, a menu command or a
// click that changed the script is taken back by one Undo, whole (its
// marks, page headers, formats and settings included) and never more than
// it; Undo is never refused while a change stands; caret moves between
// the edits, however many, take no Undo of their own; and Redo gives back
// exactly what the action made. Each case is a writer's own sequence on a
// script of the shape it needs.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/document_table.h"
#include "files/undo_ring.h"
#include "formats/script_locking.h"
#include "language/bookmarks_dialog.h"
#include "language/spelling/spell_check_dialog.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "platform/office_button.h"
#include "platform/user_action.h"
#include "script/editing/editor_calls.h"
#include "script/editing/element_transitions.h"
#include "script/model/cue_codes.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/continued_rule.h"
#include "support/message_box_answers.h"
#include "support/mouse_input.h"
#include "support/undo_history.h"
#include "support/writer_fixture.h"

namespace qm {
namespace {

using testing::ElementSpec;
using testing::UndoHistory;
using Dice = testing::SeededRandom;

class UndoEachActionTest;

// One case's run: the actions and Undos of the writer, the first fault
// kept.
class Writer {
 public:
  Writer(UndoEachActionTest& t, TMDIChild& w);

  Writer& Do(const std::string& what, const std::function<void()>& action) {
    if (fault_.empty()) fault_ = history_.Act(what, action);
    return *this;
  }
  Writer& Key(const std::string& what, Word key, TShiftState shift = {}, int times = 1) {
    return Do(what, [key, shift, times] {
      for (int i = 0; i < times; ++i) SendKey(key, shift);
    });
  }
  // Each key press is an action of its own.
  Writer& Keys(const std::string& what, Word key, int times, TShiftState shift = {}) {
    for (int i = 0; i < times && fault_.empty(); ++i) Key(what, key, shift);
    return *this;
  }
  Writer& Type(const std::string& text) {
    return Do("type \"" + text + "\"", [text] { TypeText(text); });
  }
  Writer& Command(const std::string& name);
  // By default one Undo may take back a run of changes the program counts
  // as one step (words typed, then Enter): never a part of one action.
  Writer& Undo(UndoHistory::Reach reach = UndoHistory::Reach::AnyStandingChange) {
    if (fault_.empty()) fault_ = history_.Undo(reach);
    return *this;
  }
  // Undo taking back the newest change alone.
  Writer& UndoNewest() { return Undo(UndoHistory::Reach::NewestChange); }
  Writer& Redo() {
    if (fault_.empty()) fault_ = history_.Redo();
    return *this;
  }
  Writer& UndoToStart(UndoHistory::Reach reach = UndoHistory::Reach::AnyStandingChange) {
    if (fault_.empty()) fault_ = history_.UndoToStart(reach);
    return *this;
  }
  // The newest action must have changed the script (else the case proves
  // nothing).
  Writer& Changed() {
    if (fault_.empty() && !history_.LastActionChanged())
      fault_ = "after " + history_.Done() + "the last action changed nothing (the case is wrong)";
    return *this;
  }
  Writer& Expect(bool holds, const std::string& what) {
    if (fault_.empty() && !holds) fault_ = "after " + history_.Done() + what;
    return *this;
  }
  const std::string& Fault() const { return fault_; }

 private:
  UndoEachActionTest& t_;
  UndoHistory history_;
  std::string fault_;
  std::string marksAsLeft_;
};

// ---- The scripts ----------------------------------------------------------

// Twenty pages of a generated screenplay.
std::vector<ElementSpec> TwentyPages() { return testing::GenerateScreenplay(85, 20); }

// Two words the engine does not know, some elements apart, among sentences
// already spaced and capitalised.
const std::vector<ElementSpec> kMisspelt = {
    {ekSceneHeading, "INT. KITCHEN - DAY"},
    {ekAction, "They recieve the letter.  Nobody speaks."},
    {ekCharacterName, "ANNA"},
    {ekDialogue, "Open it.  Now."},
    {ekCharacterName, "BEN"},
    {ekDialogue, "Not yet."},
    {ekAction, "The rain starts.  He waits."},
    {ekCharacterName, "ANNA"},
    {ekDialogue, "You recieve nothing from me."},
    {ekAction, "She leaves."},
};

class UndoEachActionTest : public testing::WriterFixture {
 public:
  void SetUp() override {
    WriterFixture::SetUp();
    Driver().OnUnanswered = [confirm = Driver().OnUnanswered](TForm& form) {
      // A writer takes the engine's first suggestion for an unknown word.
      if (auto* spell = dynamic_cast<TSpellCheckingDlg*>(&form); spell && spell->SuggestList->Items.Count() > 0) {
        spell->BadWord->Text = spell->SuggestList->Items[0];
        spell->ReplaceBtn->Click();
        return;
      }
      confirm(form);
    };
  }

  using WriterFixture::ActionNear;
  using WriterFixture::AsRead;
  using WriterFixture::CancelEverything;
  using WriterFixture::ChooseFromMenu;
  using WriterFixture::Driver;
  using WriterFixture::Options;

  void RunCommand(const std::string& name) { Run(name); }

  // The script laid out as read from its file, names marked by the rule.
  TMDIChild& Read(const std::vector<ElementSpec>& elements, const char* family = "") {
    TMDIChild& w = LayOut(elements, family, true);
    WrapAgain(w);
    AsRead(w);
    return w;
  }
  // Locked with lines revised (or A-pages), saved, then in a new revision
  // with the headers of the day changed.
  TMDIChild& InNewRevision(TMDIChild& w, bool aPages) {
    Dice dice(85);
    if (aPages) PushOntoAPages(w, dice);
    else LockAndRevise(w);
    StartNewRevision(w);
    AsRead(w);
    return w;
  }

  // The caret into the element, at a column, the script in front.
  void At(TMDIChild& w, TScriptElement* e, int column) {
    ASSERT_NE(e, nullptr) << "the script holds what the case needs";
    CaretAt(w, e, column);
    w.SetFocus();
  }

  static TScriptElement* First(TMDIChild& w, const std::function<bool(TMDIChild&, TScriptElement&)>& fits,
                               TScriptElement* from = nullptr) {
    for (TScriptElement* e = from ? from : w.FirstElement; e; e = e->next)
      if (fits(w, *e)) return e;
    return nullptr;
  }
  // A speech that runs over a page break.
  static TScriptElement* SpeechOverABreak(TMDIChild& w) {
    return First(w, [](TMDIChild&, TScriptElement& e) {
      return e.Kind() == ekDialogue && e.next && e.next->Kind() == ekAutoPageBreak && e.next->split % 3 == 1;
    });
  }
  // An element just before an automatic page break that cuts nothing.
  static TScriptElement* AboveABreak(TMDIChild& w) {
    return First(w, [](TMDIChild&, TScriptElement& e) {
      return e.Kind() == ekAction && e.next && e.next->Kind() == ekAutoPageBreak && e.next->split % 3 == 0 && e.prev &&
             e.prev->Kind() == ekAction;
    });
  }
  // The first element of a fixed A-page.
  static TScriptElement* OnAFixedAPage(TMDIChild& w) {
    return First(w, [](TMDIChild&, TScriptElement& e) {
      return !IsPageBreakKind(e.Kind()) && e.prev && e.prev->Kind() == ekFixedAPageBreak;
    });
  }
  static TScriptElement* Speech(TMDIChild& w, std::size_t longerThan = 60) {
    return First(w, [longerThan](TMDIChild& w, TScriptElement& e) {
      return e.Kind() == ekDialogue && LiveElementText(w, e).size() > longerThan &&
             !(e.prev && e.prev->Kind() == ekAutoPageBreak);
    });
  }
  static TScriptElement* Cue(TMDIChild& w, const std::string& name) {
    return First(w, [&name](TMDIChild& w, TScriptElement& e) {
      return e.Kind() == ekCharacterName && LiveElementText(w, e) == name && !IsRepeatedByBreak(e);
    });
  }
  // The last element of the scene holding the most lines.
  static TScriptElement* EndOfLongestScene(TMDIChild& w) {
    TScriptElement* best = nullptr;
    int bestLines = 0, lines = 0;
    for (TScriptElement* e = w.FirstElement; e; e = e->next) {
      if (e->Kind() == ekSceneHeading) lines = 0;
      lines += e->lineCount;
      const bool last = !e->next || e->next->Kind() == ekSceneHeading;
      if (last && lines > bestLines && !IsPageBreakKind(e->Kind())) best = e, bestLines = lines;
    }
    return best;
  }

  void ClickButton(const char* name) {
    auto* b = dynamic_cast<TOfficeButton*>(MainForm->FindComponent(name));
    ASSERT_NE(b, nullptr) << name;
    b->Click();
  }

  // The first name of the script's own (none a break repeats) from an
  // element on.
  static TScriptElement* OwnName(TMDIChild& w, TScriptElement* from = nullptr) {
    return First(
        w, [](TMDIChild&, TScriptElement& e) { return e.Kind() == ekCharacterName && !IsRepeatedByBreak(e); }, from);
  }
  // The element that many after (before, when negative) another; none
  // past either end.
  static TScriptElement* Later(TScriptElement* e, int by) {
    for (; e && by > 0; --by) e = e->next;
    for (; e && by < 0; ++by) e = e->prev;
    return e;
  }
  static int OmittedHeadings(TMDIChild& w) {
    int omitted = 0;
    for (TScriptElement* e = w.FirstElement; e; e = e->next)
      if (IsSceneHeading(e->Kind()) && IsOmittedHeading(w, *e)) ++omitted;
    return omitted;
  }

  // Pressed where one column of an element shows, moved and let go where
  // another's does.
  static void MouseDrag(TMDIChild& w, const TScriptElement& from, int fromColumn, const TScriptElement& to,
                        int toColumn) {
    const std::optional<TPoint> press = testing::ScreenPointOf(w, from, fromColumn);
    const std::optional<TPoint> release = testing::ScreenPointOf(w, to, toColumn);
    ASSERT_TRUE(press && release) << "both ends of the drag are on the screen";
    testing::SendMouse(w, WM_LBUTTONDOWN, testing::MouseLeft, *press);
    testing::SendMouse(w, WM_MOUSEMOVE, testing::MouseLeft, *release);
    testing::SendMouse(w, WM_LBUTTONUP, 0, *release);
  }

  static TBookmarkDlg& BookmarkWindow() {
    if (!BookmarkDialog()) ShowBookmarks();
    return *BookmarkDialog();
  }

  testing::ScriptShot Shot(TMDIChild& w) { return Settled(w); }
  bool UndoCommand() { return Undo(); }
  bool RedoCommand() { return Redo(); }
};

Writer::Writer(UndoEachActionTest& t, TMDIChild& w)
    : t_(t),
      history_(
          [this, &t, &w] {
            // The marks are judged as the key left them too: the writer sees
            // them before any layout.
            marksAsLeft_ = testing::WrongMarks(w);
            return t.Shot(w);
          },
          [&t] { return t.UndoCommand(); }, [&t] { return t.RedoCommand(); }) {
  history_.Check = [this, &w] {
    if (!marksAsLeft_.empty()) return " as the key left them:" + marksAsLeft_;
    return testing::WrongMarks(w);
  };
  history_.Start();
}

Writer& Writer::Command(const std::string& name) {
  return Do(name, [this, name] { t_.RunCommand(name); });
}

struct ActionCase {
  const char* name;
  std::function<void(UndoEachActionTest&)> run;
};
void PrintTo(const ActionCase& c, std::ostream* out) { *out << c.name; }

class UndoEachActionCaseTest : public UndoEachActionTest, public ::testing::WithParamInterface<ActionCase> {};

TEST_P(UndoEachActionCaseTest, OneUndoTakesBackTheWholeActionAndNothingElse) {
  GetParam().run(*this);
  EXPECT_EQ(Driver().Pending(), 0) << "every answer prepared was asked for";
}

// Runs the writer's sequence on w; a fault fails the case.
void Expect(UndoEachActionTest& t, TMDIChild& w,
            const std::function<void(UndoEachActionTest&, TMDIChild&, Writer&)>& seq) {
  Writer writer(t, w);
  seq(t, w, writer);
  EXPECT_EQ(writer.Fault(), "");
}

// clang-format off
const ActionCase kCaretMoves[] = {
    {"WordsThenDown250", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(TwentyPages());
       t.At(w, t.ActionNear(w, 6), 0);
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Type("river ").Changed().Keys("Down", VK_DOWN, 250).Undo().Redo().Undo();
       });
     }},
    {"WordsThenDown150", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(TwentyPages());
       t.At(w, t.ActionNear(w, 6), 0);
       Expect(t, w, [](auto&, auto&, Writer& a) { a.Type("river ").Changed().Keys("Down", VK_DOWN, 150).Undo(); });
     }},
    // Each edit made elsewhere, after the caret moved there, is its own
    // step, and never swallows the other.
    {"WordsInThreePlacesFarApart", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(TwentyPages());
       t.At(w, t.ActionNear(w, 6), 0);
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Type("river ").Keys("Down", VK_DOWN, 120).Type("stone ").Keys("Page Up", VK_PRIOR, 30)
             .Keys("Right", VK_RIGHT, 40).Type("field ").Keys("Up", VK_UP, 60)
             .UndoToStart(UndoHistory::Reach::NewestChange);
       });
     }},
    {"BackspacesThenUpAndDown", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(TwentyPages());
       t.At(w, t.ActionNear(w, 30), 12);
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Keys("Backspace", VK_BACK, 3).Changed().Keys("Up", VK_UP, 80).Keys("Down", VK_DOWN, 200)
             .Keys("Ctrl+Down", VK_DOWN, 30, TShiftState(ssCtrl)).Undo();
       });
     }},
};

const ActionCase kOneActionOneStep[] = {
    // The letters after the one that replaced the block go on as typing.
    {"AWordTypedOverABlockAcrossElements", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.At(w, t.Speech(w), 0);
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Keys("Shift+Down", VK_DOWN, 4, TShiftState(ssShift)).Type("gone ").Changed().Undo().Redo().Undo();
       });
     }},
    {"ShiftDownFiveTimesThenTabInALongSpeech", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.At(w, t.Speech(w, 800), 0);
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Keys("Shift+Down", VK_DOWN, 5, TShiftState(ssShift)).Key("Tab", VK_TAB).Changed().Undo().Redo().Undo();
       });
     }},
    {"SelectAllThenTab", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.At(w, t.ActionNear(w, 10), 3);
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Command("SelectAllItem").Key("Tab", VK_TAB).Changed().Undo().Redo().Undo();
       });
     }},
    {"SelectAllThenTabOnALockedScript", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.RunCommand("LockScriptItem");
       t.AsRead(w);
       t.At(w, t.ActionNear(w, 10), 3);
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Command("SelectAllItem").Key("Tab", VK_TAB).Changed().Undo().Redo().Undo();
       });
     }},
    {"CtrlF1OnABlock", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.At(w, t.ActionNear(w, 20), 0);
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Keys("Shift+Down", VK_DOWN, 6, TShiftState(ssShift)).Key("Ctrl+F1", VK_F1, TShiftState(ssCtrl))
             .Changed().Undo().Redo().Undo();
       });
     }},
    {"CtrlTInsideASpeech", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.At(w, t.Speech(w), 14);
       t.ChooseFromMenu("CUT TO:");
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Key("Ctrl+T", 'T', TShiftState(ssCtrl)).Changed().Undo().Redo().Undo();
       });
     }},
    {"CtrlSInsideASpeech", [](UndoEachActionTest& t) {
       t.Options().UseQuickType = false;
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.At(w, t.Speech(w), 14);
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Key("Ctrl+S", 'S', TShiftState(ssCtrl)).Changed().Undo().Redo().Undo();
       });
     }},
    {"CtrlSWithItsQuickChoicesInsideASpeech", [](UndoEachActionTest& t) {
       t.Options().UseQuickType = true;
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.At(w, t.Speech(w), 14);
       t.ChooseFromMenu();
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Key("Ctrl+S, its first choice", 'S', TShiftState(ssCtrl)).Changed().Undo().Redo().Undo();
       });
     }},
    {"TheScButtonInsideASpeech", [](UndoEachActionTest& t) {
       t.Options().UseQuickType = false;
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.At(w, t.Speech(w), 14);
       Expect(t, w, [&t](auto&, auto&, Writer& a) {
         a.Do("the Sc button", [&t] { t.ClickButton("SceneHeadingBtn"); }).Changed().Undo().Redo().Undo();
       });
     }},
    {"TheSceneHeadingButtonWithItsQuickChoicesInsideASpeech", [](UndoEachActionTest& t) {
       t.Options().UseQuickType = true;
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.At(w, t.Speech(w), 14);
       t.ChooseFromMenu();
       Expect(t, w, [&t](auto&, auto&, Writer& a) {
         a.Do("the Sc button, its first choice", [&t] { t.ClickButton("SceneHeadingBtn"); }).Changed().Undo().Redo()
             .Undo();
       });
     }},
    // The key that answers the question to show hidden elements again:
    // showing them and its change are one step.
    {"EndOfActFromTheHeadingButtonWithActionHidden", [](UndoEachActionTest& t) {
       t.Options().UseQuickType = true;
       TMDIChild& w = t.Read(testing::ActsOpenedAndEnded(85), "StagePlay1");
       t.At(w, t.ActionNear(w, 10), 0);
       t.RunCommand("HideActionItem");
       Expect(t, w, [&t](auto&, TMDIChild& w, Writer& a) {
         a.Expect(w.HiddenKinds != 0, "Action is hidden")
             .Do("the Sc button, <End of Act Info>", [&t] {
                t.ChooseFromMenu("<End of Act Info>");
                t.ClickButton("SceneHeadingBtn");
              })
             .Changed().Expect(w.HiddenKinds == 0, "the answer showed Action again")
             .UndoNewest().Expect(w.HiddenKinds != 0, "one Undo hides Action again").Redo().UndoNewest();
       });
     }},
};

const ActionCase kNeverRefused[] = {
    // Storing trims a stage direction's end to nothing and keeps a blank:
    // the caret passing through one that holds only what storing trims is
    // no change, so the word typed before is the next Undo's.
    {"TheCaretThroughAStageDirectionStoringEmpties", [](UndoEachActionTest& t) {
       std::vector<ElementSpec> script = testing::ActsOpenedAndEnded(85);
       script.insert(script.begin() + 12, ElementSpec{ekAction, "\x04"});
       TMDIChild& w = t.Read(script, "StagePlay1");
       ASSERT_FALSE(w.StoringTrims(*t.ActionNear(w, 12)).empty()) << "storing trims a stage direction's end";
       t.At(w, t.ActionNear(w, 30), 0);
       Expect(t, w, [&t](auto&, TMDIChild& w, Writer& a) {
         a.Type("river ").Changed()
             .Do("caret through the stage direction", [&t, &w] {
                t.At(w, t.ActionNear(w, 12), 0);
                SendKey(VK_DOWN);
              })
             .Undo()
             .Expect(LiveElementText(w, *t.ActionNear(w, 30)).find("iver ") == std::string::npos,
                     "one Undo takes the word back");
       });
     }},
    // A script that opens with a page break keeps an empty line before it;
    // Enter there offers a heading, and Nevermind takes the line away, as
    // the next layout gives it back: nothing the writer can undo, so the
    // word typed before is the next Undo's.
    {"EnterAndNevermindOnTheEmptyLineBeforeAPageBreakAtTheStart", [](UndoEachActionTest& t) {
       std::vector<ElementSpec> script{{ekForcedPageBreak, " "}};
       for (const ElementSpec& e : TwentyPages()) script.push_back(e);
       TMDIChild& w = t.Read(script);
       t.At(w, t.ActionNear(w, 10), 0);
       Expect(t, w, [&t](auto&, TMDIChild& w, Writer& a) {
         a.Type("still ").Changed()
             .Do("caret to the first line", [&t, &w] { t.At(w, w.FirstElement, 0); })
             .Expect(w.CurrentElement()->next->Kind() == ekForcedPageBreak, "the caret is before the page break")
             .Do("Enter, Nevermind", [&t] {
                t.ChooseFromMenu("Nevermind...");
                SendKey(VK_RETURN);
              })
             .UndoNewest();
       });
     }},
    {"StagePlayBeatTypedThenABlockCutAcrossAScene", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ActsOpenedAndEnded(85), "StagePlay1");
       TScriptElement* end = t.EndOfLongestScene(w);
       t.At(w, end, static_cast<int>(LiveElementText(w, *end).size()));
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Keys("Up", VK_UP, 39).Type("(beat) ").Changed().Undo().Redo()
             .Command("NextSceneItem").Keys("Shift+Down", VK_DOWN, 3, TShiftState(ssShift)).Command("CutItem")
             .Changed().Keys("Down", VK_DOWN, 25).UndoNewest().Undo();
       });
     }},
    {"SitcomTabInASpeechThenGoToPage", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ActsOpenedAndEnded(85), "SitcomVersionI1");
       t.At(w, t.Speech(w), 9);
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Key("Tab", VK_TAB).Changed().Command("GotoPageItem").Keys("Down", VK_DOWN, 22).UndoToStart();
       });
     }},
    {"CutOfARevisedLineInANewRevision", [](UndoEachActionTest& t) {
       TMDIChild& w = t.InNewRevision(t.Read(testing::ScreenplayOfFullSpeeches(85)), false);
       t.At(w, t.ActionNear(w, 60), 0);
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Type("again ").Changed().Key("Home", VK_HOME).Key("Shift+Down", VK_DOWN, TShiftState(ssShift))
             .Command("CutItem").Changed().UndoNewest().Redo().UndoNewest().Undo();
       });
     }},
    {"DeleteOfARevisedLineInANewRevision", [](UndoEachActionTest& t) {
       TMDIChild& w = t.InNewRevision(t.Read(testing::ScreenplayOfFullSpeeches(85)), false);
       t.At(w, t.ActionNear(w, 60), 0);
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Type("again ").Changed().Key("Home", VK_HOME).Key("Shift+Down", VK_DOWN, TShiftState(ssShift))
             .Command("DeleteItem").Changed().UndoNewest().Redo().UndoNewest().Undo();
       });
     }},
    {"CutOfABlockOnALockedScript", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.RunCommand("LockScriptItem");
       t.AsRead(w);
       t.At(w, t.ActionNear(w, 40), 0);
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Type("first ").Keys("Down", VK_DOWN, 12).Keys("Shift+Down", VK_DOWN, 4, TShiftState(ssShift))
             .Command("CutItem").Changed().UndoNewest().Undo();
       });
     }},
    {"SpellEntireScriptCorrectingTwoWordsApart", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(kMisspelt);
       t.At(w, w.LastElement, 0);
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Type("Then ").Command("SpellScriptItem").Changed().UndoNewest().Redo().UndoNewest().Undo();
       });
     }},
    {"SpellEntireScriptWithABlockMarked", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(kMisspelt);
       t.At(w, w.FirstElement->next->next, 0);
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Key("Shift+Down twice", VK_DOWN, TShiftState(ssShift), 2).Command("SpellScriptItem").Changed().Undo()
             .Redo().Undo();
       });
     }},
    {"ColumnsTabsAndHeadingKeysOnAFixedAPage", [](UndoEachActionTest& t) {
       t.Options().UseQuickType = false;
       struct Edit {
         const char* what;
         std::function<void(UndoEachActionTest&)> act;
       };
       const Edit edits[] = {
           {"Left Column", [](auto& t) { t.RunCommand("LeftColumnItem"); }},
           {"Right Column", [](auto& t) { t.RunCommand("RightColumnItem"); }},
           {"Tab", [](auto&) { SendKey(VK_TAB); }},
           {"Shift+Tab", [](auto&) { SendKey(VK_TAB, TShiftState(ssShift)); }},
           {"Ctrl+E", [](auto&) { SendKey('E', TShiftState(ssCtrl)); }},
           {"Ctrl+I", [](auto&) { SendKey('I', TShiftState(ssCtrl)); }},
           {"Ctrl+S", [](auto&) { SendKey('S', TShiftState(ssCtrl)); }},
       };
       for (const Edit& edit : edits) {
         SCOPED_TRACE(edit.what);
         TMDIChild& w = t.InNewRevision(t.Read(testing::ScreenplayOfFullSpeeches(85)), true);
         ASSERT_NE(t.OnAFixedAPage(w), nullptr) << "the new revision fixed an A-page";
         t.At(w, t.ActionNear(w, 8), 0);
         Expect(t, w, [&t, &edit](auto&, auto&, Writer& a) {
           a.Type("early ").Command("NextAPageitem")
               .Do(edit.what, [&t, &edit] { edit.act(t); }).Changed().UndoNewest().Redo().UndoNewest().Undo();
         });
       }
     }},
    {"TabOnABlockAboveAPageBreakAfterUndoAndRedo", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.At(w, t.ActionNear(w, 4), 0);
       Expect(t, w, [&t](auto&, TMDIChild& w, Writer& a) {
         a.Type("First ").Key("Enter", VK_RETURN).Type("A new line. ").Undo().Redo()
             .Do("to an element above a page break", [&t, &w] { t.At(w, t.AboveABreak(w)->prev, 0); })
             .Keys("Shift+Down", VK_DOWN, 3, TShiftState(ssShift)).Key("Tab", VK_TAB).Changed().UndoToStart();
       });
     }},
    {"RedoAfterTabCutNextSpeechAndDeleteToEndOfLine", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.At(w, t.Speech(w), 9);
       Expect(t, w, [&t](auto&, TMDIChild& w, Writer& a) {
         a.Key("Tab", VK_TAB).Changed()
             .Do("to an element above a page break", [&t, &w] { t.At(w, t.AboveABreak(w), 0); })
             .Keys("Shift+Down", VK_DOWN, 8, TShiftState(ssShift)).Command("CutItem").Changed()
             .Command("NextSpeechItem").Do("to ANNA (O.S.)", [&t, &w] { t.At(w, t.Cue(w, "ANNA (O.S.)"), 4); })
             .Command("DeleteToEolItem").Changed().Undo().Redo().UndoToStart();
       });
     }},
    {"RedoOfTab", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.At(w, t.Speech(w), 9);
       Expect(t, w, [](auto&, auto&, Writer& a) { a.Key("Tab", VK_TAB).Changed().Undo().Redo(); });
     }},
    {"RedoOfACutOfABlockAcrossAPageBreak", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.At(w, t.AboveABreak(w), 0);
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Keys("Shift+Down", VK_DOWN, 8, TShiftState(ssShift)).Command("CutItem").Changed().Undo().Redo();
       });
     }},
    {"RedoOfDeleteToEndOfLineOnANameAfterNextSpeech", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.At(w, w.FirstElement, 0);
       Expect(t, w, [&t](auto&, TMDIChild& w, Writer& a) {
         a.Command("NextSpeechItem").Do("to ANNA (O.S.)", [&t, &w] { t.At(w, t.Cue(w, "ANNA (O.S.)"), 4); })
             .Command("DeleteToEolItem").Changed().Undo().Redo();
       });
     }},
};

const ActionCase kStatesTheScriptHad[] = {
    // A bookmark stays on the element it was set on whatever an Undo puts
    // back before it.
    {"UndoOfAHeadingKeepsABookmarkOnItsElement", [](UndoEachActionTest& t) {
       t.Options().UseQuickType = true;
       TMDIChild& w = t.Read(testing::ActsOpenedAndEnded(85), "StagePlay1");
       t.At(w, w.FirstElement, 0);
       Expect(t, w, [&t](auto&, TMDIChild& w, Writer& a) {
         a.Command("BookmarkItem").Do("Bookmark Set", [] { UndoEachActionTest::BookmarkWindow().SetBtn->Click(); })
             .Do("the Sc button, its first choice", [&t, &w] {
               w.SetFocus();
               t.ChooseFromMenu();
               t.ClickButton("SceneHeadingBtn");
             })
             .Changed().Undo().Do("Bookmark Goto", [] { UndoEachActionTest::BookmarkWindow().GotoBtn->Click(); })
             .Expect(w.CurrentElement() == w.FirstElement, "Goto went to the element the bookmark was set on");
       });
       t.BookmarkWindow().Close();
     }},
    // The element a bookmark rests on deleted, then given back by Undo:
    // the bookmark is on it again.
    {"UndoOfADeletedElementGivesItsBookmarkBack", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(kMisspelt);
       TScriptElement* marked = t.ActionNear(w, 6);
       const std::string text = LiveElementText(w, *marked);
       t.At(w, marked, 0);
       Expect(t, w, [&text](auto&, TMDIChild& w, Writer& a) {
         a.Command("BookmarkItem").Do("Bookmark Set", [] { UndoEachActionTest::BookmarkWindow().SetBtn->Click(); })
             .Do("the bookmark window closed", [&w] {
               UndoEachActionTest::BookmarkWindow().Close();
               w.SetFocus();
             }).Keys("Shift+Down", VK_DOWN, 2, TShiftState(ssShift))
             .Command("DeleteItem").Changed().Undo().Command("BookmarkItem").Do("Bookmark Goto", [] {
               UndoEachActionTest::BookmarkWindow().GotoBtn->Click();
             })
             .Expect(LiveElementText(w, *w.CurrentElement()) == text &&
                         UndoEachActionTest::BookmarkWindow().BookmarkList->Items.Count() == 1,
                     "Goto went to the element given back, the bookmark kept");
       });
       t.BookmarkWindow().Close();
     }},
    // A bookmark set after an edit is the writer's too: the edit's Undo
    // leaves it on its element.
    {"UndoOfAnEditKeepsABookmarkSetSince", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(kMisspelt);
       TScriptElement* marked = t.ActionNear(w, 6);
       const std::string text = LiveElementText(w, *marked);
       t.At(w, w.FirstElement, 0);
       Expect(t, w, [&t, &text, marked](auto&, TMDIChild& w, Writer& a) {
         a.Type("river ").Changed().Do("the caret on another element", [&t, &w, marked] { t.At(w, marked, 0); })
             .Command("BookmarkItem")
             .Do("Bookmark Set", [] { UndoEachActionTest::BookmarkWindow().SetBtn->Click(); })
             .Do("the bookmark window closed", [&w] {
               UndoEachActionTest::BookmarkWindow().Close();
               w.SetFocus();
             })
             .Undo()
             .Command("BookmarkItem")
             .Do("Bookmark Goto", [] { UndoEachActionTest::BookmarkWindow().GotoBtn->Click(); })
             .Expect(UndoEachActionTest::BookmarkWindow().BookmarkList->Items.Count() == 1 &&
                         LiveElementText(w, *w.CurrentElement()) == text,
                     "the bookmark set after the edit kept, Goto on its element");
       });
       t.BookmarkWindow().Close();
     }},
    // A scene typed over on a locked script leaves its heading omitted;
    // a forced break and a word deleted far below are steps of their own,
    // and Redo gives back no heading the script never had.
    {"RedoOfDeleteWordBelowAForcedBreakAfterAnOmittedScene", [](UndoEachActionTest& t) {
       for (const int near : {6, 30, 60}) {
         SCOPED_TRACE(near);
         TMDIChild& w = t.InNewRevision(t.Read(testing::ScreenplayOfFullSpeeches(85)), false);
         t.At(w, t.ActionNear(w, near), 0);
         Expect(t, w, [](auto&, TMDIChild& w, Writer& a) {
           a.Command("SceneSelectItem").Type("river ").Changed()
               .Expect(UndoEachActionTest::OmittedHeadings(w) == 1, "the scene's heading is omitted")
               .Keys("Down", VK_DOWN, 23)
               .Command("LockScriptItem").Keys("Down", VK_DOWN, 30).Command("AddForcedPageBreakItem").Changed()
               .Command("DeleteWordItem").Changed().Undo().Redo();
         });
       }
     }},
    // Locking the marks after a Backspace by a name: Redo gives the name
    // and its speech back as they were, never as the pieces of a break.
    {"RedoOfLockCurrentRevMarksAfterABackspaceByAName", [](UndoEachActionTest& t) {
       struct Place {
         const char* what;
         std::function<TScriptElement*(TMDIChild&)> element;
         int column;  // -1: its end
       };
       // On a locked script the breaks that cut speeches are locked ones.
       const auto cutSpeech = [](TMDIChild& w) {
         return UndoEachActionTest::First(w, [](TMDIChild&, TScriptElement& e) {
           return e.Kind() == ekDialogue && e.next && IsPageBreakKind(e.next->Kind()) && e.next->split == spFirstPiece;
         });
       };
       // The piece after the break, under the name the break repeated.
       const auto carried = [cutSpeech](TMDIChild& w) -> TScriptElement* {
         TScriptElement* cue = UndoEachActionTest::Later(cutSpeech(w), 2);
         return cue && IsRepeatedByBreak(*cue) ? cue->next : nullptr;
       };
       const Place places[] = {
           {"the start of a name", [](TMDIChild& w) { return UndoEachActionTest::OwnName(w); }, 0},
           {"the end of a name", [](TMDIChild& w) { return UndoEachActionTest::OwnName(w); }, -1},
           {"the start of the speech after a name",
            [](TMDIChild& w) { return UndoEachActionTest::Later(UndoEachActionTest::OwnName(w), 1); }, 0},
           {"the start of a name whose speech a break cuts",
            [cutSpeech](TMDIChild& w) { return UndoEachActionTest::Later(cutSpeech(w), -1); }, 0},
           {"the start of a speech a break cuts", cutSpeech, 0},
           {"the start of the piece a break carried over", carried, 0},
           {"the start of the name after a speech a break cuts",
            [carried](TMDIChild& w) { return carried(w) ? UndoEachActionTest::OwnName(w, carried(w)) : nullptr; }, 0},
       };
       for (const Place& place : places) {
         SCOPED_TRACE(place.what);
         TMDIChild& w = t.InNewRevision(t.Read(testing::ScreenplayOfFullSpeeches(85)), false);
         TScriptElement* e = place.element(w);
         ASSERT_NE(e, nullptr);
         t.At(w, e, place.column < 0 ? static_cast<int>(LiveElementText(w, *e).size()) : place.column);
         Expect(t, w, [](auto&, auto&, Writer& a) {
           a.Key("Backspace", VK_BACK).Changed().Command("LockRevMarksItem").Changed().Undo().Redo();
         });
       }
     }},
    // Whether steps join follows the program's rule alone: a drag and drop
    // by a heading just made is its own step, with or without the bookmark
    // window used in between.
    {"ADragByAHeadingJustMadeIsItsOwnStepWhateverWindowWasUsed", [](UndoEachActionTest& t) {
       // Tall enough that the drag's two ends are on the screen.
       MainForm->SetBounds(0, 0, MainForm->Width(), 4000);
       for (const bool bookmarks : {false, true}) {
         for (const bool quick : {false, true}) {
           SCOPED_TRACE(std::string(quick ? "Ctrl+S, its first choice" : "the Sc button") +
                        (bookmarks ? ", the bookmark window" : ""));
           t.Options().UseQuickType = quick;
           TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
           w.SetBounds(0, 0, w.Width(), 3800);
           t.At(w, t.Speech(w), 14);
           Expect(t, w, [&t, bookmarks, quick](auto&, TMDIChild& w, Writer& a) {
             a.Do("a heading", [&t, quick] {
                if (!quick) return t.ClickButton("SceneHeadingBtn");
                t.ChooseFromMenu();
                SendKey('S', TShiftState(ssCtrl));
              }).Changed();
             if (bookmarks)
               a.Command("BookmarkItem").Do("the bookmark window closed", [&w] {
                 UndoEachActionTest::BookmarkWindow().Close();
                 w.SetFocus();
               });
             // The rest of the speech, under its name again after the heading.
             TScriptElement* rest = w.CurrentElement()->next->next;
             ASSERT_EQ(rest->Kind(), ekDialogue);
             a.Do("a word marked with the mouse", [&w, rest] { UndoEachActionTest::MouseDrag(w, *rest, 2, *rest, 8); })
                 .Do("the word dragged further into the speech",
                     [&w, rest] { UndoEachActionTest::MouseDrag(w, *rest, 4, *rest, 20); })
                 .Changed().UndoNewest().Redo();
           });
         }
       }
     }},
    // A name typed over with the list of names up, the list closed by
    // Escape or by taking its entry: one Undo takes it all back, the new
    // speech's line made before a parenthetical too, and no state has a
    // name marked that the rule does not mark.
    {"ANameTypedOverWithThePickListUpThenClosed", [](UndoEachActionTest& t) {
       const std::vector<ElementSpec> turns = {
           {ekSceneHeading, "INT. KITCHEN - DAY"},
           {ekCharacterName, "ANNA"},
           {ekDialogue, "Open it."},
           {ekCharacterName, "BEN"},
           {ekParenthetical, "quietly"},
           {ekDialogue, "Not yet."},
           {ekCharacterName, "ANNA"},
           {ekParenthetical, "sotto"},
           {ekDialogue, "Now."},
           {ekCharacterName, "BEN"},
           {ekDialogue, "No."},
           {ekAction, "She leaves."},
       };
       // Each letter one another name begins with.
       const struct {
         int name;
         const char* letter;
       } picks[] = {{0, "b"}, {1, "a"}, {2, "a"}, {2, "b"}, {3, "a"}};
       for (const auto& pick : picks) {
         for (const bool escape : {true, false}) {
           SCOPED_TRACE(std::to_string(pick.name) + " " + pick.letter + (escape ? ", Escape" : ", Enter"));
           TMDIChild& w = t.Read(turns);
           TScriptElement* cue = t.OwnName(w);
           for (int i = 0; i < pick.name; ++i) cue = t.OwnName(w, cue->next);
           const testing::ScriptShot start = t.Shot(w);
           Expect(t, w, [&t, &start, cue, &pick, escape](auto&, TMDIChild& w, Writer& a) {
             a.Do("a click on the name", [&t, &w, cue] {
                const TUserAction click;
                t.At(w, cue, 0);
              })
                 .Key("Shift+End", VK_END, TShiftState(ssShift))
                 .Type(pick.letter)
                 .Expect(PickListShowing(), "the list of names is up")
                 .Key(escape ? "Escape" : "Enter", escape ? VK_ESCAPE : VK_RETURN)
                 .Undo()
                 .Expect(testing::Differences(start, t.Shot(w)).empty(), "one Undo took it all back")
                 .Redo();
           });
         }
       }
     }},
    // Saving a script in a new revision with the caret on a name changes
    // nothing, or else its change is a step of its own.
    {"SaveInANewRevisionWithTheCaretOnAName", [](UndoEachActionTest& t) {
       for (const bool atEnd : {false, true}) {
         SCOPED_TRACE(atEnd ? "at the name's end" : "at the name's start");
         TMDIChild& w = t.InNewRevision(t.Read(testing::ScreenplayOfFullSpeeches(85)), false);
         testing::ChooseFile(t.Driver(), ScriptDirectory + "/NEWREV.QMW");
         t.RunCommand("FileSaveAsItem");
         ASSERT_EQ(w.DocumentModified, 0) << "the script was saved";
         t.AsRead(w);
         t.At(w, t.ActionNear(w, 20), 0);
         Expect(t, w, [&t, atEnd](auto&, TMDIChild& w, Writer& a) {
           a.Type("again ").Changed()
               .Do("a click on a name", [&t, &w, atEnd] {
                 const TUserAction click;
                 TScriptElement* cue = UndoEachActionTest::OwnName(w, t.ActionNear(w, 40));
                 t.At(w, cue, atEnd ? static_cast<int>(LiveElementText(w, *cue).size()) : 0);
               })
               .Command("LayoutSheetsItem").Command("FileSaveItem")
               .Expect(w.DocumentModified == 0, "the script was saved").UndoNewest().Redo();
         });
       }
     }},
};

const ActionCase kExactlyWhatWasThere[] = {
    // The blanks a Tab puts before a name in word-processor mode go as the
    // caret comes back into it: no step of their own, so Undo takes the
    // word typed before.
    {"TabBeforeANameInWordProcessorMode", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.At(w, t.ActionNear(w, 10), 0);
       Expect(t, w, [&t](auto&, TMDIChild& w, Writer& a) {
         a.Type("Rain. ").Changed()
             .Command("TextOnlyModeItem")
             .Do("caret to a name", [&] {
               t.At(w, t.First(w, [](TMDIChild&, TScriptElement& e) { return e.Kind() == ekCharacterName; }), 0);
             })
             .Key("Tab", VK_TAB).UndoNewest().Redo();
       });
       t.RunCommand("TextOnlyModeItem");
     }},
    // The join puts the blank back where the page cut the speech, so the
    // Delete changed nothing the writer made: Undo takes the word typed.
    {"DeleteOfTheBlankWhereThePageCutASpeech", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       TScriptElement* piece = t.SpeechOverABreak(w);
       ASSERT_NE(piece, nullptr);
       const std::string text = LiveElementText(w, *piece);
       ASSERT_EQ(text.back(), ' ') << "the page cut the speech at a blank";
       t.At(w, t.ActionNear(w, 10), 0);
       Expect(t, w, [piece, &text, &t](auto&, TMDIChild& w, Writer& a) {
         a.Type("Rain. ").Changed()
             .Do("caret before the blank", [&] { t.At(w, piece, static_cast<int>(text.size()) - 1); })
             .Key("Delete", VK_DELETE).UndoNewest().Redo();
       });
     }},
    {"LoadScriptFormatOfEachFamily", [](UndoEachActionTest& t) {
       for (const char* family : {"SitcomVersionI1", "SitcomVersionII1", "StagePlay1", "InteractiveCDROM1",
                                  "Screenplay1"}) {
         SCOPED_TRACE(family);
         // Screenplay formats loaded over themselves change nothing: they
         // go over a stage play's.
         const bool screenplay = std::string(family) == "Screenplay1";
         TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85), screenplay ? "StagePlay1" : "");
         t.At(w, t.ActionNear(w, 10), 0);
         Expect(t, w, [family](auto&, auto&, Writer& a) {
           a.Type("still ").Command(family).Changed().UndoNewest().Redo().UndoNewest().Undo();
         });
       }
     }},
    {"LoadScriptFormatFromAScript", [](UndoEachActionTest& t) {
       // A stage play saved, whose formats another script takes.
       TMDIChild& play = t.Read(testing::ActsOpenedAndEnded(85), "StagePlay1");
       const std::string file = ScriptDirectory + "/PLAY.QMW";
       testing::ChooseFile(t.Driver(), file);
       t.RunCommand("FileSaveAsItem");
       ASSERT_EQ(play.DocumentModified, 0) << "the play was saved";
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.At(w, t.ActionNear(w, 10), 0);
       Expect(t, w, [&t, &file](auto&, auto&, Writer& a) {
         a.Type("still ").Do("Load Script Format from PLAY.QMW", [&t, &file] {
            testing::ChooseFile(t.Driver(), file);
            t.RunCommand("LoadScriptFormatItem");
          }).Changed().UndoNewest().Redo().UndoNewest().Undo();
       });
     }},
    {"CutToANewFileWithSaveAsCancelled", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.At(w, t.AboveABreak(w)->prev, 0);
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Type("still ").Keys("Shift+Down", VK_DOWN, 4, TShiftState(ssShift)).Command("CutToItem").UndoToStart();
       });
     }},
    {"RestoreDefaultListsCancelled", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.At(w, t.ActionNear(w, 10), 0);
       Expect(t, w, [&t](auto&, auto&, Writer& a) {
         a.Type("still ").Do("Restore Default Lists, Cancel", [&t] {
            t.CancelEverything = true;
            t.RunCommand("RestoreDefaultListsItem");
            t.CancelEverything = false;
          }).UndoToStart();
       });
     }},
    {"UndoBackToTheStartAfterRepaginationIdleAndSave", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       const std::string file = ScriptDirectory + "/WORK.QMW";
       t.At(w, t.SpeechOverABreak(w), 0);
       Expect(t, w, [&t, &file](auto&, TMDIChild& w, Writer& a) {
         a.Type("Listen. ").Key("Enter", VK_RETURN).Type("He waits. ").Command("RepaginateNowItem")
             .Do("a pause", [] {
               bool done = false;
               MainForm->AppIdle(nullptr, done);
             })
             .Keys("Shift+Down", VK_DOWN, 3, TShiftState(ssShift)).Key("Delete", VK_DELETE)
             .Do("Save As WORK.QMW", [&t, &file] {
               testing::ChooseFile(t.Driver(), file);
               t.RunCommand("FileSaveAsItem");
             })
             .Expect(w.DocumentModified == 0, "the script was saved").Command("RepaginateNowItem").UndoToStart();
       });
     }},
    {"CtrlTThenUndoKeepsTheMarks", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       TScriptElement* speech = t.First(w, [](TMDIChild& w, TScriptElement& e) {
         // A speech whose speaker speaks again next, so that the name after
         // it is marked.
         return e.Kind() == ekDialogue && e.prev && e.prev->Kind() == ekCharacterName && e.next &&
                e.next->Kind() == ekCharacterName && LiveElementText(w, *e.next) == LiveElementText(w, *e.prev) &&
                LiveElementText(w, e).size() > 20;
       });
       t.At(w, speech, 10);
       t.ChooseFromMenu("CUT TO:");
       Expect(t, w, [](auto&, auto&, Writer& a) {
         a.Key("Ctrl+T", 'T', TShiftState(ssCtrl)).Changed().Undo().Redo().Undo();
       });
     }},
    {"HyphensAndMarginKeysWithRevisionMarking", [](UndoEachActionTest& t) {
       const struct {
         const char* what;
         Word key;
         unsigned shift;
       } keys[] = {{"Ctrl+Minus", VK_OEM_MINUS, ssCtrl}, {"Ctrl+Shift+Minus", VK_OEM_MINUS, ssCtrl | ssShift},
                   {"Ctrl+Alt+Minus", VK_OEM_MINUS, ssCtrl | ssAlt}, {"Ctrl+Alt+=", VK_OEM_PLUS, ssCtrl | ssAlt}};
       for (const auto& k : keys) {
         SCOPED_TRACE(k.what);
         TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
         t.RunCommand("LockScriptItem");
         w.RevisionMarking = 1;
         t.AsRead(w);
         t.At(w, t.ActionNear(w, 30), 6);
         Expect(t, w, [&k](auto&, auto&, Writer& a) {
           a.Key(k.what, k.key, TShiftState(k.shift)).Changed().Undo().Redo().Undo();
         });
       }
     }},
    {"UntagAllItemsWithRevisionMarking", [](UndoEachActionTest& t) {
       TMDIChild& w = t.Read(testing::ScreenplayOfFullSpeeches(85));
       t.RunCommand("LockScriptItem");
       w.RevisionMarking = 1;
       w.FirstPageRevised = 0;
       t.AsRead(w);
       t.At(w, t.ActionNear(w, 30), 0);
       Expect(t, w, [](auto&, auto&, Writer& a) { a.Command("UntagAllItem").Changed().Undo().Redo(); });
     }},
};
// clang-format on

std::string CaseName(const ::testing::TestParamInfo<ActionCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(CaretMoves, UndoEachActionCaseTest, ::testing::ValuesIn(kCaretMoves), CaseName);
INSTANTIATE_TEST_SUITE_P(OneActionOneStep, UndoEachActionCaseTest, ::testing::ValuesIn(kOneActionOneStep), CaseName);
INSTANTIATE_TEST_SUITE_P(NeverRefused, UndoEachActionCaseTest, ::testing::ValuesIn(kNeverRefused), CaseName);
INSTANTIATE_TEST_SUITE_P(StatesTheScriptHad, UndoEachActionCaseTest, ::testing::ValuesIn(kStatesTheScriptHad),
                         CaseName);
INSTANTIATE_TEST_SUITE_P(ExactlyWhatWasThere, UndoEachActionCaseTest, ::testing::ValuesIn(kExactlyWhatWasThere),
                         CaseName);

// Convert to Gibberish renames the script beside its scrambled text: Undo
// gives back the text and the name it is saved under, Redo both again.
TEST_F(UndoEachActionTest, GibberishIsUndoneWithTheScriptsName) {
  TMDIChild& w = Read(testing::ScreenplayOfFullSpeeches(85));
  const std::string file = ScriptDirectory + "/REAL.QMW";
  testing::ChooseFile(Driver(), file);
  Run("FileSaveAsItem");
  ASSERT_EQ(w.ScriptFileName, file);
  const testing::ScriptShot before = Settled(w);
  Run("GibberishItem");
  const std::string scrambledName = w.ScriptFileName;
  const testing::ScriptShot scrambled = Settled(w);
  ASSERT_NE(testing::Differences(before, scrambled), "") << "the text was scrambled";
  ASSERT_NE(scrambledName, file);
  EXPECT_FALSE(Undo());
  EXPECT_EQ(testing::Differences(before, Settled(w)), "");
  EXPECT_EQ(w.ScriptFileName, file) << "a save after Undo writes the script under its own name";
  EXPECT_FALSE(Redo());
  EXPECT_EQ(testing::Differences(scrambled, Settled(w)), "");
  EXPECT_EQ(w.ScriptFileName, scrambledName);
}

}  // namespace
}  // namespace qm

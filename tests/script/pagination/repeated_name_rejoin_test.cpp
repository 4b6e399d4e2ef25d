// Taking a page break out of a speech: the name the break repeated goes
// only when it is still the speech's own name (or the name the break gave
// it), never a name the writer typed over it; and a Dialogue that opened
// the page under it gets back only the line before it had of its own.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "platform/office_button.h"
#include "script/editing/editor_calls.h"
#include "script/fixtures/keys_fixture.h"
#include "script/fixtures/pagination_fixture.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/cue_codes.h"
#include "script/model/packed_text.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"

namespace qm {
namespace {

using testing::ActionLines;
using testing::ElementSpec;
using testing::Words;

class RepeatedNameRejoinTest : public testing::KeysFixture {
 protected:
  void SetUp() override {
    KeysFixture::SetUp();
    Options().DisplayCharNameList = false;
  }

 public:
  using KeysFixture::CaretAt;
  using KeysFixture::ElementAt;
  using KeysFixture::Press;
  using KeysFixture::W;
  void Menu(const char* name) { MainForm->MenuItem(name)->Click(); }
  // A name typed over the whole text of one: the caret at its end, the
  // old letters taken back, the new ones typed.
  void TypeOver(TScriptElement* name, const std::string& text) {
    const std::size_t letters = LiveElementText(W(), *name).size();
    CaretAt(name, static_cast<int>(letters));
    for (std::size_t i = 0; i < letters; ++i) Press(VK_BACK);
    TypeText(text);
  }
  // The first name a page break repeated, or null.
  TScriptElement* RepeatedName() {
    for (TScriptElement* e = W().FirstElement; e; e = e->next)
      if (e->Kind() == ekCharacterName && IsRepeatedByBreak(*e)) return e;
    return nullptr;
  }
  // The names and Dialogue texts in order, page breaks as "|".
  std::vector<std::string> Speech() {
    std::vector<std::string> out;
    for (const TScriptElement* e = W().FirstElement; e; e = e->next) {
      if (e->Kind() == ekAutoPageBreak) out.push_back("|");
      if (e->Kind() == ekCharacterName) out.push_back(LiveElementText(W(), *e));
    }
    return out;
  }
  std::string AllText() {
    std::string all;
    for (const TScriptElement* e = W().FirstElement; e; e = e->next)
      if (!IsPageBreakKind(e->Kind())) all += LiveElementText(W(), *e) + "\n";
    return all;
  }
};

// JOHN's speech runs over a page break and JOHN is repeated at the top of
// the next page. What the writer does there, then Repaginate Now.
TEST_F(RepeatedNameRejoinTest, ANameTypedOverTheRepeatedNameStays) {
  const std::string speech = Words(60);
  struct Case {
    const char* what;
    std::function<void(RepeatedNameRejoinTest&)> act;
    std::vector<std::string> names;  // after the pass, page breaks as "|"
  };
  const std::vector<Case> cases = {
      {"MARY typed over the repeated JOHN stays, and the speech under her",
       [](RepeatedNameRejoinTest& t) { t.TypeOver(t.RepeatedName(), "MARY"); },
       {"JOHN", "|", "MARY"}},
      {"JOHN typed again over the repeated JOHN: one speech, JOHN repeated",
       [](RepeatedNameRejoinTest& t) { t.TypeOver(t.RepeatedName(), "JOHN"); },
       {"JOHN", "|", "JOHN"}},
      {"the speech's own name retyped: no old repeated name is left",
       [](RepeatedNameRejoinTest& t) {
         TScriptElement* own = t.RepeatedName();
         while (own->prev && own->prev->Kind() != ekCharacterName) own = own->prev;
         t.TypeOver(own->prev, "JACK");
         t.Press(VK_DOWN);
       },
       {"JACK", "|", "JACK"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoadWrapped({ActionLines(46), {ekCharacterName, "JOHN"}, {ekDialogue, speech}, {ekAction, "He goes."}}, 0);
    W().RefreshLayout();
    ASSERT_NE(RepeatedName(), nullptr) << "the speech runs over the page";
    c.act(*this);
    Menu("RepaginateNowItem");
    EXPECT_EQ(Speech(), c.names);
    EXPECT_NE(AllText().find(speech.substr(speech.size() - 40)), std::string::npos)
        << "the speech's words are all there";
    // The idle pass after a pause changes nothing more.
    W().RefreshLayout();
    EXPECT_EQ(Speech(), c.names);
  }
}

// A name too long for one line, repeated over the page its speech runs
// onto, takes there the lines it takes as the speech's own name: Undo
// and a later pass, which wrap it, find it as the page break made it.
TEST_F(RepeatedNameRejoinTest, ANameRepeatedOverABreakTakesItsOwnLines) {
  const std::string name = "JOHN WHO TELLS THE WHOLE LONG STORY OF THE RIVER AND THE RAIN";
  LoadWrapped({ActionLines(44), {ekCharacterName, name}, {ekDialogue, Words(60)}, {ekAction, "He goes."}}, 0);
  W().RefreshLayout();
  const TScriptElement* repeated = RepeatedName();
  ASSERT_NE(repeated, nullptr) << "the speech runs over the page";
  const TScriptElement* own = repeated->prev;
  while (own->Kind() != ekCharacterName) own = own->prev;
  ASSERT_GT(own->lineCount, 1) << "the name wraps";
  EXPECT_EQ(repeated->lineCount, own->lineCount);
}

// A Dialogue after a Dialogue: by the Dialogue button at the end of the
// first, by F4 and D on an Action after it (no line before either), or by
// Add Dialogue Paragraph (a line before). Wherever the page falls, when it
// opens the page under the repeated name and the break goes again, it has
// the lines before it had, and a second pass breaks as the first.
TEST_F(RepeatedNameRejoinTest, ASecondDialogueGetsBackOnlyTheLineItHad) {
  const std::string first = Words(70), second = Words(40, 5);
  struct Road {
    const char* what;
    bool actionAfter;  // the script has an Action after the first Dialogue
    std::function<void(RepeatedNameRejoinTest&)> make;
    Byte linesBefore;
  };
  const std::vector<Road> roads = {
      {"the Dialogue button at the end of a Dialogue", false,
       [&](RepeatedNameRejoinTest& t) {
         t.CaretAt(t.ElementAt(2), static_cast<int>(first.size()));
         dynamic_cast<TOfficeButton*>(MainForm->FindComponent("DialogueBtn"))->Click();
         TypeText(second);
       },
       0},
      {"F4 and D on an Action after a Dialogue", true,
       [&](RepeatedNameRejoinTest& t) {
         t.CaretAt(t.ElementAt(3), 0);
         t.Press(VK_F4);
         TypeText("d");
       },
       0},
      {"Add Dialogue Paragraph", false,
       [&](RepeatedNameRejoinTest& t) {
         t.CaretAt(t.ElementAt(2), static_cast<int>(first.size()));
         t.Menu("AddDialogueParagraphItem");
         TypeText(second);
       },
       10},
  };
  for (const Road& road : roads) {
    SCOPED_TRACE(road.what);
    int underRepeatedName = 0;
    for (int filler = 24; filler <= 46; ++filler) {
      SCOPED_TRACE(filler);
      std::vector<ElementSpec> script{ActionLines(filler), {ekCharacterName, "JOE"}, {ekDialogue, first}};
      if (road.actionAfter) script.push_back({ekAction, second});
      script.push_back(ActionLines(1));
      LoadWrapped(script, 0);
      road.make(*this);
      TScriptElement* made = W().CurrentElement();
      ASSERT_EQ(made->Kind(), ekDialogue);
      ASSERT_EQ(made->format.LinesBefore, road.linesBefore);
      Menu("RepaginateNowItem");
      for (const TScriptElement* e = W().FirstElement; e; e = e->next)
        if (e->Kind() == ekCharacterName && IsRepeatedByBreak(*e) && e->next == made) ++underRepeatedName;
      const std::vector<ElementSpec> once = Elements();
      Menu("RepaginateNowItem");
      EXPECT_EQ(Elements(), once) << "the second pass breaks as the first";
      W().RejoinSplitElements();
      EXPECT_EQ(made->format.LinesBefore, road.linesBefore) << "back under the first Dialogue";
    }
    EXPECT_GT(underRepeatedName, 0) << "no page opened with the second Dialogue under the repeated name";
  }
}

// A Dialogue paragraph (Add Dialogue Paragraph, one line before) that a
// page opened under the repeated name gave up its line there. The same
// script and the same edit of the first page, once with a save and a
// reopen in between and once without: when the edit moves the break, the
// paragraph has its line back either way, in the script and on screen.
TEST_F(RepeatedNameRejoinTest, ADialogueParagraphGetsItsLineBackAfterASaveAndAReopen) {
  const std::string first = Words(70), paragraph = Words(40, 5);
  using Outcome = std::vector<std::tuple<int, std::string, int>>;  // kind, text's start, lines before
  const auto paragraphHead = [this](const TScriptElement& e, const std::string& text) {
    return e.Kind() == ekDialogue && LiveElementText(W(), e).substr(0, 6) == text.substr(0, 6);
  };
  // The script with its paragraph, laid out into pages; true when the
  // paragraph opens a page under the repeated name.
  const auto make = [&](int filler) {
    if (DocumentCount == 0) MainForm->FileNewItem->Click();
    LoadWrapped({ActionLines(filler), {ekCharacterName, "JOE"}, {ekDialogue, first}, ActionLines(1)}, 0);
    CaretAt(ElementAt(2), static_cast<int>(first.size()));
    Menu("AddDialogueParagraphItem");
    TypeText(paragraph);
    Menu("RepaginateNowItem");
    for (const TScriptElement* e = W().FirstElement; e; e = e->next)
      if (e->Kind() == ekCharacterName && IsRepeatedByBreak(*e) && e->next && paragraphHead(*e->next, paragraph))
        return true;
    return false;
  };
  struct Edit {
    const char* what;
    std::function<void(RepeatedNameRejoinTest&)> edit;
  };
  const std::vector<Edit> edits = {
      {"three lines typed on the first page",
       [](RepeatedNameRejoinTest& t) {
         t.CaretAt(t.W().FirstElement, 10000);
         TypeText(" " + Words(36, 3));
       }},
      {"three lines taken off the first page",
       [](RepeatedNameRejoinTest& t) {
         t.CaretAt(t.W().FirstElement, 10000);
         for (int i = 0; i < 180; ++i) t.Press(VK_BACK);
       }},
  };
  int tried = 0;
  for (int filler = 24; filler <= 46; ++filler) {
    if (!make(filler)) continue;
    for (const Edit& edit : edits) {
      Outcome outcomes[2];
      int gaps[2] = {0, 0};
      for (const bool reopen : {false, true}) {
        SCOPED_TRACE(std::to_string(filler) + " lines before, " + edit.what + (reopen ? ", saved and reopened" : ""));
        ++tried;
        ASSERT_TRUE(make(filler));
        if (reopen) {
          const std::string path = ScriptDirectory + "/PARAGRAPH" + std::to_string(tried) + ".QMW";
          testing::ChooseFile(Driver(), path);
          MainForm->FileSaveAsItem->Click();
          MainForm->CloseFileItem->Click();
          Application->ProcessMessages();
          ASSERT_EQ(DocumentCount, 0);
          testing::ChooseFile(Driver(), path);
          MainForm->FileOpenItem->Click();
          ASSERT_EQ(DocumentCount, 1);
        }
        edit.edit(*this);
        Menu("RepaginateNowItem");
        TScriptElement* head = nullptr;
        for (TScriptElement* e = W().FirstElement; e; e = e->next) {
          outcomes[reopen].emplace_back(e->Kind(), LiveElementText(W(), *e).substr(0, 12), e->format.LinesBefore);
          if (!head && paragraphHead(*e, paragraph)) head = e;
        }
        ASSERT_NE(head, nullptr);
        EXPECT_FALSE(head->prev && IsRepeatedByBreak(*head->prev)) << "the edit moved the break";
        EXPECT_EQ(head->format.LinesBefore, 10) << "the paragraph's line is back";
        // The paragraph's first line below the Dialogue's last.
        CaretAt(head, 0);
        for (int row = 2; row <= ScreenLineCount; ++row)
          if (W().ScreenLines[static_cast<std::size_t>(row)].element == head) {
            gaps[reopen] =
                W().ScreenLines[static_cast<std::size_t>(row)].y - W().ScreenLines[static_cast<std::size_t>(row - 1)].y;
            break;
          }
        W().DocumentModified = 0;
        MainForm->CloseFileItem->Click();
        Application->ProcessMessages();
      }
      EXPECT_EQ(outcomes[1], outcomes[0]) << edit.what << ": the reopened script is laid out as the one kept open";
      EXPECT_EQ(gaps[1], gaps[0]) << edit.what << ": the screen shows the line on both";
    }
  }
  EXPECT_GT(tried, 0) << "no page opened with the paragraph under the repeated name";
}

// A note put in between a name and its speech where a page break repeated
// the name between two Dialogues: the speech no longer goes on past the
// note, so each Dialogue stands alone as a fresh pass groups them, and a
// second pass breaks as the first. An empty name (nothing to print) is
// where the two groupings part.
TEST_F(RepeatedNameRejoinTest, ANoteAfterANameEndsTheSpeechForTheRejoinAsForAFreshPass) {
  const std::string second = Words(170, 7);
  int brokenBetween = 0;
  for (const char* name : {"JOE", " "}) {
    for (int words = 10; words <= 100; words += 15) {
      for (int filler = 1; filler <= 46; ++filler) {
        SCOPED_TRACE(std::string("name \"") + name + "\", " + std::to_string(words) + " words after " +
                     std::to_string(filler) + " lines");
        LoadWrapped({ActionLines(filler),
                     {ekCharacterName, name},
                     {ekDialogue, Words(words)},
                     {ekDialogue, second},
                     ActionLines(1)},
                    0);
        W().RefreshLayout();
        const TScriptElement* repeated = RepeatedName();
        if (!repeated || !repeated->next || LiveElementText(W(), *repeated->next) != second) continue;
        ++brokenBetween;
        CaretAt(ElementAt(2), 0);
        Press(VK_F1, TShiftState(ssCtrl));
        ASSERT_EQ(W().CurrentElement()->Kind(), ekScriptNote);
        Menu("RepaginateNowItem");
        const std::vector<ElementSpec> once = Elements();
        Menu("RepaginateNowItem");
        EXPECT_EQ(Elements(), once) << "the second pass breaks as the first";
      }
    }
  }
  EXPECT_GT(brokenBetween, 0) << "no page broke between the two Dialogues";
}

// A heading made non-printing where a page break stood before it belongs
// to the scene before it: a full pass groups it so whether or not the
// break it takes out stood there, and a second pass breaks as the first.
TEST_F(RepeatedNameRejoinTest, AHeadingMadeNonPrintingAfterABreakIsGroupedAsIfNoBreakStood) {
  int headingsAfterABreak = 0;
  for (int words = 10; words <= 70; words += 20) {
    for (int filler = 20; filler <= 46; ++filler) {
      SCOPED_TRACE(std::to_string(filler) + " lines before, " + std::to_string(words) + " words");
      LoadWrapped({ActionLines(filler),
                   {ekCharacterName, "JOE"},
                   {ekDialogue, Words(words)},
                   {ekSceneHeading, "INT. PARK - MORNING"},
                   ActionLines(4),
                   {ekCharacterName, "ANN"},
                   {ekDialogue, Words(30)}},
                  0);
      W().RefreshLayout();
      TScriptElement* heading = nullptr;
      for (TScriptElement* e = W().FirstElement; e; e = e->next)
        if (e->Kind() == ekSceneHeading && e->prev && e->prev->Kind() == ekAutoPageBreak) heading = e;
      if (!heading) continue;
      ++headingsAfterABreak;
      CaretAt(heading, 0);
      Menu("MarkasNonPrintingItem");
      Press(VK_DOWN);
      TypeText("door ");
      Menu("RepaginateNowItem");
      const std::vector<ElementSpec> once = Elements();
      Menu("RepaginateNowItem");
      EXPECT_EQ(Elements(), once) << "the second pass breaks as the first";
    }
  }
  EXPECT_GT(headingsAfterABreak, 0) << "no page opened with the heading";
}

}  // namespace
}  // namespace qm

// Printed pages against the screen's pagination: the recording printer
// keeps every text run with its font and position.
#include "printing/script_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/cp1252.h"
#include "platform/printer.h"
#include "printing/page_header.h"
#include "base/program_options.h"
#include "printing/print_run.h"
#include "script/fixtures/pagination_fixture.h"
#include "script/editing/hidden_elements.h"
#include "script/layout/cue_extension.h"
#include "script/model/cue_codes.h"
#include "script/layout/screen_lines.h"
#include "script/model/number_texts.h"
#include "script/pagination/repagination.h"
#include "support/script_generator.h"

namespace qm::testing {
namespace {

class ScriptPageTest : public PaginationFixture {
 protected:
  // Prints every page of the script to the headless printer.
  void PrintAll(const TPageOutputOptions& options = {}) {
    const std::vector<TScriptPage> pages = ScriptPages(Window());
    ASSERT_TRUE(StartPrintJob(false, "Script"));
    for (std::size_t i = 0; i < pages.size(); ++i) {
      if (i > 0) EjectPage();
      ASSERT_TRUE(PrintScriptPage(Window(), pages[i], options));
    }
    ASSERT_TRUE(FinishPrintJob());
  }
  const std::vector<std::unique_ptr<RecordingCanvas>>& Printed() { return Backend().PrinterList()[0]->Pages(); }

  // The text runs of a printed page below its header lines, in reading order.
  std::vector<const DrawOp*> Body(const RecordingCanvas& page) {
    const TPageGeometry g = PageGeometry(Window());
    std::vector<const DrawOp*> ops;
    // Scene numbers and revision marks stand outside the text margins.
    for (const DrawOp* op : page.TextOps())
      if (op->rect.Top >= g.bodyTop - g.offsetY - g.lineHeight && op->rect.Left >= 225 && op->rect.Left < 2175)
        ops.push_back(op);
    std::stable_sort(ops.begin(), ops.end(), [](const DrawOp* a, const DrawOp* b) {
      return a->rect.Top != b->rect.Top ? a->rect.Top < b->rect.Top : a->rect.Left < b->rect.Left;
    });
    return ops;
  }
  // The printed text of an element: its own text, a cue's extension after it.
  std::string PrintedText(TScriptElement* e) {
    std::string text = LiveElementText(Window(), *e);
    if (e->Kind() == ekCharacterName) text += CharacterExtensionText(Window(), *e);
    if (e->format.AllCaps) text = AnsiUpperCase(text);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
  }
};

bool StartsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }
bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST_F(ScriptPageTest, AGeneratedScriptPrintsPageForPageAsItPaginates) {
  Window().LeftNumber = Window().RightNumber = 1;
  Load(GenerateScreenplay(20240601, 120));
  Repaginate();
  const std::vector<TScriptPage> pages = ScriptPages(Window());
  ASSERT_GE(pages.size(), 110u);
  PrintAll();
  ASSERT_EQ(Printed().size(), pages.size()) << "one printed sheet for each page";

  int scenes = 0;
  for (std::size_t p = 0; p < pages.size(); ++p) {
    SCOPED_TRACE("page " + std::to_string(p + 1));
    const RecordingCanvas& sheet = *Printed()[p];
    // The page number at the right of the header line.
    const DrawOp* number = sheet.FindText(PageLabel(Window(), pages[p]) + ".");
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(PageLabel(Window(), pages[p]), std::to_string(p + 1));
    EXPECT_EQ(number->rect.Right, 2550 - Window().FormatSet[fsAction].RightMargin * 30 - 75);

    // The first and last element of the page, as the screen has them.
    TScriptElement* first = pages[p].first;
    TScriptElement* last = pages[p].endBreak ? pages[p].endBreak->prev : Window().LastElement;
    const std::vector<const DrawOp*> body = Body(sheet);
    ASSERT_FALSE(body.empty());
    EXPECT_TRUE(StartsWith(PrintedText(first), body.front()->text))
        << body.front()->text << " | " << PrintedText(first);
    const bool more = pages[p].endBreak && PageBreakTexts(Window(), *pages[p].endBreak).more;
    const DrawOp* end = body.back();
    if (more) {
      EXPECT_EQ(end->text, "(MORE)");
      end = body[body.size() - 2];
      ASSERT_LT(p + 1, pages.size());
      const TScriptElement* cue = pages[p + 1].first;
      ASSERT_EQ(cue->Kind(), ekCharacterName) << "the speaker comes back on the next page";
      EXPECT_NE(Body(*Printed()[p + 1]).front()->text.find("(CONT'D)"), std::string::npos);
    }
    EXPECT_TRUE(EndsWith(PrintedText(last), end->text)) << end->text << " | " << PrintedText(last);

    // Scene numbers left and right of every heading on the page.
    for (TScriptElement* e = first; e && e != pages[p].endBreak; e = e->next) {
      if (e->Kind() != ekSceneHeading) continue;
      ++scenes;
      const std::string n = Window().SceneNumberText(*e);
      int found = 0;
      for (const DrawOp* op : sheet.TextOps())
        if (op->text == n) ++found;
      EXPECT_EQ(found, 2) << "scene " << n;
    }
  }
  EXPECT_GT(scenes, 50);
}

TEST_F(ScriptPageTest, TextMarkedAsNonPrintingIsLeftOutOfThePrint) {
  Load({{ekAction, "Printed first."},
        {ekCharacterName, "MARY"},
        {ekDialogue, "Never printed."},
        {ekAction, "A note to self."},
        {ekAction, "Printed last."}});
  Repaginate();
  // The name takes its speech along.
  Edit(ElementNo(1));
  MarkElementsNonPrinting(Window(), true);
  Edit(ElementNo(3));
  MarkElementsNonPrinting(Window(), true);
  PrintAll();
  ASSERT_EQ(Printed().size(), 1u);
  std::vector<std::string> printed;
  for (const DrawOp* op : Body(*Printed()[0])) printed.push_back(op->text);
  EXPECT_EQ(printed, (std::vector<std::string>{"Printed first.", "Printed last."}));
}

TEST_F(ScriptPageTest, HeaderLinesContinuedScenesAndRevisionMarks) {
  Window().HeaderLine1 = std::string("\x02") + "BLUE DRAFT" + "\x03" + static_cast<char>(header_code::FlushRight) +
                         "Page " + static_cast<char>(header_code::PageNumber);
  Window().HeaderLine2 = std::string("Act ") + static_cast<char>(header_code::ActInfo);
  Window().ActDisplayStyle = 5;  // Roman numerals
  Window().TopSceneContinued = Window().BottomSceneContinued = 1;
  std::vector<ElementSpec> script = {{ekActInformation, "ACT TWO"}, {ekSceneHeading, "INT. HOUSE - DAY"}};
  for (int i = 0; i < 8; ++i) script.push_back(ActionLines(6));
  Load(script);
  Window().ComputeUsablePageHeight();
  ElementNo(2)->revisedLines = std::string(1, '\x02');
  Repaginate();
  const std::vector<TScriptPage> pages = ScriptPages(Window());
  ASSERT_EQ(pages.size(), 2u);
  PrintAll();
  ASSERT_EQ(Printed().size(), 2u);

  const TPageGeometry g = PageGeometry(Window());
  for (int p = 0; p < 2; ++p) {
    SCOPED_TRACE("page " + std::to_string(p + 1));
    const RecordingCanvas& sheet = *Printed()[static_cast<std::size_t>(p)];
    const DrawOp* draft = sheet.FindText("BLUE DRAFT");
    ASSERT_NE(draft, nullptr);
    EXPECT_TRUE(draft->font.Style & fsBold) << "the bold code of the header";
    EXPECT_EQ(draft->rect.Top, g.top - 75);
    const DrawOp* number = sheet.FindText("Page " + std::to_string(p + 1));
    ASSERT_NE(number, nullptr) << sheet.Transcript();
    EXPECT_EQ(number->rect.Right, 2550 - Window().FormatSet[fsAction].RightMargin * 30 - 75) << "flush right";
    EXPECT_EQ(sheet.FindText(std::to_string(p + 1) + "."), nullptr) << "a placed number is not printed twice";
    const DrawOp* act = sheet.FindText("Act ");
    ASSERT_NE(act, nullptr);
    EXPECT_EQ(act->text, "Act " + RomanNumeral(Window().DisplayNumber(ElementNo(0)->group)));
    EXPECT_EQ(act->rect.Top, g.top + g.lineHeight - 75);
  }
  EXPECT_NE(Printed()[0]->FindText("(CONTINUED)"), nullptr);
  EXPECT_EQ(Printed()[1]->FindText("(CONTINUED)"), nullptr);
  const DrawOp* top = Printed()[1]->FindText("CONTINUED:");
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->rect.Top, g.bodyTop - g.lineHeight - 75);

  // The mark stands beside the second line of the first Action, and nowhere else.
  std::vector<const DrawOp*> marks;
  for (const DrawOp* op : Printed()[0]->TextOps())
    if (op->text == "*") marks.push_back(op);
  ASSERT_EQ(marks.size(), 1u);
  // Its second line is the one that opens with the thirteenth word.
  const DrawOp* line = Printed()[0]->FindText("mmmm");
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(marks[0]->rect.Top, line->rect.Top);
  EXPECT_GT(marks[0]->rect.Left, 2550 - 75 - 300);
}

TEST_F(ScriptPageTest, ALineCarriesTheMarkOncePerLockedLevel) {
  // clang-format off
  const struct {
    const char* what;
    std::string text;
    std::string revised;
    std::string marks;
  } cases[] = {
      {"revised now", "A line.", "\x01", "*"},
      {"locked once and revised again", "\x1B" "A line.", "\x01", "**"},
      {"locked twice, not revised now", "\x1C" "A line.", "", "**"},
      {"the script's own mark", "\x1B" "A line.", "\x01", "R!R!"},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Window().RevisionMarkText = c.marks.size() == 4 ? "R!" : "*";
    Window().FreeElements();
    Load({{ekAction, c.text}});
    if (!c.revised.empty()) ElementNo(0)->revisedLines = c.revised;
    Repaginate();
    PrintAll();
    ASSERT_FALSE(Printed().empty());
    EXPECT_NE(Printed().back()->FindText(c.marks), nullptr) << Printed().back()->Transcript();
  }
}

TEST_F(ScriptPageTest, ASpeechSplitByThePageEndsInMoreAndGoesOnUnderItsSpeaker) {
  // A speech that ends the script moves whole: an Action follows it.
  Load({ActionLines(40), {ekCharacterName, "JOHN"}, DialogueLines(14), ActionLines(1)});
  Repaginate();
  const std::vector<TScriptPage> pages = ScriptPages(Window());
  ASSERT_EQ(pages.size(), 2u);
  ASSERT_TRUE(PageBreakTexts(Window(), *pages[0].endBreak).more) << ::testing::PrintToString(Shape());
  PrintAll();
  const std::vector<const DrawOp*> first = Body(*Printed()[0]);
  const std::vector<const DrawOp*> second = Body(*Printed()[1]);
  ASSERT_GE(first.size(), 2u);
  EXPECT_EQ(first.back()->text, "(MORE)");
  EXPECT_EQ(first.back()->rect.Left, Window().FormatSet[fsCharacterName].LeftMargin * 30 - 75);
  EXPECT_EQ(first.back()->rect.Top, first[first.size() - 2]->rect.Top + PageGeometry(Window()).lineHeight);
  ASSERT_FALSE(second.empty());
  EXPECT_EQ(second.front()->text, "JOHN (CONT'D)");
  EXPECT_EQ(second.front()->rect.Left, Window().FormatSet[fsCharacterName].LeftMargin * 30 - 75);
}

}  // namespace
}  // namespace qm::testing

namespace qm::testing {
namespace {

class SpeechNumberPrintTest : public ScriptPageTest {};

TEST_F(SpeechNumberPrintTest, SpeechNumbersPrintBesideTheCuesOnlyWhileNumberingIsOn) {
  Load({{ekCharacterName, "ANN"}, {ekDialogue, "One."}, {ekCharacterName, "BOB"}, {ekDialogue, "Two."}});
  Repaginate();
  const struct {
    const char* what;
    Byte numbering;
    Byte position;  // SpeechNumberFlag
    bool brackets;
    std::vector<std::string> numbers;
  } cases[] = {
      {"numbering off", 0, 0, false, {}},
      {"at the headings' left margin", 1, 0, false, {"1", "2"}},
      {"past the headings' right margin, bracketed", 1, 1, true, {"<1>", "<2>"}},
  };
  const Byte keptFlag = SpeechNumberFlag;
  const bool keptBrackets = BracketDialogueNumbers;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Window().DialogueNumbering = c.numbering;
    SpeechNumberFlag = c.position;
    BracketDialogueNumbers = c.brackets;
    PrintAll();
    ASSERT_EQ(Printed().size(), 1u);
    const RecordingCanvas& page = *Printed().back();
    const TPageGeometry g = PageGeometry(Window());
    const TElementFormat& heading = Window().FormatSet[fsSceneHeading];
    const int x =
        (c.position == 0 ? g.Dots(heading.LeftMargin) : g.pageWidth - g.Dots(heading.RightMargin) + g.dpiX / 10) -
        g.offsetX;
    std::vector<std::string> numbers;
    for (const char* cue : {"ANN", "BOB"}) {
      const DrawOp* name = page.FindText(cue);
      ASSERT_NE(name, nullptr) << page.Transcript();
      for (const DrawOp* op : page.TextOps())
        if (op != name && op->rect.Top == name->rect.Top) {
          EXPECT_EQ(op->rect.Left, x) << op->text;
          numbers.push_back(op->text);
        }
    }
    EXPECT_EQ(numbers, c.numbers) << page.Transcript();
  }
  SpeechNumberFlag = keptFlag;
  BracketDialogueNumbers = keptBrackets;
}

}  // namespace
}  // namespace qm::testing

namespace qm::testing {
namespace {

// The marks generated after a name that ends with the writer's own
// parenthesis open a pair of their own, one blank after it.
TEST_F(ScriptPageTest, ACueEndingInItsOwnParenthesisPrintsItsMarksApart) {
  Load({{ekCharacterName, "EDWARD"},
        DialogueLines(1),
        ActionLines(1),
        {ekCharacterName, "EDWARD (V.O.)"},
        DialogueLines(1)});
  ElementNo(3)->split = NoExtensionCode + 1;
  Repaginate();
  ASSERT_EQ(ElementNo(3)->split, NoExtensionCode + 1);
  PrintAll();
  std::string printed;
  for (const DrawOp* op : Body(*Printed()[0]))
    if (op->rect.Top == Body(*Printed()[0])[3]->rect.Top) printed += op->text;
  EXPECT_EQ(printed, "EDWARD (V.O.) (CONT'D)");
}

}  // namespace
}  // namespace qm::testing

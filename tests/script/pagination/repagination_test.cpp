#include "script/pagination/repagination.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>

#include "platform/headless/headless_backend.h"
#include "platform/printer.h"
#include "script/pagination/element_groups.h"
#include "script/pagination/page_breaking.h"
#include "script/fixtures/pagination_fixture.h"
#include "script/model/cue_codes.h"
#include "script/model/element_cursors.h"
#include "script/model/packed_text.h"
#include "base/global_state.h"
#include "shell/main_form.h"
#include "script/model/text_codes.h"
#include "support/script_generator.h"
#include "script/model/edit_line_writer.h"

namespace qm::testing {
namespace {

class RepaginationTest : public PaginationFixture {
 public:
  void SetUp() override {
    PaginationFixture::SetUp();
    GlobalState::ResetAll();
  }
  void TearDown() override {
    main_.reset();
    PaginationFixture::TearDown();
  }

 public:
  // Puts a printer in front of the headless one (or none at all).
  void UsePrinter(int dpi, TPoint size, TPoint offset) {
    auto& printers = Backend().PrinterList();
    printers.insert(printers.begin(), std::make_unique<RecordingPrinter>("Printer", dpi, size, offset));
    Printer()->Refresh();
    Printer()->SetPrinterIndex(0);
  }
  void UseNoPrinter() {
    Backend().PrinterList().clear();
    Printer()->Refresh();
  }
  // The program options, as the main window holds them.
  TProgramOptions& Options() {
    if (!main_) {
      main_ = std::make_unique<TMainForm>(nullptr);
      MainForm = main_.get();
    }
    return *main_;
  }

 private:
  std::unique_ptr<TMainForm> main_;
};

TEST_F(RepaginationTest, PrinterMetricsAndTheLineHeightOfTheScriptFont) {
  const auto fields = [](const TPrinterMetrics& m) {
    return std::vector<int>{m.DpiX,    m.DpiY,    m.PageWidth,     m.PageHeight,
                            m.OffsetX, m.OffsetY, m.MinLeftMargin, m.MinTopMargin};
  };
  // clang-format off
  const struct {
    const char* what;
    int dpi;  // 0: no printer at all
    TPoint size, offset;
    Byte fontSize;
    TPrinterMetrics metrics;
    int lineHeight;
  } cases[] = {
      {"no printer: 300 dots per inch and a letter page", 0, {}, {}, 12, {300, 300, 2550, 3300, 75, 75, 3, 3}, 50},
      {"a 600-dot printer: its offsets give the smallest margins", 600, {5100, 6600}, {100, 50}, 12,
       {600, 600, 5100, 6600, 100, 50, 2, 1}, 100},
      {"a line height beyond one byte", 1440, {12240, 15840}, {0, 0}, 14, {1440, 1440, 12240, 15840, 0, 0, 0, 0}, 280},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.dpi) UsePrinter(c.dpi, c.size, c.offset);
    else UseNoPrinter();
    Window().ScriptFontSize = c.fontSize;
    Window().SetPrinterLineHeight();
    EXPECT_EQ(fields(PrinterMetrics), fields(c.metrics));
    EXPECT_EQ(Window().PrinterLineHeight, c.lineHeight);
  }
}

// Without a printer: a page of 3,300 dots, 30 dots to a tenth of an inch
// of margin, text and blank lines of 50 dots.
TEST_F(RepaginationTest, TheUsablePageHeight) {
  struct Case {
    const char* what;
    std::function<void(TMDIChild&)> setup;
    int height;
    Byte top, bottom;
  };
  const std::vector<Case> cases = {
      {"one-inch margins, one header line and one blank line after it", [](TMDIChild&) {}, 2630, 10, 10},
      {"a second header line", [](TMDIChild& w) { w.HeaderLine2 = "Draft"; }, 2580, 10, 10},
      {"top scene continueds", [](TMDIChild& w) { w.TopSceneContinued = 1; }, 2530, 10, 10},
      {"three blank lines after the header", [](TMDIChild& w) { w.HeaderBlankLines = 3; }, 2530, 10, 10},
      {"text lines at 80 percent", [](TMDIChild& w) { w.TextSpacing = 80; }, 2640, 10, 10},
      {"a top margin below the printer's smallest is raised", [](TMDIChild& w) { w.TopMargin = 2; },
       3300 - 30 * 12 - 100, 3, 10},
  };
  UseNoPrinter();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    static_cast<TScriptSettings&>(Window()) = TScriptSettings{};
    c.setup(Window());
    Window().ComputeUsablePageHeight();
    EXPECT_EQ(Window().UsablePageHeight, c.height);
    EXPECT_EQ(Window().TopMargin, c.top);
    EXPECT_EQ(Window().BottomMargin, c.bottom);
  }
  // The script font is the Action's.
  static_cast<TScriptSettings&>(Window()) = TScriptSettings{};
  Window().FontNameTable[Window().FormatSet[fsAction].FontIndex()] = "Courier New";
  Window().ScriptFontName = "Other";
  Window().ComputePageHeight();
  EXPECT_EQ(Window().ScriptFontName, "Courier New");
  EXPECT_EQ(Window().UsablePageHeight, 2630);
  // A printer that prints to the edge allows no margins at all: the bottom
  // margin then becomes 0.8 inch.
  UsePrinter(300, {2550, 3300}, {0, 0});
  Window().TopMargin = Window().BottomMargin = 0;
  Window().ComputeUsablePageHeight();
  EXPECT_EQ(Window().BottomMargin, 8);
  EXPECT_EQ(Window().UsablePageHeight, 3300 - 30 * 7 - 100);
}

TEST_F(RepaginationTest, SentenceEnds) {
  struct Case {
    const char* text;
    bool twoBlanks, ellipsis;
    std::vector<Word> ends;
  };
  const std::vector<Case> cases = {
      {"Mr. Smith went home. He slept.", false, false, {19}},
      {"He met Dr. Jones. She met St. Clair.", false, false, {16}},
      {"She turned left. Then right.", false, false, {15}},
      {"She turned left. Then right.", true, false, {}},
      {"She turned left.  Then right.", true, false, {15}},
      {"Wait... what now.", false, false, {}},
      {"Wait... what now.", false, true, {6}},
      {"Really...? Yes.", false, false, {9}},
      {"He said \"Go.\" Then he left.", false, false, {12}},
      {"Stop! Now.", false, false, {4}},
      {"What?! No.", false, false, {5}},
      {"Line one.\xA7Line two.", false, false, {9}},
      {"Extraordinary. Yes.", false, false, {13}},
      {"Dr.", false, false, {}},
      {". Start.", false, false, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FindSentenceEnds(c.text, c.twoBlanks, c.ellipsis), c.ends) << c.text << c.twoBlanks << c.ellipsis;
  std::string many;
  for (int i = 0; i < 200; ++i) many += "Go.  ";
  EXPECT_EQ(FindSentenceEnds(many, true, false).size(), static_cast<size_t>(MaxSentenceEnds));
}

TEST_F(RepaginationTest, BannerLinesOfAPageBreak) {
  Load({{ekAction, "a"}, {ekForcedPageBreak, " "}, {ekAction, "b"}});
  TScriptElement* forced = ElementNo(1);
  struct Case {
    const char* what;
    std::function<void(TMDIChild&)> setup;
    int lines;
  };
  const std::vector<Case> cases = {
      {"the rule and the blank line after the header", [](TMDIChild&) {}, 2},
      {"two header lines, two blank lines, both continueds",
       [](TMDIChild& w) {
         w.HeaderLine1 = "One";
         w.HeaderLine2 = "Two";
         w.HeaderBlankLines = 2;
         w.TopSceneContinued = w.BottomSceneContinued = 1;
       },
       9},
      {"a locked header text carried by the break counts as a second line",
       [forced](TMDIChild& w) {
         w.HeaderTextLocked = 1;
         forced->text = PackText("12 REVISED");
       },
       3},
      {"headers not shown", [this](TMDIChild&) { Options().DisplayHeaders = false; }, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    static_cast<TScriptSettings&>(Window()) = TScriptSettings{};
    forced->text = PackText(" ");
    c.setup(Window());
    EXPECT_EQ(PageBreakLineCount(Window(), forced), c.lines);
  }
}

// Ten Actions of 20 lines (1,050 dots each) broken at any line: pages of
// 2,630 dots take two whole Actions or parts of three.
TEST_F(RepaginationTest, AScriptOfKnownLength) {
  UseNoPrinter();
  Load(std::vector<ElementSpec>(10, ActionLines(20)));
  Window().ActionBreakMode = 3;
  Repaginate();
  EXPECT_EQ(Shape(), (std::vector<std::string>{"A240 A240 A108", "A132 A240 A216", "A24 A240 A240 A72",
                                               "A168 A240 A180", "A60"}));
  EXPECT_EQ(PageNumbers(), (std::vector<std::string>{"2", "3", "4", "5"}));
  EXPECT_EQ(BreakStates(), (std::vector<int>{spFirstPiece, spFirstPiece, spFirstPiece, spFirstPiece}));
}

TEST_F(RepaginationTest, AGeneratedScreenplay) {
  UseNoPrinter();
  Load(GenerateScreenplay(20240601, 120));
  Repaginate();

  std::ifstream file(std::string(QM_SOURCE_DIR) + "/tests/script/fixtures/generated_first_pages.txt");
  ASSERT_TRUE(file);
  std::vector<std::string> checked;
  for (std::string line; std::getline(file, line);)
    if (!line.empty() && line[0] != '#') checked.push_back(line);
  ASSERT_EQ(checked.size(), 4u);
  const std::vector<std::string> pages = Shape();
  ASSERT_GE(pages.size(), 110u);
  ASSERT_LE(pages.size(), 130u);
  EXPECT_EQ(std::vector<std::string>(pages.begin(), pages.begin() + 4), checked);

  // Pages and scenes are numbered one after the other.
  const std::vector<std::string> numbers = PageNumbers();
  for (size_t i = 0; i < numbers.size(); ++i) EXPECT_EQ(numbers[i], std::to_string(i + 2));
  int scene = 0;
  for (const TElementGroup* g = Window().FirstElement->group; g; g = g->next)
    if (g->first->Kind() == ekSceneHeading) {
      EXPECT_EQ(g->number, ++scene);
    }
  EXPECT_GT(scene, 50);

  const auto once = Elements();
  Repaginate();
  EXPECT_EQ(Elements(), once);
}

TEST_F(RepaginationTest, ALongElementIsJoinedAgainInFull) {
  // 2,599 characters, far past the 2,304 the joined text was once cut to.
  const std::string longText = Words(520);
  Load({ActionLines(20), {ekAction, longText}, ActionLines(1)});
  Repaginate();
  ASSERT_EQ(BreakStates(), std::vector<int>{spFirstPiece});
  Repaginate();
  Window().RejoinSplitElements();
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{ActionLines(20), {ekAction, longText}, ActionLines(1)}));

  // Pieces that joined would not fit the edit line stay apart.
  Window().FreeElements();
  const std::string piece = Words(330);
  Load({{ekAction, piece}, {ekAutoPageBreak, " "}, {ekAction, piece}});
  ElementNo(1)->split = spFirstPiece;
  Window().RebuildElementGroups();
  Window().RejoinSplitElements();
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, piece}, {ekAction, piece}}));
}

// A dialogue paragraph (one line before it, as Add Dialogue Paragraph makes
// it) that a page opens under the repeated name prints no blank line
// there; once the break is out it has its line again, so that a second
// pass lays the speech out as the first did, wherever the page falls.
TEST_F(RepaginationTest, ADialogueParagraphGetsItsLineBackWhenItsPageBreakGoes) {
  const std::string first = Words(70), paragraph = Words(40, 5);
  int underRepeatedName = 0;
  for (int filler = 24; filler <= 44; ++filler) {
    SCOPED_TRACE(filler);
    Window().FreeElements();
    Load({ActionLines(filler), {ekCharacterName, "JOE"}, {ekDialogue, first}, {ekDialogue, paragraph}, ActionLines(1)});
    ElementNo(3)->format.LinesBefore = 10;
    Window().RebuildElementGroups();
    Repaginate();
    for (const TScriptElement* e = Window().FirstElement; e; e = e->next)
      if (e->Kind() == ekCharacterName && e->prev && e->prev->Kind() == ekAutoPageBreak && e->next &&
          e->next->Kind() == ekDialogue && e->next->text && UnpackText(*e->next->text) == paragraph)
        ++underRepeatedName;
    const auto once = Elements();
    Repaginate();
    EXPECT_EQ(Elements(), once);
    Window().RejoinSplitElements();
    ASSERT_EQ(ElementNo(3)->Kind(), ekDialogue);
    EXPECT_EQ(ElementNo(3)->format.LinesBefore, 10);
  }
  EXPECT_GT(underRepeatedName, 0) << "no page opened with the paragraph under the repeated name";
}

// Something put into a speech just before its page break (as the activity
// wizard puts its Shots at the caret) parts the speech: the rest stands on
// its own once the break is out, headed by the name the break repeated,
// as a fresh grouping has it, so that a second pass breaks the pages as
// the first.
TEST_F(RepaginationTest, TheRestOfAPartedSpeechStandsOnItsOwnAfterItsBreakGoes) {
  Load({ActionLines(30),
        {ekCharacterName, "ANNA"},
        DialogueLines(6),
        {ekShot, "ENDIF"},
        {ekAutoPageBreak, " "},
        {ekCharacterName, "ANNA"},
        DialogueLines(60),
        ActionLines(2)});
  ElementNo(4)->split = spSecondPiece;
  ElementNo(5)->split = RepeatedCueCode(ElementNo(1)->split);
  Window().RebuildElementGroups();
  Repaginate();
  // The shot is no part of the speech: the name after the break is not
  // the name of its speech, and stays to head the rest.
  const auto once = Elements();
  ASSERT_EQ(once[4], (ElementSpec{ekCharacterName, "ANNA"}));
  Repaginate();
  EXPECT_EQ(Elements(), once);
}

// A script never begins with an automatic break: what pointed at one taken
// away there goes on at the page it opened, as at any other break.
TEST_F(RepaginationTest, ACursorOnALeadingBreakGoesOnToItsPage) {
  Load({{ekAutoPageBreak, " "}, {ekAction, "One."}, {ekAction, "Two."}});
  TScriptElement* opened = ElementNo(1);
  TScriptElement* cursor = ElementNo(0);
  RegisterElementCursor(&cursor);
  Window().RejoinSplitElements();
  UnregisterElementCursor(&cursor);
  ASSERT_EQ(Window().FirstElement, opened) << "the break is gone";
  EXPECT_EQ(cursor, opened);
}

// A run without a blank is cut inside a line: repaginating again, and
// again, gives the same one element back between the passes.
TEST_F(RepaginationTest, AnUnbreakableRunIsJoinedAgainAfterEveryPass) {
  const std::string run(2000, 'x');
  Load({ActionLines(20), {ekAction, run}, ActionLines(1)});
  for (int pass = 1; pass <= 3; ++pass) {
    SCOPED_TRACE(pass);
    Repaginate();
    ASSERT_EQ(BreakStates(), std::vector<int>{spFirstPiece});
    Window().RejoinSplitElements();
    EXPECT_EQ(Elements(), (std::vector<ElementSpec>{ActionLines(20), {ekAction, run}, ActionLines(1)}));
  }
}

// The first sentence fills its line up to the margin, which its first
// blank reaches; of the two blanks after it the second opens the next line
// of the whole text.
TEST_F(RepaginationTest, ABlankThatOpensALineGoesWithTheNextPiece) {
  const std::string text = Words(11) + " abc.  " + Words(144);
  Load({ActionLines(40), {ekAction, text}, ActionLines(1)});
  Window().ActionBreakMode = 1;
  Repaginate();
  EXPECT_EQ(Shape(), (std::vector<std::string>{"A480 A12", "A144 A12"}));
  EXPECT_EQ(ElementNo(1)->lineCount, 1);
  EXPECT_EQ(UnpackText(*ElementNo(3)->text).substr(0, 2), " a");
  Window().RejoinSplitElements();
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{ActionLines(40), {ekAction, text}, ActionLines(1)}));
}

TEST_F(RepaginationTest, NoAutoPaginationStopsOnlyTheBackgroundPass) {
  Options().NoAutoPagination = true;
  Load({ActionLines(40), ActionLines(40)});
  Window().RefreshLayout(TMDIChild::TLayoutRun::Background);
  EXPECT_EQ(Shape().size(), 1u);
  Window().RefreshLayout(TMDIChild::TLayoutRun::Explicit);
  EXPECT_EQ(Shape().size(), 2u);
  Options().NoAutoPagination = false;
  Window().RefreshLayout(TMDIChild::TLayoutRun::Background);
  EXPECT_EQ(Shape().size(), 2u);
}

TEST_F(RepaginationTest, TheCaretStaysOnItsCharacter) {
  Load({ActionLines(40), {ekAction, Sentences(20, 11)}, ActionLines(1)});
  TScriptElement* split = ElementNo(1);
  EditFields(Window()).CurrentElement = split;
  const std::string text = Sentences(20, 11);
  const Word column = 57 * 15 + 3;  // in the 16th sentence, on the next page
  EditFields(Window()).CaretColumn = column;
  Repaginate();
  ASSERT_EQ(BreakStates(), std::vector<int>{spFirstPiece});
  TScriptElement* current = Window().CurrentElement();
  EXPECT_EQ(current, ElementNo(3));
  // The pass leaves the current element in the edit line.
  const std::string piece = current->text ? UnpackText(*current->text) : Window().EditBuffer();
  ASSERT_LT(Window().CaretColumn(), piece.size());
  EXPECT_EQ(piece.substr(Window().CaretColumn()), text.substr(column));

  // Taking the break out again brings the caret back with its text.
  Window().RejoinSplitElements();
  EXPECT_EQ(Window().CurrentElement(), split);
  EXPECT_EQ(Window().CaretColumn(), column);
}

TEST_F(RepaginationTest, TheEditLineLeavesAnAutomaticBreak) {
  Load({ActionLines(40), ActionLines(20), ActionLines(1)});
  Window().ActionBreakMode = 0;
  Repaginate();
  EditFields(Window()).CurrentElement = ElementNo(1);
  ASSERT_EQ(Window().CurrentElement()->Kind(), ekAutoPageBreak);
  Window().RefreshKeepingCursor();
  EXPECT_NE(Window().CurrentElement()->Kind(), ekAutoPageBreak);
  EXPECT_EQ(Window().CaretColumn(), 0);
}

TEST_F(RepaginationTest, SplittingCarriesStylesBlocksAndRevisedLines) {
  // Five lines, bold open from the third line on, blue (code 16) open from
  // the start, italics closed again.
  const std::string text = "\x19" + Words(12) + "\x1A " + Words(12) + " \x02" + Words(36) + "\x11";
  Load({{ekAction, "\x10" + text}});
  TScriptElement* whole = ElementNo(0);
  whole->format.Style = stItalic;
  whole->revisedLines = std::string{1, 4, 5};
  EditFields(Window()).BlockOn = 1;
  whole->blockStart = 10;
  whole->blockEnd = 200;
  Window().WordWrapText(whole, UnpackText(*whole->text), false, false);
  ASSERT_EQ(whole->lineCount, 5);
  Window().RebuildElementGroups();

  TPageBreaker pass(Window());
  EXPECT_FALSE(pass.SplitElementAt(whole, EditBufferSize));
  EXPECT_FALSE(pass.SplitElementAt(whole, static_cast<int>(text.size())));
  const int afterThirdLine = static_cast<int>(UnpackText(*whole->text).find('\x02')) + 60;
  ASSERT_TRUE(pass.SplitElementAt(whole, afterThirdLine));
  TScriptElement* second = whole->next;
  EXPECT_EQ(second->Kind(), ekAction);
  EXPECT_EQ(second->format.Style & (stBold | stItalic), stBold);
  EXPECT_EQ(second->format.ColorIndex(), ElementColorIndex(16));
  EXPECT_EQ(whole->lineCount, 3);
  EXPECT_EQ(second->lineCount, 2);
  EXPECT_EQ(*whole->revisedLines, std::string{1});
  EXPECT_EQ(*second->revisedLines, (std::string{1, 2}));
  EXPECT_EQ(whole->blockStart, 10);
  EXPECT_EQ(whole->blockEnd, static_cast<int>(UnpackText(*whole->text).size()) - 1);
  EXPECT_EQ(second->blockStart, 0);
  EXPECT_EQ(second->group->first, second);
  EXPECT_EQ(whole->group->count, 1);
}

}  // namespace
}  // namespace qm::testing

#include "base/program_options.h"
#include "shell/program_settings.h"
#include "script/layout/char_widths.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/menus.h"
#include "platform/profile.h"
#include "script/layout/element_parentheses.h"
#include "script/layout/screen_lines.h"
#include "script/layout/screen_rebuild.h"
#include "shell/main_form.h"
#include "support/layout_fixture.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

using testing::LayoutFixture;

class CharWidthsTest : public LayoutFixture {
 protected:
  void SetUp() override {
    LayoutFixture::SetUp();
    Build({{ekAction, "text"}});
    MeasureScreenFont(Window(), Window().CurrentElement());
  }
  int Screen(int style, Byte ch) { return Window().ScreenWidths[static_cast<std::size_t>(style)][ch]; }
  int Layout(int style, Byte ch) { return Window().LayoutWidths[static_cast<std::size_t>(style)][ch]; }
};

TEST_F(CharWidthsTest, LayoutTablesAre300DpiAndScreenTablesFollowTheZoom) {
  EXPECT_EQ(Layout(wsPlain, 'A'), 30);
  EXPECT_EQ(Layout(wsBoldItalic, 'z'), 30);
  EXPECT_EQ(Screen(wsPlain, 'A'), 10);
  EXPECT_EQ(Window().ScreenCharHeight, 18);
  ProgramOptions().ZoomSize = 50;
  MeasureScreenFont(Window(), Window().CurrentElement());
  EXPECT_EQ(Layout(wsPlain, 'A'), 30) << "the zoom leaves the layout alone";
  EXPECT_EQ(Screen(wsPlain, 'A'), 5);
  EXPECT_EQ(Window().ScreenCharHeight, 10);
}

TEST_F(CharWidthsTest, TheTablesAreMeasuredAgainOnlyWhenTheFontChanges) {
  Window().LayoutWidths[wsPlain]['Q'] = 77;
  MeasureScreenFont(Window(), Window().CurrentElement());
  EXPECT_EQ(Layout(wsPlain, 'Q'), 77) << "the same font is not measured again";
  const struct {
    const char* what;
    void (*change)(TMDIChild&);
  } cases[] = {
      {"zoom", [](TMDIChild&) { ProgramOptions().ZoomSize = 120; }},
      {"display font", [](TMDIChild&) { ProgramOptions().DisplayFont = "Arial"; }},
      {"script font", [](TMDIChild& w) { w.ScriptFontName = "Times New Roman"; }},
      {"element font size", [](TMDIChild& w) { w.CurrentElement()->format.FontSize = 10; }},
      {"display codes", [](TMDIChild& w) { w.LayoutOptions.ShowCodes = 1; }},
      {"stale tables", [](TMDIChild& w) { w.WidthsStale = true; }},
  };
  for (const auto& c : cases) {
    MeasureScreenFont(Window(), Window().CurrentElement());
    Window().LayoutWidths[wsPlain]['Q'] = 77;
    c.change(Window());
    MeasureScreenFont(Window(), Window().CurrentElement());
    EXPECT_NE(Layout(wsPlain, 'Q'), 77) << c.what;
  }
  EXPECT_FALSE(Window().WidthsStale);
}

TEST_F(CharWidthsTest, ElementsInTwoFontsEachGetTheirOwnTables) {
  testing::AddElements(Window(), {{ekAction, "large"}});
  TScriptElement* plain = Window().FirstElement;
  TScriptElement* large = plain->next;
  large->format.FontSize = 24;
  const auto plainLayout = Window().LayoutWidths;
  const auto plainScreen = Window().ScreenWidths;
  const Word plainHeight = Window().ScreenCharHeight;
  for (int round = 0; round < 2; ++round) {
    MeasureScreenFont(Window(), large);
    EXPECT_EQ(Layout(wsPlain, 'A'), 60) << round;
    EXPECT_EQ(Screen(wsPlain, 'A'), 19) << round;
    MeasureScreenFont(Window(), plain);
    EXPECT_EQ(Window().LayoutWidths, plainLayout) << round;
    EXPECT_EQ(Window().ScreenWidths, plainScreen) << round;
    EXPECT_EQ(Window().ScreenCharHeight, plainHeight) << round;
  }
}

TEST_F(CharWidthsTest, SpecialCharactersTakeTheirWidthsInEveryStyle) {
  const Byte zeroWithoutCodes[] = {SoftHyphen, HardReturn, 2, 3, 21, 25};
  for (int style = wsPlain; style <= wsBoldItalic; ++style) {
    EXPECT_EQ(Screen(style, HardSpace), Screen(style, ' '));
    EXPECT_EQ(Layout(style, HardSpace), Layout(style, ' '));
    EXPECT_EQ(Screen(style, HardDash), Screen(style, '-'));
    for (Byte ch : zeroWithoutCodes) {
      EXPECT_EQ(Screen(style, ch), 0) << int(ch);
      EXPECT_EQ(Layout(style, ch), 0) << int(ch);
    }
  }
  Window().LayoutOptions.ShowCodes = 1;
  MeasureScreenFont(Window(), Window().CurrentElement());
  EXPECT_EQ(Screen(wsPlain, SoftHyphen), 10) << "shown codes are measured like other characters";
  EXPECT_EQ(Screen(wsPlain, HardReturn), 10);
  EXPECT_EQ(Screen(wsPlain, BoldOn), 30) << "[B] in three columns";
  EXPECT_EQ(Screen(wsBoldItalic, BoldOn), 30);
  EXPECT_EQ(Screen(wsPlain, 253), 10) << "without user colours 253 is a letter";
  Window().UsesUserColours = 1;
  MeasureScreenFont(Window(), Window().CurrentElement());
  EXPECT_EQ(Screen(wsItalic, 253), 40) << "[U1]";
}

TEST_F(CharWidthsTest, MeasureTextWidthFollowsTheStyleCodes) {
  // Distinct widths per style make the chosen table visible.
  Window().ScreenWidths[wsBold]['x'] = 13;
  Window().ScreenWidths[wsItalic]['x'] = 17;
  Window().ScreenWidths[wsBoldItalic]['x'] = 19;
  const struct {
    std::string text;
    int from, to;
    Byte style;  // the element's own style bits
    int width;
  } cases[] = {
      {"xx", 0, 1, 0, 20},
      {"\x02x\x03x", 0, 3, 0, 13 + 10},
      {"\x02x\x03x", 1, 1, 0, 13},  // bold from the codes before the stretch
      {"x\x19x\x1Ax", 0, 4, 0, 10 + 17 + 10},
      {"\x02\x19x", 0, 2, 0, 19},
      {"x\x03x", 0, 2, stBold, 13 + 10},  // bold by the format until the off code
      {"x\x04x", 0, 2, 0, 30},
      {"ab\xA7~", 0, 3, 0, 20},
  };
  for (const auto& c : cases) {
    Window().CurrentElement()->format.Style = c.style;
    EditFields(Window()).EditBuffer = c.text;
    EXPECT_EQ(MeasureTextWidth(Window(), c.from, c.to), c.width) << c.text;
  }
}

TEST_F(CharWidthsTest, AllCapitalsElementsMeasureInUpperCase) {
  Window().ScreenWidths[wsPlain]['M'] = 14;
  EditFields(Window()).EditBuffer = "m";
  EXPECT_EQ(MeasureTextWidth(Window(), 0, 0), 10);
  Window().CurrentElement()->format.AllCaps = 1;
  EXPECT_EQ(MeasureTextWidth(Window(), 0, 0), 14);
  Window().CurrentElement()->format.Kind = ekCharacterName;
  EXPECT_EQ(MeasureTextWidth(Window(), 0, 0), 10) << "a Character Name is stored as it shows";
}

TEST_F(CharWidthsTest, FillOutModeGivesTagsAndColoursTheirWidth) {
  EditFields(Window()).EditBuffer = std::string("a\x18"
                                                "b");  // 24: a tag code of the zero-width set
  EXPECT_EQ(MeasureTextWidth(Window(), 0, 2), 20);
  LayoutProgramOptions.FillOutBreakdowns = true;
  Window().TaggingUsed = 1;
  EXPECT_GT(MeasureTextWidth(Window(), 0, 2), 20);
}

// In tagging mode a user colour's codes stand on screen as their marks in
// bold ("[U1]"): the caret is measured past the marks as they are drawn,
// with display codes shown or not.
TEST_F(CharWidthsTest, ColourMarksTakeTheWidthTheyAreDrawnIn) {
  Window().UsesUserColours = 1;
  LayoutProgramOptions.FillOutBreakdowns = true;
  Window().TaggingUsed = 1;
  for (const bool showCodes : {false, true}) {
    SCOPED_TRACE(showCodes ? "codes shown" : "codes hidden");
    Window().LayoutOptions.ShowCodes = showCodes;
    EditFields(Window()).EditBuffer = std::string("\xFD\xF5warning");  // the open codes of U1 and U4
    const int measured = MeasureTextWidth(Window(), 0, 8);
    int drawn = 0;
    for (char c : std::string("[U1][U4]")) drawn += Screen(wsBold, static_cast<Byte>(c));
    for (char c : std::string("warning")) drawn += Screen(wsPlain, static_cast<Byte>(c));
    EXPECT_EQ(measured, drawn);
  }
}

// In tagging mode a tag stands on screen as its label in bold ("[Cast
// Members Mary]"): the caret at the line's end and a click on a word land
// where the line is drawn, with display codes shown or not.
TEST_F(CharWidthsTest, TagLabelsTakeTheWidthTheyAreDrawnIn) {
  Window().TaggingUsed = 1;
  LayoutProgramOptions.FillOutBreakdowns = true;
  const std::string text = "\x06Mary\x01 stirs a pot.  A knife lies here.";
  for (const bool showCodes : {false, true}) {
    SCOPED_TRACE(showCodes ? "codes shown" : "codes hidden");
    Window().LayoutOptions.ShowCodes = showCodes;
    EditFields(Window()).EditBuffer = text;
    Window().CurrentElement()->screenLine = 1;
    WrapCurrent();
    const TScreenLine& row = Window().ScreenLines[1];
    ASSERT_EQ(row.text, "[Cast Members Mary] stirs a pot.  A knife lies here.");
    const int length = static_cast<int>(text.size());
    EXPECT_EQ(MeasureTextWidth(Window(), 0, length - 1), ShownTextWidth(Window(), row, 1, length + 14))
        << "the caret at the end stands past the drawn text";
    const int knifeShown = static_cast<int>(row.text.find("knife"));
    const int left = Window().LeftTextOffset + ScreenTextLeft(Window(), *Window().CurrentElement(), 1);
    const int x = left + ShownTextWidth(Window(), row, 1, knifeShown) + 1;
    EXPECT_EQ(ColumnUnderX(Window(), 1, x), static_cast<int>(text.find("knife")))
        << "a click on the drawn k of knife lands on its k";
  }
}

TEST(BreakdownTagLabel, NamesTheCategoryOfATagCode) {
  // clang-format off
  const struct {
    Byte code;
    std::string label;
  } cases[] = {
      {142, "[Additional Labor "}, {6, "[Cast Members "}, {24, "[Livestock "}, {184, "[User Defined #3 "},
      {1, "]"},                    {5, ""},               {2, ""},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(BreakdownTagLabel(c.code), c.label) << int(c.code);
}

TEST_F(CharWidthsTest, TagLabelsFollowTheCategoryMenu) {
  TMainForm main(nullptr);
  MainForm = &main;
  auto* menu = new TPopupMenu(&main);
  menu->Name = "SelectMenu";
  menu->Items()->AddItem("&Grips");
  EXPECT_EQ(BreakdownTagLabel(142), "[Grips ");
  MainForm = nullptr;
}

TEST_F(CharWidthsTest, CodeLabelsShowOnlyWhatTheModeAsksFor) {
  const struct {
    const char* what;
    bool showCodes, fillOut;
    Byte code;
    std::string shown;
    int boldColumns;
    int shift;
  } cases[] = {
      {"codes shown: bold on", true, false, 2, "[B]", 3, 3},
      {"codes shown: italics off", true, false, 26, "[i]", 3, 3},
      {"codes shown: a tag code adds no shift", true, false, 142, "[Additional Labor ", 18, 0},
      {"codes shown: tag end", true, false, 1, "]", 1, 0},
      {"codes shown: a user colour", true, false, 253, "[U1]", 4, 0},
      {"codes hidden: nothing", false, false, 2, "", 0, 0},
      {"codes hidden: not even a tag", false, false, 142, "", 0, 0},
      {"fill-out: a tag", false, true, 6, "[Cast Members ", 14, 0},
      {"fill-out: a colour", false, true, 254, "[u1]", 4, 0},
      {"fill-out: no style marks", false, true, 2, "", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Window().LayoutOptions.ShowCodes = c.showCodes;
    LayoutProgramOptions.FillOutBreakdowns = c.fillOut;
    std::string line = "ab";
    std::array<Byte, ScreenLineColumns + 1> attributes{};
    Word shift = 0;
    AppendCodeLabel(Window(), c.code, line, ScreenLineColumns, attributes.data(), shift);
    EXPECT_EQ(line, "ab" + c.shown);
    int bold = 0;
    for (Byte a : attributes) bold += a == AttrBold;
    EXPECT_EQ(bold, c.boldColumns);
    if (c.boldColumns) {
      EXPECT_EQ(attributes[3], AttrBold) << "from the column after the text";
    }
    EXPECT_EQ(shift, c.shift);
  }
}

TEST_F(CharWidthsTest, CodeLabelsStopAtTheLineEnd) {
  Window().LayoutOptions.ShowCodes = 1;
  std::string line(148, 'x');
  std::array<Byte, ScreenLineColumns + 1> attributes{};
  Word shift = 0;
  AppendCodeLabel(Window(), 2, line, ScreenLineColumns, attributes.data(), shift);
  EXPECT_EQ(line.size(), 150u);
  EXPECT_EQ(attributes[149], AttrBold);
  EXPECT_EQ(attributes[150], 0) << "attributes are written up to column 149";
  AppendCodeLabel(Window(), 2, line, ScreenLineColumns, nullptr, shift);
  EXPECT_EQ(line.size(), 150u);
}

TEST(PrinterTextWidth, SumsThePrinterWidthsOfTheCharacters) {
  TPrinterWidths widths{};
  widths.fill(25);
  widths['A' - 32] = 30;
  widths['W' - 32] = 0x10028;  // only the low 16 bits count
  EXPECT_EQ(PrinterTextWidth("", widths), 0);
  EXPECT_EQ(PrinterTextWidth("\x02\x03\x15", widths), 0);
  EXPECT_EQ(PrinterTextWidth("AbW", widths), 30 + 25 + 40);
  EXPECT_EQ(PrinterTextWidth("\x02"
                             "A\x03",
                             widths),
            30);
}

TEST_F(CharWidthsTest, AnElementsFontComesFromTheFontTable) {
  TScriptElement* element = Window().CurrentElement();
  element->format.SetFontIndex(2);
  EXPECT_EQ(ElementFontName(Window(), element), Window().ScriptFontName) << "an empty entry means the script font";
  Window().FontNameTable[2] = "Arial";
  EXPECT_EQ(ElementFontName(Window(), element), "Arial");
  MeasureScreenFont(Window(), element);
  EXPECT_NE(Layout(wsPlain, 'i'), Layout(wsPlain, 'W')) << "measured in the proportional font";
}

}  // namespace
}  // namespace qm

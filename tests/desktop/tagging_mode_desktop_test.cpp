// Tagging mode on the real desktop: the first time, the tag code letters
// are asked about in blue beside the texts that speak of them; while the
// mode is on the main window's title says so; the caret of a line whose
// user colour codes show as "[U1][U4]" stands where the typing goes on;
// and on a line whose tags show as their labels a drag tags the words it
// was drawn over and End puts the caret past the drawn text.
#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "desktop/desktop_session.h"
#include "desktop/screen_pixels.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

bool Blue(const Rgb& p) { return p.b > 200 && p.r < 60 && p.g < 60; }

// Production > Breakdowns > Tagging Mode.
void ToggleTaggingMode(DesktopSession& session) { session.Keys("alt+r b t", 500); }

TEST(TaggingModeDesktopTest, TheCodeLettersShowInBlueAndTheTitleSaysTaggingMode) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("A truck waits.");
  ToggleTaggingMode(session);
  ASSERT_TRUE(session.WaitForWindowTitle("Breakdown Tagging", 10)) << session.ActiveWindowTitle();
  session.Settle();
  const std::optional<WindowGeometry> page = session.ActiveWindowGeometry();
  ASSERT_TRUE(page.has_value());
  {
    const ScreenPixels pixels(session, session.Screenshot("tagging_code_letters"));
    ASSERT_TRUE(pixels.Loaded());
    const auto letters = pixels.InkColumns({page->x, page->y, page->width, page->height}, Blue);
    EXPECT_GE(letters.size(), 10u) << "the seventeen letters asked about stand in blue";
  }
  session.Keys("Return");  // Yes: every letter is a square or a code
  ASSERT_TRUE(session.WaitForWindowTitle("Breakdown Tagging Mode", 10)) << session.ActiveWindowTitle();
  session.Screenshot("tagging_mode_title");
  ToggleTaggingMode(session);
  EXPECT_TRUE(session.WaitForWindowTitle("Quillmaster for Windows", 10)) << session.ActiveWindowTitle();
  EXPECT_EQ(session.ActiveWindowTitle().find("Breakdown Tagging Mode"), std::string::npos);
}

// The columns of `box` whose pixels differ between two screenshots: the
// blinking caret.
std::set<int> ChangedColumns(const ScreenPixels& a, const ScreenPixels& b, const Box& box) {
  std::set<int> columns;
  for (int x = box.x; x < box.Right(); ++x)
    for (int y = box.y; y < box.Bottom(); ++y)
      if (!(a.At(x, y) == b.At(x, y))) columns.insert(x);
  return columns;
}

// Chooses user colour `color` (1..7) from Edit > Change Text Color > User
// Defined, answering the question that turns the colour letters into codes
// the first time.
void ChooseUserColor(DesktopSession& session, int color, bool first) {
  session.Keys("alt+e l u", 500);
  if (first) {
    ASSERT_TRUE(session.WaitForWindowTitle("Attention", 10)) << session.ActiveWindowTitle();
    session.Type("YES", 200);
  }
  ASSERT_TRUE(session.WaitForWindowTitle("Select User Colors", 10)) << session.ActiveWindowTitle();
  const std::optional<WindowGeometry> area = session.ActiveClientArea();
  ASSERT_TRUE(area.has_value());
  session.Click(area->x + 8 + (color - 1) * 42 + 19, area->y + 27);
  session.Keys("Return");
  ASSERT_TRUE(session.WaitForTitleGone("Select User Colors", 10));
}

TEST(TaggingModeDesktopTest, TheCaretStandsPastTheColourMarks) {
  testing::TempFolder home;
  testing::WriteFileText(home.Path() + "/QUILLPAD.INI", "[Breakdowns]\r\nChecked Code Usage=1\r\n");
  DesktopSession session({}, home.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  ChooseUserColor(session, 1, true);
  ChooseUserColor(session, 4, false);
  session.ClickInScript();
  session.Keys("End");
  session.Type("warning");
  ToggleTaggingMode(session);
  session.Settle(1500);
  // The page round a point right of the text and below it; the line is its
  // only ink (the margin marks at its left edge left out).
  const ScreenPixels first(session, session.Screenshot("colour_marks_caret"));
  ASSERT_TRUE(first.Loaded());
  const Box page = first.WhiteAround(650, 500);
  const auto rows = first.InkRows({page.x + 40, page.y, page.width - 40, page.height}, DarkInk);
  ASSERT_FALSE(rows.empty()) << "the line shows";
  const Box line{page.x + 40, rows.front().first, page.width - 40, rows.front().second - rows.front().first + 1};
  std::set<int> caret;
  std::optional<ScreenPixels> other;
  for (int look = 0; look < 8 && caret.empty(); ++look) {
    session.Settle(300);
    other.emplace(session, session.Screenshot("colour_marks_caret_" + std::to_string(look)));
    caret = ChangedColumns(first, *other, line);
  }
  ASSERT_FALSE(caret.empty()) << "the caret blinks on the line";
  // The look without the caret: its ink ends with the "g" of "warning".
  const int middle = *caret.begin();
  const ScreenPixels& bare =
      first.At(middle, line.y + line.height / 2).Brightness() > other->At(middle, line.y + line.height / 2).Brightness()
          ? first
          : *other;
  const auto ink = bare.InkColumns(line, DarkInk);
  ASSERT_FALSE(ink.empty());
  const int textRight = ink.back().second;
  EXPECT_GE(*caret.begin(), textRight - 1) << "the caret stands past the text, not inside it";
  EXPECT_LE(*caret.begin() - textRight, 8) << "and right after it";
}

// The words of a line: runs of ink closer together than a blank (a letter
// of the fixed-pitch font leaves less than 8 pixels to the next one).
std::vector<std::pair<int, int>> WordsOnLine(const ScreenPixels& pixels, const Box& line) {
  std::vector<std::pair<int, int>> words;
  for (const auto& run : pixels.InkColumns(line, DarkInk)) {
    if (!words.empty() && run.first - words.back().second < 8) words.back().second = run.second;
    else words.push_back(run);
  }
  return words;
}

// The line of text of a script page with one line (the margin marks at
// its left edge left out).
std::optional<Box> OnlyLine(const ScreenPixels& pixels) {
  const Box page = pixels.WhiteAround(650, 500);
  const auto rows = pixels.InkRows({page.x + 40, page.y, page.width - 40, page.height}, DarkInk);
  if (rows.empty()) return std::nullopt;
  return Box{page.x + 40, rows.front().first, page.width - 40, rows.front().second - rows.front().first + 1};
}

// A drag over a word in tagging mode, then the category's letter on the
// menu that pops up; the caret then goes to the end, out of the words.
void TagWord(DesktopSession& session, const Box& line, const std::pair<int, int>& word, const std::string& letter) {
  const int y = line.y + line.height / 2;
  session.Drag(word.first - 1, y, word.second + 1, y);
  session.Settle(1000);
  session.Keys(letter, 1000);
  session.Keys("End");
  session.Settle(500);
}

TEST(TaggingModeDesktopTest, ADragAndTheCaretOnATaggedLineLandWhereTheLineIsDrawn) {
  testing::TempFolder home;
  testing::WriteFileText(home.Path() + "/QUILLPAD.INI", "[Breakdowns]\r\nChecked Code Usage=1\r\n");
  DesktopSession session({}, home.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("Mary stirs a pot.  A knife lies on the table.");
  ToggleTaggingMode(session);
  ASSERT_TRUE(session.WaitForWindowTitle("Breakdown Tagging Mode", 10)) << session.ActiveWindowTitle();
  session.Settle(1500);
  const ScreenPixels plain(session, session.Screenshot("tag_line_plain"));
  ASSERT_TRUE(plain.Loaded());
  const std::optional<Box> line = OnlyLine(plain);
  ASSERT_TRUE(line.has_value()) << "the line shows";
  const auto before = WordsOnLine(plain, *line);
  // Mary stirs a pot. A knife lies on the table.
  ASSERT_EQ(before.size(), 10u);
  TagWord(session, *line, before[0], "c");  // Cast Members
  const ScreenPixels cast(session, session.Screenshot("tag_line_cast"));
  const auto castWords = WordsOnLine(cast, *line);
  // [Cast Members Mary] stirs a pot. A knife lies on the table.
  ASSERT_EQ(castWords.size(), 12u) << "Mary is tagged and shows its label";
  TagWord(session, *line, castWords[7], "p");  // Props, over the drawn "knife"
  const ScreenPixels props(session, session.Screenshot("tag_line_props"));
  const auto propsWords = WordsOnLine(props, *line);
  // [Cast Members Mary] stirs a pot. A [Props knife] lies on the table.
  ASSERT_EQ(propsWords.size(), 13u);
  EXPECT_NEAR(propsWords[7].first, castWords[7].first, 3) << "the label stands where knife stood";
  EXPECT_GT(propsWords[9].first, castWords[8].first + 30) << "lies moved right past the tag's label";
  EXPECT_NEAR(propsWords[12].first - propsWords[9].first, castWords[11].first - castWords[8].first, 3)
      << "from lies to the end nothing was tagged";

  // A letter typed at the end (End was pressed last) shows there, and the
  // caret stands past it.
  session.Type("X");
  session.Settle(1000);
  const ScreenPixels typed(session, session.Screenshot("tag_line_end_typed"));
  const auto typedWords = WordsOnLine(typed, *line);
  ASSERT_EQ(typedWords.size(), 13u) << "the letter joins the last word";
  EXPECT_GT(typedWords.back().second, propsWords.back().second + 4) << "the X stands after table.";
  std::set<int> caret;
  for (int look = 0; look < 8 && caret.empty(); ++look) {
    session.Settle(300);
    const ScreenPixels other(session, session.Screenshot("tag_line_caret_" + std::to_string(look)));
    caret = ChangedColumns(typed, other, *line);
  }
  ASSERT_FALSE(caret.empty()) << "the caret blinks on the line";
  EXPECT_GE(*caret.begin(), typedWords.back().second - 1) << "the caret stands past the text";
  EXPECT_LE(*caret.begin() - typedWords.back().second, 8) << "and right after it";
}

}  // namespace
}  // namespace qm::desktop

// A breakdowns run: lengths in pages and eighths, group totals, the scenes
// it gathers, selects and sorts, and the names it lists.
#include "breakdown/breakdowns_run.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/message_box_form.h"
#include "base/message_boxes.h"
#include "breakdown/tag_notation.h"
#include "language/language_fixture.h"
#include "script/fixtures/pagination_fixture.h"
#include "script/model/script_record.h"
#include "script/model/text_codes.h"

namespace qm {
namespace {

using testing::T;
using Rows = std::vector<std::string>;

TEST(SceneLengthTest, LinesBecomePagesAndEighths) {
  struct Case {
    int lines, perEighth;
    TPageLength length;
    const char* column;
  } cases[] = {
      {0, 6, {0, 0}, "    0/8"},           {1, 6, {0, 1}, "    1/8"},        {7, 6, {0, 1}, "    1/8"},
      {8, 6, {0, 2}, "    2/8"},           {47, 6, {1, 0}, "  1 0/8"},       {48, 6, {1, 0}, "  1 0/8"},
      {49, 6, {1, 0}, "  1 0/8"},          {50, 6, {1, 1}, "  1 1/8"},       {56, 7, {1, 0}, "  1 0/8"},
      {55, 7, {1, 0}, "  1 0/8"},          {9, 7, {0, 2}, "    2/8"},        {8, 7, {0, 1}, "    1/8"},
      {3 * 48 + 13, 6, {3, 2}, "  3 2/8"}, {12 * 56, 7, {12, 0}, " 12 0/8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.lines) + " lines at " + std::to_string(c.perEighth));
    EXPECT_EQ(SceneLength(c.lines, c.perEighth), c.length);
    EXPECT_EQ(LengthColumnText(c.length), c.column);
  }
}

TEST(SceneLengthTest, GroupTotalsRoundOrCountTheLines) {
  EXPECT_EQ(RoundedTotal(2, 13), (TPageLength{3, 5}));
  EXPECT_EQ(RoundedTotal(0, 8), (TPageLength{1, 0}));
  EXPECT_EQ(TrueTotal(0, 6), (TPageLength{0, 1}));
  EXPECT_EQ(TrueTotal(95, 6), (TPageLength{2, 0}));
  EXPECT_EQ(TrueTotal(20, 6), (TPageLength{0, 4}));
  EXPECT_EQ(TrueTotal(19, 6), (TPageLength{0, 3}));
  EXPECT_EQ(TotalText({3, 2}), "3 2/8");
  EXPECT_EQ(TotalText({0, 2}), "2/8");
  EXPECT_EQ(TotalText({1, 0}), "1 0/8");
  // Five scenes of 8 lines: each rounds up to 2/8, 1 2/8 in all, but
  // their 40 lines are 7/8.
  TBreakdownOptions options;
  options.LinesPerEighth = 6;
  TGroupTotals totals;
  TRunScene scene;
  scene.Record.LineCount = 8;
  scene.Length = SceneLength(8, 6);
  for (int i = 0; i < 5; ++i) totals.Add(scene);
  options.TrueTotals = false;
  EXPECT_EQ(totals.Total(options), (TPageLength{1, 2}));
  options.TrueTotals = true;
  EXPECT_EQ(totals.Total(options), (TPageLength{0, 7}));
}

// Lengths of scenes laid out on printed pages: the lines each scene takes
// there, a page top giving one line before whatever opens it.
class PagedSceneLengthTest : public testing::PaginationFixture {};

TEST_F(PagedSceneLengthTest, ScenesMeasureTheLinesTheirPagesPrint) {
  // clang-format off
  Load({{ekSceneHeading, "INT. ONE - DAY"}, testing::ActionLines(5),
        {ekSceneHeading, "INT. TWO - DAY"}, testing::ActionLines(30), testing::ActionLines(20),
        {ekSceneHeading, "INT. THREE - DAY"}, testing::ActionLines(40),
        {ekSceneHeading, "INT. FOUR - NIGHT"}, testing::ActionLines(2)});
  // clang-format on
  Repaginate();
  TBreakdownOptions options;
  options.LinesPerEighth = 6;
  options.ListCharacters = false;
  TBreakdownRun run;
  ASSERT_TRUE(GatherBreakdownRun(Window(), options, run));
  Rows shape;
  for (const TRunScene& s : run.Scenes)
    shape.push_back(s.Record.Location + " " + std::to_string(s.Record.LineCount) + " " + s.Record.StartPage + "-" +
                    s.Record.EndPage + LengthColumnText(s.Length));
  // ONE: its heading and 1 + 5 lines, mid-page. TWO: 1 + 31 + 9 lines on
  // page 1, then the split Action's 12 lines under one line at the top of
  // page 2. THREE: 1 + 36 lines, then 1 + 5 on page 3. FOUR: 1 + 3.
  EXPECT_EQ(shape, (Rows{"INT. ONE - DAY 7 1-1    1/8", "INT. TWO - DAY 54 1-2  1 1/8",
                         "INT. THREE - DAY 43 2-3    7/8", "INT. FOUR - NIGHT 4 3-3    1/8"}))
      << ::testing::PrintToString(Shape());
  EXPECT_EQ(Shape(), (Rows{"H4 A60 H4 A360 A96", "A144 H4 A420", "A60 H4 A24"})) << "the pages measured";
}

TEST_F(PagedSceneLengthTest, AScenePrintingAboutAPageIsOnePageNotEightEighths) {
  Load({{ekSceneHeading, "INT. ONE - DAY"},
        testing::ActionLines(47),
        {ekShot, "CLOSE ON THE DOOR"},
        testing::ActionLines(3)});
  Repaginate();
  ASSERT_EQ(Shape(), (Rows{"H4 A563", "S4 A36"}));
  TBreakdownOptions options;
  options.ListCharacters = false;
  TBreakdownRun run;
  ASSERT_TRUE(GatherBreakdownRun(Window(), options, run));
  // 1 + (1 + 47) on page 1, the shot with one line before it at the top of
  // page 2, then 1 + 3: 55 lines, 7 lines to the eighth: 8 eighths.
  EXPECT_EQ(run.Scenes[0].Record.LineCount, 55);
  EXPECT_EQ(run.Scenes[0].Length, (TPageLength{1, 0}));
  EXPECT_EQ(run.Scenes[0].Record.StartPage + "-" + run.Scenes[0].Record.EndPage, "1-2");
}

class BreakdownRunTest : public testing::LanguageFixture {
 protected:
  void SetUp() override {
    LanguageFixture::SetUp();
    Settings().TaggingUsed = 1;
  }
  void AddFourScenes() {
    // clang-format off
    Add({{ekSceneHeading, "INT. HOUSE - NIGHT"}, {ekCharacterName, "ZOE"}, {ekDialogue, "Hi."},
         {ekSceneHeading, "EXT. GARDEN - DAY"}, {ekAction, "ADAM digs."},
         {ekSceneHeading, "INT. HOUSE - DAY"}, {ekCharacterName, "ADAM"}, {ekDialogue, "Zoe?"},
         {ekCharacterName, "ZOE"}, {ekDialogue, "Here."},
         {ekSceneHeading, "EXT. GARDEN - NIGHT"}, {ekAction, "Nobody."}});
    // clang-format on
    Number(0, 1);
    Number(3, 2);
    Number(5, 3);
    Number(10, 4);
    PlaceCaret(0);
  }
  Rows Order(const TBreakdownOptions& options) {
    TBreakdownRun run;
    EXPECT_TRUE(GatherBreakdownRun(Script(), options, run));
    Rows order;
    for (const TRunScene& s : run.Scenes) {
      std::string line = s.Record.SceneNumber + " " + s.Record.IntExt + "|" + s.Record.Location + "|" +
                         s.Record.TimeOfDay + (s.Wanted ? "" : " (out)");
      for (const std::string& name : SceneCharacters(run, s.Record)) line += " " + name;
      order.push_back(line);
    }
    return order;
  }
};

TEST_F(BreakdownRunTest, ScenesSortByThePrimaryThenTheSecondaryKey) {
  AddFourScenes();
  // clang-format off
  struct Case {
    const char* what;
    TPrimaryOrder primary;
    TSecondaryOrder secondary;
    Rows order;
  } cases[] = {
      {"script order, the heading whole", TPrimaryOrder::ScriptOrder, TSecondaryOrder::ScriptOrder,
       {"1 |INT. HOUSE - NIGHT| ZOE", "2 |EXT. GARDEN - DAY| ADAM", "3 |INT. HOUSE - DAY| ADAM ZOE",
        "4 |EXT. GARDEN - NIGHT|"}},
      {"INT/EXT, equal keys in script order", TPrimaryOrder::IntExt, TSecondaryOrder::ScriptOrder,
       {"2 EXT.|GARDEN|DAY ADAM", "4 EXT.|GARDEN|NIGHT", "1 INT.|HOUSE|NIGHT ZOE", "3 INT.|HOUSE|DAY ADAM ZOE"}},
      {"INT/EXT then time of day", TPrimaryOrder::IntExt, TSecondaryOrder::TimeOfDay,
       {"2 EXT.|GARDEN|DAY ADAM", "4 EXT.|GARDEN|NIGHT", "3 INT.|HOUSE|DAY ADAM ZOE", "1 INT.|HOUSE|NIGHT ZOE"}},
      {"time of day then location", TPrimaryOrder::TimeOfDay, TSecondaryOrder::Location,
       {"2 EXT.|GARDEN|DAY ADAM", "3 INT.|HOUSE|DAY ADAM ZOE", "4 EXT.|GARDEN|NIGHT", "1 INT.|HOUSE|NIGHT ZOE"}},
      {"characters: the secondary key alone", TPrimaryOrder::Characters, TSecondaryOrder::TimeOfDay,
       {"2 EXT.|GARDEN|DAY ADAM", "3 INT.|HOUSE|DAY ADAM ZOE", "1 INT.|HOUSE|NIGHT ZOE", "4 EXT.|GARDEN|NIGHT"}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TBreakdownOptions options;
    options.Primary = c.primary;
    options.Secondary = c.secondary;
    EXPECT_EQ(Order(options), c.order);
  }
}

TEST_F(BreakdownRunTest, TheChosenScenesAndNamesTakePart) {
  AddFourScenes();
  TBreakdownOptions options;
  options.Primary = TPrimaryOrder::Location;
  options.Scenes = TSceneChoice::Selected;
  options.Selected = {true, false, true, true};
  options.NonSpeaking = false;
  EXPECT_EQ(Order(options), (Rows{"2 EXT.|GARDEN|DAY (out)", "4 EXT.|GARDEN|NIGHT", "1 INT.|HOUSE|NIGHT ZOE",
                                  "3 INT.|HOUSE|DAY ADAM ZOE"}))
      << "without the non-speaking names ADAM only counts where he speaks";

  options = {};
  options.Primary = TPrimaryOrder::Characters;
  options.SomeNames = true;
  options.PickedNames = {"ZOE"};
  options.ListAllNamesOfPickedScenes = false;
  EXPECT_EQ(Order(options),
            (Rows{"1 INT.|HOUSE|NIGHT ZOE", "2 EXT.|GARDEN|DAY", "3 INT.|HOUSE|DAY ZOE", "4 EXT.|GARDEN|NIGHT"}))
      << "only the picked name is listed";
}

// The print menu's scene list of chosen names: scenes where they speak or
// appear in the action, any of them or every one.
TEST_F(BreakdownRunTest, TheScenesOfChosenNamesMakeTheirSceneList) {
  AddFourScenes();
  const struct {
    Rows names;
    bool every;
    const char* list;
  } cases[] = {
      {{"ZOE"}, false, "1,3"},           {{"ADAM"}, false, "2,3"},  // in scene 2 he only digs
      {{"ADAM", "ZOE"}, false, "1,2,3"}, {{"ADAM", "ZOE"}, true, "3"}, {{"ZOE", "NOBODY"}, true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.names[0] + (c.every ? " every" : " any"));
    EXPECT_EQ(ScenesOfCharacters(Script(), c.names, c.every), c.list);
  }
  Number(5, 12);
  EXPECT_EQ(ScenesOfCharacters(Script(), {"ADAM"}, false), "2,12") << "numbers as the headings carry them";
  // A name the script does not have is no pick at all.
  ExpectMessage("You haven't Selected Any Names", "Breakdown Canceled.");
  EXPECT_EQ(ScenesOfCharacters(Script(), {"NOBODY"}, false), "");
}

TEST_F(BreakdownRunTest, TheUserListLeadsTheNames) {
  AddFourScenes();
  SetList(TUserList::CharNames, {"ZOE"});
  TBreakdownOptions options;
  options.NameOrder = TNameOrder::UserList;
  TBreakdownRun run;
  ASSERT_TRUE(GatherBreakdownRun(Script(), options, run));
  EXPECT_EQ(run.Names, (Rows{"ZOE", "ADAM"}));
  EXPECT_EQ(SceneCharacters(run, run.Scenes[2].Record), (Rows{"ADAM", "ZOE"}));
  options.NameOrder = TNameOrder::Alphabetical;
  ASSERT_TRUE(GatherBreakdownRun(Script(), options, run));
  EXPECT_EQ(run.Names, (Rows{"ADAM", "ZOE"}));
}

TEST_F(BreakdownRunTest, StopsSayWhy) {
  Add({{ekAction, "No scenes at all."}});
  PlaceCaret(0);
  TBreakdownRun run;
  ExpectMessage("NO Scenes Found!");
  EXPECT_FALSE(GatherBreakdownRun(Script(), {}, run));

  Add({{ekSceneHeading, "INT. HALL - DAY"}, {ekAction, "Quiet."}});
  TBreakdownOptions options;
  options.Primary = TPrimaryOrder::Characters;
  ExpectMessage("Breakdown Canceled.", "No Character Names Found!");
  EXPECT_FALSE(GatherBreakdownRun(Script(), options, run));
  options.Primary = TPrimaryOrder::Location;
  ExpectMessage("No Character Names Found!\r\n\r\nContinue Anyway?", "", mrNo);
  EXPECT_FALSE(GatherBreakdownRun(Script(), options, run));
}

TEST_F(BreakdownRunTest, CancelStopsTheGatheringQuietly) {
  AddFourScenes();
  int asked = 0;
  TBreakdownRun run;
  EXPECT_FALSE(GatherBreakdownRun(Script(), {}, run, [&] { return ++asked < 3; }));
  EXPECT_EQ(asked, 3) << "asked at each scene until told to stop";
  EXPECT_TRUE(GatherBreakdownRun(Script(), {}, run, [] { return true; }));
  EXPECT_EQ(run.Scenes.size(), 4u);
}

// The progress box says when the scenes are sorted, and Cancel there stops
// the run too.
TEST_F(BreakdownRunTest, TheSortingShowsInTheProgressBoxAndCancelStopsIt) {
  AddFourScenes();
  ShowPleaseWait("Gathering Data", true, true);
  std::vector<std::string> shown;
  TBreakdownRun run;
  EXPECT_FALSE(GatherBreakdownRun(Script(), {}, run, [&] {
    shown.push_back(MsgBoxInstance().PleaseWaitText);
    return shown.back() != "Sorting Scenes";
  }));
  ClosePleaseWait();
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.front(), "Gathering Data");
  EXPECT_EQ(shown.back(), "Sorting Scenes");
}

// A heading split leaves no part empty: what it cannot find it names.
TEST_F(BreakdownRunTest, AMissingPartOfAHeadingIsReportedUnknown) {
  const struct {
    const char* heading;
    const char* row;
  } cases[] = {
      {"HOUSE - DAY", "UNKNOWN INT/EXT|HOUSE|DAY"}, {"INT. - NIGHT", "INT.|UNKNOWN LOCATION|NIGHT"},
      {"EXT. DAY", "EXT.|UNKNOWN LOCATION|DAY"},    {"GARDEN - NIGHT", "UNKNOWN INT/EXT|GARDEN|NIGHT"},
      {"INT. HOUSE - DAY", "INT.|HOUSE|DAY"},
  };
  for (const auto& c : cases) Add({{ekSceneHeading, c.heading}, {ekAction, "Still."}});
  PlaceCaret(0);
  TBreakdownOptions options;
  options.Primary = TPrimaryOrder::Location;
  options.ListCharacters = false;
  TBreakdownRun run;
  ASSERT_TRUE(GatherBreakdownRun(Script(), options, run));
  ASSERT_EQ(run.Scenes.size(), std::size(cases));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.heading);
    const auto found = std::find_if(run.Scenes.begin(), run.Scenes.end(), [&](const TRunScene& s) {
      return s.Record.IntExt + "|" + s.Record.Location + "|" + s.Record.TimeOfDay == c.row;
    });
    EXPECT_NE(found, run.Scenes.end());
  }
}

TEST_F(BreakdownRunTest, DoubtfulTimesOfDayAreAskedAbout) {
  Add({{ekSceneHeading, "INT. HALL - DUSKISH"},
       {ekSceneHeading, "INT. HALL - DAY"},
       {ekSceneHeading, "INT. HALL - EVENTIDE"}});
  PlaceCaret(0);
  TBreakdownOptions options;
  options.Primary = TPrimaryOrder::Location;
  options.ListCharacters = false;
  options.AskAboutTimes = true;
  ExpectMessage("Your VERY FIRST Scene has a time of day of DUSKISH\r\n\r\nShould I report it as DAY instead?", "",
                mrNo);
  ExpectMessage("'s Time-of-Day is \"EVENTIDE\" and I've identified the PREVIOUS Scene's Time-of-Day as \"DAY\"...", "",
                mrYes);
  TBreakdownRun run;
  ASSERT_TRUE(GatherBreakdownRun(Script(), options, run));
  EXPECT_EQ(run.Scenes[0].Record.TimeOfDay, "DUSKISH");
  EXPECT_EQ(run.Scenes[2].Record.TimeOfDay, "DAY");
}

}  // namespace
}  // namespace qm

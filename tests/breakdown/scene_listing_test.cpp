// A scene's tagged items listed by category: the fixed order, the menu
// captions as the user left them, the export numbers, and items wrapped
// at blanks under the report's right limit.
#include "breakdown/scene_listing.h"

#include <gtest/gtest.h>

#include "breakdown/breakdown_report_page.h"
#include "breakdown/categories.h"
#include "language/language_fixture.h"
#include "platform/headless/headless_backend.h"
#include "platform/printer.h"
#include "platform/recording_canvas.h"
#include "printing/print_run.h"

namespace qm {
namespace {

using Rows = std::vector<std::string>;

class SceneListingTest : public testing::LanguageFixture {
 protected:
  RecordingPrinter& Recorder() { return *Backend().PrinterList()[0]; }
};

TEST_F(SceneListingTest, CategoriesComeInTheirOrderUnderTheirCaptions) {
  BreakdownRecord r;
  r.Items[rsNotes] = {"late"};
  r.Items[rsCrew] = {"cook"};
  r.Items[rsCastMembers] = {"BOB"};
  r.Items[rsSceneDescription] = {"storm"};
  r.Items[rsProps] = {"gun"};
  CategoryMenus()[14].Caption = "&Hand Props";
  const auto rows = [&](bool exporting) {
    std::vector<std::pair<std::string, int>> out;
    for (const TListedItems& l : SceneItemLists(r, exporting)) out.emplace_back(l.Caption, l.Category->ExportNumber);
    return out;
  };
  using Out = std::vector<std::pair<std::string, int>>;
  EXPECT_EQ(rows(false),
            (Out{{"Scene Description", -1}, {"Cast Members", 0}, {"Hand Props", 4}, {"Crew", 21}, {"Notes", 20}}));
  EXPECT_EQ(rows(true), (Out{{"Cast Members", 0}, {"Hand Props", 4}, {"Crew", 21}, {"Notes", 20}}));
}

TEST_F(SceneListingTest, LongItemsWrapAtBlanksAndAWordTooLongPrintsWhole) {
  ASSERT_TRUE(StartPrintJob(false, "Listing"));
  CurrentPrintCanvas->Font.Name = "Courier New";
  CurrentPrintCanvas->Font.Size = 12;
  // A narrow page: the right limit is 1,200 - 150 dots; from the item
  // column (the width of "Special Equipment: ", 19 characters of 30 dots)
  // 16 characters fit.
  TReportPage page(*CurrentPrintCanvas, 1200, 3000);
  page.Y = 300;
  const std::vector<std::string> items = {"a very long prop that will not fit on the one line", "hat",
                                          "Supercalifragilisticexpialidociousness-and-more"};
  const TListedItems props{&ListingOrder[2], "Props", &items};
  PrintCategoryItems(page, props);
  ASSERT_TRUE(FinishPrintJob());
  Rows texts;
  for (const DrawOp* op : Recorder().Pages()[0]->TextOps()) texts.push_back(op->text);
  // The next items follow on the line; a word without blanks prints whole.
  EXPECT_EQ(texts, (Rows{"Props: ", "a very long prop", "that will not", "fit on the one",
                         "line, hat, Supercalifragilisticexpialidociousness-and-more"}));
  EXPECT_EQ(Recorder().Pages()[0]->FindText("a very long")->rect.Left, 19 * 30);
  EXPECT_EQ(Recorder().Pages()[0]->FindText("fit on")->rect.Left, 19 * 30);
  EXPECT_EQ(LastBlankPos("one two three"), 8u);
  EXPECT_EQ(LastBlankPos("one"), 0u);
}

TEST_F(SceneListingTest, AnEmptyCategoryPrintsNothing) {
  ASSERT_TRUE(StartPrintJob(false, "Listing"));
  TReportPage page(*CurrentPrintCanvas, 2400, 3000);
  const std::vector<std::string> none;
  PrintCategoryItems(page, {&ListingOrder[2], "Props", &none});
  BreakdownRecord empty;
  EXPECT_FALSE(PrintSceneItems(page, empty));
  ASSERT_TRUE(FinishPrintJob());
  EXPECT_TRUE(Recorder().Pages()[0]->TextOps().empty());
}

}  // namespace
}  // namespace qm

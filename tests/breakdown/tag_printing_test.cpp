// A script printed while tagging mode shows its tags: the paper gets the
// words, never the tag labels or the tag bytes.
#include <gtest/gtest.h>

#include "breakdown/tag_notation.h"
#include "platform/printer.h"
#include "printing/print_run.h"
#include "printing/script_page.h"
#include "script/fixtures/pagination_fixture.h"
#include "script/layout/char_widths.h"
#include "script/model/text_codes.h"

namespace qm::testing {
namespace {

class TagPrintingTest : public PaginationFixture {};

TEST_F(TagPrintingTest, TaggingModePrintsNoTagLabels) {
  Window().TaggingUsed = 1;
  Window().LayoutOptions.ShowCodes = 1;
  LayoutProgramOptions.FillOutBreakdowns = true;
  Load({{ekSceneHeading, T("INT. [rBARN] - DAY")},
        {ekAction, T("[cBOB] lifts a [ogun] and [f[cMARY]'s crowd] cheers.")},
        {ekScriptNote, T("[mfog machine]")}});
  Repaginate();
  // On screen the tags show as labels: what the paper must not get.
  ASSERT_FALSE(BreakdownTagLabel(TagCodeOfCategory(14)).empty());

  ASSERT_TRUE(StartPrintJob(false, "Script"));
  for (const TScriptPage& page : ScriptPages(Window())) ASSERT_TRUE(PrintScriptPage(Window(), page, {}));
  ASSERT_TRUE(FinishPrintJob());
  LayoutProgramOptions.FillOutBreakdowns = false;

  const auto& pages = Backend().PrinterList()[0]->Pages();
  ASSERT_EQ(pages.size(), 1u);
  std::string printed;
  for (const DrawOp* op : pages[0]->TextOps()) printed += op->text + "|";
  EXPECT_NE(printed.find("lifts a gun and MARY's crowd cheers."), std::string::npos) << printed;
  EXPECT_NE(printed.find("BARN"), std::string::npos) << printed;
  for (const char* label : {"[Props", "[Cast Members", "[Extras", "[Set Dressing", "]"})
    EXPECT_EQ(printed.find(label), std::string::npos) << label << " in " << printed;
  for (char ch : printed)
    if (ch != '|') {
      EXPECT_FALSE(TagCodeSet.Contains(static_cast<Byte>(ch))) << static_cast<int>(static_cast<Byte>(ch));
    }
}

}  // namespace
}  // namespace qm::testing

#include "language/quick_text_entry.h"

#include <gtest/gtest.h>

#include "language/language_fixture.h"

namespace qm {
namespace {

using testing::LanguageFixture;

TEST(CapitalsMarks, LeadingBarsChooseTheModeAndAreRemoved) {
  const struct {
    const char* marked;
    TMarkedText split;
  } cases[] = {
      {"CUT TO:", {TCapitalsMode::Auto, "CUT TO:"}}, {"|McBain", {TCapitalsMode::AsEntered, "McBain"}},
      {"||nasa", {TCapitalsMode::AllCaps, "nasa"}},  {"|||x", {TCapitalsMode::AllCaps, "|x"}},
      {"a|b", {TCapitalsMode::Auto, "a|b"}},         {"", {TCapitalsMode::Auto, ""}},
      {"|", {TCapitalsMode::AsEntered, ""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitCapitalsMarks(c.marked), c.split) << c.marked;
  }
  const struct {
    TCapitalsMode mode;
    const char* text;
    const char* marked;
  } writes[] = {
      {TCapitalsMode::Auto, "dr. no", "dr. no"},
      {TCapitalsMode::AsEntered, "McBain", "|McBain"},
      {TCapitalsMode::AllCaps, "nasa", "||nasa"},
  };
  for (const auto& w : writes) EXPECT_EQ(WithCapitalsMarks(w.mode, w.text), w.marked) << w.text;
}

class QuickTextEntryTest : public LanguageFixture {};

TEST_F(QuickTextEntryTest, TheChoiceShowsTheMarksAndWritesTheChosenOnesBack) {
  TQuickTextEntryDlg box(Application);
  const int bareTop = box.OKBtn->Top();
  box.ShowCapitals(true);
  EXPECT_TRUE(box.CapitalsPanel->Visible());
  EXPECT_GT(box.OKBtn->Top(), box.CapitalsPanel->Top() + box.CapitalsPanel->Height() - 1) << "buttons below the choice";
  EXPECT_GT(box.OKBtn->Top(), bareTop);
  const struct {
    const char* shownWith;
    TRadioButton* TQuickTextEntryDlg::*checked;
    TRadioButton* TQuickTextEntryDlg::*chosen;
    const char* closedWith;
  } cases[] = {
      {"||Bob", &TQuickTextEntryDlg::AllCapsBtn, &TQuickTextEntryDlg::AsEnteredBtn, "|Bob"},
      {"|Bob", &TQuickTextEntryDlg::AsEnteredBtn, &TQuickTextEntryDlg::AutoBtn, "Bob"},
      {"Bob", &TQuickTextEntryDlg::AutoBtn, &TQuickTextEntryDlg::AllCapsBtn, "||Bob"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shownWith);
    box.SetText(c.shownWith);
    EXPECT_EQ(box.TextEdit->Text(), "Bob");
    EXPECT_TRUE((box.*c.checked)->Checked());
    (box.*c.chosen)->Click();
    EXPECT_EQ(box.MarkedText(), c.closedWith);
  }
  box.ShowCapitals(false);
  EXPECT_EQ(box.OKBtn->Top(), bareTop);
}

}  // namespace
}  // namespace qm

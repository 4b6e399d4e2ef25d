// A/V columns: the margins dialog and the column commands.
#include <gtest/gtest.h>

#include "formats/av_columns.h"
#include "formats/av_columns_dialog.h"
#include "formats/drafts_fixture.h"
#include "platform/dialog_builder.h"

namespace qm::testing {
namespace {

class AVColumnsTest : public DraftsFixture {
 protected:
  void SetUp() override {
    DraftsFixture::SetUp();
    Start({ActionLines(2), {ekCharacterName, "JOHN"}, DialogueLines(2), ActionLines(1)});
  }
  void Answer(std::function<void(TSetupAVColumnsDlg&)> change, TModalResult result = mrOk) {
    Driver().Expect([change, result](TForm& form) {
      change(dynamic_cast<TSetupAVColumnsDlg&>(form));
      form.ModalResult = result;
    });
  }
  static void Type(TForm& d, const std::string& name, const std::string& text) {
    DialogControl<TEdit>(d, name)->Text = text;
  }
  std::pair<int, int> Margins(int element) const {
    return {ElementNo(element)->format.LeftMargin, ElementNo(element)->format.RightMargin};
  }
};

// Each column command, for Dialogue and for another kind.
TEST_F(AVColumnsTest, ColumnCommandsSetTheColumnAndItsMargins) {
  struct Case {
    int element;
    Byte column;
    std::pair<int, int> margins;
  } const cases[] = {
      {2, 1, {20, 45}}, {2, 2, {50, 15}}, {2, 0, {25, 25}}, {0, 1, {15, 45}}, {0, 2, {45, 10}}, {0, 0, {15, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.element << " " << int(c.column));
    CaretAt(c.element, 0);
    ASSERT_TRUE(SetElementColumn(Window(), c.column));
    EXPECT_EQ(ElementNo(c.element)->avColumn, c.column);
    EXPECT_EQ(Margins(c.element), c.margins);
  }
}

TEST_F(AVColumnsTest, NewMarginsReachTheColumnElements) {
  CaretAt(2, 0);
  ASSERT_TRUE(SetElementColumn(Window(), 2));
  Answer([](TSetupAVColumnsDlg& d) {
    EXPECT_EQ(DialogControl<TEdit>(d, "DialogueLeft1")->Text(), "2.0");
    EXPECT_EQ(DialogControl<TEdit>(d, "OtherRight2")->Text(), "1.0");
    Type(d, "DialogueLeft2", "4.5");
    Type(d, "DialogueRight2", "0.5");
    Type(d, "OtherLeft1", "1.2");
  });
  ASSERT_TRUE(ShowAVColumnsDialog(Window()));
  EXPECT_EQ(Window().AVDialogueMargins, (TColumnMargins{20, 45, 45, 5}));
  EXPECT_EQ(Window().AVOtherMargins, (TColumnMargins{12, 45, 45, 10}));
  EXPECT_EQ(Margins(2), (std::pair<int, int>{45, 5}));
  EXPECT_EQ(Margins(0), (std::pair<int, int>{15, 10})) << "full-width elements keep their margins";
}

TEST_F(AVColumnsTest, MarginsThatLeaveNoRoomAreRefused) {
  Answer([](TSetupAVColumnsDlg& d) { Type(d, "OtherLeft2", "7"); });
  std::string message;
  Press(mrOk, &message);
  Answer([](TSetupAVColumnsDlg&) {}, mrCancel);
  const TScriptSettings before = Window();
  EXPECT_FALSE(ShowAVColumnsDialog(Window()));
  EXPECT_EQ(message, "Other Elements: the margins leave less than one inch for a column.");
  EXPECT_TRUE(static_cast<const TScriptSettings&>(Window()) == before);
  EXPECT_EQ(Driver().Pending(), 0);
}

}  // namespace
}  // namespace qm::testing

// The paste's "How should I Interpret This Text?" dialog on the desktop:
// every option shows, a real click on "Action Only" greys the options, and
// the dialog closes with the writer's choices.
#include <QAbstractButton>
#include <QApplication>
#include <QtTest/QTest>

#include "files/paste_as.h"
#include "gui/gui_fixture.h"
#include "support/script_text_writer.h"

namespace qm {
namespace {

class PasteAsDialogTest : public testing::GuiFixture {};

TEST_F(PasteAsDialogTest, ActionOnlyGreysTheOptionsAndOkGivesTheChoices) {
  std::vector<std::string> unseen;
  bool greyed = false;
  bool textOnlyEnabled = false;
  Later(80, [&] {
    auto& dialog = dynamic_cast<TPasteAsDlg&>(*Screen->ActiveForm());
    for (TControl* c :
         std::initializer_list<TControl*>{dialog.ScriptFormatBtn, dialog.ActionOnlyBtn, dialog.TextOnlyBox,
                                          dialog.UseStyleSheetsBox, dialog.DoubleSpacedBox, dialog.NoCapInfo,
                                          dialog.IgnoreMargins, dialog.ActionInPs, dialog.MatchPageBreaksBox})
      if (QWidget* w = ClientOf(*c); !w || !w->isVisible()) unseen.push_back(c->Name);
    SaveShot(*WindowOf(dialog), "paste-as-dialog");
    QTest::mouseClick(ClientOf(*dialog.ActionOnlyBtn), Qt::LeftButton, {}, QPoint(8, 8));
    greyed = !ClientOf(*dialog.NoCapInfo)->isEnabled() && !ClientOf(*dialog.UseStyleSheetsBox)->isEnabled();
    textOnlyEnabled = ClientOf(*dialog.TextOnlyBox)->isEnabled();
    Grab(*WindowOf(dialog)).save(QString(QM_BINARY_DIR) + "/screenshots/paste-as-dialog-action-only.png");
    QTest::mouseClick(ClientOf(*dialog.OKBtn), Qt::LeftButton);
  });
  const std::optional<TPasteReading> reading =
      AskHowToRead(testing::ScriptAsStyledRtf({{ekAction, "Rain."}}), true, false);
  ASSERT_TRUE(reading.has_value());
  EXPECT_TRUE(unseen.empty()) << unseen.front() << " does not show";
  EXPECT_TRUE(greyed) << "the options are greyed for Action only";
  EXPECT_TRUE(textOnlyEnabled);
  EXPECT_TRUE(reading->choices.ActionOnly);
}

}  // namespace
}  // namespace qm

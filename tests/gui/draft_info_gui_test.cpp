// Setup Draft Information on the desktop: the print menu's watermark page
// comes up alone from the Production menu, the writer types the draft's
// date and names, OK keeps them, and the print menu is itself again.
#include <QRadioButton>
#include <QTabBar>
#include <QtTest/QTest>

#include "base/ini_file.h"
#include "formats/page_type_dialog.h"
#include "gui/program_gui_fixture.h"
#include "printing/print_menu.h"
#include "shell/main_form.h"

namespace qm {
namespace {

class DraftInfoGuiTest : public testing::ProgramGuiFixture {};

std::vector<std::string> ShownTabs(QWidget* window) {
  std::vector<std::string> tabs;
  for (QTabBar* bar : window->findChildren<QTabBar*>())
    for (int i = 0; bar->isVisible() && i < bar->count(); ++i) tabs.push_back(bar->tabText(i).toStdString());
  return tabs;
}

TEST_F(DraftInfoGuiTest, TheWatermarkPageComesUpAloneAndKeepsWhatIsTyped) {
  std::vector<std::string> tabs;
  std::vector<std::string> shown;
  bool printButtonsShown = true;
  std::string caption;
  Later(100, [&] {
    auto* dialog = dynamic_cast<TPrintMenuDlg*>(Screen->ActiveForm());
    ASSERT_NE(dialog, nullptr);
    caption = dialog->Caption();
    QWidget* window = WindowOf(*dialog);
    tabs = ShownTabs(window);
    printButtonsShown = ClientOf(*dialog->OKBtn)->isVisible() || ClientOf(*dialog->PreviewBtn)->isVisible();
    const std::pair<TEdit*, const char*> typing[] = {{dialog->DraftDateEdit, "June 3, 2026"},
                                                     {dialog->RequestedByEdit, "Dana Wolfe"},
                                                     {dialog->ApprovedByEdit, "R. Ortiz"},
                                                     {dialog->FurtherInfoEdit, "Pink pages"}};
    for (const auto& [edit, text] : typing) {
      QWidget* box = ClientOf(*edit);
      if (!box || !box->isVisible()) continue;
      shown.push_back(edit->Name);
      QTest::mouseClick(box, Qt::LeftButton);
      QTest::keyClicks(box, text);
    }
    QTest::mouseClick(ClientOf(*dialog->PrintDraftInfoBox), Qt::LeftButton);
    SaveShot(*window, "setup-script-information");
    QTest::mouseClick(ClientOf(*dialog->DoneBtn), Qt::LeftButton);
  });
  MainForm->MenuItem("DraftInformationItem")->Click();
  Application->ProcessMessages();

  EXPECT_EQ(caption, "Setup Script Information");
  EXPECT_EQ(tabs, std::vector<std::string>{"Watermark"});
  EXPECT_FALSE(printButtonsShown);
  EXPECT_EQ(shown.size(), 4u) << "every field of the page shows";
  const TIniFile ini = OpenSettingsFile();
  EXPECT_EQ(ini.ReadString("Print Menu", "Draft Date", ""), "June 3, 2026");
  EXPECT_EQ(ini.ReadString("Print Menu", "Requested By", ""), "Dana Wolfe");
  EXPECT_EQ(ini.ReadString("Print Menu", "Approved By", ""), "R. Ortiz");
  EXPECT_EQ(ini.ReadString("Print Menu", "Further Information", ""), "Pink pages");
  EXPECT_TRUE(ini.ReadBool("Print Menu", "Print Draft Information", false));
  EXPECT_EQ(PrintMenuDlg().Caption(), "Print...");
  EXPECT_TRUE(PrintMenuDlg().PrintPage->TabVisible);
}

TEST_F(DraftInfoGuiTest, ThePrintMenuShowsItsPrintPageWithTheWatermarkPageBesideIt) {
  std::vector<std::string> tabs;
  std::vector<std::string> cut;
  std::string caption;
  Later(100, [&] {
    auto* dialog = dynamic_cast<TPrintMenuDlg*>(Screen->ActiveForm());
    ASSERT_NE(dialog, nullptr);
    caption = dialog->Caption();
    QWidget* window = WindowOf(*dialog);
    tabs = ShownTabs(window);
    // Every control of the print page shows whole inside the page.
    QWidget* page = ClientOf(*dialog->PrintPage);
    for (TControl* c :
         std::initializer_list<TControl*>{dialog->PrinterBox, dialog->RangeGroup, dialog->CopiesEdit,
                                          dialog->WatermarkEdit, dialog->PrintFileBox, dialog->PrintFileEdit}) {
      QWidget* w = ClientOf(*c);
      if (!w || !w->isVisible() || !page->rect().contains(QRect(w->mapTo(page, QPoint(0, 0)), w->size())))
        cut.push_back(c->Name);
    }
    SaveShot(*window, "print-menu");
    QTest::mouseClick(ClientOf(*dialog->CancelBtn), Qt::LeftButton);
  });
  MainForm->MenuItem("PrintItem")->Click();
  Application->ProcessMessages();
  EXPECT_EQ(caption, "Print...");
  EXPECT_EQ(tabs, (std::vector<std::string>{"Print", "Watermark"}));
  EXPECT_TRUE(cut.empty()) << cut.front() << " does not show whole";
}

TEST_F(DraftInfoGuiTest, TheChangeSceneTypePageShowsEveryNumberingChoice) {
  LoadSceneScript(2);
  std::vector<std::string> choices;
  std::string caption;
  bool inside = true;
  Later(100, [&] {
    auto* dialog = dynamic_cast<TWhichPageTypeDlg*>(Screen->ActiveForm());
    ASSERT_NE(dialog, nullptr);
    caption = dialog->Caption();
    QWidget* group = ClientOf(*dialog->SceneTypeGroup);
    for (QRadioButton* button : group->findChildren<QRadioButton*>()) {
      if (!button->isVisible()) continue;
      choices.push_back(button->text().toStdString());
      inside = inside && group->rect().contains(QRect(button->mapTo(group, QPoint(0, 0)), button->size()));
    }
    SaveShot(*WindowOf(*dialog), "change-scene-type");
    QTest::mouseClick(ClientOf(*dialog->CancelBtn), Qt::LeftButton);
  });
  MainForm->MenuItem("OverrideSceneHeading")->Click();
  Application->ProcessMessages();
  EXPECT_EQ(caption, "Change Scene Type");
  EXPECT_EQ(choices, (std::vector<std::string>{"N&o Numbering", "&Normal", "&Locked", "&Flipped Locked",
                                               "&Multi-Locked", "&Specify Manually", "Flip O&rder"}));
  EXPECT_TRUE(inside) << "a choice is cut off";
}

}  // namespace
}  // namespace qm

// The script analysis on the desktop: the window opened from the menu
// shows its paragraphs and, on its second page, the chosen character's
// detail; Enter closes it.
#include <QApplication>
#include <QtTest/QTest>

#include "breakdown/script_analysis_dialog.h"
#include "gui/program_gui_fixture.h"
#include "platform/forms.h"
#include "shell/main_form.h"
#include "support/script_builder.h"

namespace qm {
namespace {

class ProductionListsGuiTest : public testing::ProgramGuiFixture {
 protected:
  static TScriptAnalysisDlg* Analysis() { return dynamic_cast<TScriptAnalysisDlg*>(Screen->ActiveForm()); }
};

TEST_F(ProductionListsGuiTest, TheAnalysisWindowShowsItsParagraphsAndTheDetail) {
  testing::Typist t;
  t.Type("INT. LIGHTHOUSE - NIGHT");
  t.Then([this] {
    testing::AddElements(Script(), {{ekAction, "Rain hammers the glass."},
                                    {ekCharacterName, "MARA"},
                                    {ekParenthetical, "(softly)"},
                                    {ekDialogue, "Almost there."},
                                    {ekCharacterName, "JONAS"},
                                    {ekDialogue, "Keep climbing."},
                                    {ekCharacterName, "MARA"},
                                    {ekDialogue, "I see the light."}});
    MainForm->MenuItem("ScriptAnalysisItem")->Click();
  });
  std::string general, detail;
  t.When([] { return Analysis() && Analysis()->Visible(); },
         [&] {
           QApplication::processEvents();
           ScreenShot("script_analysis_general");
           general = Analysis()->BtrLabels[0]->Caption();
           Analysis()->TabbedNotebook1->SetActivePage(Analysis()->DetailPage);
           Analysis()->TabbedNotebook1Change();
         });
  t.When([] { return Analysis() && Analysis()->TabbedNotebook1->ActivePage() == Analysis()->DetailPage; },
         [&] {
           QApplication::processEvents();
           ScreenShot("script_analysis_detail");
           detail = Analysis()->NameListBox->Items[0] + ": " + Analysis()->DetailLabels[4]->Caption();
         });
  t.Key(Qt::Key_Return);
  t.When([] { return Analysis() == nullptr; }, [] {});
  Play(t, 30000);
  EXPECT_EQ(general, "2 characters, of whom 0 spoke 11 or more times\n0 spoke 5-10 times, and 2 spoke 1-4 times");
  EXPECT_EQ(detail, "MARA: Had 2 speeches for a total of 2 lines");
}

}  // namespace
}  // namespace qm

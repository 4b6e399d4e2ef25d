// Dialogs as the writer sees them: every control wholly inside the window
// that holds it, and a window wide enough for its title beside the title
// bar's icon and buttons.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "breakdown/character_lists_dialog.h"
#include "breakdown/sheet_layout_dialog.h"
#include "formats/cheat_dialogs.h"
#include "language/confused_words_dialog.h"
#include "language/duplicate_names.h"
#include "language/hide_names_dialog.h"
#include "language/spelling/language_dialog.h"
#include "language/user_list_dialogs.h"
#include "platform/dialog_builder.h"
#include "shell/revision_colors_dialog.h"
#include "shell/utility_dialogs.h"
#include "story/linkage_graph_dialog.h"
#include "support/program_fixture.h"

namespace qm {
namespace {

// What a title bar puts beside its title: the window's icon and its three
// buttons.
constexpr int kTitleBarExtras = 22 + 62;

int BoldTextWidth(const TForm& form, const std::string& text) {
  TCanvas measure;
  measure.Font.Assign(form.Font);
  measure.Font.Style = fsBold;
  return measure.TextWidth(text);
}

// The width and height a control's children have to lie within: a page
// shows what its page control shows.
TRect ShownArea(const TWinControl& parent) {
  if (const auto* page = dynamic_cast<const TTabSheet*>(&parent); page && page->Parent())
    return page->Parent()->ClientRect();
  return parent.ClientRect();
}

// The controls that do not lie wholly inside the control that holds them.
void CollectCutControls(const TWinControl& parent, std::vector<std::string>& cut) {
  const TRect area = ShownArea(parent);
  for (int i = 0; i < parent.ControlCount(); ++i) {
    const TControl* c = parent.Controls(i);
    if (!c->Visible) continue;
    const TRect r = c->BoundsRect();
    if (r.Left < 0 || r.Top < 0 || r.Right > area.Right || r.Bottom > area.Bottom) cut.push_back(c->Name);
    if (const auto* holder = dynamic_cast<const TWinControl*>(c)) CollectCutControls(*holder, cut);
  }
}

class DialogLayoutTest : public testing::ProgramFixture {
 protected:
  // Checks the dialog the next modal window is, then closes it.
  void ExpectWhole(const std::string& what) {
    Driver().Expect([what](TForm& form) {
      SCOPED_TRACE(what);
      std::vector<std::string> cut;
      CollectCutControls(form, cut);
      EXPECT_TRUE(cut.empty()) << cut.front() << " is cut off";
      EXPECT_GE(form.ClientWidth(), BoldTextWidth(form, form.Caption()) + kTitleBarExtras)
          << "the title \"" << form.Caption() << "\" is cut";
      form.ModalResult = mrCancel;
    });
  }
  template <class Dialog, class... Args>
  void ShowWhole(const std::string& what, Args&&... args) {
    auto dialog = std::make_unique<Dialog>(std::forward<Args>(args)...);
    ExpectWhole(what);
    dialog->ShowModal();
    EXPECT_EQ(Driver().Pending(), 0) << what;
  }
};

TEST_F(DialogLayoutTest, EachDialogShowsItsControlsAndTitleWhole) {
  ShowWhole<TCharNameListDlg>("Generate Character Lists", nullptr, Script());
  ShowWhole<TResetWhatDlg>("Reseting Cheated Elements", nullptr);
  ShowWhole<TCalendarDlg>("Calendar", nullptr);
  ShowWhole<TSelectLanguageDlg>("Select Language", nullptr);
  ShowWhole<TSheetLayoutDlg>("Layout Breakdown Sheets", nullptr);
  ShowWhole<THideNamesDlg>("Hide Names", nullptr, true);
  ShowWhole<TEditUserListDlg>("Edit User Lists", nullptr);
  ShowWhole<TRevisionColorDlg>("Set Revision Draft Color", nullptr);
  ShowWhole<TCheckWordsDlg>("Setup Duplicate Names", nullptr, true);
  ExpectWhole("Setup Location Duplicates");
  ShowDuplicateNames(true);
  EXPECT_EQ(Driver().Pending(), 0);
}

// Each of these dialogs (or pages of them) has a Help button, which
// answers as the other dialogs' Help buttons do.
TEST_F(DialogLayoutTest, TheListColourWordsAndGraphDialogsHaveTheirHelpButtons) {
  TForm model(nullptr);
  BuildDialog(model, ButtonRow(sbHelp, {8, 8, 80, 25}, 0));
  const TButton* stock = DialogControl<TButton>(model, "HelpBtn");
  const THideNamesDlg hide(nullptr, true);
  const TEditUserListDlg lists(nullptr);
  const TRevisionColorDlg colors(nullptr);
  const TCheckWordsDlg words(nullptr, false);
  const story::TLinkagesDlg graph(nullptr, Script());
  const struct {
    const TForm* form;
    const char* button;
    const char* page;  // the page it stands on, or none
  } cases[] = {{&hide, "HelpBtn", nullptr},           {&lists, "HelpBtn", nullptr},     {&colors, "HelpBtn", nullptr},
               {&words, "WordsHelpBtn", "WordsPage"}, {&words, "HelpBtn", "NamesPage"}, {&graph, "HelpBtn", nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.form->Name + " " + c.button);
    const auto* help = dynamic_cast<TButton*>(c.form->FindComponent(c.button));
    ASSERT_NE(help, nullptr) << "no Help button";
    EXPECT_EQ(help->Caption(), stock->Caption());
    EXPECT_EQ(help->Enabled(), stock->Enabled());
    EXPECT_TRUE(help->Visible());
    EXPECT_EQ(help->ModalResult, stock->ModalResult);
    if (c.page) {
      EXPECT_EQ(help->Parent(), c.form->FindComponent(c.page));
    }
  }
}

}  // namespace
}  // namespace qm

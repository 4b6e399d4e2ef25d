// Search and replace and the Bookmarks window on the desktop, driven with
// real keys: the dialog comes up on Alt+F2, takes what is typed into it,
// and the questions that follow are answered from the keyboard.
#include <QtTest/QTest>

#include "base/message_box_form.h"
#include "gui/program_gui_fixture.h"
#include "language/bookmarks.h"
#include "language/bookmarks_dialog.h"
#include "language/search_dialog.h"
#include "platform/forms.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using testing::ElementSpec;

class SearchWindowTest : public testing::ProgramGuiFixture {
 protected:
  template <class T>
  static T* Showing() {
    return dynamic_cast<T*>(Screen->ActiveForm());
  }
  // The form is up and has the keyboard.
  template <class T>
  static bool HasKeyboard() {
    T* form = Showing<T>();
    QWidget* keyboard = testing::Typist::KeyboardWidget();
    return form && keyboard && keyboard->window() == WindowOf(*form);
  }
  static bool BoxSays(const std::string& text) {
    auto* box = Showing<TMyNewMsgBox>();
    return box && box->Visible() && box->MenuText->Caption().find(text) != std::string::npos;
  }
};

TEST_F(SearchWindowTest, ReplaceAllFromTheDialogWithRealKeys) {
  testing::Typist t;
  t.Type("The cat sat on the cat mat.");
  t.Key(Qt::Key_F2, Qt::AltModifier);
  t.When([] { return HasKeyboard<TSearchingDlg>(); },
         [this] {
           ScreenShot("search_dialog_open");
           Showing<TSearchingDlg>()->PromptBox->SetChecked(false);
           Showing<TSearchingDlg>()->EntireScriptBtn->SetChecked(true);
         });
  t.Type("cat");
  t.Then([] {
    TSearchingDlg* dialog = Showing<TSearchingDlg>();
    ASSERT_NE(dialog, nullptr);
    dialog->FocusControl(dialog->ReplaceText);
    dialog->ReplaceText->Text = "";
  });
  t.Type("dog");
  t.Then([this] { ScreenShot("search_dialog_filled"); });
  t.Key(Qt::Key_Return);
  t.When([] { return BoxSays("Found: ") && HasKeyboard<TMyNewMsgBox>(); },
         [this] { ScreenShot("search_replace_done"); });
  t.Key(Qt::Key_Return);
  t.When([] { return BoxSays("Return to Starting Position of Search?") && HasKeyboard<TMyNewMsgBox>(); }, [] {});
  t.Key(Qt::Key_Return);
  Play(t);
  EXPECT_EQ(testing::ElementsOf(Script()), (std::vector<ElementSpec>{{ekAction, "The dog sat on the dog mat."}}));
}

TEST_F(SearchWindowTest, BookmarksWindowSetsAndGoesTo) {
  testing::Typist t;
  t.Type("First paragraph.");
  t.Key(Qt::Key_Return);
  t.Type("Second paragraph.");
  t.Key(Qt::Key_B, Qt::ControlModifier | Qt::AltModifier);
  t.When([] { return BookmarkDialog() && BookmarkDialog()->Visible(); },
         [] { BookmarkDialog()->FocusControl(BookmarkDialog()->BookmarkText); });
  t.When([] { return HasKeyboard<TBookmarkDlg>(); }, [] {});
  t.Type("Here");
  t.Key(Qt::Key_Return);
  t.Then([this] { ScreenShot("bookmarks_window"); });
  Play(t);
  ASSERT_EQ(Bookmarks(Script()).Count(), 1);
  EXPECT_EQ(Bookmarks(Script())[0].Text, "Here");
  EXPECT_EQ(Bookmarks(Script())[0].Element(), Script().LastElement);
  delete BookmarkDialog();
}

}  // namespace
}  // namespace qm

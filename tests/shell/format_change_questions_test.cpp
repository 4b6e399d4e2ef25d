// The questions after Edit Script Formats: a change that moves the text
// of a script whose pages are locked offers the revision marks and the
// locked header text that are off; any other change asks nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/script_formats_dialog.h"
#include "platform/menus.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"
#include "shell/main_form.h"

namespace qm {
namespace {

class FormatChangeQuestionsTest : public testing::KeysFixture {};

constexpr const char* MarksQuestion = "Turn on AutoRevision Marks?";
constexpr const char* HeaderQuestion = "Lock the Header Text?";

TEST_F(FormatChangeQuestionsTest, MovedTextOnLockedPagesOffersTheMarksAndTheHeaderThatAreOff) {
  struct TAnswer {
    const char* question;
    TModalResult answer;
  };
  const struct {
    const char* what;
    bool pagesLocked;
    bool marksOn;
    bool headerLocked;
    const char* box;  // the Dialogue page's control changed
    const char* value;
    std::vector<TAnswer> asked;
    bool marksAfter;
    bool headerAfter;
  } cases[] = {
      {"margin moved, both off, both taken",
       true,
       false,
       false,
       "Left",
       "3.0",
       {{MarksQuestion, mrYes}, {HeaderQuestion, mrYes}},
       true,
       true},
      {"both off, both declined",
       true,
       false,
       false,
       "Left",
       "3.0",
       {{MarksQuestion, mrNo}, {HeaderQuestion, mrNo}},
       false,
       false},
      {"marks on: only the header", true, true, false, "Right", "2.0", {{HeaderQuestion, mrYes}}, true, true},
      {"header locked: only the marks", true, false, true, "Before", "2", {{MarksQuestion, mrYes}}, true, true},
      {"spacing moved, both on", true, true, true, "Spacing", "2", {}, true, true},
      {"capitals move nothing", true, false, false, "Caps", "", {}, false, false},
      {"pages not locked", false, false, false, "Left", "3.0", {}, false, false},
  };
  const TFormatSet formats = W().FormatSet;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    W().FormatSet = formats;
    Load({{ekCharacterName, "JOHN"}, {ekDialogue, "Hello there, and a long line of dialogue that wraps."}});
    W().PagesLocked = c.pagesLocked;
    W().RevisionMarking = c.marksOn;
    W().HeaderTextLocked = c.headerLocked;
    Driver().Expect([&](TForm& form) {
      auto& dialog = dynamic_cast<TEditScriptFormatsDlg&>(form);
      if (std::string(c.box) == "Caps") {
        auto* caps = dialog.PageControl<TCheckBox>("Dialogue", "Caps");
        caps->SetChecked(!caps->Checked());
      } else {
        dialog.PageControl<TEdit>("Dialogue", c.box)->Text = std::string(c.value);
      }
      for (const TAnswer& a : c.asked) ExpectBox(a.question, a.answer);
      form.ModalResult = mrOk;
    });
    MainForm->MenuItem("EditScriptFormatItem")->Click();
    EXPECT_EQ(Driver().Pending(), 0) << "every question asked, and no other";
    EXPECT_EQ(W().RevisionMarking != 0, c.marksAfter);
    EXPECT_EQ(W().HeaderTextLocked != 0, c.headerAfter);
    EXPECT_EQ(MainForm->MenuItem("AutoRevMarksItem")->Checked(), c.marksAfter);
  }
}

}  // namespace
}  // namespace qm

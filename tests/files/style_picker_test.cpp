#include "files/style_picker.h"

#include <gtest/gtest.h>

#include "files/file_test_fixture.h"
#include "files/style_names.h"
#include "files/tagged_text.h"
#include "platform/dialog_builder.h"

namespace qm::testing {
namespace {

class StylePickerTest : public FileTest {
 protected:
  // Checks a button of the picker and presses OK (or Cancel).
  void Choose(const char* button, TModalResult result = mrOk, std::string* caption = nullptr,
              std::string* question = nullptr) {
    Driver().Expect(
        [button, result, caption, question](TForm& form) {
          if (caption) *caption = form.Caption();
          if (question) *question = DialogControl<TPanel>(form, "Panel2")->Caption;
          DialogControl<TRadioButton>(form, button)->SetChecked(true);
          form.ModalResult = result;
        },
        std::string("choose ") + button);
  }
};

TEST_F(StylePickerTest, AnswersTheCanonicalNames) {
  struct Case {
    const char* button;
    std::string answer;
  };
  const Case cases[] = {{"ActionBtn", "ACTION"},          {"RadioButton2", "CHARNAME"},
                        {"RadioButton3", "DIALOGUE"},     {"RadioButton4", "PARENTHETICAL"},
                        {"RadioButton6", "SCENEHEADING"}, {"RadioButton9", "PROLOGUE"},
                        {"RadioButton13", "TITLE"},       {"RadioButton14", "@"}};
  for (const auto& c : cases) {
    std::string caption, question;
    Choose(c.button, mrOk, &caption, &question);
    EXPECT_EQ(IdentifyStyle("SLUGGISH"), c.answer) << c.button;
    EXPECT_EQ(caption, "Identify the Style");
    EXPECT_EQ(question, "SLUGGISH");
    if (c.answer != "@") {
      EXPECT_TRUE(StyledKindOf(c.answer).has_value()) << c.answer;
    }
  }
  Choose("ActionBtn", mrCancel);
  EXPECT_EQ(IdentifyStyle("SLUGGISH"), "@");
}

TEST_F(StylePickerTest, CancelledDefinitionIsConfirmedBeforeTheImportStops) {
  std::string caption;
  Choose("ActionBtn", mrCancel, &caption);
  AnswerMessageBox(Driver(), "Are you sure?", mrNo, "Cancel Import?");
  Choose("RadioButton3");
  EXPECT_EQ(AskStyleOrCancel("What is: [Talk]?"), std::optional<int>(2));
  EXPECT_EQ(caption, "Define Element Type");
  Choose("ActionBtn", mrCancel);
  AnswerMessageBox(Driver(), "Are you sure?", mrYes, "Cancel Import?");
  EXPECT_EQ(AskStyleOrCancel("What is: [Talk]?"), std::nullopt);
}

}  // namespace
}  // namespace qm::testing

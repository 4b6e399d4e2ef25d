#include "support/message_box_answers.h"

#include <gtest/gtest.h>

#include "platform/dialog_builder.h"
#include "platform/dialogs.h"
#include "platform/forms.h"

namespace qm::testing {

// The program's box shows a line break before the caller's text; the
// platform's box shows the text as it is.
std::string MessageBoxText(TForm& box) {
  if (auto* label = dynamic_cast<TLabel*>(box.FindDescendant("MenuText"))) {
    const std::string& shown = label->Caption();
    return !shown.empty() && shown[0] == '\r' ? shown.substr(1) : shown;
  }
  auto* label = dynamic_cast<TLabel*>(box.FindDescendant("Message"));
  return label ? label->Caption() : std::string();
}

namespace {

TButton* ButtonGiving(TWinControl& parent, TModalResult result) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* c = parent.Controls(i);
    if (auto* b = dynamic_cast<TButton*>(c); b && b->Visible && b->ModalResult == result) return b;
    if (auto* w = dynamic_cast<TWinControl*>(c))
      if (auto* found = ButtonGiving(*w, result)) return found;
  }
  return nullptr;
}

}  // namespace

void AnswerTypeYes(TForm& box, bool confirm) {
  if (confirm) {
    auto* edit = dynamic_cast<TEdit*>(box.FindDescendant("RequireYesText"));
    ASSERT_NE(edit, nullptr) << "not a type-YES box";
    edit->Text = "YES";
    return;
  }
  TButton* no = ButtonGiving(box, mrNo);
  if (!no) no = ButtonGiving(box, mrCancel);
  if (no) no->Click();
  else box.ModalResult = mrNo;
}

void AnswerMessageBox(ModalDriver& driver, const std::string& text, TModalResult answer, const std::string& caption) {
  driver.Expect(
      [=](TForm& box) {
        EXPECT_EQ(MessageBoxText(box), text);
        if (!caption.empty()) {
          EXPECT_EQ(box.Caption(), caption);
        }
        TButton* button = ButtonGiving(box, answer);
        if (button) button->Click();
        else box.ModalResult = answer;
      },
      text);
}

void ChooseFile(ModalDriver& driver, const std::string& name, int filter) {
  driver.Expect(
      [name, filter](TForm& form) {
        auto& dialog = dynamic_cast<TFileDialog&>(form);
        dialog.FileNameEdit->Text = name;
        if (filter > 0) dialog.FilterCombo->SetItemIndex(filter - 1);
        dialog.OkBtn->Click();
      },
      "choose " + name);
}

void AcceptPasteAs(ModalDriver& driver) {
  driver.Expect(
      [](TForm& form) {
        EXPECT_EQ(form.Caption(), "How should I Interpret This Text?");
        form.ModalResult = mrOk;
      },
      "the paste-as dialog");
}

void DefineStyles(ModalDriver& driver, std::initializer_list<const char*> choices) {
  for (const char* choice : choices)
    driver.Expect(
        [choice](TForm& form) {
          EXPECT_EQ(form.Caption(), "Define Element Type");
          DialogControl<TRadioButton>(form, choice)->SetChecked(true);
          form.ModalResult = mrOk;
        },
        "define a style");
}

}  // namespace qm::testing

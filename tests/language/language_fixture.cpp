#include "language/language_fixture.h"

#include <stdexcept>

#include "script/editing/editor_calls.h"
#include "script/layout/screen_rebuild.h"
#include "base/document_table.h"
#include "base/global_state.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"

namespace qm::testing {

void LanguageFixture::SetUp() {
  PlatformFixture::SetUp();
  main_ = new TMainForm(Application);
  MainForm = main_;
  // The plain wording, as [Producer Help] "Offer" 0 gives it.
  BuildPromptTable(false);
  main_->Show();
  script_ = new TMDIChild(main_);
  script_->SetBounds(0, 0, 800, 600);
  script_->Show();
  ResetScreenLines(*script_);
  script_->OnKeyDown = [this](TObject*, Word& key, TShiftState) {
    if (key == VK_RETURN) ++enterKeys_;
  };
  Documents[1] = script_;
  DocumentCount = 1;
  ActiveDocument = 1;
}

void LanguageFixture::TearDown() {
  delete main_;
  PlatformFixture::TearDown();
}

void LanguageFixture::Add(const std::vector<ElementSpec>& elements) { AddElements(*script_, elements); }

TScriptElement& LanguageFixture::Element(int index) {
  TScriptElement* e = script_->FirstElement;
  while (index-- > 0 && e) e = e->next;
  if (!e) throw std::out_of_range("no such element");
  return *e;
}

void LanguageFixture::Number(int index, int number) { Element(index).group->number = static_cast<Word>(number); }

void LanguageFixture::PlaceCaret(int index, Word column) {
  editor::MoveCaretTo(*script_, Element(index));
  editor::SetCaretColumn(*script_, column);
}

void LanguageFixture::SetList(TUserList list, const std::vector<std::string>& entries) {
  ClearUserList(Lists(), list);
  for (size_t i = 0; i < entries.size(); ++i) SetUserListEntry(Lists(), list, static_cast<int>(i) + 1, entries[i]);
  UserListsChanged(*script_);
}

std::vector<std::string> LanguageFixture::Texts(const TStringList& items) {
  std::vector<std::string> texts;
  for (int i = 0; i < items.Count(); ++i) texts.push_back(items[i]);
  return texts;
}

void LanguageFixture::ExpectMessage(const std::string& text, const std::string& caption, TModalResult result) {
  Driver().Expect(
      [text, caption, result](TForm& form) {
        auto* box = dynamic_cast<TMyNewMsgBox*>(&form);
        if (!box) {
          ADD_FAILURE() << "expected a message, got the form \"" << form.Caption() << "\"";
          form.ModalResult = mrCancel;
          return;
        }
        EXPECT_NE(box->MenuText->Caption().find(text), std::string::npos) << box->MenuText->Caption();
        if (!caption.empty()) {
          EXPECT_EQ(form.Caption(), caption);
        }
        form.ModalResult = result;
      },
      "message: " + text);
}

}  // namespace qm::testing

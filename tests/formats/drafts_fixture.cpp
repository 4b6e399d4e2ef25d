#include "formats/drafts_fixture.h"

#include "support/message_box_answers.h"
#include "formats/page_type_dialog.h"
#include "script/editing/editor_calls.h"

namespace qm::testing {

void DraftsFixture::SetUp() { PaginationFixture::SetUp(); }

void DraftsFixture::Start(const std::vector<ElementSpec>& script) {
  // The screen of the script before shows elements about to go.
  for (TScreenLine& line : Window().ScreenLines) line.element = nullptr;
  Window().FreeElements();
  static_cast<TScriptSettings&>(Window()) = TScriptSettings{};
  Load(script);
  Repaginate();
}

std::vector<int> DraftsFixture::BreakKinds() const {
  std::vector<int> kinds;
  for (const TScriptElement* e = Window().FirstElement; e; e = e->next)
    if (IsPageBreakKind(e->Kind())) kinds.push_back(e->Kind());
  return kinds;
}

void DraftsFixture::CaretAt(int element, int column) {
  Window().Assemble();
  Edit(ElementNo(element));
  editor::SetCaretColumn(Window(), column);
}

void DraftsFixture::ChoosePageBreakType(int index) {
  Driver().Expect(
      [index](TForm& form) {
        auto& dialog = dynamic_cast<TWhichPageTypeDlg&>(form);
        EXPECT_EQ(dialog.Caption(), "Put in Which Type of Page Break?");
        if (index < 0) {
          form.ModalResult = mrCancel;
          return;
        }
        dialog.PageBreakGroup->SetItemIndex(index);
        form.ModalResult = mrOk;
      },
      "page break type");
}

void DraftsFixture::Press(TModalResult button, std::string* text) {
  Driver().Expect([button, text](TForm& form) {
    if (text) *text = MessageBoxText(form);
    form.ModalResult = button;
  });
}

std::vector<std::string> DraftsFixture::SceneNumbers() const {
  std::vector<std::string> numbers;
  for (const TScriptElement* e = Window().FirstElement; e; e = e->next)
    if (IsSceneHeading(e->Kind())) numbers.push_back(Window().SceneNumberText(*e));
  return numbers;
}

}  // namespace qm::testing

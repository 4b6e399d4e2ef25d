#include "support/layout_fixture.h"

#include "script/model/packed_text.h"
#include "script/layout/screen_rebuild.h"
#include "base/document_table.h"
#include "base/global_state.h"
#include "script/editing/editor_calls.h"

namespace qm::testing {

void LayoutFixture::SetUp() {
  PlatformFixture::SetUp();
  GlobalState::ResetAll();
  window_ = OpenOnlyDocument();
}

void LayoutFixture::TearDown() {
  CloseOnlyDocument(window_);
  PlatformFixture::TearDown();
}

TScriptElement* LayoutFixture::Build(const std::vector<ElementSpec>& elements) {
  AddElements(*window_, elements);
  Edit(window_->FirstElement);
  return window_->FirstElement;
}

void LayoutFixture::Edit(TScriptElement* element) {
  TScriptElement* current = window_->CurrentElement();
  if (current && !current->text)
    current->text = HoldsPackedText(current->Kind()) ? PackText(window_->EditBuffer()) : window_->EditBuffer();
  editor::SetCurrentElement(*window_, element);
  editor::SetEditText(*window_, ElementText(*element));
  element->text.reset();
  editor::SetCaretColumn(*window_, 0);
  window_->WordWrapText(element, window_->EditBuffer(), false, false);
}

TScriptElement* LayoutFixture::ElementAt(int index) const {
  TScriptElement* e = window_->FirstElement;
  for (int i = 0; e && i < index; ++i) e = e->next;
  return e;
}

void LayoutFixture::WrapCurrent(bool screenOutput) {
  window_->WordWrapText(window_->CurrentElement(), window_->EditBuffer(), false, screenOutput);
}

void LayoutFixture::LayOutAll() {
  int line = 1;
  for (TScriptElement* e = window_->FirstElement; e; e = e->next) {
    e->screenLine = static_cast<std::int16_t>(line);
    const std::string text = e->text ? ElementText(*e) : window_->EditBuffer();
    window_->WrapScreenText(e, text);
    line += e->lineCount;
  }
}

std::vector<std::string> LayoutFixture::CurrentLines() const {
  std::vector<std::string> lines;
  const std::string& text = window_->EditBuffer();
  std::size_t start = 0;
  for (int line = 1; line <= window_->CurrentElement()->lineCount; ++line) {
    const std::size_t end = std::min<std::size_t>(window_->LineOffsets()[static_cast<std::size_t>(line)], text.size());
    lines.push_back(text.substr(start, end - start));
    start = end;
  }
  return lines;
}

std::vector<std::string> LayoutFixture::ShownLines(int count) const {
  std::vector<std::string> lines;
  for (int line = 1; line <= count; ++line) lines.push_back(window_->ScreenLines[static_cast<std::size_t>(line)].text);
  return lines;
}

}  // namespace qm::testing

#include "platform/rich_edit.h"

#include <algorithm>

#include "platform/forms.h"

namespace qm {

TRichEdit::TRichEdit(TComponent* owner) : TWinControl(owner) {
  TabStop = true;
  Color = clWindow;
}

void TRichEdit::Changed() {
  selStart_ = std::clamp(selStart_, 0, static_cast<int>(text_.size()));
  selLength_ = std::clamp(selLength_, 0, static_cast<int>(text_.size()) - selStart_);
  PropertyChanged(PropId::Text);
  if (OnChange && !Destroying()) OnChange(this);
}

void TRichEdit::SetText(const std::string& text) {
  std::string lines;
  lines.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      lines += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      lines += text[i];
    }
  }
  SetContent(std::move(lines), {});
}

void TRichEdit::SetContent(std::string text, std::vector<TTextAttributes> attributes) {
  attributes.resize(text.size());
  if (text == text_ && attributes == attributes_) return;
  text_ = std::move(text);
  attributes_ = std::move(attributes);
  Changed();
}

void TRichEdit::SetSelection(int start, int length) {
  const int size = static_cast<int>(text_.size());
  start = std::clamp(start, 0, size);
  length = std::clamp(length, 0, size - start);
  if (start == selStart_ && length == selLength_) return;
  selStart_ = start;
  selLength_ = length;
  PropertyChanged(PropId::Selection);
}

std::string TRichEdit::SelText() const {
  return text_.substr(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_));
}

void TRichEdit::SetSelText(const std::string& text) {
  const auto start = static_cast<std::size_t>(selStart_);
  const TTextAttributes look = start > 0 ? attributes_[start - 1] : TTextAttributes{};
  text_.replace(start, static_cast<std::size_t>(selLength_), text);
  attributes_.erase(attributes_.begin() + selStart_, attributes_.begin() + selStart_ + selLength_);
  attributes_.insert(attributes_.begin() + selStart_, text.size(), look);
  selStart_ += static_cast<int>(text.size());
  selLength_ = 0;
  Changed();
}

void TRichEdit::ToggleSelStyle(unsigned style) {
  if (selLength_ == 0) return;
  const auto from = attributes_.begin() + selStart_, to = from + selLength_;
  const bool allHaveIt =
      std::all_of(from, to, [style](const TTextAttributes& a) { return (a.Style & style) == style; });
  for (auto a = from; a != to; ++a) a->Style = allHaveIt ? a->Style & ~style : a->Style | style;
  Changed();
}

void TRichEdit::SetSelAttributes(TTextAttributes look) {
  if (selLength_ == 0) return;
  std::fill(attributes_.begin() + selStart_, attributes_.begin() + selStart_ + selLength_, look);
  Changed();
}

void TRichEdit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  PropertyChanged(PropId::Style);
}

void TRichEdit::SetVerticalScrollBar(bool shown) {
  scrollBar_ = shown;
  PropertyChanged(PropId::Style);
}

void TRichEdit::KeyPress(char& key) {
  TWinControl::KeyPress(key);
  if (key == 0 || readOnly_) return;
  const auto ch = static_cast<unsigned char>(key);
  if (ch == VK_BACK) {
    if (selLength_ == 0 && selStart_ > 0) {
      --selStart_;
      selLength_ = 1;
    }
    if (selLength_ > 0) SetSelText("");
  } else if (ch == '\r' || ch == '\n') {
    SetSelText("\n");
  } else if (ch >= 32) {
    SetSelText(std::string(1, key));
  }
}

void TRichEdit::KeyDown(Word& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if (key == VK_TAB && !shift.Contains(ssCtrl)) {
    if (TForm* form = ParentForm()) form->SelectNext(this, !shift.Contains(ssShift));
    key = 0;
  } else if (key == VK_DELETE && !readOnly_) {
    if (selLength_ == 0 && selStart_ < static_cast<int>(text_.size())) selLength_ = 1;
    if (selLength_ > 0) SetSelText("");
  }
}

}  // namespace qm

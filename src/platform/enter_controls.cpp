#include "platform/enter_controls.h"

#include "platform/forms.h"

namespace qm {

namespace {

// Enter goes forward; the key goes no further.
bool EnterMoves(TWinControl& control, char& key) {
  if (key != '\r') return false;
  if (TForm* form = control.ParentForm()) form->SelectNext(&control, true);
  key = 0;
  return true;
}

bool ArrowMoves(TWinControl& control, Word& key) {
  if (key != VK_UP && key != VK_DOWN) return false;
  if (TForm* form = control.ParentForm()) form->SelectNext(&control, key == VK_DOWN);
  key = 0;
  return true;
}

}  // namespace

void TEnterEdit::KeyPress(char& key) {
  if (!EnterMoves(*this, key)) TEdit::KeyPress(key);
}

void TEnterEdit::KeyDown(Word& key, TShiftState shift) {
  if (!ArrowMoves(*this, key)) TEdit::KeyDown(key, shift);
}

void TEnterComboBox::KeyPress(char& key) {
  if (!EnterMoves(*this, key)) TComboBox::KeyPress(key);
}

void TEnterComboBox::KeyDown(Word& key, TShiftState shift) {
  if (!ArrowMoves(*this, key)) TComboBox::KeyDown(key, shift);
}

}  // namespace qm

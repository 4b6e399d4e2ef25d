// Edit and combo boxes on which Enter moves on to the next control, and
// Up and Down to the previous and the next, as Tab and Shift+Tab do.
#pragma once

#include "platform/controls.h"

namespace qm {

class TEnterEdit : public TEdit {
 public:
  explicit TEnterEdit(TComponent* owner) : TEdit(owner) {}

 protected:
  void KeyPress(char& key) override;
  void KeyDown(Word& key, TShiftState shift) override;
};

// The arrow keys move between controls, so they never change the choice.
class TEnterComboBox : public TComboBox {
 public:
  explicit TEnterComboBox(TComponent* owner) : TComboBox(owner) {}

 protected:
  void KeyPress(char& key) override;
  void KeyDown(Word& key, TShiftState shift) override;
};

}  // namespace qm

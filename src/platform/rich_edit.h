// A multi-line edit whose characters each carry a font style and a
// colour. The control keeps its text and looks itself; a desktop peer
// shows them and hands the user's edits back. Paragraphs are separated by
// a single "\n", so a character's index is the same here and on screen.
#pragma once

#include <string>
#include <vector>

#include "platform/controls.h"

namespace qm {

// The look of one character: TFontStyle bits and a colour; clNone is the
// control's own text colour.
struct TTextAttributes {
  unsigned Style = 0;
  TColor Color = clNone;
  friend bool operator==(const TTextAttributes&, const TTextAttributes&) = default;
};

class TRichEdit : public TWinControl {
 public:
  explicit TRichEdit(TComponent* owner);

  TNotifyEvent OnChange;

  const std::string& Text() const { return text_; }
  // The look of each character of Text().
  const std::vector<TTextAttributes>& Attributes() const { return attributes_; }
  // Plain text, every character in the control's own look; line breaks
  // of any kind become "\n".
  void SetText(const std::string& text);
  // Text and looks at once (the desktop's edits come back this way);
  // looks missing at the end are plain.
  void SetContent(std::string text, std::vector<TTextAttributes> attributes);
  void Clear() { SetText(""); }

  int SelStart() const { return selStart_; }
  int SelLength() const { return selLength_; }
  void SetSelection(int start, int length);
  void SelectAll() { SetSelection(0, static_cast<int>(text_.size())); }
  std::string SelText() const;
  // Replaces the selection; the new text takes the look of the character
  // in front of it.
  void SetSelText(const std::string& text);

  // Turns a style on over the selection, or off when all of it has it.
  void ToggleSelStyle(unsigned style);
  // Gives the selection one look.
  void SetSelAttributes(TTextAttributes look);

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  bool VerticalScrollBar() const { return scrollBar_; }
  void SetVerticalScrollBar(bool shown);

 protected:
  void KeyPress(char& key) override;
  void KeyDown(Word& key, TShiftState shift) override;
  // Enter, Escape and the arrows belong to the text; Tab still moves on.
  unsigned DialogCode() const override { return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS; }

 private:
  void Changed();
  std::string text_;
  std::vector<TTextAttributes> attributes_;
  int selStart_ = 0;
  int selLength_ = 0;
  bool readOnly_ = false;
  bool scrollBar_ = true;
};

}  // namespace qm

// The colour dialogs: picking one colour, the screen colours with the
// note-colour selection, and a script's seven user colours.
#pragma once

#include <array>
#include <string>

#include "base/program_options.h"
#include "formats/note_colors.h"
#include "platform/color_dialog.h"
#include "platform/forms.h"
#include "script/model/script_record.h"

namespace qm {

class TSetScreenColorsdlg : public TForm {
 public:
  explicit TSetScreenColorsdlg(TComponent* owner);
  TPageControl* Pages = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;
  TButton* SetColorBtn = nullptr;
  TButton* WinColorsBtn = nullptr;
  TRadioButton* Which[4]{};
  TRadioButton* TextMode = nullptr;
  TRadioButton* BackgroundMode = nullptr;
  TGroupBox* KeepGroup = nullptr;

  TScreenColors Colors;
  // The note colours shown and, on the second page, the marked ones.
  std::array<TColor, NoteColourCount> NoteColors{};
  std::array<bool, NoteColourCount> Marked{};
  TPanel* NotePanel(int index) const;
  // A click on a note panel of the second page.
  void ToggleNote(int index);
  void ShowNoteColors();
  void DrawSample();

 private:
  void SetColorClick();
};

class TSelectUserColorDlg : public TForm {
 public:
  explicit TSelectUserColorDlg(TComponent* owner);
  std::array<TColor, 7> Colors{};
  void Select(int button);  // 1..7
  int Selected() const { return selected_; }
  TPanel* Button(int button) const;
  TButton* OKBtn = nullptr;
  TButton* EditBtn = nullptr;

 private:
  void Paint();
  int selected_ = 1;
};

// The Set Screen Colors command, and the note pages of the Hide Notes
// Except commands (keepVisible: the marked colours stay on screen).
void ShowScreenColors();
void SelectNotesToHide(bool keepVisible);

}  // namespace qm

// The ordered revision draft colours of a script: their names, the colour
// each shows on screen, what follows the last one, and whether page
// colours show at all.
#pragma once

#include <string>
#include <vector>

#include "platform/forms.h"

namespace qm {

class TMDIChild;

struct TDraftColorEntry {
  std::string Name;
  TColor Color = clNone;  // clNone: no display colour
  friend bool operator==(const TDraftColorEntry&, const TDraftColorEntry&) = default;
};

// The loop choices after "Don't Loop Colors", built from the first name.
std::vector<std::string> LoopChoices(const std::string& firstName);
// Whether a name is a second-round colour whose display colour follows its
// source colour; loopStyle 1..3 adds its own prefix to the looped ones.
bool IsLoopedDraftName(const std::string& name, int loopStyle);

class TRevisionColorDlg : public TForm {
 public:
  explicit TRevisionColorDlg(TComponent* owner);

  TListBox* TheColorList = nullptr;
  TEdit* Edit1 = nullptr;
  TButton* AddBtn = nullptr;
  TButton* EditBtn = nullptr;
  TButton* DeleteBtn = nullptr;
  TButton* PageColorBtn = nullptr;
  TRadioGroup* LoopGroup = nullptr;
  TCheckBox* DisplayBox = nullptr;
  TCheckBox* DefaultsBox = nullptr;
  TPanel* SamplePanel = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;
  TButton* HelpBtn = nullptr;

  std::vector<TDraftColorEntry> Entries;
  void SetEntries(std::vector<TDraftColorEntry> entries, int current, int loop, bool display);
  int Current() const { return TheColorList->ItemIndex(); }
  int Loop() const { return LoopGroup->ItemIndex(); }
  // Moves an entry to another place, as a drag in the list does.
  void MoveEntry(int from, int to);
  void AddColor();
  void EditColor();
  void DeleteColor();
  void SetPageColor();
  // Refills the list and the loop choices and the enabled states.
  void Refresh();

 private:
  void OKBtnClick();
  int dragFrom_ = -1;
};

// The revision colour command: warns while revision marks are in force,
// then stores what the dialog closed with into the script and, when
// asked, as the defaults for new scripts.
void ShowRevisionColorDialog(TMDIChild& script);

}  // namespace qm

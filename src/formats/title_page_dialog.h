// The title page publisher's window: the page shown small with its fifteen
// items as labels, a list of the items, and the controls that edit the
// chosen one (text, font, size, styles, alignment, place).
#pragma once

#include <array>
#include <string>

#include "formats/title_page.h"
#include "platform/forms.h"

namespace qm {

// An item's label on the preview: sized to its text as shown at the
// label's zoom, so that it covers nothing of its neighbours, with a
// margin for the frame that marks the chosen item.
class TPageItemLabel : public TTitlePageLabel {
 public:
  explicit TPageItemLabel(TComponent* owner);
  static constexpr int Margin = 2;
  // The text's size as drawn at the zoom, measured with the zoomed font:
  // a font's widths do not shrink exactly with its size.
  TPoint ShownSize() const;

 protected:
  void DrawCaption(TCanvas& canvas, TRect& r, unsigned flags) override;
};

class TTitlePageDlg : public TForm {
 public:
  explicit TTitlePageDlg(TComponent* owner);

  TPanel* PagePanel;
  TListBox* ItemList;
  TMemo* TextMemo;
  TComboBox* FontBox;
  TEdit* SizeEdit;
  TCheckBox* BoldBox;
  TCheckBox* ItalicBox;
  TCheckBox* UnderlineBox;
  TRadioGroup* AlignGroup;
  TEdit* AcrossEdit;
  TEdit* DownEdit;
  TButton* OKBtn;
  TButton* CancelBtn;
  std::array<TPageItemLabel*, TitlePageItemCount> Labels{};

  // The items shown and edited; the first is chosen.
  void LoadItems(const TTitlePage& page);
  const TTitlePage& Items() const { return items_; }
  int Selected() const { return selected_; }
  // Chooses an item, as a click on its label or its row does; false (with
  // a message) when the controls hold a value the chosen item cannot take.
  bool SelectItem(int index);
  // The controls into the chosen item; false with `error` when a value is
  // outside its limits (the item keeps what it had).
  bool TakeControls(std::string& error);
  // The form made smaller on a screen narrower than the one it was laid
  // out for, the page with it.
  void FitToScreen(int screenWidth);
  int Zoom() const { return zoom_; }

 private:
  void BuildLabels();
  void ShowControls();
  void ControlsChanged();
  void PlaceLabel(int index);
  void PlaceAll();
  void ListItem(int index);
  void StartDrag(int index, int x, int y);
  void Drag(int index, int x, int y);
  void EndDrag(int index);

  TTitlePage items_{};
  int selected_ = 0;
  int zoom_ = 0;
  bool loading_ = false;
  bool dragging_ = false;
  bool moved_ = false;
  TPoint grab_{};
};

}  // namespace qm

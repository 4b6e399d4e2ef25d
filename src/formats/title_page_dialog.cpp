#include "formats/title_page_dialog.h"

#include <algorithm>
#include <string>
#include <vector>

#include "formats/title_page_layout.h"
#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

// The page is shown at this zoom on a screen of 96 pixels an inch: a
// letter page then fits a window of 600 pixels' height.
constexpr int ZoomAt96 = 48;
constexpr int PageLeft = 8;
constexpr int PageTop = 8;
constexpr int Column = 414;  // where the editing controls start

TDialogTable PublisherTable() {
  TDialogTable t = {
      {Panel, "PagePanel", "", {PageLeft, PageTop, 392, 507}},
      {Label, "ItemsLabel", "It&ems:", {Column, 8, 160, 16}},
      {ListBox, "ItemList", "", {Column, 26, 170, 190}},
      {Label, "TextLabel", "Te&xt:", {Column, 226, 160, 16}},
      {Memo, "TextMemo", "", {Column, 244, 356, 110}},
      {Label, "FontLabel", "&Font:", {Column, 368, 80, 16}},
      {DropDownList, "FontBox", "", {500, 364, 270, 22}},
      {Label, "SizeLabel", "Si&ze (points):", {Column, 400, 84, 16}},
      {Edit, "SizeEdit", "", {500, 396, 60, 22}},
      {CheckBox, "BoldBox", "&Bold", {600, 122, 160, 20}},
      {CheckBox, "ItalicBox", "&Italic", {600, 146, 160, 20}},
      {CheckBox, "UnderlineBox", "&Underline", {600, 170, 160, 20}},
      {RadioGroup, "AlignGroup", "Alignment", {596, 20, 174, 92}, "", {"&Left", "&Centered", "&Right"}},
      {Label, "AcrossLabel", "&Across (inches):", {Column, 432, 110, 16}},
      {Edit, "AcrossEdit", "", {530, 428, 60, 22}},
      {Label, "DownLabel", "&Down (inches):", {600, 432, 100, 16}},
      {Edit, "DownEdit", "", {710, 428, 60, 22}},
      {Label, "DragLabel", "Drag an item on the page to move it.", {Column, 464, 356, 16}},
  };
  for (const TDialogItem& button : ButtonRow(sbOK | sbCancel, {600, 490, 80, 25}, 90)) t.push_back(button);
  return t;
}

}  // namespace

TPageItemLabel::TPageItemLabel(TComponent* owner) : TTitlePageLabel(owner) {
  AutoSize = false;
  ShowAccelChar = false;
  Color = clWhite;
  BorderStyle = TPenStyle::psDot;
  BorderColor = clBlue;
}

TPoint TPageItemLabel::ShownSize() const {
  const int zoom = ViewPortValue() > 0 ? ViewPortValue() : 100;
  TCanvas measure;
  measure.Font.Assign(Font);
  measure.Font.SetHeight(Font.Desc().EmPixels(measure.PixelsPerInch()) * zoom / 100);
  int widest = 0;
  const std::vector<std::string> lines = Lines();
  for (const std::string& line : lines) widest = std::max(widest, measure.TextWidth(line));
  const int lineHeight = LineHeight(measure.PixelsPerInch()) * zoom / 100;
  return TPoint{widest, lineHeight * static_cast<int>(lines.size())};
}

// The label's box is the text as shown: the text is laid out in the
// unzoomed box that the zoom shrinks back into it.
void TPageItemLabel::DrawCaption(TCanvas& canvas, TRect& r, unsigned flags) {
  if (flags & DT_CALCRECT) {
    TTitlePageLabel::DrawCaption(canvas, r, flags);
    return;
  }
  const int zoom = ViewPortValue() > 0 ? ViewPortValue() : 100;
  TRect text{r.Left + Margin, r.Top + Margin, r.Right - Margin, r.Bottom - Margin};
  TRect unzoomed{text.Left * 100 / zoom, text.Top * 100 / zoom, text.Right * 100 / zoom, text.Bottom * 100 / zoom};
  TTitlePageLabel::DrawCaption(canvas, unzoomed, flags);
}

TTitlePageDlg::TTitlePageDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogFormClient(*this, "TitlePageDlg", "Title Page Publisher", 778, 525);
  BuildDialog(*this, PublisherTable());
  PagePanel = DialogControl<TPanel>(*this, "PagePanel");
  ItemList = DialogControl<TListBox>(*this, "ItemList");
  TextMemo = DialogControl<TMemo>(*this, "TextMemo");
  FontBox = DialogControl<TComboBox>(*this, "FontBox");
  SizeEdit = DialogControl<TEdit>(*this, "SizeEdit");
  BoldBox = DialogControl<TCheckBox>(*this, "BoldBox");
  ItalicBox = DialogControl<TCheckBox>(*this, "ItalicBox");
  UnderlineBox = DialogControl<TCheckBox>(*this, "UnderlineBox");
  AlignGroup = DialogControl<TRadioGroup>(*this, "AlignGroup");
  AcrossEdit = DialogControl<TEdit>(*this, "AcrossEdit");
  DownEdit = DialogControl<TEdit>(*this, "DownEdit");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  PagePanel->Color = clWhite;
  PagePanel->BevelOuter = TPanelBevel::bvNone;
  PagePanel->BorderStyle = TBorderStyleKind::bsSingle;
  TextMemo->WordWrap = false;
  const int dpi = Screen ? Screen->PixelsPerInch() : 96;
  zoom_ = std::max(1, ZoomAt96 * 96 / std::max(1, dpi));
  PagePanel->SetBounds(PageLeft, PageTop, PageUnitsToPixels(TitlePageWidth, dpi, zoom_) + 2,
                       PageUnitsToPixels(TitlePageHeight, dpi, zoom_) + 2);
  BuildLabels();
}

void TTitlePageDlg::BuildLabels() {
  for (int i = 0; i < TitlePageItemCount; ++i) {
    const std::string name = "Item" + std::to_string(i + 1) + "Label";
    auto* label = MakeControl<TPageItemLabel>(this, PagePanel, name.c_str(), 0, 0, 1, 1);
    label->Cursor = crHandPoint;
    label->OnMouseDown = [this, i](TObject*, TMouseButton button, TShiftState, int x, int y) {
      if (button == TMouseButton::mbLeft) StartDrag(i, x, y);
    };
    label->OnMouseMove = [this, i](TObject*, TShiftState, int x, int y) { Drag(i, x, y); };
    label->OnMouseUp = [this, i](TObject*, TMouseButton, TShiftState, int, int) { EndDrag(i); };
    Labels[static_cast<std::size_t>(i)] = label;
  }
  ItemList->OnClick = [this](TObject*) {
    if (ItemList->ItemIndex() >= 0 && !SelectItem(ItemList->ItemIndex())) ItemList->SetItemIndex(selected_);
  };
  const TNotifyEvent changed = [this](TObject*) { ControlsChanged(); };
  TextMemo->Lines.OnChange = changed;
  FontBox->OnChange = changed;
  SizeEdit->OnChange = changed;
  AcrossEdit->OnChange = changed;
  DownEdit->OnChange = changed;
  BoldBox->OnClick = changed;
  ItalicBox->OnClick = changed;
  UnderlineBox->OnClick = changed;
  AlignGroup->OnClick = changed;
}

}  // namespace qm

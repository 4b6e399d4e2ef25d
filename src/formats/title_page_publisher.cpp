// The publisher's logic: the chosen item shown in the controls and taken
// back from them, the preview following every change, items dragged on
// the page, and the script taking the items with OK.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/message_boxes.h"
#include "formats/element_format_controls.h"
#include "formats/title_page.h"
#include "formats/title_page_dialog.h"
#include "formats/title_page_layout.h"
#include "script/editing/document_modified.h"
#include "script/script_window.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

const char* const PublisherCaption = "Title Page Publisher";
const char* const TextTooLong = "The title page holds at most 1,536 characters of text.";
const char* const FontNameTooLong = "The title page keeps font names of at most 23 characters.";
constexpr int ReferenceScreenWidth = 800;

// The radio buttons' order: left, centred, right.
constexpr TAlignment AlignmentChoices[] = {TAlignment::taLeftJustify, TAlignment::taCenter, TAlignment::taRightJustify};

bool holdingRepaint = false;

// Set while the publisher is open, whatever way it closes.
struct TRepaintHold {
  TRepaintHold() { holdingRepaint = true; }
  ~TRepaintHold() { holdingRepaint = false; }
  TRepaintHold(const TRepaintHold&) = delete;
  TRepaintHold& operator=(const TRepaintHold&) = delete;
};

int ScreenDpi() { return Screen ? std::max(1, Screen->PixelsPerInch()) : 96; }

std::string InchesText(int units) {
  char text[16];
  std::snprintf(text, sizeof text, "%d.%02d", units / TitlePageUnitsPerInch, units % TitlePageUnitsPerInch);
  return text;
}

// A place in inches, kept in page units; false with `error` outside 0 to
// `high` units.
bool ReadInches(const TEdit& edit, const char* what, int high, std::int16_t& out, std::string& error) {
  const std::string& text = edit.Text();
  const char* start = text.c_str();
  char* end = nullptr;
  const double value = std::strtod(start, &end);
  while (end && *end == ' ') ++end;
  const double units = value * TitlePageUnitsPerInch;
  if (end == start || *end != '\0' || !std::isfinite(value) || units < -0.5 || units > high + 0.5) {
    char message[120];
    std::snprintf(message, sizeof message, "%s must be a number from 0 to %g.", what,
                  static_cast<double>(high) / TitlePageUnitsPerInch);
    error = message;
    return false;
  }
  out = static_cast<std::int16_t>(std::clamp<long>(std::lround(units), 0, high));
  return true;
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

std::string JoinedLines(const TStringList& lines) {
  std::string text;
  for (int i = 0; i < lines.Count(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return text;
}

}  // namespace

bool TitlePagePublisherHoldsRepaint() { return holdingRepaint; }

void TTitlePageDlg::LoadItems(const TTitlePage& page) {
  items_ = page;
  FontBox->Items.Clear();
  if (Screen)
    for (const std::string& family : Screen->Fonts()) FontBox->Items.Add(family);
  for (const TTitlePageItem& item : items_)
    if (FontBox->Items.IndexOf(item.FontName) < 0) FontBox->Items.Add(item.FontName);
  ItemList->Items.Clear();
  for (int i = 0; i < TitlePageItemCount; ++i) ItemList->Items.Add(TitlePageItemName(i));
  for (int i = 0; i < TitlePageItemCount; ++i) ListItem(i);
  selected_ = 0;
  PlaceAll();
  ShowControls();
}

void TTitlePageDlg::ListItem(int index) {
  const std::string line = FirstLine(items_[static_cast<std::size_t>(index)].Text);
  ItemList->Items.SetString(index, std::string(TitlePageItemName(index)) + (line.empty() ? "" : ": " + line));
}

void TTitlePageDlg::ShowControls() {
  const TTitlePageItem& item = items_[static_cast<std::size_t>(selected_)];
  loading_ = true;
  ItemList->SetItemIndex(selected_);
  TextMemo->Lines.SetText(item.Text);
  FontBox->SetItemIndex(FontBox->Items.IndexOf(item.FontName));
  SizeEdit->Text = std::to_string(item.FontSize);
  BoldBox->SetChecked((item.Style & fsBold) != 0);
  ItalicBox->SetChecked((item.Style & fsItalic) != 0);
  UnderlineBox->SetChecked((item.Style & fsUnderline) != 0);
  const auto* choice = std::find(std::begin(AlignmentChoices), std::end(AlignmentChoices), item.Alignment);
  AlignGroup->SetItemIndex(static_cast<int>(choice - std::begin(AlignmentChoices)));
  AcrossEdit->Text = InchesText(item.Left);
  DownEdit->Text = InchesText(item.Top);
  loading_ = false;
  for (int i = 0; i < TitlePageItemCount; ++i) {
    Labels[static_cast<std::size_t>(i)]->Border = i == selected_;
    Labels[static_cast<std::size_t>(i)]->Invalidate();
  }
}

bool TTitlePageDlg::TakeControls(std::string& error) {
  TTitlePageItem item = items_[static_cast<std::size_t>(selected_)];
  item.Text = JoinedLines(TextMemo->Lines);
  if (FontBox->ItemIndex() >= 0) {
    const std::string& font = FontBox->Items[FontBox->ItemIndex()];
    if (font.size() > TitlePageFontNameLength) {
      error = FontNameTooLong;
      return false;
    }
    item.FontName = font;
  }
  TNumberReader numbers(*this, error);
  if (!numbers.Whole("SizeEdit", "The font size", TitlePageMinFontSize, TitlePageMaxFontSize, item.FontSize) ||
      !ReadInches(*AcrossEdit, "Across", TitlePageWidth, item.Left, error) ||
      !ReadInches(*DownEdit, "Down", TitlePageHeight, item.Top, error))
    return false;
  item.Style = (BoldBox->Checked() ? fsBold : 0u) | (ItalicBox->Checked() ? fsItalic : 0u) |
               (UnderlineBox->Checked() ? fsUnderline : 0u);
  const int align = AlignGroup->ItemIndex();
  if (align >= 0 && align < static_cast<int>(std::size(AlignmentChoices))) item.Alignment = AlignmentChoices[align];
  items_[static_cast<std::size_t>(selected_)] = item;
  return true;
}

// The preview follows the controls while what they hold is valid.
void TTitlePageDlg::ControlsChanged() {
  if (loading_) return;
  std::string error;
  if (!TakeControls(error)) return;
  PlaceLabel(selected_);
  ListItem(selected_);
}

bool TTitlePageDlg::SelectItem(int index) {
  if (index < 0 || index >= TitlePageItemCount) return false;
  if (index != selected_) {
    std::string error;
    if (!TakeControls(error)) {
      ShowMessageBox(error, PublisherCaption);
      return false;
    }
    PlaceLabel(selected_);
    ListItem(selected_);
    selected_ = index;
  }
  ShowControls();
  return true;
}

void TTitlePageDlg::PlaceLabel(int index) {
  TPageItemLabel& label = *Labels[static_cast<std::size_t>(index)];
  const TTitlePageItem& item = items_[static_cast<std::size_t>(index)];
  label.Font.Assign(TitlePageItemFont(item));
  label.Alignment = item.Alignment;
  label.Caption = item.Text;
  label.SetViewPortValue(zoom_);
  const TPoint shown = label.ShownSize();
  const int width = shown.X;
  const int height = shown.Y;
  const TRect box = TitlePageItemBox(item, width, height, ScreenDpi(), zoom_);
  const int m = TPageItemLabel::Margin;
  label.SetBounds(box.Left - m, box.Top - m, width + 2 * m, height + 2 * m);
  label.Visible = !item.Text.empty();
  label.Invalidate();
}

void TTitlePageDlg::PlaceAll() {
  for (int i = 0; i < TitlePageItemCount; ++i) PlaceLabel(i);
}

void TTitlePageDlg::StartDrag(int index, int x, int y) {
  if (!SelectItem(index)) return;
  dragging_ = true;
  moved_ = false;
  grab_ = TPoint{x, y};
}

void TTitlePageDlg::Drag(int index, int x, int y) {
  if (!dragging_ || index != selected_) return;
  TPageItemLabel& label = *Labels[static_cast<std::size_t>(index)];
  const int left = std::clamp(label.Left + x - grab_.X, -label.Width / 2, PagePanel->ClientWidth() - label.Width / 2);
  const int top =
      std::clamp(label.Top + y - grab_.Y, -TPageItemLabel::Margin, PagePanel->ClientHeight() - label.Height);
  if (left == label.Left && top == label.Top) return;
  moved_ = true;
  label.SetBounds(left, top, label.Width, label.Height);
}

// The place the label was dropped at becomes the item's; a click alone
// leaves the item where it was.
void TTitlePageDlg::EndDrag(int index) {
  if (!dragging_ || index != selected_) return;
  dragging_ = false;
  if (!moved_) return;
  TPageItemLabel& label = *Labels[static_cast<std::size_t>(index)];
  TTitlePageItem& item = items_[static_cast<std::size_t>(index)];
  const int m = TPageItemLabel::Margin;
  item.Left = TitlePageAnchor(item.Alignment, label.Left + m, label.Width - 2 * m, ScreenDpi(), zoom_);
  item.Top = static_cast<std::int16_t>(
      std::clamp(PixelsToPageUnits(label.Top + m, ScreenDpi(), zoom_), 0, static_cast<int>(TitlePageHeight)));
  loading_ = true;
  AcrossEdit->Text = InchesText(item.Left);
  DownEdit->Text = InchesText(item.Top);
  loading_ = false;
  PlaceLabel(index);
}

void TTitlePageDlg::FitToScreen(int screenWidth) {
  if (screenWidth <= 0 || screenWidth >= ReferenceScreenWidth) return;
  ScaleBy(screenWidth, ReferenceScreenWidth);
  zoom_ = std::max(1, zoom_ * screenWidth / ReferenceScreenWidth);
  PagePanel->SetBounds(PagePanel->Left, PagePanel->Top, PageUnitsToPixels(TitlePageWidth, ScreenDpi(), zoom_) + 2,
                       PageUnitsToPixels(TitlePageHeight, ScreenDpi(), zoom_) + 2);
  PlaceAll();
}

bool ShowTitlePagePublisher(TMDIChild& script) {
  // A write refused as too long and tried again is still one change.
  const TSingleUndoStep oneStep;
  TTitlePageDlg dialog(nullptr);
  dialog.LoadItems(TitlePageOf(script));
  dialog.FitToScreen(Screen ? Screen->Width() : ReferenceScreenWidth);
  const TRepaintHold hold;
  for (;;) {
    if (dialog.ShowModal() != mrOk) return false;
    std::string error;
    if (dialog.TakeControls(error)) {
      SaveUndoStep(ukDelete, false, true, usWithSettings);
      if (WriteTitlePage(dialog.Items(), script.TitlePageItems, script.TitlePageText)) break;
      error = TextTooLong;
    }
    ShowMessageBox(error, PublisherCaption);
  }
  SetDocumentModified(true, false);
  return true;
}

}  // namespace qm

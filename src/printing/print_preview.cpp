#include "printing/print_preview.h"

#include <algorithm>
#include <cmath>

#include "base/message_boxes.h"
#include "base/program_options.h"
#include "platform/dialog_builder.h"
#include "printing/print_run.h"
#include "printing/script_page.h"
#include "script/pagination/repagination.h"
#include "script/script_window.h"

namespace qm {

namespace {

using enum TDialogItemKind;

constexpr int PanelHeight = 36;

TDialogTable PreviewTable() {
  return {
      {Panel, "ButtonPanel", "", {0, 0, 640, PanelHeight}},
      {Button, "PrintBtn", "&Print", {6, 6, 70, 25}, "ButtonPanel"},
      {Button, "PrevBtn", "< P&rev", {86, 6, 70, 25}, "ButtonPanel"},
      {Button, "NextBtn", "&Next >", {160, 6, 70, 25}, "ButtonPanel"},
      {Button, "ZoomOutBtn", "Zoom &Out", {240, 6, 70, 25}, "ButtonPanel"},
      {Button, "ZoomInBtn", "Zoom &In", {314, 6, 70, 25}, "ButtonPanel"},
      {CheckBox, "GridBox", "&Grid", {394, 9, 60, 20}, "ButtonPanel"},
      {Label, "PageLabel", "", {460, 11, 100, 16}, "ButtonPanel"},
      {Button, "CloseBtn", "&Close", {564, 6, 70, 25}, "ButtonPanel"},
  };
}

}  // namespace

TPreviewForm::TPreviewForm(TComponent* owner) : TForm(owner) {
  Name = "PreviewForm";
  Caption = "Print Preview";
  Position = TPosition::poScreenCenter;
  SetBounds(0, 0, 640, 860);
  BuildDialog(*this, PreviewTable());
  ButtonPanel = DialogControl<TPanel>(*this, "ButtonPanel");
  PrintBtn = DialogControl<TButton>(*this, "PrintBtn");
  PrevBtn = DialogControl<TButton>(*this, "PrevBtn");
  NextBtn = DialogControl<TButton>(*this, "NextBtn");
  ZoomInBtn = DialogControl<TButton>(*this, "ZoomInBtn");
  ZoomOutBtn = DialogControl<TButton>(*this, "ZoomOutBtn");
  GridBox = DialogControl<TCheckBox>(*this, "GridBox");
  PageLabel = DialogControl<TLabel>(*this, "PageLabel");
  CloseBtn = DialogControl<TButton>(*this, "CloseBtn");
  ButtonPanel->Align = TAlign::alTop;
  PageBox = new TPaintBox(this);
  PageBox->Name = "PageBox";
  PageBox->SetParent(this);
  PageBox->SetBounds(0, PanelHeight, ClientWidth(), ClientHeight() - PanelHeight);
  PageBox->Align = TAlign::alClient;
  PageBox->Color = clGray;
  PageBox->OnPaint = [this](TObject*) { PaintPage(); };
  PrintBtn->ModalResult = mrPrintPages;
  CloseBtn->ModalResult = mrCancel;
  CloseBtn->Cancel = true;
  PrevBtn->OnClick = [this](TObject*) { ShowPage(CurrentPage - 1); };
  NextBtn->OnClick = [this](TObject*) { ShowPage(CurrentPage + 1); };
  ZoomInBtn->OnClick = [this](TObject*) { SetZoom(ZoomPercent * 3 / 2); };
  ZoomOutBtn->OnClick = [this](TObject*) { SetZoom(ZoomPercent * 2 / 3); };
  GridBox->OnClick = [this](TObject*) { PageBox->Invalidate(); };
  UpdateButtons();
}

void TPreviewForm::UpdateButtons() {
  PrevBtn->Enabled = CurrentPage > 1;
  NextBtn->Enabled = CurrentPage < PageCount;
  ZoomInBtn->Enabled = ZoomPercent < 400;
  ZoomOutBtn->Enabled = ZoomPercent > 25;
  PageLabel->Caption = "Page " + std::to_string(CurrentPage) + " of " + std::to_string(PageCount);
}

void TPreviewForm::ShowPage(int page) {
  CurrentPage = std::clamp(page, 1, std::max(PageCount, 1));
  UpdateButtons();
  PageBox->Invalidate();
}

void TPreviewForm::SetZoom(int percent) {
  ZoomPercent = std::clamp(percent, 25, 400);
  UpdateButtons();
  PageBox->Invalidate();
}

const RecordingCanvas& TPreviewForm::PageDrawing(int page) {
  if (pages_.size() < static_cast<std::size_t>(PageCount)) pages_.resize(static_cast<std::size_t>(PageCount));
  auto& drawing = pages_[static_cast<std::size_t>(page - 1)];
  if (!drawing) {
    drawing =
        std::make_unique<RecordingCanvas>(PrinterMetrics.DpiY, PrinterMetrics.PageWidth, PrinterMetrics.PageHeight);
    TCanvas canvas(drawing.get());
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Font.PixelsPerInch = PrinterMetrics.DpiY;
    TCanvas* kept = CurrentPrintCanvas;
    CurrentPrintCanvas = &canvas;
    if (Handlers.PrintPage) Handlers.PrintPage(page);
    FlushTextRun();
    CurrentPrintCanvas = kept;
  }
  return *drawing;
}

void TPreviewForm::PaintPage() {
  TCanvas& c = PageBox->Canvas;
  CanvasSink* sink = c.Sink();
  if (!sink || PageCount < 1) return;
  const int boxWidth = PageBox->Width(), boxHeight = PageBox->Height();
  // The sheet fits the window's height at 100 percent.
  const double scale = (boxHeight - 20) * ZoomPercent / 100.0 / PrinterMetrics.PageHeight;
  const int sheetWidth = static_cast<int>(PrinterMetrics.PageWidth * scale);
  const int sheetHeight = static_cast<int>(PrinterMetrics.PageHeight * scale);
  const int left = std::max(10, (boxWidth - sheetWidth) / 2), top = 10;
  sink->FillRect(TRect{0, 0, boxWidth, boxHeight}, TBrushDesc{clGray, TBrushStyle::bsSolid});
  sink->FillRect(TRect{left, top, left + sheetWidth, top + sheetHeight}, TBrushDesc{clWhite, TBrushStyle::bsSolid});
  const auto x = [&](int dots) {
    return left + static_cast<int>(std::lround((dots + PrinterMetrics.OffsetX) * scale));
  };
  const auto y = [&](int dots) { return top + static_cast<int>(std::lround((dots + PrinterMetrics.OffsetY) * scale)); };
  if (GridBox->Checked()) {
    const TPenDesc pen{GridColor, GridWidth, TPenStyle::psDot, TPenMode::pmCopy};
    const int inch = PrinterMetrics.DpiX;
    for (int d = inch; d < PrinterMetrics.PageWidth; d += inch)
      sink->Line(TPoint{x(d - PrinterMetrics.OffsetX), top}, TPoint{x(d - PrinterMetrics.OffsetX), top + sheetHeight},
                 pen);
    for (int d = inch; d < PrinterMetrics.PageHeight; d += inch)
      sink->Line(TPoint{left, y(d - PrinterMetrics.OffsetY)}, TPoint{left + sheetWidth, y(d - PrinterMetrics.OffsetY)},
                 pen);
  }
  for (const DrawOp* op : PageDrawing(CurrentPage).TextOps()) {
    TFontDesc font = op->font;
    font.PixelHeight = std::max(1, static_cast<int>(std::lround(font.EmPixels(PrinterMetrics.DpiY) * scale)));
    sink->Text(x(op->rect.Left), y(op->rect.Top), op->text, font, TBrushDesc{clWhite, TBrushStyle::bsClear}, nullptr);
  }
}

bool TPrintPreview::Execute() {
  TPreviewForm form(this);
  form.Caption = Title;
  form.Handlers = Handlers;
  form.PageCount = std::max(PageCount, 1);
  form.GridColor = GridColor;
  form.GridWidth = GridWidth;
  form.PrintBtn->Visible = ShowPrintButton;
  form.SetZoom(ZoomPercent);
  form.ShowPage(CurrentPage);
  if (Handlers.BeginPrint) Handlers.BeginPrint();
  if (OnShowing) OnShowing(form);
  const TModalResult result = form.ShowModal();
  if (Handlers.EndPrint) Handlers.EndPrint();
  CurrentPage = form.CurrentPage;
  if (result == mrPrintPages && Handlers.PrintJob) Handlers.PrintJob();
  return result == mrPrintPages;
}

bool PreviewScript(TMDIChild& script, const TPrintChoice& choice) {
  BuildPageList(script);
  const std::vector<TScriptPage> pages = SelectPages(script, choice);
  if (pages.empty()) {
    ShowMessageBox("There are no pages to print in what you chose.", "Attention");
    return false;
  }
  TPageOutputOptions options;
  options.colored = ProgramOptions().PrintColoredText;
  TPrintPreview preview(nullptr);
  preview.Title = "Print Preview";
  preview.PageCount = static_cast<int>(pages.size());
  preview.Handlers.PrintPage = [&](int page) {
    const bool printed = PrintScriptPage(script, pages[static_cast<std::size_t>(page - 1)], options);
    // The draft information shows as it will print.
    FlushTextRun();
    const TPoint middle{PrinterMetrics.PageWidth / 2 - PrinterMetrics.OffsetX,
                        PrinterMetrics.PageHeight / 2 - PrinterMetrics.OffsetY};
    if (CurrentPrintCanvas) DrawDraftLines(*CurrentPrintCanvas, choice.DraftLines, middle, false, PrinterMetrics.DpiY);
    return printed;
  };
  preview.Handlers.PrintJob = [&] { PrintScript(script, choice); };
  return preview.Execute();
}

}  // namespace qm

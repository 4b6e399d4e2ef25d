// Print preview: each page drawn as it prints, on a sheet in a window of
// its own, page by page, with zoom, an inch grid and a Print button.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/recording_canvas.h"
#include "printing/print_menu.h"

namespace qm {

// The preview's handlers: what the print routines of a page draw.
struct TPreviewHandlers {
  std::function<void()> BeginPrint;
  std::function<bool(int page)> PrintPage;  // 1-based, on CurrentPrintCanvas
  std::function<void()> EndPrint;
  std::function<void()> PrintJob;  // the Print button's whole job
};

// The preview window.
class TPreviewForm : public TForm {
 public:
  explicit TPreviewForm(TComponent* owner);

  TPanel* ButtonPanel = nullptr;
  TButton* PrintBtn = nullptr;
  TButton* PrevBtn = nullptr;
  TButton* NextBtn = nullptr;
  TButton* ZoomInBtn = nullptr;
  TButton* ZoomOutBtn = nullptr;
  TCheckBox* GridBox = nullptr;
  TButton* CloseBtn = nullptr;
  TLabel* PageLabel = nullptr;
  TPaintBox* PageBox = nullptr;

  TPreviewHandlers Handlers;
  int PageCount = 1;
  int CurrentPage = 1;
  int ZoomPercent = 100;  // of the sheet fitted to the window's height
  TColor GridColor = clSilver;
  int GridWidth = 1;

  void ShowPage(int page);
  void SetZoom(int percent);
  // What the page's print routines drew, in printer dots (kept per page).
  const RecordingCanvas& PageDrawing(int page);
  // Draws the sheet, its grid and the current page on the paint box.
  void PaintPage();

 private:
  void UpdateButtons();
  std::vector<std::unique_ptr<RecordingCanvas>> pages_;
};

// The main window's preview component: Execute makes the window, gives it
// the handlers and settings, shows it modally, runs the whole print job
// when its Print button was used, and frees it.
class TPrintPreview : public TComponent {
 public:
  explicit TPrintPreview(TComponent* owner) : TComponent(owner) {}
  TPreviewHandlers Handlers;
  int PageCount = 1;
  int CurrentPage = 1;
  int ZoomPercent = 100;
  bool ShowPrintButton = true;
  TColor GridColor = clSilver;
  int GridWidth = 1;
  std::string Title = "Print Preview";
  // Called with the window once it is made, before it shows (tests look in).
  std::function<void(TPreviewForm&)> OnShowing;

  bool Execute();
};

// The preview's result when its Print button closed it.
constexpr TModalResult mrPrintPages = 21;

// Previews the chosen pages of a script; its Print button prints them.
bool PreviewScript(TMDIChild& script, const TPrintChoice& choice);

}  // namespace qm

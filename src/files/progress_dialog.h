// The one modal dialog every load, save, merge, import and export runs
// inside: the caller sets the job's parameters and calls Execute; the
// dialog's first paint runs the job once, chosen by a format code.
#pragma once

#include <string>

#include "platform/forms.h"

namespace qm {

// Asked before a file whose format could not be told is read anyway:
// when the converter left nothing, and when it found plain text.
inline constexpr const char* StripCodesQuestion =
    "I can't directly read this file so importing it with Cut && Paste or from an RTF or ASCII version would be "
    "better.\r\rHowever, I can ATTEMPT to strip out the format codes, but this will probably leave \"garbage\" that "
    "you'll need to clean up.\r\rImport anyway?";
inline constexpr const char* UnidentifiedFileQuestion =
    "I am unable to identify the format of this file...\r\rI can read it as an ASCII file--stripping any extended "
    "format codes--but it may not work well and there may be left over \"garbage\" codes which you'll need to clean "
    "up.\r\rShould I import it as ASCII?";
inline constexpr const char* UnverifiedFileQuestion =
    "I am unable to verify the format of this file...\r\rShould I try and open it anyway?";

class TProgressDlg : public TForm {
 public:
  explicit TProgressDlg(TComponent* owner);
  ~TProgressDlg() override;

  TPanel* MainPanel;
  TLabel* PromptText;
  TBevel* Bevel1;
  TPanel* GaugePanel;
  TLabel* Label1;
  TLabel* Label2;
  TLabel* Label3;
  TBevel* GaugeBevel;
  TPanel* Gauge1Panel;
  TGauge* PercentDone;
  TButton* CancelBtn;

  std::string JobFileName;
  Byte LoadJob = 0;
  Byte PasteFromJob = 0;
  DWord ClipboardSize = 0;
  Byte FileFormatCode = 0;
  int GaugeStep = 20;
  HWND FocusWindow = NullWindow;
  Byte LoadFormatCode = 0;

  // Runs one job; true when the dialog ended with the OK result.
  bool Execute(const std::string& fileName, bool loadJob, bool pasteFromJob);
  // The dispatcher, run only as the dialog's first paint.
  void FormPaint(TObject* sender);
  void Percentage(Byte percent);
  void Done();
  void CancelBtnClick(TObject* sender);
  void HideNow();
  void ShowNow();
  void SetupScreenHeight();
  void FormShow(TObject* sender);
  void FormHide(TObject* sender);
  // Clears the undo ring's data.
  void FormDestroy(TObject* sender);
  // Empties the undo ring and the clipboard.
  void FreeClipUndoMemory();
  // Copies the active script's block to the clipboard, then with `cut`
  // takes it out of the script.
  void CopyToClipBoard(bool toClipboard, bool cut);
  // Brings what the clipboard holds into the active script at the caret.
  void PasteFromClipBoard();

 private:
  void RunSaveJob();
  void RunLoadJob();
  bool ResolveUnrecognised(Byte& code);
  bool AskToRead(const char* question, const std::string& caption, Byte as, Byte& code);
  bool ReadConverted(const std::string& converted);
  void DispatchLoad(Byte code);
  bool ReadForeign(const std::string& fileName, Byte code);
  void RemoveBlockForPaste();
  void TitleAfterLoad(Byte code);
  bool ExportThroughFilter(const std::string& filter);
  void ExportMacintoshRtf();
  void Refuse(const std::string& what);
  void RefuseFormat(const std::string& format);
  void RefuseLoad(const std::string& message);
  // Sizes the dialog for the screen and the parts its job shows, and
  // places it in the middle of the screen.
  void LayOut();
  bool jobArmed_ = false;
};

// The one progress dialog of the program, made on first use.
TProgressDlg& ProgressDlg();

// A message box shown over a job moves the dialog off the screen and back;
// a file error disables it while it is reported and then clears the
// pending I/O error. Set once at start-up.
void ConnectProgressDialogToMessageBox();

// "Unable to find <name>.XTD!" (caption "Export Aborted") and the pending
// I/O error 100.
void ReportMissingFilter(const std::string& filterName);

}  // namespace qm

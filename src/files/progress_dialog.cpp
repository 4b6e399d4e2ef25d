#include "files/progress_dialog.h"
#include "files/safe_save.h"

#include "files/converter_handoff.h"
#include "files/disk_utils.h"
#include "files/export_script.h"
#include "files/file_format.h"
#include "files/file_job.h"
#include "files/foreign_files.h"
#include "files/imported_script.h"
#include "files/native_file.h"
#include "files/rtf_page.h"
#include "files/text_files.h"
#include "files/undo_ring.h"
#include "platform/clipboard.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "script/layout/revision_colors.h"
#include "script/editing/document_modified.h"
#include "script/editing/message_pump.h"
#include "script/script_window.h"
#include "base/document_table.h"
#include "base/global_state.h"
#include "base/message_boxes.h"
#include "base/program_options.h"
#include "base/program_options.h"
#include "base/ini_file.h"
#include "base/prompt_table.h"

namespace qm {

namespace {

TProgressDlg* instance = nullptr;

const GlobalState reset([] {
  delete instance;
  instance = nullptr;
});

// Save codes without a writer end with the OK result, as before.
bool HasNoWriter(Byte code) { return (code >= 8 && code <= 10) || code == 15 || (code >= 17 && code <= 19); }

}  // namespace

TProgressDlg& ProgressDlg() {
  if (!instance) instance = new TProgressDlg(Application);
  return *instance;
}

// The hooks ask for the dialog each time, so they hold before it is made
// and after it has gone.
void ConnectProgressDialogToMessageBox() {
  TMessageBoxHooks& hooks = MessageBoxHooks;
  hooks.ProgressDialogVisible = [] { return instance && instance->Visible; };
  hooks.ProgressDialogHideNow = [] {
    if (instance) instance->HideNow();
  };
  hooks.ProgressDialogShowNow = [] {
    if (instance) instance->ShowNow();
  };
  hooks.EnableProgressDialog = [](bool enabled) {
    if (instance) instance->Enabled = enabled;
  };
  hooks.ClearPendingIoError = [] { PendingIOError = 0; };
}

void ReportMissingFilter(const std::string& filterName) {
  ShowMessageBox("Unable to find " + filterName + ".XTD!", "Export Aborted");
  PendingIOError = 100;
}

TProgressDlg::TProgressDlg(TComponent* owner) : TForm(owner) {
  Name = "ProgressDlg";
  WindowClass = "TProgressDlg";
  BorderStyle = TFormBorderStyle::bsDialog;
  SetClientWidth(340);
  SetClientHeight(204);
  MainPanel = MakeControl<TPanel>(this, this, "MainPanel", 0, 0, 340, 169);
  PromptText = MakeControl<TLabel>(this, MainPanel, "PromptText", 10, 12, 320, 13);
  Bevel1 = MakeControl<TBevel>(this, MainPanel, "Bevel1", 5, 5, 330, 40);
  GaugePanel = MakeControl<TPanel>(this, MainPanel, "GaugePanel", 10, 52, 320, 64);
  Label1 = MakeControl<TLabel>(this, GaugePanel, "Label1", 8, 4, 100, 13);
  Label2 = MakeControl<TLabel>(this, GaugePanel, "Label2", 140, 4, 40, 13);
  Label3 = MakeControl<TLabel>(this, GaugePanel, "Label3", 280, 4, 40, 13);
  Label1->Caption = "0%";
  Label2->Caption = "50%";
  Label3->Caption = "100%";
  GaugeBevel = MakeControl<TBevel>(this, GaugePanel, "GaugeBevel", 4, 20, 312, 36);
  Gauge1Panel = MakeControl<TPanel>(this, GaugePanel, "Gauge1Panel", 8, 24, 304, 28);
  PercentDone = MakeControl<TGauge>(this, Gauge1Panel, "PercentDone", 0, 0, 304, 28);
  CancelBtn = MakeControl<TButton>(this, MainPanel, "CancelBtn", 132, 126, 75, 25);
  CancelBtn->Caption = "Cancel";
  CancelBtn->Cancel = true;
  CancelBtn->OnClick = [this](TObject* s) { CancelBtnClick(s); };
  OnPaint = [this](TObject* s) { FormPaint(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnHide = [this](TObject* s) { FormHide(s); };
}

TProgressDlg::~TProgressDlg() {
  FormDestroy(this);
  if (instance == this) instance = nullptr;
}

void TProgressDlg::FormDestroy(TObject*) {
  if (UndoObject) UndoObject->ClearUndoData();
}

// The Help menu's "Memory Available" says why it shows nothing, before and
// after the release.
void TProgressDlg::FreeClipUndoMemory() {
  const auto memoryAvailable = [] {
    ShowMessageBox("Due to the 32 bit Memory management system, this feature has been disabled.", "Attention");
  };
  memoryAvailable();
  if (UndoObject) UndoObject->ClearUndoData();
  if (Clipboard()->Open(DocumentFrame ? DocumentFrame->Handle() : NullWindow)) {
    Clipboard()->Clear();
    Clipboard()->Close();
  }
  memoryAvailable();
}

bool TProgressDlg::Execute(const std::string& fileName, bool loadJob, bool pasteFromJob) {
  if ((loadJob || pasteFromJob) && DirectoryExists(fileName)) {
    ShowMessageBox(PathToText(fileName) + " is a folder, not a file.", "Unable to load File...");
    return false;
  }
  // A first save that was stopped left only its new file: the load offers it.
  if ((loadJob || pasteFromJob) && !FileExists(fileName) && !(loadJob && StoppedSaveToOffer(fileName))) {
    ShowMessageBox(PathToText(fileName) + " not Found!", "Unable to load File...");
    return false;
  }
  GaugePanel->Visible = ProgramOptions().ShowRetrieveProgress || fileName.empty();
  CancelBtn->Visible = loadJob || pasteFromJob;
  PercentDone->Progress = 0;
  JobFileName = fileName;
  LoadJob = loadJob;
  PasteFromJob = pasteFromJob;
  jobArmed_ = true;
  PromptText->Caption = ShownFileName(fileName, 25);
  FileJobHooks.Percentage = [this](Byte percent) { Percentage(percent); };
  FileJobHooks.CancelPressed = [this] { return ModalResult == mrCancel; };
  FileJobHooks.Done = [this] { Done(); };
  ProcessMessagesGuarded();
  // Laid out before it shows as well: the window of a dialog shown for the
  // first time is made where the dialog stands, before it lays itself out.
  LayOut();
  ShowModal();
  ProcessMessagesGuarded();
  EndFileJob();
  jobArmed_ = false;
  return ModalResult == mrOk;
}

void TProgressDlg::FormPaint(TObject*) {
  if (!jobArmed_ || PercentDone->Progress > 0 || JobFileName.empty()) return;
  jobArmed_ = false;
  PendingIOError = 0;
  LongJob job;
  if (LoadJob) RunLoadJob();
  else RunSaveJob();
}

void TProgressDlg::RunSaveJob() {
  Caption = "Saving";
  PendingIOError = 0;
  const Byte code = FileFormatCode;
  if (code == 0 || code == 1) {
    SaveScriptFile(JobFileName, false, code == 0);
  } else if (code == 3 || code == 5 || code == 7 || code == 16) {
    ExportScript(JobFileName, code);
  } else if (code == 6) {
    if (ExportThroughFilter("RTF") && !FinishRtfExport(JobFileName)) PendingIOError = 100;
  } else if (code == 13) {
    ExportMacintoshRtf();
  } else if (code == 12 || code == 14) {
    // Written as a Word 97 file, which every later Word reads: the old
    // advice to prefer WordPerfect no longer applies.
    ExportThroughFilter(code == 12 ? "WORDWIN" : "WORDWIN6");
  } else if (code == 4 || code == 11) {
    RefuseFormat(code == 4 ? "WordPerfect 5.1/6.x" : "MS Word for DOS");
  } else if (!HasNoWriter(code)) {
    Refuse("Saving in this format");
  }
  ModalResult = PendingIOError != 0 ? mrCancel : mrOk;
  PendingIOError = 0;
}

// Whether the converter wrote the job's file through the filter of the
// program folder; a missing filter is said.
bool TProgressDlg::ExportThroughFilter(const std::string& filter) {
  const std::string filterFile = ProgramFolder() + filter + ".XTD";
  if (!FileExists(filterFile)) {
    ReportMissingFilter(filter);
    return false;
  }
  return ExportViaFilter(JobFileName, filterFile);
}

// The Macintosh wants bare CRs; without the RTF filter the program's own
// styled RTF goes to the same file.
void TProgressDlg::ExportMacintoshRtf() {
  if (!FileExists(ProgramFolder() + "RTF.XTD")) {
    ExportScript(JobFileName, ekExportStyledRtf);
    return;
  }
  if (ExportThroughFilter("RTF") && !(FinishRtfExport(JobFileName) && ConvertLineEnds(JobFileName, true)))
    PendingIOError = 100;
}

// The converter reads these formats but cannot write them.
void TProgressDlg::RefuseFormat(const std::string& format) {
  ShowMessageBox("Saving as " + format +
                     " is not available: the converter can read this format but not write it.\r\r"
                     "Please save as Rich Text Format or MS Word for Windows, which this word processor reads.",
                 "Attention");
  PendingIOError = 100;
}

void TProgressDlg::Refuse(const std::string& what) {
  ShowMessageBox(what + " is not available in this version.", "Attention");
  PendingIOError = 100;
}

void TProgressDlg::RunLoadJob() {
  const std::string probed =
      FileExists(JobFileName) ? JobFileName : StoppedSaveToOffer(JobFileName).value_or(JobFileName);
  Byte code = DetectFileFormat(probed, LoadFormatCode);
  if (code == 21) {
    std::string why = WhyNotReadable(JobFileName);
    RefuseLoad("Error Reading File\r\r" + PathToText(JobFileName) + ":\r" +
               (why.empty() ? "it could not be read" : why) + ".");
    return;
  }
  if (code == 10) {
    if (PasteFromJob) {
      ShowMessageBox("Sorry but you CANNOT \"Paste From\" a password Protected script!", PromptTable(18));
      ModalResult = mrCancel;
      Done();
      return;
    }
    code = 0;
  }
  if (code == lfUnknown && !ResolveUnrecognised(code)) return;
  DispatchLoad(code);
  if (!NoActiveDocument()) TitleAfterLoad(code);
}

// An unrecognised file: with the plain-text hint it is text. Otherwise the
// outside converter has a go at it first, and what it leaves decides: its
// output is read, its failure ends the job, and when it left nothing or
// found plain text the writer is asked whether to read the file anyway. No
// reads nothing, so that no empty window is left under the file's name.
bool TProgressDlg::ResolveUnrecognised(Byte& code) {
  if (LoadFormatCode == lfPlainText) {
    code = lfPlainText;
    return true;
  }
  if (FileSize(JobFileName) == 0) {
    RefuseLoad("Unable to open " + PathToText(JobFileName) + ":\r" + WhyNotRecognised(JobFileName) + ".");
    return false;
  }
  const std::string converted = JoinPath(ConfigFolder(), "CONVERT.FIL");
  const Byte result = EnsureConfigFolder() ? ImportViaConverter(JobFileName, converted) : Byte{crResultNothing};
  if (result == crResultConverted) {
    if (ReadConverted(converted) && !NoActiveDocument()) TitleAfterLoad(lfPlainText);
    return false;
  }
  if (result == crResultFailed) {
    ModalResult = mrCancel;
    Done();
    return false;
  }
  if (result == crResultNothing) return AskToRead(StripCodesQuestion, PromptTable(31), lfStrippedText, code);
  HideNow();
  Invalidate();
  const Byte hint = LoadFormatCode < lfPlainText ? Byte{lfUnknown} : LoadFormatCode;
  const bool read = hint == lfUnknown ? AskToRead(UnidentifiedFileQuestion, PromptTable(31), lfStrippedText, code)
                                      : AskToRead(UnverifiedFileQuestion, PromptTable(32), hint, code);
  if (read) BackUpBeforeRiskyRead();
  return read;
}

// Yes reads the file as `as`; No ends the job with nothing read.
bool TProgressDlg::AskToRead(const char* question, const std::string& caption, Byte as, Byte& code) {
  if (!AskYesNo(question, caption, false)) {
    ModalResult = mrCancel;
    Done();
    return false;
  }
  code = as;
  return true;
}

// The converter's output is read as if it had been opened, then deleted.
bool TProgressDlg::ReadConverted(const std::string& converted) {
  const bool read = ReadForeign(converted, DetectFileFormat(converted, lfPlainText));
  DeleteFile(converted);
  if (!read) ModalResult = mrCancel;
  Done();
  return read;
}

// Nothing was read: the job ends with the cancel result, so that no window
// is left for the file.
void TProgressDlg::RefuseLoad(const std::string& message) {
  ShowMessageBox(message, "Attention");
  ModalResult = mrCancel;
  Done();
}

void TProgressDlg::DispatchLoad(Byte code) {
  if (code == 0 || code == 1) {
    if (PasteFromJob) {
      RemoveBlockForPaste();
      MergeScriptFile(JobFileName);
      return;
    }
    const bool timed = AnsiUpperCase(JobFileName).find(".TMB") != std::string::npos;
    if (!LoadScriptFile(JobFileName, timed).loaded) ModalResult = mrCancel;
    else SetupRevisionColorDisplay();
    return;
  }
  if (code == 18) {
    Done();
    return;
  }
  if (IsForeignFormat(code) || code == lfStrippedText) {
    if (!ReadForeign(JobFileName, code)) ModalResult = mrCancel;
    Done();
    return;
  }
  RefuseLoad("Reading " + PathToText(JobFileName) + " is not available in this version.");
}

// A file of another program becomes the new script's elements, or, for
// "Paste From", goes in at the caret.
bool TProgressDlg::ReadForeign(const std::string& fileName, Byte code) {
  if (!PasteFromJob) return ImportForeignFile(fileName, code);
  RemoveBlockForPaste();
  return PasteForeignFile(fileName, code);
}

// A file pasted over a marked block takes the block's place, as a paste
// does; the clipboard keeps what it held.
void TProgressDlg::RemoveBlockForPaste() {
  const TMDIChild* script = ActiveScript();
  if (script && script->BlockOn()) CopyToClipBoard(false, true);
}

void TProgressDlg::TitleAfterLoad(Byte code) {
  if (ModalResult != mrOk) return;
  LoadFormatCode = code;
  TMDIChild* script = ActiveScript();
  if (code >= 3 && !PasteFromJob) {
    script->SetScriptCaption(ImportedScriptName(*script, JobFileName));
    SetDocumentModified(true, false);
  } else if (!PasteFromJob) {
    // A script file of another extension is titled with the script
    // extension: a name that must not be another script's.
    const std::string named = NativeScriptName(JobFileName);
    script->SetScriptCaption(SameFileName(named, JobFileName) ? named : UnclaimedScriptName(*script, named));
  }
}

void TProgressDlg::Percentage(Byte percent) {
  if (!GaugePanel->Visible) return;
  const int now = PercentDone->Progress;
  if (percent >= 1 && percent <= 99 && percent < now + GaugeStep) return;
  if (percent >= 100 && now >= 100) return;
  const int value = std::min<int>(percent, 100);
  if (value == now) return;
  PercentDone->Progress = value;
  PumpDialogMessage(Handle());
  PercentDone->Invalidate();
}

void TProgressDlg::Done() {
  if (ModalResult == mrNone) ModalResult = mrOk;
  Invalidate();
}

void TProgressDlg::CancelBtnClick(TObject*) {
  ModalResult = mrCancel;
  Invalidate();
}

void TProgressDlg::HideNow() { Left = -Width; }

void TProgressDlg::ShowNow() { Left = (Screen->Width() - Width) / 2; }

void TProgressDlg::SetupScreenHeight() {
  const int h = Screen->Height();
  const int scale = h <= 600 ? 600 : h;
  Height = 169 * scale / 600;
  MainPanel->Height = 134 * scale / 600;
}

void TProgressDlg::FormShow(TObject*) {
  Caption = "";
  // A clipboard job (no file) shows its gauge whatever the option says.
  GaugePanel->Visible = ProgramOptions().ShowRetrieveProgress || JobFileName.empty();
  GaugeBevel->Visible = GaugePanel->Visible;
  for (TLabel* label : {Label1, Label2, Label3}) label->Visible = true;
  if (TMDIChild* script = ActiveScript()) FocusWindow = script->Handle();
  LayOut();
  Invalidate();
}

void TProgressDlg::LayOut() {
  const int h = Screen->Height();
  const int scale = h <= 600 ? 600 : h;
  Height = 204 * scale / 600;
  MainPanel->Height = 169 * scale / 600;
  CancelBtn->Top = 126 * scale / 600;
  if (!GaugePanel->Visible) {
    CancelBtn->Top = GaugePanel->Top + 10;
    MainPanel->Height -= GaugePanel->Height;
    Height -= GaugePanel->Height;
  }
  if (!CancelBtn->Visible) {
    MainPanel->Height -= CancelBtn->Height;
    Height -= CancelBtn->Height;
  }
  Top = (Screen->Height() - Height) / 2;
  ShowNow();
}

void TProgressDlg::FormHide(TObject*) {
  if (TWinControl* w = Platform::Current().WindowFromHandle(FocusWindow)) w->SetFocus();
  FocusWindow = NullWindow;
  Invalidate();
  GaugeStep = 20;
}

}  // namespace qm

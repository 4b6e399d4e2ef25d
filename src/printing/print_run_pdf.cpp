#include "printing/print_run_pdf.h"

#include "base/document_table.h"
#include "base/global_state.h"
#include "base/ini_file.h"
#include "base/message_box_form.h"
#include "base/message_boxes.h"
#include "platform/cp1252.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/pdf_printer.h"
#include "script/script_window.h"

namespace qm {

namespace {

constexpr const char* PdfCaption = "Print to PDF";

// The file the user named for the job under way: a caller that names the
// file itself (batch printing) knows where it goes and is not told.
std::string ChosenFile;
const GlobalState reset([] { ChosenFile.clear(); });

PdfPrinterDevice* AsPdfPrinter(PrinterDevice& device) { return dynamic_cast<PdfPrinterDevice*>(&device); }

std::string BaseName(const std::string& path) {
  std::string name = ExtractFileName(path);
  if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

// A run's "Please Wait" notice would stand over the dialog and keep the
// keyboard from it: it steps aside while the writer names the file.
class TNoticeAside {
 public:
  TNoticeAside() {
    if (MyNewMsgBox && MyNewMsgBox->IsNotice() && MyNewMsgBox->Visible && !MyNewMsgBox->Modal()) box_ = MyNewMsgBox;
    if (box_) box_->Hide();
  }
  ~TNoticeAside() {
    if (box_ && box_->IsNotice()) box_->Show();
  }
  TNoticeAside(const TNoticeAside&) = delete;
  TNoticeAside& operator=(const TNoticeAside&) = delete;

 private:
  TMyNewMsgBox* box_ = nullptr;
};

// `name` with ".pdf" in `folder`, the name cut to what the folder takes,
// never inside a character.
std::string PdfIn(const std::string& folder, const std::string& name) {
  const std::string ext = ".pdf";
  return JoinPath(folder, NameStartFitting(name, ext.size(), folder) + ext);
}

}  // namespace

std::string ProposedPdfFile(const std::string& scriptFileName, const std::string& title) {
  const std::string script = BaseName(scriptFileName);
  std::string name = script.empty() ? title : script;
  if (name.empty()) name = "Untitled";
  const std::string named = ExtractFileDir(scriptFileName);
  const std::string folder = named.empty() ? ScriptDirectory : named;
  // A report's title follows the script's name where the folder takes both.
  const std::string titled = name + " " + title;
  if (!script.empty() && !title.empty() && title != script && NameFitsFolder(JoinPath(folder, titled + ".pdf")))
    name = titled;
  return PdfIn(folder, name);
}

bool ChoosePdfFile(PrinterDevice& device, const std::string& title) {
  PdfPrinterDevice* pdf = AsPdfPrinter(device);
  if (!pdf) return true;
  const TMDIChild* script = ActiveScript();
  const std::string scriptFile = script ? script->ScriptFileName : std::string();
  // What is printed of a script takes the script's mode.
  pdf->NextOutputMode = ModeFor(scriptFile);
  if (!pdf->NextOutputFile.empty()) return true;
  const std::string proposed = ProposedPdfFile(scriptFile, title);
  TSaveDialog dialog(nullptr);
  dialog.Title = PdfCaption;
  dialog.Filter = "PDF Document|*.pdf";
  dialog.DefaultExt = "pdf";
  dialog.InitialDir = ExtractFileDir(proposed);
  dialog.FileName = ExtractFileName(proposed);
  const TNoticeAside aside;
  for (;;) {
    if (!dialog.Execute()) return false;
    std::string path = dialog.FileName;
    if (!SameText(ExtractFileExt(path), ".pdf")) path += ".pdf";
    if (ExtractFileDir(path).empty()) path = JoinPath(dialog.InitialDir, path);
    if (FileExists(path) &&
        !AskYesNo(PathToText(path) + " already exists!\r\rShould I Overwrite this file?", PdfCaption, false))
      continue;
    pdf->NextOutputFile = ChosenFile = path;
    return true;
  }
}

void ReportPdfFile(const PrinterDevice& device) {
  const auto* pdf = dynamic_cast<const PdfPrinterDevice*>(&device);
  if (!pdf || ChosenFile.empty() || pdf->OutputFile() != ChosenFile) return;
  ChosenFile.clear();
  ShowMessageBox("The PDF file " + PathToText(pdf->OutputFile()) + " was written.", PdfCaption);
}

}  // namespace qm

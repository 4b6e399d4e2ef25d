// The open and save dialogs as the desktop's own file dialogs: its folder
// browser, the program's filters, the name field taking the typing.
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>

#include "platform/cp1252.h"
#include "platform/dialogs.h"
#include "platform/qt/qt_desktop.h"
#include "platform/files.h"
#include "platform/qt/qt_form_peer.h"

namespace qm {

namespace {

QString Q(const std::string& cp1252) { return QString::fromStdString(AnsiToUtf8(cp1252)); }

// Paths are the system's bytes, never the program's code page.
QString PathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

// "*.;*.SC?;*.QMW" as a desktop pattern list. Names compare without regard
// to case, as the program's own filters do; "*." (names without an
// extension) has no desktop pattern and is left out.
QString NameFilter(const std::string& description, const std::string& mask) {
  QStringList patterns;
  for (const QString& part : Q(mask).split(';', Qt::SkipEmptyParts)) {
    const QString pattern = part.trimmed();
    if (pattern.isEmpty() || pattern == "*.") continue;
    if (pattern == "*.*") {
      patterns << "*";
      continue;
    }
    for (const QString& form : {pattern.toUpper(), pattern.toLower()})
      if (!patterns.contains(form)) patterns << form;
  }
  return Q(description) + " (" + patterns.join(' ') + ")";
}

QWidget* OwnerWindow() {
  if (Application && Application->MainForm)
    if (FormPeer* main = FormPeerOf(Application->MainForm); main && main->Window()) return main->Window();
  return nullptr;
}

}  // namespace

std::optional<bool> QtBackend::RunFileDialog(TFileDialog& request) {
  QFileDialog dialog(OwnerWindow(), Q(request.Caption()), PathText(request.InitialDir));
  dialog.setAcceptMode(request.Saving() ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.Saving() ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // The program asks its own question before it writes over a file.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  QStringList filters;
  for (const auto& [description, mask] : request.Filters()) filters << NameFilter(description, mask);
  dialog.setNameFilters(filters);
  if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size())
    dialog.selectNameFilter(filters[request.FilterIndex - 1]);
  if (!request.FileName.empty()) dialog.selectFile(PathText(ExtractFileName(request.FileName)));
  // The dialog runs in the core's loop, so that its timers and the
  // messages of other programs go on meanwhile.
  bool finished = false;
  QObject::connect(&dialog, &QDialog::finished, &dialog, [&finished] { finished = true; });
  // Modal to the whole program, as the old platform's was: open() would
  // make it modal to the main window alone, and a window of the program
  // shown just before (a print run's progress) then took the keyboard
  // when it came up, which went on to the blocked main window, so the
  // writer's typing and Return were lost.
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.show();
  if (auto* name = dialog.findChild<QLineEdit*>("fileNameEdit")) name->setFocus(Qt::ActiveWindowFocusReason);
  while (!finished && dialog.isVisible() && !Application->Terminated()) Application->HandleMessage();
  const QStringList chosen = dialog.selectedFiles();
  if (dialog.result() != QDialog::Accepted || chosen.isEmpty()) return false;
  request.FileName = QFile::encodeName(chosen.front()).toStdString();
  request.FilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  return true;
}

}  // namespace qm

// The colour dialog as the desktop's own: its basic colours and colour
// field, with the program's custom colours in its custom slots.
#include <QColorDialog>

#include <algorithm>

#include "platform/color_dialog.h"
#include "platform/cp1252.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_form_peer.h"

namespace qm {

namespace {

QColor ToQColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>((rgb >> 16) & 0xFF));
}

QWidget* OwnerWindow() {
  if (Application && Application->MainForm)
    if (FormPeer* main = FormPeerOf(Application->MainForm); main && main->Window()) return main->Window();
  return nullptr;
}

}  // namespace

std::optional<bool> QtBackend::RunColorDialog(TColorDialog& request) {
  const int offered = std::min(static_cast<int>(request.CustomColors.size()), QColorDialog::customCount());
  for (int i = 0; i < offered; ++i)
    QColorDialog::setCustomColor(i, ToQColor(request.CustomColors[static_cast<std::size_t>(i)]));
  QColorDialog dialog(ToQColor(request.Color), OwnerWindow());
  dialog.setWindowTitle(QString::fromStdString(AnsiToUtf8(request.Caption())));
  // The dialog runs in the core's loop, so that its timers and the
  // messages of other programs go on meanwhile.
  bool finished = false;
  QObject::connect(&dialog, &QDialog::finished, &dialog, [&finished] { finished = true; });
  dialog.setModal(true);
  dialog.open();
  while (!finished && dialog.isVisible() && !Application->Terminated()) Application->HandleMessage();
  if (dialog.result() != QDialog::Accepted) return false;
  const QColor chosen = dialog.selectedColor();
  if (!chosen.isValid()) return false;
  request.Color = RGB(chosen.red(), chosen.green(), chosen.blue());
  return true;
}

}  // namespace qm

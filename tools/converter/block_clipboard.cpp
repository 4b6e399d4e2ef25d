#include <cstdlib>
#include <string_view>

#include "block_document.h"
#include "files/export_block.h"
#include "platform/files.h"
#include "platform/folder_clipboard.h"

#ifdef QM_HAVE_QT
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/qt/qt_clipboard.h"
#endif

namespace qm::converter {

namespace {

#ifdef QM_HAVE_QT
// A desktop the program's clipboard can be reached on: an X or Wayland
// display that Qt is not told to leave aside.
bool HasDesktop() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && (std::string_view(platform) == "offscreen" || std::string_view(platform) == "minimal")) return false;
  return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

std::optional<std::vector<std::uint8_t>> DesktopBlock(int argc, char** argv) {
  if (!HasDesktop()) return std::nullopt;
  QGuiApplication app(argc, argv);
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  const QString mime = QString::fromStdString(MimeOfFormatName(ExportFormatName));
  if (!data || !data->hasFormat(mime)) return std::nullopt;
  const QByteArray bytes = data->data(mime);
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}
#else
std::optional<std::vector<std::uint8_t>> DesktopBlock(int, char**) { return std::nullopt; }
#endif

}  // namespace

std::optional<std::vector<std::uint8_t>> ClipboardExportBlock(int argc, char** argv) {
  if (auto block = DesktopBlock(argc, argv)) return block;
  FolderClipboard shared(RuntimeFolder());
  for (const ClipItem& item : shared.Contents())
    if (item.name == ExportFormatName) return item.data;
  return std::nullopt;
}

}  // namespace qm::converter

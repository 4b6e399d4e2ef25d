#include "platform/qt/qt_clipboard.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QMimeData>

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/cp1252.h"
#include "platform/platform.h"

namespace qm {

namespace {

constexpr std::string_view kPrefix = "application/x-quillmaster-";

bool Plain(unsigned char c) { return std::isalnum(c) || c == '_' || c == '.'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

QByteArray BytesOf(const Bytes& data) {
  return QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
}

Bytes BytesOf(const QByteArray& data) { return Bytes(data.begin(), data.end()); }

// The core keeps text blocks ended by a zero; the desktop has no such end.
Bytes WithoutEnd(Bytes data) {
  if (auto zero = std::find(data.begin(), data.end(), 0); zero != data.end()) data.erase(zero, data.end());
  return data;
}

Bytes WithEnd(Bytes data) {
  data.push_back(0);
  return data;
}

}  // namespace

std::string MimeOfFormatName(const std::string& name) {
  std::string mime(kPrefix);
  for (unsigned char c : name) {
    if (c == ' ') {
      mime += '-';
    } else if (Plain(c)) {
      mime += static_cast<char>(c);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      mime += escaped;
    }
  }
  return mime;
}

std::optional<std::string> FormatNameOfMime(const std::string& mime) {
  if (mime.size() <= kPrefix.size() || mime.compare(0, kPrefix.size(), kPrefix) != 0) return std::nullopt;
  std::string name;
  for (size_t i = kPrefix.size(); i < mime.size(); ++i) {
    const char c = mime[i];
    if (c == '-') {
      name += ' ';
    } else if (c == '%') {
      if (i + 2 >= mime.size()) return std::nullopt;
      const int hi = HexValue(mime[i + 1]);
      const int lo = HexValue(mime[i + 2]);
      if (hi < 0 || lo < 0) return std::nullopt;
      name += static_cast<char>(hi * 16 + lo);
      i += 2;
    } else {
      name += c;
    }
  }
  return name;
}

void QtClipboardStore::Publish(const std::vector<ClipItem>& items) {
  auto* data = new QMimeData;
  for (const ClipItem& item : items) {
    if (item.format == CF_TEXT) {
      const Bytes text = WithoutEnd(item.data);
      // Line ends as the desktop writes them.
      QString plain = QString::fromStdString(AnsiToUtf8(std::string(text.begin(), text.end())));
      data->setText(plain.replace("\r\n", "\n"));
    } else if (item.format == CF_BITMAP) {
      QImage image;
      if (image.loadFromData(BytesOf(item.data), "BMP")) data->setImageData(image);
    } else if (item.name == RichTextFormatName) {
      data->setData(RichTextMime, BytesOf(WithoutEnd(item.data)));
    } else if (!item.name.empty()) {
      data->setData(QString::fromStdString(MimeOfFormatName(item.name)), BytesOf(item.data));
    }
  }
  QGuiApplication::clipboard()->setMimeData(data);
}

bool QtClipboardStore::Holds(UINT format, const std::string& name) {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data) return false;
  if (format == CF_TEXT) return data->hasText();
  if (format == CF_BITMAP) return data->hasImage();
  if (name == RichTextFormatName) return data->hasFormat(RichTextMime) || data->hasFormat("application/rtf");
  return !name.empty() && data->hasFormat(QString::fromStdString(MimeOfFormatName(name)));
}

std::vector<ClipItem> QtClipboardStore::Contents() {
  std::vector<ClipItem> items;
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data) return items;
  auto add = [&](UINT format, std::string name, Bytes bytes) {
    for (const ClipItem& item : items)
      if (item.format == format) return;
    items.push_back(ClipItem{format, std::move(name), std::move(bytes)});
  };
  auto& platform = Platform::Current();
  for (const QString& format : data->formats()) {
    const std::string mime = format.toStdString();
    if (mime == "text/plain") {
      const std::string text = Utf8ToAnsi(data->text().toStdString());
      add(CF_TEXT, {}, WithEnd(Bytes(text.begin(), text.end())));
    } else if (mime == RichTextMime || mime == "application/rtf") {
      add(platform.RegisterName(RichTextFormatName), RichTextFormatName,
          WithEnd(WithoutEnd(BytesOf(data->data(format)))));
    } else if (auto name = FormatNameOfMime(mime)) {
      if (UINT id = platform.RegisterName(*name)) add(id, *name, BytesOf(data->data(format)));
    }
  }
  // A picture in whatever form the desktop holds it, as a bitmap file.
  if (data->hasImage()) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (qvariant_cast<QImage>(data->imageData()).convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP"))
      add(CF_BITMAP, {}, BytesOf(bytes));
  }
  return items;
}

}  // namespace qm

#include "files/text_files.h"

#include <array>
#include <cstdio>
#include <vector>

#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "files/file_format.h"
#include "platform/clipboard.h"
#include "platform/byte_io.h"
#include "platform/files.h"

namespace qm {

namespace {

constexpr std::size_t kBlockSize = 4096;

bool IsDotCommandLine(std::string_view line) {
  return line.size() >= 2 && line[0] == '.' &&
         ((line[1] >= 'a' && line[1] <= 'z') || (line[1] >= 'A' && line[1] <= 'Z'));
}

std::string AsText(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

constexpr const char* kOwnTextsSection = "Formatted ASCII Written";
constexpr std::size_t kOwnTextsKept = 64;

std::string OwnTextKey(std::string_view bytes) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(Fnv1a(bytes)));
  return std::string(hex) + "-" + std::to_string(bytes.size());
}

}  // namespace

void NoteOwnFormattedText(std::string_view bytes) {
  TIniFile ini = OpenSettingsFile();
  try {
    const std::vector<std::string> kept = ini.ReadSection(kOwnTextsSection);
    // The oldest go first: a key is added at its section's end.
    for (std::size_t i = 0; i + kOwnTextsKept <= kept.size(); ++i) ini.DeleteKey(kOwnTextsSection, kept[i]);
    ini.WriteString(kOwnTextsSection, OwnTextKey(bytes), "1");
  } catch (const EIniFileError&) {
    // The text is written; only its later reading under another name than
    // its own extension's takes it as another program's.
  }
}

bool IsOwnFormattedText(std::string_view bytes) {
  return OpenSettingsFile().ValueExists(kOwnTextsSection, OwnTextKey(bytes));
}

std::string WordStarToText(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  std::size_t lineStart = 0;
  auto endLine = [&] {
    if (IsDotCommandLine(std::string_view(text).substr(lineStart))) text.resize(lineStart);
    else text += '\n';
    lineStart = text.size();
  };
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = static_cast<char>(static_cast<Byte>(bytes[i]) & 0x7F);
    if (c == '\r') continue;
    if (c == '\n') endLine();
    else if (c == '\t' || c == '\x0C' || c >= ' ') text += c == 0x7F ? ' ' : c;
  }
  if (lineStart < text.size() && IsDotCommandLine(std::string_view(text).substr(lineStart))) text.resize(lineStart);
  return text;
}

std::string StrippedText(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (const char c : bytes)
    if (static_cast<Byte>(c) >= ' ' ? c != 0x7F : c == '\r' || c == '\n' || c == '\t' || c == '\x0C') text += c;
  return text;
}

bool LoadFileToClipboard(const std::string& fileName, bool rtf, bool pasteFrom, Byte loadFormat) {
  (void)pasteFrom;
  std::string error;
  const auto bytes = ReadFileBytes(fileName, &error);
  if (!bytes) {
    ShowMessageBox("Error Reading File\r\r" + PathToText(fileName) + ":\r" + error + ".", "Attention");
    return false;
  }
  TClipboard* clipboard = Clipboard();
  if (!clipboard || !clipboard->Open()) {
    ShowMessageBox(InsufficientMemoryMessage, PromptTable(26));
    return false;
  }
  clipboard->Clear();
  if (rtf) {
    clipboard->SetData(RegisterClipboardFormat("Rich Text Format"), *bytes);
  } else {
    std::string text = loadFormat == lfWordStar ? WordStarToText(AsText(*bytes)) : AsText(*bytes);
    Bytes data(text.begin(), text.end());
    data.push_back(0);
    clipboard->SetData(CF_TEXT, std::move(data));
  }
  clipboard->Close();
  return true;
}

bool FileHasBareCarriageReturns(const std::string& fileName) {
  TFileStream in(fileName, TFileMode::OpenRead);
  if (!in.IsOpen()) return false;
  std::array<Byte, kBlockSize> block{};
  bool afterCr = false;
  while (true) {
    const std::size_t got = in.Read(block.data(), block.size());
    for (std::size_t i = 0; i < got; ++i) {
      if (afterCr) return block[i] != '\n';
      afterCr = block[i] == '\r';
    }
    if (got < block.size()) return afterCr;
  }
}

bool ConvertLineEnds(const std::string& fileName, bool toMacintosh) {
  const auto bytes = ReadFileBytes(fileName);
  std::string out;
  if (bytes) {
    out.reserve(bytes->size() + bytes->size() / 32);
    for (std::size_t i = 0; i < bytes->size(); ++i) {
      const char c = static_cast<char>((*bytes)[i]);
      if (c != '\r' && c != '\n') {
        out += c;
        continue;
      }
      if (c == '\r' && i + 1 < bytes->size() && (*bytes)[i + 1] == '\n') ++i;
      out += toMacintosh ? "\r" : "\r\n";
    }
  }
  if (!bytes || !WriteFileAtomic(fileName, out.data(), out.size())) {
    ShowMessageBox("aborted...", "Attention");
    return false;
  }
  return true;
}

}  // namespace qm

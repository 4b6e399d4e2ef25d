#include "files/foreign_files.h"

#include <algorithm>
#include <array>
#include <optional>

#include "base/document_table.h"
#include "base/message_boxes.h"
#include "files/clipboard_paste.h"
#include "files/file_format.h"
#include "files/paste_as.h"
#include "files/imported_script.h"
#include "files/rtf_reader.h"
#include "files/storydev_import.h"
#include "files/tagged_text.h"
#include "files/text_classifier.h"
#include "files/text_encoding.h"
#include "files/text_files.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "script/script_window.h"

namespace qm {

namespace {

// The style sheet the program's own RTF copy writes.
constexpr std::array<std::string_view, 6> kOwnStyles{"\\sbasedon0 SCENE HEADING;}",  "\\sbasedon0 ACTION;}",
                                                     "\\sbasedon0 CHARACTER NAME;}", "\\sbasedon0 PARENTHETICAL;}",
                                                     "\\sbasedon0 TRANSITION;}",     "\\sbasedon0 DIALOG;}"};

std::string_view AsText(const std::vector<std::uint8_t>& bytes) {
  return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

TImportedElements ReadTagged(TMDIChild& script, const std::string& fileName, std::string_view text, bool& ok) {
  ShowPleaseWait("Importing " + ExtractFileName(fileName), false, false);
  TStyleTable table = ReadStyleTable();
  TTaggedTextResult result = ReadTaggedText(text, table, script.FormatSet, AskStyleOrCancel);
  ClosePleaseWait();
  if (!result.isTagged) {
    ShowMessageBox(NotTaggedMessage, "Import Aborted");
    ok = false;
    return {};
  }
  WriteStyleTable(table);
  if (result.cancelled) {
    ok = !result.elements.empty();
    return std::move(result.elements);
  }
  ShowMessageBox("Import Complete.", "");
  return std::move(result.elements);
}

TImportedElements ReadStoryDev(TMDIChild& script, std::string_view bytes, bool& ok) {
  TStoryDevData data;
  ok = ReadStoryDevExchange(std::span(reinterpret_cast<const Byte*>(bytes.data()), bytes.size()), data);
  if (ok) AddStoryDevNames(script, data.characterNames);
  return std::move(data.elements);
}

// The Formatted ASCII export's own extension, or a text the program wrote
// under any name: its text is in the program's character set.
bool InOwnCharacterSet(const std::string& fileName, std::string_view text) {
  return SameText(ExtractFileExt(fileName), ".DOS") || IsOwnFormattedText(text);
}

// A text file read as the clipboard would hold it, when that block (its
// zero included) is short enough to be typed; else nothing.
std::optional<std::string> ShortFileText(const std::string& fileName, Byte loadFormat) {
  if (loadFormat != lfPlainText && loadFormat != lfStrippedText && loadFormat != lfWordStar) return std::nullopt;
  const auto bytes = ReadFileBytes(fileName, nullptr);
  if (!bytes) return std::nullopt;
  const std::string text = loadFormat == lfWordStar ? WordStarToText(AsText(*bytes)) : std::string(AsText(*bytes));
  if (text.size() + 1 > TypedPasteLimit) return std::nullopt;
  std::string ansi = IncomingTextToAnsi(text, InOwnCharacterSet(fileName, text)).text;
  if (loadFormat == lfStrippedText) ansi = StrippedText(ansi);
  return ansi.substr(0, ansi.find('\0'));
}

}  // namespace

bool IsForeignFormat(Byte loadFormat) {
  switch (loadFormat) {
    case lfOlderNative:
    case lfPlainText:
    case lfRtf:
    case lfTaggedText:
    case lfMovieMaster:
    case lfWordStar:
    case lfWordStarUnsupported:
    case lfStoryDev: return true;
    default: return false;
  }
}

TPasteChoices DefaultPasteChoices(std::string_view rtf, bool scriptHasLockedPages) {
  TPasteChoices choices;
  choices.MatchPageBreaks = scriptHasLockedPages;
  choices.UseStyleSheets = rtf.find("{\\stylesheet{") != std::string_view::npos &&
                           std::all_of(kOwnStyles.begin(), kOwnStyles.end(), [rtf](std::string_view style) {
                             return rtf.find(style) != std::string_view::npos;
                           });
  return choices;
}

namespace {

// The file's elements, or nothing after saying why.
std::optional<TImportedElements> ReadForeignFile(TMDIChild& script, const std::string& fileName, Byte loadFormat) {
  if (loadFormat == lfWordStarUnsupported) {
    ShowMessageBox(NewerWordStarMessage, "Attention");
    return std::nullopt;
  }
  if (loadFormat == lfOlderNative || loadFormat == lfMovieMaster) {
    ShowMessageBox("Reading " + PathToText(fileName) + " is not available: this version cannot read " +
                       (loadFormat == lfMovieMaster ? "Movie Master scripts." : "scripts of the older format."),
                   "Attention");
    return std::nullopt;
  }
  std::string error;
  const auto bytes = ReadFileBytes(fileName, &error);
  if (!bytes) {
    ShowMessageBox("Error Opening " + PathToText(fileName), "Import Canceled");
    return std::nullopt;
  }
  const std::string_view text = AsText(*bytes);
  bool ok = true;
  TImportedElements elements;
  if (loadFormat == lfTaggedText) {
    elements = ReadTagged(script, fileName, text, ok);
  } else if (loadFormat == lfStoryDev) {
    elements = ReadStoryDev(script, text, ok);
  } else {
    const TClassifierContext context = ClassifierContextOf(script);
    const std::optional<TPasteReading> reading =
        AskHowToRead(loadFormat == lfRtf ? text : std::string_view{}, loadFormat != lfRtf, script.PagesLocked != 0);
    if (!reading) return std::nullopt;
    const TPasteChoices& choices = reading->choices;
    TPlainTextSource source;
    source.stripCodes = loadFormat == lfStrippedText;
    source.ownCharacterSet = InOwnCharacterSet(fileName, text);
    if (loadFormat == lfRtf) elements = ImportRtf(text, context, choices);
    else if (loadFormat == lfWordStar) elements = ImportPlainText(WordStarToText(text), context, choices);
    else elements = ImportPlainText(text, context, choices, source);
  }
  if (!ok) return std::nullopt;
  return elements;
}

}  // namespace

bool ImportForeignFile(const std::string& fileName, Byte loadFormat) {
  TMDIChild* script = ActiveScript();
  if (!script) return false;
  const std::optional<TImportedElements> elements = ReadForeignFile(*script, fileName, loadFormat);
  if (!elements) return false;
  ReplaceScriptElements(*script, *elements);
  return true;
}

bool PasteForeignFile(const std::string& fileName, Byte loadFormat) {
  TMDIChild* script = ActiveScript();
  if (!script || !script->CurrentElement()) return false;
  // So short a text is typed at the caret, as it is from the clipboard.
  if (const std::optional<std::string> typed = ShortFileText(fileName, loadFormat))
    return TypeShortText(*script, *typed);
  const std::optional<TImportedElements> elements = ReadForeignFile(*script, fileName, loadFormat);
  return elements && PasteImportedElements(*script, *elements);
}

}  // namespace qm

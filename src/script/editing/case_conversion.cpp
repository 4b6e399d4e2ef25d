#include "script/model/edit_line_writer.h"
#include "script/editing/case_conversion.h"

#include <algorithm>

#include "platform/controls.h"
#include "platform/cp1252.h"
#include "platform/forms.h"
#include "script/editing/block_selection.h"
#include "script/editing/document_modified.h"
#include "script/editing/typing_aids.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/packed_text.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"

namespace qm {

namespace {

constexpr Word UsEnglish = 1;
constexpr Word UkEnglish = 2;

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

void UpperRange(std::string& text, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to && i < text.size(); ++i)
    text[i] = static_cast<char>(AnsiUpper(static_cast<Byte>(text[i])));
}
void LowerRange(std::string& text, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to && i < text.size(); ++i)
    text[i] = static_cast<char>(AnsiLower(static_cast<Byte>(text[i])));
}
// Each word's first letter: at the start of the element or after a blank.
void InitialCapsRange(std::string& text, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to && i < text.size(); ++i)
    if (i == 0 || text[i - 1] == ' ') text[i] = UpCaseChar(text[i]);
}

// One element's text converted, from `from` to `to`; the whole element
// when the range is its whole text.
void ConvertText(const TMDIChild& window, Byte kind, std::string& text, std::size_t from, std::size_t to,
                 TCaseMode mode, bool inBlock, std::optional<std::vector<std::string>>& names) {
  const bool cue = kind == ekCharacterName;
  switch (mode) {
    case TCaseMode::Upper: UpperRange(text, from, to); return;
    case TCaseMode::Lower:
      // A whole cue is left alone; a block over one still starts it with a capital.
      if (cue && !inBlock) return;
      if (!cue) LowerRange(text, from, to);
      if (kind != ekParenthetical && from == 0 && !text.empty()) text[0] = UpCaseChar(text[0]);
      if (!cue) CapitalizeSentences(window, text, names);
      return;
    case TCaseMode::InitialCaps:
      if (!cue) LowerRange(text, from, to);
      InitialCapsRange(text, from, to);
      return;
  }
}

std::string TextToConvert(const TScriptElement& e) { return HoldsPackedText(e.Kind()) ? ElementText(e) : *e.text; }

void StoreConverted(TScriptElement& e, const std::string& text) {
  e.text = HoldsPackedText(e.Kind()) ? PackText(text) : text;
}

void ConvertBlock(TMDIChild& window, TCaseMode mode, std::optional<std::vector<std::string>>& names) {
  window.Assemble();
  TScriptElement* e = window.FirstElement;
  while (e && !e->InBlock()) e = e->next;
  for (; e && e->InBlock() && e->blockEnd >= 0; e = e->next) {
    if (!e->text) continue;
    NormalizeBlockMarks(window, *e);
    std::string text = TextToConvert(*e);
    const std::size_t start = std::min<std::size_t>(static_cast<std::size_t>(e->blockStart), text.size());
    const std::size_t end = std::min<std::size_t>(static_cast<std::size_t>(e->blockEnd), text.size());
    ConvertText(window, e->Kind(), text, start, end, mode, true, names);
    StoreConverted(*e, text);
  }
  window.DisAssemble();
  RebuildScreen(&window);
  ClearBlockSelection(true);
}

}  // namespace

void CapitalizeAfter(std::string& text, const std::string& pattern) {
  if (pattern.empty()) return;
  std::size_t at = text.find(pattern);
  while (at != std::string::npos) {
    std::size_t i = at + 1;
    while (i < text.size() && !IsAsciiLetter(text[i])) ++i;
    if (i >= text.size()) return;
    text[i] = UpCaseChar(text[i]);
    at = text.find(pattern, i);
  }
}

void CapitalizeSentences(const TMDIChild& window, std::string& text, std::optional<std::vector<std::string>>& names) {
  for (const char* end : {".", "!", "?"}) CapitalizeAfter(text, end);
  if (window.SpellLanguage == UsEnglish || window.SpellLanguage == UkEnglish)
    for (const char* pronoun : {" i ", " i'", " i\x91", " i\x92"}) CapitalizeAfter(text, pronoun);
  if (!names) names = aids::AllCharacterNames();
  for (const std::string& name : *names) {
    if (name == "MAN" || name == "WOMAN") continue;
    const std::string lower = AnsiLowerCase(name);
    for (const char lead : {' ', static_cast<char>(BoldOn), static_cast<char>(UnderlineOn),
                            static_cast<char>(ItalicsOn), static_cast<char>(StrikeOutOn)})
      CapitalizeAfter(text, std::string(1, lead) + lower);
  }
}

void ConvertCaseOfSelection(TMDIChild& window, TCaseMode mode) {
  TScriptElement* e = window.CurrentElement();
  if (!e) return;
  std::optional<std::vector<std::string>> names;
  // The busy cursor until the command ends, however it ends.
  struct TBusyCursor {
    TBusyCursor() {
      if (Screen) Screen->SetCursor(5);
    }
    ~TBusyCursor() {
      if (Screen) Screen->SetCursor(crDefault);
    }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
  } busy;
  SaveUndoStep(ukInsert, false, true, 0);
  SetDocumentModified(true, true);
  if (window.BlockOn()) {
    ConvertBlock(window, mode, names);
  } else {
    ConvertText(window, e->Kind(), EditFields(window).EditBuffer, 0, window.EditBuffer().size(), mode, false, names);
    window.WordWrapText(e, window.EditBuffer(), true, true);
    window.DisplayElement();
  }
  UpdateCaret();
}

}  // namespace qm

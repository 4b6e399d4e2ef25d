#include "script/editing/revision_marks.h"

#include <algorithm>
#include <string>

#include "base/program_options.h"
#include "script/editing/document_modified.h"
#include "script/editing/script_hooks.h"
#include "script/layout/screen_rebuild.h"
#include "script/layout/word_wrap.h"
#include "script/script_window.h"

namespace qm {

namespace {

constexpr Word RevisedNowMask = 0xFF00;

bool IsHardBreak(const TScriptElement* e) { return e && IsHardPageBreakKind(e->Kind()); }

// A page whose lines were revised now: its locked break, or the first
// page's flag.
void MarkPageRevisedNow(TMDIChild& script, TScriptElement& element) {
  TScriptElement* e = &element;
  while (e && !IsPageBreakKind(e->Kind())) e = e->prev;
  if (!e) {
    script.FirstPageRevised = 1;
  } else if (IsHardBreak(e) && e->format.NumberWord < 256) {
    e->format.NumberWord = static_cast<Word>((script.CurrentRevision << 8) | (e->format.NumberWord & 0x00FF));
  } else {
    return;
  }
  RebuildScreen(&script);
  script.RedisplayScreen(true);
}

void ForgetEmptyList(TScriptElement& e) {
  if (e.revisedLines && e.revisedLines->empty()) e.revisedLines.reset();
}

}  // namespace

bool HasRevisedLines(const TScriptElement& element) { return element.revisedLines && !element.revisedLines->empty(); }

int CaretLineOfCurrent(const TMDIChild& script) {
  const TScriptElement* e = script.CurrentElement();
  if (!e) return 1;
  if (e->text) return std::clamp<int>(script.CaretLine(), 1, std::max<int>(1, e->lineCount));
  return CaretLineOfColumn(script.LineOffsets(), e->lineCount, script.CaretColumn(), script.EditBuffer());
}

void CompactRevisedLines(TScriptElement& element, bool force) {
  if (!element.revisedLines) return;
  std::string& lines = *element.revisedLines;
  if (!force && static_cast<int>(lines.size()) < RevisedLinesCompactAt) return;
  std::string kept;
  for (char c : lines)
    if (kept.find(c) == std::string::npos) kept += c;
  lines = kept;
}

void AddRevisedLines(TScriptElement& element, std::string_view lines) {
  if (!element.revisedLines) element.revisedLines = std::string();
  std::string& list = *element.revisedLines;
  for (char c : lines)
    if (c != '\0' && list.find(c) == std::string::npos && list.size() < 255) list += c;
}

void MarkColumnsRevised(TScriptElement& element, std::size_t from, std::size_t to) {
  if (!element.text || IsPageBreakKind(element.Kind())) return;
  const std::string text = ElementText(element);
  TLineOffsets offsets{};
  const bool wrapped = ReadLineOffsetBlock(element, offsets);
  const auto lineOf = [&](std::size_t column) {
    if (!wrapped) return 1;
    return CaretLineOfColumn(offsets, element.lineCount, static_cast<int>(std::min(column, text.size())), text);
  };
  const int last = std::min<int>(lineOf(to), MaxLineCount);
  std::string lines;
  for (int line = lineOf(from); line <= last; ++line) lines += static_cast<char>(line);
  AddRevisedLines(element, lines);
}

void MarkRevisedLine(TMDIChild& script, bool force) {
  TScriptElement* e = script.CurrentElement();
  if (!e || (!script.RevisionMarking && !force) || IsPageBreakKind(e->Kind())) return;
  const bool made = !e->revisedLines;
  if (made) e->revisedLines = std::string();
  const int line = std::min({CaretLineOfCurrent(script), MaxLineCount, std::max<int>(1, e->lineCount)});
  CompactRevisedLines(*e, false);
  std::string& lines = *e->revisedLines;
  const char mark = static_cast<char>(line);
  if (lines.find(mark) == std::string::npos && lines.size() < 255) lines += mark;
  if (made && !e->text && script.HeaderTextLocked && script.PagesLocked && ProgramOptions().AutoUpdateHeaders)
    MarkPageRevisedNow(script, *e);
}

void MarkPageOfElementChanged(TScriptElement& element) {
  if (ScriptWindowHooks.PageChanged) ScriptWindowHooks.PageChanged(element);
}

void MarkEditRevised(TMDIChild& script, TScriptElement& element) {
  if (!script.RevisionMarking) return;
  MarkRevisedLine(script, true);
  MarkPageOfElementChanged(element);
}

bool ToggleRevisedLine(TMDIChild& script) {
  TScriptElement* e = script.CurrentElement();
  if (!e || IsPageBreakKind(e->Kind())) return false;
  const char mark = static_cast<char>(CaretLineOfCurrent(script));
  if (e->revisedLines && e->revisedLines->find(mark) != std::string::npos) {
    std::erase(*e->revisedLines, mark);
    if (e->revisedLines->empty()) {
      e->revisedLines.reset();
      UpdatePageRevisedState(script);
    }
    return false;
  }
  MarkRevisedLine(script, true);
  return true;
}

// The revised-now flag is cleared whatever the colour display: a flag
// left set while colours are off would never be cleared.
void UpdatePageRevisedState(TMDIChild& script) {
  TScriptElement* e = script.CurrentElement();
  if (!e) return;
  while (e->next && !IsPageBreakKind(e->Kind())) e = e->next;
  if (IsPageBreakKind(e->Kind()) && e->prev) e = e->prev;
  while (e->prev && !IsPageBreakKind(e->Kind()) && !HasRevisedLines(*e)) {
    ForgetEmptyList(*e);
    e = e->prev;
  }
  ForgetEmptyList(*e);
  const bool hasRevised = HasRevisedLines(*e);
  if (IsHardBreak(e) && (e->format.NumberWord & RevisedNowMask) != 0) {
    e->format.NumberWord = static_cast<Word>(e->format.NumberWord & 0x00FF);
    RebuildScreen(&script);
    script.RedisplayScreen(true);
    return;
  }
  TScriptElement* start = e;
  while (start->prev && !IsPageBreakKind(start->Kind())) start = start->prev;
  if (start == script.FirstElement && !IsPageBreakKind(start->Kind()) &&
      hasRevised != static_cast<bool>(script.FirstPageRevised)) {
    script.FirstPageRevised = hasRevised ? 1 : 0;
    script.RedisplayScreen(true);
  }
}

}  // namespace qm

#include "files/imported_script.h"

#include "files/native_file.h"
#include "platform/cp1252.h"
#include "script/model/cue_codes.h"
#include "script/model/packed_text.h"
#include "script/model/standard_formats.h"
#include "script/script_window.h"

namespace qm {

namespace {

TElementFormat FormatOf(const TMDIChild& script, const TImportedElement& imported) {
  const int slot = FormatSlotOfKind(imported.kind);
  TElementFormat format = slot >= 0 ? script.FormatSet[static_cast<std::size_t>(slot)]
                                    : imported.kind == ekForcedPageBreak ? ForcedPageBreakFormat
                                                                         : AutoPageBreakFormat;
  format.Kind = imported.kind;
  if (imported.allCaps) format.AllCaps = 1;
  if (imported.linesBefore) format.LinesBefore = *imported.linesBefore;
  return format;
}

// A cue is kept plain, in capitals up to its "(".
std::string StoredText(const TImportedElement& imported) {
  if (IsPageBreakKind(imported.kind)) return PackText(" ");
  if (imported.kind != ekCharacterName) return PackText(imported.text);
  const std::size_t paren = std::min(imported.text.find('('), imported.text.size());
  return AnsiUpperCase(imported.text.substr(0, paren)) + imported.text.substr(paren);
}

}  // namespace

TScriptElement* NewImportedElement(const TMDIChild& script, const TImportedElement& imported) {
  TScriptElement* e = NewElementRecord();
  e->format = FormatOf(script, imported);
  e->text = StoredText(imported);
  e->split = imported.split;
  e->state = imported.state;
  // The extension found in a cue's text becomes its cue code: the first
  // kind names the list's first entry, the second its second.
  if (imported.kind == ekCharacterName && imported.extensionKind != 0)
    SetCueExtension(*e, static_cast<Byte>(3 * (imported.extensionKind - 1)));
  return e;
}

void ReplaceScriptElements(TMDIChild& script, const TImportedElements& elements) {
  if (elements.empty()) return;
  script.FreeElements();
  TScriptElement* first = nullptr;
  TScriptElement* last = nullptr;
  for (const TImportedElement& imported : elements) {
    TScriptElement* e = NewImportedElement(script, imported);
    e->prev = last;
    if (last) last->next = e;
    else first = e;
    last = e;
  }
  script.FirstElement = first;
  script.LastElement = last;
  GiveOwnGroups(script, first, last);
  script.CurrentElement = first;
  script.CurrentGroup = first->group;
  script.CaretColumn = 0;
  script.CaretLine = 1;
  script.EditBuffer.clear();
  script.LineOffsets.fill(0);
  script.ScreenLines.fill(TScreenLine{});
  script.WidthsStale = true;
}

}  // namespace qm

#include "files/imported_script.h"

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/program_options.h"
#include "files/native_file.h"
#include "platform/files.h"
#include "platform/cp1252.h"
#include "script/model/cue_codes.h"
#include "script/model/packed_text.h"
#include "script/model/standard_formats.h"
#include "script/script_window.h"
#include "script/editing/editor_calls.h"

namespace qm {

namespace {

TElementFormat FormatOf(const TScriptDocument& script, const TImportedElement& imported) {
  const int slot = FormatSlotOfKind(imported.kind);
  TElementFormat format = slot >= 0                            ? script.FormatSet[static_cast<std::size_t>(slot)]
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

// No file has the name (in any case), nor another open window.
bool NameIsFree(const TScriptDocument& script, const std::string& name) {
  if (FindNameNoCase(ExtractFileDir(name), ExtractFileName(name))) return false;
  for (int slot = 1; slot <= DocumentCount; ++slot) {
    const TMDIChild* other = Documents[static_cast<std::size_t>(slot)];
    if (other && other != &script && SameFileName(other->ScriptFileName, name)) return false;
  }
  return true;
}

}  // namespace

std::string UnclaimedScriptName(const TMDIChild& script, const std::string& wanted) {
  if (NameIsFree(script, wanted)) return wanted;
  for (int n = std::max(1, SlotOf(&script));; ++n) {
    const std::string untitled = JoinPath(ScriptDirectory, "NONAME" + std::to_string(n) + "." + ScriptExtension);
    if (NameIsFree(script, untitled)) return untitled;
  }
}

std::string ImportedScriptName(const TMDIChild& script, const std::string& foreignFile) {
  return UnclaimedScriptName(script, NativeScriptName(JoinPath(ScriptDirectory, ExtractFileName(foreignFile))));
}

TScriptElement* NewImportedElement(const TScriptDocument& script, const TImportedElement& imported) {
  TScriptElement* e = NewElementRecord(script);
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
  editor::ResetEditLine(script, first, 0, 1);
  script.CurrentGroup = first->group;
  script.ScreenLines.fill(TScreenLine{});
  script.WidthsStale = true;
}

}  // namespace qm

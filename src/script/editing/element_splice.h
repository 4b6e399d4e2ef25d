// List surgery for the clipboard: runs of new elements linked in at once,
// elements taken out or given a new text without passing through the edit
// line. The caller regroups and repaginates once when it is done.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {
class TMDIChild;
}

namespace qm::editor {

// Links the chain first..last after `after` (at the head when null), each
// element in a group of its own.
void InsertElements(TMDIChild& script, TScriptElement* after, TScriptElement* first, TScriptElement* last);
// Unlinks and frees a stored element that is not the only one; the current
// element stays current (another one when it is the one removed).
void RemoveElement(TMDIChild& script, TScriptElement* element);
// A stored element takes a new text (plain; packed here unless it is a
// Character Name) and is wrapped anew.
void StoreText(TMDIChild& script, TScriptElement& element, std::string_view plain);
// A run of elements, first to last in list order.
struct TElementRun {
  TScriptElement* first;
  TScriptElement* last;
};
// Relinks the whole list: the elements up to `leadEnd` (none when null)
// stay in front, then the runs follow in the order given. The runs must
// hold every other element once; the caller regroups.
void RelinkRuns(TMDIChild& script, TScriptElement* leadEnd, const std::vector<TElementRun>& runs);
// Makes a stored element current with its text in the edit line and the
// caret at `column` (cut to the text).
void MakeCurrent(TMDIChild& script, TScriptElement& element, std::size_t column);

// Most characters the first pasted piece may bring into an element.
constexpr std::size_t MergeLimit = 2499;
// Whether text of a kind from an A/V column may join the element's text:
// the same kind in the same column, and scene headings only while the
// scenes are neither locked nor kept apart.
bool MayJoinElement(const TMDIChild& script, const TScriptElement& element, Byte kind, Byte avColumn);
// What goes between a text and text added at its end: the sentence
// spacing after a sentence end, a blank after any other character, and
// nothing after a blank or before the first word.
std::string AppendSeparator(std::string_view text);

}  // namespace qm::editor

// Marks of revised lines. While revision marks are on, every wrapped line
// of an element the writer changes is remembered in the element's
// revised-lines string (one character per line number, 1 to 75), so that
// the printed page carries a mark beside exactly those lines; a locked
// page whose lines are revised now says so in the high byte of its break's
// number word.
#pragma once

#include <cstddef>
#include <string_view>

namespace qm {

class TMDIChild;
struct TScriptElement;

// Lists of this many characters or more lose their repeats at the next mark.
constexpr int RevisedLinesCompactAt = 100;

// The wrapped line of the current element that holds the caret: the one
// rule word wrap and the caret use too.
int CaretLineOfCurrent(const TMDIChild& script);

// Marks the caret's line of the current element; without force only while
// the script marks revisions. Page breaks carry no marks.
void MarkRevisedLine(TMDIChild& script, bool force);
// Removes repeated line numbers, keeping the first of each in order;
// without force only once the list holds 100 or more.
void CompactRevisedLines(TScriptElement& element, bool force);
// Appends each non-zero line number of `lines` the element's list lacks.
void AddRevisedLines(TScriptElement& element, std::string_view lines);
// Marks the wrapped lines of a stored element that hold its text from one
// column up to another (new text that came in whole, as a paste's).
void MarkColumnsRevised(TScriptElement& element, std::size_t from, std::size_t to);
// The asterisk key: unmarks the caret's line when it is marked, else marks
// it. True when the line is marked afterwards.
bool ToggleRevisedLine(TMDIChild& script);
// After marks were taken away (or an undo step): the current element's
// page loses its revised-now flag when no line of it is marked any more,
// and the first page's flag follows its lines.
void UpdatePageRevisedState(TMDIChild& script);

// An edit changed the page the element lies on: with the script's page
// headers locked, the page takes the current header and revision.
void MarkPageOfElementChanged(TScriptElement& element);
// After a cut or paste in a script that marks revisions: the caret's line
// is marked revised and the element's page changed.
void MarkEditRevised(TMDIChild& script, TScriptElement& element);

// Whether the element has a line marked.
bool HasRevisedLines(const TScriptElement& element);

}  // namespace qm

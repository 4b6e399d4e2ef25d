// The paste: the richest of the clipboard's formats the program reads, at
// the caret of the active script (the dispatcher itself is
// TProgressDlg::PasteFromClipBoard).
#pragma once

#include <cstddef>
#include <string>

#include "files/imported_text.h"

namespace qm {

class TMDIChild;
struct TTextPoint;

// Set from the start of a paste to its end; other parts of the program
// leave the clipboard alone meanwhile.
extern bool ClipboardBusy;

// Plain text whose block (its zero included) is at most this long is typed.
constexpr std::size_t TypedPasteLimit = 48;
// Such a short text typed at the caret as the writer would type it, a line
// end as Enter; false when there was nothing to type.
bool TypeShortText(TMDIChild& script, const std::string& text);

inline constexpr const char* DamagedClipboardText =
    "Part of the text on the clipboard was damaged: only what could be read has been pasted.";

// Foreign text's elements in at the script's caret; false, after saying
// so, when there are none.
bool PasteImportedElements(TMDIChild& script, const TImportedElements& elements);

// Whether the clipboard holds a format the paste reads.
bool ClipboardHasPasteableData();

// Drag and drop: the script's block cut and pasted at a point outside it,
// as Cut then Paste there would, through the program's own records; the
// clipboard stays as the writer had it. False when nothing moved.
bool DropBlockAt(TMDIChild& script, TTextPoint drop);

}  // namespace qm

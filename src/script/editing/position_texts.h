// What the status line says about the caret: the page, scene and act it
// is in, its line and distance from the page's left edge, the element
// type, and the vertical scroll bar's place in the whole script. Also the
// displayed forms of scene and page numbers (12A, A12, 12-1 and the like)
// that the locking and numbering options choose.
#pragma once

#include <string>

#include "platform/types.h"
#include "script/model/number_texts.h"

namespace qm {

class TMDIChild;
class TScriptDocument;
struct TScriptElement;

// A scene heading's number as the status line shows it; for any other
// element the scene start number.
std::string SceneNumberText(const TScriptDocument& script, const TScriptElement& element);
// A page-break element's page number as shown; the page start number for
// any other element (or none).
std::string PageNumberText(const TScriptDocument& script, const TScriptElement* element);

// The n-th letter from "A" (n from 1) that A-numbering does not skip.
char NthUnskippedLetter(const TScriptDocument& script, int n);

struct TStatusTexts {
  std::string page;          // " Pg: 3 of 40"
  std::string scene;         // empty: the scene panel is hidden
  std::string act;           // empty: the act panel is hidden
  int elementEntry = -1;     // entry of the element-type list
  Byte avColumn = 0;         // 1 (L) or 2 (R)
  bool keepElement = false;  // the keep-together menu checks
  bool keepGroup = false;
  bool keepWithFollowing = false;
  int scrollPosition = 0;     // in screen lines, the caret's place ...
  int scrollMaximum = 0;      // ... and the whole script's height
  std::string caretPageText;  // the caret's page number text, at most 10
};

struct TStatusOptions {
  bool noAutoPagination = false;
  bool showScenePanel = true;
  bool showActPanel = false;
  bool rightPanelShown = true;
};

// The status line's texts for the caret of a script; false when the
// caret is on a page break or on an element with no left margin (the
// status line is left as it is). The walk over the script is kept with
// the window: while the script keeps its shape, a caret that moved only
// walks the elements it passed.
bool ComputeStatusTexts(TMDIChild& window, const TStatusOptions& options, TStatusTexts& texts);
// The next status texts come from a walk over the whole script.
void ForgetStatusWalk(TMDIChild& window);
// The page-number text of the caret's page (at most 10 characters), as the
// status line keeps it; walked again when the caret left the element the
// status line last saw.
std::string CaretPageText(TMDIChild& window);

// The line and position panel: " Ln: 12.4  Pos: 1.5".
std::string PositionText(TMDIChild& window);

// The entry of the element-type list for an element kind.
int ElementListEntry(Byte kind);

}  // namespace qm

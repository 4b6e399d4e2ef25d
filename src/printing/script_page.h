// The printed script page: the page list of a script, and each page drawn
// on CurrentPrintCanvas exactly as the script paginates on screen: the
// header block, the elements in their fonts and styles, the scene numbers,
// the revision marks beside revised lines, MORE and CONT'D around a split
// speech, and the scene-continued lines when a scene runs on.
#pragma once

#include <string>
#include <vector>

#include "platform/graphics.h"
#include "platform/types.h"
#include "script/model/script_document.h"

namespace qm {

class TMDIChild;

// One page of the script as its page list has it.
struct TScriptPage {
  int index = 0;                         // 1-based
  TScriptElement* startBreak = nullptr;  // the break that begins it; null on page 1
  TScriptElement* first = nullptr;       // its first element after that break
  TScriptElement* endBreak = nullptr;    // the break that ends it; null on the last page
};

// The pages from the page-break elements. Their labels read the element
// groups (the page list): a caller whose script may lack them rebuilds
// them first.
std::vector<TScriptPage> ScriptPages(const TScriptDocument& script);
// Builds the element groups of a script that has none yet, so that its
// pages carry their numbers.
void BuildPageList(TMDIChild& script);

// The page's number with its A-letter, as the page-number text shows it.
std::string PageLabel(const TScriptDocument& script, const TScriptPage& page);

struct TPageOutputOptions {
  bool colored = true;        // [Printing Options] "Print Colored Text"
  bool revisionMarks = true;  // the script's mark beside revised lines
  bool sceneNumbers = true;
};

// Draws one page on CurrentPrintCanvas (printer units from the printable
// area's corner, through PrintTextAt); false when there is no canvas.
bool PrintScriptPage(TMDIChild& script, const TScriptPage& page, const TPageOutputOptions& options);

// The script's own font, plain and black: the page's lines of its own
// (headers, numbers, MORE and CONTINUED) print in it.
TFontDesc ScriptFont(const TScriptDocument& script);

// The geometry a page is printed with, from the pagination's printer
// metrics and the script's page layout, in printer dots from the paper's
// corner.
struct TPageGeometry {
  int dpiX = 300;
  int dpiY = 300;
  int pageWidth = 2550;
  int offsetX = 75;
  int offsetY = 75;
  int lineHeight = 50;    // a text line of the script font
  int blankHeight = 50;   // a blank line of the script font
  int top = 300;          // header line 1
  int bodyTop = 400;      // the first element line's top, before its lines before
  int bodyBottom = 3000;  // bodyTop + the usable page height
  int Dots(int tenths) const { return tenths * dpiX / 10; }
};
TPageGeometry PageGeometry(const TMDIChild& script);

}  // namespace qm

namespace qm {

struct TLaidLine;

// Prints a laid line with its left end at (x, y), printer dots from the
// paper's corner, each run of equal attributes in its style (and colour,
// when colored); gives the width printed.
int PrintLaidLine(const TMDIChild& script, const TLaidLine& line, int x, int y, const TFontDesc& font, bool colored);
// The width a text takes in a font on CurrentPrintCanvas.
int PrintedWidth(const TFontDesc& font, std::string_view text);

}  // namespace qm

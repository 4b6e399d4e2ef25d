// Going to a page by its number: the page a writer types ("12", or "12A"
// for an A-page), the pages the script has, and the caret put at the top
// of the page asked for.
#pragma once

#include <string>

namespace qm {

class TMDIChild;
class TScriptDocument;

// A typed page: its number and an A-page letter (upper case, or 0).
// Valid is false when the text holds no digit.
struct TPageRequest {
  int number = 0;
  char letter = 0;
  bool valid = false;
};
// Leading blanks are skipped; the digits give the number and a letter
// right after them the A-page; anything after that is ignored.
TPageRequest ParsePageRequest(const std::string& text);

// The script's first and last page numbers (the page start number, and
// that plus the page breaks).
int FirstPageNumber(const TScriptDocument& script);
int LastPageNumber(const TScriptDocument& script);

// The page's text as the page panel shows it ("12", "12A").
std::string PageRequestText(const TPageRequest& page);

// The caret to the first element of the page (the number clamped to the
// script's pages): the page whose number text is the one asked for, or,
// for an A-page that does not exist, the first page past the number. The
// page's first element is shown on the window's sixth line. A navigation
// step is recorded and the last position kept.
void GotoPage(TMDIChild& window, TPageRequest page);

}  // namespace qm

// RTF brought in by the paste or File Open: its style sheet is read for the
// style names, and the document is reduced to lines of text with the
// program's inline codes (bold, underline, italics, strike-out), a style
// mark before each paragraph of a known style, the indentation mark "|"
// and form feeds for page breaks. The classifier then makes elements of it.
// The reader knows a small part of RTF: the groups it drops whole (headers,
// footers, pictures, document information, tables of fonts and colours,
// every "\*" destination), paragraphs, tabs and pages, the character styles
// the script can hold, special characters and Unicode, small and all
// capitals, the left indent. Every other control word is dropped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "files/imported_text.h"
#include "files/text_classifier.h"

namespace qm {

// The names of styles 1, 2, 3... of the style sheet (upper case, blanks
// removed), up to the first number missing; empty without a style sheet.
std::vector<std::string> ReadRtfStyleSheet(std::string_view rtf);

struct TRtfCleaning {
  // Paragraphs of these styles get their style mark ("\s" and the number).
  int styleCount = 0;
  bool useStyleSheets = false;
  bool ignoreMargins = false;
};

struct TRtfCleaned {
  // Lines ending in CR.
  std::string text;
  // The smallest left indent other than 0; 0 when none (or margins ignored).
  int minimumIndent = 0;
  // A paragraph had another left indent, other than 0.
  bool indentVaries = false;
  // Where in `text` the left indent stopped counting: the paste reads the
  // data in blocks, and a block without a second indent ends its use for
  // the rest of the paste. npos while it counts to the end.
  std::size_t marginsIgnoredFrom = std::string::npos;
};

// The paste reads RTF in blocks of at most this many bytes...
inline constexpr std::size_t RtfBlockBytes = 2316;
// ...each cut back to a paragraph's end: where the block that begins at
// `from` ends.
std::size_t RtfBlockEnd(std::string_view rtf, std::size_t from);

// The document reduced to lines for the classifier.
TRtfCleaned CleanRtfCodes(std::string_view rtf, const TRtfCleaning& options);

// The paste's reader of RTF: the elements the whole of the RTF data makes.
// With UseStyleSheets its style names type the lines of their styles, and
// an unknown name is put to the writer once.
TImportedElements ImportRtf(std::string_view bytes, const TClassifierContext& context, const TPasteChoices& choices);

}  // namespace qm

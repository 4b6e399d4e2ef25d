// The header block of a printed page: header lines 1 and 2 with their
// placeholders filled, the page number with its A-letter, and the text of
// an omitted page.
#pragma once

#include <string>

#include "formats/header_codes.h"
#include "platform/types.h"
#include "printing/script_page.h"

namespace qm {

// What an omitted page carries when it prints on its own.
inline constexpr const char* OmittedPageText = "PAGE OMITTED";

// A page of a locked script whose material was cut whole: nothing stands
// between the locked break that opens it and the break that ends it.
bool IsOmittedPage(const TScriptPage& page);
// The page's number as its header shows it: "12", or with the omitted
// pages after it combined into it ([Revision Options] "Combine Omitted
// Pages"), "12-14".
std::string HeaderPageLabel(const TScriptDocument& script, const TScriptPage& page);

// A header line with its placeholders filled for a page.
std::string FillHeaderLine(const TScriptDocument& script, const TScriptPage& page, const std::string& line);

// Whether the page carries the header block ("Every Page", "Not Page
// One", "Every Page Except first Page of Scene").
bool PageHasHeader(const TScriptDocument& script, const TScriptPage& page);

// Prints the header block of a page from the top of its first line on
// CurrentPrintCanvas.
void PrintPageHeader(TMDIChild& script, const TScriptPage& page, const TPageGeometry& geometry);

}  // namespace qm

// The header block of a printed page: header lines 1 and 2 with their
// placeholders filled, and the page number with its A-letter.
#pragma once

#include <string>

#include "formats/header_codes.h"
#include "platform/types.h"
#include "printing/script_page.h"

namespace qm {

// A header line with its placeholders filled for a page.
std::string FillHeaderLine(const TMDIChild& script, const TScriptPage& page, const std::string& line);

// Whether the page carries the header block ("Every Page", "Not Page
// One", "Every Page Except first Page of Scene").
bool PageHasHeader(const TMDIChild& script, const TScriptPage& page);

// Prints the header block of a page from the top of its first line on
// CurrentPrintCanvas.
void PrintPageHeader(TMDIChild& script, const TScriptPage& page, const TPageGeometry& geometry);

}  // namespace qm

// The script as formatted ASCII (*.DOS): plain text laid out as the
// printed page, in columns of a ten-pitch page whose printable area starts
// half an inch from the paper's edge. Each element's lines break where the
// script's pagination wraps them, pages end in a form feed where the
// script's page breaks stand, with the page's (MORE) and (CONTINUED) lines
// before it, and the next page opens with its number and its CONTINUED:
// and CONT'D lines.
#pragma once

#include <string>

namespace qm {

class TMDIChild;

// The whole script, lines ended by CR LF (its elements must hold their
// texts: see TExportWalk).
std::string ScriptAsFormattedText(TMDIChild& script);

}  // namespace qm

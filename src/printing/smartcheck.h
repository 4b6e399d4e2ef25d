// SmartCheck: a pass over the script for the slips that spoil a printed
// page (blank elements and names, the same speaker twice in a row, a
// direction typed into a name, a name without dialogue, a leading blank,
// an omitted scene left alone at the bottom of a page), with a question
// for each and a summary at the end.
#pragma once

#include <string>
#include <vector>

#include "script/model/script_document.h"

namespace qm {

enum class TFindingKind {
  BlankElement,
  BlankName,
  SameSpeakerTwice,
  ExtensionInName,
  NameWithoutDialogue,
  LeadingBlank,
  WidowedOmitted,
};

struct TFinding {
  TFindingKind kind;
  TScriptElement* element;
};

// What SmartCheck finds, in script order.
std::vector<TFinding> SmartCheckFindings(const TScriptDocument& script);
// The question asked about a finding.
std::string FindingQuestion(const TScriptDocument& script, const TFinding& finding);

// The pass over the active script: for each finding the writer is asked
// whether to go to it (Yes ends the check with the caret there), to go on
// (No) or to stop (Cancel). From the command (fromCommand) it always ends
// true; before printing it is true when printing should go on.
bool SmartCheckScript(bool fromCommand);

}  // namespace qm

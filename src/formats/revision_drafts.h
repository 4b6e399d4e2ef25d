// A script's revision drafts as the revision colour dialog edits them: the
// ordered draft names with the colour each shows on screen, the draft
// being made now, how names go round past the end of the list, and whether
// coloured pages are shown. The dialog reads them and replaces them whole.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"

namespace qm {

class TMDIChild;
class TScriptDocument;

struct TRevisionDraft {
  std::string name;
  TColor colour = clNone;  // clNone: no colour of its own on screen
  friend bool operator==(const TRevisionDraft&, const TRevisionDraft&) = default;
};

struct TRevisionDraftList {
  std::vector<TRevisionDraft> drafts;
  int current = 0;      // index of the draft being made now
  Byte loopChoice = 1;  // 0 no prefix, 1 DOUBLE, 2 SECOND, 3 2ND
  bool showPageColours = true;
  friend bool operator==(const TRevisionDraftList&, const TRevisionDraftList&) = default;
};

TRevisionDraftList RevisionDraftListOf(const TScriptDocument& script);
// Replaces the script's drafts; a list without drafts keeps the first
// version's WHITE, and a current draft outside 0..255 falls back to the
// first. The screen's page colours follow.
void SetRevisionDraftList(TMDIChild& script, const TRevisionDraftList& list);

// Whether revision marks are in force: a locked script holding marks of
// the current revision (changing the drafts then recolours its pages).
bool RevisionMarksInForce(const TScriptDocument& script);

}  // namespace qm

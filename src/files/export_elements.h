// What the export writers share: which elements go out, in capitals or in
// parentheses, and the script held still while a writer walks it (the
// edit line stored, the pieces of split elements joined, the layout
// refreshed afterwards).
#pragma once

#include <string>

#include "platform/types.h"

namespace qm {

class TMDIChild;
class TScriptDocument;
struct TScriptElement;

// Page breaks are left out, and hidden elements, except Script Notes.
bool IsExportedElement(const TScriptDocument& script, const TScriptElement& element);
// A cue is stored in capitals up to its extension; other kinds follow
// their format's capitals flag.
bool ExportsInCapitals(const TScriptElement& element);

// The number an act or scene-information element shows, as it goes out
// after the element's text: in the script's display style for its kind
// (digits, letters, words, WORDS or Roman numerals), a locked scene
// information with its letter, an end of act as "ACT " and the number; a
// blank before it unless the text is empty or ends in one. Empty for
// other kinds and for an element not numbered.
std::string ExportNumberText(const TScriptDocument& script, const TScriptElement& element);

// The entry of the script's extension list a cue's code names ("V.O."),
// without its accelerator mark; empty when it names none.
std::string CueExtensionEntryText(const TScriptDocument& script, const TScriptElement& cue);

// For the lifetime of the object the script's elements hold their whole
// texts; with `joinSplits` the page breaks' split pieces are joined first
// and the script is laid out again at the end; without, the pages are
// laid out first (the walk follows them).
class TExportWalk {
 public:
  TExportWalk(TMDIChild& script, bool joinSplits);
  ~TExportWalk();
  TExportWalk(const TExportWalk&) = delete;
  TExportWalk& operator=(const TExportWalk&) = delete;

 private:
  TMDIChild& script_;
  bool joined_;
  bool assembled_;
};

}  // namespace qm

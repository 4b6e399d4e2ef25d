// A script as it stood at one moment: every element, the caret, its
// bookmarks, and the settings its header record and the blocks beside it
// hold. An undo step
// keeps one and gives it back whole, so a command that changed more than
// the elements round the caret (a locked page's header, a whole-script
// pass, a setting) is undone as exactly as a keystroke.
//
// Element copies never change once made, so successive states share the
// copies of the elements that did not change between them: a state costs
// a pointer per element and a copy of what changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/script_header.h"
#include "platform/types.h"
#include "script/model/script_model.h"
#include "script/pagination/repagination.h"

namespace qm {

class TMDIChild;

using TElementCopy = std::shared_ptr<const TScriptElement>;

// A bookmark as a state holds it: its text and the index of its element,
// none once that was deleted.
struct TBookmarkCopy {
  std::string Text;
  std::optional<std::size_t> Element;
};

struct TScriptSnapshot {
  // The script it was taken of (its identity); 0 for none.
  std::uint64_t Owner = 0;
  // Copies in script order, in no list, group or block.
  std::vector<TElementCopy> Elements;
  // Where the caret stood: the element's index, its column and line.
  std::size_t SavedCurrent = 0;
  Word SavedCaretColumn = 0;
  Word SavedCaretLine = 1;
  // The bookmarks in their order: Undo puts each back on the element it
  // was on, wherever the elements before it went.
  std::vector<TBookmarkCopy> Bookmarks;
  // Whether the first page was revised, which no element holds.
  Byte FirstPageRevised = 0;
  // Whether the caret was in a name the writer was typing.
  bool NameTyped = false;
  // The name it was saved under (not given back: a step that renamed the
  // script says so itself).
  std::string FileName;
  // The settings as a header image, with the list entries beyond its
  // room and what the script keeps beside the header.
  std::vector<Byte> HeaderImage;
  TListOverflow Spill;
  // What pagination remembered of the elements it cut and the names it
  // repeated.
  TPaginationMemory Pagination;

  bool Empty() const { return Elements.empty(); }
};

// Brings `state` up to the script as it stands. Elements the state holds
// unchanged keep their copies; a state of another script starts afresh.
void TakeState(TMDIChild& script, TScriptSnapshot& state);

// Whether the script differs from `state` in what the writer made: the
// elements' kinds, texts, formats, states, revision marks, links and the
// marks of names, or the settings. What repagination puts in and takes
// out round a page break and the laid-out lines do not count.
bool ChangedForWriter(TMDIChild& script, const TScriptSnapshot& state);

// Makes the script stand as `state` held it, the caret where it was, and
// lays it out again. Only the elements that differ are replaced (the
// others keep their records), and the settings only when they differ. The
// marks, revised pages and bookmarks come back as they were, never worked
// out anew.
void GiveStateBack(TMDIChild& script, const TScriptSnapshot& state);

// Whether repagination added the element around an automatic page break:
// the break itself, the element after a break that split something, and
// the element after a cue repeated there.
bool IsPaginationElement(const TScriptElement* element);

}  // namespace qm

// A script as a document: its settings record, its elements and their
// groups, and whether it changed. It holds no screen and no fonts, so
// reports, exports and walks over a script work on it without a window.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "script/model/element_kinds.h"
#include "script/model/script_model.h"
#include "script/model/script_record.h"

namespace qm {

constexpr int FontNameCount = 31;
constexpr int FontNameLength = 30;
// Font names by an element's font index.
using TFontNames = std::array<std::string, FontNameCount>;

class TScriptDocument : public TScriptRecord {
 public:
  TScriptDocument() = default;
  TScriptDocument(const TScriptDocument&) = delete;
  TScriptDocument& operator=(const TScriptDocument&) = delete;
  virtual ~TScriptDocument() = default;

  // Tells this script from every other opened in this run, also from one
  // later opened where this one was (undo steps belong to one script).
  const std::uint64_t Identity = NextIdentity();

  // Counts the times every element was freed at once: what was kept of
  // elements by their address before then speaks of elements gone.
  std::uint64_t ElementsReplaced = 0;

  // The element list and the chain of groups over it.
  TScriptElement* FirstElement = nullptr;
  TScriptElement* LastElement = nullptr;
  TElementGroup* CurrentGroup = nullptr;
  TElementGroup* LastGroup = nullptr;
  // The script's full file name ("NONAME" and a number while untitled).
  std::string ScriptFileName;
  Byte DocumentModified = 0;
  // Keeps the timed backup armed; every write of the script clears it.
  Byte ModifiedSinceBackup = 0;
  Byte ModifiedThisSession = 0;
  // The backup drive's own account: changes it lacks, and whether the
  // script's file holds some of them. Only a backup there clears them.
  Byte ChangedSinceBackup = 0;
  Byte SavedSinceBackup = 0;

  // Per-script options the layout reads that the script record does not
  // hold yet; they move into the record with the same names.
  struct TLayoutOptions {
    Byte ShowCodes = 0;            // inline codes shown as marks
    Byte DialogueParenthesis = 0;  // parentheses in Dialogue keep Dialogue's style
    Byte MoreLines = 1;            // MORE and CONT'D lines around a split speech
    std::string CharacterMoreContinued = "CONT'D";
  };
  TLayoutOptions LayoutOptions;

  TFontNames FontNameTable{};

  // ---- Numbers and letters as they show ----
  // The number shown: the stored one plus the start offset of its kind.
  Word DisplayNumber(const TElementGroup* group) const;
  Byte DisplayNumberLetter(const TElementGroup* group) const;
  // A scene heading's number with its letter, locked or not; empty when it
  // has none.
  std::string SceneNumberText(const TScriptElement& heading) const;
  // The speech number shown beside a character name.
  std::string DialogueNumberText(const TScriptElement* cue) const;
  // THRU or AND between the first and last number of an omitted range.
  std::string OmittedRangeWord(std::string& text, const TElementGroup* group) const;
  // Whether A-letters pass over this character.
  bool IsSkipLetter(int letter) const {
    return letter >= 0 && letter <= 255 && ((SkipLetters[static_cast<size_t>(letter >> 3)] >> (letter & 7)) & 1);
  }
  // Stores an A-letter: a blank as '=', '-' as '>', others past the skip set.
  Byte StoredLetter(Byte letter) const;
  void StoreGroupLetter(TElementGroup* group, Byte letter) const;
  // A character name that takes no line on the page.
  // Inline: the page breaker asks it of every group it measures.
  bool IsSuppressedCue(const TScriptElement* element) const {
    if (!element) return false;
    if (IsHiddenFromLists(*element)) return true;
    return ContinuedNamesOnlyFirst && element->Kind() == ekCharacterName && IsRepeatedContinuedCue(element);
  }
  // Whether the next forced or locked break after the group is an A-page.
  bool NextLockedBreakIsAPage(const TElementGroup* group) const;

 private:
  // A cue carrying the automatic CONT'D after another cue on its page.
  static bool IsRepeatedContinuedCue(const TScriptElement* cue);
  static std::uint64_t NextIdentity() {
    static std::uint64_t last = 0;
    return ++last;
  }

 public:
  // The text of the element being edited, which its record does not hold
  // while it is edited; none for every other element.
  virtual const std::string* EditedText(const TScriptElement&) const { return nullptr; }

  // Appends a fresh element after `after` (or first when null).
  TScriptElement* InsertElementAfter(TScriptElement* after, TScriptElement* element);
  // Frees every element and group; the document is then empty.
  virtual void FreeElements();
  // Walks the list: the number of elements.
  int ElementCount() const;
  // Hidden by its kind (the script's hidden kinds) or by its state 4.
  bool IsHiddenElement(const TScriptElement* element) const {
    if (!element) return false;
    return element->state == esHidden || (element->Kind() < 32 && ((HiddenKinds >> element->Kind()) & 1));
  }
  // Hidden elements and shown hidden text (state 3) never print.
  bool IsUnprintedElement(const TScriptElement* element) const {
    return element && (element->state == esShownHidden || IsHiddenElement(element));
  }
};

// An element's text wherever it is: the edit line for the one being edited.
std::string LiveElementText(const TScriptDocument& document, const TScriptElement& e);
// The name of an element's font: its entry of the font-name table, or the
// script font (also without an element).
const std::string& ElementFontName(const TScriptDocument& document, const TScriptElement* element);
// The text percentage of a script's lines: the text line spacing, scaled
// by the font percentage when that is not 100.
int TextPercent(const TScriptDocument& document);

}  // namespace qm

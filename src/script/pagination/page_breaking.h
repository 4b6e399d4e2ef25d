// The page-breaking rules: where a page ends, which groups may be split
// there and how (an Action at a sentence end or a line, a speech inside or
// between its elements with the name repeated), which move whole, and what
// is pulled along with them. One pass over the script is a TPageBreaker,
// which holds what the pass works with; TMDIChild::PaginateScript runs one.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {

class TMDIChild;
struct TSplitMemo;
struct TLayoutPass;

// The break modes of Action and Dialogue.
enum TBreakMode : Byte { bmNever = 0, bmSentenceEndsOnly = 1, bmSentenceEndsPreferred = 2, bmMaximumLines = 3 };

// The next page begins at the group returned; none ends the pass.
using NextPage = TElementGroup*;

class TPageBreaker {
 public:
  // Within a layout pass, the pass learns when the current element is cut.
  explicit TPageBreaker(TMDIChild& window, TLayoutPass* pass = nullptr) : w_(window), pass_(pass) {}
  // Fills the pages from the first group and puts automatic breaks in.
  void Run();
  // Splits the element after the character at a 0-based position of its
  // text; false when there is nothing to split there.
  bool SplitElementAt(TScriptElement* element, int position);
  // Repeats the saved character name before the element.
  void InsertContinuedCue(TScriptElement* at, bool elementSplit);
  // Fills the sentence-end and line-start tables for the element.
  void MarkSentenceEnds(TScriptElement* element);

 private:
  NextPage FillPage(TElementGroup* g);
  NextPage DoesNotFit(TElementGroup* g, int used);
  NextPage BreakAction(TElementGroup* g, int room, int lt);
  NextPage BreakSpeech(TElementGroup* g, int room, int lt);
  NextPage BreakSpeechBefore(TElementGroup* g, TScriptElement* e);
  NextPage SplitAndEnd(TScriptElement* e, int position, TScriptElement* otherwise);
  NextPage EndPageBefore(TScriptElement* start);
  TScriptElement* BackedBreak(TScriptElement* start) const;
  TScriptElement* CreateBreak(TScriptElement* at);
  void NumberNewBreak(TElementGroup* g);
  void NumberAPage(TElementGroup* g, bool created);
  void NumberFoundBreak(TElementGroup* g);
  void UpdateFixedAPageRevisions(const TScriptElement* b);

  int MeasureBreakGroup(TElementGroup* g, int used, bool firstOfPage);
  int Height(TElementGroup* g);
  int StartUsed(const TElementGroup* g) const;
  int AdjustRemainingForSpacing(int room, int height, const TScriptElement* e, int lt) const;
  bool TakesNoRoom(const TElementGroup* g) const;
  bool SkippedAtPageStart(const TElementGroup* g) const;
  // Whether the page being filled begins right after this break: only
  // what a page start passes over lies between them.
  bool OpensThisPage(const TElementGroup* breakGroup) const;
  int Lt(const TScriptElement* e) const;
  int LineStart(int line) const;
  int TextLength() const { return LineStart(lineStartCount_ + 1) - 1; }
  // Split position after wrapped line k of the measured element.
  int AfterLine(int line) const { return LineStart(line + 1) - 1; }
  // The last sentence end in [lo, hi] that `accept` takes, or -1.
  template <typename Accept>
  int LastSentenceEnd(int lo, int hi, Accept accept) const;

  // The window's memo of the splits of earlier passes.
  TSplitMemo& Memo();

  TMDIChild& w_;
  TLayoutPass* pass_;
  TSplitMemo* memo_ = nullptr;
  TElementGroup* pageStart_ = nullptr;
  int usable_ = 0;
  // Page and A-letter counters (letter 0: none given yet).
  Word pageCounter_ = 1;
  Byte letterCounter_ = 0;
  // What the page that ends next was cut by: an element split across the
  // break, a speech broken with its name repeated.
  bool splitMade_ = false;
  bool speechSplit_ = false;
  // The character name of the speech being broken.
  struct TSavedCue {
    bool saved = false;
    std::string text;
    TElementFormat format;
    Byte code = 0;
  };
  TSavedCue savedCue_;
  // The element last measured: its sentence ends (0-based positions) and
  // where each of its wrapped lines starts (entry k for line k, from 1).
  std::vector<Word> sentenceEnds_;
  std::array<Word, MaxLineCount + 2> lineStarts_{};
  int lineStartCount_ = 0;
};

}  // namespace qm

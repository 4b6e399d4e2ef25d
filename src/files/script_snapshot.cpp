#include "files/script_snapshot.h"

#include <algorithm>
#include <functional>
#include <string>
#include <unordered_map>
#include <utility>

#include "breakdown/tagging.h"
#include "files/native_file.h"
#include "language/bookmarks.h"
#include "platform/cp1252.h"
#include "script/editing/editor_calls.h"
#include "script/editing/element_splice.h"
#include "script/editing/popup_choice.h"
#include "script/editing/script_list_data.h"
#include "script/layout/centered_elements.h"
#include "script/layout/screen_rebuild.h"
#include "script/layout/word_wrap.h"
#include "script/model/cue_codes.h"
#include "script/model/element_cursors.h"
#include "script/model/packed_text.h"
#include "script/pagination/repagination.h"
#include "script/script_window.h"

namespace qm {

namespace {

bool IsAutoBreak(const TScriptElement* e) { return e && e->Kind() == ekAutoPageBreak; }

// The elements before one, nearest first: Back(1) is the one just before;
// null where none.
using TBackWalk = std::function<const TScriptElement*(std::size_t)>;

// A name's words: the blanks it begins with are none of its text (storing
// drops them).
std::string NameWords(const TScriptElement& name) {
  std::string text = ElementText(name);
  text.erase(0, std::min(text.find_first_not_of(' '), text.size()));
  return text;
}

// The name an automatic break repeated over a speech it cut, as the break
// left it: a name typed over it is the writer's (rejoining keeps it).
// `e` stands `at` elements after the start of `back`'s walk.
bool IsRepeatedCue(const TScriptElement* e, const TBackWalk& back, std::size_t at) {
  const TScriptElement* brk = back(at + 1);
  if (!e || !IsAutoBreak(brk) || !IsRepeatedByBreak(*e, brk)) return false;
  std::size_t k = at + 2;
  const TScriptElement* speech = back(k);
  while (speech && IsDialogueOrParenthetical(speech->Kind())) speech = back(++k);
  return speech && speech->Kind() == ekCharacterName && NameWords(*speech) == NameWords(*e);
}

// What repagination added round an automatic break: the break, the name
// it repeated over a speech it cut, and the rest of an element it cut
// (after the break, or after the name it repeated).
bool AddedByPagination(const TScriptElement* e, const TBackWalk& back) {
  if (!e) return false;
  if (IsAutoBreak(e) || IsRepeatedCue(e, back, 0)) return true;
  const bool afterCue = IsRepeatedCue(back(1), back, 1);
  const TScriptElement* brk = afterCue ? back(2) : back(1);
  const TScriptElement* cut = afterCue ? back(3) : back(2);
  return IsAutoBreak(brk) && brk->split == spFirstPiece && cut && cut->Kind() == e->Kind();
}

// A script's elements in order, the one being edited as storing it would
// leave it; or a snapshot's copies.
class TElementView {
 public:
  explicit TElementView(const TScriptSnapshot& state) {
    elements_.reserve(state.Elements.size());
    for (const TElementCopy& copy : state.Elements) elements_.push_back(copy.get());
  }
  explicit TElementView(TMDIChild& w);

  std::size_t Size() const { return elements_.size(); }
  const TScriptElement& operator[](std::size_t i) const { return *elements_[i]; }
  const TScriptElement* At(std::size_t i) const { return i < elements_.size() ? elements_[i] : nullptr; }
  // Before index i, `back` elements back; null where none.
  const TScriptElement* Back(std::size_t i, std::size_t back) const { return i >= back ? At(i - back) : nullptr; }

  bool IsPagination(std::size_t i) const {
    return AddedByPagination(At(i), [this, i](std::size_t back) { return Back(i, back); });
  }

 private:
  std::vector<const TScriptElement*> elements_;
  TScriptElement edited_;
};

// The edit line's text and line offsets as the element's own, untouched:
// what a state keeps is what the writer had, trailing blanks and all.
void TakeEditLine(const TMDIChild& w, TScriptElement& e) {
  // Letters typed on a page break are never stored: it keeps its blank.
  if (IsPageBreakKind(e.Kind())) {
    e.text = PackText(" ");
    return;
  }
  // An empty line is kept as a blank, as every stored element is.
  const std::string& line = w.EditBuffer().empty() ? std::string(" ") : w.EditBuffer();
  e.text = HoldsPackedText(e.Kind()) ? PackText(line) : line;
  WriteLineOffsetBlock(w.LineOffsets(), e.lineCount, e.lineOffsets);
}

TElementView::TElementView(TMDIChild& w) {
  for (const TScriptElement* e = w.FirstElement; e; e = e->next) {
    if (e->text) {
      elements_.push_back(e);
      continue;
    }
    edited_ = *e;
    TakeEditLine(w, edited_);
    elements_.push_back(&edited_);
  }
}

// The same as stored, wherever it stands.
bool SameStored(const TScriptElement& a, const TScriptElement& b) {
  return a.format == b.format && a.split == b.split && a.lineCount == b.lineCount && a.state == b.state &&
         a.avColumn == b.avColumn && a.linesBeforeTaken == b.linesBeforeTaken && a.storyboardLink == b.storyboardLink &&
         a.text == b.text && a.lineOffsets == b.lineOffsets && a.revisedLines == b.revisedLines;
}

// How many elements two views share at their front and at their back
// (never overlapping).
std::pair<std::size_t, std::size_t> CommonEnds(const TElementView& a, const TElementView& b) {
  const std::size_t shorter = std::min(a.Size(), b.Size());
  std::size_t front = 0;
  while (front < shorter && SameStored(a[front], b[front])) ++front;
  std::size_t back = 0;
  while (back < shorter - front && SameStored(a[a.Size() - 1 - back], b[b.Size() - 1 - back])) ++back;
  return {front, back};
}

bool HasRevisedText(const TScriptElement& e) { return e.revisedLines && !e.revisedLines->empty(); }

// A text as leaving its element stores it: an empty line or a menu's
// untyped placeholder as a blank, without the end its kind trims (a name
// its blanks), a name upper case up to its "(". The blanks a name begins
// with go as the caret comes into it again, so they are none of its text.
std::string StoredForm(const TMDIChild& w, const TScriptElement& e, std::string text) {
  const bool name = e.Kind() == ekCharacterName;
  if (name) text.erase(0, std::min(text.find_first_not_of(' '), text.size()));
  if (text.empty() || text == std::string(1, PlaceholderChar)) text = " ";
  if (name) return w.StoredCueText(std::move(text));
  const std::string trims = w.StoringTrims(e);
  while (!text.empty() && trims.find(text.back()) != std::string::npos) text.pop_back();
  // Trimmed to nothing, it is stored as a blank.
  return text.empty() ? std::string(" ") : text;
}

// An element as the writer made it: its pieces as one and as leaving it
// stores it, a name with its extension and its mark (a mark the caret's
// passing set right is a change the writer can take back), its format
// without what the pages and the layout give it (a scene's running
// number, a centred element's margin, the lines before the first element
// of a page).
struct TWriterElement {
  TElementFormat format;
  Byte cueCode = 0;
  Byte state = 0;
  Word link = 0;
  std::string text;
  bool revised = false;
  bool opensPage = false;

  bool operator==(const TWriterElement& o) const {
    TElementFormat a = format;
    TElementFormat b = o.format;
    if (opensPage || o.opensPage) a.LinesBefore = b.LinesBefore = 0;
    return a == b && cueCode == o.cueCode && state == o.state && link == o.link && text == o.text &&
           revised == o.revised;
  }
};

// How the pieces a page cut are put together to tell the writer's text:
// as they were cut, or as a join puts them together after an edit (a
// blank where the first piece ends without one).
enum class TPieces { AsCut, AsJoined };

// The empty Action a script that opens with a page break is given in
// front of it: taken away, the next layout gives it back just so.
bool IsLeadBeforeBreak(const TMDIChild& w, const TElementView& v, std::size_t i) {
  if (i != 0 || v.Size() < 2 || !IsPageBreakKind(v[1].Kind())) return false;
  const TScriptElement& e = v[0];
  return e.format == w.FormatSet[fsAction] && e.state == esNormal && e.storyboardLink == 0 && !HasRevisedText(e) &&
         ElementText(e).find_first_not_of(' ') == std::string::npos;
}

std::vector<TWriterElement> WriterElements(const TMDIChild& w, const TElementView& v, std::size_t from, std::size_t to,
                                           TPieces pieces) {
  std::vector<TWriterElement> out;
  for (std::size_t i = from; i < to; ++i) {
    if (v.IsPagination(i) || IsLeadBeforeBreak(w, v, i)) continue;
    const TScriptElement& e = v[i];
    TWriterElement writer;
    writer.format = e.format;
    if (IsNumberedKind(e.Kind()) && !number_word::Locked(writer.format.NumberWord)) writer.format.NumberWord = 0;
    if (IsCenteredKind(w, e.Kind())) writer.format.LeftMargin = 0;
    if (e.Kind() == ekCharacterName) writer.cueCode = NormalCueCode(e.split);
    writer.state = e.state;
    writer.link = e.storyboardLink;
    writer.opensPage = IsAutoBreak(v.Back(i, 1));
    std::string text = ElementText(e);
    writer.revised = HasRevisedText(e);
    for (std::size_t j = i + 1; j < to && v.IsPagination(j); ++j) {
      if (IsAutoBreak(v.At(j)) || IsRepeatedCue(
                                      v.At(j), [&v, j](std::size_t back) { return v.Back(j, back); }, 0))
        continue;
      std::size_t gap = 0;
      text = pieces == TPieces::AsCut ? text + ElementText(v[j]) : JoinedText(text, ElementText(v[j]), gap);
      writer.revised = writer.revised || HasRevisedText(v[j]);
    }
    writer.text = StoredForm(w, e, std::move(text));
    out.push_back(std::move(writer));
  }
  return out;
}

std::size_t IndexOf(const TMDIChild& w, const TScriptElement* element) {
  std::size_t i = 0;
  for (const TScriptElement* e = w.FirstElement; e && e != element; e = e->next) ++i;
  return i;
}

TScriptElement* Nth(const TMDIChild& w, std::size_t index) {
  TScriptElement* e = w.FirstElement;
  for (std::size_t i = 0; i < index && e && e->next; ++i) e = e->next;
  return e;
}

TElementCopy CopyOf(const TScriptElement& e) {
  auto* copy = new TScriptElement(e);
  copy->next = copy->prev = nullptr;
  copy->group = nullptr;
  copy->blockStart = copy->blockEnd = -1;
  return TElementCopy(copy);
}

bool SettingsDiffer(TMDIChild& w, const TScriptSnapshot& state) {
  std::vector<Byte> image;
  TListOverflow spill;
  WriteSettingsImage(w, image, spill);
  return image != state.HeaderImage || EncodeListOverflow(spill) != EncodeListOverflow(state.Spill);
}

// Puts fresh records of the copies after `before` (at the head when
// null) in place of the `count` elements there; the cursors on an element
// taken out move to the record that stands where it stood. The copies keep
// their lines as they were laid out (a centred element's margin too), so
// nothing comes back other than it was.
void ReplaceRun(TMDIChild& w, TScriptElement* before, std::size_t count, const std::vector<TElementCopy>& copies) {
  std::vector<TScriptElement*> removed;
  for (TScriptElement* e = before ? before->next : w.FirstElement; removed.size() < count; e = e->next)
    removed.push_back(e);
  std::vector<TScriptElement*> added;
  for (const TElementCopy& copy : copies) {
    auto* e = new TScriptElement(*copy);
    if (!added.empty()) {
      added.back()->next = e;
      e->prev = added.back();
    }
    added.push_back(e);
  }
  if (!added.empty()) editor::InsertElements(w, before, added.front(), added.back());
  TScriptElement* following = removed.empty() ? nullptr : removed.back()->next;
  for (std::size_t i = 0; i < removed.size(); ++i) {
    TScriptElement* standIn = i < added.size() ? added[i] : following ? following : w.LastElement;
    MoveElementCursors(removed[i], standIn);
    if (w.LastPositionElement == removed[i]) w.LastPositionElement = nullptr;
    editor::RemoveElement(w, removed[i]);
  }
}

std::vector<TBookmarkCopy> BookmarksOf(const TMDIChild& w) {
  std::vector<TBookmarkCopy> copies;
  const TScriptBookmarks* marks = FindBookmarks(w);
  if (!marks || marks->Count() == 0) return copies;
  std::unordered_map<const TScriptElement*, std::size_t> indexOf;
  std::size_t i = 0;
  for (const TScriptElement* e = w.FirstElement; e; e = e->next) indexOf[e] = i++;
  for (int m = 0; m < marks->Count(); ++m) {
    TBookmarkCopy copy{(*marks)[m].Text, std::nullopt};
    if (const auto at = indexOf.find((*marks)[m].Element()); at != indexOf.end()) copy.Element = at->second;
    copies.push_back(std::move(copy));
  }
  return copies;
}

// While the elements stand as the state holds them, index for index. The
// bookmarks are the writer's as they are now: one the state knew goes back
// on the element it was on then, one set since stays where it stands, and
// one the writer has taken away stays away.
void GiveBookmarksBack(TMDIChild& w, const std::vector<TBookmarkCopy>& held) {
  if (!FindBookmarks(w)) return;
  std::vector<TScriptElement*> elements;
  for (TScriptElement* e = w.FirstElement; e; e = e->next) elements.push_back(e);
  TScriptBookmarks& marks = Bookmarks(w);
  std::vector<std::pair<std::string, TScriptElement*>> now;
  for (int m = 0; m < marks.Count(); ++m) {
    TScriptElement* element = marks[m].Element();
    const auto then =
        std::find_if(held.begin(), held.end(), [&](const TBookmarkCopy& copy) { return copy.Text == marks[m].Text; });
    if (then != held.end())
      element = then->Element && *then->Element < elements.size() ? elements[*then->Element] : nullptr;
    now.emplace_back(marks[m].Text, element);
  }
  marks.Clear();
  for (const auto& [text, element] : now) marks.Add(text, element);
}

}  // namespace

bool IsPaginationElement(const TScriptElement* e) {
  return AddedByPagination(e, [e](std::size_t back) {
    const TScriptElement* b = e;
    for (std::size_t k = 0; b && k < back; ++k) b = b->prev;
    return b;
  });
}

void TakeState(TMDIChild& w, TScriptSnapshot& state) {
  if (state.Owner != w.Identity) state = TScriptSnapshot{};
  state.Owner = w.Identity;
  const TElementView live(w);
  const TElementView held(state);
  const auto [front, back] = CommonEnds(live, held);
  std::vector<TElementCopy> changed;
  for (std::size_t i = front; i < live.Size() - back; ++i) changed.push_back(CopyOf(live[i]));
  const auto first = state.Elements.begin() + static_cast<std::ptrdiff_t>(front);
  state.Elements.erase(first, state.Elements.end() - static_cast<std::ptrdiff_t>(back));
  state.Elements.insert(state.Elements.begin() + static_cast<std::ptrdiff_t>(front), changed.begin(), changed.end());
  state.SavedCurrent = IndexOf(w, w.CurrentElement());
  state.SavedCaretColumn = w.CaretColumn();
  state.SavedCaretLine = w.CaretLine();
  state.Bookmarks = BookmarksOf(w);
  state.FirstPageRevised = w.FirstPageRevised;
  state.NameTyped = editor::NameBeingTyped(w);
  state.FileName = w.ScriptFileName;
  state.Pagination = editor::TakePaginationMemory(w);
  WriteSettingsImage(w, state.HeaderImage, state.Spill);
}

bool ChangedForWriter(TMDIChild& w, const TScriptSnapshot& state) {
  if (state.Owner != w.Identity) return true;
  const TElementView live(w);
  const TElementView held(state);
  const auto [front, back] = CommonEnds(live, held);
  if (front != live.Size() || front != held.Size()) {
    // Out to whole elements: the pieces of one cut by a break count as one.
    std::size_t from = front;
    while (from > 0 && (live.IsPagination(from) || held.IsPagination(from))) --from;
    std::size_t liveTo = live.Size() - back;
    std::size_t heldTo = held.Size() - back;
    while (liveTo < live.Size() && (live.IsPagination(liveTo) || held.IsPagination(heldTo))) ++liveTo, ++heldTo;
    // A text that reads the same either way was not changed: a page
    // moved its cut into a word, or a blank taken off where the page cut
    // it comes back with the join.
    const auto differ = [&](TPieces pieces) {
      return WriterElements(w, live, from, liveTo, pieces) != WriterElements(w, held, from, heldTo, pieces);
    };
    if (differ(TPieces::AsCut) && differ(TPieces::AsJoined)) return true;
  }
  return SettingsDiffer(w, state);
}

void GiveStateBack(TMDIChild& w, const TScriptSnapshot& state) {
  // The element being edited is stored as it stands first, so that it is
  // compared and replaced like every other.
  if (TScriptElement* edited = w.CurrentElement(); edited && !edited->text) TakeEditLine(w, *edited);
  if (SettingsDiffer(w, state) && ReadSettingsImage(w, state.HeaderImage, &state.Spill)) {
    // The tags made while the mode is on count as tags whatever step goes.
    if (TaggingModeEnteredFor(w)) w.TaggingUsed = 1;
    // Fonts, user colours and lists may be other than they were.
    w.WidthsStale = true;
    UserListsChanged(w);
  }
  editor::DropBlockMarks(w);
  // No screen line may point at an element about to go.
  ResetScreenLines(w);

  const TElementView live(w);
  const TElementView held(state);
  const auto [front, back] = CommonEnds(live, held);
  const std::vector<TElementCopy> copies(state.Elements.begin() + static_cast<std::ptrdiff_t>(front),
                                         state.Elements.end() - static_cast<std::ptrdiff_t>(back));
  ReplaceRun(w, front > 0 ? Nth(w, front - 1) : nullptr, live.Size() - back - front, copies);
  GiveBookmarksBack(w, state.Bookmarks);
  editor::GivePaginationMemory(w, state.Pagination);

  TScriptElement* current = Nth(w, state.SavedCurrent);
  editor::SetCurrentElement(w, current);
  w.CurrentGroup = current->group;
  editor::SetCaret(w, state.SavedCaretColumn, state.SavedCaretLine);
  w.FirstPageRevised = state.FirstPageRevised;
  w.DisAssemble();
  // The marks stand as they stood: nothing is marked again.
  editor::SettleContinuedCues(w, state.NameTyped);
  w.RenumberDue = 1;
  w.RebuildElementGroups();
  ResetScreenLines(w);
  RebuildScreen(&w);
  w.StartPaginateTimer(1);
}

}  // namespace qm

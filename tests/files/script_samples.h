// Generated scripts for the file tests and benchmarks: a script window in
// the document table, element texts with every inline code, scripts that
// use every element kind and every stored field, and a field-by-field
// comparison of two scripts. Header-only so that the benchmarks share it.
#pragma once

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "files/script_header.h"
#include "language/bookmarks.h"
#include "script/model/packed_text.h"
#include "script/script_window.h"
#include "script/model/text_codes.h"
#include "base/document_table.h"
#include "support/script_builder.h"
#include "script/model/edit_line_writer.h"
#include "script/editing/editor_calls.h"

namespace qm::testing {

// A script window in the next slot of the document table, made the active
// one; taken out of the table and freed with this object.
class ScriptWindow {
 public:
  ScriptWindow() : window_(new TMDIChild(nullptr)) {
    ++DocumentCount;
    Documents[DocumentCount] = window_;
    ActiveDocument = static_cast<Byte>(DocumentCount);
  }
  ~ScriptWindow() {
    RemoveDocument(window_);
    delete window_;
  }
  ScriptWindow(const ScriptWindow&) = delete;
  ScriptWindow& operator=(const ScriptWindow&) = delete;
  void Activate() const { ActiveDocument = static_cast<Byte>(SlotOf(window_)); }
  TMDIChild& operator*() const { return *window_; }
  TMDIChild* operator->() const { return window_; }

 private:
  TMDIChild* window_;
};

// Text with every inline code, colour pair and breakdown tag.
inline std::string EveryCodeText() {
  std::string s = "Plain ";
  for (int b : {2, 3, 4, 5, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 25, 26, 27, 28, 29, 30, 126, 167}) {
    s += static_cast<char>(b);
    s += "x";
  }
  for (const auto& pair : ColorPairs) {
    s += static_cast<char>(pair.on);
    s += "coloured";
    s += static_cast<char>(pair.off);
  }
  for (Byte tag : BreakdownTagCodes) {
    s += static_cast<char>(tag);
    s += "item";
    s += static_cast<char>(TagEnd);
  }
  return s;
}

// Every byte but zero, in order.
inline std::string EveryByteText() {
  std::string s;
  for (int b = 1; b < 256; ++b) s += static_cast<char>(b);
  return s;
}

// Words up to `length` characters, different for each seed.
inline std::string WordsText(std::size_t length, int seed) {
  static const char* const words[] = {"the",  "script", "INT.", "night", "she",   "runs", "quickly", "toward", "ÉCOLE",
                                      "café", "door",   "--",   "and",   "thing", "it's", "...",     "away"};
  std::string s;
  for (int i = seed; s.size() < length; ++i) {
    s += words[static_cast<std::size_t>(i * 7 + seed) % std::size(words)];
    s += ' ';
  }
  s.resize(length);
  return s;
}

// A valid saved line-offset block for `lines` wrapped lines.
inline std::vector<Byte> OffsetBlock(int lines, int step) {
  std::vector<Byte> block{static_cast<Byte>(2 * lines + 1)};
  for (int l = 1; l <= lines; ++l) {
    const int at = l * step;
    block.push_back(static_cast<Byte>(at));
    block.push_back(static_cast<Byte>(at >> 8));
  }
  return block;
}

// Every element kind with texts that use every inline code, locked
// numbers, cue codes, revised lines, A/V columns, storyboard links,
// states, split pieces, long texts and saved line offsets; `extra` more
// elements of ordinary screenplay text. The element at `current` (from 0)
// is left open in the edit buffer.
inline void FillSampleElements(TMDIChild& w, int seed, int extra = 0, int current = 5) {
  for (int kind = 0; kind < FirstInvalidKind; ++kind) {
    const std::string text = kind == ekCharacterName ? "JOHN (V.O.)" : WordsText(30 + kind * 7, seed + kind);
    TScriptElement* e = AppendElement(w, static_cast<Byte>(kind), text);
    e->state = static_cast<Byte>(kind % 5);
    e->avColumn = static_cast<Byte>(kind % 3);
    e->storyboardLink = static_cast<Word>(kind % 3);
    if (kind % 4 == 1) e->revisedLines = std::string("\x01\x02\x03", static_cast<std::size_t>(kind % 3 + 1));
    if (kind % 4 == 2) e->revisedLines = std::string();
    if (kind % 2 == 0) {
      e->lineCount = static_cast<Byte>(kind % 5 + 1);
      e->lineOffsets = OffsetBlock(e->lineCount, 17 + kind);
    }
  }
  AppendElement(w, ekDialogue, EveryCodeText())->lineCount = 3;
  AppendElement(w, ekAction, EveryByteText());
  TScriptElement* longest = AppendElement(w, ekAction, WordsText(MaxElementChars, seed));
  longest->lineCount = MaxLineCount;
  longest->lineOffsets = OffsetBlock(MaxLineCount, 37);
  TScriptElement* locked = AppendElement(w, ekSceneHeading, "INT. LOCKED ROOM - DAY");
  locked->format.NumberWord = number_word::Make(123, true, 'A');
  TScriptElement* name = AppendElement(w, ekCharacterName, "MARY");
  name->split = 4;  // cue code: extension slot 1, continued
  name->format.NumberWord = 0x8000 | (7 << 2);
  AppendElement(w, ekDialogue, "")->split = spFirstPiece;
  AppendElement(w, ekDialogue, "the rest of it")->split = spSecondPiece;
  for (int i = 0; i < extra; ++i) {
    static const Byte kinds[] = {ekSceneHeading, ekAction,        ekCharacterName, ekParenthetical, ekDialogue,
                                 ekAction,       ekCharacterName, ekDialogue,      ekTransition};
    const Byte kind = kinds[i % std::size(kinds)];
    TScriptElement* e = AppendElement(w, kind, kind == ekCharacterName ? "BOB" : WordsText(40 + (i * 53) % 300, i));
    e->lineCount = static_cast<Byte>(1 + (i % 4));
    e->lineOffsets = OffsetBlock(e->lineCount, 40);
  }
  TScriptElement* open = w.FirstElement;
  for (int i = 0; i < current && open->next; ++i) open = open->next;
  editor::SetCurrentElement(w, open);
  w.CurrentGroup = open->group;
  editor::SetEditText(w, ElementText(*open));
  open->text.reset();
  open->lineCount = 2;
  EditFields(w).LineOffsets.fill(0);
  EditFields(w).LineOffsets[1] = 12;
  EditFields(w).LineOffsets[2] = static_cast<Word>(w.EditBuffer().size() + 1);
  editor::SetCaretColumn(w, std::min<std::size_t>(4, w.EditBuffer().size()));
  EditFields(w).CaretLine = 1;
}

// Puts a value of its own into one field of a header image (the field's
// bytes cleared first): texts of 1 to 9 letters, lists of two entries,
// counting bytes elsewhere. `n` moves on with every value made.
inline void CraftField(std::vector<Byte>& image, const THeaderField& f, int& n) {
  std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(f.Offset), f.Size, Byte{0});
  auto text = [&](std::size_t at, std::size_t cap) {
    const std::size_t len = std::min<std::size_t>(cap, 1 + (n++ % 9));
    image[at] = static_cast<Byte>(len);
    for (std::size_t i = 0; i < len; ++i) image[at + 1 + i] = static_cast<Byte>('A' + (n + i) % 26);
  };
  switch (f.Kind) {
    case TFieldKind::Text: text(f.Offset, f.Capacity); break;
    case TFieldKind::Texts:
    case TFieldKind::Bookmarks:
      for (std::size_t at = f.Offset; at < f.Offset + f.Size; at += f.Kind == TFieldKind::Texts ? f.Capacity + 1 : 28) {
        text(at, f.Capacity);
        if (f.Kind == TFieldKind::Bookmarks) image[at + 26] = static_cast<Byte>(1 + n % 5);
      }
      break;
    case TFieldKind::List: {
      image[f.Offset] = image[f.Offset + 2] = 2;
      std::size_t at = f.Offset + 4;
      for (int entry = 0; entry < 2; ++entry) {
        text(at, 30);
        at += image[at] + 1u;
        if (f.Name == "RevisionColours") {
          image[at] = static_cast<Byte>(1 + n++ % 200);
          at += 4;
        } else if (f.Name.find("Alias") != std::string::npos) {
          text(at, 30);
          at += image[at] + 1u;
        }
      }
      break;
    }
    default:
      for (std::size_t i = 0; i < f.Size; ++i) image[f.Offset + i] = static_cast<Byte>(0x41 + (n++ % 50));
  }
}

// The header image of a new script.
inline std::vector<Byte> DefaultHeaderImage() {
  std::vector<Byte> image(ScriptHeaderSize);
  const TScriptRecord defaults;
  const TFontNames fonts;
  EncodeScriptHeader(defaults, fonts, THeaderInfo{}, image, nullptr);
  return image;
}

// A header image in which every setting holds a value of its own, none of
// them a default: decoded into a script it changes every setting.
inline std::vector<Byte> DistinctiveHeaderImage(int seed) {
  std::vector<Byte> image = DefaultHeaderImage();
  int n = seed;
  for (const auto& f : ScriptHeaderFields())
    if (f.Group != hgIdentity && f.Kind != TFieldKind::Bookmarks) CraftField(image, f, n);
  return image;
}

// Every setting, list and font name of the window set to values of its own.
inline void FillSampleSettings(TMDIChild& w, int seed, int aliases = 300) {
  THeaderInfo info;
  std::string error;
  DecodeScriptHeader(DistinctiveHeaderImage(seed), hgSettings, w, w.FontNameTable, info, nullptr, error);
  for (int i = 0; i < aliases; ++i) {
    w.AddAlias(w.CharacterAliasList, "ALIAS " + std::to_string(i), "REPORTED " + std::to_string(i % 7));
    w.ExtraLocations.Add("LOCATION NUMBER " + std::to_string(i));
  }
  w.AddRevisionColour("NO COLOUR", clNone);
  w.StoryboardLinks.Clear();
  for (const char* frame : {"0", "7", "9"}) w.StoryboardLinks.Add(frame);
  w.Associations = {0x40, 'b', 'o', 'b', 0, 4, 'h', 'a', 't', 0};
}

inline void AddSampleBookmarks(TMDIChild& w) {
  int i = 0;
  TScriptBookmarks& marks = Bookmarks(w);
  for (TScriptElement* e = w.FirstElement; e && marks.Count() < MaxBookmarks; e = e->next, ++i)
    if (i % 9 == 3) marks.Add("Mark " + std::to_string(i), e);
}

inline int NumberOf(const TMDIChild& w, const TScriptElement* target) {
  int n = 1;
  for (const TScriptElement* e = w.FirstElement; e; e = e->next, ++n)
    if (e == target) return n;
  return 0;
}

// What the file holds of an element: its text as stored and its block.
struct ExpectedElement {
  std::string text;
  std::vector<Byte> lineOffsets;
};
inline ExpectedElement StoredFormOf(const TMDIChild& w, const TScriptElement& e) {
  if (e.text) return {*e.text, e.LineOffsetsValid() ? e.lineOffsets : std::vector<Byte>{}};
  ExpectedElement x{HoldsPackedText(e.Kind()) ? PackText(w.EditBuffer()) : w.EditBuffer(), {}};
  x.lineOffsets.push_back(static_cast<Byte>(2 * e.lineCount + 1));
  for (int l = 1; l <= e.lineCount; ++l) {
    x.lineOffsets.push_back(static_cast<Byte>(w.LineOffsets()[static_cast<std::size_t>(l)]));
    x.lineOffsets.push_back(static_cast<Byte>(w.LineOffsets()[static_cast<std::size_t>(l)] >> 8));
  }
  return x;
}

inline std::string ListText(const TStringList& list) {
  std::ostringstream out;
  for (int i = 0; i < list.Count(); ++i) {
    out << list[i];
    if (const auto* c = dynamic_cast<const TColourObject*>(list.Objects(i))) out << " colour " << c->Colour;
    if (const auto* s = dynamic_cast<const TSubstituteName*>(list.Objects(i))) out << " -> " << s->ReportedName;
    out << "\n";
  }
  return out.str();
}

inline std::string BookmarkText(const TMDIChild& w) {
  std::ostringstream out;
  const TScriptBookmarks* marks = FindBookmarks(w);
  for (int i = 0; marks && i < marks->Count(); ++i) {
    const TBookmark& mark = (*marks)[i];
    out << mark.Text << " @" << (mark.Element() ? NumberOf(w, mark.Element()) : -1) << "\n";
  }
  return out.str();
}

// The differences between a script as saved and as read back, field by
// field; `dos` compares only what the DOS variant keeps.
inline std::vector<std::string> ScriptDifferences(const TMDIChild& saved, const TMDIChild& read, bool dos = false) {
  std::vector<std::string> diffs;
  auto differ = [&](const std::string& what) { diffs.push_back(what); };
  if (!dos) {
    std::vector<Byte> a(ScriptHeaderSize), b(ScriptHeaderSize);
    EncodeScriptHeader(saved, saved.FontNameTable, THeaderInfo{}, a, nullptr);
    EncodeScriptHeader(read, read.FontNameTable, THeaderInfo{}, b, nullptr);
    for (const auto& f : ScriptHeaderFields())
      if (!std::equal(a.begin() + f.Offset, a.begin() + f.Offset + f.Size, b.begin() + f.Offset))
        differ("header field " + f.Name);
    if (!(static_cast<const TScriptSettings&>(saved) == static_cast<const TScriptSettings&>(read))) differ("settings");
    const std::pair<const TStringList*, const TStringList*> lists[] = {
        {&saved.RevisionColours, &read.RevisionColours},     {&saved.ExtraLocations, &read.ExtraLocations},
        {&saved.HiddenLocations, &read.HiddenLocations},     {&saved.CharacterAliasList, &read.CharacterAliasList},
        {&saved.LocationAliasList, &read.LocationAliasList}, {&saved.StoryboardLinks, &read.StoryboardLinks}};
    for (const auto& [x, y] : lists)
      if (ListText(*x) != ListText(*y)) differ("list:\n" + ListText(*x) + "read back as\n" + ListText(*y));
    if (saved.FontNameTable != read.FontNameTable) differ("font names");
    if (BookmarkText(saved) != BookmarkText(read)) differ("bookmarks " + BookmarkText(read));
    if (saved.Associations != read.Associations) differ("associations");
  }
  if (NumberOf(saved, saved.CurrentElement()) != NumberOf(read, read.CurrentElement())) differ("current element");
  if (saved.CaretColumn() != read.CaretColumn() || saved.CaretLine() != read.CaretLine())
    differ("caret " + std::to_string(saved.CaretColumn()) + "," + std::to_string(saved.CaretLine()) + " read as " +
           std::to_string(read.CaretColumn()) + "," + std::to_string(read.CaretLine()));
  const TScriptElement* x = saved.FirstElement;
  const TScriptElement* y = read.FirstElement;
  for (int n = 1; x || y; ++n, x = x ? x->next : nullptr, y = y ? y->next : nullptr) {
    const std::string at = "element " + std::to_string(n) + ": ";
    if (!x || !y) {
      differ(at + "missing on one side");
      break;
    }
    const ExpectedElement expected = StoredFormOf(saved, *x);
    if (!y->text || *y->text != expected.text) differ(at + "text");
    if (x->format != y->format) differ(at + "format");
    if (x->split != y->split || x->state != y->state) differ(at + "split or state");
    if (y->group == nullptr || y->blockStart != -1 || y->blockEnd != -1) differ(at + "group or block");
    if (dos) continue;
    if (x->avColumn != y->avColumn || x->storyboardLink != y->storyboardLink) differ(at + "column or link");
    if (x->lineCount != y->lineCount || expected.lineOffsets != y->lineOffsets) differ(at + "line offsets");
    if (x->revisedLines != y->revisedLines) differ(at + "revised lines");
  }
  return diffs;
}

}  // namespace qm::testing

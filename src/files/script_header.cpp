#include "files/script_header.h"

#include <algorithm>

#include "platform/byte_io.h"

namespace qm {

namespace {

// ---- Lists of variable length --------------------------------------------
// A list area is a u16 count of the entries stored in it, a u16 count of
// all entries, then the entries; entries past the area's room continue in
// the file's list overflow block.

enum class TListShape { Plain, Alias, Coloured };

struct TListKind {
  Byte id;
  TListShape shape;
};
constexpr TListKind kRevisionColours{1, TListShape::Coloured};
constexpr TListKind kCharacterAliases{2, TListShape::Alias};
constexpr TListKind kLocationAliases{3, TListShape::Alias};
constexpr TListKind kHiddenLocations{4, TListShape::Plain};
constexpr TListKind kExtraLocations{5, TListShape::Plain};
constexpr std::array<TListKind, 5> kListKinds{kRevisionColours, kCharacterAliases, kLocationAliases, kHiddenLocations,
                                              kExtraLocations};

struct TListEntry {
  std::string text;
  std::string reported;
  TColor colour = clNone;
};

void EncodeEntry(ByteWriter& w, const TStringList& list, int index, TListShape shape) {
  w.ShortString(list.Strings(index));
  if (shape == TListShape::Alias) w.ShortString(TScriptRecord::ReportedNameOf(list, index));
  if (shape == TListShape::Coloured) {
    const auto* object = dynamic_cast<const TColourObject*>(list.Objects(index));
    w.U32(static_cast<DWord>(object ? object->Colour : clNone));
  }
}

bool DecodeEntries(ByteReader& r, std::size_t count, TListShape shape, std::vector<TListEntry>& out) {
  for (std::size_t i = 0; i < count && r.Ok(); ++i) {
    TListEntry e;
    e.text = r.ShortString();
    if (shape == TListShape::Alias) e.reported = r.ShortString();
    if (shape == TListShape::Coloured) e.colour = static_cast<TColor>(r.U32());
    if (r.Ok()) out.push_back(std::move(e));
  }
  return r.Ok();
}

void FillList(TStringList& list, const std::vector<TListEntry>& entries, TListShape shape) {
  list.Clear();
  for (const auto& e : entries) {
    TObject* object = nullptr;
    if (shape == TListShape::Alias) object = new TSubstituteName(e.reported);
    if (shape == TListShape::Coloured && e.colour != clNone) object = new TColourObject(e.colour);
    list.AddObject(e.text, object);
  }
}

const TListKind* ListKindOf(Byte id) {
  for (const auto& kind : kListKinds)
    if (kind.id == id) return &kind;
  return nullptr;
}

// ---- Visitors over the layout --------------------------------------------

class HeaderWriter {
 public:
  HeaderWriter(std::span<Byte> out, TListOverflow* spill) : out_(out), spill_(spill) {}

  void Tag(std::size_t at, const char*, std::string_view tag) { std::copy(tag.begin(), tag.end(), &out_[at]); }
  void U8(std::size_t at, const char*, unsigned, const Byte& v) { out_[at] = v; }
  void U16(std::size_t at, const char*, unsigned, const Word& v) { PutU16(out_, at, v); }
  void U32(std::size_t at, const char*, unsigned, const DWord& v) { PutU32(out_, at, v); }
  void Colors(std::size_t at, const char*, unsigned, std::span<const TColor> v) {
    for (std::size_t i = 0; i < v.size(); ++i) PutU32(out_, at + 4 * i, static_cast<DWord>(v[i]));
  }
  void Str(std::size_t at, const char*, unsigned, std::size_t cap, const std::string& s) {
    const std::size_t n = std::min(s.size(), cap);
    out_[at] = static_cast<Byte>(n);
    std::copy_n(s.begin(), n, &out_[at + 1]);
  }
  void Strs(std::size_t at, const char* name, unsigned g, std::size_t cap, std::span<const std::string> v) {
    for (std::size_t i = 0; i < v.size(); ++i) Str(at + i * (cap + 1), name, g, cap, v[i]);
  }
  void Raw(std::size_t at, const char*, unsigned, std::span<const Byte> v) { std::copy(v.begin(), v.end(), &out_[at]); }
  void Formats(std::size_t at, const char*, unsigned, const TFormatSet& set) {
    for (std::size_t i = 0; i < set.size(); ++i) {
      const auto bytes = set[i].ToBytes();
      std::copy(bytes.begin(), bytes.end(), &out_[at + i * TElementFormat::Size]);
    }
  }
  void Bookmarks(std::size_t at, const char*, unsigned, const std::array<TBookmarkSlot, MaxBookmarks>& marks) {
    for (std::size_t i = 0; i < marks.size(); ++i) {
      const std::size_t slot = at + i * 28;
      Str(slot, "", 0, capacity::BookmarkText, marks[i].Text);
      PutU16(out_, slot + 26, marks[i].Element);
    }
  }
  void List(std::size_t at, std::size_t size, const char*, unsigned, TListKind kind, const TStringList& list) {
    std::vector<Byte> area;
    ByteWriter w(area);
    const int total = std::min(list.Count(), 0xFFFF);
    int stored = 0;
    for (; stored < total; ++stored) {
      std::vector<Byte> entry;
      ByteWriter ew(entry);
      EncodeEntry(ew, list, stored, kind.shape);
      if (4 + area.size() + entry.size() > size) break;
      w.Bytes(entry);
    }
    PutU16(out_, at, static_cast<Word>(stored));
    PutU16(out_, at + 2, static_cast<Word>(total));
    std::copy(area.begin(), area.end(), &out_[at + 4]);
    if (!spill_ || stored == total) return;
    TListSpill spill{kind.id, static_cast<Word>(total - stored), {}};
    ByteWriter sw(spill.Entries);
    for (int i = stored; i < total; ++i) EncodeEntry(sw, list, i, kind.shape);
    spill_->push_back(std::move(spill));
  }

 private:
  std::span<Byte> out_;
  TListOverflow* spill_;
};

class HeaderReader {
 public:
  HeaderReader(std::span<const Byte> in, unsigned apply, const TListOverflow* overflow)
      : in_(in), apply_(apply), overflow_(overflow) {}
  bool Ok() const { return error_.empty(); }
  const std::string& Error() const { return error_; }

  void Tag(std::size_t at, const char*, std::string_view tag) {
    if (!std::equal(tag.begin(), tag.end(), in_.begin() + static_cast<std::ptrdiff_t>(at)))
      Fail("it does not begin with the tag of a script");
  }
  void U8(std::size_t at, const char*, unsigned g, Byte& v) {
    if (Set(g)) v = in_[at];
  }
  void U16(std::size_t at, const char*, unsigned g, Word& v) {
    if (Set(g)) v = GetU16(in_, at);
  }
  void U32(std::size_t at, const char*, unsigned g, DWord& v) {
    if (Set(g)) v = GetU32(in_, at);
  }
  void Colors(std::size_t at, const char*, unsigned g, std::span<TColor> v) {
    if (!Set(g)) return;
    for (std::size_t i = 0; i < v.size(); ++i) v[i] = static_cast<TColor>(GetU32(in_, at + 4 * i));
  }
  void Str(std::size_t at, const char* name, unsigned g, std::size_t cap, std::string& s) {
    const std::size_t n = in_[at];
    if (n > cap) return Fail(std::string("the text ") + name + " is longer than its room");
    if (Set(g)) s.assign(reinterpret_cast<const char*>(&in_[at + 1]), n);
  }
  void Strs(std::size_t at, const char* name, unsigned g, std::size_t cap, std::span<std::string> v) {
    for (std::size_t i = 0; i < v.size(); ++i) Str(at + i * (cap + 1), name, g, cap, v[i]);
  }
  void Raw(std::size_t at, const char*, unsigned g, std::span<Byte> v) {
    if (Set(g)) std::copy_n(&in_[at], v.size(), v.begin());
  }
  void Formats(std::size_t at, const char*, unsigned g, TFormatSet& set) {
    for (std::size_t i = 0; i < set.size(); ++i) {
      const TElementFormat f = TElementFormat::FromBytes(&in_[at + i * TElementFormat::Size]);
      if (Set(g)) set[i] = f;
    }
    // Slot 6 always mirrors Dialogue.
    if (Set(g)) set[fsDialogueCopy] = set[fsDialogue];
  }
  void Bookmarks(std::size_t at, const char*, unsigned, std::array<TBookmarkSlot, MaxBookmarks>& marks) {
    for (std::size_t i = 0; i < marks.size(); ++i) {
      const std::size_t slot = at + i * 28;
      Str(slot, "of a bookmark", hgIdentity, capacity::BookmarkText, marks[i].Text);
      marks[i].Element = GetU16(in_, slot + 26);
    }
  }
  void List(std::size_t at, std::size_t size, const char* name, unsigned g, TListKind kind, TStringList& list) {
    ByteReader r(in_.subspan(at, size));
    const Word stored = r.U16();
    const Word total = r.U16();
    std::vector<TListEntry> entries;
    if (stored > total || !DecodeEntries(r, stored, kind.shape, entries))
      return Fail(std::string("the list ") + name + " does not fit its room");
    if (stored < total) {
      if (!overflow_) return;  // the rest is in a block this image does not have
      if (!TakeSpill(kind, total - stored, entries)) return Fail(std::string("the list ") + name + " is incomplete");
    }
    if (Set(g)) FillList(list, entries, kind.shape);
  }

 private:
  bool Set(unsigned g) const { return (apply_ & g) != 0 || g == hgIdentity; }
  void Fail(std::string why) {
    if (error_.empty()) error_ = std::move(why);
  }
  bool TakeSpill(TListKind kind, std::size_t count, std::vector<TListEntry>& entries) const {
    for (const auto& spill : *overflow_) {
      if (spill.ListId != kind.id) continue;
      ByteReader r(spill.Entries);
      return spill.Count == count && DecodeEntries(r, count, kind.shape, entries) && r.AtEnd();
    }
    return false;
  }

  std::span<const Byte> in_;
  unsigned apply_;
  const TListOverflow* overflow_;
  std::string error_;
};

class FieldLister {
 public:
  std::vector<THeaderField> fields;

  void Tag(std::size_t at, const char* name, std::string_view tag) {
    Add(at, name, tag.size() + 1, hgIdentity, TFieldKind::Tag);
  }
  template <class T>
  void U8(std::size_t at, const char* name, unsigned g, T&) {
    Add(at, name, 1, g, TFieldKind::U8);
  }
  template <class T>
  void U16(std::size_t at, const char* name, unsigned g, T&) {
    Add(at, name, 2, g, TFieldKind::U16);
  }
  template <class T>
  void U32(std::size_t at, const char* name, unsigned g, T&) {
    Add(at, name, 4, g, TFieldKind::U32);
  }
  template <class S>
  void Colors(std::size_t at, const char* name, unsigned g, S v) {
    Add(at, name, 4 * v.size(), g, TFieldKind::Colours);
  }
  template <class T>
  void Str(std::size_t at, const char* name, unsigned g, std::size_t cap, T&) {
    Add(at, name, cap + 1, g, TFieldKind::Text, cap);
  }
  template <class S>
  void Strs(std::size_t at, const char* name, unsigned g, std::size_t cap, S v) {
    Add(at, name, (cap + 1) * v.size(), g, TFieldKind::Texts, cap);
  }
  template <class S>
  void Raw(std::size_t at, const char* name, unsigned g, S v) {
    Add(at, name, v.size(), g, TFieldKind::Bytes);
  }
  template <class T>
  void Formats(std::size_t at, const char* name, unsigned g, T& set) {
    Add(at, name, set.size() * TElementFormat::Size, g, TFieldKind::FormatSet);
  }
  template <class T>
  void Bookmarks(std::size_t at, const char* name, unsigned g, T& marks) {
    Add(at, name, marks.size() * 28, g, TFieldKind::Bookmarks, capacity::BookmarkText);
  }
  template <class T>
  void List(std::size_t at, std::size_t size, const char* name, unsigned g, TListKind, T&) {
    Add(at, name, size, g, TFieldKind::List);
  }

 private:
  void Add(std::size_t at, const char* name, std::size_t size, unsigned g, TFieldKind kind, std::size_t cap = 0) {
    fields.push_back({name, at, size, g, kind, cap});
  }
};

// ---- The sections --------------------------------------------------------
// Each section is laid out from its own base, so the DOS settings record
// places the sections it shares with the header at bases of its own.

template <class V, class R>
void VisitFormats(V& v, std::size_t b, R& r) {
  v.Formats(b + 0, "FormatSet", hgFormats, r.FormatSet);
  v.Str(b + 144, "ScriptFontName", hgFormats, capacity::FontName, r.ScriptFontName);
  v.U8(b + 175, "ScriptFontSize", hgFormats, r.ScriptFontSize);
}

template <class V, class R>
void VisitLayout(V& v, std::size_t b, R& r) {
  constexpr unsigned g = hgFormats;
  v.U8(b + 0, "TextSpacing", g, r.TextSpacing);
  v.U8(b + 1, "BlankSpacing", g, r.BlankSpacing);
  v.U8(b + 2, "FontPercent", g, r.FontPercent);
  v.U8(b + 3, "TopMargin", g, r.TopMargin);
  v.U8(b + 4, "BottomMargin", g, r.BottomMargin);
  v.U8(b + 5, "BindingMargin", g, r.BindingMargin);
  v.U8(b + 6, "StretchShortPages", g, r.StretchShortPages);
  v.U8(b + 7, "StretchMinLines", g, r.StretchMinLines);
  v.U8(b + 8, "StretchMaxLines", g, r.StretchMaxLines);
  v.U8(b + 9, "FirstPageLine", g, r.FirstPageLine);
  v.U8(b + 10, "TimeOfDayDashes", g, r.TimeOfDayDashes);
  v.U8(b + 11, "TimeOfDaySpaces", g, r.TimeOfDaySpaces);
  v.U16(b + 12, "ActStart", g, r.ActStart);
  v.U16(b + 14, "SceneStart", g, r.SceneStart);
  v.U16(b + 16, "PageStart", g, r.PageStart);
  v.U8(b + 18, "ActionBreakMode", g, r.ActionBreakMode);
  v.U8(b + 19, "DialogueBreakMode", g, r.DialogueBreakMode);
  v.U8(b + 20, "MinActionLines", g, r.MinActionLines);
  v.U8(b + 21, "MinDialogueLines", g, r.MinDialogueLines);
  v.U8(b + 22, "TransitionOnFirstLine", g, r.TransitionOnFirstLine);
  v.U8(b + 23, "TransitionOnContinuedLine", g, r.TransitionOnContinuedLine);
  v.U8(b + 24, "ScenesOnTopContinuedLine", g, r.ScenesOnTopContinuedLine);
  v.U8(b + 25, "BreakAfterSingleSentence", g, r.BreakAfterSingleSentence);
  v.U8(b + 26, "BreakTwoOneLiners", g, r.BreakTwoOneLiners);
  v.U8(b + 27, "CountMoreLine", g, r.CountMoreLine);
  v.U8(b + 28, "AVDialogueLeft1", g, r.AVDialogueMargins.Left1);
  v.U8(b + 29, "AVDialogueRight1", g, r.AVDialogueMargins.Right1);
  v.U8(b + 30, "AVDialogueLeft2", g, r.AVDialogueMargins.Left2);
  v.U8(b + 31, "AVDialogueRight2", g, r.AVDialogueMargins.Right2);
  v.U8(b + 32, "AVOtherLeft1", g, r.AVOtherMargins.Left1);
  v.U8(b + 33, "AVOtherRight1", g, r.AVOtherMargins.Right1);
  v.U8(b + 34, "AVOtherLeft2", g, r.AVOtherMargins.Left2);
  v.U8(b + 35, "AVOtherRight2", g, r.AVOtherMargins.Right2);
}

template <class V, class R>
void VisitOptions(V& v, std::size_t b, R& r) {
  constexpr unsigned g = hgFormats;
  v.U8(b + 0, "FlexMargin", g, r.FlexMargin);
  v.U8(b + 1, "ActionParentheticals", g, r.ActionParentheticals);
  v.U8(b + 2, "ActionOutdented", g, r.ActionOutdented);
  v.U8(b + 3, "TransitionsFlushRight", g, r.TransitionsFlushRight);
  v.U8(b + 4, "CenterCharacterNames", g, r.CenterCharacterNames);
  v.U8(b + 5, "CenterSceneInformation", g, r.CenterSceneInformation);
  v.U8(b + 6, "CenterActInformation", g, r.CenterActInformation);
  v.U8(b + 7, "PrintScriptNotes", g, r.PrintScriptNotes);
  v.U8(b + 8, "OutdentParentheticals", g, r.OutdentParentheticals);
  v.U8(b + 9, "KeepSceneHeadingsApart", g, r.KeepSceneHeadingsApart);
  v.U8(b + 10, "CharacterListParentheses", g, r.CharacterListParentheses);
  v.U8(b + 11, "SceneInformationOff", g, r.SceneInformationOff);
  v.U8(b + 12, "JoinSceneExtensions", g, r.JoinSceneExtensions);
  v.U8(b + 13, "ContinuedPosition", g, r.ContinuedPosition);
  v.U8(b + 14, "ContinuedSameExtension", g, r.ContinuedSameExtension);
  v.U8(b + 15, "ContinuedNamesOnlyFirst", g, r.ContinuedNamesOnlyFirst);
  v.U8(b + 16, "TopSceneContinued", g, r.TopSceneContinued);
  v.U8(b + 17, "BottomSceneContinued", g, r.BottomSceneContinued);
  v.U8(b + 18, "LeftNumber", g, r.LeftNumber);
  v.U8(b + 19, "RightNumber", g, r.RightNumber);
  v.U8(b + 20, "RightNumberOnTopLine", g, r.RightNumberOnTopLine);
  v.U8(b + 21, "FlipLockedSceneNumbers", g, r.FlipLockedSceneNumbers);
  v.U8(b + 22, "NumberScenesContinuously", g, r.NumberScenesContinuously);
  v.U8(b + 23, "ScenesWithinActs", g, r.ScenesWithinActs);
  v.U8(b + 24, "ActNumberingScheme", g, r.ActNumberingScheme);
  v.U8(b + 25, "ActDisplayStyle", g, r.ActDisplayStyle);
  v.U8(b + 26, "SceneInfoDisplayStyle", g, r.SceneInfoDisplayStyle);
  v.U8(b + 27, "SceneLetterPlacement", g, r.SceneLetterPlacement);
  v.U8(b + 28, "SceneDashScheme", g, r.SceneDashScheme);
  v.U8(b + 29, "SceneSuffixStyle", g, r.SceneSuffixStyle);
  v.U8(b + 30, "PageSuffixStyle", g, r.PageSuffixStyle);
  v.U8(b + 31, "PageBlankLetterRule", g, r.PageBlankLetterRule);
  v.U8(b + 32, "DialogueNumbering", g, r.DialogueNumbering);
  v.U8(b + 33, "InteractiveScript", g, r.InteractiveScript);
  v.U8(b + 34, "ActGoesToScene", g, r.ActGoesToScene);
  v.U8(b + 35, "ActSceneInfoText", g, r.ActSceneInfoText);
  v.U8(b + 36, "ActTagSetting", g, r.ActTagSetting);
  v.U16(b + 37, "LastActNumber", g, r.LastActNumber);
  v.Raw(b + 39, "SkipLetters", g, std::span(r.SkipLetters));
  v.U8(b + 71, "ParentheticalsSeparate", g, r.ParentheticalsSeparate);
  v.U8(b + 72, "ActParentheses", g, r.ActParentheses);
  v.U8(b + 73, "SceneInfoParentheses", g, r.SceneInfoParentheses);
  v.U8(b + 74, "AutoParentheses", g, r.AutoParentheses);
  v.U8(b + 75, "ForcedPageBanner", g, r.ForcedPageBanner);
  v.U8(b + 76, "OmittedSceneDisplay", g, r.OmittedSceneDisplay);
}

template <class V, class R>
void VisitState(V& v, std::size_t b, R& r) {
  constexpr unsigned g = hgScript;
  v.U8(b + 0, "ScenesLocked", g, r.ScenesLocked);
  v.U8(b + 1, "PagesLocked", g, r.PagesLocked);
  v.U8(b + 2, "ScenesMultiLocked", g, r.ScenesMultiLocked);
  v.U8(b + 3, "PagesMultiLocked", g, r.PagesMultiLocked);
  v.U8(b + 4, "DialogueNumberingLock", g, r.DialogueNumberingLock);
  v.U8(b + 5, "HeadersLocked", g, r.HeadersLocked);
  v.U8(b + 6, "HeaderTextLocked", g, r.HeaderTextLocked);
  v.U8(b + 7, "RevisionMarking", g, r.RevisionMarking);
  v.U8(b + 8, "AutoRevisionColor", g, r.AutoRevisionColor);
  v.U8(b + 9, "CurrentRevision", g, r.CurrentRevision);
  v.U8(b + 10, "RevisionSetLocked", g, r.RevisionSetLocked);
  v.Raw(b + 11, "RevisionLevelOptions", g, std::span(r.RevisionLevelOptions));
  v.U8(b + 13, "FirstPageRevision", g, r.FirstPageRevision);
  v.U8(b + 14, "FirstPageRevised", g, r.FirstPageRevised);
  v.U8(b + 15, "ShowPageColours", g, r.ShowPageColours);
  v.Raw(b + 16, "KeyOptionBytes", g, std::span(r.KeyOptionBytes));
  v.U8(b + 24, "TaggingUsed", g, r.TaggingUsed);
  v.U8(b + 25, "CharacterListsGenerated", g, r.CharacterListsGenerated);
  v.U8(b + 26, "HideStoryboardLinks", g, r.HideStoryboardLinks);
  v.U8(b + 27, "UsesUserColours", g, r.UsesUserColours);
  v.U8(b + 28, "TypingColorCode", g, r.TypingColorCode);
  v.U8(b + 29, "CurrentColor", g, r.CurrentColor);
  v.U32(b + 30, "HiddenKinds", g, r.HiddenKinds);
  v.U16(b + 34, "SpellLanguage", g, r.SpellLanguage);
}

template <class V, class R>
void VisitHeaderLines(V& v, std::size_t b, R& r) {
  constexpr unsigned g = hgFormats;
  v.U8(b + 0, "RevisionLoopStyle", g, r.RevisionLoopStyle);
  v.Str(b + 1, "RevisionMarkText", g, capacity::RevisionMarkText, r.RevisionMarkText);
  v.U8(b + 5, "HeaderBlankLines", g, r.HeaderBlankLines);
  v.U8(b + 6, "HeaderAlignment", g, r.HeaderAlignment);
  v.U8(b + 7, "HeaderDateForm", g, r.HeaderDateForm);
  v.U8(b + 8, "HeaderPages", g, r.HeaderPages);
  v.Str(b + 9, "HeaderLine1", g, capacity::HeaderLine, r.HeaderLine1);
  v.Str(b + 265, "HeaderLine2", g, capacity::HeaderLine, r.HeaderLine2);
}

template <class V, class R>
void VisitTexts(V& v, std::size_t b, R& r) {
  constexpr unsigned g = hgFormats;
  v.Str(b + 0, "CharacterContinuedText", g, capacity::ContinuedText, r.CharacterContinuedText);
  v.Str(b + 13, "MoreContinuedText", g, capacity::ContinuedText, r.MoreContinuedText);
  v.Str(b + 26, "ContinuedSeparator", g, capacity::ContinuedSeparator, r.ContinuedSeparator);
  v.Str(b + 29, "MoreText", g, capacity::MoreText, r.MoreText);
  v.Str(b + 50, "BottomSceneContinuedText", g, capacity::SceneContinuedText, r.BottomSceneContinuedText);
  v.Str(b + 76, "TopSceneContinuedText", g, capacity::SceneContinuedText, r.TopSceneContinuedText);
  v.Str(b + 102, "SceneOmitText", g, capacity::SceneOmitText, r.SceneOmitText);
  v.Str(b + 116, "SceneThruText", g, capacity::SceneJoinText, r.SceneThruText);
  v.Str(b + 137, "SceneAndText", g, capacity::SceneJoinText, r.SceneAndText);
}

template <class V, class R>
void VisitScriptData(V& v, std::size_t b, R& r) {
  constexpr unsigned g = hgScript;
  v.Str(b + 0, "ProductionTitle", g, capacity::ProductionTitle, r.ProductionTitle);
  v.Str(b + 76, "ProductionCompany", g, capacity::ProductionCompany, r.ProductionCompany);
  v.Str(b + 152, "EpisodeNumber", g, capacity::EpisodeNumber, r.EpisodeNumber);
  v.Str(b + 178, "Director", g, capacity::Director, r.Director);
  v.Str(b + 219, "Draft", g, capacity::Draft, r.Draft);
  v.Str(b + 245, "ReportSortText", g, capacity::ReportText, r.ReportSortText);
  v.Str(b + 271, "AtmosphereText", g, capacity::ReportText, r.AtmosphereText);
  v.Raw(b + 297, "AtmosphereLocationFlags", g, std::span(r.AtmosphereLocationFlags));
  v.Str(b + 307, "UserDictionaryName", g, capacity::UserDictionaryName, r.UserDictionaryName);
  v.Str(b + 316, "StoryboardFileName", g, capacity::StoryboardFileName, r.StoryboardFileName);
  v.Colors(b + 572, "NoteColours", g, std::span(r.NoteColours));
  v.Colors(b + 676, "UserColours", g, std::span(r.UserColours));
  v.Strs(b + 704, "HiddenNames", g, capacity::HiddenNames, std::span(r.HiddenNames));
}

template <class V, class R>
void VisitUserLists(V& v, std::size_t b, R& r) {
  constexpr unsigned g = hgUserLists;
  constexpr std::size_t w = capacity::UserListEntry;
  constexpr std::size_t wl = capacity::UserListLongEntry;
  auto& l = r.UserLists;
  v.Strs(b + 0, "Extension", g, w, std::span(l.Extension));
  v.Strs(b + 210, "TimeofDay", g, w, std::span(l.TimeofDay));
  v.Strs(b + 462, "Transition", g, w, std::span(l.Transition));
  v.Strs(b + 630, "SceneText", g, w, std::span(l.SceneText));
  v.Strs(b + 840, "ShotText", g, w, std::span(l.ShotText));
  v.Strs(b + 966, "ActText", g, w, std::span(l.ActText));
  v.Strs(b + 1029, "PrologueText", g, w, std::span(l.PrologueText));
  v.Strs(b + 1134, "TagText", g, w, std::span(l.TagText));
  v.Strs(b + 1155, "EndofActText", g, w, std::span(l.EndofActText));
  v.Strs(b + 1176, "ScriptOpenText", g, w, std::span(l.ScriptOpenText));
  v.Strs(b + 1197, "SceneBodyText", g, wl, std::span(l.SceneBodyText));
  v.Strs(b + 1657, "CharNames", g, w, std::span(l.CharNames));
  v.Strs(b + 1972, "SubstitutionText", g, wl, std::span(l.SubstitutionText));
}

template <class V, class R, class F, class I>
void VisitScriptHeader(V& v, R& r, F& fonts, I& info) {
  v.Tag(0, "Tag", WindowsScriptTag);
  v.U16(26, "LayoutRevision", hgIdentity, info.LayoutRevision);
  v.U16(28, "ElementRecordSize", hgIdentity, info.ElementRecordSize);
  v.U8(30, "TimedBackup", hgIdentity, info.TimedBackup);
  v.U32(32, "ElementCount", hgIdentity, info.ElementCount);
  v.U32(36, "CurrentElementNumber", hgIdentity, info.CurrentElementNumber);
  v.U16(40, "CaretColumn", hgIdentity, info.CaretColumn);
  v.U16(42, "CaretLine", hgIdentity, info.CaretLine);
  v.U32(44, "ExtraBlocksTotal", hgIdentity, info.ExtraBlocksTotal);
  v.U32(48, "StoryboardBlockSize", hgIdentity, info.StoryboardBlockSize);
  v.U32(52, "AssociationsBlockSize", hgIdentity, info.AssociationsBlockSize);
  v.U32(56, "ListOverflowBlockSize", hgIdentity, info.ListOverflowBlockSize);
  v.Str(60, "Password", hgScript, capacity::Password, r.Password);
  v.U8(81, "ViewWithoutPassword", hgScript, r.ViewWithoutPassword);
  v.Str(82, "SavedTitle", hgIdentity, 255, info.SavedTitle);
  VisitFormats(v, 512, r);
  v.Strs(688, "FontNameTable", hgFormats, FontNameLength, std::span(fonts));
  VisitLayout(v, 1664, r);
  VisitOptions(v, 1728, r);
  VisitState(v, 1856, r);
  VisitHeaderLines(v, 1984, r);
  v.List(2512, 1024, "RevisionColours", hgFormats, kRevisionColours, r.RevisionColours);
  VisitTexts(v, 3584, r);
  VisitScriptData(v, 3776, r);
  VisitUserLists(v, 4992, r);
  v.Bookmarks(7680, "Bookmarks", hgScript, info.Bookmarks);
  v.Raw(8256, "TitlePageItems", hgScript, std::span(r.TitlePageItems));
  v.Raw(8781, "TitlePageText", hgScript, std::span(r.TitlePageText));
  v.List(10368, 1536, "CharacterAliasList", hgScript, kCharacterAliases, r.CharacterAliasList);
  v.List(11904, 1536, "LocationAliasList", hgScript, kLocationAliases, r.LocationAliasList);
  v.List(13440, 768, "HiddenLocations", hgScript, kHiddenLocations, r.HiddenLocations);
  v.List(14208, 768, "ExtraLocations", hgScript, kExtraLocations, r.ExtraLocations);
}

template <class V, class R, class I>
void VisitDosSettings(V& v, R& r, I& info) {
  v.Tag(0, "Tag", DosScriptTag);
  v.U16(26, "LayoutRevision", hgIdentity, info.LayoutRevision);
  v.U16(28, "ElementRecordSize", hgIdentity, info.ElementRecordSize);
  v.U32(32, "ElementCount", hgIdentity, info.ElementCount);
  v.U32(36, "CurrentElementNumber", hgIdentity, info.CurrentElementNumber);
  v.U16(40, "CaretColumn", hgIdentity, info.CaretColumn);
  v.U16(42, "CaretLine", hgIdentity, info.CaretLine);
  VisitFormats(v, 64, r);
  VisitLayout(v, 240, r);
  VisitOptions(v, 304, r);
  VisitState(v, 432, r);
  VisitHeaderLines(v, 560, r);
  VisitTexts(v, 1088, r);
}

template <class Visit>
bool DecodeTwice(std::span<const Byte> image, std::size_t size, const TListOverflow* overflow, unsigned apply,
                 std::string& error, Visit visit) {
  if (image.size() < size) {
    error = "its settings record is cut short";
    return false;
  }
  // The first pass only checks, so that nothing is set from a damaged record.
  HeaderReader check(image, 0, overflow);
  visit(check);
  if (!check.Ok()) {
    error = check.Error();
    return false;
  }
  HeaderReader reader(image, apply, overflow);
  visit(reader);
  return true;
}

}  // namespace

std::vector<Byte> EncodeListOverflow(const TListOverflow& spill) {
  std::vector<Byte> block;
  ByteWriter w(block);
  for (const auto& s : spill) {
    w.U8(s.ListId);
    w.U16(s.Count);
    w.Bytes(s.Entries);
  }
  return block;
}

bool DecodeListOverflow(std::span<const Byte> block, TListOverflow& spill, std::string& error) {
  ByteReader r(block);
  while (!r.AtEnd()) {
    TListSpill s;
    s.ListId = r.U8();
    s.Count = r.U16();
    const TListKind* kind = ListKindOf(s.ListId);
    if (!r.Ok() || !kind) {
      error = "its list overflow block is damaged";
      return false;
    }
    const std::size_t start = r.Position();
    std::vector<TListEntry> entries;
    if (!DecodeEntries(r, s.Count, kind->shape, entries)) {
      error = "its list overflow block is cut short";
      return false;
    }
    const auto bytes = block.subspan(start, r.Position() - start);
    s.Entries.assign(bytes.begin(), bytes.end());
    spill.push_back(std::move(s));
  }
  return true;
}

void EncodeScriptHeader(const TScriptRecord& record, const TFontNames& fonts, const THeaderInfo& info,
                        std::span<Byte> out, TListOverflow* spill) {
  std::fill(out.begin(), out.end(), Byte{0});
  HeaderWriter writer(out, spill);
  VisitScriptHeader(writer, record, fonts, info);
}

bool DecodeScriptHeader(std::span<const Byte> image, unsigned apply, TScriptRecord& record, TFontNames& fonts,
                        THeaderInfo& info, const TListOverflow* overflow, std::string& error) {
  return DecodeTwice(image, ScriptHeaderSize, overflow, apply, error,
                     [&](HeaderReader& r) { VisitScriptHeader(r, record, fonts, info); });
}

void EncodeDosSettings(const TScriptRecord& record, const THeaderInfo& info, std::span<Byte> out) {
  std::fill(out.begin(), out.end(), Byte{0});
  HeaderWriter writer(out, nullptr);
  VisitDosSettings(writer, record, info);
}

bool DecodeDosSettings(std::span<const Byte> image, unsigned apply, TScriptRecord& record, THeaderInfo& info,
                       std::string& error) {
  return DecodeTwice(image, DosSettingsSize, nullptr, apply, error,
                     [&](HeaderReader& r) { VisitDosSettings(r, record, info); });
}

std::vector<THeaderField> ScriptHeaderFields() {
  FieldLister lister;
  TScriptRecord record;
  TFontNames fonts;
  THeaderInfo info;
  VisitScriptHeader(lister, record, fonts, info);
  return lister.fields;
}

std::vector<THeaderField> DosSettingsFields() {
  FieldLister lister;
  TScriptRecord record;
  THeaderInfo info;
  VisitDosSettings(lister, record, info);
  return lister.fields;
}

}  // namespace qm

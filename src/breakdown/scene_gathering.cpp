#include "breakdown/scene_gathering.h"

#include <algorithm>
#include <array>

#include "breakdown/categories.h"
#include "language/duplicate_names.h"
#include "platform/cp1252.h"
#include "platform/text_trim.h"
#include "script/editing/editor_calls.h"
#include "script/editing/position_texts.h"
#include "script/layout/char_widths.h"
#include "script/model/element_kinds.h"
#include "script/editing/script_list_data.h"
#include "script/model/number_texts.h"
#include "script/model/string_utils.h"
#include "script/model/user_list_entries.h"

namespace qm {

namespace {

constexpr Byte ExtrasCode = 7;
constexpr std::size_t MaxCharacters = 50;
constexpr std::size_t PageTextCapacity = 6;
const char* const NoSeparator = "Find THIS, Sucker!!!";
constexpr std::array<const char*, 6> FixedTimes = {"SAME",      "LATER",      "MOMENTS LATER",
                                                   "SAME TIME", "CONTINUOUS", "SIMULTANEOUS"};
constexpr std::array<const char*, 6> ActionOnlyNames = {"MAN", "WOMAN", "CHILD", "BOY", "GIRL", "VOICE"};

bool IsCombinedCue(const std::string& upper) {
  return upper.find_first_of("\\/,") != std::string::npos || upper.find(" AND ") != std::string::npos;
}

// The candidates in their order, except that each goes before the first
// shorter one it holds: "MOMENTS LATER" is tried before "LATER".
std::vector<std::string> LongerBeforeContained(const std::vector<std::string>& candidates) {
  std::vector<std::string> ordered;
  for (const std::string& candidate : candidates) {
    const auto held = std::find_if(ordered.begin(), ordered.end(), [&](const std::string& earlier) {
      return !earlier.empty() && earlier.size() < candidate.size() && candidate.find(earlier) != std::string::npos;
    });
    ordered.insert(held, candidate);
  }
  return ordered;
}

// A list's entries by slot, as the gathering compares them.
std::string EntryText(const TScriptDocument& script, TUserList list, int slot, bool keepAccelerators) {
  const std::string text = ListItemText(UserListEntry(RecordOf(script).UserLists, list, slot), false, false);
  return AnsiUpperCase(keepAccelerators ? text : WithoutAccelerator(text));
}

class TSceneGatherer {
 public:
  TSceneGatherer(const TScriptDocument& script, const TGatherOptions& options)
      : script_(script), options_(options), codes_(CodeSetOf(script)) {
    const int spaces = GetTimeOfDaySpaces(script);
    const int dashes = GetTimeOfDayDashes(script);
    separator_ = std::string(static_cast<std::size_t>(spaces), ' ');
    if (dashes != 0) separator_ += std::string(static_cast<std::size_t>(dashes), '-') + separator_;
    if (separator_.empty()) separator_ = NoSeparator;
  }

  TSceneBreakdowns Run() {
    run_.Names = ScriptNameTable(script_);
    run_.Records.emplace_back();
    page_ = std::to_string(script_.PageStart);
    for (const TScriptElement* e = script_.FirstElement; e; e = e->next) {
      if (IsListedHeading(*e) && options_.KeepGoing && !options_.KeepGoing()) {
        run_.Stopped = true;
        break;
      }
      if (IsListedHeading(*e)) TakeHeading(*e);
      else TakeElement(*e);
    }
    CloseScene();
    Current().LineCount = lines_;
    Current().EndPage = CutToCapacity(page_, PageTextCapacity);
    return std::move(run_);
  }

 private:
  BreakdownRecord& Current() { return run_.Records.back(); }

  void TakeElement(const TScriptElement& e) {
    const Byte kind = e.Kind();
    if (IsHiddenFromLists(e) && kind != ekScriptNote) return;
    if (IsPageBreakKind(kind)) {
      page_ = PageNumberText(script_, &e);
      return;
    }
    if (kind != ekScriptNote) lines_ = static_cast<std::uint16_t>(lines_ + WholeLinesBefore(e.format) + e.lineCount);
    if (kind != ekAction && kind != ekCharacterName && kind != ekScriptNote) return;
    std::string text = LiveElementText(script_, e);
    if (kind == ekCharacterName) CutAtParenthesis(text);
    // Tags count even in a script without names.
    TakeItems(text);
    if (run_.Names.empty()) return;
    SearchNames(SearchableText(text), kind);
  }

  // The tags always leave the text; their items stay out of the record
  // when the run does not list them.
  void TakeItems(std::string& text) {
    if (options_.CollectItems) {
      ExtractTaggedItems(Current(), text, codes_);
      return;
    }
    BreakdownRecord unused;
    ExtractTaggedItems(unused, text, codes_);
  }

  // Capitals, without codes: the Extras code and "~" stay to tell tagged
  // extras and off entries from names.
  std::string SearchableText(const std::string& text) const {
    std::string out;
    for (char ch : text) {
      const Byte b = static_cast<Byte>(ch);
      if (b == ExtrasCode || ch == '~') out += ch;
      else if (!codes_.Contains(b) && b != 24 && b != HardReturn && !(script_.TaggingUsed && TagCodeSet.Contains(b)))
        out += static_cast<char>(AnsiUpper(b));
    }
    return out;
  }

  static bool BeforeDelimiter(char ch) { return ch == ' ' || ch == '(' || ch == ')' || ch == '<' || ch == '>'; }
  static bool AfterDelimiter(char ch) { return std::string_view(" !(),./<>\\").find(ch) != std::string_view::npos; }

  void SearchNames(const std::string& text, Byte kind) {
    const bool cue = kind == ekCharacterName;
    const bool combined = cue && IsCombinedCue(text);
    const auto& names = run_.Names;
    if (kind == ekAction && !options_.ActionNames) return;
    for (std::size_t n = 1; n <= names.size() && n <= 255; ++n) {
      const char index = static_cast<char>(n);
      const bool again = cue && options_.SpeakersFirst && sceneLocal_.find(index) != std::string::npos;
      if (!again &&
          (Current().CharacterIndexes.find(index) != std::string::npos || sceneLocal_.find(index) != std::string::npos))
        continue;
      const std::string& name = names[n - 1];
      if (kind == ekAction && std::find(ActionOnlyNames.begin(), ActionOnlyNames.end(), name) != ActionOnlyNames.end())
        continue;
      if (!Occurs(text, n, cue && !combined, combined, kind == ekScriptNote)) continue;
      Record(n, kind == ekAction);
    }
  }

  bool Occurs(const std::string& text, std::size_t n, bool wholeCue, bool combined, bool note) const {
    const std::string& name = run_.Names[n - 1];
    const std::string* next = n < run_.Names.size() ? &run_.Names[n] : nullptr;
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
      const std::size_t after = at + name.size();
      if (at > 0 && (static_cast<Byte>(text[at - 1]) == ExtrasCode || text[at - 1] == '~')) continue;
      if (next && next->size() > name.size() && PlainUpperText(text.substr(at)).starts_with(*next)) continue;
      if (at > 0 && !combined && !BeforeDelimiter(text[at - 1]) && !codes_.Contains(text[at - 1])) continue;
      if (after < text.size() && !AfterDelimiter(text[after]) && !codes_.Contains(text[after])) continue;
      if ((wholeCue || note) && after < text.size()) continue;
      return true;
    }
    return false;
  }

  void Record(std::size_t n, bool inAction) {
    std::size_t index = n;
    // The document's own aliases: the walk needs no active window.
    const std::string reported = SubstitutedName(script_.CharacterAliasList, run_.Names[n - 1], 255);
    if (reported != run_.Names[n - 1]) {
      const auto it = std::find(run_.Names.begin(), run_.Names.end(), reported);
      if (it != run_.Names.end()) index = static_cast<std::size_t>(it - run_.Names.begin()) + 1;
    }
    if (index > 255) return;
    const char byte = static_cast<char>(index);
    std::string& kept = Current().CharacterIndexes;
    if (inAction || options_.NamesInSceneOrder) {
      if (sceneLocal_.find(byte) == std::string::npos && kept.find(byte) == std::string::npos) sceneLocal_ += byte;
      return;
    }
    if (kept.find(byte) == std::string::npos && kept.size() < MaxCharacters) kept += byte;
    std::erase(sceneLocal_, byte);
  }

  void CloseScene() {
    std::string& kept = Current().CharacterIndexes;
    for (char byte : sceneLocal_)
      if (kept.size() < MaxCharacters && kept.find(byte) == std::string::npos) kept += byte;
    sceneLocal_.clear();
    if (options_.DropCastCharacters) RemoveCastDuplicates();
  }

  void RemoveCastDuplicates() {
    std::vector<std::string>& cast = Current().Items[rsCastMembers];
    for (char byte : Current().CharacterIndexes) {
      const std::string& name = run_.Names[static_cast<Byte>(byte) - 1];
      std::erase_if(cast, [&](const std::string& item) { return AnsiUpperCase(item) == name; });
    }
  }

  void TakeHeading(const TScriptElement& e) {
    CloseScene();
    // Capitals, but not of the tag codes: 158 would become 142, a Crew
    // tag an Additional Labor one.
    std::string heading = LiveElementText(script_, e);
    for (char& ch : heading)
      if (!TagCodeSet.Contains(ch)) ch = static_cast<char>(AnsiUpper(static_cast<Byte>(ch)));
    if (!Current().Location.empty()) {
      Current().LineCount = lines_;
      Current().EndPage = CutToCapacity(page_, PageTextCapacity);
      run_.Records.emplace_back();
      firstScene_ = false;
    }
    TakeItems(heading);
    std::string plain;
    for (char ch : heading)
      if (!codes_.Contains(ch) && !TagCodeSet.Contains(ch)) plain += ch;
    Current().SceneNumber = CutToCapacity(SceneNumberText(script_, e), PageTextCapacity);
    Current().StartPage = CutToCapacity(page_, PageTextCapacity);
    lines_ = e.lineCount;
    if (options_.SplitHeadings) SplitHeading(ShortString(plain));
    else Current().Location = plain.empty() ? "UNKNOWN LOCATION" : ShortString(plain);
  }

  std::string NormaliseTimeOfDay(std::string time) {
    for (int slot = 12; slot >= 1; --slot) {
      const std::string entry = EntryText(script_, TUserList::TimeofDay, slot, false);
      if (!entry.empty() && time.find(entry) != std::string::npos) {
        time = entry;
        break;
      }
    }
    if (time.find("NOON") != std::string::npos) time = "DAY";
    return time;
  }

  void SplitHeading(std::string heading) {
    BreakdownRecord& r = Current();
    r.IntExt = "UNKNOWN INT/EXT";
    for (int slot = 1; slot <= 10; ++slot) {
      const std::string entry = EntryText(script_, TUserList::SceneText, slot, true);
      if (entry.empty() || !heading.starts_with(entry)) continue;
      r.IntExt = entry;
      heading.erase(0, std::min(heading.size(), entry.size() + 1));
      TrimLeading(heading, " -");
      break;
    }
    std::vector<std::string> candidates(FixedTimes.begin(), FixedTimes.end());
    for (int slot = 12; slot >= 1; --slot) candidates.push_back(EntryText(script_, TUserList::TimeofDay, slot, false));
    const std::string lastTried = candidates.back();
    candidates = LongerBeforeContained(candidates);
    const std::size_t sep = heading.find(separator_);
    bool matched = false;
    for (const std::string& candidate : candidates) {
      const std::size_t first = heading.find(candidate);
      const bool endsHeading = heading.size() >= candidate.size() && first != std::string::npos &&
                               first + candidate.size() == heading.size();
      if (!endsHeading && (candidate.empty() || heading.find(separator_ + candidate) == std::string::npos)) continue;
      r.TimeOfDay = NormaliseTimeOfDay(candidate);
      if (sep != std::string::npos) heading.erase(sep);
      else if (const std::size_t at = heading.find(r.TimeOfDay); at != std::string::npos)
        heading.erase(at, r.TimeOfDay.size() + 1);
      TrimTrailing(heading, " -");
      matched = true;
      break;
    }
    if (!matched) {
      if (sep != std::string::npos) {
        std::string time = heading.substr(sep);
        TrimLeading(time, " -");
        r.TimeOfDay = NormaliseTimeOfDay(time);
        heading.erase(sep);
        TrimTrailing(heading, " ");
      } else {
        r.TimeOfDay = firstScene_ ? "UNKNOWN DAY/NIGHT" : NormaliseTimeOfDay(lastTried);
      }
    }
    if (heading.empty()) heading = "UNKNOWN LOCATION";
    r.Location = SubstitutedName(script_.LocationAliasList, heading, 255);
  }

  const TScriptDocument& script_;
  TGatherOptions options_;
  CharSet codes_;
  std::string separator_;
  TSceneBreakdowns run_;
  std::string page_;
  std::uint16_t lines_ = 0;
  std::string sceneLocal_;
  bool firstScene_ = true;
};

}  // namespace

std::vector<std::string> BuildNameTable(TMDIChild& script) {
  return editor::WithEditLineStored(script, [&] { return ScriptNameTable(script); });
}

std::vector<std::string> ScriptNameTable(const TScriptDocument& script) {
  std::vector<std::string> names;
  for (const TScriptElement* e = script.FirstElement; e; e = e->next)
    if (e->Kind() == ekCharacterName) {
      // The extension is no part of the name.
      std::string name = AnsiUpperCase(LiveElementText(script, *e));
      CutAtParenthesis(name);
      if (!name.empty()) names.push_back(name);
    }
  for (int slot = 1; slot <= 15; ++slot) {
    const std::string entry = DisplayText(UserListEntry(script.UserLists, TUserList::CharNames, slot));
    if (!entry.empty()) names.push_back(AnsiUpperCase(entry));
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  std::erase_if(names, IsCombinedCue);
  return names;
}

TSceneBreakdowns GatherSceneRecords(const TScriptDocument& script, const TGatherOptions& options) {
  return TSceneGatherer(script, options).Run();
}

std::vector<std::string> CharacterNamesOf(const TSceneBreakdowns& run, const BreakdownRecord& record) {
  std::vector<std::string> names;
  for (char byte : record.CharacterIndexes) {
    const std::size_t n = static_cast<Byte>(byte);
    if (n >= 1 && n <= run.Names.size()) names.push_back(run.Names[n - 1]);
  }
  return names;
}

}  // namespace qm

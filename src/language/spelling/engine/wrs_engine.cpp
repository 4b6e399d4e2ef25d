// The spelling library: the sixteen entry points of wrs_api.h over
// Hunspell for the main dictionaries and the project's word lists for the
// film terms and the user dictionaries. Built as a shared object of its
// own that the program loads from its folder; words cross the boundary in
// the program's code page and meet Hunspell in its dictionary's encoding.
#include <hunspell.hxx>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "language/spelling/engine/wrs_api.h"
#include "language/spelling/word_list.h"
#include "platform/cp1252.h"

namespace {

using namespace qm::wrs;
using qm::spelling::TWordEntry;
using qm::spelling::TWordList;

struct TDictionary {
  std::string path;
  bool main = false;
  TWordList list;
  std::unique_ptr<Hunspell> hunspell;
  bool utf8 = true;
  std::size_t cursor = 0;
  // Entry positions by the entry's word in lower case without a final ".".
  std::unordered_multimap<std::string, std::size_t> index;
};

std::string IndexKey(std::string word) {
  if (word.size() > 1 && word.back() == '.') word.pop_back();
  return qm::AnsiLowerCase(word);
}

void Reindex(TDictionary& d) {
  d.index.clear();
  for (std::size_t i = 0; i < d.list.entries.size(); ++i) d.index.emplace(IndexKey(d.list.entries[i].word), i);
}

struct TEngine {
  int language = 1;
  std::map<DictionaryId, TDictionary> dictionaries;
  DictionaryId nextId = 1;
};

std::map<EngineHandle, TEngine>& Engines() {
  static std::map<EngineHandle, TEngine> engines;
  return engines;
}
EngineHandle nextEngine = 1;

TEngine* FindEngine(EngineHandle handle) {
  const auto it = Engines().find(handle);
  return it == Engines().end() ? nullptr : &it->second;
}

TDictionary* FindDictionary(EngineHandle handle, DictionaryId id) {
  TEngine* engine = FindEngine(handle);
  if (engine == nullptr) return nullptr;
  const auto it = engine->dictionaries.find(id);
  return it == engine->dictionaries.end() ? nullptr : &it->second;
}

std::optional<std::string> ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The whole file is replaced at once, so a crash leaves the old or the new.
bool WriteWhole(const std::string& path, const std::string& bytes) {
  const std::string temp = path + ".new";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !out.flush()) return false;
  }
  std::error_code error;
  std::filesystem::rename(temp, path, error);
  if (error) std::filesystem::remove(temp, error);
  return !error;
}

// Where Hunspell dictionaries are looked for: $DICPATH first, as Hunspell's
// own tools do, then the distribution's folders.
std::vector<std::string> HunspellFolders() {
  std::vector<std::string> folders;
  if (const char* env = std::getenv("DICPATH")) {
    std::stringstream list(env);
    for (std::string folder; std::getline(list, folder, ':');)
      if (!folder.empty()) folders.push_back(folder);
  }
  folders.push_back("/usr/share/hunspell");
  folders.push_back("/usr/share/myspell/dicts");
  folders.push_back("/usr/share/myspell");
  return folders;
}

std::unique_ptr<Hunspell> OpenHunspell(const std::vector<std::string>& names) {
  for (const auto& name : names)
    for (const auto& folder : HunspellFolders()) {
      const std::string aff = folder + "/" + name + ".aff";
      const std::string dic = folder + "/" + name + ".dic";
      std::error_code error;
      if (std::filesystem::is_regular_file(aff, error) && std::filesystem::is_regular_file(dic, error))
        return std::make_unique<Hunspell>(aff.c_str(), dic.c_str());
    }
  return nullptr;
}

std::string ToDictionary(const TDictionary& d, const std::string& word) { return d.utf8 ? qm::AnsiToUtf8(word) : word; }

// A suggestion the program's code page cannot hold is left out.
std::optional<std::string> FromDictionary(const TDictionary& d, const std::string& word) {
  if (!d.utf8) return word;
  std::string ansi = qm::Utf8ToAnsi(word, '\0');
  if (ansi.find('\0') != std::string::npos) return std::nullopt;
  return ansi;
}

bool AllCapitals(const std::string& word) {
  bool any = false;
  for (const char c : word) {
    const auto b = static_cast<qm::Byte>(c);
    if (qm::IsAnsiLower(b)) return false;
    any = any || qm::IsAnsiUpper(b);
  }
  return any;
}

std::string InitialCapital(std::string word) {
  if (!word.empty()) word[0] = static_cast<char>(qm::AnsiUpper(static_cast<qm::Byte>(word[0])));
  return word;
}

// How a word matches one list entry: how it is written decides which
// capitals the word needs.
std::optional<Result> MatchEntry(const TWordEntry& entry, const std::string& word) {
  std::string stem = entry.word;
  const bool abbreviation = stem.size() > 1 && stem.back() == '.';
  if (abbreviation) stem.pop_back();
  if (qm::AnsiLowerCase(stem) != qm::AnsiLowerCase(word)) return std::nullopt;
  Result known = abbreviation ? Abbreviation : entry.second.empty() ? Ok : HasReplacement;
  if (stem == word || qm::AnsiLowerCase(stem) == stem || (word.size() > 1 && AllCapitals(word))) return known;
  if (AllCapitals(stem) && stem.size() > 1) return NeedsCapitals;
  if (InitialCapital(word) == word) return known;
  return CaseMismatch;
}

std::optional<Result> CheckLists(const TEngine& engine, const std::string& word) {
  std::optional<Result> best;
  const std::string key = qm::AnsiLowerCase(word);
  for (const auto& [id, d] : engine.dictionaries) {
    const auto [first, last] = d.index.equal_range(key);
    for (auto it = first; it != last; ++it)
      if (const auto r = MatchEntry(d.list.entries[it->second], word)) {
        if (*r == Ok || *r == HasReplacement || *r == Abbreviation) return r;
        best = r;
      }
  }
  return best;
}

std::optional<Result> CheckHunspell(const TEngine& engine, const std::string& word) {
  std::optional<Result> best;
  for (const auto& [id, d] : engine.dictionaries) {
    if (!d.hunspell) continue;
    if (d.hunspell->spell(ToDictionary(d, word))) return Ok;
    if (d.hunspell->spell(ToDictionary(d, InitialCapital(qm::AnsiLowerCase(word))))) best = CaseMismatch;
    else if (d.hunspell->spell(ToDictionary(d, qm::AnsiUpperCase(word)))) best = NeedsCapitals;
  }
  return best;
}

Result CopyOut(const std::string& text, char* buffer) {
  const std::size_t n = std::min<std::size_t>(text.size(), TextBufferSize - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return Ok;
}

Result OpenDictionary(EngineHandle handle, const char* path, bool main, DictionaryId* id) {
  if (path == nullptr || id == nullptr) return NullPointer;
  TEngine* engine = FindEngine(handle);
  if (engine == nullptr) return NotAReference;
  const auto bytes = ReadWhole(path);
  if (!bytes) return CannotOpen;
  auto list = qm::spelling::ParseWordList(*bytes);
  if (!list) return DictionaryDamaged;
  TDictionary d;
  d.path = path;
  d.main = main;
  if (main) {
    d.hunspell = OpenHunspell(list->hunspell);
    if (!d.hunspell) return CannotOpen;
    d.utf8 = std::string_view(d.hunspell->get_dict_encoding()) == "UTF-8";
  }
  d.list = std::move(*list);
  Reindex(d);
  if (engine->nextId == 0) return OutOfMemory;
  *id = engine->nextId++;
  engine->dictionaries.emplace(*id, std::move(d));
  return Ok;
}

bool Save(const TDictionary& d) { return WriteWhole(d.path, qm::spelling::FormatWordList(d.list)); }

TWordEntry* FindEntry(TDictionary& d, const std::string& word) {
  for (auto& e : d.list.entries)
    if (e.word == word) return &e;
  return nullptr;
}

Result StepTo(TDictionary* d, std::size_t index, char* word) {
  if (d == nullptr) return BadDictionaryId;
  if (word == nullptr) return NullPointer;
  if (index >= d->list.entries.size()) return NoMoreEntries;
  d->cursor = index;
  return CopyOut(d->list.entries[index].word, word);
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) Result WRSinit(std::int32_t language, EngineHandle* engine) {
  if (engine == nullptr) return NullPointer;
  if (language < 1 || language > 12) return InvalidLanguage;
  if (nextEngine == 0) return OutOfMemory;
  *engine = nextEngine++;
  Engines()[*engine].language = language;
  return Ok;
}

__attribute__((visibility("default"))) Result WRSterminate(EngineHandle engine) {
  return Engines().erase(engine) == 1 ? Ok : NotAReference;
}

__attribute__((visibility("default"))) Result WRSopen(EngineHandle engine, const char* path, std::int32_t flags,
                                                      DictionaryId* id) {
  return OpenDictionary(engine, path, (flags & MainDictionaryFlag) != 0, id);
}

__attribute__((visibility("default"))) Result WRScreate(EngineHandle engine, const char* path, DictionaryId* id) {
  if (path == nullptr || id == nullptr) return NullPointer;
  if (FindEngine(engine) == nullptr) return NotAReference;
  std::error_code error;
  if (!std::filesystem::exists(path, error) && !WriteWhole(path, qm::spelling::FormatWordList({}))) return CannotCreate;
  return OpenDictionary(engine, path, false, id);
}

__attribute__((visibility("default"))) Result WRSheader(EngineHandle engine, DictionaryId id, std::int32_t* entries) {
  const TDictionary* d = FindDictionary(engine, id);
  if (d == nullptr) return BadDictionaryId;
  if (entries == nullptr) return NullPointer;
  *entries = static_cast<std::int32_t>(d->list.entries.size());
  return Ok;
}

__attribute__((visibility("default"))) Result WRScheck(EngineHandle handle, const char* word) {
  if (word == nullptr) return NullPointer;
  const TEngine* engine = FindEngine(handle);
  if (engine == nullptr) return NotAReference;
  const std::string w(word);
  if (w.empty()) return UnknownWord;
  const auto listed = CheckLists(*engine, w);
  if (listed && (*listed == Ok || *listed == HasReplacement || *listed == Abbreviation)) return *listed;
  if (const auto found = CheckHunspell(*engine, w)) {
    if (*found == Ok) return Ok;
    return listed.value_or(*found);
  }
  if (listed) return *listed;
  return w.find('-') != std::string::npos ? HyphenatedUnknown : UnknownWord;
}

__attribute__((visibility("default"))) Result WRSadd(EngineHandle engine, DictionaryId id, const char* word,
                                                     const char* second) {
  TDictionary* d = FindDictionary(engine, id);
  if (d == nullptr || d->main) return BadDictionaryId;
  if (word == nullptr) return NullPointer;
  const std::string w(word), s(second == nullptr ? "" : second);
  if (!qm::spelling::IsStorableEntry(w, false) || !qm::spelling::IsStorableEntry(s, true)) return ProcessFailed;
  if (TWordEntry* e = FindEntry(*d, w)) e->second = s;
  else d->list.entries.push_back({w, s});
  Reindex(*d);
  return Save(*d) ? Ok : ProcessFailed;
}

__attribute__((visibility("default"))) Result WRSclose(EngineHandle engine, DictionaryId id) {
  TEngine* e = FindEngine(engine);
  if (e == nullptr) return NotAReference;
  return e->dictionaries.erase(id) == 1 ? Ok : BadDictionaryId;
}

__attribute__((visibility("default"))) Result WRScorrect(EngineHandle handle, const char* word, std::int32_t count,
                                                         char* buffer) {
  if (word == nullptr || buffer == nullptr) return NullPointer;
  const TEngine* engine = FindEngine(handle);
  if (engine == nullptr) return NotAReference;
  const int wanted = std::clamp(count, 0, MaxSuggestions);
  int given = 0, used = 0;
  for (const auto& [id, d] : engine->dictionaries) {
    if (!d.hunspell) continue;
    for (const auto& s : d.hunspell->suggest(ToDictionary(d, word))) {
      const auto text = FromDictionary(d, s);
      if (given == wanted || !text || text->empty() || text->size() > SuggestionChars) continue;
      if (used + static_cast<int>(text->size()) + 1 >= SuggestionBufferSize) break;
      std::memcpy(buffer + used, text->data(), text->size());
      used += static_cast<int>(text->size());
      buffer[used++] = '\0';
      ++given;
    }
  }
  buffer[used] = '\0';
  return Ok;
}

__attribute__((visibility("default"))) Result WRSdelete(EngineHandle engine, DictionaryId id, const char* word) {
  TDictionary* d = FindDictionary(engine, id);
  if (d == nullptr || d->main) return BadDictionaryId;
  if (word == nullptr) return NullPointer;
  auto& entries = d->list.entries;
  const auto before = entries.size();
  std::erase_if(entries, [&](const TWordEntry& e) { return e.word == word; });
  if (entries.size() == before) return UnknownWord;
  Reindex(*d);
  return Save(*d) ? Ok : ProcessFailed;
}

__attribute__((visibility("default"))) Result WRSfirst(EngineHandle engine, DictionaryId id, char* word) {
  return StepTo(FindDictionary(engine, id), 0, word);
}

__attribute__((visibility("default"))) Result WRSnext(EngineHandle engine, DictionaryId id, char* word) {
  TDictionary* d = FindDictionary(engine, id);
  return StepTo(d, d == nullptr ? 0 : d->cursor + 1, word);
}

__attribute__((visibility("default"))) Result WRSprev(EngineHandle engine, DictionaryId id, char* word) {
  TDictionary* d = FindDictionary(engine, id);
  if (d != nullptr && d->cursor == 0) return word == nullptr ? NullPointer : NoMoreEntries;
  return StepTo(d, d == nullptr ? 0 : d->cursor - 1, word);
}

__attribute__((visibility("default"))) Result WRSgetdata(EngineHandle engine, DictionaryId id, const char* word,
                                                         char* second) {
  TDictionary* d = FindDictionary(engine, id);
  if (d == nullptr) return BadDictionaryId;
  if (word == nullptr || second == nullptr) return NullPointer;
  const TWordEntry* e = FindEntry(*d, word);
  return e == nullptr ? UnknownWord : CopyOut(e->second, second);
}

__attribute__((visibility("default"))) Result WRSgetreplacement(EngineHandle handle, const char* word,
                                                                char* replacement) {
  if (word == nullptr || replacement == nullptr) return NullPointer;
  const TEngine* engine = FindEngine(handle);
  if (engine == nullptr) return NotAReference;
  const std::string key = qm::AnsiLowerCase(word);
  for (const auto& [id, d] : engine->dictionaries) {
    const auto [first, last] = d.index.equal_range(key);
    for (auto it = first; it != last; ++it) {
      const TWordEntry& e = d.list.entries[it->second];
      if (!e.second.empty() && MatchEntry(e, word) == HasReplacement) return CopyOut(e.second, replacement);
    }
  }
  return UnknownWord;
}

// A damaged word list keeps every good line; an unreadable one cannot be saved.
__attribute__((visibility("default"))) Result WRSrecover(EngineHandle engine, const char* path) {
  if (path == nullptr) return NullPointer;
  if (FindEngine(engine) == nullptr) return NotAReference;
  const auto bytes = ReadWhole(path);
  if (!bytes) return CannotOpen;
  return WriteWhole(path, qm::spelling::FormatWordList(qm::spelling::SalvageWordList(*bytes))) ? Ok : ProcessFailed;
}

}  // extern "C"

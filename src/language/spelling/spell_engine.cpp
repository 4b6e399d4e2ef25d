#include "language/spelling/spell_engine.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <set>

#include "base/global_state.h"
#include "base/message_boxes.h"
#include "base/program_options.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/shared_library.h"

namespace qm {
namespace {

using namespace wrs;

constexpr const char* LibraryFile = "libwrs32.so";
constexpr const char* UnableCaption = "Unable to Run Spell Check";
constexpr const char* ErrorCaption = "Spell Check Error";

struct TEntryPoints {
  WRSinitFn init = nullptr;
  WRSterminateFn terminate = nullptr;
  WRSopenFn open = nullptr;
  WRScreateFn create = nullptr;
  WRSheaderFn header = nullptr;
  WRScheckFn check = nullptr;
  WRSaddFn add = nullptr;
  WRScloseFn close = nullptr;
  WRScorrectFn correct = nullptr;
  WRSdeleteFn remove = nullptr;
  WRSfirstFn first = nullptr;
  WRSgetdataFn getdata = nullptr;
  WRSgetreplacementFn getreplacement = nullptr;
  WRSnextFn next = nullptr;
  WRSprevFn prev = nullptr;
  WRSrecoverFn recover = nullptr;
};

struct TUserRecord {
  std::string name;  // file name with extension, in capitals
  DictionaryId id = 0;
};

struct TSpellEngine {
  TSharedLibrary library;
  TEntryPoints calls;
  bool loaded = false;
  EngineHandle engine = 0;
  SpellLanguage language = 0;
  bool open = false;
  TUserRecord records[2];
  DictionaryId filmTerms = 0;
  std::set<std::string> ignored;  // in capitals
};

TSpellEngine* Engine = nullptr;

TSpellEngine& State() {
  if (Engine == nullptr) Engine = new TSpellEngine;
  return *Engine;
}

const GlobalState reset([] {
  UnloadSpellEngine();
  delete Engine;
  Engine = nullptr;
});

template <typename Fn>
bool Resolve(const TSharedLibrary& library, const char* name, Fn& slot, std::string& missing) {
  slot = reinterpret_cast<Fn>(library.Symbol(name));
  if (slot == nullptr && missing.empty()) missing = name;
  return slot != nullptr;
}

// Every entry point or none: a library without one of them is not used,
// so no call ever goes to an empty slot.
std::string ResolveAll(const TSharedLibrary& lib, TEntryPoints& c) {
  std::string missing;
  Resolve(lib, "WRSinit", c.init, missing);
  Resolve(lib, "WRSterminate", c.terminate, missing);
  Resolve(lib, "WRSopen", c.open, missing);
  Resolve(lib, "WRScreate", c.create, missing);
  Resolve(lib, "WRSheader", c.header, missing);
  Resolve(lib, "WRScheck", c.check, missing);
  Resolve(lib, "WRSadd", c.add, missing);
  Resolve(lib, "WRSclose", c.close, missing);
  Resolve(lib, "WRScorrect", c.correct, missing);
  Resolve(lib, "WRSdelete", c.remove, missing);
  Resolve(lib, "WRSfirst", c.first, missing);
  Resolve(lib, "WRSgetdata", c.getdata, missing);
  Resolve(lib, "WRSgetreplacement", c.getreplacement, missing);
  Resolve(lib, "WRSnext", c.next, missing);
  Resolve(lib, "WRSprev", c.prev, missing);
  Resolve(lib, "WRSrecover", c.recover, missing);
  return missing;
}

std::string FailureReason;

bool Exists(const std::string& path) { return FileExists(path); }

// Opens a dictionary, making a missing user dictionary first.
Result OpenOrCreate(TSpellEngine& s, const std::string& path, DictionaryId& id) {
  if (Exists(path)) return s.calls.open(s.engine, path.c_str(), 0, &id);
  return s.calls.create(s.engine, path.c_str(), &id);
}

void OpenUserRecord(TSpellEngine& s, TUserRecord& record, const std::string& name) {
  record.name = AnsiUpperCase(name);
  const std::string path = UserDictionaryFolder() + record.name;
  const Result r = OpenOrCreate(s, path, record.id);
  if (r != Ok) {
    record.id = 0;
    SpellErrorRecover(r, path);
  }
}

bool CountsAsNoDictionary(const std::string& name) {
  return name.empty() || AnsiUpperCase(name).starts_with("DICTFILE") || name.front() == '.';
}

std::string WithCapitalStart(std::string word) {
  if (!word.empty()) word[0] = static_cast<char>(AnsiUpper(static_cast<Byte>(word[0])));
  return word;
}

}  // namespace

std::string SpellLibraryPath() { return ProgramFolder() + LibraryFile; }

std::string UserDictionaryFolder() {
  EnsureConfigFolder();
  return ConfigFolder() + "/";
}

bool LoadSpellEngine() {
  TSpellEngine& s = State();
  if (s.loaded) return true;
  FailureReason.clear();
  const std::string path = SpellLibraryPath();
  if (!Exists(path)) return false;
  std::string error;
  if (!s.library.Load(path, &error)) {
    FailureReason = error;
    return false;
  }
  const std::string missing = ResolveAll(s.library, s.calls);
  if (!missing.empty()) {
    FailureReason = "it has no entry point " + missing;
    s.calls = {};
    s.library.Free();
    return false;
  }
  s.loaded = true;
  return true;
}

bool SpellEngineLoaded() { return Engine != nullptr && Engine->loaded; }
bool SpellEngineOpen() { return Engine != nullptr && Engine->open; }
SpellLanguage SpellEngineLanguage() { return Engine == nullptr ? 0 : Engine->language; }

std::string OpenUserDictionaryName(int record) {
  if (Engine == nullptr || record < 1 || record > 2) return {};
  return Engine->records[record - 1].name;
}

void UnloadSpellEngine() {
  if (!SpellEngineLoaded()) return;
  TSpellEngine& s = *Engine;
  if (s.engine != 0) {
    for (const DictionaryId id : {s.filmTerms, s.records[0].id, s.records[1].id})
      if (id != 0) s.calls.close(s.engine, id);
    s.calls.terminate(s.engine);
  }
  s.engine = 0;
  s.filmTerms = 0;
  s.records[0] = {};
  s.records[1] = {};
  s.language = 0;
  s.ignored.clear();
  s.open = false;
  s.calls = {};
  s.library.Free();
  s.loaded = false;
}

bool OpenSpellEngine(SpellLanguage language, const std::string& userDictionary) {
  if (!LoadSpellEngine()) {
    State().open = false;
    if (FailureReason.empty()) ShowMessageBox("The WRS32.DLL is missing!", UnableCaption);
    else
      ShowMessageBox("The spelling library " + SpellLibraryPath() + " cannot be used: " + FailureReason, UnableCaption);
    return false;
  }
  TSpellEngine& s = *Engine;
  const std::string supplementary = CountsAsNoDictionary(userDictionary) ? "" : userDictionary;
  if (s.open && s.language == language) return true;
  if (s.open) {
    UnloadSpellEngine();
    if (!LoadSpellEngine()) return OpenSpellEngine(language, userDictionary);
  }
  // Every path is absolute: the process's folder is never changed.
  Result r = s.calls.init(language, &s.engine);
  if (SpellErrorText(r, "Initalizing")) {
    s.engine = 0;
    UnloadSpellEngine();
    return false;
  }
  s.language = language;
  s.records[0] = {};
  s.records[1] = {};
  const std::string main = ProgramFolder() + MainDictionaryName(language);
  DictionaryId mainId = 0;
  r = s.calls.open(s.engine, main.c_str(), MainDictionaryFlag, &mainId);
  if (SpellErrorText(r, "Opening " + main)) {
    UnloadSpellEngine();
    return false;
  }
  const std::string filmTerms = ProgramFolder() + FilmTermsName(language);
  if (Exists(filmTerms)) {
    r = s.calls.open(s.engine, filmTerms.c_str(), 0, &s.filmTerms);
    if (r != Ok) {
      s.filmTerms = 0;
      SpellErrorRecover(r, filmTerms);
    }
  }
  OpenUserRecord(s, s.records[0], UserDictionaryName(language, true));
  if (!supplementary.empty() && AnsiUpperCase(supplementary) != s.records[0].name)
    OpenUserRecord(s, s.records[1], supplementary);
  s.open = true;
  return true;
}

std::string SpellErrorMessage(Result result) {
  switch (result) {
    case ProcessFailed: return "Process Failed";
    case DictionaryDamaged: return "Dictionary is Damaged";
    case NotAReference: return "Not a Reference";
    case BadRevision: return "Bad Revision";
    case NullPointer: return "Null Pointer";
    case BadDictionaryId: return "Bad Dictionary ID";
    case OutOfMemory: return "Out of Memory";
    case CannotCreate: return "Cannot Create User Dictionary";
    case CannotOpen: return "Cannot Open Dictionary";
    case InvalidLanguage: return "Invalid Language";
    default: return "Error: " + std::to_string(static_cast<std::int32_t>(result));
  }
}

bool SpellErrorText(Result result, const std::string& context) {
  if (result == Ok) return false;
  ShowMessageBox(SpellErrorMessage(result) + "\r\rError " + context, ErrorCaption);
  return true;
}

bool SpellErrorRecover(Result result, const std::string& path) {
  if (result == DictionaryDamaged && SpellEngineLoaded() && Engine->engine != 0 &&
      Engine->calls.recover(Engine->engine, path.c_str()) == Ok)
    return false;
  std::string text;
  switch (result) {
    case DictionaryDamaged: text = "Dictionary Damaged"; break;
    case CannotCreate: text = "Cannot Create"; break;
    default: text = SpellErrorMessage(result);
  }
  ShowMessageBox(text + " - " + path, ErrorCaption);
  return true;
}

Result IsWordUnknown(const std::string& word) {
  if (!SpellEngineOpen()) return UnknownWord;
  const Result r = Engine->calls.check(Engine->engine, word.c_str());
  if (r != Ok && Engine->ignored.contains(AnsiUpperCase(word))) return Ok;
  return r;
}

Result CheckWordSuggest(const std::string& word, std::vector<std::string>& list, bool allCaps, bool initialCap) {
  list.clear();
  if (!SpellEngineOpen()) return UnknownWord;
  const Result r = Engine->calls.check(Engine->engine, word.c_str());
  if (r == Ok) {
    list.push_back(word);
    return r;
  }
  char buffer[SuggestionBufferSize];
  std::memset(buffer, 0, sizeof buffer);
  Engine->calls.correct(Engine->engine, word.c_str(), MaxSuggestions, buffer);
  const bool unchanged = r == CaseMismatch || r == NeedsCapitals;
  for (std::size_t at = 0; at < sizeof buffer && buffer[at] != '\0';) {
    std::string s(buffer + at, strnlen(buffer + at, sizeof buffer - at));
    at += s.size() + 1;
    if (!unchanged && allCaps) s = AnsiUpperCase(s);
    else if (!unchanged && initialCap) s = WithCapitalStart(s);
    list.push_back(s);
  }
  return r;
}

std::string GetAutoCorrection(const std::string& word) {
  if (!SpellEngineOpen()) return {};
  char buffer[TextBufferSize] = {};
  if (Engine->calls.getreplacement(Engine->engine, word.c_str(), buffer) != Ok) return {};
  return std::string(buffer, strnlen(buffer, sizeof buffer));
}

void EnsureUserDictionaryOpen(SpellLanguage language, const std::string& name) {
  const std::string upper = AnsiUpperCase(name);
  if (upper.empty() || upper.starts_with("DICTFILE")) {
    UnloadSpellEngine();
    OpenSpellEngine(language, UserDictionaryName(language, true));
    return;
  }
  if (SpellEngineOpen() && (upper == Engine->records[0].name || upper == Engine->records[1].name)) return;
  UnloadSpellEngine();
  OpenSpellEngine(language, upper);
}

void AddWordToUserDictionary(const std::string& word, const std::string& second, const std::string& dictionaryName,
                             SpellLanguage scriptLanguage) {
  const std::string stored = ProgramOptions().IgnoreCaps ? AnsiLowerCase(word) : word;
  const std::string upper = AnsiUpperCase(dictionaryName);
  if (!SpellEngineOpen() || (upper != Engine->records[0].name && upper != Engine->records[1].name))
    EnsureUserDictionaryOpen(scriptLanguage, dictionaryName);
  if (!SpellEngineOpen()) return;
  const TUserRecord& record = upper == Engine->records[0].name ? Engine->records[0] : Engine->records[1];
  const Result r = Engine->calls.add(Engine->engine, record.id, stored.c_str(), second.c_str());
  SpellErrorText(r, "Adding " + stored);
}

void AddToIgnoreList(const std::string& word) { State().ignored.insert(AnsiUpperCase(word)); }

void ClearIgnoreList() {
  if (Engine != nullptr) Engine->ignored.clear();
}

}  // namespace qm

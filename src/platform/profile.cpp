#include "platform/profile.h"

#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <functional>
#include <list>
#include <mutex>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/text_trim.h"

namespace qm {

namespace {

// ---- One settings file in memory ------------------------------------------
//
// The lines are a list, so that a line added or removed moves no other:
// the index below points into it and a change keeps it right by itself,
// which makes a batch of writes cost the file's size once, not once per
// write.

std::atomic<std::uint64_t> gLinesExamined = 0;

struct Line {
  std::string text;
  std::string end;  // "\r\n", "\n", or "" for a last line without one
};

using Lines = std::list<Line>;
using LinePos = Lines::iterator;

enum class LineKind { Other, Section, Key };

struct ParsedLine {
  LineKind kind = LineKind::Other;
  std::string_view name;   // section or key
  std::string_view value;  // as written, blanks trimmed
  std::size_t valueStart = 0;
};

struct Entry {
  std::string key;
  std::string value;
  LinePos line;
};

struct Section {
  std::string name;
  LinePos header;              // the "[name]" line
  LinePos lastKey;             // its last key line (every key line counts), or the header
  std::vector<Entry> entries;  // the first line of each key, in order
  std::unordered_map<std::string, std::size_t> byKey;
};

struct Document {
  Lines lines;
  std::string eol = "\n";                                  // for lines we add
  std::vector<Section> sections;                           // every occurrence, in order
  std::unordered_map<std::string, std::size_t> bySection;  // the first occurrence
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool HasQuotePair(std::string_view v) {
  return v.size() >= 2 && v.front() == v.back() && (v.front() == '"' || v.front() == '\'');
}

std::string_view Unquote(std::string_view v) { return HasQuotePair(v) ? v.substr(1, v.size() - 2) : v; }

ParsedLine ParseLine(std::string_view text) {
  gLinesExamined.fetch_add(1, std::memory_order_relaxed);
  ParsedLine p;
  const std::string_view t = TrimBlanksAndTabs(text);
  if (t.empty() || t[0] == ';') return p;
  if (t[0] == '[') {
    p.kind = LineKind::Section;
    const std::size_t close = t.find(']');
    p.name = TrimBlanksAndTabs(t.substr(1, close == std::string_view::npos ? close : close - 1));
    return p;
  }
  const std::size_t eq = text.find('=');
  if (eq == std::string_view::npos || TrimBlanksAndTabs(text.substr(0, eq)).empty()) return p;
  p.kind = LineKind::Key;
  p.name = TrimBlanksAndTabs(text.substr(0, eq));
  p.valueStart = eq + 1;
  while (p.valueStart < text.size() && IsBlank(text[p.valueStart])) ++p.valueStart;
  p.value = TrimBlanksAndTabs(text.substr(p.valueStart));
  return p;
}

std::string StoredValue(const ParsedLine& p) { return std::string(Unquote(p.value)); }

// Notes a key line of the section; the first line of a key is the one that counts.
void AddEntry(Section& s, const ParsedLine& p, LinePos line) {
  s.lastKey = line;
  if (s.byKey.emplace(AnsiUpperCase(p.name), s.entries.size()).second)
    s.entries.push_back({std::string(p.name), StoredValue(p), line});
}

void AddSection(Document& d, std::string name, LinePos header) {
  d.bySection.emplace(AnsiUpperCase(name), d.sections.size());
  d.sections.push_back({std::move(name), header, header, {}, {}});
}

void Index(Document& d) {
  d.sections.clear();
  d.bySection.clear();
  for (LinePos line = d.lines.begin(); line != d.lines.end(); ++line) {
    const ParsedLine p = ParseLine(line->text);
    if (p.kind == LineKind::Section) AddSection(d, std::string(p.name), line);
    else if (p.kind == LineKind::Key && !d.sections.empty()) AddEntry(d.sections.back(), p, line);
  }
}

Document Parse(std::string_view bytes) {
  Document d;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t nl = bytes.find('\n', start);
    if (nl == std::string_view::npos) {
      d.lines.push_back({std::string(bytes.substr(start)), ""});
      break;
    }
    const bool crlf = nl > start && bytes[nl - 1] == '\r';
    d.lines.push_back({std::string(bytes.substr(start, nl - start - crlf)), crlf ? "\r\n" : "\n"});
    start = nl + 1;
  }
  if (!d.lines.empty() && !d.lines.front().end.empty()) d.eol = d.lines.front().end;
  Index(d);
  return d;
}

std::string Serialize(const Document& d) {
  std::string out;
  for (const Line& line : d.lines) (out += line.text) += line.end;
  return out;
}

Section* FindSection(Document& d, std::string_view name) {
  const auto it = d.bySection.find(AnsiUpperCase(TrimBlanksAndTabs(name)));
  return it == d.bySection.end() ? nullptr : &d.sections[it->second];
}

const Section* FindSection(const Document& d, std::string_view name) {
  return FindSection(const_cast<Document&>(d), name);
}

Entry* FindEntry(Section& s, std::string_view key) {
  const auto it = s.byKey.find(AnsiUpperCase(TrimBlanksAndTabs(key)));
  return it == s.byKey.end() ? nullptr : &s.entries[it->second];
}

const Entry* FindEntry(const Section& s, std::string_view key) { return FindEntry(const_cast<Section&>(s), key); }

// One past the section's last line: the next section's header, or the end.
LinePos SectionEnd(Document& d, const Section& s) {
  const std::size_t next = static_cast<std::size_t>(&s - d.sections.data()) + 1;
  return next < d.sections.size() ? d.sections[next].header : d.lines.end();
}

// A line added at the end takes over the file's habit of ending with or
// without a line break.
LinePos InsertLine(Document& d, LinePos pos, std::string text) {
  Line line{std::move(text), d.eol};
  if (pos == d.lines.end() && !d.lines.empty() && d.lines.back().end.empty()) {
    d.lines.back().end = d.eol;
    line.end.clear();
  }
  return d.lines.insert(pos, std::move(line));
}

void EraseLine(Document& d, LinePos line) {
  const bool endedOpen = std::next(line) == d.lines.end() && line->end.empty();
  d.lines.erase(line);
  if (endedOpen && !d.lines.empty()) d.lines.back().end.clear();
}

// ---- Changes: each says whether it changed anything ------------------------

std::string EncodeValue(std::string_view value) {
  value = value.substr(0, value.find_first_of("\r\n"));
  const bool quote = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) || HasQuotePair(value));
  return quote ? "\"" + std::string(value) + "\"" : std::string(value);
}

bool SetKey(Document& d, const std::string& section, const std::string& key, const std::string& value) {
  const std::string encoded = EncodeValue(value);
  Section* s = FindSection(d, section);
  if (!s) {
    if (!d.lines.empty() && !TrimBlanksAndTabs(d.lines.back().text).empty()) InsertLine(d, d.lines.end(), "");
    AddSection(d, section, InsertLine(d, d.lines.end(), "[" + section + "]"));
    s = &d.sections.back();
  }
  if (Entry* e = FindEntry(*s, key)) {
    std::string text = e->line->text.substr(0, ParseLine(e->line->text).valueStart) + encoded;
    if (text == e->line->text) return false;
    e->line->text = std::move(text);
    e->value = StoredValue(ParseLine(e->line->text));
    return true;
  }
  const LinePos line = InsertLine(d, std::next(s->lastKey), key + "=" + encoded);
  AddEntry(*s, ParseLine(line->text), line);
  return true;
}

// Erasing is rare: the index is simply built again.
bool EraseKey(Document& d, const std::string& section, const std::string& key) {
  Section* s = FindSection(d, section);
  if (!s) return false;
  std::vector<LinePos> doomed;
  for (LinePos line = std::next(s->header); line != SectionEnd(d, *s); ++line) {
    const ParsedLine p = ParseLine(line->text);
    if (p.kind == LineKind::Key && SameText(p.name, key)) doomed.push_back(line);
  }
  for (LinePos line : doomed) EraseLine(d, line);
  if (!doomed.empty()) Index(d);
  return !doomed.empty();
}

bool EraseSection(Document& d, const std::string& section) {
  std::vector<LinePos> doomed;
  for (Section& s : d.sections) {
    if (!SameText(s.name, section)) continue;
    for (LinePos line = s.header; line != SectionEnd(d, s); ++line) doomed.push_back(line);
  }
  for (LinePos line : doomed) EraseLine(d, line);
  if (!doomed.empty()) Index(d);
  return !doomed.empty();
}

// ---- Files on disk and the cache -------------------------------------------------

struct Stamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  long seconds = 0;
  long nanoseconds = 0;
  friend bool operator==(const Stamp&, const Stamp&) = default;
};

struct Cached {
  Stamp stamp;
  Document doc;
};

std::mutex gMutex;
std::unordered_map<std::string, Cached> gCache;
// Files with a write batch open: how many batches, and whether a change
// waits to be written.
struct Batch {
  int depth = 0;
  bool dirty = false;
};
std::unordered_map<std::string, Batch> gBatches;

enum class FileState { Missing, Loaded, Unreadable };

std::optional<Stamp> StampOf(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return Stamp{st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

// A bare file name lives in the Windows directory, as it did.
std::string ResolvePath(const std::string& file) {
  const bool bare = file.find('/') == std::string::npos;
  return ExpandFileName(bare ? JoinPath(WindowsDirectory(), file) : file);
}

// The parsed file, read again only when its stamp changed. Call under gMutex.
Document* Load(const std::string& path, FileState& state) {
  if (auto b = gBatches.find(path); b != gBatches.end() && b->second.dirty) {
    // What the batch changed has not reached the disk yet.
    state = FileState::Loaded;
    return &gCache[path].doc;
  }
  const std::optional<Stamp> stamp = StampOf(path);
  state = stamp ? FileState::Unreadable : FileState::Missing;
  if (!stamp) {
    gCache.erase(path);
    return nullptr;
  }
  const auto it = gCache.find(path);
  if (it != gCache.end() && it->second.stamp == *stamp) {
    state = FileState::Loaded;
    return &it->second.doc;
  }
  const auto bytes = ReadFileBytes(path);
  if (!bytes) {
    gCache.erase(path);
    return nullptr;
  }
  Cached& cached = gCache[path];
  cached.stamp = *stamp;
  cached.doc = Parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
  state = FileState::Loaded;
  return &cached.doc;
}

// Runs `read` on the file as it is now (nullptr when it cannot be read).
template <typename Result>
Result WithDocument(const std::string& file, const std::function<Result(const Document*)>& read) {
  std::lock_guard lock(gMutex);
  FileState state;
  return read(Load(ResolvePath(file), state));
}

bool WriteDocument(const std::string& path, Document& doc, Document* fresh);

thread_local TProfileWriteFailure tLastFailure;

bool NoteFailure(const std::string& file, const std::string& path, int error) {
  tLastFailure = {file, path, error};
  return false;
}

// The file replaced whole by `text`, its folder made when missing; why
// not is noted.
bool WrittenWhole(const std::string& path, const std::string& text) {
  const std::string folder = ExtractFileDir(path);
  if (!ForceDirectories(folder)) return NoteFailure(path, folder, errno);
  TFileReplacement file(path);
  if (file.Create() && file.Write(text.data(), text.size()) && file.Commit()) return true;
  return NoteFailure(path, file.FailedPath(), file.LastError());
}

// Applies `change` and writes the file when it changed anything. The old
// file stays as it was when the new one cannot be written.
bool Modify(const std::string& file, bool createFile, const std::function<bool(Document&)>& change) {
  std::lock_guard lock(gMutex);
  const std::string path = ResolvePath(file);
  FileState state;
  Document* cached = Load(path, state);
  if (state == FileState::Unreadable) return NoteFailure(path, path, 0);
  if (state == FileState::Missing && !createFile) return true;
  Document fresh;
  Document& doc = cached ? *cached : fresh;
  if (!change(doc)) return true;
  if (auto b = gBatches.find(path); b != gBatches.end()) {
    if (!cached) gCache[path].doc = std::move(fresh);
    b->second.dirty = true;
    return true;
  }
  return WriteDocument(path, doc, cached == nullptr ? &fresh : nullptr);
}

// Writes a parsed file and records its new stamp; `fresh` is a document
// that is not in the cache yet.
bool WriteDocument(const std::string& path, Document& doc, Document* fresh) {
  const std::string text = Serialize(doc);
  const bool written = WrittenWhole(path, text);
  const std::optional<Stamp> stamp = written ? StampOf(path) : std::nullopt;
  if (!stamp) {
    gCache.erase(path);
    return written;
  }
  Cached& entry = gCache[path];
  if (fresh) entry.doc = std::move(*fresh);
  entry.stamp = *stamp;
  return true;
}

}  // namespace

std::string ProfileFilePath(const std::string& file) { return ResolvePath(file); }

TProfileWriteFailure LastProfileWriteFailure() { return tLastFailure; }

std::uint64_t ProfileLinesExamined() { return gLinesExamined.load(std::memory_order_relaxed); }

ProfileWriteBatch::ProfileWriteBatch(const std::string& file) : path_(ResolvePath(file)) {
  std::lock_guard lock(gMutex);
  ++gBatches[path_].depth;
}

ProfileWriteBatch::~ProfileWriteBatch() { Commit(); }

bool ProfileWriteBatch::Commit() {
  std::lock_guard lock(gMutex);
  if (committed_) return ok_;
  committed_ = true;
  Batch& batch = gBatches[path_];
  if (--batch.depth > 0) return ok_ = true;
  const bool dirty = batch.dirty;
  gBatches.erase(path_);
  if (!dirty) return ok_ = true;
  ok_ = WriteDocument(path_, gCache[path_].doc, nullptr);
  return ok_;
}

namespace {

bool ValidName(std::string_view name, std::string_view forbidden) {
  name = TrimBlanksAndTabs(name);
  return !name.empty() && name.find_first_of(forbidden) == std::string_view::npos;
}

}  // namespace

std::string ProfileReadString(const std::string& file, const std::string& section, const std::string& key,
                              const std::string& defaultValue) {
  return WithDocument<std::string>(file, [&](const Document* d) {
    const Section* s = d ? FindSection(*d, section) : nullptr;
    const Entry* e = s ? FindEntry(*s, key) : nullptr;
    return e ? e->value : defaultValue;
  });
}

bool ProfileWriteString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value) {
  // No settings line can hold it: nothing of the system failed.
  const auto unfit = [&] { return NoteFailure(ResolvePath(file), ResolvePath(file), 0); };
  if (!ValidName(section, "]\r\n") || !ValidName(key, "=\r\n")) return unfit();
  const std::string s(TrimBlanksAndTabs(section));
  const std::string k(TrimBlanksAndTabs(key));
  if (k[0] == ';' || k[0] == '[') return unfit();
  return Modify(file, true, [&](Document& d) { return SetKey(d, s, k, value); });
}

bool ProfileEraseKey(const std::string& file, const std::string& section, const std::string& key) {
  return Modify(file, false, [&](Document& d) { return EraseKey(d, section, std::string(TrimBlanksAndTabs(key))); });
}

bool ProfileEraseSection(const std::string& file, const std::string& section) {
  return Modify(file, false, [&](Document& d) { return EraseSection(d, std::string(TrimBlanksAndTabs(section))); });
}

std::vector<std::string> ProfileReadSection(const std::string& file, const std::string& section) {
  using Keys = std::vector<std::string>;
  return WithDocument<Keys>(file, [&](const Document* d) {
    Keys keys;
    if (const Section* s = d ? FindSection(*d, section) : nullptr)
      for (const Entry& e : s->entries) keys.push_back(e.key);
    return keys;
  });
}

std::vector<std::string> ProfileReadSections(const std::string& file) {
  using Names = std::vector<std::string>;
  return WithDocument<Names>(file, [&](const Document* d) {
    Names names;
    for (std::size_t i = 0; d && i < d->sections.size(); ++i) {
      const std::string& name = d->sections[i].name;
      if (!name.empty() && d->bySection.at(AnsiUpperCase(name)) == i) names.push_back(name);
    }
    return names;
  });
}

std::vector<std::pair<std::string, std::string>> ProfileReadSectionValues(const std::string& file,
                                                                          const std::string& section) {
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  return WithDocument<Pairs>(file, [&](const Document* d) {
    Pairs pairs;
    if (const Section* s = d ? FindSection(*d, section) : nullptr)
      for (const Entry& e : s->entries) pairs.emplace_back(e.key, e.value);
    return pairs;
  });
}

bool ProfileSectionExists(const std::string& file, const std::string& section) {
  return WithDocument<bool>(file, [&](const Document* d) { return d && FindSection(*d, section); });
}

}  // namespace qm

#include "platform/ipc_atoms.h"

#include "platform/ipc.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>
#include <unordered_set>

namespace qm {

namespace {

constexpr std::string_view kAtomFileTag = "QMA2";
constexpr std::size_t kAtomCapacity = 0x10000 - FirstStringAtom;
constexpr std::size_t kMaxAtomFileSize = 16 + kAtomCapacity * (6 + MaxAtomNameLength);
// A process that holds the lock this long is stuck; the caller gets a
// failure instead of hanging with it.
constexpr auto kLockWait = std::chrono::seconds(2);

struct AtomName {
  enum Kind { Invalid, Integer, String } kind = Invalid;
  ATOM integer = 0;
  std::string text;
};

AtomName ParseAtomName(const std::string& name) {
  AtomName parsed;
  // The platform's names are zero-terminated: a caller's terminator ends it.
  parsed.text = name.substr(0, name.find('\0'));
  if (parsed.text.empty() || parsed.text.size() > MaxAtomNameLength) return parsed;
  if (parsed.text[0] == '#' &&
      std::all_of(parsed.text.begin() + 1, parsed.text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    unsigned long value = 0;
    for (char c : parsed.text.substr(1)) value = std::min(value * 10 + static_cast<unsigned long>(c - '0'), 0x10000ul);
    if (value == 0 || value >= FirstStringAtom) return parsed;
    parsed.kind = AtomName::Integer;
    parsed.integer = static_cast<ATOM>(value);
    return parsed;
  }
  parsed.kind = AtomName::String;
  return parsed;
}

AtomEntry* FindByName(std::vector<AtomEntry>& entries, const std::string& name) {
  for (AtomEntry& e : entries)
    if (e.name == name) return &e;
  return nullptr;
}

std::vector<AtomEntry>::iterator PlaceOf(std::vector<AtomEntry>& entries, ATOM atom) {
  return std::lower_bound(entries.begin(), entries.end(), atom, [](const AtomEntry& e, ATOM a) { return e.atom < a; });
}

std::vector<AtomEntry>::iterator FindByAtom(std::vector<AtomEntry>& entries, ATOM atom) {
  auto it = PlaceOf(entries, atom);
  return (it != entries.end() && it->atom == atom) ? it : entries.end();
}

// Freed numbers are handed out again, lowest first, as the platform does.
ATOM LowestFreeAtom(const std::vector<AtomEntry>& entries) {
  std::uint32_t expected = FirstStringAtom;
  for (const AtomEntry& e : entries) {
    if (e.atom != expected) break;
    ++expected;
  }
  return expected <= 0xFFFF ? static_cast<ATOM>(expected) : 0;
}

bool LockWithin(int fd) {
  auto deadline = std::chrono::steady_clock::now() + kLockWait;
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) return false;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeAtomFile(const std::vector<AtomEntry>& entries) {
  std::vector<std::uint8_t> bytes;
  ByteWriter out(bytes);
  out.U16(static_cast<std::uint16_t>(entries.size()));
  for (const AtomEntry& e : entries) {
    out.U16(e.atom);
    out.U16(e.references);
    out.U16(static_cast<std::uint16_t>(e.name.size()));
    out.Text(e.name);
  }
  return SealRecord(kAtomFileTag, bytes);
}

std::optional<std::vector<AtomEntry>> DecodeAtomFile(const std::vector<std::uint8_t>& bytes) {
  auto fields = OpenRecord(kAtomFileTag, bytes);
  if (!fields) return std::nullopt;
  ByteReader in(*fields);
  std::size_t count = in.U16();
  if (count > kAtomCapacity) return std::nullopt;
  std::vector<AtomEntry> entries;
  std::unordered_set<std::string> names;
  for (std::size_t i = 0; i < count && in.Ok(); ++i) {
    AtomEntry e;
    e.atom = in.U16();
    e.references = in.U16();
    e.name = in.Text(in.U16());
    bool ascending = entries.empty() || e.atom > entries.back().atom;
    if (e.atom < FirstStringAtom || !ascending || e.references == 0 || e.name.empty() ||
        e.name.find('\0') != std::string::npos || !names.insert(e.name).second)
      return std::nullopt;
    entries.push_back(std::move(e));
  }
  if (!in.AtEnd()) return std::nullopt;
  return entries;
}

SharedAtomTable::SharedAtomTable(std::string runtimeFolder)
    : folder_(std::move(runtimeFolder)), usable_(PrepareRuntimeFolder(folder_)) {}

bool SharedAtomTable::Update(const std::function<bool(std::vector<AtomEntry>&)>& change) {
  if (!usable_) return false;
  // The lock sits on a file of its own: the table file is replaced by a
  // rename on every write, and a lock on a replaced file guards nothing.
  int lock = open((folder_ + "/atoms.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (lock < 0) return false;
  bool ok = LockWithin(lock);
  if (ok) {
    const std::string path = folder_ + "/atoms";
    std::vector<AtomEntry> entries;
    bool damaged = false;
    if (auto bytes = ReadSmallFile(path, kMaxAtomFileSize)) {
      auto decoded = DecodeAtomFile(*bytes);
      damaged = !decoded;
      if (decoded) entries = std::move(*decoded);
    } else {
      struct stat st {};
      damaged = lstat(path.c_str(), &st) == 0;
    }
    if (change(entries) || damaged)
      ok = WriteFileThroughTemp(path, folder_ + "/" + ProcessFileName(CurrentProcess(), "atoms.tmp"),
                                EncodeAtomFile(entries));
  }
  close(lock);
  return ok;
}

ATOM SharedAtomTable::Add(const std::string& name) {
  AtomName parsed = ParseAtomName(name);
  if (parsed.kind != AtomName::String) return parsed.integer;
  ATOM result = 0;
  bool ok = Update([&](std::vector<AtomEntry>& entries) {
    if (AtomEntry* e = FindByName(entries, parsed.text)) {
      result = e->atom;
      if (e->references == 0xFFFF) return false;  // the count saturates
      ++e->references;
      return true;
    }
    ATOM atom = LowestFreeAtom(entries);
    if (atom == 0) return false;
    entries.insert(PlaceOf(entries, atom), AtomEntry{atom, 1, parsed.text});
    result = atom;
    return true;
  });
  return ok ? result : 0;
}

ATOM SharedAtomTable::Find(const std::string& name) {
  AtomName parsed = ParseAtomName(name);
  if (parsed.kind != AtomName::String) return parsed.integer;
  ATOM result = 0;
  bool ok = Update([&](std::vector<AtomEntry>& entries) {
    if (AtomEntry* e = FindByName(entries, parsed.text)) result = e->atom;
    return false;
  });
  return ok ? result : 0;
}

std::string SharedAtomTable::GetName(ATOM atom) {
  if (atom == 0) return {};
  if (atom < FirstStringAtom) return "#" + std::to_string(atom);
  std::string name;
  Update([&](std::vector<AtomEntry>& entries) {
    auto it = FindByAtom(entries, atom);
    if (it != entries.end()) name = it->name;
    return false;
  });
  return name;
}

ATOM SharedAtomTable::Delete(ATOM atom) {
  if (atom < FirstStringAtom) return 0;
  bool found = false;
  bool ok = Update([&](std::vector<AtomEntry>& entries) {
    auto it = FindByAtom(entries, atom);
    found = it != entries.end();
    if (!found) return false;
    if (--it->references == 0) entries.erase(it);
    return true;
  });
  return ok && found ? 0 : atom;
}

}  // namespace qm

#include "platform/stringlist.h"

#include <algorithm>
#include <numeric>

#include "platform/cp1252.h"
#include "platform/files.h"

namespace qm {

namespace {

const std::string kEmpty;

bool NeedsQuotes(std::string_view s) {
  if (s.empty()) return true;
  return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<Byte>(c) <= ' ' || c == '"' || c == ','; });
}

std::string Quoted(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

bool IsBlank(char c) { return c != '\0' && static_cast<Byte>(c) <= ' '; }

// A quoted entry from `pos` (at the opening quote); doubled quotes are one.
std::string ReadQuoted(std::string_view text, std::size_t& pos) {
  std::string out;
  for (++pos; pos < text.size(); ++pos) {
    if (text[pos] != '"') {
      out += text[pos];
    } else if (pos + 1 < text.size() && text[pos + 1] == '"') {
      out += '"';
      ++pos;
    } else {
      ++pos;
      break;
    }
  }
  return out;
}

}  // namespace

TStringList::~TStringList() {
  for (Item& item : items_) FreeObject(item.object);
}

void TStringList::FreeObject(TObject* object) const {
  if (OwnsObjects) delete object;
}

void TStringList::Changed() {
  if (updateCount_ > 0) {
    changedWhileUpdating_ = true;
  } else if (OnChange) {
    OnChange(this);
  }
}

void TStringList::EndUpdate() {
  if (updateCount_ == 0 || --updateCount_ > 0 || !changedWhileUpdating_) return;
  changedWhileUpdating_ = false;
  Changed();
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
  if (!caseSensitive_) return CompareText(a, b);
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// The first place whose string is not below `s` (sorted lists only); with
// `exists` whether that place holds `s`.
int TStringList::InsertPosition(std::string_view s, bool& exists) const {
  const auto it = std::partition_point(items_.begin(), items_.end(),
                                       [&](const Item& item) { return CompareStrings(item.text, s) < 0; });
  exists = it != items_.end() && CompareStrings(it->text, s) == 0;
  return static_cast<int>(it - items_.begin());
}

void TStringList::InsertItem(int index, Item item) {
  items_.insert(items_.begin() + index, std::move(item));
  Changed();
}

int TStringList::AddSorted(Item item) {
  bool exists = false;
  int index = InsertPosition(item.text, exists);
  if (exists) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) return -1;
    while (index < Count() && CompareStrings(items_[index].text, item.text) == 0) ++index;
  }
  InsertItem(index, std::move(item));
  return index;
}

int TStringList::Add(const std::string& s) { return AddObject(s, nullptr); }

int TStringList::AddObject(const std::string& s, TObject* object) {
  if (sorted_) return AddSorted({s, object});
  InsertItem(Count(), {s, object});
  return Count() - 1;
}

void TStringList::Insert(int index, const std::string& s) { InsertObject(index, s, nullptr); }

void TStringList::InsertObject(int index, const std::string& s, TObject* object) {
  if (sorted_) {
    AddSorted({s, object});
  } else if (index >= 0 && index <= Count()) {
    InsertItem(index, {s, object});
  }
}

void TStringList::Delete(int index) {
  if (!ValidIndex(index)) return;
  TObject* object = items_[index].object;
  items_.erase(items_.begin() + index);
  FreeObject(object);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  std::vector<Item> old;
  old.swap(items_);
  for (Item& item : old) FreeObject(item.object);
  Changed();
}

const std::string& TStringList::Strings(int index) const { return ValidIndex(index) ? items_[index].text : kEmpty; }

void TStringList::SetString(int index, const std::string& s) {
  if (!ValidIndex(index)) return;
  if (!sorted_) {
    items_[index].text = s;
    Changed();
    return;
  }
  int found = 0;
  if (duplicates_ != dupAccept && Find(s, found) && found != index) return;
  Item item{s, items_[index].object};
  items_.erase(items_.begin() + index);
  bool exists = false;
  int place = InsertPosition(s, exists);
  while (place < Count() && CompareStrings(items_[place].text, s) == 0) ++place;
  InsertItem(place, std::move(item));
}

TObject* TStringList::Objects(int index) const { return ValidIndex(index) ? items_[index].object : nullptr; }

void TStringList::SetObject(int index, TObject* object) {
  if (!ValidIndex(index)) return;
  items_[index].object = object;
  Changed();
}

int TStringList::IndexOf(std::string_view s) const {
  int index = -1;
  return Find(s, index) ? index : -1;
}

int TStringList::IndexOfObject(const TObject* object) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[i].object == object) return i;
  return -1;
}

bool TStringList::Find(std::string_view s, int& index) const {
  if (sorted_) {
    bool exists = false;
    index = InsertPosition(s, exists);
    return exists;
  }
  for (index = 0; index < Count(); ++index)
    if (CompareStrings(items_[index].text, s) == 0) return true;
  return false;
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  sorted_ = sorted;
  if (sorted_) Sort();
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
  if (caseSensitive == caseSensitive_) return;
  caseSensitive_ = caseSensitive;
  if (sorted_) Sort();
}

void TStringList::Sort() {
  std::stable_sort(items_.begin(), items_.end(),
                   [&](const Item& a, const Item& b) { return CompareStrings(a.text, b.text) < 0; });
  Changed();
}

void TStringList::CustomSort(const Compare& compare) {
  if (sorted_ || !compare || Count() < 2) return;
  // The comparison sees the list as it was; a merge sort stays inside the
  // range even when the comparison is not consistent.
  std::vector<int> order(items_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
  std::vector<Item> sortedItems;
  sortedItems.reserve(items_.size());
  for (int i : order) sortedItems.push_back(std::move(items_[i]));
  items_.swap(sortedItems);
  Changed();
}

void TStringList::Exchange(int index1, int index2) {
  if (sorted_ || !ValidIndex(index1) || !ValidIndex(index2) || index1 == index2) return;
  std::swap(items_[index1], items_[index2]);
  Changed();
}

void TStringList::Move(int from, int to) {
  if (sorted_ || !ValidIndex(from) || !ValidIndex(to) || from == to) return;
  const auto first = items_.begin();
  if (from < to) std::rotate(first + from, first + from + 1, first + to + 1);
  else std::rotate(first + to, first + from, first + from + 1);
  Changed();
}

std::string TStringList::Text() const {
  std::string out;
  for (const Item& item : items_) (out += item.text) += "\r\n";
  return out;
}

void TStringList::SetText(std::string_view text) {
  BeginUpdate();
  Clear();
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    Add(std::string(text.substr(start, end - start)));
    if (end == std::string_view::npos) break;
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  EndUpdate();
}

std::string TStringList::CommaText() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    if (i > 0) out += ',';
    out += NeedsQuotes(items_[i].text) ? Quoted(items_[i].text) : items_[i].text;
  }
  return out;
}

void TStringList::SetCommaText(std::string_view text) {
  BeginUpdate();
  Clear();
  std::size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  while (pos < text.size()) {
    if (text[pos] == '"') {
      Add(ReadQuoted(text, pos));
    } else {
      const std::size_t start = pos;
      while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != ',') ++pos;
      Add(std::string(text.substr(start, pos - start)));
    }
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    if (pos < text.size() && text[pos] == ',') {
      if (pos + 1 == text.size()) Add("");
      ++pos;
      while (pos < text.size() && IsBlank(text[pos])) ++pos;
    }
  }
  EndUpdate();
}

std::string TStringList::Names(int index) const {
  const std::string& s = Strings(index);
  const std::size_t eq = s.find('=');
  return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

int TStringList::IndexOfName(std::string_view name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::string& s = items_[i].text;
    const std::size_t eq = s.find('=');
    if (eq != std::string::npos && CompareStrings(std::string_view(s).substr(0, eq), name) == 0) return i;
  }
  return -1;
}

std::string TStringList::Values(std::string_view name) const {
  const int index = IndexOfName(name);
  if (index < 0) return {};
  const std::string& s = items_[index].text;
  return s.substr(s.find('=') + 1);
}

void TStringList::SetValue(std::string_view name, std::string_view value) {
  const int index = IndexOfName(name);
  const std::string line = std::string(name) + "=" + std::string(value);
  if (value.empty()) Delete(index);
  else if (index >= 0) SetString(index, line);
  else Add(line);
}

bool TStringList::LoadFromFile(const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return false;
  SetText(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
  return true;
}

bool TStringList::SaveToFile(const std::string& path) const {
  const std::string text = Text();
  return WriteFileAtomic(path, text.data(), text.size());
}

}  // namespace qm

// A list of strings, each with an object pointer beside it, in the manner
// of the class library the program was written against.
//
// Indexes out of range never fail loudly: reading gives an empty string or
// a null object, and a change at such an index does nothing. On a sorted
// list Insert ignores its index and adds in order, SetString moves the
// entry to its new place, and Exchange, Move and CustomSort do nothing.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/object.h"

namespace qm {

// What Add does on a sorted list with a string already in it. Unsorted
// lists accept duplicates whatever this says.
enum TDuplicates {
  dupIgnore,  // keep the old entry; Add returns its index
  dupAccept,  // add after the equal entries
  dupError,   // refuse: Add returns -1 and the list stays as it was
};

class TStringList : public TObject {
 public:
  using Compare = std::function<int(const TStringList& list, int index1, int index2)>;

  TStringList() = default;
  ~TStringList() override;
  TStringList(const TStringList&) = delete;
  TStringList& operator=(const TStringList&) = delete;

  // The index the string got, or -1 when refused (see TDuplicates).
  int Add(const std::string& s);
  int AddObject(const std::string& s, TObject* object);
  void Insert(int index, const std::string& s);
  void InsertObject(int index, const std::string& s, TObject* object);
  void Delete(int index);
  void Clear();

  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Strings(int index) const;
  const std::string& operator[](int index) const { return Strings(index); }
  void SetString(int index, const std::string& s);
  TObject* Objects(int index) const;
  // The old object is not freed, even when the list owns its objects.
  void SetObject(int index, TObject* object);

  // The first entry equal to `s` (see CaseSensitive), or -1.
  int IndexOf(std::string_view s) const;
  int IndexOfObject(const TObject* object) const;
  // Whether `s` is in the list; `index` is its first place, or where it
  // would go. On an unsorted list the search is linear and `index` is
  // Count() when not found.
  bool Find(std::string_view s, int& index) const;

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates d) { duplicates_ = d; }
  // Comparisons ignore case (code page 1252) unless this is set.
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool caseSensitive);
  // The list deletes the objects of entries it deletes.
  bool OwnsObjects = false;

  void Sort();
  void CustomSort(const Compare& compare);
  void Exchange(int index1, int index2);
  void Move(int from, int to);

  // Every line followed by CR LF.
  std::string Text() const;
  // Lines end at CR LF, LF or CR; a last line without an end counts.
  void SetText(std::string_view text);
  // Comma-separated; entries holding blanks, commas, quotes or control
  // characters (and empty ones) are quoted with '"', quotes doubled.
  std::string CommaText() const;
  // Entries are separated by commas and by unquoted blanks.
  void SetCommaText(std::string_view text);

  // "name=value" entries: the part before the first '=' ("" when none).
  std::string Names(int index) const;
  int IndexOfName(std::string_view name) const;
  std::string Values(std::string_view name) const;
  // Sets or adds "name=value"; an empty value deletes the entry.
  void SetValue(std::string_view name, std::string_view value);

  // The file's bytes as they are; saving ends every line with CR LF.
  bool LoadFromFile(const std::string& path);
  bool SaveToFile(const std::string& path) const;

  // OnChange fires after each change, or once at the last EndUpdate when
  // something changed in between.
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  std::function<void(TObject* sender)> OnChange;

 private:
  struct Item {
    std::string text;
    TObject* object = nullptr;
  };

  bool ValidIndex(int index) const { return index >= 0 && index < Count(); }
  int CompareStrings(std::string_view a, std::string_view b) const;
  int InsertPosition(std::string_view s, bool& exists) const;
  int AddSorted(Item item);
  void InsertItem(int index, Item item);
  void FreeObject(TObject* object) const;
  void Changed();

  std::vector<Item> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  TDuplicates duplicates_ = dupIgnore;
  int updateCount_ = 0;
  bool changedWhileUpdating_ = false;
};

}  // namespace qm

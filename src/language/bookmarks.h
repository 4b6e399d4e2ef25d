// A script's named bookmarks: at most twenty, each on an element. They
// are a component of the script window, kept in the script file.
//
// A bookmark holds its element as an element cursor, so it never points at
// freed memory: when the element is deleted (or the whole script goes) the
// bookmark is left without one, its file slot stays empty, and Goto tells
// the writer and removes it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace qm {

class TMDIChild;
struct TScriptElement;

// One bookmark; without an element once that is deleted (see above).
class TBookmark {
 public:
  TBookmark(std::string text, TScriptElement* element);
  ~TBookmark();
  TBookmark(const TBookmark&) = delete;
  TBookmark& operator=(const TBookmark&) = delete;

  std::string Text;
  TScriptElement* Element() const { return element_; }

 private:
  TScriptElement* element_;
};

class TScriptBookmarks : public TComponent {
 public:
  explicit TScriptBookmarks(TMDIChild& script);

  int Count() const { return static_cast<int>(marks_.size()); }
  const TBookmark& operator[](int index) const { return *marks_[static_cast<std::size_t>(index)]; }
  // False when the list is full.
  bool Add(const std::string& text, TScriptElement* element);
  void Delete(int index);
  void Clear() { marks_.clear(); }

 private:
  std::vector<std::unique_ptr<TBookmark>> marks_;
};

// The script's bookmarks, made on first use.
TScriptBookmarks& Bookmarks(TMDIChild& script);
// Null while the script has none made.
const TScriptBookmarks* FindBookmarks(const TMDIChild& script);

// The element a bookmark set at `element` rests on: a speech's dialogue is
// marked at its cue, and neither rests on an automatic page break.
TScriptElement* BookmarkedElement(TScriptElement* element);

}  // namespace qm

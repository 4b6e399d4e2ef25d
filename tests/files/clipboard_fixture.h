// Scripts, blocks and the clipboard for the copy and paste tests.
#pragma once

#include <optional>
#include <sstream>
#include <string>

#include "files/clipboard_copy.h"
#include "files/file_test_fixture.h"
#include "files/native_clipboard.h"
#include "files/script_samples.h"
#include "platform/clipboard.h"
#include "script/layout/word_wrap.h"
#include "script/model/edit_line_writer.h"

namespace qm::testing {

class ClipboardFixture : public FileTest {
 protected:
  // Selects from column `from` of `first` to column `to` of `last` (-1:
  // the end of its text).
  static void MarkBlock(TMDIChild& w, TScriptElement* first, int from, TScriptElement* last, int to) {
    for (TScriptElement* e = first;; e = e->next) {
      const int length = static_cast<int>(IsPageBreakKind(e->Kind()) ? 1 : TextOf(w, *e).size());
      e->blockStart = e == first ? from : 0;
      e->blockEnd = e == last && to >= 0 ? to : length;
      if (e == last) break;
    }
    EditFields(w).BlockOn = 1;
  }
  // The element's text, from the edit line while it is there.
  static std::string TextOf(const TMDIChild& w, const TScriptElement& e) {
    return e.text ? ElementText(e) : w.EditBuffer();
  }
  static void SelectAll(TMDIChild& w) { MarkBlock(w, w.FirstElement, 0, w.LastElement, -1); }

  static std::optional<Bytes> ClipData(const std::string& name) {
    return Clipboard()->GetData(name.empty() ? CF_TEXT : RegisterClipboardFormat(name));
  }
  static std::string ClipText(const std::string& name) {
    auto data = ClipData(name);
    return data ? std::string(data->begin(), data->end()) : std::string("<none>");
  }

  // Every stored element wrapped as it prints, then the script laid out.
  static void LayOut(TMDIChild& w) {
    w.Assemble();
    TWrapPass pass(w);
    for (TScriptElement* e = w.FirstElement; e; e = e->next)
      if (!IsPageBreakKind(e->Kind())) pass.Wrap(*e, ElementText(*e));
    w.RefreshLayout();
  }
};

// An element as the tests compare it: every stored field and its text as
// held; the element being edited is stored first.
inline std::string Describe(TMDIChild& w, const TScriptElement& e) {
  std::ostringstream out;
  for (Byte b : e.format.ToBytes()) out << static_cast<int>(b) << ",";
  out << " split " << int(e.split) << " state " << int(e.state) << " av " << int(e.avColumn) << " link "
      << e.storyboardLink << " lines " << int(e.lineCount) << " offsets";
  for (Byte b : e.lineOffsets) out << " " << int(b);
  out << " revised '" << (e.revisedLines ? *e.revisedLines : std::string()) << "' text '"
      << (e.text ? *e.text : w.EditBuffer()) << "'";
  return out.str();
}

inline std::vector<std::string> DescribeAll(TMDIChild& w) {
  w.Assemble();
  std::vector<std::string> all;
  for (const TScriptElement* e = w.FirstElement; e; e = e->next) all.push_back(Describe(w, *e));
  return all;
}

// Empty when the lists agree; else where they first differ.
inline std::string FirstDifference(const std::vector<std::string>& got, const std::vector<std::string>& want) {
  for (std::size_t i = 0; i < std::max(got.size(), want.size()); ++i) {
    const std::string a = i < got.size() ? got[i] : "<none>";
    const std::string b = i < want.size() ? want[i] : "<none>";
    if (a != b)
      return "element " + std::to_string(i) + " of " + std::to_string(want.size()) + ":\n  got  " + a + "\n  want " + b;
  }
  return {};
}

}  // namespace qm::testing

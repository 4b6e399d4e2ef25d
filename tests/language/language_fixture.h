// A main window with one script window for the list and name tools: the
// script starts empty, with its built-in user lists, and the program
// options at their defaults.
#pragma once

#include <string>
#include <vector>

#include "script/editing/script_list_data.h"
#include "platform/stringlist.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/platform_fixture.h"
#include "support/script_builder.h"

namespace qm::testing {

class LanguageFixture : public PlatformFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  TMDIChild& Script() { return *script_; }
  TMainForm& Main() { return *main_; }
  TUserListTables& Lists() { return RecordOf(*script_).UserLists; }
  TScriptRecord& Settings() { return RecordOf(*script_); }

  // Appends elements, each in a group of its own.
  void Add(const std::vector<ElementSpec>& elements);
  TScriptElement& Element(int index);
  // Gives the element's group a displayed number.
  void Number(int index, int number);
  // Makes the element current with its text in the edit line.
  void PlaceCaret(int index, Word column = 0);
  // Fills a list of the user lists from slot 1, emptying the rest.
  void SetList(TUserList list, const std::vector<std::string>& entries);

  // The texts of a list, in order.
  static std::vector<std::string> Texts(const TStringList& items);

  // Answers the next message box: its text must hold `text`, its caption
  // be `caption` (unless empty); it then gives `result`.
  void ExpectMessage(const std::string& text, const std::string& caption = {}, TModalResult result = mrOk);
  // The Enter keys the script window's key handling received.
  int EnterKeysPassed() const { return enterKeys_; }

 private:
  TMainForm* main_ = nullptr;
  TMDIChild* script_ = nullptr;
  int enterKeys_ = 0;
};

}  // namespace qm::testing

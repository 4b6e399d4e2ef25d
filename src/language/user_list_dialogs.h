// The dialogs that change a script's user lists: the editor of all
// thirteen lists, and the loader that fills the character names or the
// locations from a plain text file.
#pragma once

#include <array>
#include <string>

#include "language/user_lists.h"
#include "platform/forms.h"

namespace qm {

constexpr int UserListRows = 15;

class TEditUserListDlg : public TForm {
 public:
  explicit TEditUserListDlg(TComponent* owner);

  std::array<TLabel*, UserListRows> RowLabels{};
  std::array<TEdit*, UserListRows> RowEdits{};
  std::array<TButton*, UserListRows> AliasButtons{};
  // One button per list, in the order of AllUserLists.
  std::array<TSpeedButton*, UserListCount> ListButtons{};
  TCheckBox* SaveDefaultsBox;
  TButton* CopyFromScriptBtn;
  TButton* SetupDayBtn;
  TButton* OKBtn;
  TButton* HelpBtn;

  // The dialog edits a copy of the script's lists.
  TUserListTables Lists;
  TUserList Shown = TUserList::CharNames;
  // The alias of each row, kept beside the row's text.
  std::array<std::string, UserListRows> RowAliases{};

  void FormShow(TObject* sender);
  // Shows a list in the rows, its style codes as "[U+]", "[B+]", "[I+]".
  void SetupList(TUserList list);
  // Stores the rows back into the shown list of the copy.
  void WriteBackList();
  void ListButtonClick(TUserList list);
  void AliasButtonClick(int row);
  void CopyFromScriptClick(TObject* sender);
  void SetupDayClick();
  void OKBtnClick(TObject* sender);

 private:
  void CopyEntriesIntoRows();
  // The first empty row of the list shown, or null.
  TEdit* FirstEmptyRow() const;
  bool FillSourceList();
};

// The "Edit User Lists..." command.
void ShowEditUserLists();

class TASCIIUserListDlg : public TForm {
 public:
  explicit TASCIIUserListDlg(TComponent* owner);

  TRadioButton* CharNamesRadio;
  TRadioButton* LocationsRadio;
  TCheckBox* ClearFirstBox;
  TButton* OKBtn;
  TButton* CancelBtn;

  // Asks which list the file fills (locations preset for a ".SET" file)
  // and loads one entry per non-empty line, tabs and surrounding blanks
  // removed, until the file or the list ends. True when loaded.
  bool Load(const std::string& fileName);
};

// The "ASCII List" command with its file chosen.
bool LoadUserListFromTextFile(const std::string& fileName);

}  // namespace qm

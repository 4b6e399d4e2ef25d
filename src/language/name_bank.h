// The name bank window: first and family names letter by letter from
// NAMEBANK.FIL, personal favourites kept in the settings file, and a name
// composed of a first and a family name typed into the script at the
// caret. One window at a time, shown modally while the file is open.
#pragma once

#include <array>
#include <string>

#include "language/name_bank_file.h"
#include "platform/forms.h"
#include "platform/list_drag.h"

namespace qm {

class TReadNameBank : public TForm {
 public:
  TReadNameBank(TComponent* owner, const TNameBankFile& file);

  TPageControl* Notebook = nullptr;
  // By list (male, female, family): the names pages' controls.
  std::array<TListBox*, 3> LetterIndex{};
  std::array<TListBox*, 3> Names{};
  std::array<TEdit*, 3> Match{};
  std::array<TListBox*, 3> Favorites{};
  std::array<TLabel*, 3> DragHint{};
  // The personal lists page: the favourites of all three lists.
  std::array<TListBox*, 3> Personal{};
  TButton* Button1 = nullptr;
  TComboBox* InsertName = nullptr;
  TCheckBox* BoldName = nullptr;
  TCheckBox* CapTheName = nullptr;
  TButton* TypeName = nullptr;
  TButton* CloseBtn = nullptr;
  TButton* HelpBtn = nullptr;
  std::array<bool, 3> FavoritesChanged{};

  // Fills a list's names with one letter ("A".."Z").
  void LoadLetter(TNameList list, char letter);
  // The letter chosen in the index ("A" when none), loaded.
  void LoadNames(TNameList list);
  void FormShow();
  void NotebookChange(int page);
  void MatchChange(TNameList list);
  void MatchKeyDown(TNameList list, Word& key);
  void NamesDblClick(TNameList list);
  // A favourite or personal name: into the name to insert.
  void FavoritesDblClick(TNameList list, TListBox& from);
  void FavoritesKeyDown(TNameList list, TListBox& from, Word& key);
  // Drops of a name dragged from `from`, one of the window's lists of
  // `list`'s names: on the favourites, back on the names, off the lists
  // onto the window, or on the name to insert.
  void FavoritesDragDrop(TNameList list, const std::string& name);
  void NamesDragDrop(TNameList list, TListBox& from, const std::string& name);
  void FormDragDrop(TNameList list, TListBox& from, const std::string& name);
  void InsertNameDragDrop(TNameList list, const std::string& name);
  // A first name goes in front of the name to insert, a family name after
  // its first blank.
  void ComposeName(TNameList list, const std::string& name);
  void TypeNameClick();
  void Button1Click();
  // The check boxes, the inserted names and the changed favourites into
  // the settings file.
  void SaveSettings();

 private:
  void BuildControls();
  void WireControls();
  void LoadFavorites();
  void AddFavorite(TNameList list, const std::string& name);
  // Asks, then takes the name off the favourites and the personal list.
  void RemoveFavorite(TNameList list, const std::string& name);
  void WireDragging();
  void DropOutside(int from, const std::string& name, TPoint screen);
  int ListOfPage(int page) const { return page - 1; }
  const TNameBankFile& file_;
  int lastPage_ = 0;
  // The personal list last used, for the focus on page 0.
  int lastList_ = 0;
  bool loading_ = false;
  // The names, favourites and personal lists, by list in that order.
  TListDrag drag_;
  std::vector<TListBox*> dragLists_;
};

// The menu command: opens the file and shows the window; with no file,
// says so.
void ShowNameBank();
// The window while it is shown.
TReadNameBank* NameBankWindow();

}  // namespace qm

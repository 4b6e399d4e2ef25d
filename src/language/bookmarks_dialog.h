// The "Bookmarks" tool window: sets, lists, deletes and goes to the active
// script's bookmarks. One instance, made on first use, freed on closing.
#pragma once

#include "platform/forms.h"

namespace qm {

class TBookmarkDlg : public TForm {
 public:
  explicit TBookmarkDlg(TComponent* owner);
  ~TBookmarkDlg() override;

  TListBox* BookmarkList;
  TEdit* BookmarkText;
  TButton* SetBtn;
  TButton* GotoBtn;
  TButton* DeleteBtn;
  TButton* CloseBtn;
  TButton* MinimizeBtn;

  // The list from the active script's bookmarks, the entry chosen kept
  // while the list reaches it; while shown, the text box offers the current
  // element's text.
  void UpdateData();
  void SetBtnClick(TObject* sender);
  void GotoBtnClick(TObject* sender);
  void DeleteBtnClick(TObject* sender);

 private:
  void FormShow(TObject* sender);
  void FormActivate(TObject* sender);
};

// The window, or null while there is none.
TBookmarkDlg* BookmarkDialog();
// The Bookmark command: the window for the active script, shown (not modal).
void ShowBookmarks();

}  // namespace qm

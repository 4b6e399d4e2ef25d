// The dialog in which breakdown items are associated with characters or
// locations: the names on the left, the tagged items of a category on the
// right.
#pragma once

#include <string>
#include <vector>

#include "breakdown/associations.h"
#include "breakdown/breakdown_record.h"
#include "platform/forms.h"

namespace qm {

class TAssociateItemsDlg : public TForm {
 public:
  TAssociateItemsDlg(TComponent* owner, bool locations);

  TListBox* NameList;
  TRadioGroup* IntExtGroup;
  TComboBox* CategoryCombo;
  TListBox* ItemList;
  TButton* AddNewBtn;
  TButton* OKBtn;
  TButton* CancelBtn;

  // What the dialog works on: the tagged items of the whole script, and
  // one entry per name (its chain as the writer left it).
  BreakdownRecord Gathered;
  std::vector<TAssociationEntry> Names;

  // Fills the lists; the first name is selected.
  void Start(const std::vector<std::string>& names, const std::vector<TAssociationEntry>& existing);
  void CategoryChange();
  void NameClick();
  void ItemClick();
  void IntExtClick();
  // Adds an item (unless the list has it), selected, as a click would.
  void AddItem(const std::string& item);
  // The names whose chains hold items.
  std::vector<TAssociationEntry> Result() const;

 private:
  TAssociation* CurrentAssociation(bool create);
  int category_ = -1;
  bool locations_;
};

}  // namespace qm

// The Quick Text Entry box: four pick lists over a Setup page with the
// template, the new element's type and the list files. One instance, for
// the script whose settings file it was made from.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "language/quick_entry.h"
#include "platform/forms.h"

namespace qm {

class TQuickEntryDialog : public TForm {
 public:
  // Reads the settings file and the lists it names. The settings file is
  // written with `settingsMode` (its script's).
  TQuickEntryDialog(TComponent* owner, const std::string& settingsPath,
                    std::optional<unsigned> settingsMode = std::nullopt);

  std::array<TListBox*, QuickEntryListCount> Lists{};
  TPageControl* Pages;
  TTabSheet* ListsPage;
  TTabSheet* SetupPage;
  TEdit* FormatEdit;
  TCheckBox* NewElementBox;
  TComboBox* ElementTypeBox;
  TRadioGroup* SelectedListGroup;
  TButton* LoadBtn;
  TButton* ClearListBtn;
  TButton* OKBtn;
  TButton* CancelBtn;
  TButton* HelpBtn;
  TButton* SetupBtn;

  const std::string& SettingsPath() const { return settingsPath_; }
  // The list file into the list, its path remembered.
  bool LoadList(int list, const std::string& path);
  // The settings file and every list back to its file; a settings file
  // that cannot be written is said, naming it and why.
  void SaveSettings();
  // Marks the chosen items and types the template's text into the script.
  void ApplyTo(TMDIChild& script);
  // The selected item of each list.
  std::array<std::optional<std::string>, QuickEntryListCount> SelectedItems() const;

  void SetupBtnClick(TObject* sender);
  void LoadBtnClick(TObject* sender);
  void ClearListBtnClick(TObject* sender);
  void ListKeyDown(int list, Word& key);
  void ListKeyPress(int list, char& key);

 private:
  void ShowPage(bool setup);
  std::string settingsPath_;
  std::optional<unsigned> settingsMode_;
  std::array<std::string, QuickEntryListCount> listFiles_;
  std::string typeAhead_;
};

// The box, or null while there is none.
TQuickEntryDialog* QuickEntryBox();
// Quick entry for the active script; `reopen` opens the box even when the
// script has no settings file yet (Quick Entry Setup).
void ShowQuickEntry(bool reopen);
// The open box's settings and lists to their files; the box goes.
void SaveQuickEntrySettings();

}  // namespace qm

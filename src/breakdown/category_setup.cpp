#include "breakdown/category_setup.h"

#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/program_options.h"
#include "breakdown/category_setup_dialog.h"

namespace qm {

const char* const RenameWarning =
    "If you intend to export tagged items to ShootPlan Scheduling, then you should be aware that it does NOT "
    "support renaming categories, so any tagged items will be exported in their ORIGINAL categories REGARDLESS of "
    "what you set  here!";
const char* const RenameWarningOnTurn =
    "If you intend to export tagged items to ShootPlan Scheduling, then you should be aware that it does NOT "
    "support renaming categories, so any tagged items will be exported to their ORIGINAL categories REGARDLESS of "
    "what you set  here!";

TCategorySetup::TCategorySetup() : Rows(CategoryMenus()) {}

std::string TCategorySetup::BeginEdit(int row) {
  if (row < 0 || row >= CategoryCount) return {};
  if (IsFixedCategory(row)) return FixedCategoryMessage;
  Editing = row;
  return {};
}

bool TCategorySetup::CanReplace(const std::string& name, const std::string& code) const {
  return Editing >= 0 && !name.empty() && !code.empty();
}

std::string TCategorySetup::Replace(const std::string& name, const std::string& code) {
  if (!CanReplace(name, code)) return {};
  std::string refusal = CategoryRenameConflict(Rows, Editing, name, code);
  if (!refusal.empty()) return refusal;
  RenameCategory(Rows, Editing, name, code);
  Editing = -1;
  return {};
}

void TCategorySetup::ToggleVisible(int row) {
  if (row < 0 || row >= CategoryCount) return;
  Rows[static_cast<std::size_t>(row)].Visible = !Rows[static_cast<std::size_t>(row)].Visible;
}

void TCategorySetup::ResetToDefaults() {
  Rows = DefaultCategories();
  Editing = -1;
}

void TCategorySetup::Apply() {
  CategoryMenus() = Rows;
  SaveBreakdownSheetLayout();
}

bool ShowCategorySetup(const char* warning) {
  if (!ProgramOptions().ExpertPrompting) ShowMessageBox(warning, "WARNING");
  TCategorySetupDlg dialog(nullptr);
  return dialog.ShowModal() == mrOk;
}

void SaveBreakdownSheetLayout() {
  TIniFile ini = OpenSettingsFile();
  SaveCategoryMenus(ini, CategoryMenus());
}

void ReadCategorySettings() {
  const TIniFile ini = OpenSettingsFile();
  ReadCategoryMenus(ini, CategoryMenus());
}

}  // namespace qm

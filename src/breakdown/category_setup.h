// Setting up the breakdown categories: renaming one (refused for the two
// fixed ones and for a name or code another category has), hiding and
// showing, going back to the built-in set, and keeping the result in the
// category menu and the settings file.
#pragma once

#include <string>

#include "breakdown/categories.h"

namespace qm {

// Shown before the categories are edited (unless the user prompts as an
// expert): renaming does not reach the scheduling export.
extern const char* const RenameWarning;
// The same, said when the page is turned to.
extern const char* const RenameWarningOnTurn;

class TCategorySetup {
 public:
  // The rows as the category menu has them.
  TCategorySetup();

  TCategoryTable Rows;
  // The row being edited, or -1.
  int Editing = -1;

  // Starts editing a row; the refusal's message when it may not be renamed.
  std::string BeginEdit(int row);
  // The edited row takes the name and code; the refusal's message when
  // another row has either.
  std::string Replace(const std::string& name, const std::string& code);
  bool CanReplace(const std::string& name, const std::string& code) const;
  void ToggleVisible(int row);
  void ResetToDefaults();
  // The rows become the category menu's and go to the settings file.
  void Apply();
};

// The category page, after the rename warning (unless the user prompts as
// an expert); true when it closed with OK. Turned to from the tagging
// page, the warning says so.
bool ShowCategorySetup(const char* warning = RenameWarning);

// The category menu's categories into the settings file.
void SaveBreakdownSheetLayout();
// The settings file's categories into the category menu.
void ReadCategorySettings();

}  // namespace qm

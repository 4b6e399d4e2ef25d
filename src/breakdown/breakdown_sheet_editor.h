// The breakdown sheet editor: one scene's sheet in its twelve squares.
// Items are added, edited, dragged to other squares and untagged; each
// change is written into the scene's text as tags and the scene gathered
// again, so that the squares show what the text says.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "breakdown/breakdown_sheet.h"
#include "breakdown/square_drag.h"
#include "platform/forms.h"

namespace qm {

class TMDIChild;

class TBreakdownSheetEditor : public TForm {
 public:
  TBreakdownSheetEditor(TComponent* owner, TMDIChild& script, int scene);

  TComboBox* SceneSelectList;
  std::array<TEdit*, SheetSquareCount> Titles{};
  std::array<TListBox*, SheetSquareCount> Squares{};
  TButton* PrintBtn;
  TButton* CloseBtn;
  TButton* GotoBtn;
  TButton* DescriptionBtn;

  // What the squares show: the scene as last gathered.
  TSheetContent Content;
  // Every tagged item of the script: what the add dialog offers.
  BreakdownRecord AllItems;
  int Scene() const { return scene_; }

  // Gathers the chosen scene again and fills the squares.
  void SceneChange();
  void Regather();
  // Square numbers count from 1.
  void Untag(int square);
  void AddOrEdit(int square);
  void Drop(int from, int item, int to);
  void EditDescription();
  // Adds an item to a square (old empty) or changes one; square 0 is the
  // scene description.
  void AddTaggedItem(std::string oldItem, std::string newItem, int square);
  void GotoScene();
  void PrintSheet();

 private:
  void BuildForm();
  void ShowSquares();
  void Changed();
  int SelectedCategory(int square) const;
  std::vector<std::string> Choices(int square) const;

  TMDIChild& script_;
  int scene_;
  TSquareDrag drag_;
};

// "Edit Breakdown Sheets": the editor on the scene at the caret; one undo
// step takes back all it changed.
void ShowBreakdownSheetEditor(TMDIChild& script);

// The one-line input of the editor (an item, the company name): the text,
// or nothing when cancelled.
std::optional<std::string> AskItemText(const std::string& caption, const std::string& text,
                                       const std::vector<std::string>& choices);
// The scene description's multi-line input.
std::optional<std::string> AskDescription(const std::string& text);

}  // namespace qm

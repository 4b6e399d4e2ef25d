// The linkage graph window of a branching script: one target's graph, a
// click on a box to move through the graph or back to the script, a double
// click elsewhere to add a branch point, and the graphs of a range printed.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "story/linkage_graph.h"
#include "story/linkage_graph_drawing.h"

namespace qm {
class TMDIChild;
}

namespace qm::story {

class TLinkagesDlg : public TForm {
 public:
  TLinkagesDlg(TComponent* owner, TMDIChild& script);
  ~TLinkagesDlg();

  TComboBox* JumpPositionBox;
  TPaintBox* PaintBox1;
  TButton* ExitBtn;
  TSpeedButton* SpeedButton2;
  TPanel* PrintPanel;
  TLabel* StatusLine;

  // Builds the graph (asking to create a first target when there is none)
  // and shows it modally; false when it did not open.
  bool Execute();
  // Every target, its links and the box's entries in order.
  void SetupAllLinks();
  // The number of the target the box shows, or -1.
  std::int64_t SelectedNumber() const;
  void Paint();
  void MouseMove(int x, int y);
  void MouseDown(TMouseButton button, bool twice, int x, int y);
  // Prints the graphs from one entry of the box to another.
  bool PrintGraphs(int from, int to);

  TLinkageGraph Graph;
  const TLinkageDrawing& Drawing() const { return *drawing_; }

 private:
  bool CreateFirstTarget();
  void SelectNearestTarget();
  void SelectNumber(Word number);
  void ReturnToScript(Word number);
  void AddBranch();
  void AskAndPrint();
  void EnableAll(bool enabled);
  // While the graph shows, the program's hints go to its own status line
  // (ShowGraphHint hears them), and back to where they went after.
  void TakeHints();
  void ShowGraphHint();
  void RestoreHints();

  TMDIChild& script_;
  std::unique_ptr<TLinkageDrawing> drawing_;
  Word stopNumber_ = 0;
  bool printing_ = false;
  bool hintsShown_ = false;
  TNotifyEvent previousHintHandler_;
  bool f11Pressed_ = false;
};

// Asks for the first and last target to print, on the one shown; false
// when cancelled.
bool AskPrintRange(const std::vector<std::string>& labels, int& from, int& to);

// Opens the graph on the active script.
void ShowLinkageGraph();

}  // namespace qm::story

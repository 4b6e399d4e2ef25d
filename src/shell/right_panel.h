// The right panel of the main window: the element buttons at its top, the
// vertical scroll bar that spans the whole script (the script window has
// none of its own) and the two page buttons under it.
#pragma once

#include "platform/types.h"

namespace qm {

class TMainForm;
class TMDIChild;
class TObject;
class TPanel;
class TScrollBar;
class TOfficeButton;
enum class TScrollCode;
struct TElementButtonRow;
struct TElementButtonSet;

class TRightPanel {
 public:
  explicit TRightPanel(TMainForm& form);
  ~TRightPanel();

  TPanel* RightPanel = nullptr;
  TPanel* ElementButtonPanel = nullptr;
  TScrollBar* RightScroll = nullptr;
  TOfficeButton* PageUpBtn = nullptr;
  TOfficeButton* PageDownBtn = nullptr;
  // The horizontal bar along the foot: the text's pixel offset.
  TScrollBar* HorizScrollBar = nullptr;

  // The bar, the page buttons and the element buttons placed for the
  // panel's height and the active script.
  void LayoutRightSpeedBar();
  // Shown while a script is open, its display option is ticked and more
  // than the top menu is shown; then laid out for the active script.
  void FollowScript(bool open);
  // The bar's place (the caret's height in the script) and its range (the
  // whole script's height), in screen lines; set only when they differ.
  void SetScrollPlace(int position, int maximum);
  // The user's move of the bar.
  void RightScrollScroll(TScrollCode code, int& scrollPos);
  // The bar's hint tells what a click with Ctrl does under "Right Scroll
  // By Screen"; the settings read and the settings saved word it each
  // their own way.
  void ShowScrollHint(bool saved);
  // A page button pressed: a left click goes to the top of the next
  // (previous) page while "Right Scroll By Screen" is on, else scrolls by
  // a window; a right click the other.
  void PageCommand(bool down, TMouseButton button, TShiftState shift);
  // The horizontal bar moved: the caret kept in sight, the text shifted.
  void HorizScrollBarScrolling(int& scrollPos);
  // Pages not yet made ("Not Real-Time", or a layout due) are made before
  // moving by them: the page buttons and Goto Page.
  void MakePagesFirst(TMDIChild& script) const;

 private:
  void MakeElementButtons();
  // An element button: in an interactive script the four top ones run the
  // multimedia commands; any other starts its element at the caret, or
  // with a block marked hands its letter to the element box.
  void ElementButtonClick(const TElementButtonRow& row, TObject* sender);
  TElementButtonSet FindElementButtons() const;
  // The normal set of element buttons, or the multimedia set for an
  // interactive script (no transition button, the scene button in its place).
  void LayoutElementButtons();
  // The captions, hints and pictures of one of the two sets, and the
  // type list's names for it.
  void ShowButtonSet(bool multimedia);
  void LineUpFromTop();
  void LineDownFromBottom();

  TMainForm& form_;
  bool horizScrollBusy_ = false;
  // The button set last given captions and pictures: -1 none yet, else
  // multimedia, or normal with or without Ctrl+S saving.
  int shownSet_ = -1;
};

}  // namespace qm

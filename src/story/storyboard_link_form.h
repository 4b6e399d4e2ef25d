// The "Story Board Linking" form: a frame's picture and the script text
// linked to it, with the buttons that create a linked frame, step from
// frame to frame, go to the storyboard program or delete the link. At most
// one is open; a click in the script closes it.
#pragma once

#include <functional>
#include <string>

#include "platform/forms.h"
#include "platform/types.h"

namespace qm {
class TMDIChild;
class TScriptDocument;
}  // namespace qm

namespace qm::story {

inline constexpr const char* CreateLinkedFrameCaption = "Create Linked Frame";
// At most this many characters of script text show in the form.
constexpr std::size_t LinkTextLimit = 3841;

class TStoryBoardLinkForm : public TForm {
 public:
  TStoryBoardLinkForm(TComponent* owner, TMDIChild& script);
  ~TStoryBoardLinkForm() override;

  TPanel* Panel1;
  TImage* Image1;
  TMemo* LinkText;
  TButton* EstablishLinkBtn;
  TButton* DeleteLinkBtn;
  TButton* CancelBtn;
  TButton* PrevBtn;
  TButton* NextBtn;
  DWord LinkFrameId = 0;
  Byte CheckPending = 0;

  void FormShow();
  void EstablishLinkBtnClick();
  // To the previous or next run of linked elements and its frame.
  void StepFrame(bool forward);
  void DeleteLinkBtnClick();
  void Image1DblClick();
  void Image1MouseUp();
  void FillLinkTextFromBlock();
  void FillLinkTextFromLink();

  // Losing activation to another window of the program closes the form,
  // though not at once: the close is posted, so that it never frees the
  // form inside its own handlers.
  void WndProc(TMessage& m) override;

 private:
  // Runs one of the form's handlers; a box it shows takes the activation
  // without closing the form.
  void RunHandler(const std::function<void()>& handler);
  void Deactivated();
  bool Creating() const;
  // The anchor frame the new one follows, and a new frame after it; 0 when
  // none could be made.
  DWord MakeFrame();
  void ShowInvalidFrame();
  // The frame picture from the clipboard, when one is there.
  void LoadPicture();
  void RestoreScriptMouse();
  // Whether the form's script is still open: its buttons do nothing else.
  bool ScriptOpen() const;

  TMDIChild& script_;
  TMouseEvent savedMouseDown_;
  TMouseEvent savedMouseUp_;
  bool routed_ = false;
  int handling_ = 0;
};

// The open form, or null.
TStoryBoardLinkForm* StoryboardLinkForm();
// Opens the form for a frame unless one is open already.
void ShowStoryboardLinkForm(DWord frameId, bool creating = false);
void CloseStoryboardLinkForm();
// Create New Frame: the selected text linked to a new frame of the storyboard.
void CreateLinkedFrame();

// The script text of elements for the form: speeches run together, other
// elements apart, codes left out.
std::string LinkTextOf(const TScriptDocument& script, const TScriptElement* first, const TScriptElement* last);

}  // namespace qm::story

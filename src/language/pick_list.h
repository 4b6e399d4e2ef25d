// The one pop-up pick list of the program: a small borderless window with
// one owner-drawn list. It follows the typing of a character name beside
// the caret, drops down the shots, transitions or locations of the
// element being typed, serves as the go-to menu of scenes and branch
// targets, and as a modal picker with a prompt for other dialogs. Callers
// fill `List` before they show it.
//
// Modal results: 1 accepted (Enter, a left click), 2 cancelled (Esc, the
// "X", a right click, an empty list), 6 closed because the typed text
// matched no entry (the typed text is then the only entry).
#pragma once

#include <string>
#include <vector>

#include "platform/forms.h"

namespace qm {

class TMDIChild;

constexpr TModalResult mrNoMatch = 6;

class TListMenu : public TForm {
 public:
  explicit TListMenu(TComponent* owner);
  ~TListMenu() override;

  TPanel* Panel1;
  TListBox* List;
  // The prompt line above the list; the window is dragged by it.
  TPanel* PromptPanel;
  // The close box on the prompt line.
  TPanel* FakeX;

  // 0 when nothing was picked, else the picked entry's index + 1.
  int PickedIndex = 0;
  // The height before a use, given back when the window closes.
  Word SavedHeight = 0;
  // The list's font is applied again before the next match.
  bool FontPending = false;
  // Keys typed into the focused list are collected and matched.
  bool ListTyping = false;
  // A typed prefix that matches nothing leaves the list open.
  bool KeepOnNoMatch = false;
  // The list is modal and has the keyboard.
  bool ListHasFocus = false;
  bool ExtensionMode = false;
  // What has been typed into the list so far, upper case.
  std::string TypedText;
  // A key the element list had no use for: it goes on to the script once
  // the list has closed.
  Word PassedKey = 0;
  TShiftState PassedShift;
  bool MouseWentDown = false;
  TPoint DragOrigin;

  // Shows the list modally in the middle of the screen under the prompt
  // (no prompt line when it is empty). The picked index + 1, or 0.
  int ShowPicker(const std::string& prompt, bool sorted, bool multiSelect);
  // Beside the caret: without `modal` the keyboard stays with the script
  // (and a line holding "(" shows the extension list instead); with it the
  // list has the keyboard and the modal result comes back.
  TModalResult ShowAtCaret(bool modal);
  // The list of the element being typed, modally over the script; an
  // empty list is never shown (with a message unless `quiet`).
  TModalResult ShowElementList(bool quiet);
  // The go-to menu of scenes or branch targets, the entry at the index
  // selected.
  TModalResult ShowGotoList(int currentIndex);
  void ClearList();
  // Selects the first entry that begins with the typed text.
  void MatchTypedText(const std::string& typed);
  // The extension list beside the caret of a character name.
  void ShowExtensionList();
  // Hides the list when it is up, as cancelled.
  void DoneWithList();

  void ListDrawItem(TWinControl* control, int index, TRect rect, unsigned state);
  void ListKeyDown(TObject* sender, Word& key, TShiftState shift);
  void ListKeyPress(TObject* sender, char& key);
  void ListClick(TObject* sender);
  void ListDblClick(TObject* sender);
  void ListMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void ListMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void PromptPanelMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void PromptPanelMouseMove(TObject* sender, TShiftState shift, int x, int y);
  void PromptPanelResize(TObject* sender);
  void FakeXMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void FakeXMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void FormShow(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);

 private:
  void Finish(TModalResult result);
  void SetUse(bool listTyping, bool hasFocus, bool extension);
  void ApplyListFont();
  void SizeRows();
  int FitWidth(int start, int margin);
  void LayOutChildren();
  void PlaceAtCaret(TMDIChild& script, bool extensionList);
  // The go-to menu, in the middle of the script window.
  void PlaceOverScript(TMDIChild& script);
  bool CharacterNameCase() const { return !ListTyping && !ListHasFocus && !ExtensionMode; }
  std::string InitialLetterName(TMDIChild& script, char letter) const;
  void TypeIntoList(char ch);
  bool PassesKeyOn(Word key) const;
  void RemoveLeadingPlaceholdersAndRepeats();
  void MoveSelection(int step);
};

// The one pick list, made on first use; it stays until the program ends.
extern TListMenu* ListMenu;
TListMenu& ListMenuInstance();

// The script window calls this after the writer typed a letter into a
// Character Name: the script's names that begin with the edit line's first
// letter (hidden names left out unless they speak in this scene and
// "Skip Name Hide" is on) are offered beside the caret, and the entry
// matching the edit line is selected. Nothing once the line holds "(".
void OfferCharacterNames(TMDIChild& script);
// The entries in the list at the caret until one is chosen, which is then
// typed in at the caret; nothing for no entries.
void PickIntoScript(TMDIChild& script, const std::vector<std::string>& entries);

}  // namespace qm

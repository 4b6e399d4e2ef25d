// The program's help: the quick-help page, a sample script page whose
// parts explain themselves when clicked, and the message that stands in
// for the help topics (this program has no help file).
#pragma once

#include <span>
#include <string>

#include "platform/forms.h"

namespace qm {

// One clickable part of the sample page.
struct THelpPageItem {
  const char* name;         // the label's name
  const char* title;        // the explanation's caption
  const char* caption;      // what the sample page shows
  int left, top, width;     // its place on the page
  const char* explanation;  // what a click shows
};
std::span<const THelpPageItem> HelpPageItems();
// The explanation of the part a label shows; empty for anything else.
std::string HelpPageExplanation(const std::string& labelName);

class THelpPageDialog : public TForm {
 public:
  explicit THelpPageDialog(TComponent* owner);

  // The two pages: the sample page ("Default") and the hidden one.
  TPanel* DefaultPage;
  TPanel* NoFeathersPage;
  TLabel* ProgramIcon;
  TButton* OKBtn;

  // "Default" or "No Feathers".
  std::string ActivePageName() const;
  // Shows the explanation of the clicked part of the sample page.
  void ItemClick(TObject* sender);
  void ProgramIconClick(TObject* sender);
  void NoFeathersClick(TObject* sender);

 private:
  void ShowPage(bool noFeathers);
};

// The Quick Help command: the page, modally.
void ShowQuickHelpPage();

// Says that the help `what` names ("the help contents", "the help topic
// ...") cannot be shown: the program has no help file.
void ShowNoHelpFile(const std::string& what);

}  // namespace qm

// The thesaurus component: the caller sets the database file and a word,
// runs it, and learns whether a word was chosen and which. The window is
// made on the first run and, unless freed on close, kept for the next.
#pragma once

#include <memory>
#include <string>

#include "language/thesaurus/thesaurus_window.h"
#include "language/thesaurus/wweb_database.h"
#include "platform/controls.h"

namespace qm::thesaurus {

class TCustomWordWeb : public TComponent {
 public:
  explicit TCustomWordWeb(TComponent* owner);
  ~TCustomWordWeb() override;

  void SetDatabaseFile(const std::string& name);
  const std::string& DatabaseFile() const { return database_.FileName(); }
  std::string LookupWord;
  std::string Caption;
  std::string CopyButtonCaption;
  TCopyButtonPressAction CopyClickAction = TCopyButtonPressAction::cbpCloseAndReturn;
  TListDoubleClickAction ListDblClickAction = TListDoubleClickAction::ldcLookupWord;
  bool FreeOnClose = true;
  bool RememberPosition = true;
  bool ScreenCentered = true;
  bool MatchPartOfSpeech = true;
  bool TryDerivedForms = true;
  void SetWinLeft(int left);
  void SetWinTop(int top);
  int WinLeft() const { return winLeft_; }
  int WinTop() const { return winTop_; }
  TNotifyEvent OnCopyClick;
  TNotifyEvent OnExecute;

  // Shows the window modally; true when it closed with OK.
  bool Execute();
  std::string ResultText() const;
  TWWForm* Window() const { return window_; }
  TWWDatabase& Database() { return database_; }

 protected:
  int WinWidth = 500;
  int WinHeight = 340;
  int FontSize = 0;
  int DefinitionsHeightPercent = DefaultDefinitionsPercent;

 private:
  TWWDatabase database_;
  TWWForm* window_ = nullptr;
  std::string resultText_;
  int winLeft_ = 40;
  int winTop_ = 40;
};

class TWordWeb : public TCustomWordWeb {
 public:
  explicit TWordWeb(TComponent* owner) : TCustomWordWeb(owner) {}
  using TCustomWordWeb::DefinitionsHeightPercent;
  using TCustomWordWeb::FontSize;
  using TCustomWordWeb::WinHeight;
  using TCustomWordWeb::WinWidth;
};

}  // namespace qm::thesaurus

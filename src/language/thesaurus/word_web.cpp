#include "language/thesaurus/word_web.h"

namespace qm::thesaurus {

TCustomWordWeb::TCustomWordWeb(TComponent* owner) : TComponent(owner) {}

TCustomWordWeb::~TCustomWordWeb() {
  if (window_) {
    window_->OnGone = nullptr;
    delete window_;
  }
}

void TCustomWordWeb::SetDatabaseFile(const std::string& name) { database_.SetFileName(name); }

void TCustomWordWeb::SetWinLeft(int left) {
  winLeft_ = left;
  ScreenCentered = false;
}

void TCustomWordWeb::SetWinTop(int top) {
  winTop_ = top;
  ScreenCentered = false;
}

std::string TCustomWordWeb::ResultText() const { return window_ ? window_->SelectedText() : resultText_; }

bool TCustomWordWeb::Execute() {
  const bool fresh = window_ == nullptr;
  if (fresh) {
    window_ = new TWWForm(Application, database_);
    window_->BorderIcons = window_->BorderIcons & ~biMaximize;
    window_->SetDefinitionsHeightPercent(DefinitionsHeightPercent);
    if (!CopyButtonCaption.empty()) window_->CopyButton->Caption = CopyButtonCaption;
    window_->OnGone = [this] { window_ = nullptr; };
  }
  if (FontSize != 0) {
    window_->Defs->Font.Size = FontSize;
    window_->Synonyms->Font.Size = FontSize;
  }
  if (!Caption.empty()) window_->Caption = Caption;
  database_.Suspended = true;
  database_.SetMatchPartOfSpeech(MatchPartOfSpeech);
  database_.SetTryDerivedForms(TryDerivedForms);
  database_.Suspended = false;
  if (fresh || !RememberPosition) {
    if (ScreenCentered) {
      window_->Width = WinWidth;
      window_->Height = WinHeight;
    } else {
      window_->Position = TPosition::poDesigned;
      window_->SetBounds(winLeft_, winTop_, WinWidth, WinHeight);
    }
  }
  window_->CopyAction = CopyClickAction;
  window_->DoubleClickAction = ListDblClickAction;
  window_->OnCopyClick = OnCopyClick;
  window_->Relayout();
  if (!LookupWord.empty()) {
    window_->SetWord(LookupWord);
    window_->Search();
  }
  if (OnExecute) OnExecute(this);
  const bool chosen = window_->ShowModal() == mrOk;
  LookupWord = window_->CurrentWord();
  resultText_ = window_->SelectedText();
  if (RememberPosition) {
    winLeft_ = window_->Left;
    winTop_ = window_->Top;
    WinWidth = window_->Width;
    WinHeight = window_->Height;
  }
  if (FreeOnClose) {
    delete window_;
    window_ = nullptr;
  }
  return chosen;
}

}  // namespace qm::thesaurus

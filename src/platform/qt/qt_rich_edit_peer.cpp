// The rich-text edit as a QTextEdit. The core types, deletes and styles;
// the widget moves the caret and the selection, copies and pastes, and
// what it changes is read back character by character.
#include "platform/qt/qt_rich_edit_peer.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "platform/cp1252.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_keys.h"
#include "platform/rich_edit.h"

namespace qm {

namespace {

QTextCharFormat FormatOf(const TTextAttributes& look) {
  QTextCharFormat format;
  format.setFontWeight(look.Style & fsBold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(look.Style & fsItalic);
  format.setFontUnderline(look.Style & fsUnderline);
  format.setFontStrikeOut(look.Style & fsStrikeOut);
  if (look.Color != clNone) format.setForeground(QtColorOf(look.Color));
  return format;
}

TColor ColorOf(const QColor& c) { return static_cast<TColor>(c.red() | (c.green() << 8) | (c.blue() << 16)); }

TTextAttributes LookOf(const QTextCharFormat& format) {
  TTextAttributes look;
  if (format.fontWeight() >= QFont::DemiBold) look.Style |= fsBold;
  if (format.fontItalic()) look.Style |= fsItalic;
  if (format.fontUnderline()) look.Style |= fsUnderline;
  if (format.fontStrikeOut()) look.Style |= fsStrikeOut;
  if (format.hasProperty(QTextFormat::ForegroundBrush)) look.Color = ColorOf(format.foreground().color());
  return look;
}

class RichEditPeer : public QtPeer {
 public:
  RichEditPeer(QtBackend& backend, TRichEdit& edit) : QtPeer(backend, edit), edit_(edit) {}
  void Init() override {
    auto* w = new PeerWidget<QTextEdit>(this);
    w->setAcceptRichText(false);
    w->setTabChangesFocus(true);
    QObject::connect(w, &QTextEdit::cursorPositionChanged, w, FromUser([this] { SelectionFromWidget(); }));
    QObject::connect(w, &QTextEdit::selectionChanged, w, FromUser([this] { SelectionFromWidget(); }));
    // Edits of the mouse and the context menu.
    QObject::connect(w, &QTextEdit::textChanged, w, FromUser([this] { FromWidget(); }));
    Attach(w, w);
    ToWidget();
  }

 protected:
  QTextEdit* Edit() const { return static_cast<QTextEdit*>(Widget()); }
  void Sync(PropId id) override {
    QtPeer::Sync(id);
    if (id == PropId::Text || id == PropId::Style) ToWidget();
    if (id == PropId::Selection) SelectionToWidget();
  }
  void SyncColor() override {
    if (Edit()) SetTextColors(*Edit(), edit_, QPalette::Base);
  }
  // Moving about, copying and pasting are the widget's; typing and the
  // style keys are the core's.
  bool NativeAfterCore(QKeyEvent* e, const std::string&) override {
    if (e->modifiers() & Qt::AltModifier) return false;
    if (IsNavigationKey(e->key())) return true;
    if (!(e->modifiers() & Qt::ControlModifier)) return false;
    switch (e->key()) {
      case Qt::Key_A:
      case Qt::Key_C: return true;
      case Qt::Key_V:
      case Qt::Key_X: return !edit_.ReadOnly();
      default: return false;
    }
  }
  void AfterKey(bool nativeRan) override {
    if (nativeRan) FromWidget();
    else ToWidget();
  }

 private:
  void ToWidget() {
    QTextEdit* w = Edit();
    if (!w) return;
    syncing_ = true;
    w->setReadOnly(edit_.ReadOnly());
    w->setVerticalScrollBarPolicy(edit_.VerticalScrollBar() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    if (Shown() != edit_.Text() || ShownLooks() != edit_.Attributes()) {
      const int scroll = w->verticalScrollBar()->value();
      w->clear();
      QTextCursor cursor(w->document());
      const std::string& text = edit_.Text();
      const auto& looks = edit_.Attributes();
      std::size_t at = 0;
      while (at < text.size()) {
        std::size_t end = at + 1;
        while (end < text.size() && looks[end] == looks[at] && text[end] != '\n' && text[at] != '\n') ++end;
        if (text[at] == '\n') cursor.insertBlock();
        else cursor.insertText(QString::fromStdString(AnsiToUtf8(text.substr(at, end - at))), FormatOf(looks[at]));
        at = end;
      }
      w->verticalScrollBar()->setValue(scroll);
    }
    syncing_ = false;
    SelectionToWidget();
  }
  void SelectionToWidget() {
    QTextEdit* w = Edit();
    if (!w) return;
    syncing_ = true;
    QTextCursor cursor(w->document());
    const int size = w->document()->characterCount() - 1;
    cursor.setPosition(std::clamp(edit_.SelStart(), 0, size));
    cursor.setPosition(std::clamp(edit_.SelStart() + edit_.SelLength(), 0, size), QTextCursor::KeepAnchor);
    w->setTextCursor(cursor);
    syncing_ = false;
  }
  // The widget's text and looks, one byte and one look a character.
  std::string Shown() const {
    std::string text;
    ForEachCharacter([&](char c, const TTextAttributes&) { text += c; });
    return text;
  }
  std::vector<TTextAttributes> ShownLooks() const {
    std::vector<TTextAttributes> looks;
    ForEachCharacter([&](char, const TTextAttributes& look) { looks.push_back(look); });
    return looks;
  }
  template <class F>
  void ForEachCharacter(F each) const {
    QTextEdit* w = Edit();
    if (!w) return;
    bool first = true;
    for (QTextBlock block = w->document()->begin(); block.isValid(); block = block.next()) {
      if (!first) each('\n', TTextAttributes{});
      first = false;
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const std::string bytes = Utf8ToAnsi(fragment.text().toStdString());
        const TTextAttributes look = LookOf(fragment.charFormat());
        for (char c : bytes) each(c, look);
      }
    }
  }
  void FromWidget() {
    if (!Edit()) return;
    const auto alive = alive_;
    syncing_ = true;
    edit_.SetContent(Shown(), ShownLooks());
    if (!*alive) return;
    syncing_ = false;
    SelectionFromWidget();
  }
  void SelectionFromWidget() {
    QTextEdit* w = Edit();
    if (!w) return;
    const QTextCursor cursor = w->textCursor();
    syncing_ = true;
    edit_.SetSelection(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart());
    syncing_ = false;
  }
  TRichEdit& edit_;
};

}  // namespace

std::unique_ptr<QtPeer> MakeRichEditPeer(QtBackend& backend, TRichEdit& edit) {
  return std::make_unique<RichEditPeer>(backend, edit);
}

}  // namespace qm

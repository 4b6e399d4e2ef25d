// The standard controls as Qt widgets. The core keeps each control's
// state; a widget shows it and turns the user's acts into the control's
// own calls (Click, SetItemIndex, Scroll...).
#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QCheckBox>

#include "platform/cp1252.h"
#include "platform/forms.h"
#include "platform/file_controls.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_file_list_peer.h"
#include "platform/qt/qt_form_peer.h"
#include "platform/qt/qt_peer.h"
#include "platform/qt/qt_rich_edit_peer.h"
#include "platform/rich_edit.h"

namespace qm {

void SetTextColors(QWidget& w, const TControl& control, QPalette::ColorRole background) {
  QPalette palette = w.palette();
  palette.setColor(background, QtColorOf(control.Color));
  const QColor text = QtColorOf(control.Font.Color);
  // A disabled caption is grey, here and in the controls that take this
  // palette over, yet still reads on the button face; an edit's text keeps
  // its colour.
  const QColor disabled = background == QPalette::Base ? text : QtColorOf(clGrayText);
  for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
    palette.setColor(QPalette::Active, role, text);
    palette.setColor(QPalette::Inactive, role, text);
    palette.setColor(QPalette::Disabled, role, disabled);
  }
  w.setPalette(palette);
}

namespace {

QString Q(const std::string& cp1252) { return QString::fromStdString(AnsiToUtf8(cp1252)); }
std::string A(const QString& text) { return Utf8ToAnsi(text.toStdString()); }

Qt::Alignment AlignmentOf(TAlignment a) {
  switch (a) {
    case TAlignment::taCenter: return Qt::AlignHCenter;
    case TAlignment::taRightJustify: return Qt::AlignRight;
    default: return Qt::AlignLeft;
  }
}

// ---------------------------------------------------------------------------
// Plain containers: a TWinControl that is not a canvas (tab sheets and
// the like), and graphic controls without a widget of their own kind.

class ContainerPeer : public QtPeer {
 public:
  using QtPeer::QtPeer;
  void Init() override {
    auto* w = new MouseWidget<QWidget>(this);
    w->setAutoFillBackground(true);
    Attach(w, w);
  }

 protected:
  void SyncColor() override {
    if (QWidget* w = Widget()) SetTextColors(*w, Control(), QPalette::Window);
  }
  void SyncCaption() override {
    if (QtPeer* parent = PeerOf(Control().Parent())) parent->ChildChanged(Control());
  }
};

// ---------------------------------------------------------------------------
// Labels, bevels, gauges, images

// A caption as rich text with the letter at `letter` underlined, as the
// desktop shows the letter Alt reaches.
QString UnderlinedHotkey(const std::string& caption, std::size_t letter) {
  const auto text = [](const std::string& part) {
    QString html = Q(StripHotkey(part)).toHtmlEscaped();
    return html.replace("\r\n", "<br>").replace('\r', "<br>").replace('\n', "<br>");
  };
  return "<span style=\"white-space:pre-wrap\">" + text(caption.substr(0, letter - 1)) + "<u>" +
         Q(caption.substr(letter, 1)).toHtmlEscaped() + "</u>" + text(caption.substr(letter + 1)) + "</span>";
}

class LabelPeer : public QtPeer {
 public:
  LabelPeer(QtBackend& backend, TLabel& label) : QtPeer(backend, label), label_(label) {}
  void Init() override {
    auto* w = new MouseWidget<QLabel>(this);
    w->setTextFormat(Qt::PlainText);
    Attach(w, w);
  }

 protected:
  QLabel* Label() const { return static_cast<QLabel*>(Widget()); }
  void SyncCaption() override {
    if (!Label()) return;
    ShowText();
    Label()->setAlignment(AlignmentOf(label_.Alignment) | Qt::AlignTop);
    SyncBounds();
  }
  // The lines are the ones the program measured the label by, so that its
  // size holds them all; a caption with an underlined letter keeps its
  // own line breaks and lets the desktop wrap it.
  void ShowText() {
    const std::string& caption = label_.Caption();
    const std::size_t letter = label_.ShowAccelChar ? HotkeyIndex(caption) : std::string::npos;
    Label()->setTextFormat(letter == std::string::npos ? Qt::PlainText : Qt::RichText);
    if (letter != std::string::npos) {
      Label()->setText(UnderlinedHotkey(caption, letter));
      Label()->setWordWrap(label_.WordWrap);
      return;
    }
    TCanvas measure;
    measure.Font.Assign(label_.Font);
    measure.ControlText = true;
    const unsigned flags = (label_.WordWrap ? DT_WORDBREAK : 0u) | (label_.ShowAccelChar ? 0u : DT_NOPREFIX);
    const std::vector<std::string> lines = measure.TextLines(caption, label_.Width, flags);
    Label()->setWordWrap(false);
    if (lines.size() == 1) {
      Label()->setText(Q(lines.front()));
      return;
    }
    // Lines as far apart as they were measured: the desktop's own spacing
    // is wider, and the last line fell outside the label.
    QStringList shown;
    for (const std::string& line : lines) shown << Q(line).toHtmlEscaped();
    Label()->setTextFormat(Qt::RichText);
    Label()->setText(
        QString("<p style=\"margin:0; white-space:pre; line-height:%1px; -qt-line-height-type:fixed\">%2</p>")
            .arg(measure.TextHeight("Wg"))
            .arg(shown.join("<br>")));
  }
  // A label sized to its caption shows it whole: the desktop may draw the
  // text a few pixels wider than the program measured it.
  void SyncBounds() override {
    if (label_.WordWrap && Label() && Label()->width() != label_.Width) ShowText();
    QtPeer::SyncBounds();
    QLabel* w = Label();
    if (!w || !label_.AutoSize || label_.WordWrap || label_.Alignment != TAlignment::taLeftJustify) return;
    const int drawn = w->sizeHint().width();
    if (drawn > w->width()) w->resize(drawn, w->height());
  }
  void SyncColor() override {
    if (!Label()) return;
    SetTextColors(*Label(), label_, QPalette::Window);
    Label()->setAutoFillBackground(!label_.Transparent);
  }

 private:
  TLabel& label_;
};

class BevelPeer : public QtPeer {
 public:
  BevelPeer(QtBackend& backend, TBevel& bevel) : QtPeer(backend, bevel), bevel_(bevel) {}
  void Init() override {
    auto* w = new MouseWidget<QFrame>(this);
    const bool lowered = bevel_.Style == TBevelStyle::bsLowered;
    switch (bevel_.Shape) {
      case TBevelShape::bsTopLine:
      case TBevelShape::bsBottomLine: w->setFrameShape(QFrame::HLine); break;
      case TBevelShape::bsLeftLine:
      case TBevelShape::bsRightLine: w->setFrameShape(QFrame::VLine); break;
      case TBevelShape::bsSpacer: w->setFrameShape(QFrame::NoFrame); break;
      default: w->setFrameShape(QFrame::Box); break;
    }
    w->setFrameShadow(lowered ? QFrame::Sunken : QFrame::Raised);
    // A bevel is drawn behind the controls it frames and never takes their
    // clicks, wherever it stands in its parent's order.
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
    Attach(w, w);
    w->lower();
  }

 private:
  TBevel& bevel_;
};

class GaugePeer : public QtPeer {
 public:
  GaugePeer(QtBackend& backend, TGauge& gauge) : QtPeer(backend, gauge), gauge_(gauge) {}
  void Init() override {
    auto* w = new MouseWidget<QProgressBar>(this);
    Attach(w, w);
    Sync(PropId::Position);
  }

 protected:
  void Sync(PropId id) override {
    QtPeer::Sync(id);
    auto* bar = static_cast<QProgressBar*>(Widget());
    if (!bar || id != PropId::Position) return;
    bar->setOrientation(gauge_.Kind == TGaugeKind::gkVerticalBar ? Qt::Vertical : Qt::Horizontal);
    bar->setRange(gauge_.MinValue, std::max(gauge_.MinValue, gauge_.MaxValue));
    bar->setValue(std::clamp<int>(gauge_.Progress, gauge_.MinValue, std::max(gauge_.MinValue, gauge_.MaxValue)));
    bar->setTextVisible(gauge_.ShowText);
  }

 private:
  TGauge& gauge_;
};

class ImageWidget : public MouseWidget<QWidget> {
 public:
  ImageWidget(QtPeer* peer, TImage& image) : MouseWidget<QWidget>(peer), image_(image) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!LinkedPeer() || image_.Picture.Empty()) return;
    auto* sink = dynamic_cast<PainterSink*>(image_.Picture.Surface());
    const QImage* picture = sink ? sink->ImageForReading() : nullptr;
    if (!picture) return;
    QPainter p(this);
    QRect target(QPoint(0, 0), picture->size());
    if (image_.Stretch) target = rect();
    else if (image_.Center) target.moveCenter(rect().center());
    p.drawImage(target, *picture);
  }

 private:
  TImage& image_;
};

class ImagePeer : public QtPeer {
 public:
  ImagePeer(QtBackend& backend, TImage& image) : QtPeer(backend, image), image_(image) {}
  void Init() override {
    auto* w = new ImageWidget(this, image_);
    Attach(w, w);
  }

 private:
  TImage& image_;
};

// ---------------------------------------------------------------------------
// Buttons

class ButtonPeer : public QtPeer {
 public:
  ButtonPeer(QtBackend& backend, TButton& button) : QtPeer(backend, button), button_(button) {}
  void Init() override {
    auto* w = new PeerWidget<QPushButton>(this);
    QObject::connect(w, &QPushButton::clicked, w, [this, alive = alive_] {
      if (*alive && Alive()) button_.Click();
    });
    Attach(w, w);
  }

 protected:
  KeyRoute Route() const override { return KeyRoute::CoreThenNative; }
  void SyncCaption() override {
    auto* w = static_cast<QPushButton*>(Widget());
    if (!w) return;
    w->setText(Q(button_.Caption()));
    w->setDefault(button_.Default);
    if (auto* bit = dynamic_cast<TBitBtn*>(&button_)) w->setIcon(StockIcon(*w, bit->Kind()));
  }
  // A box that changes which button Return presses frames that one.
  void Sync(PropId id) override {
    QtPeer::Sync(id);
    if (auto* w = static_cast<QPushButton*>(Widget()); w && id == PropId::Default) w->setDefault(button_.Default);
  }

 private:
  static QIcon StockIcon(QWidget& w, TBitBtnKind kind) {
    switch (kind) {
      case TBitBtnKind::bkOK: return w.style()->standardIcon(QStyle::SP_DialogOkButton);
      case TBitBtnKind::bkCancel: return w.style()->standardIcon(QStyle::SP_DialogCancelButton);
      case TBitBtnKind::bkYes: return w.style()->standardIcon(QStyle::SP_DialogYesButton);
      case TBitBtnKind::bkNo: return w.style()->standardIcon(QStyle::SP_DialogNoButton);
      case TBitBtnKind::bkHelp: return w.style()->standardIcon(QStyle::SP_DialogHelpButton);
      case TBitBtnKind::bkClose: return w.style()->standardIcon(QStyle::SP_DialogCloseButton);
      default: return {};
    }
  }
  TButton& button_;
};

class SpeedButtonPeer : public QtPeer {
 public:
  SpeedButtonPeer(QtBackend& backend, TSpeedButton& button) : QtPeer(backend, button), button_(button) {}
  void Init() override {
    auto* w = new PeerWidget<QToolButton>(this);
    w->setAutoRaise(button_.Flat);
    QObject::connect(w, &QToolButton::clicked, w, [this, alive = alive_] {
      if (!*alive || !Alive()) return;
      button_.Click();
      if (*alive) Sync(PropId::Down);
    });
    Attach(w, w);
    Sync(PropId::Down);
  }

 protected:
  void SyncCaption() override {
    if (auto* w = static_cast<QToolButton*>(Widget())) w->setText(Q(button_.Caption()));
  }
  void Sync(PropId id) override {
    QtPeer::Sync(id);
    auto* w = static_cast<QToolButton*>(Widget());
    if (!w || id != PropId::Down) return;
    w->setCheckable(button_.GroupIndex != 0);
    if (button_.GroupIndex != 0) w->setChecked(button_.Down);
    else w->setDown(button_.Down);
  }

 private:
  TSpeedButton& button_;
};

// A check box or radio button: a click goes to the control, whose state
// then comes back to the widget.
template <class W, class C>
class CheckablePeer : public QtPeer {
 public:
  CheckablePeer(QtBackend& backend, C& control) : QtPeer(backend, control), control_(control) {}
  void Init() override {
    auto* w = new PeerWidget<W>(this);
    Prepare(*w);
    QObject::connect(w, &W::clicked, w, [this, alive = alive_] {
      if (!*alive || !Alive()) return;
      control_.Click();
      if (*alive) Sync(PropId::Checked);
    });
    Attach(w, w);
    Sync(PropId::Checked);
  }

 protected:
  virtual void Prepare(W&) {}
  KeyRoute Route() const override { return KeyRoute::CoreThenNative; }
  void SyncCaption() override {
    if (auto* w = Checkable()) w->setText(Q(control_.Caption()));
  }
  // The caption takes the control's colours, grey while disabled: the
  // desktop's own grey for a disabled caption is made for its lighter
  // face and vanishes on a dialog's.
  void SyncColor() override {
    if (auto* w = Checkable()) SetTextColors(*w, control_, QPalette::Window);
  }
  W* Checkable() const { return static_cast<W*>(Widget()); }

  C& control_;
};

class CheckBoxPeer : public CheckablePeer<QCheckBox, TCheckBox> {
 public:
  using CheckablePeer::CheckablePeer;

 protected:
  void Sync(PropId id) override {
    QtPeer::Sync(id);
    auto* w = Checkable();
    if (!w || id != PropId::Checked) return;
    w->setTristate(control_.AllowGrayed);
    const TCheckBoxState s = control_.State();
    w->setCheckState(s == TCheckBoxState::cbChecked  ? Qt::Checked
                     : s == TCheckBoxState::cbGrayed ? Qt::PartiallyChecked
                                                     : Qt::Unchecked);
  }
};

class RadioButtonPeer : public CheckablePeer<QRadioButton, TRadioButton> {
 public:
  using CheckablePeer::CheckablePeer;

 protected:
  void Prepare(QRadioButton& w) override { w.setAutoExclusive(false); }
  void Sync(PropId id) override {
    QtPeer::Sync(id);
    if (auto* w = Checkable(); w && id == PropId::Checked) w->setChecked(control_.Checked());
  }
};

// ---------------------------------------------------------------------------
// Edits

class EditPeer : public QtPeer {
 public:
  EditPeer(QtBackend& backend, TEdit& edit) : QtPeer(backend, edit), edit_(edit) {}
  void Init() override {
    auto* w = new PeerWidget<QLineEdit>(this);
    // Edits the user makes with the mouse (the context menu's paste).
    QObject::connect(w, &QLineEdit::textEdited, w, FromUser([this] { FromWidget(); }));
    QObject::connect(w, &QLineEdit::selectionChanged, w, FromUser([this] { SelectionFromWidget(); }));
    QObject::connect(w, &QLineEdit::cursorPositionChanged, w, FromUser([this] { SelectionFromWidget(); }));
    Attach(w, w);
    ToWidget();
  }

 protected:
  QLineEdit* Line() const { return static_cast<QLineEdit*>(Widget()); }
  void Sync(PropId id) override {
    QtPeer::Sync(id);
    if (id == PropId::Text || id == PropId::Selection) ToWidget();
  }
  void SyncColor() override {
    if (Line()) SetTextColors(*Line(), edit_, QPalette::Base);
  }
  // The core's edit types characters and moves the caret; selecting with
  // Shift and the Ctrl commands (copy, paste, undo) are the widget's.
  bool NativeAfterCore(QKeyEvent* e, const std::string& typed) override {
    const auto mods = e->modifiers();
    if (mods & Qt::AltModifier) return false;
    if (mods & Qt::ControlModifier) return true;
    if (!(mods & Qt::ShiftModifier)) return false;
    switch (e->key()) {
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Home:
      case Qt::Key_End: return true;
      default: return false;
    }
  }
  void AfterKey(bool nativeRan) override {
    if (nativeRan) FromWidget();
    else ToWidget();
  }

 private:
  void ToWidget() {
    QLineEdit* w = Line();
    if (!w) return;
    syncing_ = true;
    w->setReadOnly(edit_.ReadOnly);
    w->setEchoMode(edit_.PasswordChar ? QLineEdit::Password : QLineEdit::Normal);
    const QString text = Q(edit_.Text());
    if (w->text() != text) w->setText(text);
    const int start = std::clamp(edit_.SelStart, 0, static_cast<int>(text.size()));
    const int length = std::clamp(edit_.SelLength, 0, static_cast<int>(text.size()) - start);
    if (length > 0) w->setSelection(start, length);
    else w->setCursorPosition(start);
    syncing_ = false;
  }
  void FromWidget() {
    QLineEdit* w = Line();
    if (!w) return;
    const auto alive = alive_;
    syncing_ = true;
    edit_.Text = A(w->text());
    if (*alive) syncing_ = false;
    if (*alive) SelectionFromWidget();
  }
  void SelectionFromWidget() {
    QLineEdit* w = Line();
    if (!w) return;
    if (w->hasSelectedText()) {
      edit_.SelStart = static_cast<int>(w->selectionStart());
      edit_.SelLength = static_cast<int>(w->selectedText().size());
    } else {
      edit_.SelStart = w->cursorPosition();
      edit_.SelLength = 0;
    }
  }
  TEdit& edit_;
};

class MemoPeer : public QtPeer {
 public:
  MemoPeer(QtBackend& backend, TMemo& memo) : QtPeer(backend, memo), memo_(memo) {}
  void Init() override {
    auto* w = new PeerWidget<QPlainTextEdit>(this);
    auto previous = memo_.Lines.OnChange;
    memo_.Lines.OnChange = [this, previous, alive = std::weak_ptr<bool>(alive_)](TObject* sender) {
      if (previous) previous(sender);
      if (auto a = alive.lock(); a && *a && !syncing_) ToWidget();
    };
    Attach(w, w);
    ToWidget();
  }

 protected:
  KeyRoute Route() const override { return KeyRoute::Filtered; }
  void AfterKey(bool nativeRan) override {
    auto* w = static_cast<QPlainTextEdit*>(Widget());
    if (!nativeRan || !w) return;
    const std::string text = A(w->toPlainText());
    if (text == Joined()) return;
    syncing_ = true;
    memo_.Lines.SetText(text);
    syncing_ = false;
    if (memo_.OnChange) memo_.OnChange(&memo_);
  }
  void SyncColor() override {
    if (Widget()) SetTextColors(*Widget(), memo_, QPalette::Base);
  }

 private:
  std::string Joined() const {
    std::string text;
    for (int i = 0; i < memo_.Lines.Count(); ++i) text += (i ? "\n" : "") + memo_.Lines[i];
    return text;
  }
  void ToWidget() {
    auto* w = static_cast<QPlainTextEdit*>(Widget());
    if (!w) return;
    w->setReadOnly(memo_.ReadOnly);
    w->setLineWrapMode(memo_.WordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    const QString text = Q(Joined());
    if (w->toPlainText() != text) w->setPlainText(text);
  }
  TMemo& memo_;
};

class ComboWidget : public PeerWidget<QComboBox> {
 public:
  ComboWidget(QtPeer* peer, TComboBox& combo) : PeerWidget<QComboBox>(peer), combo_(combo) {}
  void showPopup() override {
    if (LinkedPeer() && combo_.OnDropDown) combo_.OnDropDown(&combo_);
    QComboBox::showPopup();
  }

 private:
  TComboBox& combo_;
};

class ComboPeer : public QtPeer {
 public:
  ComboPeer(QtBackend& backend, TComboBox& combo) : QtPeer(backend, combo), combo_(combo) {}
  void Init() override {
    auto* w = new ComboWidget(this, combo_);
    w->setEditable(combo_.Style == TComboBoxStyle::csDropDown || combo_.Style == TComboBoxStyle::csSimple);
    w->setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(w, &QComboBox::activated, w, [this, alive = alive_](int index) {
      if (!*alive || !Alive() || syncing_) return;
      combo_.SetItemIndex(index);
      if (*alive) combo_.Click();
      if (*alive && combo_.OnChange) combo_.OnChange(&combo_);
    });
    QObject::connect(w, &QComboBox::editTextChanged, w, [this, alive = alive_](const QString& text) {
      if (*alive && Alive() && !syncing_ && Combo()->isEditable()) combo_.Text = A(text);
    });
    Attach(w, w);
    ToWidget();
  }

 protected:
  QComboBox* Combo() const { return static_cast<QComboBox*>(Widget()); }
  KeyRoute Route() const override { return KeyRoute::Filtered; }
  void Sync(PropId id) override {
    QtPeer::Sync(id);
    if (!Combo()) return;
    if (id == PropId::Style) {
      if (combo_.DroppedDown && !Combo()->view()->isVisible()) Combo()->showPopup();
      if (!combo_.DroppedDown && Combo()->view()->isVisible()) Combo()->hidePopup();
    }
    if (id == PropId::Items || id == PropId::ItemIndex || id == PropId::Text) ToWidget();
  }

 private:
  void ToWidget() {
    QComboBox* w = Combo();
    if (!w) return;
    syncing_ = true;
    QStringList items;
    for (int i = 0; i < combo_.Items.Count(); ++i) items << Q(combo_.Items[i]);
    QStringList shown;
    for (int i = 0; i < w->count(); ++i) shown << w->itemText(i);
    if (shown != items) {
      w->clear();
      w->addItems(items);
    }
    w->setCurrentIndex(combo_.ItemIndex());
    if (w->isEditable() && w->currentText() != Q(combo_.Text())) w->setEditText(Q(combo_.Text()));
    syncing_ = false;
  }
  TComboBox& combo_;
};

// ---------------------------------------------------------------------------
// Scroll bars and pages

class ScrollBarPeer : public QtPeer {
 public:
  ScrollBarPeer(QtBackend& backend, TScrollBar& bar) : QtPeer(backend, bar), bar_(bar) {}
  void Init() override {
    auto* w = new PeerWidget<QScrollBar>(this, bar_.Kind == TScrollBarKind::sbVertical ? Qt::Vertical : Qt::Horizontal);
    // A bar in a dialog's tab order takes the keyboard; its arrows move it.
    w->setFocusPolicy(bar_.TabStop ? Qt::StrongFocus : Qt::NoFocus);
    // The core decides where the bar goes; the slider then shows that.
    QObject::connect(w, &QScrollBar::actionTriggered, w, [this, w, alive = alive_](int action) {
      if (!*alive || !Alive() || syncing_) return;
      TScrollCode code = TScrollCode::scTrack;
      switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: code = TScrollCode::scLineDown; break;
        case QAbstractSlider::SliderSingleStepSub: code = TScrollCode::scLineUp; break;
        case QAbstractSlider::SliderPageStepAdd: code = TScrollCode::scPageDown; break;
        case QAbstractSlider::SliderPageStepSub: code = TScrollCode::scPageUp; break;
        case QAbstractSlider::SliderToMinimum: code = TScrollCode::scTop; break;
        case QAbstractSlider::SliderToMaximum: code = TScrollCode::scBottom; break;
        default: break;
      }
      bar_.Scroll(code, w->sliderPosition());
      if (*alive) w->setSliderPosition(bar_.Position);
    });
    QObject::connect(w, &QScrollBar::sliderReleased, w, [this, w, alive = alive_] {
      if (!*alive || !Alive()) return;
      bar_.Scroll(TScrollCode::scPosition, w->sliderPosition());
      if (*alive) bar_.Scroll(TScrollCode::scEndScroll, bar_.Position);
    });
    Attach(w, w);
    Sync(PropId::Range);
  }

 protected:
  // The core moves the bar with the keys (the widget's own keys run the
  // horizontal bar backwards).
  KeyRoute Route() const override { return KeyRoute::Core; }
  void Sync(PropId id) override {
    QtPeer::Sync(id);
    auto* w = static_cast<QScrollBar*>(Widget());
    if (!w || (id != PropId::Range && id != PropId::Position)) return;
    syncing_ = true;
    w->setRange(bar_.Min, std::max<int>(bar_.Min, bar_.Max - std::max(bar_.PageSize() - 1, 0)));
    w->setPageStep(std::max<int>({1, bar_.PageSize, bar_.LargeChange}));
    w->setSingleStep(std::max(1, bar_.SmallChange));
    w->setValue(bar_.Position);
    syncing_ = false;
  }

 private:
  TScrollBar& bar_;
};

class PageControlPeer : public QtPeer {
 public:
  PageControlPeer(QtBackend& backend, TPageControl& pages) : QtPeer(backend, pages), pages_(pages) {}
  void Init() override {
    auto* w = new PeerWidget<QWidget>(this);
    tabs_ = new QTabBar(w);
    area_ = new QWidget(w);
    QObject::connect(tabs_, &QTabBar::currentChanged, tabs_, [this, alive = alive_](int tab) {
      if (!*alive || !Alive() || syncing_) return;
      const QVariant page = tabs_->tabData(tab);
      if (page.isValid()) pages_.SetActivePageIndex(page.toInt());
    });
    Attach(w, w);
    Refresh();
  }
  QWidget* Container() const override { return area_; }
  void ChildChanged(TControl&) override { Refresh(); }

 protected:
  void Sync(PropId id) override {
    QtPeer::Sync(id);
    if (id == PropId::ActivePage || id == PropId::Bounds) Refresh();
  }

 private:
  void Refresh() {
    if (!tabs_ || !Widget()) return;
    syncing_ = true;
    while (tabs_->count() > 0) tabs_->removeTab(0);
    for (int i = 0; i < pages_.PageCount(); ++i) {
      TTabSheet* sheet = pages_.Pages(i);
      if (!sheet->TabVisible) continue;
      const int tab = tabs_->addTab(Q(StripHotkey(sheet->Caption())));
      tabs_->setTabData(tab, i);
      if (sheet == pages_.ActivePage()) tabs_->setCurrentIndex(tab);
    }
    const int tabHeight = tabs_->sizeHint().height();
    tabs_->setGeometry(0, 0, Widget()->width(), tabHeight);
    area_->setGeometry(0, tabHeight, Widget()->width(), std::max(0, Widget()->height() - tabHeight));
    syncing_ = false;
  }
  TPageControl& pages_;
  QTabBar* tabs_ = nullptr;
  QWidget* area_ = nullptr;
};

// ---------------------------------------------------------------------------
// Canvas controls with something of their own

void DrawBevel(QPainter& p, QRect r, TPanelBevel bevel, int width) {
  if (bevel == TPanelBevel::bvNone || bevel == TPanelBevel::bvSpace) return;
  const QColor light = Qt::white;
  const QColor dark = QColor(128, 128, 128);
  const QColor topLeft = bevel == TPanelBevel::bvRaised ? light : dark;
  const QColor bottomRight = bevel == TPanelBevel::bvRaised ? dark : light;
  for (int i = 0; i < std::max(1, width); ++i) {
    const QRect e = r.adjusted(i, i, -i - 1, -i - 1);
    p.setPen(topLeft);
    p.drawLine(e.topLeft(), e.topRight());
    p.drawLine(e.topLeft(), e.bottomLeft());
    p.setPen(bottomRight);
    p.drawLine(e.bottomLeft(), e.bottomRight());
    p.drawLine(e.topRight(), e.bottomRight());
  }
}

class PanelPeer : public CanvasPeer {
 public:
  PanelPeer(QtBackend& backend, TPanel& panel) : CanvasPeer(backend, panel), panel_(panel) {}

 protected:
  void PaintChrome(QPainter& p) override {
    QRect r(0, 0, panel_.Width, panel_.Height);
    // A single border: one dark line round the bevels.
    if (panel_.BorderStyle == TBorderStyleKind::bsSingle) {
      p.setPen(QColor(64, 64, 64));
      p.drawRect(r.adjusted(0, 0, -1, -1));
      r.adjust(1, 1, -1, -1);
    }
    DrawBevel(p, r, panel_.BevelOuter, panel_.BevelWidth);
    const int outer = panel_.BevelOuter == TPanelBevel::bvNone ? 0 : panel_.BevelWidth;
    r.adjust(outer + panel_.BorderWidth, outer + panel_.BorderWidth, -outer - panel_.BorderWidth,
             -outer - panel_.BorderWidth);
    DrawBevel(p, r, panel_.BevelInner, panel_.BevelWidth);
    if (panel_.Caption().empty()) return;
    p.setFont(QtFonts::WidgetFont(panel_.Font.Desc(), Backend().ScreenDpi()));
    p.setPen(QtColorOf(panel_.Font.Color));
    p.drawText(r.adjusted(2, 0, -2, 0), AlignmentOf(panel_.Alignment) | Qt::AlignVCenter | Qt::TextSingleLine,
               Q(StripHotkey(panel_.Caption())));
  }

 private:
  TPanel& panel_;
};

// A list box ends visibly, as the desktop's do: a list dropped over the
// script (the element list) would otherwise end in the page's white and
// seem to have wiped out the line under its lower edge.
class ListBoxPeer : public CanvasPeer {
 public:
  using CanvasPeer::CanvasPeer;

 protected:
  void PaintEdge(QPainter& p) override {
    p.setPen(QtColorOf(clBtnShadow));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(QPoint(0, 0), Backing().Size()).adjusted(0, 0, -1, -1));
  }
};

class GroupBoxPeer : public CanvasPeer {
 public:
  GroupBoxPeer(QtBackend& backend, TGroupBox& box) : CanvasPeer(backend, box), box_(box) {}

 protected:
  void PaintChrome(QPainter& p) override {
    const QFont font = QtFonts::WidgetFont(box_.Font.Desc(), Backend().ScreenDpi());
    const QFontMetrics fm(font);
    const QString caption = Q(StripHotkey(box_.Caption()));
    const int top = fm.height() / 2;
    DrawBevel(p, QRect(0, top, box_.Width, box_.Height - top), TPanelBevel::bvLowered, 1);
    if (caption.isEmpty()) return;
    const QRect text(8, 0, fm.horizontalAdvance(caption) + 4, fm.height());
    p.fillRect(text, Background());
    p.setFont(font);
    p.setPen(QtColorOf(box_.Font.Color));
    p.drawText(text, Qt::AlignCenter, caption);
  }
  TGroupBox& box_;
};

class RadioGroupPeer : public GroupBoxPeer {
 public:
  RadioGroupPeer(QtBackend& backend, TRadioGroup& group) : GroupBoxPeer(backend, group), group_(group) {}
  void Init() override {
    GroupBoxPeer::Init();
    auto previous = group_.Items.OnChange;
    group_.Items.OnChange = [this, previous, alive = std::weak_ptr<bool>(alive_)](TObject* sender) {
      if (previous) previous(sender);
      if (auto a = alive.lock(); a && *a) Rebuild();
    };
    Rebuild();
  }

 protected:
  void Sync(PropId id) override {
    GroupBoxPeer::Sync(id);
    if (id == PropId::ItemIndex || id == PropId::Bounds || id == PropId::Font) Rebuild();
  }

 private:
  void Rebuild() {
    QWidget* host = Widget();
    if (!host) return;
    const int count = group_.Items.Count();
    while (static_cast<int>(buttons_.size()) > count) {
      delete buttons_.back();
      buttons_.pop_back();
    }
    while (static_cast<int>(buttons_.size()) < count) {
      auto* b = new QRadioButton(host);
      b->setAutoExclusive(false);
      const int index = static_cast<int>(buttons_.size());
      QObject::connect(b, &QRadioButton::clicked, b, [this, index, alive = alive_] {
        if (*alive && Alive()) group_.SetItemIndex(index);
        if (*alive) Rebuild();
      });
      buttons_.push_back(b);
    }
    const int columns = std::max(1, group_.Columns);
    const int rows = (count + columns - 1) / columns;
    const QFont font = QtFonts::WidgetFont(group_.Font.Desc(), Backend().ScreenDpi());
    const int top = QFontMetrics(font).height() + 2;
    const int rowHeight = rows ? std::max(1, (group_.Height - top - 4) / rows) : 1;
    const int columnWidth = std::max(1, (group_.Width - 16) / columns);
    for (int i = 0; i < count; ++i) {
      QRadioButton* b = buttons_[static_cast<size_t>(i)];
      b->setFont(font);
      SetTextColors(*b, group_, QPalette::Window);
      b->setText(Q(group_.Items[i]));
      b->setChecked(i == group_.ItemIndex());
      b->setGeometry(8 + (i / std::max(1, rows)) * columnWidth, top + (i % std::max(1, rows)) * rowHeight, columnWidth,
                     rowHeight);
      b->show();
    }
  }
  TRadioGroup& group_;
  std::vector<QRadioButton*> buttons_;
};

template <class P, class C>
std::unique_ptr<QtPeer> Make(QtBackend& backend, C& control) {
  return std::make_unique<P>(backend, control);
}

std::unique_ptr<QtPeer> NewPeer(QtBackend& backend, TControl& control) {
  if (auto* c = dynamic_cast<TForm*>(&control)) return Make<FormPeer>(backend, *c);
  if (auto* c = dynamic_cast<TRadioGroup*>(&control)) return Make<RadioGroupPeer>(backend, *c);
  if (auto* c = dynamic_cast<TGroupBox*>(&control)) return Make<GroupBoxPeer>(backend, *c);
  if (auto* c = dynamic_cast<TPanel*>(&control)) return Make<PanelPeer>(backend, *c);
  if (auto* c = dynamic_cast<TFileSystemList*>(&control)) return MakeFileSystemListPeer(backend, *c);
  if (auto* c = dynamic_cast<TListBox*>(&control)) return Make<ListBoxPeer>(backend, *c);
  if (dynamic_cast<TCustomControl*>(&control) || dynamic_cast<TPaintBox*>(&control) ||
      dynamic_cast<TPaintedGraphic*>(&control))
    return std::make_unique<CanvasPeer>(backend, control);
  if (auto* c = dynamic_cast<TButton*>(&control)) return Make<ButtonPeer>(backend, *c);
  if (auto* c = dynamic_cast<TEdit*>(&control)) return Make<EditPeer>(backend, *c);
  if (auto* c = dynamic_cast<TMemo*>(&control)) return Make<MemoPeer>(backend, *c);
  if (auto* c = dynamic_cast<TRichEdit*>(&control)) return MakeRichEditPeer(backend, *c);
  if (auto* c = dynamic_cast<TCheckBox*>(&control)) return Make<CheckBoxPeer>(backend, *c);
  if (auto* c = dynamic_cast<TRadioButton*>(&control)) return Make<RadioButtonPeer>(backend, *c);
  if (auto* c = dynamic_cast<TComboBox*>(&control)) return Make<ComboPeer>(backend, *c);
  if (auto* c = dynamic_cast<TScrollBar*>(&control)) return Make<ScrollBarPeer>(backend, *c);
  if (auto* c = dynamic_cast<TPageControl*>(&control)) return Make<PageControlPeer>(backend, *c);
  if (auto* c = dynamic_cast<TLabel*>(&control)) return Make<LabelPeer>(backend, *c);
  if (auto* c = dynamic_cast<TSpeedButton*>(&control)) return Make<SpeedButtonPeer>(backend, *c);
  if (auto* c = dynamic_cast<TGauge*>(&control)) return Make<GaugePeer>(backend, *c);
  if (auto* c = dynamic_cast<TBevel*>(&control)) return Make<BevelPeer>(backend, *c);
  if (auto* c = dynamic_cast<TImage*>(&control)) return Make<ImagePeer>(backend, *c);
  return std::make_unique<ContainerPeer>(backend, control);
}

}  // namespace

std::unique_ptr<ControlPeer> MakePeer(QtBackend& backend, TControl& control) {
  std::unique_ptr<QtPeer> peer = NewPeer(backend, control);
  peer->Init();
  return peer;
}

}  // namespace qm

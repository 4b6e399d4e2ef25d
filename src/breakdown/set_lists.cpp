#include "breakdown/set_lists.h"

#include <algorithm>

#include "base/document_table.h"
#include "base/global_state.h"
#include "breakdown/character_lists.h"
#include "breakdown/rundown_text.h"
#include "breakdown/script_analysis.h"
#include "platform/clipboard.h"
#include "platform/cp1252.h"
#include "platform/forms.h"
#include "platform/graphics.h"
#include "printing/print_run.h"
#include "printing/report_page.h"
#include "script/model/script_document.h"
#include "script/model/script_record.h"
#include "script/model/user_list_entries.h"

namespace qm {

TSetListHooks SetListHooks;

namespace {

const GlobalState reset([] { SetListHooks = {}; });

constexpr Byte RunBold = 1;
constexpr Byte RunUnderline = 4;
constexpr Byte AlignLeft = 0;
constexpr Byte AlignCentre = 2;

TCanvas& Canvas() { return *CurrentPrintCanvas; }

// The output primitives: the print canvas, or the run table. On paper the
// list flows down the pages as the other reports do: a block that does not
// fit above the foot begins a new page, one inch from its top.
class TSetListWriter {
 public:
  TSetListWriter(const TRundownOptions& o, TRichText* clipboard)
      : clip_(clipboard), page_(Canvas(), PrintRun.PageWidth, PrintRun.PageHeight) {
    Canvas().Font.Name = o.Font;
    Canvas().Font.Size = o.FontSize;
    Canvas().Font.Color = clBlack;
    Style(0);
    X_ = PrintRun.DpiX;
    page_.Top = PrintRun.DpiY;
    page_.Bottom = PrintRun.PageHeight - PrintRun.DpiY;
    page_.Y = page_.Top;
    lh_ = Canvas().TextHeight("Ap");
  }

  int X() const { return X_; }
  int LineHeight() const { return lh_; }
  bool ToClipboard() const { return clip_ != nullptr; }
  bool Measuring() const { return measuring_; }

  void Style(Byte style) {
    style_ = style;
    Canvas().Font.Style =
        ((style & RunBold) ? unsigned{fsBold} : 0u) | ((style & RunUnderline) ? unsigned{fsUnderline} : 0u);
  }

  // A line centred between one inch in and the page's right edge.
  void CentredLine(const std::string& text) {
    if (clip_) {
      AddRun(text + "\r\n", AlignCentre);
      return;
    }
    const int width = Canvas().TextWidth(text);
    if (!measuring_) PrintTextAt(X_ + (PrintRun.PageWidth - X_ - width) / 2, page_.Y, text);
    page_.Y += Canvas().TextHeight(text);
  }

  // A text at x on the current line; the line below it (printer) or where
  // the text ends (clipboard).
  int Cell(int x, const std::string& text) {
    if (clip_) {
      AddRun(text, AlignLeft);
      return page_.Y;
    }
    return WrappedText(x, page_.Y, PrintRun.PageWidth - x, text, false, !measuring_);
  }

  void Skip(int lines) {
    if (clip_) {
      std::string ends;
      for (int i = 0; i < lines; ++i) ends += "\r\n";
      AddRun(ends, AlignLeft);
      return;
    }
    page_.Y += lines * lh_;
  }

  void Tabs(int count) {
    if (clip_) AddRun(std::string(static_cast<std::size_t>(count), '\t'), AlignLeft);
  }

  // Ends the line at the lowest text printed on it.
  void EndLine(int below) {
    if (clip_) AddRun("\r\n", AlignLeft);
    else page_.Y = std::max(below, page_.Y + lh_);
  }
  void MoveTo(int y) { page_.Y = y; }
  int Y() const { return page_.Y; }

  // On paper, what `write` would print is measured first, and goes to a
  // new page unless it fits on this one.
  template <typename Write>
  void KeptTogether(Write write) {
    if (!clip_) {
      const int start = page_.Y;
      const Byte style = style_;
      measuring_ = true;
      write();
      measuring_ = false;
      Style(style);
      const int height = page_.Y - start;
      page_.Y = start;
      // A block taller than a whole page starts one all the same.
      if (page_.Y > page_.Top) page_.KeepTogether(height);
    }
    write();
  }

 private:
  void AddRun(const std::string& text, Byte alignment) {
    if (text.empty()) return;
    TRichTextRun run;
    run.Start = clip_->Text.size();
    run.Length = text.size();
    run.FontName = Canvas().Font.Name;
    run.FontSize = Canvas().Font.Size;
    run.Style = style_;
    run.Alignment = alignment;
    clip_->Text += text;
    clip_->Runs.push_back(std::move(run));
  }

  TRichText* clip_;
  TReportPage page_;
  Byte style_ = 0;
  bool measuring_ = false;
  int X_ = 0;
  int lh_ = 0;
};

// The list's entries, row by row: an act heading where the act changes, a
// scene key where the scene does, then the scene's set.
class TSetListRows {
 public:
  TSetListRows(TSetListWriter& w, const TRundownRows& rows, const TRundownOptions& o, const TScriptDocument& script,
               const std::string& lastPage)
      : w_(w),
        rows_(rows),
        o_(o),
        script_(script),
        lastPage_(lastPage),
        sceneInformation_(UsesSceneInformation(script)),
        indent_(Canvas().TextWidth("COLD OPENINGZZZZ") + w.X()) {}

  // A row and what heads it stay on one page.
  void Write(std::size_t i) {
    w_.KeptTogether([&] {
      const std::string lastScene = lastScene_;
      Row(i);
      if (w_.Measuring()) lastScene_ = lastScene;
    });
  }

 private:
  void Row(std::size_t i) {
    const TRundownRow& row = rows_[i].Row;
    const bool sameEntry = i > 0 && rows_[i - 1].Key == rows_[i].Key;
    if (i == 0 || rows_[i - 1].ActKey != rows_[i].ActKey) ActHeading(row);
    if (!sameEntry && !row.Scene.empty() && row.Scene != " " && row.Scene != lastScene_) {
      w_.Skip(1);
      w_.Cell(w_.X(), sceneInformation_ ? ActListText(script_, 3) + " " + row.Scene : row.Scene);
      w_.Tabs(1);
      lastScene_ = row.Scene;
    }
    Set(i, row);
  }

  void ActHeading(const TRundownRow& row) {
    w_.Skip(1);
    w_.Style(RunBold | RunUnderline);
    const int below = w_.Cell(w_.X(), row.Kind == ekPrologueText ? row.Act : ActListText(script_, 1) + " " + row.Act);
    w_.Style(0);
    w_.EndLine(below);
    if (!sceneInformation_) w_.Skip(1);
  }

  void Set(std::size_t i, const TRundownRow& row) {
    int x = indent_;
    if (o_.PrintPageNumbers) {
      std::string pages = o_.PageText + " " + row.Page;
      if (o_.StartAndEndingPage) pages += "-" + (i + 1 < rows_.size() ? rows_[i + 1].Row.Page : lastPage_);
      w_.Cell(indent_ - w_.X() / 4, pages);
      w_.Tabs(2);
      x += w_.X() / 2;
    }
    std::string location = AnsiUpperCase(row.Heading);
    if (!row.DayNight.empty()) location += "  (" + row.DayNight + ")";
    if (o_.LocationsBold) w_.Style(RunBold);
    int below = w_.Cell(x, location);
    w_.Style(0);
    if (o_.ListChars && !row.Characters.empty()) {
      if (w_.ToClipboard()) {
        w_.EndLine(below);
        w_.Tabs(3);
      } else {
        w_.MoveTo(std::max(below, w_.Y() + w_.LineHeight()));
      }
      below = w_.Cell(x, o_.CharsAllCaps ? AnsiUpperCase(row.Characters) : row.Characters);
    }
    w_.EndLine(below);
  }

  TSetListWriter& w_;
  const TRundownRows& rows_;
  const TRundownOptions& o_;
  const TScriptDocument& script_;
  const std::string& lastPage_;
  const bool sceneInformation_;
  const int indent_;
  std::string lastScene_;
};

}  // namespace

void WriteSetList(const TRundownRows& rows, const TRundownOptions& o, const TProductionDetails& d,
                  const TScriptDocument& script, const std::string& lastPage, TRichText* clipboard) {
  TSetListWriter w(o, clipboard);
  w.CentredLine(d.Company);
  w.CentredLine(d.Title);
  w.CentredLine(d.Episode);
  w.CentredLine((d.Draft + " - ").substr(0, 28) + d.ReportedDate);
  w.Skip(2);
  w.Style(RunBold | RunUnderline);
  w.CentredLine("SETS");
  w.Style(0);
  w.Skip(2);
  TSetListRows entries(w, rows, o, script, lastPage);
  for (std::size_t i = 0; i < rows.size(); ++i) entries.Write(i);
  w.KeptTogether([&] {
    w.Skip(1);
    w.Style(RunBold | RunUnderline);
    const int below = w.Cell(w.X(), o.FinalText);
    w.Style(0);
    w.EndLine(below);
  });
}

bool CopySetListToClipboard(const TRichText& text) {
  TClipboard* clipboard = Clipboard();
  if (!clipboard || !clipboard->Open(DocumentFrame ? DocumentFrame->Handle() : NullWindow)) return false;
  clipboard->Clear();
  std::string plain = text.Text;
  plain += '\0';
  bool ok = clipboard->SetData(CF_TEXT, Bytes(plain.begin(), plain.end()));
  if (SetListHooks.RichTextAsRtf) {
    std::string rtf = SetListHooks.RichTextAsRtf(text);
    rtf += '\0';
    ok = ok && clipboard->SetData(RegisterClipboardFormat("Rich Text Format"), Bytes(rtf.begin(), rtf.end()));
  }
  clipboard->Close();
  return ok;
}

std::string LastPageText(const TScriptDocument& script) {
  return std::to_string(ScriptPageCount(script) + script.PageStart - 1);
}

}  // namespace qm

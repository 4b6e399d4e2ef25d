#include "breakdown/set_lists.h"

#include <algorithm>

#include "base/document_table.h"
#include "base/global_state.h"
#include "breakdown/character_lists.h"
#include "breakdown/script_analysis.h"
#include "platform/clipboard.h"
#include "platform/cp1252.h"
#include "platform/forms.h"
#include "platform/graphics.h"
#include "printing/print_run.h"
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

// The output primitives: the print canvas, or the run table.
class TSetListWriter {
 public:
  TSetListWriter(const TRundownOptions& o, TRichText* clipboard) : clip_(clipboard) {
    Canvas().Font.Name = o.Font;
    Canvas().Font.Size = o.FontSize;
    Canvas().Font.Color = clBlack;
    Style(0);
    X_ = PrintRun.DpiX;
    y_ = PrintRun.DpiY;
    lh_ = Canvas().TextHeight("Ap");
  }

  int X() const { return X_; }
  int LineHeight() const { return lh_; }
  bool ToClipboard() const { return clip_ != nullptr; }

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
    PrintTextAt(X_ + (PrintRun.PageWidth - X_ - width) / 2, y_, text);
    y_ += Canvas().TextHeight(text);
  }

  // A text at x on the current line; the line below it (printer) or where
  // the text ends (clipboard).
  int Cell(int x, const std::string& text) {
    if (clip_) {
      AddRun(text, AlignLeft);
      return y_;
    }
    return WrappedText(x, y_, PrintRun.PageWidth - x, text, false);
  }

  void Skip(int lines) {
    if (clip_) {
      std::string ends;
      for (int i = 0; i < lines; ++i) ends += "\r\n";
      AddRun(ends, AlignLeft);
      return;
    }
    y_ += lines * lh_;
  }

  void Tabs(int count) {
    if (clip_) AddRun(std::string(static_cast<std::size_t>(count), '\t'), AlignLeft);
  }

  // Ends the line at the lowest text printed on it.
  void EndLine(int below) {
    if (clip_) AddRun("\r\n", AlignLeft);
    else y_ = std::max(below, y_ + lh_);
  }
  void MoveTo(int y) { y_ = y; }
  int Y() const { return y_; }

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
  Byte style_ = 0;
  int X_ = 0;
  int y_ = 0;
  int lh_ = 0;
};

}  // namespace

void WriteSetList(const TRundownRows& rows, const TRundownOptions& o, const TProductionDetails& d,
                  const TScriptDocument& script, const std::string& lastPage, TRichText* clipboard) {
  TSetListWriter w(o, clipboard);
  const bool sceneInformation = UsesSceneInformation(script);
  w.CentredLine(d.Company);
  w.CentredLine(d.Title);
  w.CentredLine(d.Episode);
  w.CentredLine((d.Draft + " - ").substr(0, 28) + d.ReportedDate);
  w.Skip(2);
  w.Style(RunBold | RunUnderline);
  w.CentredLine("SETS");
  w.Style(0);
  w.Skip(2);
  const int indent = Canvas().TextWidth("COLD OPENINGZZZZ") + w.X();
  std::string lastScene;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TRundownRow& row = rows[i].Row;
    const bool sameEntry = i > 0 && rows[i - 1].Key == rows[i].Key;
    if (i == 0 || rows[i - 1].ActKey != rows[i].ActKey) {
      w.Skip(1);
      w.Style(RunBold | RunUnderline);
      const int below = w.Cell(w.X(), row.Kind == ekPrologueText ? row.Act : ActListText(script, 1) + " " + row.Act);
      w.Style(0);
      w.EndLine(below);
      if (!sceneInformation) w.Skip(1);
    }
    if (!sameEntry && !row.Scene.empty() && row.Scene != " " && row.Scene != lastScene) {
      w.Skip(1);
      w.Cell(w.X(), sceneInformation ? ActListText(script, 3) + " " + row.Scene : row.Scene);
      w.Tabs(1);
      lastScene = row.Scene;
    }
    int x = indent;
    if (o.PrintPageNumbers) {
      std::string pages = o.PageText + " " + row.Page;
      if (o.StartAndEndingPage) pages += "-" + (i + 1 < rows.size() ? rows[i + 1].Row.Page : lastPage);
      w.Cell(indent - w.X() / 4, pages);
      w.Tabs(2);
      x += w.X() / 2;
    }
    std::string location = AnsiUpperCase(row.Heading);
    if (!row.DayNight.empty()) location += "  (" + row.DayNight + ")";
    if (o.LocationsBold) w.Style(RunBold);
    int below = w.Cell(x, location);
    w.Style(0);
    if (o.ListChars && !row.Characters.empty()) {
      if (w.ToClipboard()) {
        w.EndLine(below);
        w.Tabs(3);
      } else {
        w.MoveTo(std::max(below, w.Y() + w.LineHeight()));
      }
      below = w.Cell(x, o.CharsAllCaps ? AnsiUpperCase(row.Characters) : row.Characters);
    }
    w.EndLine(below);
  }
  w.Skip(1);
  w.Style(RunBold | RunUnderline);
  const int below = w.Cell(w.X(), o.FinalText);
  w.Style(0);
  w.EndLine(below);
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

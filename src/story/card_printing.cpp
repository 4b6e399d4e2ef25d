#include "story/card_printing.h"

#include <algorithm>
#include <cstdlib>

#include "base/message_boxes.h"
#include "platform/printer.h"
#include "printing/print_run.h"
#include "printing/report_page.h"
#include "script/model/text_codes.h"

namespace qm {

namespace {

constexpr const char* BusyText = "Unable to print the Index Cards until the printer is free.";
constexpr const char* BusyCaption = "Printer is already printing...";

// Where the n-th card of a sheet (0-based) goes.
TPoint CardOrigin(const TCardGeometry& g, const TCardPrintLayout& layout, bool vertical, int n) {
  const int across = vertical ? n / layout.CardsDown : n % layout.CardsAcross;
  const int down = vertical ? n % layout.CardsDown : n / layout.CardsAcross;
  return {g.Left + across * (g.Width + g.Gap), g.Top + down * (g.Height + g.Gap)};
}

void PrintOneCard(TCanvas& canvas, const TCardFace& face, TPoint at, const TCardGeometry& g,
                  const TCardPrintLayout& layout, int f) {
  const int x = at.X, y = at.Y;
  if (layout.DrawBoxes) {
    canvas.Pen.Color = clBlack;
    canvas.Pen.Width = 5;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Rectangle(x, y, x + g.Width, y + g.Height);
  }
  if (layout.BoldHeadlines) canvas.Font.Style = fsBold;
  std::string number = face.number;
  while (!number.empty() && number.back() == ' ') number.pop_back();
  canvas.TextRect(TRect{x, y, x + g.Width - f, y + g.Height - f}, x + f, y + f, number + " " + face.title);
  canvas.Font.Style = layout.FontStyle;
  const int line = std::max(1, canvas.TextHeight("Ap"));
  TRect body{x + f, y + 3 * f + 2, x + g.Width - f, y + g.Height - f};
  body.Bottom = body.Top + std::max(0, body.Bottom - body.Top) / line * line;
  canvas.DrawText(PrintableCardText(face.body), body, DT_WORDBREAK);
}

}  // namespace

TCardGeometry CardPrintGeometry(const TCardPrintLayout& layout, const TPrintRunGlobals& run) {
  const int across = layout.Landscape ? run.PageHeight : run.PageWidth;
  const int down = layout.Landscape ? run.PageWidth : run.PageHeight;
  const int cardsAcross = std::max(1, layout.CardsAcross), cardsDown = std::max(1, layout.CardsDown);
  TCardGeometry g;
  g.Gap = layout.InterCardMargin * run.DpiY / 100;
  g.Left = layout.LeftMargin * run.DpiX / 100;
  g.Top = layout.TopMargin * run.DpiY / 100;
  g.Width = static_cast<std::int16_t>((across - (cardsAcross - 1) * g.Gap - 2 * g.Left) / cardsAcross);
  g.Height = static_cast<std::int16_t>((down - (cardsDown - 1) * g.Gap - 2 * g.Top) / cardsDown);
  // The canvas starts at the printable area.
  g.Left -= layout.Landscape ? run.OffsetY : run.OffsetX;
  g.Top -= layout.Landscape ? run.OffsetX : run.OffsetY;
  return g;
}

std::string PrintableCardText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      const bool inRun = (i + 2 < text.size() && text[i + 2] == '\r') || (i > 0 && text[i - 1] == '\n');
      // A single break joins its lines into one paragraph, never one word.
      if (inRun) out += '\n';
      else if (!out.empty() && out.back() != ' ' && i + 2 < text.size() && text[i + 2] != ' ') out += ' ';
      ++i;
      continue;
    }
    if (c == static_cast<char>(HardSpace)) out += ' ';
    else if (c == static_cast<char>(HardDash)) out += '-';
    else if (!CodeCharSet.Contains(c)) out += c;
  }
  return out;
}

bool PrintCards(const TScriptDocument& script, const TCardTable& table, int from, int to,
                const TCardPrintLayout& layout, bool vertical) {
  if (from > to) std::swap(from, to);
  from = std::max(from, 1);
  to = std::min(to, table.Count());
  if (from > to) return false;
  if (Printer()->Printing()) {
    ShowMessageBox(BusyText, BusyCaption);
    return false;
  }
  if (!StartPrintJob(false, "Index Cards")) return false;
  TCanvas& canvas = *CurrentPrintCanvas;
  canvas.Font.PixelsPerInch = PrintRun.DpiY;
  canvas.Font.Name = layout.FontName;
  canvas.Font.Size = layout.FontSize;
  canvas.Font.Color = clBlack;
  canvas.Font.Style = 0;
  const TCardGeometry g = CardPrintGeometry(layout, PrintRun);
  const int perSheet = std::max(1, layout.CardsAcross) * std::max(1, layout.CardsDown);
  const int f = std::abs(canvas.Font.Height());
  SetMsgBoxResult(0);
  ShowPleaseWait("Printing Index Card " + std::to_string(from), false, true);
  // The sheet's cursor counts its cards.
  TReportPage sheet(canvas, PrintRun.PageWidth, PrintRun.PageHeight);
  sheet.Bottom = perSheet;
  sheet.OnFooter([](TReportPage&) { ShowPleaseWait("\rEjecting Page\r", false, true); });
  sheet.OnHeader([](TReportPage& page) {
    page.Canvas().Font.Style = 0;
    page.Canvas().Brush.Color = clWhite;
    page.Canvas().Font.Color = clBlack;
  });
  for (int card = from; card <= to; ++card) {
    sheet.KeepTogether(1);
    if (card > from) ShowPleaseWait("\rPrinting Index Card " + std::to_string(card) + "\r", false, true);
    TickPleaseWait();
    if (GetMsgBoxResult() == mrCancel) {
      ClosePleaseWait();
      AbortPrintJob();
      return false;
    }
    const TPoint origin = CardOrigin(g, layout, vertical, sheet.Y);
    PrintOneCard(canvas, MakeCardFace(script, table[card], false), origin, g, layout, f);
    sheet.Advance(1);
  }
  ShowPleaseWait("\rFinishing Print Job\r", false, true);
  const bool finished = FinishPrintJob();
  ClosePleaseWait();
  return finished;
}

}  // namespace qm

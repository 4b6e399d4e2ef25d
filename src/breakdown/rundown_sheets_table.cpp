// The rundown table drawn on the print run: the production header on
// every page, a box per scene group with its optional columns, the
// column boxes of each page and the closing timing boxes.
#include <algorithm>

#include "breakdown/rundown_sheets.h"
#include "platform/cp1252.h"
#include "platform/graphics.h"
#include "platform/printer.h"
#include "printing/print_run.h"
#include "printing/report_page.h"

namespace qm {

namespace {

TCanvas& Canvas() { return *CurrentPrintCanvas; }
int Width(const std::string& text) { return Canvas().TextWidth(text); }

void SetStyle(bool bold, bool underline) {
  Canvas().Font.Style = (bold ? unsigned{fsBold} : 0u) | (underline ? unsigned{fsUnderline} : 0u);
}

// The columns of the page, left to right, in printer units.
struct TColumns {
  int left = 0;       // the table's left edge
  int right = 0;      // the table's right edge
  int actScene = -1;  // left edges, -1 when the column is off
  int main = 0;
  int dayNight = -1;
  int page = -1;
  int timing = 0;
  int mainWidth = 0;
  int narrow = 0;       // U: day/night and page columns; act/scene is 2U
  int timingWidth = 0;  // T
};

class TRundownTable {
 public:
  TRundownTable(const TRundownOptions& o, const TProductionDetails& d, int boxTenths, int minHeight)
      : o_(o),
        d_(d),
        boxTenths_(boxTenths),
        minHeight_(minHeight),
        page_(Canvas(), PrintRun.PageWidth, PrintRun.PageHeight) {
    page_.OnFooter([this](TReportPage&) { ColumnBoxes(); });
    page_.OnHeader([this](TReportPage&) { Header(); });
  }

  void Print(const TRundownRows& rows) {
    X_ = PrintRun.DpiX;
    Y_ = PrintRun.DpiY;
    PW_ = PrintRun.PageWidth;
    PH_ = PrintRun.PageHeight;
    PP_ = Printer()->PageHeight();
    Canvas().Font.Name = o_.Font;
    Canvas().Font.Size = o_.FontSize;
    Canvas().Font.Color = clBlack;
    SetStyle(false, false);
    lh_ = Canvas().TextHeight("Ap");
    Canvas().Pen = TPenDesc{clBlack, 4};
    Canvas().Brush.Style = TBrushStyle::bsClear;
    // A group's box ends above the printable foot, above the closing
    // total boxes when they print.
    page_.Bottom = (o_.PrintTotalBoxes ? PP_ - (3 * Y_) / 2 : PP_) - 1;
    Header();
    top_ = page_.Y - lh_ / 2;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const bool first = i == 0 || rows[i - 1].Key != rows[i].Key;
      if (first) StartGroup(rows, i);
      Row(rows, i);
    }
    if (open_) CloseGroup();
    ColumnBoxes();
  }

 private:
  void Columns() {
    const int U = X_ / 3;
    c_.narrow = U;
    c_.timingWidth = (X_ / 10) * boxTenths_;
    c_.left = X_ / 2;
    c_.right = PW_ - (X_ / 10 + X_ / 2);
    int M = PW_ - (11 * X_) / 10 - 4 * c_.timingWidth;
    if (o_.PageNumColumn) M -= U;
    if (o_.DayNightColumn) M -= U;
    if (o_.ActSceneColumn) M -= 2 * U;
    c_.mainWidth = M;
    int x = c_.left;
    if (o_.ActSceneColumn) {
      c_.actScene = x;
      x += 2 * U;
    }
    c_.main = x;
    x += M;
    if (o_.DayNightColumn) {
      c_.dayNight = x;
      x += U;
    }
    if (o_.PageNumColumn) {
      c_.page = x;
      x += U;
    }
    c_.timing = x;
  }

  void RightText(const std::string& text) {
    page_.Y = WrappedText(PW_ - (Width(text) + X_ / 2 + X_ / 4), page_.Y, PW_, text, false);
  }
  void LeftText(const std::string& text) { page_.Y = WrappedText(X_ / 2, page_.Y, PW_, text, false); }

  void Header() {
    Columns();
    SetStyle(true, false);
    page_.Y = Y_ / 4;
    LeftText(d_.Company);
    LeftText(d_.Title);
    if (d_.Director.empty()) {
      page_.Y = Y_ / 4;
      RightText(d_.Episode);
      RightText(d_.Draft.empty() ? d_.ReportedDate : (d_.Draft + " - ").substr(0, 28) + d_.ReportedDate);
    } else {
      LeftText(d_.Episode);
      page_.Y = Y_ / 4;
      RightText(d_.ReportedDate);
      RightText(d_.Draft);
      RightText(("Dir: " + d_.Director).substr(0, 45));
    }
    const int H = page_.Y;
    if (o_.DayNightColumn || o_.PageNumColumn) {
      if (o_.DayNightColumn) WrappedText(c_.dayNight, H - lh_, c_.narrow, "Day", true);
      if (o_.PageNumColumn) WrappedText(c_.page, H - lh_, c_.narrow, "Pg", true);
    }
    SetStyle(false, false);
    page_.Y = H + lh_;
  }

  void ActStyle() { SetStyle(o_.BoldAct, o_.UndAct); }

  static bool HasDescription(const TRundownRow& row) { return !row.Description.empty(); }

  int GroupHeight(const TRundownRows& rows, std::size_t first) {
    SetStyle(!o_.ActSceneColumn && o_.BoldAct, false);
    int y = 0;
    if (!o_.ActSceneColumn) y = WrappedText(c_.main, y, c_.mainWidth - Width("AA"), rows[first].Key, false, false);
    for (std::size_t i = first; i < rows.size() && rows[i].Key == rows[first].Key; ++i) {
      const TRundownRow& row = rows[i].Row;
      y = WrappedText(c_.main, y, c_.mainWidth, row.Heading, false, false);
      y = WrappedText(c_.main, y, c_.mainWidth, row.Characters, false, false);
      if (HasDescription(row)) y = WrappedText(c_.main, y + lh_, c_.mainWidth, row.Description, false, false);
      if (!row.Characters.empty()) {
        y += lh_;
        break;
      }
    }
    SetStyle(false, false);
    return y;
  }

  void StartGroup(const TRundownRows& rows, std::size_t i) {
    if (open_) CloseGroup();
    page_.KeepTogether(GroupHeight(rows, i) + Y_ / 2);
    open_ = true;
    g_ = page_.Y;
    const TRundownRow& row = rows[i].Row;
    std::string page = row.Page;
    while (!page.empty() && page.back() == ' ') page.pop_back();
    if (o_.PageNumColumn) {
      WrappedText(c_.page, g_, c_.narrow, page, true);
    } else {
      const std::string shown = "(" + page + ")";
      const int x = c_.main + c_.mainWidth - Width(shown + "  ");
      WrappedText(x, g_, c_.mainWidth, shown, false);
    }
    if (o_.DayNightColumn && !row.DayNight.empty())
      WrappedText(c_.dayNight, g_, c_.narrow, DayNightColumnText(row.DayNight), true);
    ActStyle();
    if (o_.ActSceneColumn) {
      int y = WrappedText(c_.actScene, g_, 2 * c_.narrow, row.Act + " " + row.Scene, true);
      if (!o_.DayNightColumn && !row.DayNight.empty())
        y = WrappedText(c_.actScene, y, 2 * c_.narrow, row.DayNight, true);
      k_ = (y - g_) + Canvas().TextHeight("Ap");
      page_.Y = g_;
    } else {
      const std::string& key = rows[i].Key;
      page_.Y = WrappedText(c_.main, g_, c_.mainWidth - Width("AA"), key, false);
      SetStyle(false, false);
      if (!o_.DayNightColumn && !row.DayNight.empty())
        WrappedText(c_.main + Width(key + "AA"), g_, c_.mainWidth, "(" + row.DayNight + ")", false);
      k_ = 0;
    }
    SetStyle(false, false);
  }

  void Row(const TRundownRows& rows, std::size_t i) {
    const TRundownRow& row = rows[i].Row;
    SetStyle(o_.BoldSceneHead, o_.UndSceneHead);
    const int headingWidth = o_.PageNumColumn ? c_.mainWidth : c_.mainWidth - Width("N(" + row.Page + ")");
    page_.Y = WrappedText(c_.main, page_.Y, headingWidth, AnsiUpperCase(row.Heading), false);
    SetStyle(false, false);
    page_.Y = WrappedText(c_.main, page_.Y, c_.mainWidth, row.Characters, false);
    if (HasDescription(row)) {
      page_.Advance(lh_);
      const int e = page_.Y;
      const int D = WrappedText(c_.main, 0, c_.mainWidth, row.Description, false, false);
      const int b = std::max({e, g_ + minHeight_, g_ + k_});
      const int start = b != e ? std::max(e, b - D - lh_ / 2) : e;
      WrappedText(c_.main, start, c_.mainWidth, row.Description, false);
      page_.Y = e + D;
    }
    const bool nextInGroup = i + 1 < rows.size() && rows[i + 1].Key == rows[i].Key;
    if (!(row.Characters.empty() && nextInGroup)) page_.Advance(lh_);
  }

  void CloseGroup() {
    page_.Y = std::max({page_.Y, g_ + minHeight_, g_ + k_});
    Canvas().Rectangle(c_.left, g_ - lh_ / 2, c_.right, page_.Y - lh_ / 2);
    k_ = 0;
    open_ = false;
  }

  void ColumnBoxes() {
    const int bottom = page_.Y - lh_ / 2;
    if (o_.ActSceneColumn) Canvas().Rectangle(c_.actScene, top_, c_.actScene + 2 * c_.narrow, bottom);
    Canvas().Rectangle(c_.main, top_, c_.main + c_.mainWidth, bottom);
    if (o_.DayNightColumn) Canvas().Rectangle(c_.dayNight, top_, c_.dayNight + c_.narrow, bottom);
    if (o_.PageNumColumn) Canvas().Rectangle(c_.page, top_, c_.page + c_.narrow, bottom);
    const int boxes = o_.TwoTimingBoxes ? 2 : 4;
    const int width = o_.TwoTimingBoxes ? 2 * c_.timingWidth : c_.timingWidth;
    const int B = o_.PrintTotalBoxes ? std::min(page_.Y + (3 * Y_) / 2, PH_ - top_ - Y_ / 4) : bottom;
    for (int n = 0; n < boxes; ++n) Canvas().Rectangle(c_.timing + n * width, top_, c_.timing + (n + 1) * width, B);
    if (o_.PrintTotalBoxes)
      Canvas().Rectangle(c_.timing, page_.Y + (B - page_.Y) / 3, c_.timing + 4 * c_.timingWidth, B - (B - page_.Y) / 3);
  }

  const TRundownOptions& o_;
  const TProductionDetails& d_;
  int boxTenths_;
  int minHeight_;
  TReportPage page_;
  int X_ = 0, Y_ = 0, PW_ = 0, PH_ = 0, PP_ = 0;
  int lh_ = 0;
  int top_ = 0;
  int g_ = 0;
  int k_ = 0;
  bool open_ = false;
  TColumns c_;
};

}  // namespace

void PrintRundownTable(const TRundownRows& rows, const TRundownOptions& options, const TProductionDetails& details,
                       int boxWidthTenths, int minHeightUnits) {
  TRundownTable(options, details, boxWidthTenths, minHeightUnits).Print(rows);
}

}  // namespace qm

#include "breakdown/breakdown_graph.h"

#include <algorithm>

#include "base/message_boxes.h"
#include "breakdown/run_progress.h"
#include "platform/cp1252.h"
#include "platform/graphics.h"
#include "printing/print_run.h"
#include "printing/report_page.h"
#include "platform/text_trim.h"

namespace qm {

namespace {

constexpr int FontPoints = 10;

// The script's name as the title shows it: no folder, lower case up to
// its first ".", each word's first letter raised, in curly quotes.
std::string GraphTitle(const std::string& fileName) {
  std::string name = AnsiLowerCase(fileName.substr(0, fileName.find('.')));
  for (std::size_t i = 0; i < name.size(); ++i)
    if (i == 0 || name[i - 1] == ' ') name[i] = static_cast<char>(AnsiUpper(static_cast<Byte>(name[i])));
  return "\x93" + name + "\x94";
}

std::string OrderCaption(const TBreakdownOptions& options, const BreakdownRecord& first) {
  switch (options.Primary) {
    case TPrimaryOrder::ScriptOrder: return "Script Order";
    case TPrimaryOrder::Characters: return "Script Order: Selected Names ONLY";
    case TPrimaryOrder::IntExt: return "INT vs EXT" + (options.EachGroupOnPage ? ": " + first.IntExt : "");
    case TPrimaryOrder::TimeOfDay: return "Time of Day" + (options.EachGroupOnPage ? ": " + first.TimeOfDay : "");
    case TPrimaryOrder::Location: break;
  }
  return "Location" + (options.EachGroupOnPage ? ": " + first.Location : "");
}

// A landscape page drawn across a portrait sheet: landscape (x, y) is the
// sheet's (y, W - x), and text runs up the sheet.
class TGraphPrinter {
 public:
  TGraphPrinter(const TBreakdownRun& run, const TBreakdownOptions& options, TCanvas& canvas)
      : run_(run), options_(options), canvas_(canvas), page_(canvas, PrintRun.PageWidth, PrintRun.PageHeight) {
    page_.OnFooter([](TReportPage&) { ShowRunProgress("Ejecting Page"); });
    page_.OnHeader([](TReportPage&) { ShowRunProgress("Please Wait"); });
    W_ = PrintRun.PageHeight;
    H_ = PrintRun.PageWidth;
    dx_ = PrintRun.DpiY;
    dy_ = PrintRun.DpiX;
    UseFont("Arial", 0);
    rowH_ = (3 * canvas_.TextHeight("Ap")) / 2;
    colW_ = (9 * dx_) / 10;
    cols_ = std::max(2, (W_ - 2 * dx_) / colW_);
    UseFont("Courier New", 0);
    lineH_ = canvas_.TextHeight("Ap");
    yb_ = H_ - dy_ / 2 - cols_ * lineH_;
    nameLimit_ = H_ - dy_ / 2 - dy_ / 3 - cols_ * lineH_;
    gap_ = (rowH_ - FontPoints) / 2;
    for (std::size_t i = 0; i < run_.Scenes.size(); ++i)
      if (run_.Scenes[i].Wanted) drawn_.push_back(i);
  }

  // False when cancelled.
  bool Print() {
    std::size_t first = 0, firstName = 0;
    int page = 1;
    char letter = 0;
    while (first < drawn_.size()) {
      if (Cancelled()) return false;
      const std::vector<std::size_t> scenes = PageScenes(first);
      DrawPage(scenes, page, letter);
      const std::size_t lastName = DrawNames(firstName);
      DrawMarks(scenes, firstName, lastName);
      if (lastName < run_.Names.size()) {
        page_.NewPage();
        letter = letter == 0 ? 'A' : static_cast<char>(letter + 1);
        firstName = lastName;
        continue;
      }
      letter = 0;
      firstName = 0;
      first += scenes.size();
      if (first < drawn_.size()) {
        page_.NewPage();
        ++page;
      }
    }
    return true;
  }

 private:
  static bool Cancelled() { return GetMsgBoxResult() == mrCancel; }

  void UseFont(const char* name, unsigned style) {
    canvas_.Font.Name = name;
    canvas_.Font.Size = FontPoints;
    canvas_.Font.Style = style;
    canvas_.Font.Orientation = 0;
  }
  void Text(int x, int y, const std::string& text) {
    canvas_.Font.Orientation = 900;
    canvas_.TextOut(y, W_ - x, text);
    canvas_.Font.Orientation = 0;
  }
  void Line(int x1, int y1, int x2, int y2) {
    canvas_.MoveTo(y1, W_ - x1);
    canvas_.LineTo(y2, W_ - x2);
  }

  // The scenes whose columns the page holds.
  std::vector<std::size_t> PageScenes(std::size_t first) const {
    std::vector<std::size_t> scenes;
    for (std::size_t i = first; i < drawn_.size() && static_cast<int>(scenes.size()) < cols_ - 1; ++i) {
      if (!scenes.empty() && options_.EachGroupOnPage && GraphGroupChanged(run_, options_, drawn_[i])) break;
      scenes.push_back(drawn_[i]);
    }
    return scenes;
  }

  void DrawPage(const std::vector<std::size_t>& scenes, int page, char letter) {
    UseFont("Arial", fsBold);
    Text(W_ - 3 * (dx_ / 2), H_ - (2 * dy_) / 3,
         "Pg " + std::to_string(page) + (letter ? std::string("-") + letter : std::string()));
    Text(2 * dx_, dy_ / 3, GraphTitle(run_.FileName));
    Text(6 * dx_, dy_ / 3, OrderCaption(options_, run_.Scenes[scenes.front()].Record));
    UseFont("Courier New", 0);
    canvas_.Pen.Width = dy_ / 100 >= 2 ? dy_ / 100 : 1;
    const int right = 2 * dx_ + (cols_ - 1) * colW_;
    Line(2 * dx_, yb_ - dy_ / 4, 2 * dx_, yb_);
    Line(2 * dx_, yb_, right, yb_);
    Line(2 * dx_, 3 * (dy_ / 4), 2 * dx_, dy_ / 2);
    Line(2 * dx_, dy_ / 2, right, dy_ / 2);
    int x = 2 * dx_;
    for (std::size_t k = 0; k < scenes.size(); ++k, x += colW_) DrawColumnLabels(scenes[k], x, static_cast<int>(k));
    UseFont("Arial", 0);
  }

  void DrawColumnLabels(std::size_t scene, int x, int k) {
    const TRunScene& s = run_.Scenes[scene];
    const BreakdownRecord& r = s.Record;
    const std::string number = WithoutTrailingBlanks(r.SceneNumber);
    const int centre = x + colW_ / 2 - canvas_.TextWidth(number) / 2;
    Text(centre, yb_ - rowH_, number);
    Text(centre, 3 * (dy_ / 5), number);
    const int y = yb_ + dy_ / 10 + k * lineH_;
    Text(2 * dx_ + dx_ / 4, y, number);
    std::string heading;
    if (!r.IntExt.empty()) heading += r.IntExt + " ";
    if (!r.Location.empty()) heading += r.Location + " ";
    if (!r.TimeOfDay.empty()) heading += "-- " + r.TimeOfDay;
    Text(2 * dx_ + dx_ / 4 + dx_ / 2, y, heading);
    Text(8 * dx_, y, WithoutTrailingBlanks(r.StartPage) + "-" + r.EndPage);
    Text(8 * dx_ + 2 * (dx_ / 3), y, GraphEighthsText(s.Length));
    const int edge = x + colW_;
    Line(edge, yb_, edge, yb_ - dy_ / 4);
    Line(edge, 3 * (dy_ / 4), edge, dy_ / 2);
  }

  bool Picked(std::size_t n) const {
    return options_.SomeNames && n < run_.NameTakesPart.size() && run_.NameTakesPart[n];
  }

  // The names from the first that fit down the page; the index after the last.
  std::size_t DrawNames(std::size_t firstName) {
    std::size_t n = firstName;
    for (int y = dy_; n < run_.Names.size(); y += rowH_) {
      if (n > firstName && y >= nameLimit_) break;
      UseFont("Arial", Picked(n) ? unsigned{fsBold} : 0u);
      Text(dx_ / 3, y, run_.Names[n] + (Picked(n) ? "*" : ""));
      ++n;
      if ((n - firstName) % 4 == 0) {
        const int ruleY = y + FontPoints + gap_ + gap_ / 2;
        canvas_.Pen.Width = 1;
        Line(dx_ / 3, ruleY, 2 * dx_ + (cols_ - 1) * colW_, ruleY);
      }
    }
    UseFont("Arial", 0);
    return n;
  }

  void DrawMarks(const std::vector<std::size_t>& scenes, std::size_t firstName, std::size_t lastName) {
    canvas_.Pen.Width = canvas_.TextHeight("Ap");
    int x = 2 * dx_;
    for (std::size_t scene : scenes) {
      const std::string& indexes = run_.Scenes[scene].Record.CharacterIndexes;
      for (std::size_t n = firstName; n < lastName && n < 255; ++n) {
        if (indexes.find(static_cast<char>(n + 1)) == std::string::npos) continue;
        const int y = dy_ + gap_ / 2 + static_cast<int>(n - firstName) * rowH_;
        Line(x, y, x + colW_, y);
      }
      x += colW_;
    }
    canvas_.Pen.Width = 1;
  }

  const TBreakdownRun& run_;
  const TBreakdownOptions& options_;
  TCanvas& canvas_;
  TReportPage page_;
  int W_, H_, dx_, dy_, rowH_ = 0, colW_ = 0, cols_ = 0, lineH_ = 0, yb_ = 0, nameLimit_ = 0, gap_ = 0;
  std::vector<std::size_t> drawn_;
};

}  // namespace

std::string GraphEighthsText(const TPageLength& length) { return LengthColumnText(length); }

bool GraphGroupChanged(const TBreakdownRun& run, const TBreakdownOptions& options, std::size_t scene) {
  if (scene == 0 || scene >= run.Scenes.size()) return false;
  const BreakdownRecord& a = run.Scenes[scene - 1].Record;
  const BreakdownRecord& b = run.Scenes[scene].Record;
  switch (options.Primary) {
    case TPrimaryOrder::Location: return a.Location != b.Location;
    case TPrimaryOrder::TimeOfDay: return a.TimeOfDay != b.TimeOfDay;
    case TPrimaryOrder::IntExt: return a.IntExt != b.IntExt;
    default: return true;
  }
}

bool PrintBreakdownGraph(const TBreakdownRun& run, const TBreakdownOptions& options) {
  if (!StartPrintJob(false, "Breakdown Graph")) return false;
  FlushTextRun();
  // Pages ejected before a Cancel stay printed.
  const bool whole = TGraphPrinter(run, options, *CurrentPrintCanvas).Print();
  return FinishPrintJob() && whole;
}

}  // namespace qm

// Printing without a printer: the PDF printer is always offered and
// writes each job to its own file.
#include <QFile>

#include "gui/gui_fixture.h"
#include "platform/files.h"
#include "platform/printer.h"
#include "platform/qt/qt_printer.h"

namespace qm {
namespace {

class PrinterTest : public testing::GuiFixture {
 protected:
  static int PdfPrinterIndex() { return Printer()->Printers().IndexOf(PdfPrinterName); }
  static std::string Read(const std::string& path) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
  }
  void PrintJob(const std::string& title, int pages) {
    Printer()->SetPrinterIndex(PdfPrinterIndex());
    Printer()->Title = title;
    ASSERT_TRUE(Printer()->BeginDoc());
    for (int page = 1; page <= pages; ++page) {
      if (page > 1) Printer()->NewPage();
      TCanvas& canvas = Printer()->Canvas();
      canvas.Font.Name = "Courier New";
      canvas.Font.Size = 12;
      canvas.TextOut(300, 300, "FADE IN: page " + std::to_string(page));
    }
    Printer()->EndDoc();
  }
};

TEST_F(PrinterTest, ThePdfPrinterIsAlwaysThere) {
  ASSERT_GE(PdfPrinterIndex(), 0);
  Printer()->SetPrinterIndex(PdfPrinterIndex());
  EXPECT_TRUE(Printer()->HasPrinter());
  EXPECT_EQ(Printer()->GetDeviceCaps(LOGPIXELSY), 300) << "the layout's own resolution";
  EXPECT_EQ(Printer()->GetDeviceCaps(PHYSICALWIDTH), 2550) << "a letter sheet";
  EXPECT_EQ(Printer()->GetDeviceCaps(PHYSICALHEIGHT), 3300);
  EXPECT_EQ(Printer()->GetDeviceCaps(PHYSICALOFFSETX), 75);
  EXPECT_EQ(Printer()->PageWidth(), 2550 - 150);
}

TEST_F(PrinterTest, EachJobGoesToItsOwnFileInTheDocuments) {
  PrintJob("Pilot", 2);
  const std::string first = Home() + "/Pilot.pdf";
  const std::string pdf = Read(first);
  ASSERT_FALSE(pdf.empty());
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
  EXPECT_NE(pdf.find("/Count 2"), std::string::npos) << "two pages";
  PrintJob("Pilot", 1);
  EXPECT_TRUE(FileExists(Home() + "/Pilot (2).pdf")) << "a second job never overwrites the first";
  EXPECT_EQ(Read(first), pdf);
}

TEST_F(PrinterTest, AnAbortedJobLeavesNoFile) {
  Printer()->SetPrinterIndex(PdfPrinterIndex());
  Printer()->Title = "Draft";
  ASSERT_TRUE(Printer()->BeginDoc());
  Printer()->Canvas().TextOut(100, 100, "half");
  Printer()->Abort();
  EXPECT_FALSE(FileExists(Home() + "/Draft.pdf"));
  EXPECT_TRUE(Printer()->Aborted());
}

TEST_F(PrinterTest, AJobTitleThatNamesAPdfFileIsUsed) {
  const std::string path = Home() + "/out/script.pdf";
  ForceDirectories(Home() + "/out");
  EXPECT_EQ(PdfPathForJob(path), path);
  EXPECT_EQ(PdfPathForJob("a/b: c"), Home() + "/a_b_ c.pdf") << "a title is made a safe file name";
}

}  // namespace
}  // namespace qm

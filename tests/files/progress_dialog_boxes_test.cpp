// The progress dialog beside the message boxes: a box shown over a job
// moves the dialog off the screen and back; a file error disables the
// dialog while it is reported and leaves no pending error behind.
#include <gtest/gtest.h>

#include <string>

#include "base/message_boxes.h"
#include "base/program_options.h"
#include "files/file_job.h"
#include "files/progress_dialog.h"
#include "platform/files.h"
#include "platform/input.h"
#include "shell/main_form.h"
#include "shell/splash_screen.h"
#include "support/converter_path.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

class ProgressDialogBoxesTest : public testing::ProgramFixture {
 protected:
  static bool OffScreen(const TProgressDlg& dialog) { return dialog.Left == -dialog.Width; }
  static int Centred(const TProgressDlg& dialog) { return (Screen->Width() - dialog.Width) / 2; }
};

TEST_F(ProgressDialogBoxesTest, AQuestionAskedDuringAJobMovesTheDialogOffTheScreenWhileItWaits) {
  // The converter, installed beside the program, finds no word processor's
  // file, and the writer is asked.
  testing::ScopedEnv path("PATH", testing::SearchPathWithConverter());
  const std::string noise = HomeFile("NOISE.QMW");
  testing::WriteFileText(noise, std::string("\x01\x02\x03\xfe\xff binary\x07\x08", 14));
  TProgressDlg& dialog = ProgressDlg();
  testing::ChooseFile(Driver(), noise);
  bool asked = false;
  Driver().Expect([&](TForm& box) {
    asked = true;
    EXPECT_EQ(testing::MessageBoxText(box), UnidentifiedFileQuestion);
    EXPECT_TRUE(dialog.Visible);
    EXPECT_TRUE(OffScreen(dialog)) << "left " << dialog.Left << ", width " << dialog.Width;
    box.ModalResult = mrNo;
  });
  MainForm->FileOpenItem->Click();
  EXPECT_TRUE(asked);
}

TEST_F(ProgressDialogBoxesTest, TheDialogComesBackOnceTheBoxIsAnswered) {
  TProgressDlg& dialog = ProgressDlg();
  dialog.Show();
  ASSERT_EQ(dialog.Left, Centred(dialog));
  for (const bool question : {false, true}) {
    SCOPED_TRACE(question ? "a question" : "a message");
    Driver().Expect([&](TForm&) {
      EXPECT_TRUE(OffScreen(dialog));
      SendKey(VK_RETURN);
    });
    if (question) {
      AskYesNo("Go on?", "", true);
    } else {
      ShowMessageBox("Done.", "");
    }
    EXPECT_EQ(dialog.Left, Centred(dialog));
  }
  dialog.Hide();
}

TEST_F(ProgressDialogBoxesTest, ABoxShownWhileTheProgramStartsLeavesTheDialogWhereItIs) {
  TProgressDlg& dialog = ProgressDlg();
  dialog.Show();
  TSplashScreen splash(nullptr);
  Driver().Expect([&](TForm&) {
    EXPECT_EQ(dialog.Left, Centred(dialog));
    SendKey(VK_RETURN);
  });
  ShowMessageBox("Starting.", "");
  EXPECT_EQ(dialog.Left, Centred(dialog));
  dialog.Hide();
}

TEST_F(ProgressDialogBoxesTest, AFileErrorDisablesTheDialogAndClearsThePendingError) {
  TProgressDlg& dialog = ProgressDlg();
  PendingIOError = 5;
  Driver().Expect([&](TForm& box) {
    EXPECT_EQ(testing::MessageBoxText(box), "Error reading KITCHEN.QMW\rFile Access Denied");
    EXPECT_FALSE(dialog.Enabled);
    box.ModalResult = mrOk;
  });
  ShowFileError("reading KITCHEN.QMW", 5);
  EXPECT_TRUE(dialog.Enabled);
  EXPECT_EQ(PendingIOError, 0);
}

// Save codes of no writer: the job writes nothing and ends as done.
TEST_F(ProgressDialogBoxesTest, ASaveCodeOfNoWriterWritesNothingAndSucceeds) {
  Script().SetFocus();
  TypeText("A kettle whistles.");
  TProgressDlg& dialog = ProgressDlg();
  for (const Byte code : {8, 9, 10, 15, 17, 18, 19}) {
    SCOPED_TRACE(static_cast<int>(code));
    const std::string target = HomeFile("CODE" + std::to_string(code) + ".OUT");
    dialog.FileFormatCode = code;
    EXPECT_TRUE(dialog.Execute(target, false, false));
    EXPECT_FALSE(FileExists(target));
    EXPECT_EQ(Driver().Pending(), 0);
  }
}

// The gauge moves by at least its step; 100 moves it once; 0 always does.
TEST_F(ProgressDialogBoxesTest, TheGaugeMovesOnlyByItsStep) {
  TProgressDlg& dialog = ProgressDlg();
  dialog.GaugePanel->Visible = true;
  dialog.GaugeStep = 20;
  dialog.PercentDone->Progress = 15;
  const struct {
    Byte request;
    int after;
  } steps[] = {{30, 15}, {34, 15}, {35, 35}, {100, 100}, {100, 100}, {50, 100}, {0, 0}, {100, 100}};
  for (const auto& step : steps) {
    SCOPED_TRACE(static_cast<int>(step.request));
    dialog.Percentage(step.request);
    EXPECT_EQ(dialog.PercentDone->Progress, step.after);
  }
}

// The dialog's height follows the screen's above 600 pixels, and a hidden
// gauge or Cancel button takes its own height off.
TEST_F(ProgressDialogBoxesTest, TheDialogIsSizedByTheScreenAndItsShownParts) {
  TProgressDlg& dialog = ProgressDlg();
  dialog.JobFileName = HomeFile("KITCHEN.QMW");  // a file job: the gauge follows the option
  const int gauge = dialog.GaugePanel->Height;
  const int cancel = dialog.CancelBtn->Height;
  const struct {
    int screen;
    bool gaugeShown, cancelShown;
    int height;
  } cases[] = {{480, true, true, 204},
               {600, true, true, 204},
               {768, true, true, 261},
               {1200, true, true, 408},
               {768, false, true, 261 - gauge},
               {768, true, false, 261 - cancel},
               {768, false, false, 261 - gauge - cancel}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.screen) + (c.gaugeShown ? " gauge" : "") + (c.cancelShown ? " cancel" : ""));
    Backend().ScreenSettings().Height = c.screen;
    ProgramOptions().ShowRetrieveProgress = c.gaugeShown;
    dialog.CancelBtn->Visible = c.cancelShown;
    dialog.Show();
    EXPECT_EQ(dialog.GaugePanel->Visible, c.gaugeShown);
    EXPECT_EQ(dialog.Height, c.height);
    dialog.Hide();
  }
}

}  // namespace
}  // namespace qm

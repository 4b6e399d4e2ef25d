// An element started inside a speech, as a writer does it on the desktop:
// the rest of the speech keeps its speaker, and the name repeated over it
// carries the mark the rule gives it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// The script's lines, without the blanks a line keeps at its end.
std::vector<std::string> Lines(DesktopSession& session) {
  std::vector<std::string> lines = TextLines(session.ScriptText());
  for (std::string& line : lines) line.erase(line.find_last_not_of(' ') + 1);
  return lines;
}

// A scene with one speech; the caret left before its last sentence.
void TypeSpeech(DesktopSession& session) {
  session.ClickInScript();
  session.Type("INT. HALL - DAY");
  session.Keys("Return Tab");
  session.Type("john");
  session.Keys("Return");
  session.Type("Hello. Fine.");
  session.Keys("Left Left Left Left Left");
}

// Ctrl+S before "Fine.": the new scene's heading goes in, and "Fine." is
// still JOHN's, with no CONT'D in the new scene.
TEST(SpeechInterruptionDesktopTest, CtrlSInsideASpeechKeepsTheSpeakerOverTheRest) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  TypeSpeech(session);
  session.Keys("ctrl+s");
  session.Screenshot("speech_ctrl_s_menu");
  session.Keys("i");  // INT., by its letter
  session.Type("ROOF");
  session.Keys("Down");
  session.Screenshot("speech_ctrl_s");
  const std::vector<std::string> lines = Lines(session);
  EXPECT_EQ(lines, (std::vector<std::string>{"INT. HALL - DAY", "JOHN", "Hello.", "INT. ROOF", "JOHN", "Fine."}));
  const std::string paper = session.PrintedText();
  EXPECT_EQ(paper.find("CONT'D"), std::string::npos) << paper;
}

// Ctrl+Enter before "Fine.": an Action goes in and JOHN speaks again after
// it, marked CONT'D.
TEST(SpeechInterruptionDesktopTest, AnActionInsideASpeechRepeatsTheSpeakerContinued) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  TypeSpeech(session);
  session.Keys("ctrl+Return");
  session.Type("He sits.");
  session.Screenshot("speech_action");
  const std::vector<std::string> lines = Lines(session);
  EXPECT_EQ(lines, (std::vector<std::string>{"INT. HALL - DAY", "JOHN", "Hello.", "He sits.", "JOHN", "Fine."}));
  const std::string paper = session.PrintedText();
  EXPECT_NE(paper.find("JOHN (CONT'D)"), std::string::npos) << paper;
}

}  // namespace
}  // namespace qm::desktop

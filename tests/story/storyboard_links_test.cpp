// Storyboard links against a stand-in storyboard program in a second
// process: the handshake, linking the block to the selected frame,
// following, deleting and invalid links, the storyboard's own requests,
// and the links kept in the script file.
#include "story/storyboard_links.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "files/native_file.h"
#include "files/undo_ring.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/recording_canvas.h"
#include "script/editing/editor_calls.h"
#include "script/layout/screen_rebuild.h"
#include "shell/app_messages.h"
#include "story/branching_script.h"
#include "story/storyboard_link_form.h"
#include "story/storyboard_protocol.h"
#include "support/child_process.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "support/script_shots.h"

namespace qm {
namespace {

using Links = std::vector<Word>;
using Strings = std::vector<std::string>;

class StoryboardLinksTest : public testing::ProgramFixture {
 protected:
  StoryboardLinksTest() { WithChannel = true; }
  void SetUp() override {
    ProgramFixture::SetUp();
    LoadStorm();
  }
  void LoadStorm() {
    Script().FreeElements();
    ResetScreenLines(Script());
    testing::AddElements(
        Script(),
        {{ekSceneHeading, "INT. HALL - DAY"}, {ekAction, "Rain."}, {ekAction, "Thunder."}, {ekAction, "Silence."}});
    Script().ScriptFileName = ScriptDirectory + "/STORM.QMW";
    editor::DisAssemble(Script());
  }
  // The storyboard program with its file and frames.
  std::unique_ptr<testing::ChildProcess> StartStoryboard(const Strings& frames, const std::string& file = "BOARD.SBD") {
    Strings args{Home() + "/run", file};
    args.insert(args.end(), frames.begin(), frames.end());
    auto peer = std::make_unique<testing::ChildProcess>(QM_STORYBOARD_PEER_PATH, args);
    EXPECT_EQ(peer->ReadLine(), "ready");
    return peer;
  }
  void Tell(testing::ChildProcess& peer, const std::string& command) {
    const std::string verb = command.substr(0, command.find(' '));
    ASSERT_TRUE(peer.WriteLine(command));
    for (;;) {
      const auto line = peer.ReadLine();
      ASSERT_TRUE(line) << "the storyboard did not take " << command;
      if (*line == "done " + verb) return;
    }
  }
  // The lines the storyboard printed, as far as the one wanted; the
  // program's idle pass runs meanwhile, so that it answers requests.
  bool Saw(testing::ChildProcess& peer, const std::string& wanted, Strings* before = nullptr) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
      Application->ProcessMessages();
      bool done = false;
      MainForm->AppIdle(nullptr, done);
      if (auto line = peer.ReadLine(50)) {
        if (*line == wanted) return true;
        if (before) before->push_back(*line);
      }
    }
    return false;
  }
  // Runs the program a moment, so that answers nobody waits for arrive and
  // pass through the idle pass.
  void Settle() {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    while (std::chrono::steady_clock::now() < until) {
      Application->ProcessMessages();
      bool done = false;
      MainForm->AppIdle(nullptr, done);
    }
  }
  Links LinksOf() {
    Links links;
    for (const TScriptElement* e = Script().FirstElement; e; e = e->next) links.push_back(e->storyboardLink);
    return links;
  }
  Strings Frames() {
    Strings frames;
    for (int i = 0; i < Script().StoryboardLinks.Count(); ++i) frames.push_back(Script().StoryboardLinks[i]);
    return frames;
  }
  void MarkBlock(int from, int to) {
    editor::MarkBlock(Script(), *testing::NthElement(Script(), from), 0, *testing::NthElement(Script(), to), 3);
  }
  void Link(const Links& links, const Strings& frames) {
    Script().StoryboardLinks.Clear();
    for (const std::string& f : frames) Script().StoryboardLinks.Add(f);
    int i = 0;
    for (TScriptElement* e = Script().FirstElement; e; e = e->next) e->storyboardLink = links[i++];
  }
};

TEST_F(StoryboardLinksTest, FrameIdsTravelAsAtomsThatReadingReleases) {
  const struct {
    std::string name;
    DWord id;
  } cases[] = {{"*0", 0}, {"*7", 7}, {"#25", 25}, {"*4294967295", 4294967295u}, {"*12a", 0}, {"FRAME", 0}, {"*", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ATOM atom = GlobalAddAtom(c.name);
    GlobalAddAtom(c.name);  // two references: both go
    EXPECT_EQ(story::AtomToFrameId(atom), c.id);
    if (c.name[0] != '#') {
      EXPECT_EQ(GlobalFindAtom(c.name), 0);  // integer atoms are never stored
    }
  }
  EXPECT_EQ(GlobalGetAtomName(story::FrameIdToAtom(0)), "*0");
  EXPECT_EQ(story::AtomToFrameId(0xC555), 0u) << "an atom that does not exist";
}

TEST_F(StoryboardLinksTest, TheBlockIsLinkedToTheFrameTheUserSelects) {
  auto board = StartStoryboard({"3", "7"});
  Tell(*board, "select 7");
  MarkBlock(1, 2);
  testing::AnswerMessageBox(Driver(),
                            "In the Storyboard Program, select the Frame that you want assigned to the selected Text, "
                            "and THEN press OK...",
                            mrOk, "Attention");
  MainForm->StoryBoardLinkClick(MainForm->MenuItem("AssignFrameItem"));
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(LinksOf(), (Links{0, 1, 1, 0}));
  EXPECT_EQ(Frames(), (Strings{"0", "7"}));
  EXPECT_FALSE(Script().BlockOn());
  EXPECT_TRUE(Script().DocumentModified);
  EXPECT_NE(story::StoryboardPartnerWindow(), story::NoStoryboardPartner) << "the handshake found it";
  EXPECT_TRUE(Saw(*board, "FrameQuery 4573"));
  EXPECT_TRUE(Saw(*board, "FrameQuery 204 0"));
  EXPECT_TRUE(Saw(*board, "FrameQuery 13226 0"));

  // A second frame for the last element; the first keeps its index.
  Tell(*board, "select 3");
  MarkBlock(3, 3);
  testing::AnswerMessageBox(Driver(),
                            "In the Storyboard Program, select the Frame that you want assigned to the selected Text, "
                            "and THEN press OK...",
                            mrOk);
  story::AssignStoryboardFrame();
  EXPECT_EQ(LinksOf(), (Links{0, 1, 1, 2}));
  EXPECT_EQ(Frames(), (Strings{"0", "7", "3"}));
}

TEST_F(StoryboardLinksTest, WithoutABlockOrWithoutTheStoryboardNothingIsLinked) {
  testing::AnswerMessageBox(Driver(), "You have to have selected the text to assign before running this function!",
                            mrOk, "Attention");
  story::AssignStoryboardFrame();
  EXPECT_EQ(Driver().Pending(), 0);

  MarkBlock(1, 1);  // no storyboard program: the user gives up
  Driver().Expect([](TForm& box) {
    EXPECT_NE(testing::MessageBoxText(box).find("requires that the StoryBoard Program be running"), std::string::npos);
    box.ModalResult = mrAbort;
  });
  story::AssignStoryboardFrame();
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(LinksOf(), (Links{0, 0, 0, 0}));
}

TEST_F(StoryboardLinksTest, FollowingALinkShowsItsFrameOrOffersToRemoveAnInvalidOne) {
  auto board = StartStoryboard({"7"});
  Link({0, 1, 1, 2}, {"0", "7", "8"});
  editor::MoveCaretTo(Script(), *testing::NthElement(Script(), 2));
  story::OpenStoryboardLink();
  EXPECT_EQ(Script().StoryboardFileName, "BOARD.SBD") << "the storyboard that is open is adopted";
  EXPECT_TRUE(Saw(*board, "FrameQuery 170 0"));
  EXPECT_TRUE(Saw(*board, "FrameAction 2730 *7"));
  EXPECT_TRUE(Saw(*board, "FrameAction 2730 *7")) << "shown once more";
  Settle();  // the answer to the second showing comes unawaited

  editor::MoveCaretTo(Script(), *testing::NthElement(Script(), 3));  // frame 8 is not in the storyboard
  testing::AnswerMessageBox(Driver(),
                            "The StoryBoard Program reports\rthis to be an invalid link!\r\rShould I remove all "
                            "references in\rthe script to this link?",
                            mrYes, "Warning");
  story::OpenStoryboardLink();
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(LinksOf(), (Links{0, 1, 1, 0}));
  EXPECT_EQ(Frames(), (Strings{"0", "7", "8"})) << "entries stay, so that indexes keep their frames";

  editor::MoveCaretTo(Script(), *testing::NthElement(Script(), 0));
  testing::AnswerMessageBox(Driver(), "Link Reference Error", mrOk, "Warning");
  story::OpenStoryboardLink();
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(StoryboardLinksTest, AReplyAboutAnotherStoryboardFileIsARefusal) {
  auto board = StartStoryboard({"7"}, "OTHER.SBD");
  Script().StoryboardFileName = "board.sbd";
  EXPECT_FALSE(story::StoryboardFrameExists(7)) << "the storyboard has another file open";
  Tell(*board, "open BOARD.SBD");
  EXPECT_TRUE(story::StoryboardFrameExists(7)) << "names compare without case";
  EXPECT_FALSE(story::StoryboardFrameExists(9));
}

TEST_F(StoryboardLinksTest, DeletingLinksCanAlsoDeleteTheFrame) {
  auto board = StartStoryboard({"7"});
  Script().StoryboardFileName = "BOARD.SBD";
  Link({0, 1, 1, 0}, {"0", "7"});
  testing::AnswerMessageBox(Driver(), "Delete all Links in Script to this frame?", mrYes);
  testing::AnswerMessageBox(Driver(), "Remove this frame from the Storyboard?", mrYes);
  story::DeleteFrameLinks(7, true);
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(LinksOf(), (Links{0, 0, 0, 0}));
  EXPECT_EQ(Frames(), (Strings{"0", "7"}));
  EXPECT_TRUE(Saw(*board, "FrameAction 255 *7"));

  Link({0, 1, 1, 0}, {"0", "7"});
  testing::AnswerMessageBox(Driver(), "Delete all Links in Script to this frame?", mrNo);
  story::DeleteFrameLinks(7, true);
  EXPECT_EQ(LinksOf(), (Links{0, 1, 1, 0})) << "the user said no";
}

TEST_F(StoryboardLinksTest, TheStoryboardsRequestsAreAnsweredAtIdle) {
  auto board = StartStoryboard({"7"});
  Link({0, 1, 1, 0}, {"0", "7"});
  const struct {
    std::string send;
    std::string answer;
  } cases[] = {
      {"send ScriptQuery 204", "FrameQueryResponse 43520 0"},
      {"send ScriptQuery 187 *7", "FrameQueryResponse 43520 0"},
      {"send ScriptQuery 187 *9", "FrameQueryResponse 47872 0"},
      {"send ScriptQuery 170", "FrameQueryResponse 170 STORM.QMW"},
      {"send ScriptQuery 221 @STORM.SBD", "FrameQueryResponse 43520 0"},
      {"send ScriptQuery 221 @GONE.SBD", "FrameQueryResponse 47872 0"},
      {"send ScriptAction 187 *9", "FrameActionResponse 170 0"},
      {"send ScriptAction 187 *7", "FrameActionResponse 43520 0"},
      {"send ScriptAction 170 *7", "FrameActionResponse 43520 0"},
      {"send ScriptAction 170 *7", "FrameActionResponse 0 0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.send);
    Tell(*board, c.send);
    EXPECT_TRUE(Saw(*board, c.answer));
    if (c.send == "send ScriptAction 187 *7") {
      EXPECT_EQ(Script().CurrentElement(), testing::NthElement(Script(), 1));
    }
  }
  EXPECT_EQ(LinksOf(), (Links{0, 0, 0, 0})) << "the storyboard deleted the frame's links";
  EXPECT_EQ(StoryboardMessageQueue[0].message, 0u);
}

TEST_F(StoryboardLinksTest, TheStoryboardCanAnnounceItself) {
  auto board = StartStoryboard({});
  Tell(*board, "announce");
  EXPECT_TRUE(Saw(*board, "FrameQueryResponse 56593 program"));
  EXPECT_TRUE(IsWindow(story::StoryboardPartnerWindow()));
}

TEST_F(StoryboardLinksTest, ClearingHidingAndInheritingLinks) {
  Link({0, 1, 1, 1}, {"0", "7"});
  MarkBlock(2, 3);
  MainForm->StoryBoardLinkClick(MainForm->MenuItem("ClearFrameLinksItem"));
  EXPECT_EQ(LinksOf(), (Links{0, 1, 0, 0}));
  EXPECT_FALSE(Script().BlockOn());
  EXPECT_TRUE(Script().DocumentModified);

  for (bool hidden : {true, false}) {
    MainForm->HideSBLinksItemClick(nullptr);
    EXPECT_EQ(Script().HideStoryboardLinks != 0, hidden);
    EXPECT_EQ(MainForm->MenuItem("HideSBLinksItem")->Checked(), hidden);
    EXPECT_EQ(MainForm->MenuItem("HideLinkBracketsItem")->Checked(), hidden);
  }

  Link({1, 0, 1, 2}, {"0", "7", "9"});
  story::InheritStoryboardLink(Script(), *testing::NthElement(Script(), 1));
  story::InheritStoryboardLink(Script(), *testing::NthElement(Script(), 2));
  EXPECT_EQ(LinksOf(), (Links{1, 1, 1, 2})) << "only between two elements of one link";
}

TEST_F(StoryboardLinksTest, EnterInsideALinkedRunMakesAnElementOfTheSameLink) {
  const struct {
    const char* what;
    int element;
    int column;  // -1: the element's end
    Links after;
  } cases[] = {
      {"at the end of an element inside the run", 1, -1, {0, 1, 1, 1, 0}},
      {"at the end of the run's last element", 2, -1, {0, 1, 1, 0, 0}},
      {"at the start of the run's second element", 2, 0, {0, 1, 1, 1, 0}},
      {"at the start of the run's first element", 1, 0, {0, 0, 1, 1, 0}},
      {"in the middle of a linked element", 2, 3, {0, 1, 1, 1, 0}},
  };
  Script().SetFocus();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Link({0, 1, 1, 0}, {"0", "7"});
    editor::MoveCaretTo(Script(), *testing::NthElement(Script(), c.element));
    editor::SetCaretColumn(Script(), c.column < 0 ? Script().EditBuffer().size() : c.column);
    SendKey(VK_RETURN);
    EXPECT_EQ(LinksOf(), c.after);
    LoadStorm();
  }

  // Typed into and kept in the file.
  Link({0, 1, 1, 0}, {"0", "7"});
  editor::MoveCaretTo(Script(), *testing::NthElement(Script(), 1));
  editor::SetCaretColumn(Script(), Script().EditBuffer().size());
  SendKey(VK_RETURN);
  TypeText("Wind.");
  const std::string file = ScriptDirectory + "/STORM.QMW";
  ASSERT_TRUE(SaveScriptFile(file, false, true));
  Link({0, 0, 0, 0, 0}, {"0"});
  ASSERT_TRUE(LoadScriptFile(file, false));
  EXPECT_EQ(LinksOf(), (Links{0, 1, 1, 1, 0}));
  EXPECT_EQ(ElementText(*testing::NthElement(Script(), 2)), "Wind.");
}

TEST_F(StoryboardLinksTest, TheMarkMarginShowsTheHint) {
  Link({0, 1, 0, 0}, {"0", "7"});
  editor::RedisplayScreen(Script());
  int y = Script().TextTopOffset;
  for (int line = 1; Script().ScreenLines[static_cast<std::size_t>(line)].element != testing::NthElement(Script(), 1);
       ++line)
    y += Script().ScreenLines[static_cast<std::size_t>(line)].height;
  EXPECT_TRUE(story::ShowStoryboardLinkHint(Script(), 4, y + 1));
  EXPECT_EQ(Script().Hint(), "Double Click to Open StoryBoard Link");
  EXPECT_FALSE(story::ShowStoryboardLinkHint(Script(), 9, y + 1)) << "past the margin";
  EXPECT_FALSE(story::ShowStoryboardLinkHint(Script(), 4, Script().TextTopOffset + 1)) << "an element without a link";
  Script().HideStoryboardLinks = 1;
  EXPECT_FALSE(story::ShowStoryboardLinkHint(Script(), 4, y + 1));
}

TEST_F(StoryboardLinksTest, LinksAreKeptInTheScriptFile) {
  Link({0, 1, 1, 2}, {"0", "7", "9"});
  Script().StoryboardFileName = "BOARD.SBD";
  const std::string file = ScriptDirectory + "/STORM.QMW";
  ASSERT_TRUE(SaveScriptFile(file, false, true));
  Link({0, 0, 0, 0}, {"0"});
  Script().StoryboardFileName.clear();
  ASSERT_TRUE(LoadScriptFile(file, false));
  EXPECT_EQ(LinksOf(), (Links{0, 1, 1, 2}));
  EXPECT_EQ(Frames(), (Strings{"0", "7", "9"}));
  EXPECT_EQ(Script().StoryboardFileName, "BOARD.SBD");
}

TEST_F(StoryboardLinksTest, ANewFrameIsMadeAfterTheNearestLinkedFrameAndLinked) {
  auto board = StartStoryboard({"7"});
  Script().StoryboardFileName = "BOARD.SBD";
  MarkBlock(1, 2);
  MainForm->StoryBoardLinkClick(MainForm->MenuItem("NewFrameItem"));
  EXPECT_EQ(LinksOf(), (Links{0, 1, 1, 0}));
  EXPECT_EQ(Frames(), (Strings{"0", "8"}));
  EXPECT_TRUE(Saw(*board, "FrameAction 238 *0")) << "nothing linked before: no anchor";
  EXPECT_TRUE(Saw(*board, "FrameAction 187 *8")) << "the storyboard shows the new frame";
  Settle();
  EXPECT_EQ(story::StoryboardLinkForm(), nullptr) << "the form closed";

  editor::MoveCaretTo(Script(), *testing::NthElement(Script(), 3));
  MarkBlock(3, 3);
  story::CreateLinkedFrame();
  EXPECT_EQ(LinksOf(), (Links{0, 1, 1, 2}));
  EXPECT_EQ(Frames(), (Strings{"0", "8", "9"}));
  EXPECT_TRUE(Saw(*board, "FrameAction 238 *8")) << "after the frame linked before the caret";
  Settle();
}

TEST_F(StoryboardLinksTest, TheLinkFormStepsFromFrameToFrame) {
  auto board = StartStoryboard({"7"});
  Script().StoryboardFileName = "BOARD.SBD";
  Link({1, 0, 2, 2}, {"0", "7", "9"});
  editor::MoveCaretTo(Script(), *testing::NthElement(Script(), 0));
  story::ShowStoryboardLinkForm(7);
  story::TStoryBoardLinkForm* form = story::StoryboardLinkForm();
  ASSERT_NE(form, nullptr);
  story::ShowStoryboardLinkForm(9);
  EXPECT_EQ(story::StoryboardLinkForm(), form) << "a second request while it is open does nothing";
  EXPECT_EQ(form->LinkText->Lines.Text(), "INT. HALL - DAY\r\n");
  EXPECT_TRUE(form->DeleteLinkBtn->Enabled());

  form->NextBtn->Click();
  EXPECT_EQ(Script().CurrentElement(), testing::NthElement(Script(), 2));
  EXPECT_EQ(form->LinkFrameId, 9u);
  EXPECT_EQ(form->LinkText->Lines.Text(), "Thunder.\r\n\r\nSilence.\r\n");
  EXPECT_FALSE(form->EstablishLinkBtn->Enabled()) << "frame 9 is not in the storyboard";
  testing::AnswerMessageBox(Driver(), "No More Frames Found", mrOk, "Attention");
  form->NextBtn->Click();
  EXPECT_EQ(Driver().Pending(), 0);

  form->PrevBtn->Click();
  EXPECT_EQ(Script().CurrentElement(), testing::NthElement(Script(), 0));
  EXPECT_EQ(form->LinkFrameId, 7u);
  EXPECT_TRUE(form->EstablishLinkBtn->Enabled());
  EXPECT_TRUE(Saw(*board, "FrameAction 2730 *9"));
  EXPECT_TRUE(Saw(*board, "FrameAction 2730 *7"));
  form->CancelBtn->Click();
  Settle();
  EXPECT_EQ(story::StoryboardLinkForm(), nullptr);
}

TEST_F(StoryboardLinksTest, TheLinkFormClosesOnceItLosesActivation) {
  Link({1, 0, 2, 2}, {"0", "7", "9"});
  const auto open = [&] {
    story::ShowStoryboardLinkForm(7);
    EXPECT_NE(story::StoryboardLinkForm(), nullptr);
    EXPECT_TRUE(story::StoryboardLinkForm()->Active());
  };

  open();
  MainForm->SetFocus();
  EXPECT_NE(story::StoryboardLinkForm(), nullptr) << "closed after the deactivation, not inside it";
  Application->ProcessMessages();
  EXPECT_EQ(story::StoryboardLinkForm(), nullptr);

  // Activation back before the close came: the form stays.
  open();
  MainForm->SetFocus();
  story::StoryboardLinkForm()->SetFocus();
  Application->ProcessMessages();
  ASSERT_NE(story::StoryboardLinkForm(), nullptr);

  // Closed by its own button with the close still on its way.
  MainForm->SetFocus();
  story::StoryboardLinkForm()->CancelBtn->Click();
  Application->ProcessMessages();
  EXPECT_EQ(story::StoryboardLinkForm(), nullptr);

  // A box of the form's own takes the activation for a moment only.
  open();
  editor::MoveCaretTo(Script(), *testing::NthElement(Script(), 2));
  testing::AnswerMessageBox(Driver(), "No More Frames Found", mrOk, "Attention");
  story::StoryboardLinkForm()->NextBtn->Click();
  Application->ProcessMessages();
  ASSERT_NE(story::StoryboardLinkForm(), nullptr);
  EXPECT_EQ(Driver().Pending(), 0);

  // So does a box from elsewhere, as the storyboard's requests raise them.
  testing::AnswerMessageBox(Driver(), "Delete all Links in Script to this frame?", mrNo);
  story::DeleteFrameLinks(9, true);
  Application->ProcessMessages();
  ASSERT_NE(story::StoryboardLinkForm(), nullptr);
  EXPECT_TRUE(story::StoryboardLinkForm()->Active()) << "the keyboard came back to it";

  // A click in the script after the form went passes on as before.
  MainForm->SetFocus();
  Application->ProcessMessages();
  ASSERT_EQ(story::StoryboardLinkForm(), nullptr);
  editor::MoveCaretTo(Script(), *testing::NthElement(Script(), 3));
  editor::RedisplayScreen(Script());
  // The first line on screen of another element than the caret's.
  int y = Script().TextTopOffset;
  TScriptElement* other = nullptr;
  for (int line = 1; line <= ScreenLineCount && !other; ++line) {
    const TScreenLine& row = Script().ScreenLines[static_cast<std::size_t>(line)];
    if (row.element && row.element != Script().CurrentElement() && !IsPageBreakKind(row.element->Kind()))
      other = row.element;
    else y += row.height;
  }
  ASSERT_NE(other, nullptr);
  ClickAt(Script(), 40, y + 2);
  EXPECT_EQ(Script().CurrentElement(), other);
}

// However the link form goes, the block the writer marked for it goes too.
TEST_F(StoryboardLinksTest, ClosingTheLinkFormClearsTheBlock) {
  Link({1, 0, 2, 2}, {"0", "7", "9"});
  const struct {
    const char* how;
    std::function<void()> close;
  } ways[] = {
      {"its Close button", [] { story::StoryboardLinkForm()->CancelBtn->Click(); }},
      {"losing activation", [] { MainForm->SetFocus(); }},
      {"the storyboard closing it", [] { story::CloseStoryboardLinkForm(); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.how);
    MarkBlock(1, 2);
    ASSERT_TRUE(Script().BlockOn());
    story::ShowStoryboardLinkForm(7);
    ASSERT_NE(story::StoryboardLinkForm(), nullptr);
    way.close();
    Application->ProcessMessages();
    ASSERT_EQ(story::StoryboardLinkForm(), nullptr);
    EXPECT_FALSE(Script().BlockOn());
    EXPECT_TRUE(editor::BlockSpans(Script()).empty());
  }
}

TEST_F(StoryboardLinksTest, TheFramePictureTheStoryboardLeavesOnTheClipboardShowsInTheForm) {
  auto board = StartStoryboard({"7", "9"});
  Script().StoryboardFileName = "BOARD.SBD";
  Link({1, 0, 2, 2}, {"0", "7", "9"});
  // The colour the picture was last painted in (the stand-in's pictures
  // are of one colour, the frame id).
  const auto pictureColour = [](story::TStoryBoardLinkForm& form) -> long {
    long colour = -1;
    for (const DrawOp& op : dynamic_cast<RecordingCanvas*>(form.Image1->Picture.Surface())->Ops())
      if (op.kind == DrawOp::Kind::FillRect) colour = static_cast<long>(op.brush.Color);
    return colour;
  };
  editor::MoveCaretTo(Script(), *testing::NthElement(Script(), 0));
  story::ShowStoryboardLinkForm(7);
  story::TStoryBoardLinkForm* form = story::StoryboardLinkForm();
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(form->Image1->Picture.Empty()) << "no picture on the clipboard yet";

  const struct {
    const char* what;
    TButton* story::TStoryBoardLinkForm::*button;
    long colour;
  } steps[] = {{"on to frame 9", &story::TStoryBoardLinkForm::NextBtn, 9},
               {"back to frame 7", &story::TStoryBoardLinkForm::PrevBtn, 7}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    (form->*step.button)->Click();
    EXPECT_EQ(form->Image1->Picture.Width(), 32);
    EXPECT_EQ(form->Image1->Picture.Height(), 24);
    EXPECT_EQ(pictureColour(*form), step.colour);
  }

  // Opened again, the form shows the picture still on the clipboard.
  form->CancelBtn->Click();
  Settle();
  story::ShowStoryboardLinkForm(7);
  ASSERT_NE(story::StoryboardLinkForm(), nullptr);
  EXPECT_EQ(pictureColour(*story::StoryboardLinkForm()), 7);
  story::CloseStoryboardLinkForm();
  Settle();
}

TEST_F(StoryboardLinksTest, TheFormsTextRunsASpeechTogether) {
  Script().FreeElements();
  testing::AddElements(Script(), {{ekAction, "He waits."},
                                  {ekCharacterName, "ANNA"},
                                  {ekParenthetical, "quietly"},
                                  {ekDialogue, "Go now."},
                                  {ekForcedPageBreak, ""},
                                  {ekDialogue, "Please."}});
  editor::DisAssemble(Script());
  EXPECT_EQ(story::LinkTextOf(Script(), Script().FirstElement, nullptr),
            "He waits.\r\n\r\nANNA:  (quietly) Go now. Please.");
  Script().ActionParentheticals = 1;
  EXPECT_EQ(story::LinkTextOf(Script(), Script().FirstElement, testing::NthElement(Script(), 1)),
            "(He waits.)\r\n\r\nANNA");
}

TEST_F(StoryboardLinksTest, AFrameTheStoryboardWillNotMakeIsReported) {
  auto board = StartStoryboard({"7"});
  Tell(*board, "refuse 238");
  Script().StoryboardFileName = "BOARD.SBD";
  MarkBlock(1, 2);
  testing::AnswerMessageBox(Driver(), "Error Creating Frame", mrOk, "Attention");
  story::CreateLinkedFrame();
  EXPECT_EQ(Driver().Pending(), 0) << "reported once, not tried for ever";
  EXPECT_EQ(LinksOf(), (Links{0, 0, 0, 0}));
  Settle();
  EXPECT_EQ(story::StoryboardLinkForm(), nullptr);
}

// Linking text to a frame is a change of the script: after an edit of its
// own, one Undo gives back the links and the frames as they were just
// before, and Redo the link made.
TEST_F(StoryboardLinksTest, OneUndoTakesBackALinkAndRedoMakesItAgain) {
  auto board = StartStoryboard({"3", "7"});
  const std::string assignQuestion =
      "In the Storyboard Program, select the Frame that you want assigned to the selected Text, and THEN press OK...";
  const struct {
    const char* what;
    std::function<void()> link;
  } cases[] = {
      {"the block assigned to the frame selected",
       [&] {
         Tell(*board, "select 7");
         testing::AnswerMessageBox(Driver(), assignQuestion, mrOk, "Attention");
         MainForm->StoryBoardLinkClick(MainForm->MenuItem("AssignFrameItem"));
       }},
      {"a linked frame made", [&] { MainForm->StoryBoardLinkClick(MainForm->MenuItem("NewFrameItem")); }},
  };
  const auto now = [this] {
    Script().Assemble();
    Script().DisAssemble();
    return testing::Shoot(Script());
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LoadStorm();
    Script().StoryboardFileName = "BOARD.SBD";
    Link({1, 0, 0, 0}, {"0", "3"});
    UndoObject->ClearUndoData();
    editor::MoveCaretTo(Script(), *testing::NthElement(Script(), 1));
    Script().SetFocus();
    TypeText("x");
    MarkBlock(2, 3);
    const testing::ScriptShot before = now();
    c.link();
    Settle();
    EXPECT_EQ(Driver().Pending(), 0);
    const testing::ScriptShot after = now();
    ASSERT_NE(testing::Differences(before, after), "") << "nothing was linked";
    ASSERT_TRUE(UndoObject->UndoIsAvailable());
    UndoObject->Undo();
    EXPECT_EQ(testing::Differences(before, now()), "");
    UndoObject->Redo();
    EXPECT_EQ(testing::Differences(after, now()), "");
  }
}

// Without a script the storyboard is asked once, not again and again.
class StoryboardWithoutScriptTest : public testing::ProgramFixture {};

TEST_F(StoryboardWithoutScriptTest, WithNoScriptOpenAMissingStoryboardEndsTheQuestion) {
  MainForm->CloseFileItem->Click();
  ASSERT_EQ(DocumentCount, 0);
  EXPECT_FALSE(story::EnsureStoryboardRunning());
  EXPECT_EQ(story::StoryboardPartnerWindow(), story::NoStoryboardPartner);
  EXPECT_EQ(Driver().Pending(), 0);
}

// What goes out carries the active script's file name in its high word;
// with no script active the high word is 0. The program itself stands in
// as the partner here, so that the posts can be read back.
TEST_F(StoryboardWithoutScriptTest, APostNamesTheActiveScriptOrCarriesZero) {
  Script().ScriptFileName = ScriptDirectory + "/STORM.QMW";
  story::StoryboardPartnerWindow() = Application->Handle();
  const auto Posted = [](Word code, Word value) {
    story::PostToStoryboard(story::FrameQuery(), code, value);
    TMsg msg{};
    EXPECT_TRUE(WaitForPostedMessage(msg, Application->Handle(), story::FrameQuery(), 1000));
    EXPECT_EQ(msg.wParam & 0xFFFF, code);
    EXPECT_EQ(msg.lParam & 0xFFFF, value);
    return static_cast<ATOM>((msg.lParam >> 16) & 0xFFFF);
  };
  const ATOM named = Posted(187, 25);
  EXPECT_EQ(GlobalGetAtomName(named), "STORM.QMW");
  MainForm->CloseFileItem->Click();
  ASSERT_EQ(DocumentCount, 0);
  story::StoryboardPartnerWindow() = Application->Handle();
  for (const Word code : {Word(204), Word(187), Word(170), Word(0x33AA)}) {
    SCOPED_TRACE(code);
    EXPECT_EQ(Posted(code, 0), 0);
  }
  story::StoryboardPartnerWindow() = story::NoStoryboardPartner;
}

// Started with "/NM" first, the program shows none of the link errors:
// each case below would otherwise bring up its box.
class SilencedLinkErrorsTest : public StoryboardLinksTest {
 protected:
  SilencedLinkErrorsTest() { Arguments = {"/NM"}; }
};

TEST_F(SilencedLinkErrorsTest, NoLinkErrorIsShown) {
  const std::string file = ScriptDirectory + "/STORM.QMW";
  // "Error Saving StoryBoard Link Information!": a frame that is no number.
  Link({0, 1, 0, 0}, {"0", "not a frame"});
  EXPECT_TRUE(SaveScriptFile(file, false, true));
  // "Error restoring Storyboard Links!": a link to an element past the end.
  Link({0, 0, 0, 1}, {"0", "123456789"});
  ASSERT_TRUE(SaveScriptFile(file, false, true));
  std::string bytes = testing::ReadFileText(file);
  const std::string block("\x15\xCD\x5B\x07\0\0\0\0\x04\0\x01\0", 12);
  const std::size_t at = bytes.find(block);
  ASSERT_NE(at, std::string::npos);
  bytes[at + 8] = '\x09';
  testing::WriteFileText(file, bytes);
  EXPECT_TRUE(LoadScriptFile(file, false));
  // "Link Reference Error": an element without a link.
  editor::MoveCaretTo(Script(), *testing::NthElement(Script(), 0));
  story::OpenStoryboardLink();
  // "Error Creating Frame": the storyboard refuses the frame.
  auto board = StartStoryboard({"7"});
  Tell(*board, "refuse 238");
  Link({0, 0, 0, 0}, {"0"});
  Script().StoryboardFileName = "BOARD.SBD";
  MarkBlock(1, 2);
  story::CreateLinkedFrame();
  EXPECT_EQ(LinksOf(), (Links{0, 0, 0, 0}));
  Settle();
  EXPECT_EQ(Driver().Pending(), 0);
}

}  // namespace
}  // namespace qm

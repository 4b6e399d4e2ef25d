#include "story/storyboard_protocol.h"

#include <charconv>

#include "base/document_table.h"
#include "base/global_state.h"
#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/program_busy.h"
#include "base/program_options.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/ipc.h"
#include "platform/messages.h"
#include "script/editing/document_modified.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "story/storyboard_link_form.h"
#include "story/storyboard_links.h"

namespace qm::story {

TStoryboardHooks StoryboardHooks;

namespace {

HWND Partner = NoStoryboardPartner;
TMsg Reply;
TStoryboardRequest LastRequest;

const GlobalState reset([] {
  Partner = NoStoryboardPartner;
  Reply = TMsg{};
  LastRequest = {};
  StoryboardHooks = {};
});

Word Low(LPARAM value) { return static_cast<Word>(value & 0xFFFF); }
Word High(LPARAM value) { return static_cast<Word>((value >> 16) & 0xFFFF); }

bool IsHandshakeCode(Word code) { return code == sbAnnounce || code == sbFindPartner || code == sbPartnerFound; }

// The atom of the active script's file name; found, else added.
Word ScriptNameAtom() {
  TMDIChild* script = ScriptForCommand();
  if (!script) return 0;
  const std::string name = WithoutFolder(script->ScriptFileName);
  if (name.empty()) return 0;
  const ATOM found = GlobalFindAtom(name);
  return found ? found : GlobalAddAtom(name);
}

// A requested file name: the script extension in place of its own.
std::string RequestedScriptName(ATOM atom) { return ChangeFileExt(TakeAtomName(atom), "." + ScriptExtension); }

void Answer(UINT request, Word code, Word value) {
  const UINT response =
      StoryboardMessage(request == StoryboardMessage("ScriptQuery") ? "FrameQueryResponse" : "FrameActionResponse");
  PostToStoryboard(response, code, value);
}

bool ScriptFileAvailable(const std::string& name) {
  if (FindScriptByName(name, false)) return true;
  return DocumentCount < MaxDocuments && FileExists(JoinPath(ScriptDirectory, name));
}

void AnswerQuery(UINT message, Word code, const TMsg& msg) {
  TMDIChild* script = ScriptForCommand();
  switch (code) {
    case sbRunning: Answer(message, script && script->Editable ? sbYes : sbNo, 0); break;
    case sbFile: {
      const std::string name = RequestedScriptName(Low(msg.lParam));
      Answer(message, ScriptFileAvailable(name) ? sbYes : sbNo, 0);
      break;
    }
    case sbAnnounce:
      if (IsWindow(static_cast<HWND>(msg.lParam))) Partner = static_cast<HWND>(msg.lParam);
      // The whole lParam is our window: no file-name atom goes with it.
      PostMessage(Partner, StoryboardMessage("FrameQueryResponse"), sbPartnerFound,
                  static_cast<LPARAM>(Application->Handle()));
      break;
    case sbWhichFile:
      if (script) Answer(message, sbWhichFile, GlobalAddAtom(WithoutFolder(script->ScriptFileName)));
      else Answer(message, 0, 0);
      break;
    case sbFrame: Answer(message, GoToStoryboardLink(AtomToFrameId(Low(msg.lParam)), false) ? sbYes : sbNo, 0); break;
    default: break;
  }
}

void AnswerAction(UINT message, Word code, const TMsg& msg) {
  TMDIChild* script = ScriptForCommand();
  switch (code) {
    case sbWhichFile: {
      const DWord frame = AtomToFrameId(Low(msg.lParam));
      const bool linked = script && script->Editable && GoToStoryboardLink(frame, false);
      if (linked) DeleteFrameLinks(frame, false);
      Answer(message, linked ? sbYes : 0, 0);
      break;
    }
    case sbFrame: {
      const DWord frame = AtomToFrameId(Low(msg.lParam));
      if (!GoToStoryboardLink(frame, true)) {
        Answer(message, sbWhichFile, 0);
        break;
      }
      ShowScriptWindow();
      Answer(message, script && script->Active() ? sbYes : 0, 0);
      break;
    }
    case sbRunning: {
      const DWord frame = AtomToFrameId(Low(msg.lParam));
      ShowScriptWindow();
      if (!script || !script->Editable) {
        Answer(message, 0, 0);
        break;
      }
      Answer(message, sbYes, 0);
      if (frame != 0) GoToStoryboardLink(frame, true);
      ShowStoryboardLinkForm(frame);
      break;
    }
    case sbFile: {
      const std::string name = RequestedScriptName(Low(msg.lParam));
      bool found = FindScriptByName(name, true);
      if (!found && DocumentCount < MaxDocuments && FileExists(JoinPath(ScriptDirectory, name)) &&
          StoryboardHooks.OpenScript)
        found = StoryboardHooks.OpenScript(JoinPath(ScriptDirectory, name));
      Answer(message, found ? sbYes : 0, 0);
      break;
    }
    default: break;
  }
}

void TakeActionResponse(Word code, const TMsg& msg) {
  if (code == sbWhichFile) {
    AskRemoveInvalidLink(AtomToFrameId(Low(msg.lParam)));
  } else if (code == sbShowFrame) {
    ShowStoryboardLinkForm(AtomToFrameId(Low(msg.lParam)));
  } else if (code == sbYes) {
    if (LastRequest.code == sbFrame) CloseStoryboardLinkForm();
    else if (LastRequest.code == sbDeleteFrame) ShowScriptWindow();
  }
}

}  // namespace

std::string WithoutFolder(const std::string& path) {
  const auto cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

UINT StoryboardMessage(const char* name) {
  // Only what the storyboard program sends us is taken from outside.
  const std::string_view n(name);
  const bool sentToUs =
      n == "ScriptQuery" || n == "ScriptAction" || n == "ScriptQueryResponse" || n == "ScriptActionResponse";
  return sentToUs ? RegisterIncomingMessage(name) : RegisterWindowMessage(name);
}

void AskRemoveInvalidLink(DWord frameId) {
  if (AskYesNo("The StoryBoard Program reports\rthis to be an invalid link!\r\rShould I remove all references in\r"
               "the script to this link?",
               "Warning", false))
    DeleteFrameLinks(frameId, false);
}

HWND& StoryboardPartnerWindow() { return Partner; }
TMsg& StoryboardReply() { return Reply; }
const TStoryboardRequest& LastStoryboardRequest() { return LastRequest; }

ATOM FrameIdToAtom(DWord frameId) { return GlobalAddAtom("*" + std::to_string(frameId)); }

std::string TakeAtomName(ATOM atom) {
  if (atom == 0) return {};
  std::string name = GlobalGetAtomName(atom);
  if (!name.empty()) DeleteGlobalAtom(atom);
  return name.substr(0, 255);
}

DWord AtomToFrameId(ATOM atom) {
  std::string name = TakeAtomName(atom);
  if (!name.empty() && (name[0] == '#' || name[0] == '*')) name.erase(0, 1);
  DWord id = 0;
  const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), id);
  return ec == std::errc() && end == name.data() + name.size() ? id : 0;
}

void FindStoryboardPartner() {
  if (Partner != NoStoryboardPartner && IsWindow(Partner)) return;
  PostMessage(HWND_BROADCAST, FrameQuery(), sbFindPartner, static_cast<LPARAM>(Application->Handle()));
  const bool came = WaitForStoryboardReply(ScriptQueryResponse());
  const auto window = static_cast<HWND>(Reply.lParam);
  Partner = came && Low(Reply.wParam) == sbPartnerFound && IsWindow(window) ? window : NoStoryboardPartner;
}

void PostToStoryboard(UINT message, Word code, Word value) {
  LastRequest = {static_cast<Word>(message), code};
  Reply = TMsg{};
  FindStoryboardPartner();
  LPARAM lParam = value;
  if (!IsHandshakeCode(code)) lParam |= static_cast<LPARAM>(ScriptNameAtom()) << 16;
  PostMessage(Partner, message, code, lParam);
}

bool WaitForStoryboardReply(UINT message) {
  ProgramBusyScope busy;
  Reply = TMsg{};
  if (!WaitForPostedMessage(Reply, Application->Handle(), message, StoryboardReplyWait)) {
    Reply = TMsg{};
    return false;
  }
  const Word code = Low(Reply.wParam);
  if (code == sbPartnerFound || code == sbWhichFile) return true;
  const ATOM atom = High(Reply.lParam);
  const std::string name = GlobalGetAtomName(atom);
  TMDIChild* script = ScriptForCommand();
  if (!name.empty() && script && !script->StoryboardFileName.empty() &&
      !SameAsciiText(name, script->StoryboardFileName))
    Reply.wParam = 0;
  if (atom != 0) DeleteGlobalAtom(atom);
  return true;
}

bool AskStoryboard(UINT message, Word code, Word value, UINT answer) {
  PostToStoryboard(message, code, value);
  return WaitForStoryboardReply(answer);
}

bool EnsureStoryboardRunning() {
  for (;;) {
    if (AskStoryboard(FrameQuery(), sbRunning, 0, ScriptQueryResponse())) return true;
    // Asking again at once without a script would never end.
    if (!ScriptForCommand()) return false;
    if (AskAbortRetry("This StoryBoard Linking function requires that the StoryBoard Program be running.\r\r"
                      "Please run it, then press Retry...",
                      "Attention", true) != mrRetry)
      return false;
  }
}

bool StoryboardFrameExists(DWord frameId) {
  return AskStoryboard(FrameQuery(), sbFrame, FrameIdToAtom(frameId), ScriptQueryResponse()) &&
         Low(Reply.wParam) == sbYes;
}

bool CheckStoryboardFile(const std::string& expectedName, bool open) {
  if (!AskStoryboard(FrameQuery(), sbWhichFile, 0, ScriptQueryResponse()) || Low(Reply.wParam) != sbWhichFile ||
      Low(Reply.lParam) == 0)
    return false;
  const std::string openName = TakeAtomName(Low(Reply.lParam));
  std::string expected = expectedName;
  TMDIChild* script = ScriptForCommand();
  if (expected.empty() && script) {
    SetStoryboardFileName(*script, openName);
    expected = openName;
  }
  bool ok = expected == openName;
  if (!ok && !openName.empty() && script &&
      AskYesNo("The Storyboard Program reports that it has " + openName + " open, and I'm expecting it to be using " +
                   expected + "!\r\rIs this in fact the correct file?",
               "Warning", true)) {
    SetStoryboardFileName(*script, openName);
    ok = true;
  }
  if (!ok && open) {
    const ATOM atom = GlobalAddAtom(expected);
    ok = AskStoryboard(FrameQuery(), sbFile, atom, ScriptQueryResponse()) && Low(Reply.wParam) == sbYes &&
         AskStoryboard(FrameAction(), sbFile, atom, ScriptQueryResponse()) && Low(Reply.wParam) == sbYes;
    if (!ok) DeleteGlobalAtom(atom);
  }
  return ok;
}

bool EnsureStoryboardFile(const std::string& name) {
  ProgramBusyScope busy;
  for (;;) {
    if (CheckStoryboardFile(name, true)) return true;
    if (!ScriptForCommand()) return false;
    if (!AskOkCancel("The StoryBoard Program could not open the storyboard named " + name +
                         " automatically.\r\rPlease open it manually, then press OK...",
                     "Attention"))
      return false;
  }
}

void ShowStoryboardWindow() {
  ShowWindow(Partner, SW_RESTORE);
  SetForegroundWindow(Partner);
}

void ShowScriptWindow() {
  ShowWindow(Application->Handle(), SW_RESTORE);
  if (TMDIChild* script = ScriptForCommand()) {
    script->SetFocus();
    SetForegroundWindow(script->Handle());
  }
}

void ProcessStoryboardMessage(const TMsg& msg) {
  if (msg.message == 0) return;
  const Word code = Low(msg.wParam);
  if (msg.message == StoryboardMessage("ScriptQuery")) AnswerQuery(msg.message, code, msg);
  else if (msg.message == StoryboardMessage("ScriptAction")) AnswerAction(msg.message, code, msg);
  else if (msg.message == ScriptActionResponse()) TakeActionResponse(code, msg);
}

}  // namespace qm::story

// The talk with the outside storyboard program: eight registered window
// messages posted between the two programs' top-level windows, a code in
// the low word of wParam, and global atoms for frame ids and file names.
//
// lParam of what we post: low word the value (an atom or 0), high word
// the atom of the active script's file name (no folder), except for the
// handshake codes and when no script is active.
#pragma once

#include <functional>
#include <string>

#include "platform/types.h"

namespace qm::story {

// The codes of the protocol.
enum : Word {
  sbYes = 0xAA00,
  sbNo = 0xBB00,
  sbRunning = 204,    // 0xCC
  sbWhichFile = 170,  // 0xAA: also "not linked" and "invalid link"
  sbFile = 221,       // 0xDD
  sbFrame = 187,      // 0xBB
  sbSelectedFrame = 0x33AA,
  sbSelectedFrameAnswer = 0x33BB,
  sbNewFrame = 238,     // 0xEE
  sbShowFrame = 2730,   // 0xAAA
  sbDeleteFrame = 255,  // 0xFF
  sbFindPartner = 0x11DD,
  sbPartnerFound = 0xDD11,
  sbAnnounce = 0x22DD,
};

// No partner window known.
constexpr HWND NoStoryboardPartner = 0xFFFF;
constexpr int StoryboardReplyWait = 3000;

// The registered numbers of the eight messages, by name.
UINT StoryboardMessage(const char* name);
inline UINT FrameQuery() { return StoryboardMessage("FrameQuery"); }
inline UINT FrameAction() { return StoryboardMessage("FrameAction"); }
inline UINT ScriptQueryResponse() { return StoryboardMessage("ScriptQueryResponse"); }
inline UINT ScriptActionResponse() { return StoryboardMessage("ScriptActionResponse"); }

HWND& StoryboardPartnerWindow();
// The reply last received.
TMsg& StoryboardReply();
struct TStoryboardRequest {
  Word message = 0;
  Word code = 0;
};
const TStoryboardRequest& LastStoryboardRequest();

// Frame ids travel as atoms named "*" + the decimal id.
ATOM FrameIdToAtom(DWord frameId);
// Reads and deletes the atom; "#25" and "*25" read as 25, anything that is
// not a number as 0.
DWord AtomToFrameId(ATOM atom);
// The atom's name (at most 255 characters), the atom deleted.
std::string TakeAtomName(ATOM atom);

// Keeps or finds the partner: a broadcast asks for it.
void FindStoryboardPartner();
// Posts to the partner (found first); no answer is awaited.
void PostToStoryboard(UINT message, Word code, Word value);
// True when the message came within the time; it is in StoryboardReply().
// A reply that names another storyboard file than the script's arrives
// with code 0 (a refusal).
bool WaitForStoryboardReply(UINT message);
// Posts and waits for the answer message; true when it came.
bool AskStoryboard(UINT message, Word code, Word value, UINT answer);

bool EnsureStoryboardRunning();
bool StoryboardFrameExists(DWord frameId);
bool CheckStoryboardFile(const std::string& expected, bool open);
bool EnsureStoryboardFile(const std::string& name);

void ShowStoryboardWindow();
void ShowScriptWindow();

// What the storyboard's requests need of the main window.
struct TStoryboardHooks {
  // Opens a script file as the File Open command does; true when it opened.
  std::function<bool(const std::string& path)> OpenScript;
  // Makes the script of a window-list slot (1-9) the active one.
  std::function<void(int slot)> ActivateSlot;
};
extern TStoryboardHooks StoryboardHooks;

// The storyboard calls a link invalid: the user may have every link to the
// frame removed.
void AskRemoveInvalidLink(DWord frameId);

// Handles one storyboard message taken from the queue at idle.
void ProcessStoryboardMessage(const TMsg& msg);

// The name of a path without its folder, whichever separator it uses.
std::string WithoutFolder(const std::string& path);

}  // namespace qm::story

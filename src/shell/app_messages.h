// Window messages from outside: a second instance's "LoadName", the
// story-development program's "PasteStoryDev" and the storyboard
// program's messages, which wait in a queue for the idle pass.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <string>

#include "platform/types.h"

namespace qm {

constexpr int StoryboardQueueSize = 50;
extern std::array<TMsg, StoryboardQueueSize> StoryboardMessageQueue;
// The registered numbers of the storyboard messages the hook queues.
extern UINT ScriptQueryMessage, ScriptActionMessage, ScriptQueryResponseMessage, ScriptActionResponseMessage;
void RegisterStoryboardMessages();

// Where queued storyboard messages go at the idle pass (set by the
// storyboard links); the queue is cleared after every pass.
extern std::function<void(const TMsg&)> ProcessStoryboardMessage;
void DrainStoryboardQueue();
// Copies a message into the first free record; when all are taken the
// last record takes it.
void QueueStoryboardMessage(const TMsg& msg);

// Files handed over by "LoadName" that wait for their turn: a load in
// progress takes messages (its progress dialog), and a hand-off that
// arrives then is opened after it rather than inside it.
extern std::deque<std::string> PendingHandOffs;
// Opens the waiting files one after another, unless a load or a message
// box runs (then the idle pass calls again).
void OpenHandedOffFiles();

// The main window's text: the program's title, with the active script's.
std::string MainWindowText();
// The title bar: the main window's caption, with the active script's title.
std::string TitleBarTextFor(const std::string& caption);

}  // namespace qm

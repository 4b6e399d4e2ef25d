// A second program that speaks the window-message protocol from outside.
//
//   qm_test_peer <folder> serve <class> <title>
//     Publishes one window and prints "ready" once it can be found, then
//     one line per message it takes. A "LoadName" message names a global
//     atom in lParam: the atom's name is printed in brackets and the atom
//     deleted. A sent message is answered with wParam + lParam after a
//     "Notice" is posted back to the sender, except "NoReply" (never
//     answered), "Slow" (answered late) and "Quit" (ends the program
//     unanswered).
//     "PasteStoryDev" is thanked with a broadcast "ThankYou". Ends when
//     its standard input closes, or after a while in any case.
//
//   qm_test_peer <folder> handoff <class> <title> <message> <text>
//     Does what a second instance of the program does: finds the window,
//     puts the text into a global atom and posts the message to the window
//     with wParam 0 and the atom in lParam. Exits 0 when posted, 1 when no
//     window was found, 2 when the atom could not be added, 3 when the post
//     failed (the atom is then deleted).
//
//   qm_test_peer <folder> post|send <window> <message> <wParam> <lParam>
//     What any process of the user can do: posts or sends a message with
//     arguments of its choosing to a window given by its handle (decimal).
//     The message is a number, or a name to register. A send prints
//     "answer <n>" or "no answer". Exits 0 when posted or sent, 3 when not.
#include "platform/ipc_atoms.h"
#include "platform/ipc_channel.h"

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace qm {
namespace {

constexpr auto kLifetime = std::chrono::seconds(30);
constexpr int kAtomReleases = 254;
constexpr auto kSlowReply = std::chrono::milliseconds(300);

// This process's own registered message numbers.
UINT Registered(const std::string& name) {
  static std::vector<std::string> names;
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return FirstRegisteredMessage + static_cast<UINT>(i);
  names.push_back(name);
  return FirstRegisteredMessage + static_cast<UINT>(names.size() - 1);
}

WireMessage Registered(HWND target, HWND source, const std::string& name, WPARAM wParam, LPARAM lParam) {
  WireMessage m;
  m.target = target;
  m.source = source;
  m.message = Registered(name);
  m.registeredName = name;
  m.wParam = wParam;
  m.lParam = lParam;
  return m;
}

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

std::string TakeAtomName(SharedAtomTable& atoms, ATOM atom) {
  std::string name = atoms.GetName(atom);
  for (int i = 0; i < kAtomReleases && atoms.Delete(atom) == 0; ++i) {
  }
  return name;
}

// False when the peer should end.
bool Serve(IpcChannel& channel, SharedAtomTable& atoms, HWND window, const WireMessage& m) {
  const std::string& name = m.registeredName;
  if (name == "LoadName") {
    Say("LoadName [" + TakeAtomName(atoms, static_cast<ATOM>(m.lParam & 0xFFFF)) + "]");
  } else if (name == "PasteStoryDev") {
    Say("PasteStoryDev");
    channel.Broadcast(Registered(HWND_BROADCAST, window, "ThankYou", 0, 0));
  } else if (m.sendId != 0 && name == "Quit") {
    Say("Quit");
    return false;
  } else if (m.sendId != 0 && name != "NoReply") {
    if (name == "Slow") std::this_thread::sleep_for(kSlowReply);
    channel.Post(Registered(m.source, window, "Notice", m.wParam, 0));
    channel.Reply(m, m.wParam + m.lParam);
    Say("Replied " + name + " " + std::to_string(m.wParam + m.lParam));
  } else {
    Say((name.empty() ? std::to_string(m.message) : name) + " " + std::to_string(m.wParam) + " " +
        std::to_string(m.lParam));
  }
  return true;
}

int ServeMode(const std::string& folder, const std::string& className, const std::string& title) {
  IpcChannel channel(folder);
  SharedAtomTable atoms(folder);
  if (!channel.Ok()) return 2;
  HWND window = MakeWindowHandle(CurrentProcess(), 1);
  channel.PublishWindows({{window, className, title}});
  Say("ready");
  auto end = std::chrono::steady_clock::now() + kLifetime;
  while (std::chrono::steady_clock::now() < end) {
    pollfd fds[2] = {{channel.Fd(), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    poll(fds, 2, 100);
    char byte;
    if ((fds[1].revents & (POLLIN | POLLHUP)) && read(STDIN_FILENO, &byte, 1) <= 0) return 0;
    for (const WireMessage& m : channel.Receive())
      if (!Serve(channel, atoms, window, m)) return 0;
  }
  return 0;
}

int HandoffMode(const std::string& folder, const std::string& className, const std::string& title,
                const std::string& message, const std::string& text) {
  IpcChannel channel(folder);
  SharedAtomTable atoms(folder);
  auto window = channel.FindWindow(className, title);
  if (!window) return 1;
  ATOM atom = atoms.Add(text);
  if (atom == 0) return 2;
  if (channel.Post(Registered(*window, NullWindow, message, 0, atom))) return 0;
  TakeAtomName(atoms, atom);
  return 3;
}

WireMessage Raw(const std::vector<std::string>& args) {
  WireMessage m;
  m.target = std::stoull(args[0]);
  const std::string& message = args[1];
  const bool named = !message.empty() && (message[0] < '0' || message[0] > '9');
  m.message = named ? Registered(message) : static_cast<UINT>(std::stoul(message));
  if (named) m.registeredName = message;
  m.wParam = static_cast<WPARAM>(std::stoll(args[2], nullptr, 0));
  m.lParam = static_cast<LPARAM>(std::stoll(args[3], nullptr, 0));
  return m;
}

int RawMode(const std::string& folder, bool send, const std::vector<std::string>& args) {
  IpcChannel channel(folder);
  const WireMessage m = Raw(args);
  if (!send) return channel.Post(m) ? 0 : 3;
  const std::optional<LRESULT> answer = channel.Send(m, 5000, nullptr);
  Say(answer ? "answer " + std::to_string(*answer) : "no answer");
  return answer ? 0 : 3;
}

}  // namespace
}  // namespace qm

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 4 && args[1] == "serve") return qm::ServeMode(args[0], args[2], args[3]);
  if (args.size() == 6 && args[1] == "handoff") return qm::HandoffMode(args[0], args[2], args[3], args[4], args[5]);
  if (args.size() == 6 && (args[1] == "post" || args[1] == "send"))
    return qm::RawMode(args[0], args[1] == "send", {args.begin() + 2, args.end()});
  std::fprintf(stderr, "usage: qm_test_peer <folder> serve <class> <title>\n"
                       "       qm_test_peer <folder> handoff <class> <title> <message> <text>\n"
                       "       qm_test_peer <folder> post|send <window> <message> <wParam> <lParam>\n");
  return 64;
}

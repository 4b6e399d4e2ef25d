// A stand-in for the outside storyboard program, for the tests: it speaks
// the storyboard side of the link protocol exactly and keeps a small
// storyboard of numbered frames in memory.
//
//   qm_storyboard_peer <runtime folder> <storyboard file> <frame id>...
//
// Prints "ready" once its window can be found, then one line for each
// message it takes: the message's name, its code and its value (a frame
// atom as "*<id>", a file atom as its name). Commands on standard input:
//
//   select <id>          the frame the user has selected
//   open <file>          the storyboard file it has open
//   refuse [<code>]      answers every later request (or those with the
//                        code) as a refusal (0)
//   send <message> <code> [<value>]
//                        posts ScriptQuery or ScriptAction to the
//                        program; a value "*<id>" goes as a frame atom,
//                        a value "@<name>" as a file atom
//   announce             announces itself to the program (ScriptQuery
//                        0x22DD); the answer prints "program" when it
//                        names the program's window
//
// Showing a frame (FrameAction 2730) leaves its picture on the clipboard
// the runtime folder shares: 32 x 24 pixels whose colour value is the
// frame id.
//
// Ends when its standard input closes.
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "platform/clipboard_image.h"
#include "platform/folder_clipboard.h"
#include "platform/ipc_atoms.h"
#include "platform/ipc_channel.h"

namespace qm {
namespace {

constexpr auto kLifetime = std::chrono::seconds(60);
constexpr WPARAM kYes = 0xAA00, kNo = 0xBB00;

UINT Registered(const std::string& name) {
  static std::vector<std::string> names;
  const auto it = std::find(names.begin(), names.end(), name);
  if (it != names.end()) return FirstRegisteredMessage + static_cast<UINT>(it - names.begin());
  names.push_back(name);
  return FirstRegisteredMessage + static_cast<UINT>(names.size() - 1);
}

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

class Storyboard {
 public:
  Storyboard(IpcChannel& channel, SharedAtomTable& atoms, std::string file, std::vector<unsigned long> frames)
      : channel_(channel),
        atoms_(atoms),
        clipboard_(channel.Folder()),
        file_(std::move(file)),
        frames_(std::move(frames)) {
    window_ = MakeWindowHandle(CurrentProcess(), 1);
    channel_.PublishWindows({{window_, "TStoryboardForm", "Storyboard"}});
  }

  void Take(const WireMessage& m) {
    const std::string& name = m.registeredName;
    const auto code = static_cast<Word>(m.wParam & 0xFFFF);
    const auto low = static_cast<ATOM>(m.lParam & 0xFFFF);
    if (name == "FrameQuery" && code == 0x11DD) {
      program_ = static_cast<HWND>(m.lParam);
      Say("FrameQuery 4573");
      Post("ScriptQueryResponse", 0xDD11, static_cast<LPARAM>(window_));
      return;
    }
    if (name == "FrameQuery" || name == "FrameAction") {
      program_ = m.source;
      Request(name, code, low);
    } else if (name == "FrameQueryResponse" && code == 0xDD11) {
      // The whole lParam is the program's window.
      Say(name + " 56593 " + (static_cast<HWND>(m.lParam) == program_ ? "program" : "unknown"));
    } else if (name == "FrameQueryResponse" || name == "FrameActionResponse") {
      Say(name + " " + std::to_string(code) + " " + Value(low));
    } else if (!name.empty()) {
      Say(name + " " + std::to_string(code));
    }
  }

  void Command(const std::string& line) {
    std::istringstream in(line);
    std::string verb;
    in >> verb;
    if (verb == "select") {
      in >> selected_;
    } else if (verb == "open") {
      in >> file_;
    } else if (verb == "refuse") {
      long code = -1;
      in >> code;
      refused_ = code;
    } else if (verb == "announce") {
      if (auto program = channel_.FindWindow("TApplication", "")) program_ = *program;
      Post("ScriptQuery", 0x22DD, static_cast<LPARAM>(window_));
    } else if (verb == "send") {
      std::string message, value;
      unsigned long code = 0;
      in >> message >> code >> value;
      if (program_ == NullWindow)
        if (auto program = channel_.FindWindow("TApplication", "")) program_ = *program;
      Post(message, static_cast<WPARAM>(code), Atom(value));
    }
    Say("done " + verb);
  }

  HWND Window() const { return window_; }

 private:
  // What a value names: a frame atom "*7" keeps its name, a file atom its
  // text; both are released as the protocol asks of a reader.
  std::string Value(ATOM atom, bool release = true) {
    if (atom == 0) return "0";
    std::string name = atoms_.GetName(atom);
    for (int i = 0; release && i < 254 && atoms_.Delete(atom) == 0; ++i) {
    }
    return name.empty() ? "?" : name;
  }
  unsigned long FrameOf(const std::string& atomName) const {
    if (atomName.size() < 2 || (atomName[0] != '*' && atomName[0] != '#')) return 0;
    return std::strtoul(atomName.c_str() + 1, nullptr, 10);
  }
  bool Exists(unsigned long frame) const { return std::find(frames_.begin(), frames_.end(), frame) != frames_.end(); }
  LPARAM Atom(const std::string& value) {
    if (value.empty()) return 0;
    if (value[0] == '*') return atoms_.Add(value);
    if (value[0] == '@') return atoms_.Add(value.substr(1));
    return static_cast<LPARAM>(std::strtoul(value.c_str(), nullptr, 10));
  }
  // An answer carries the atom of our open file in its high word.
  void Answer(const std::string& message, WPARAM code, LPARAM value) {
    if (Refused()) code = 0;
    const ATOM file = atoms_.Add(file_);
    Post(message, code, (value & 0xFFFF) | (static_cast<LPARAM>(file) << 16));
  }
  void Post(const std::string& message, WPARAM code, LPARAM lParam) {
    WireMessage m;
    m.target = program_;
    m.source = window_;
    m.message = Registered(message);
    m.registeredName = message;
    m.wParam = code;
    m.lParam = lParam;
    channel_.Post(m);
  }
  void ShowPicture(unsigned long frame) {
    TPixelImage picture;
    picture.Width = 32;
    picture.Height = 24;
    picture.Pixels.assign(32 * 24, static_cast<TColor>(frame));
    clipboard_.Publish({ClipItem{CF_BITMAP, "", EncodeBitmapFile(picture)}});
  }
  bool Refused() const { return refused_ == -1 ? false : refused_ == 0 || refused_ == request_; }
  void Request(const std::string& name, Word code, ATOM low) {
    request_ = code;
    const bool query = name == "FrameQuery";
    // The file asked about is opened with the same atom afterwards.
    const std::string value = Value(low, !(query && code == 221));
    Say(name + " " + std::to_string(code) + " " + value);
    switch (code) {
      case 204: Answer("ScriptQueryResponse", kYes, 0); break;
      case 170:
        if (query) Post("ScriptQueryResponse", Refused() ? 0 : 170, atoms_.Add(file_));
        break;
      case 221:
        if (!query) file_ = value;
        Answer("ScriptQueryResponse", kYes, 0);
        break;
      case 187:
        if (query) Answer("ScriptQueryResponse", Exists(FrameOf(value)) ? kYes : kNo, 0);
        break;
      case 0x33AA: Answer("ScriptQueryResponse", 0x33BB, atoms_.Add("*" + std::to_string(selected_))); break;
      case 238: {
        const unsigned long made = frames_.empty() ? 1 : *std::max_element(frames_.begin(), frames_.end()) + 1;
        frames_.push_back(made);
        Answer("ScriptActionResponse", kYes, atoms_.Add("*" + std::to_string(made)));
        break;
      }
      case 2730:
        if (Exists(FrameOf(value))) ShowPicture(FrameOf(value));
        Answer("ScriptActionResponse", Exists(FrameOf(value)) ? 2730 : 0, 0);
        break;
      case 255: frames_.erase(std::remove(frames_.begin(), frames_.end(), FrameOf(value)), frames_.end()); break;
      default: break;
    }
  }

  IpcChannel& channel_;
  SharedAtomTable& atoms_;
  FolderClipboard clipboard_;
  std::string file_;
  std::vector<unsigned long> frames_;
  unsigned long selected_ = 0;
  long refused_ = -1;  // -1 none, 0 every request, else the code refused
  long request_ = 0;
  HWND window_ = NullWindow;
  HWND program_ = NullWindow;
};

int Run(const std::string& folder, const std::string& file, std::vector<unsigned long> frames) {
  IpcChannel channel(folder);
  SharedAtomTable atoms(folder);
  if (!channel.Ok()) return 2;
  Storyboard board(channel, atoms, file, std::move(frames));
  Say("ready");
  std::string pending;
  const auto end = std::chrono::steady_clock::now() + kLifetime;
  while (std::chrono::steady_clock::now() < end) {
    pollfd fds[2] = {{channel.Fd(), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    poll(fds, 2, 100);
    if (fds[1].revents & (POLLIN | POLLHUP)) {
      char buffer[256];
      const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
      if (n <= 0) return 0;
      pending.append(buffer, static_cast<std::size_t>(n));
      for (auto eol = pending.find('\n'); eol != std::string::npos; eol = pending.find('\n')) {
        board.Command(pending.substr(0, eol));
        pending.erase(0, eol + 1);
      }
    }
    for (const WireMessage& m : channel.Receive()) board.Take(m);
  }
  return 0;
}

}  // namespace
}  // namespace qm

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: qm_storyboard_peer <runtime folder> <storyboard file> <frame id>...\n");
    return 64;
  }
  std::vector<unsigned long> frames;
  for (int i = 3; i < argc; ++i) frames.push_back(std::strtoul(argv[i], nullptr, 10));
  return qm::Run(argv[1], argv[2], std::move(frames));
}

// The channel between processes of the user: window messages to the
// windows of other processes (another instance of the program, or outside
// programs speaking the same protocol), and the list of top-level windows
// each process publishes so that the others can find them.
//
// One channel per process. Everything lives in one runtime folder:
// "<pid>.sock" receives the process's datagrams, "<pid>.windows" lists
// its published windows. Nothing blocks except Wait and Send, and the
// socket is exposed so that an event loop can watch it.
#pragma once

#include "platform/ipc.h"
#include "platform/types.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qm {

struct PublishedWindow {
  HWND handle = NullWindow;
  std::string className;
  std::string title;
  friend bool operator==(const PublishedWindow&, const PublishedWindow&) = default;
};

// A window message as it travels. Registered message numbers differ from
// process to process, so a message from FirstRegisteredMessage up carries
// its registered name and the receiver maps the name to its own number.
struct WireMessage {
  HWND target = NullWindow;
  HWND source = NullWindow;
  UINT message = 0;
  std::string registeredName;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  std::uint64_t sendId = 0;  // nonzero when the sender waits for a reply
  bool isReply = false;
  LRESULT result = 0;
  friend bool operator==(const WireMessage&, const WireMessage&) = default;
};

constexpr std::size_t MaxRegisteredNameLength = 255;

// nullopt for a message that cannot travel: a registered number without a
// name or a name on an ordinary message, a name of more than 255 bytes or
// with a zero byte, a number above 0xFFFF, a reply without a sendId, or a
// source that names no process.
std::optional<std::vector<std::uint8_t>> EncodeWireMessage(const WireMessage& m);
// nullopt for anything EncodeWireMessage would not have written.
std::optional<WireMessage> DecodeWireMessage(const std::uint8_t* data, std::size_t size);

// The "<pid>.windows" file; a class name or title is kept to its first
// 1,024 bytes. Decoding drops the file whole when it is damaged or lists a
// window of any other process.
std::vector<std::uint8_t> EncodeWindowList(const std::vector<PublishedWindow>& windows);
std::optional<std::vector<PublishedWindow>> DecodeWindowList(std::uint32_t process,
                                                             const std::vector<std::uint8_t>& bytes);

class IpcChannel {
 public:
  // Never throws. When the socket cannot be bound the channel still posts,
  // finds windows and publishes, but Ok() is false and nothing arrives.
  // In a folder that cannot be made private (another user's) every call
  // fails quietly.
  explicit IpcChannel(std::string runtimeFolder);
  ~IpcChannel();
  IpcChannel(const IpcChannel&) = delete;
  IpcChannel& operator=(const IpcChannel&) = delete;

  bool Ok() const { return fd_ >= 0; }
  int Fd() const { return fd_; }
  const std::string& Folder() const { return folder_; }

  // Replaces this process's list; windows of other processes are left out.
  void PublishWindows(const std::vector<PublishedWindow>& windows);
  // The first published window of another live process (in ascending
  // process order) whose class and title match exactly; an empty class or
  // title matches any.
  std::optional<HWND> FindWindow(const std::string& className, const std::string& title);
  std::vector<HWND> OtherTopLevelWindows();
  // Whether the process that owns the window still listens; what the
  // platform's window check can know of another process's window.
  bool OwnerReachable(HWND window);

  // To the process that owns m.target (every other process for
  // HWND_BROADCAST). The source must be a window of this process; a null
  // source is sent as the process itself. False when the owner is gone or
  // the message cannot be delivered. When the owner's queue is full, waits
  // a moment for room rather than losing the message.
  bool Post(const WireMessage& m);
  // How many other processes received it.
  int Broadcast(WireMessage m);
  // Every pending message for this process, without blocking. Replies
  // that arrive after their Send gave up are dropped here.
  std::vector<WireMessage> Receive();
  // True when something arrived within the time (0: just look).
  bool Wait(int timeoutMs);
  // Posts and waits for the answer. Messages that arrive meanwhile go to
  // onOtherMessage, in order. nullopt on timeout, when the target process
  // is gone or is this one (it could not answer while we wait), or when
  // this channel cannot receive (!Ok()).
  std::optional<LRESULT> Send(const WireMessage& m, int timeoutMs,
                              const std::function<void(const WireMessage&)>& onOtherMessage);
  // Answers a message that came through Send; false for a posted one.
  bool Reply(const WireMessage& request, LRESULT result);

 private:
  enum class Delivery { Delivered, Gone, Failed };
  std::optional<std::vector<std::uint8_t>> Outgoing(WireMessage& m) const;
  Delivery Deliver(std::uint32_t process, const std::vector<std::uint8_t>& datagram);
  bool Reachable(std::uint32_t process);
  int Connect(std::uint32_t process) const;
  std::string SocketAddress(std::uint32_t process) const;
  std::string FilePath(std::uint32_t process, std::string_view kind) const;
  std::vector<std::vector<PublishedWindow>> OtherWindowLists();
  std::vector<WireMessage> ReceiveAll();

  std::string folder_;
  std::uint32_t process_;
  bool folderUsable_ = false;
  int fd_ = -1;
  int folderFd_ = -1;
  std::uint64_t nextSendId_ = 1;
};

}  // namespace qm

#include "platform/ipc_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace qm {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view kWireTag = "QMsg";
constexpr std::uint8_t kWireVersion = 1;
constexpr std::uint8_t kReplyFlag = 1;
constexpr std::size_t kWireHeaderSize = 60;
constexpr std::size_t kMaxDatagram = kWireHeaderSize + MaxRegisteredNameLength;
constexpr UINT kLastMessage = 0xFFFF;

constexpr std::string_view kWindowListTag = "QMW1";
constexpr std::size_t kMaxWindows = 1024;
constexpr std::size_t kMaxWindowText = 1024;
constexpr std::size_t kMaxWindowFileSize = 16 + kMaxWindows * (12 + 2 * kMaxWindowText);

// How long a post waits for room in a receiver's full queue (the kernel
// keeps only a handful of datagrams per socket).
constexpr auto kRoomWait = std::chrono::milliseconds(500);
// Slices of a Send's wait, between checks that the target still lives.
constexpr int kSendSliceMs = 50;
// One Receive takes at most this many datagrams, so a flood cannot keep
// the message loop from its other work.
constexpr int kMaxDrain = 4096;

bool CanTravel(const WireMessage& m) {
  bool registered = m.message >= FirstRegisteredMessage;
  return m.message <= kLastMessage && registered == !m.registeredName.empty() &&
         m.registeredName.size() <= MaxRegisteredNameLength && m.registeredName.find('\0') == std::string::npos &&
         (!m.isReply || m.sendId != 0) && ProcessOfWindow(m.source) != 0;
}

std::string ShortText(const std::string& s) { return s.substr(0, kMaxWindowText); }

bool MakeAddress(const std::string& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.data(), path.size());
  return true;
}

int MillisecondsUntil(Clock::time_point deadline) {
  auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return static_cast<int>(std::max<decltype(left)>(left, 0));
}

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodeWireMessage(const WireMessage& m) {
  if (!CanTravel(m)) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  ByteWriter out(bytes);
  out.Text(kWireTag);
  out.U8(kWireVersion);
  out.U8(m.isReply ? kReplyFlag : 0);
  out.U8(static_cast<std::uint8_t>(m.registeredName.size()));
  out.U8(0);
  out.U64(m.target);
  out.U64(m.source);
  out.U32(m.message);
  out.I64(m.wParam);
  out.I64(m.lParam);
  out.U64(m.sendId);
  out.I64(m.result);
  out.Text(m.registeredName);
  return bytes;
}

std::optional<WireMessage> DecodeWireMessage(const std::uint8_t* data, std::size_t size) {
  if (size < kWireHeaderSize || size > kMaxDatagram) return std::nullopt;
  ByteReader in({data, size});
  if (in.Text(kWireTag.size()) != kWireTag || in.U8() != kWireVersion) return std::nullopt;
  std::uint8_t flags = in.U8();
  std::uint8_t nameLength = in.U8();
  if ((flags & ~kReplyFlag) != 0 || in.U8() != 0) return std::nullopt;
  WireMessage m;
  m.isReply = (flags & kReplyFlag) != 0;
  m.target = in.U64();
  m.source = in.U64();
  m.message = in.U32();
  m.wParam = in.I64();
  m.lParam = in.I64();
  m.sendId = in.U64();
  m.result = in.I64();
  m.registeredName = in.Text(nameLength);
  if (!in.AtEnd() || !CanTravel(m)) return std::nullopt;
  return m;
}

std::vector<std::uint8_t> EncodeWindowList(const std::vector<PublishedWindow>& windows) {
  std::vector<std::uint8_t> bytes;
  ByteWriter out(bytes);
  out.U32(static_cast<std::uint32_t>(windows.size()));
  for (const PublishedWindow& w : windows) {
    out.U64(w.handle);
    for (const std::string& text : {ShortText(w.className), ShortText(w.title)}) {
      out.U16(static_cast<std::uint16_t>(text.size()));
      out.Text(text);
    }
  }
  return SealRecord(kWindowListTag, bytes);
}

std::optional<std::vector<PublishedWindow>> DecodeWindowList(std::uint32_t process,
                                                             const std::vector<std::uint8_t>& bytes) {
  auto fields = OpenRecord(kWindowListTag, bytes);
  if (!fields) return std::nullopt;
  ByteReader in(*fields);
  std::size_t count = in.U32();
  if (count > kMaxWindows) return std::nullopt;
  std::vector<PublishedWindow> windows;
  for (std::size_t i = 0; i < count && in.Ok(); ++i) {
    PublishedWindow w;
    w.handle = in.U64();
    w.className = in.Text(in.U16());
    w.title = in.Text(in.U16());
    if (ProcessOfWindow(w.handle) != process || w.className.size() > kMaxWindowText || w.title.size() > kMaxWindowText)
      return std::nullopt;
    windows.push_back(std::move(w));
  }
  if (!in.AtEnd()) return std::nullopt;
  return windows;
}

IpcChannel::IpcChannel(std::string runtimeFolder) : folder_(std::move(runtimeFolder)), process_(CurrentProcess()) {
  while (folder_.size() > 1 && folder_.back() == '/') folder_.pop_back();
  folderUsable_ = PrepareRuntimeFolder(folder_);
  if (!folderUsable_) return;
  folderFd_ = open(folder_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  // Files with our id belong to an earlier process that had it.
  RemoveProcessFiles(folder_, process_);
  RemoveStaleProcessFiles(folder_);
  int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  if (fd >= 0 && MakeAddress(SocketAddress(process_), address) &&
      bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
    fd_ = fd;
  } else if (fd >= 0) {
    close(fd);
  }
}

IpcChannel::~IpcChannel() {
  if (fd_ >= 0) {
    close(fd_);
    unlink(FilePath(process_, "sock").c_str());
  }
  if (folderUsable_) unlink(FilePath(process_, "windows").c_str());
  if (folderFd_ >= 0) close(folderFd_);
}

std::string IpcChannel::FilePath(std::uint32_t process, std::string_view kind) const {
  return folder_ + "/" + ProcessFileName(process, kind);
}

std::string IpcChannel::SocketAddress(std::uint32_t process) const {
  std::string path = FilePath(process, "sock");
  // A socket address holds little more than a hundred bytes; a deeper
  // folder is reached through our open handle on it instead.
  if (path.size() >= sizeof(sockaddr_un::sun_path) && folderFd_ >= 0)
    path = "/proc/self/fd/" + std::to_string(folderFd_) + "/" + ProcessFileName(process, "sock");
  return path;
}

int IpcChannel::Connect(std::uint32_t process) const {
  sockaddr_un address{};
  if (!MakeAddress(SocketAddress(process), address)) {
    errno = ENAMETOOLONG;
    return -1;
  }
  int s = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (s < 0) return -1;
  if (connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    int error = errno;
    close(s);
    errno = error;
    return -1;
  }
  return s;
}

bool IpcChannel::Reachable(std::uint32_t process) {
  if (!ProcessAlive(process)) {
    RemoveProcessFiles(folder_, process);
    return false;
  }
  // A live process with our old files may just have been given a dead
  // instance's id: only a bound socket proves an instance.
  int s = Connect(process);
  if (s < 0) return false;
  close(s);
  return true;
}

IpcChannel::Delivery IpcChannel::Deliver(std::uint32_t process, const std::vector<std::uint8_t>& datagram) {
  if (!folderUsable_) return Delivery::Failed;
  if (!ProcessAlive(process)) {
    RemoveProcessFiles(folder_, process);
    return Delivery::Gone;
  }
  int s = Connect(process);
  if (s < 0) return (errno == ENOENT || errno == ECONNREFUSED) ? Delivery::Gone : Delivery::Failed;
  Delivery result = Delivery::Failed;
  auto deadline = Clock::now() + kRoomWait;
  for (;;) {
    ssize_t n = send(s, datagram.data(), datagram.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n == static_cast<ssize_t>(datagram.size())) {
      result = Delivery::Delivered;
      break;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN && Clock::now() < deadline) {
      pollfd room{s, POLLOUT, 0};
      poll(&room, 1, MillisecondsUntil(deadline));
      continue;
    }
    if (n < 0 && errno == ECONNREFUSED) result = Delivery::Gone;
    break;
  }
  close(s);
  return result;
}

void IpcChannel::PublishWindows(const std::vector<PublishedWindow>& windows) {
  if (!folderUsable_) return;
  std::vector<PublishedWindow> own;
  for (const PublishedWindow& w : windows)
    if (ProcessOfWindow(w.handle) == process_ && own.size() < kMaxWindows) own.push_back(w);
  if (own.empty()) {
    unlink(FilePath(process_, "windows").c_str());
    return;
  }
  WriteFileThroughTemp(FilePath(process_, "windows"), FilePath(process_, "windows.tmp"), EncodeWindowList(own));
}

std::vector<std::vector<PublishedWindow>> IpcChannel::OtherWindowLists() {
  std::vector<std::vector<PublishedWindow>> lists;
  if (!folderUsable_) return lists;
  for (std::uint32_t process : ProcessesWithFile(folder_, "windows")) {
    if (process == process_ || !Reachable(process)) continue;
    auto bytes = ReadSmallFile(FilePath(process, "windows"), kMaxWindowFileSize);
    auto windows = bytes ? DecodeWindowList(process, *bytes) : std::nullopt;
    if (windows) lists.push_back(std::move(*windows));
  }
  return lists;
}

std::optional<HWND> IpcChannel::FindWindow(const std::string& className, const std::string& title) {
  for (const auto& list : OtherWindowLists())
    for (const PublishedWindow& w : list)
      if ((className.empty() || w.className == className) && (title.empty() || w.title == title)) return w.handle;
  return std::nullopt;
}

bool IpcChannel::OwnerReachable(HWND window) {
  std::uint32_t process = ProcessOfWindow(window);
  return process != 0 && folderUsable_ && Reachable(process);
}

std::vector<HWND> IpcChannel::OtherTopLevelWindows() {
  std::vector<HWND> handles;
  for (const auto& list : OtherWindowLists())
    for (const PublishedWindow& w : list) handles.push_back(w.handle);
  return handles;
}

std::optional<std::vector<std::uint8_t>> IpcChannel::Outgoing(WireMessage& m) const {
  if (m.source == NullWindow) m.source = MakeWindowHandle(process_, 0);
  if (ProcessOfWindow(m.source) != process_) return std::nullopt;
  return EncodeWireMessage(m);
}

bool IpcChannel::Post(const WireMessage& m) {
  WireMessage out = m;
  auto datagram = Outgoing(out);
  if (!datagram) return false;
  // As on the platform, a post to every window succeeds whoever listens.
  if (out.target == HWND_BROADCAST) {
    Broadcast(out);
    return true;
  }
  std::uint32_t target = ProcessOfWindow(out.target);
  return target != 0 && Deliver(target, *datagram) == Delivery::Delivered;
}

int IpcChannel::Broadcast(WireMessage m) {
  m.target = HWND_BROADCAST;
  m.sendId = 0;
  m.isReply = false;
  auto datagram = Outgoing(m);
  if (!datagram || !folderUsable_) return 0;
  int received = 0;
  for (std::uint32_t process : ProcessesWithFile(folder_, "sock"))
    if (process != process_ && Deliver(process, *datagram) == Delivery::Delivered) ++received;
  return received;
}

std::vector<WireMessage> IpcChannel::ReceiveAll() {
  std::vector<WireMessage> messages;
  if (fd_ < 0) return messages;
  std::uint8_t buffer[kMaxDatagram + 1];
  for (int i = 0; i < kMaxDrain; ++i) {
    // MSG_TRUNC reports the datagram's real length, so a long one is seen
    // as long rather than cut to something that might parse.
    ssize_t n = recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT | MSG_TRUNC);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    if (static_cast<std::size_t>(n) > kMaxDatagram) continue;
    auto m = DecodeWireMessage(buffer, static_cast<std::size_t>(n));
    if (m && (ProcessOfWindow(m->target) == process_ || m->target == HWND_BROADCAST)) messages.push_back(std::move(*m));
  }
  return messages;
}

std::vector<WireMessage> IpcChannel::Receive() {
  std::vector<WireMessage> messages = ReceiveAll();
  std::erase_if(messages, [](const WireMessage& m) { return m.isReply; });
  return messages;
}

bool IpcChannel::Wait(int timeoutMs) {
  if (fd_ < 0) return false;
  pollfd ready{fd_, POLLIN, 0};
  return poll(&ready, 1, std::max(timeoutMs, 0)) > 0;
}

std::optional<LRESULT> IpcChannel::Send(const WireMessage& m, int timeoutMs,
                                        const std::function<void(const WireMessage&)>& onOtherMessage) {
  std::uint32_t target = ProcessOfWindow(m.target);
  if (!Ok() || target == 0 || target == process_ || m.target == HWND_BROADCAST) return std::nullopt;
  WireMessage request = m;
  request.sendId = nextSendId_++;
  request.isReply = false;
  if (!Post(request)) return std::nullopt;
  auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
  for (;;) {
    std::optional<LRESULT> answer;
    // The whole batch is passed on even when the answer is in it, so that
    // nothing that came with the answer is lost.
    for (const WireMessage& in : ReceiveAll()) {
      if (!in.isReply) {
        if (onOtherMessage) onOtherMessage(in);
      } else if (!answer && in.sendId == request.sendId && ProcessOfWindow(in.source) == target) {
        answer = in.result;
      }
    }
    if (answer) return answer;
    // An ended process may linger unreaped, so its socket is the proof.
    if (Clock::now() >= deadline || !Reachable(target)) return std::nullopt;
    Wait(std::min(MillisecondsUntil(deadline), kSendSliceMs));
  }
}

bool IpcChannel::Reply(const WireMessage& request, LRESULT result) {
  if (request.sendId == 0 || request.isReply) return false;
  WireMessage answer = request;
  answer.target = request.source;
  answer.source = request.target;
  answer.isReply = true;
  answer.result = result;
  return Post(answer);
}

}  // namespace qm

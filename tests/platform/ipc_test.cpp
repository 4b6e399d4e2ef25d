#include "platform/ipc.h"
#include "platform/ipc_atoms.h"
#include "platform/ipc_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/child_process.h"
#include "support/temp_folder.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

extern char** environ;

namespace qm {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const std::string kClass = "TApplication";
const std::string kTitle = "Quillmaster for Windows";

using testing::TempFolder;

Bytes ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

WireMessage Registered(HWND target, const std::string& name, WPARAM wParam = 0, LPARAM lParam = 0) {
  WireMessage m;
  m.target = target;
  m.message = FirstRegisteredMessage + 7;
  m.registeredName = name;
  m.wParam = wParam;
  m.lParam = lParam;
  return m;
}

// A datagram socket connected to a path; blocking, so that a burst waits
// for room in the receiver's queue instead of failing.
class RawSender {
 public:
  explicit RawSender(const std::string& path) : fd_(socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    timeval limit{5, 0};
    setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    connected_ = connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  }
  ~RawSender() { close(fd_); }
  bool Send(const Bytes& bytes) {
    return connected_ && send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
  }

 private:
  int fd_;
  bool connected_ = false;
};

// A run of qm_test_peer: its standard input is ours (closing it ends a
// serving peer) and its standard output is read line by line.
class Peer : public testing::ChildProcess {
 public:
  explicit Peer(const std::vector<std::string>& args) : ChildProcess(QM_PEER_PATH, args) {}
  static std::unique_ptr<Peer> Serve(const std::string& folder, const std::string& title = kTitle) {
    auto peer = std::make_unique<Peer>(std::vector<std::string>{folder, "serve", kClass, title});
    EXPECT_EQ(peer->ReadLine(), "ready");
    return peer;
  }
  HWND Window() const { return MakeWindowHandle(Pid(), 1); }
};

std::uint32_t DeadProcess() {
  pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return static_cast<std::uint32_t>(child);
}

// ---------------------------------------------------------------------------
// Processes

TEST(ProcessAlive, NeverTakesAGroupForAProcess) {
  EXPECT_TRUE(ProcessAlive(static_cast<std::uint32_t>(getpid())));
  EXPECT_FALSE(ProcessAlive(0));
  EXPECT_FALSE(ProcessAlive(0xFFFFFFFF));  // kill(-1) would reach every process
  EXPECT_FALSE(ProcessAlive(DeadProcess()));
}

// ---------------------------------------------------------------------------
// Global atoms

TEST(SharedAtomTable, CountsReferencesAndForgetsTheNameAtZero) {
  TempFolder folder;
  SharedAtomTable atoms(folder.Path());
  ATOM atom = atoms.Add("Script.QMW");
  EXPECT_EQ(atom, FirstStringAtom);
  EXPECT_EQ(atoms.Add("Script.QMW"), atom);
  EXPECT_EQ(atoms.GetName(atom), "Script.QMW");
  EXPECT_EQ(atoms.Delete(atom), 0);
  EXPECT_EQ(atoms.Find("Script.QMW"), atom);
  EXPECT_EQ(atoms.Delete(atom), 0);
  EXPECT_EQ(atoms.Find("Script.QMW"), 0);
  EXPECT_EQ(atoms.GetName(atom), "");
  EXPECT_EQ(atoms.Delete(atom), atom);
}

// File names on this system differ by case: a stale atom of one spelling
// never stands for another.
TEST(SharedAtomTable, NamesThatDifferOnlyByCaseAreDifferentAtoms) {
  TempFolder folder;
  SharedAtomTable atoms(folder.Path());
  const ATOM stale = atoms.Add("/scripts/Pilot.QMW ");
  const ATOM handed = atoms.Add("/scripts/PILOT.QMW ");
  EXPECT_NE(handed, stale);
  EXPECT_EQ(atoms.GetName(handed), "/scripts/PILOT.QMW ");
  EXPECT_EQ(atoms.Find("/scripts/pilot.qmw "), 0);
  EXPECT_EQ(atoms.Find("/scripts/Pilot.QMW "), stale);
  EXPECT_EQ(DecodeAtomFile(EncodeAtomFile({{stale, 1, "a"}, {handed, 1, "A"}})),
            (std::vector<AtomEntry>{{stale, 1, "a"}, {handed, 1, "A"}}));
}

TEST(SharedAtomTable, TakesNamesAsThePlatformDoes) {
  enum Kind { Refused, Integer, String };
  const struct {
    std::string name;
    Kind kind;
    ATOM integer;
  } cases[] = {
      {"", Refused, 0},
      {std::string(255, 'x'), String, 0},
      {"/" + std::string(4094, 'p') + " ", String, 0},  // the longest path, handed over
      {std::string(MaxAtomNameLength, 'x'), String, 0},
      {std::string(MaxAtomNameLength + 1, 'x'), Refused, 0},
      {"#1234", Integer, 1234},
      {"#0001", Integer, 1},
      {"#49151", Integer, 0xBFFF},
      {"#49152", Refused, 0},
      {"#0", Refused, 0},
      {"#", Refused, 0},
      {"#99999999999999999999", Refused, 0},
      {"#12a", String, 0},
      {"/home/writer/My Script.QMW ", String, 0},
      {std::string("abc\0def", 7), String, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    SharedAtomTable atoms(folder.Path());
    ATOM atom = atoms.Add(c.name);
    switch (c.kind) {
      case Refused:
        EXPECT_EQ(atom, 0);
        EXPECT_EQ(atoms.Find(c.name), 0);
        break;
      case Integer:
        EXPECT_EQ(atom, c.integer);
        EXPECT_EQ(atoms.Find(c.name), c.integer);
        EXPECT_EQ(atoms.GetName(atom), "#" + std::to_string(c.integer));
        EXPECT_EQ(atoms.Delete(atom), 0);
        EXPECT_EQ(atoms.Find(c.name), c.integer);
        EXPECT_EQ(atoms.Add("plain"), FirstStringAtom);  // nothing was stored
        break;
      case String: {
        std::string stored = c.name.substr(0, c.name.find('\0'));
        EXPECT_EQ(atom, FirstStringAtom);
        EXPECT_EQ(atoms.GetName(atom), stored);
        EXPECT_EQ(atoms.Find(stored), atom);
        EXPECT_EQ(atoms.Delete(atom), 0);
        EXPECT_EQ(atoms.Find(stored), 0);
        break;
      }
    }
  }
}

TEST(SharedAtomTable, HandsFreedNumbersOutAgainLowestFirst) {
  TempFolder folder;
  SharedAtomTable atoms(folder.Path());
  ATOM a = atoms.Add("a"), b = atoms.Add("b"), c = atoms.Add("c");
  EXPECT_EQ(b, a + 1);
  EXPECT_EQ(c, a + 2);
  EXPECT_EQ(atoms.Delete(b), 0);
  EXPECT_EQ(atoms.Add("d"), b);
  EXPECT_EQ(atoms.Add("e"), c + 1);
  EXPECT_EQ(atoms.GetName(c), "c");
}

TEST(SharedAtomTable, ProcessesAddingAtOnceLoseNoUpdate) {
  TempFolder folder;
  constexpr int kProcesses = 4, kNames = 60;
  std::vector<pid_t> children;
  for (int p = 0; p < kProcesses; ++p) {
    pid_t child = fork();
    if (child == 0) {
      SharedAtomTable atoms(folder.Path());
      bool ok = atoms.Add("common") != 0;
      for (int i = 0; i < kNames; ++i) ok = ok && atoms.Add(std::to_string(p) + "/" + std::to_string(i)) != 0;
      _exit(ok ? 0 : 1);
    }
    children.push_back(child);
  }
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  auto entries = DecodeAtomFile(ReadAll(folder.Path() + "/atoms"));
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), static_cast<std::size_t>(kProcesses * kNames + 1));
  SharedAtomTable atoms(folder.Path());
  ATOM common = atoms.Find("common");
  for (int p = 0; p < kProcesses; ++p) EXPECT_EQ(atoms.Delete(common), 0);
  EXPECT_EQ(atoms.Find("common"), 0);
}

TEST(SharedAtomTable, ADamagedFileCountsAsEmptyAndIsRewritten) {
  Bytes good = EncodeAtomFile({{0xC000, 1, "kept"}, {0xC001, 2, "other"}});
  Bytes flipped = good;
  flipped[8] ^= 0x01;
  Bytes longer = good;
  longer.push_back(0);
  const struct {
    const char* what;
    Bytes bytes;
  } cases[] = {
      {"empty", {}},
      {"garbage", Bytes(300, 0xA5)},
      {"truncated", Bytes(good.begin(), good.end() - 5)},
      {"one byte changed", flipped},
      {"one byte more", longer},
      {"atom below the string range", EncodeAtomFile({{0x1234, 1, "kept"}})},
      {"atoms out of order", EncodeAtomFile({{0xC001, 1, "kept"}, {0xC000, 1, "x"}})},
      {"a name twice", EncodeAtomFile({{0xC000, 1, "kept"}, {0xC001, 1, "kept"}})},
      {"no references", EncodeAtomFile({{0xC000, 0, "kept"}})},
      {"empty name", EncodeAtomFile({{0xC000, 1, ""}})},
      {"zero byte in a name", EncodeAtomFile({{0xC000, 1, std::string("ke\0pt", 5)}})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    const std::string path = folder.Path() + "/atoms";
    WriteAll(path, c.bytes);
    SharedAtomTable atoms(folder.Path());
    EXPECT_EQ(atoms.Find("kept"), 0);
    EXPECT_EQ(DecodeAtomFile(ReadAll(path)), std::vector<AtomEntry>{});
    EXPECT_EQ(atoms.Add("new"), FirstStringAtom);
    EXPECT_EQ(DecodeAtomFile(ReadAll(path)), (std::vector<AtomEntry>{{FirstStringAtom, 1, "new"}}));
  }
}

TEST(SharedAtomTable, AFullTableRefusesNewNamesOnly) {
  TempFolder folder;
  std::vector<AtomEntry> all;
  for (std::uint32_t atom = FirstStringAtom; atom <= 0xFFFF; ++atom)
    all.push_back({static_cast<ATOM>(atom), 1, "n" + std::to_string(atom)});
  WriteAll(folder.Path() + "/atoms", EncodeAtomFile(all));
  SharedAtomTable atoms(folder.Path());
  EXPECT_EQ(atoms.Add("fresh"), 0);
  EXPECT_EQ(atoms.Add("n65535"), 0xFFFF);
  EXPECT_EQ(atoms.Delete(0xC007), 0);
  EXPECT_EQ(atoms.Add("fresh"), 0xC007);
}

TEST(SharedAtomTable, AReferenceCountStopsAtItsLimit) {
  TempFolder folder;
  const std::string path = folder.Path() + "/atoms";
  WriteAll(path, EncodeAtomFile({{FirstStringAtom, 0xFFFF, "busy"}}));
  SharedAtomTable atoms(folder.Path());
  EXPECT_EQ(atoms.Add("busy"), FirstStringAtom);
  EXPECT_EQ(DecodeAtomFile(ReadAll(path)), (std::vector<AtomEntry>{{FirstStringAtom, 0xFFFF, "busy"}}));
  EXPECT_EQ(atoms.Delete(FirstStringAtom), 0);
  EXPECT_EQ(atoms.GetName(FirstStringAtom), "busy");
}

// A file in the folder's place, or a link that could lead anywhere (a
// planted /tmp/quillmaster-<uid> for one): nothing is put there.
TEST(SharedAtomTable, AnUnusableFolderFailsEveryCallButIntegerAtoms) {
  TempFolder temp;
  const std::string file = temp.Path() + "/file", link = temp.Path() + "/link", real = temp.Path() + "/real";
  WriteAll(file, Bytes{'x'});
  ASSERT_EQ(mkdir(real.c_str(), 0700), 0);
  ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
  for (const std::string& folder : {file, link}) {
    SCOPED_TRACE(folder);
    SharedAtomTable atoms(folder);
    EXPECT_EQ(atoms.Add("name"), 0);
    EXPECT_EQ(atoms.Find("name"), 0);
    EXPECT_EQ(atoms.GetName(FirstStringAtom), "");
    EXPECT_EQ(atoms.Delete(FirstStringAtom), FirstStringAtom);
    EXPECT_EQ(atoms.Add("#25"), 25);
    EXPECT_EQ(atoms.GetName(25), "#25");
    IpcChannel channel(folder);
    EXPECT_FALSE(channel.Ok());
    channel.PublishWindows({{MakeWindowHandle(static_cast<std::uint32_t>(getpid()), 1), kClass, kTitle}});
  }
  EXPECT_TRUE(fs::is_empty(real));
}

// ---------------------------------------------------------------------------
// The wire format

WireMessage Sample() {
  WireMessage m = Registered(MakeWindowHandle(77, 1), "ScriptQueryResponse", 0xDD11, -5);
  m.source = MakeWindowHandle(1234, 9);
  return m;
}

TEST(WireMessage, EveryFieldArrivesAsItWasSent) {
  WireMessage plain;
  plain.target = MakeWindowHandle(5, 6);
  plain.source = MakeWindowHandle(7, 8);
  plain.message = WM_CLOSE;
  plain.wParam = INT64_MIN;
  plain.lParam = INT64_MAX;
  WireMessage reply = Sample();
  reply.sendId = 0xFEDCBA9876543210ull;
  reply.isReply = true;
  reply.result = -43520;
  WireMessage longest = Sample();
  longest.registeredName = std::string(MaxRegisteredNameLength, '\xE9');
  WireMessage broadcast = Sample();
  broadcast.target = HWND_BROADCAST;
  for (const WireMessage& m : {plain, Sample(), reply, longest, broadcast}) {
    auto bytes = EncodeWireMessage(m);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(DecodeWireMessage(bytes->data(), bytes->size()), m);
  }
}

TEST(WireMessage, RefusesWhatCannotTravel) {
  const struct {
    const char* what;
    void (*spoil)(WireMessage&);
  } cases[] = {
      {"registered without a name", [](WireMessage& m) { m.registeredName.clear(); }},
      {"a name on an ordinary message", [](WireMessage& m) { m.message = WM_USER; }},
      {"a name too long", [](WireMessage& m) { m.registeredName.assign(256, 'n'); }},
      {"a zero byte in the name", [](WireMessage& m) { m.registeredName = std::string("Load\0Name", 9); }},
      {"a number above 16 bits", [](WireMessage& m) { m.message = 0x10000; }},
      {"a reply without a send", [](WireMessage& m) { m.isReply = true; }},
      {"a source of no process", [](WireMessage& m) { m.source = 5; }},
  };
  for (const auto& c : cases) {
    WireMessage m = Sample();
    c.spoil(m);
    EXPECT_FALSE(EncodeWireMessage(m)) << c.what;
  }
}

TEST(WireMessage, RejectsEveryShortLongOrSpoiltDatagram) {
  const Bytes good = *EncodeWireMessage(Sample());
  for (std::size_t size = 0; size < good.size(); ++size) EXPECT_FALSE(DecodeWireMessage(good.data(), size)) << size;
  Bytes longer = good;
  longer.push_back('x');
  EXPECT_FALSE(DecodeWireMessage(longer.data(), longer.size()));
  const struct {
    const char* what;
    std::size_t offset;
    std::uint8_t value;
  } spoils[] = {
      {"tag", 0, 'X'},        {"version", 4, 2},
      {"unknown flag", 5, 2}, {"reserved byte", 6 + 1, 1},
      {"name length", 6, 5},  {"zero byte in the name", 62, 0},
  };
  for (const auto& s : spoils) {
    Bytes bad = good;
    bad[s.offset] = s.value;
    EXPECT_FALSE(DecodeWireMessage(bad.data(), bad.size())) << s.what;
  }
}

// Whatever a random or mangled datagram decodes to must be exactly what
// its bytes say: encoding the result gives the same bytes back.
TEST(WireMessage, RandomDatagramsDecodeToNothingOrToExactlyTheirBytes) {
  std::mt19937 random(20240601);
  const Bytes good = *EncodeWireMessage(Sample());
  int decoded = 0;
  for (int round = 0; round < 40000; ++round) {
    Bytes bytes;
    if (round % 2 == 0) {
      bytes.resize(random() % 400);
      for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    } else {
      bytes = good;
      for (int flips = 1 + static_cast<int>(random() % 3); flips > 0; --flips)
        bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
    }
    auto m = DecodeWireMessage(bytes.data(), bytes.size());
    if (!m) continue;
    ++decoded;
    EXPECT_EQ(EncodeWireMessage(*m), bytes);
  }
  EXPECT_GT(decoded, 0);
}

TEST(WindowList, KeepsItsWindowsAndRefusesForeignOrDamagedLists) {
  const std::vector<PublishedWindow> windows{{MakeWindowHandle(42, 1), kClass, kTitle},
                                             {MakeWindowHandle(42, 2), "TMainForm", ""}};
  const Bytes good = EncodeWindowList(windows);
  EXPECT_EQ(DecodeWindowList(42, good), windows);
  EXPECT_FALSE(DecodeWindowList(43, good));
  EXPECT_FALSE(DecodeWindowList(42, Bytes(good.begin(), good.end() - 1)));
  Bytes flipped = good;
  flipped[20] ^= 0x40;
  EXPECT_FALSE(DecodeWindowList(42, flipped));
  const PublishedWindow wordy{MakeWindowHandle(42, 3), std::string(1500, 'c'), std::string(3000, 't')};
  EXPECT_EQ(DecodeWindowList(42, EncodeWindowList({wordy})),
            (std::vector<PublishedWindow>{{wordy.handle, std::string(1024, 'c'), std::string(1024, 't')}}));
}

// ---------------------------------------------------------------------------
// One channel

std::string SocketPath(const std::string& folder, std::uint32_t process) {
  return folder + "/" + std::to_string(process) + ".sock";
}

TEST(IpcChannel, BindsInAPrivateFolderAndTakesItsFilesAlong) {
  TempFolder temp;
  const std::string folder = temp.Path() + "/home/run";
  const std::uint32_t self = static_cast<std::uint32_t>(getpid());
  {
    IpcChannel channel(folder + "/");
    ASSERT_TRUE(channel.Ok());
    EXPECT_GE(channel.Fd(), 0);
    struct stat st {};
    ASSERT_EQ(stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(stat(SocketPath(folder, self).c_str(), &st), 0);
    EXPECT_TRUE(S_ISSOCK(st.st_mode));
    const PublishedWindow own{MakeWindowHandle(self, 1), kClass, kTitle};
    channel.PublishWindows({own, {MakeWindowHandle(self + 1, 1), kClass, "not ours"}});
    EXPECT_EQ(DecodeWindowList(self, ReadAll(folder + "/" + std::to_string(self) + ".windows")),
              std::vector<PublishedWindow>{own});
  }
  EXPECT_FALSE(fs::exists(SocketPath(folder, self)));
  EXPECT_FALSE(fs::exists(folder + "/" + std::to_string(self) + ".windows"));
}

TEST(IpcChannel, ClosesAFolderOthersCouldRead) {
  TempFolder temp;
  const std::string folder = temp.Path() + "/run";
  ASSERT_EQ(mkdir(folder.c_str(), 0777), 0);
  chmod(folder.c_str(), 0777);
  IpcChannel channel(folder);
  EXPECT_TRUE(channel.Ok());
  struct stat st {};
  ASSERT_EQ(stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(IpcChannel, AMessageToItsOwnWindowArrivesWhole) {
  const std::uint32_t self = static_cast<std::uint32_t>(getpid());
  TempFolder temp;
  // The second folder is deeper than a socket address can name.
  const std::string deep = temp.Path() + "/" + std::string(90, 'd') + "/" + std::string(60, 'e');
  for (const std::string& folder : {temp.Path(), deep}) {
    SCOPED_TRACE(folder.size());
    IpcChannel channel(folder);
    ASSERT_TRUE(channel.Ok());
    WireMessage first = Registered(MakeWindowHandle(self, 1), "LoadName", 0, 0xC123);
    WireMessage second;
    second.target = MakeWindowHandle(self, 2);
    second.source = MakeWindowHandle(self, 1);
    second.message = WM_USER + 5;
    second.wParam = -1;
    EXPECT_TRUE(channel.Post(first));
    EXPECT_TRUE(channel.Post(second));
    EXPECT_TRUE(channel.Wait(1000));
    first.source = MakeWindowHandle(self, 0);  // a null source is sent as the process
    EXPECT_EQ(channel.Receive(), (std::vector<WireMessage>{first, second}));
    EXPECT_TRUE(channel.Receive().empty());
    EXPECT_FALSE(channel.Wait(0));
  }
}

TEST(IpcChannel, RefusesPostsItCannotAddress) {
  TempFolder temp;
  IpcChannel channel(temp.Path());
  const std::uint32_t self = static_cast<std::uint32_t>(getpid());
  WireMessage m = Registered(MakeWindowHandle(self, 1), "LoadName");
  m.source = MakeWindowHandle(self + 1, 1);  // another process's window
  EXPECT_FALSE(channel.Post(m));
  EXPECT_FALSE(channel.Post(Registered(NullWindow, "LoadName")));
  EXPECT_FALSE(channel.Post(Registered(MakeWindowHandle(DeadProcess(), 1), "LoadName")));
  EXPECT_FALSE(channel.Send(Registered(MakeWindowHandle(self, 1), "ScriptQuery"), 100, nullptr));
  EXPECT_FALSE(channel.Reply(Registered(MakeWindowHandle(self, 1), "ScriptQuery"), 1));  // it was posted
  EXPECT_TRUE(channel.Receive().empty());
}

TEST(IpcChannel, RemovesTheFilesOfEndedProcessesOnly) {
  TempFolder temp;
  const std::string folder = temp.Path();
  const std::string dead = std::to_string(DeadProcess());
  const std::string live = std::to_string(getppid());
  const std::vector<std::string> stale{dead + ".sock", dead + ".windows", dead + ".atoms.tmp"};
  const std::vector<std::string> kept{live + ".windows", "atoms", "atoms.lock", "notes.txt", "0" + dead + ".sock"};
  for (const auto& names : {stale, kept})
    for (const std::string& name : names) WriteAll(folder + "/" + name, Bytes{'x'});
  IpcChannel channel(folder);
  for (const std::string& name : stale) EXPECT_FALSE(fs::exists(folder + "/" + name)) << name;
  for (const std::string& name : kept) EXPECT_TRUE(fs::exists(folder + "/" + name)) << name;
}

// After a crash the id of an instance may pass to an unrelated process:
// its files then name a live process but no instance.
TEST(IpcChannel, TakesOnlyABoundSocketForAnInstance) {
  TempFolder temp;
  const std::uint32_t other = static_cast<std::uint32_t>(getppid());
  const std::string windows = temp.Path() + "/" + std::to_string(other) + ".windows";
  WriteAll(windows, EncodeWindowList({{MakeWindowHandle(other, 1), kClass, kTitle}}));
  WriteAll(SocketPath(temp.Path(), other), Bytes{'x'});
  IpcChannel channel(temp.Path());
  EXPECT_EQ(channel.FindWindow(kClass, kTitle), std::nullopt);
  EXPECT_TRUE(channel.OtherTopLevelWindows().empty());
  EXPECT_FALSE(channel.OwnerReachable(MakeWindowHandle(other, 1)));
  EXPECT_FALSE(channel.Post(Registered(MakeWindowHandle(other, 1), "LoadName")));
  EXPECT_EQ(channel.Broadcast(Registered(NullWindow, "PasteStoryDev")), 0);
  EXPECT_TRUE(fs::exists(windows));  // a live process removes its own files
}

TEST(IpcChannel, DropsEveryDatagramThatIsNotAGoodMessageForIt) {
  TempFolder temp;
  IpcChannel channel(temp.Path());
  ASSERT_TRUE(channel.Ok());
  const std::uint32_t self = static_cast<std::uint32_t>(getpid());
  RawSender sender(SocketPath(temp.Path(), self));
  WireMessage elsewhere = Sample();  // for a window of another process
  WireMessage lateReply = Sample();
  lateReply.target = MakeWindowHandle(self, 1);
  lateReply.sendId = 99;
  lateReply.isReply = true;
  const std::vector<Bytes> unwanted{{}, Bytes(2000, 'Q'), *EncodeWireMessage(elsewhere), *EncodeWireMessage(lateReply)};
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    // The kernel queues only a few datagrams per socket: send a handful,
    // then drain them.
    for (int i = 0; i < 6; ++i) {
      Bytes junk(random() % 120);
      for (auto& b : junk) b = static_cast<std::uint8_t>(random());
      ASSERT_TRUE(sender.Send(i < 4 ? junk : unwanted[static_cast<std::size_t>(round) % unwanted.size()]));
    }
    WireMessage good = Registered(MakeWindowHandle(self, 1), "FrameQuery", round);
    good.source = MakeWindowHandle(self, 2);
    ASSERT_TRUE(sender.Send(*EncodeWireMessage(good)));
    EXPECT_EQ(channel.Receive(), std::vector<WireMessage>{good}) << round;
  }
}

// ---------------------------------------------------------------------------
// Two processes

class IpcPeerTest : public ::testing::Test {
 protected:
  TempFolder temp_;
  const std::string& Folder() const { return temp_.Path(); }
};

TEST_F(IpcPeerTest, HandsACommandLineToTheRunningInstance) {
  IpcChannel channel(Folder());
  SharedAtomTable atoms(Folder());
  const std::uint32_t self = static_cast<std::uint32_t>(getpid());
  // Our own window of the same name is the caller's to search, not ours.
  channel.PublishWindows({{MakeWindowHandle(self, 1), kClass, kTitle}});
  auto peer = Peer::Serve(Folder());
  const struct {
    std::string className, title;
    bool found;
  } lookups[] = {
      {kClass, kTitle, true}, {kClass, "", true}, {"", kTitle, true}, {kClass, "quillmaster for windows", false},
      {"TForm", "", false},
  };
  for (const auto& l : lookups) {
    auto found = channel.FindWindow(l.className, l.title);
    EXPECT_EQ(found, l.found ? std::optional<HWND>(peer->Window()) : std::nullopt) << l.className << "/" << l.title;
  }
  EXPECT_EQ(channel.OtherTopLevelWindows(), std::vector<HWND>{peer->Window()});
  EXPECT_TRUE(channel.OwnerReachable(peer->Window()));

  const std::string commandLine = "/scripts/My Script.QMW ";
  ATOM atom = atoms.Add(commandLine);
  ASSERT_NE(atom, 0);
  ASSERT_TRUE(channel.Post(Registered(*channel.FindWindow(kClass, kTitle), "LoadName", 0, atom)));
  EXPECT_EQ(peer->ReadLine(), "LoadName [" + commandLine + "]");
  EXPECT_EQ(atoms.GetName(atom), "");
  EXPECT_EQ(atoms.Find(commandLine), 0);
}

TEST_F(IpcPeerTest, TheHandoffModeActsAsASecondInstance) {
  auto peer = Peer::Serve(Folder());
  const std::string commandLine = "/scripts/Act One.QMW /scripts/Act Two.QMW ";
  Peer handoff({Folder(), "handoff", kClass, kTitle, "LoadName", commandLine});
  EXPECT_EQ(handoff.ExitCode(), 0);
  EXPECT_EQ(peer->ReadLine(), "LoadName [" + commandLine + "]");

  Peer nobody({Folder(), "handoff", kClass, "Another Program", "LoadName", "lost.QMW"});
  EXPECT_EQ(nobody.ExitCode(), 1);
  EXPECT_EQ(SharedAtomTable(Folder()).Find("lost.QMW"), 0);
}

TEST_F(IpcPeerTest, SendWaitsForTheAnswerAndPassesTheRestOn) {
  IpcChannel channel(Folder());
  auto peer = Peer::Serve(Folder());
  std::vector<WireMessage> others;
  auto keep = [&](const WireMessage& m) { others.push_back(m); };

  EXPECT_EQ(channel.Send(Registered(peer->Window(), "ScriptQuery", 40, 2), 5000, keep), 42);
  ASSERT_EQ(others.size(), 1u);
  EXPECT_EQ(others[0].registeredName, "Notice");
  EXPECT_EQ(others[0].wParam, 40);
  EXPECT_EQ(others[0].source, peer->Window());
  EXPECT_EQ(peer->ReadLine(), "Replied ScriptQuery 42");

  EXPECT_EQ(channel.Send(Registered(peer->Window(), "NoReply", 1, 1), 200, keep), std::nullopt);
  EXPECT_EQ(peer->ReadLine(), "NoReply 1 1");
  // A late answer to a Send that gave up is not taken for the next one's.
  EXPECT_EQ(channel.Send(Registered(peer->Window(), "Slow", 1, 1), 50, keep), std::nullopt);
  EXPECT_EQ(channel.Send(Registered(peer->Window(), "FrameQuery", 100, -1), 5000, keep), 99);
  EXPECT_EQ(peer->ReadLine(), "Replied Slow 2");
  EXPECT_EQ(peer->ReadLine(), "Replied FrameQuery 99");
  EXPECT_TRUE(channel.Receive().empty());
}

TEST_F(IpcPeerTest, SendGivesUpWhenTheTargetEnds) {
  IpcChannel channel(Folder());
  auto peer = Peer::Serve(Folder());
  HWND window = peer->Window();
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(channel.Send(Registered(window, "Quit"), 60000, nullptr), std::nullopt);
  // Not a speed target: it must notice the end instead of waiting it out.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
  EXPECT_EQ(peer->ExitCode(), 0);
  EXPECT_EQ(channel.Send(Registered(window, "ScriptQuery"), 60000, nullptr), std::nullopt);
}

TEST_F(IpcPeerTest, ABroadcastReachesTheOtherInstanceWhichAnswersInKind) {
  IpcChannel channel(Folder());
  auto peer = Peer::Serve(Folder());
  EXPECT_EQ(channel.Broadcast(Registered(NullWindow, "PasteStoryDev")), 1);
  EXPECT_EQ(peer->ReadLine(), "PasteStoryDev");
  ASSERT_TRUE(channel.Wait(5000));
  auto received = channel.Receive();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].registeredName, "ThankYou");
  EXPECT_EQ(received[0].target, HWND_BROADCAST);
  EXPECT_EQ(received[0].source, peer->Window());
}

TEST_F(IpcPeerTest, ABurstLongerThanTheQueueArrivesWholeAndInOrder) {
  IpcChannel channel(Folder());
  auto peer = Peer::Serve(Folder());
  for (int i = 0; i < 60; ++i) ASSERT_TRUE(channel.Post(Registered(peer->Window(), "Burst", i))) << i;
  for (int i = 0; i < 60; ++i) EXPECT_EQ(peer->ReadLine(), "Burst " + std::to_string(i) + " 0");
}

TEST_F(IpcPeerTest, AnEndedInstanceIsNotFoundAndItsFilesGo) {
  enum Probe { ByPost, ByLookup, ByBroadcast, ByOwnerCheck };
  for (Probe probe : {ByPost, ByLookup, ByBroadcast, ByOwnerCheck}) {
    SCOPED_TRACE(probe);
    IpcChannel channel(Folder());
    auto peer = Peer::Serve(Folder());
    const std::uint32_t pid = peer->Pid();
    const HWND window = peer->Window();
    peer->Kill();
    ASSERT_TRUE(fs::exists(SocketPath(Folder(), pid)));
    switch (probe) {
      case ByPost: EXPECT_FALSE(channel.Post(Registered(window, "LoadName"))); break;
      case ByLookup: EXPECT_EQ(channel.FindWindow(kClass, kTitle), std::nullopt); break;
      case ByBroadcast: EXPECT_EQ(channel.Broadcast(Registered(NullWindow, "PasteStoryDev")), 0); break;
      case ByOwnerCheck: EXPECT_FALSE(channel.OwnerReachable(window)); break;
    }
    EXPECT_FALSE(fs::exists(SocketPath(Folder(), pid)));
    EXPECT_FALSE(fs::exists(Folder() + "/" + std::to_string(pid) + ".windows"));
  }
}

TEST_F(IpcPeerTest, AnUnboundChannelStillFindsPostsAndSharesAtoms) {
  const std::uint32_t self = static_cast<std::uint32_t>(getpid());
  ASSERT_EQ(mkdir(SocketPath(Folder(), self).c_str(), 0700), 0);  // nothing can bind there
  IpcChannel channel(Folder());
  EXPECT_FALSE(channel.Ok());
  EXPECT_EQ(channel.Fd(), -1);
  EXPECT_FALSE(channel.Wait(10));
  EXPECT_TRUE(channel.Receive().empty());
  auto peer = Peer::Serve(Folder());
  EXPECT_EQ(channel.FindWindow(kClass, kTitle), peer->Window());
  EXPECT_EQ(channel.Send(Registered(peer->Window(), "ScriptQuery", 1, 2), 1000, nullptr), std::nullopt);
  ATOM atom = SharedAtomTable(Folder()).Add("from an unbound instance");
  EXPECT_TRUE(channel.Post(Registered(peer->Window(), "LoadName", 0, atom)));
  EXPECT_EQ(peer->ReadLine(), "LoadName [from an unbound instance]");
}

TEST_F(IpcPeerTest, GarbageLeavesTheOtherInstanceServing) {
  IpcChannel channel(Folder());
  auto peer = Peer::Serve(Folder());
  RawSender sender(SocketPath(Folder(), peer->Pid()));
  std::mt19937 random(11);
  WireMessage sample = Registered(peer->Window(), "FrameQuery", 5, 6);
  sample.source = MakeWindowHandle(static_cast<std::uint32_t>(getpid()), 1);
  const Bytes good = *EncodeWireMessage(sample);
  for (int i = 0; i < 500; ++i) {
    const bool mangled = i % 2 == 1;
    Bytes junk = mangled ? good : Bytes(random() % 400);
    for (auto& b : junk)
      if (!mangled || random() % 4 == 0) b = static_cast<std::uint8_t>(random());
    ASSERT_TRUE(sender.Send(junk));
  }
  // Garbage that happens to decode is a message like any other; the next
  // answer must still be the right one.
  EXPECT_EQ(channel.Send(Registered(peer->Window(), "ScriptQuery", 20, 22), 5000, nullptr), 42);
  std::optional<std::string> line;
  while ((line = peer->ReadLine()) && line->rfind("Replied ScriptQuery", 0) != 0) {
  }
  EXPECT_EQ(line, "Replied ScriptQuery 42");
}

}  // namespace
}  // namespace qm

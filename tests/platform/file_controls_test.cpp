// The file, folder and drive controls: what they list, which file or
// folder the choice names, and how the three follow each other.
#include "platform/file_controls.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/forms.h"
#include "platform/messages.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

class FileControlsTest : public testing::PlatformFixture {
 protected:
  void SetUp() override {
    PlatformFixture::SetUp();
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 600, 400);
  }
  void TearDown() override {
    form.reset();
    PlatformFixture::TearDown();
  }
  std::string Folder(const std::string& name) {
    const std::string path = folder.File(name);
    ForceDirectories(path);
    return path;
  }
  void Touch(const std::string& name) { testing::WriteFileText(folder.File(name), "x"); }
  static std::vector<std::string> ItemsOf(const TListBox& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Items.Count(); ++i) items.push_back(list.Items[i]);
    return items;
  }
  std::unique_ptr<TForm> form;
  testing::TempFolder folder;
};

TEST(VolumeFolders, TheRootThenTheDisksAndSharesAWriterKeepsFilesOn) {
  testing::TempFolder mounts;
  const auto dir = [&](const std::string& name) {
    ForceDirectories(mounts.File(name));
    return mounts.File(name);
  };
  const std::string stick = dir("STICK");
  const std::string share = dir("share with blank");
  const std::string ram = dir("ram");
  const std::string packaged = dir("snapped");
  const std::string hosts = testing::WriteFileText(mounts.File("hosts"), "x");
  const std::string escapedShare = mounts.File("share\\040with\\040blank");
  const std::vector<TMountEntry> table =
      ParseMountTable("proc /proc proc rw 0 0\n"
                      "overlay / overlay rw 0 0\n"
                      "/dev/sda2 / ext4 rw 0 0\n"
                      "sysfs /sys sysfs rw 0 0\n"
                      "/dev/sda1 /boot/efi vfat rw 0 0\n"
                      "tmpfs " +
                      ram + " tmpfs rw 0 0\n" + "/dev/loop3 " + packaged + " squashfs ro 0 0\n" + "/dev/sdb1 " + stick +
                      " vfat rw 0 0\n" + "server:/export " + escapedShare + " nfs4 rw 0 0\n" + "/dev/sda2 " + hosts +
                      " ext4 rw 0 0\n" + "/dev/sdc1 /run/user/1000/doc fuse rw 0 0\n" + "/dev/sdb1 " + stick +
                      "/ vfat rw 0 0\n" + "/dev/sdd1 " + mounts.File("gone") + " ext4 rw 0 0\n" + "short line\n");
  EXPECT_EQ(VolumeFolders(table), (std::vector<std::string>{"/", stick, share}));
}

TEST(VolumeFolders, TheRootIsOfferedWhateverTheTableHolds) {
  EXPECT_EQ(VolumeFolders({}), std::vector<std::string>{"/"});
}

TEST_F(FileControlsTest, TheFileListShowsTheMatchingFilesAndNamesTheOneChosen) {
  for (const char* name : {"b.qmw", "A.QMW", "C.SCR", "notes.txt", "README"}) Touch(name);
  Folder("DRAFT.QMW");
  auto* list = MakeControl<TFESFileListBox>(form.get(), form.get(), "Files", 0, 0, 300, 200);
  list->SetMask("*.SC?;*.QMW");
  list->SetDirectory(folder.Path() + "/");
  EXPECT_EQ(ItemsOf(*list), (std::vector<std::string>{"A.QMW", "C.SCR", "b.qmw"}));
  EXPECT_EQ(list->FileName(), "") << "nothing chosen yet";
  list->SetItemIndex(2);
  EXPECT_EQ(list->FileName(), folder.File("b.qmw"));
  list->SetMask("*.;*.SC?;*.QMW");
  EXPECT_EQ(ItemsOf(*list), (std::vector<std::string>{"A.QMW", "C.SCR", "README", "b.qmw"}));
  EXPECT_EQ(list->FileName(), folder.File("b.qmw")) << "the choice stays on its file";
}

// Reading the folder again keeps the choice on the file chosen, so that
// what is opened or erased is what the writer picked; when that file is
// gone, the choice stays on its place in the list.
TEST_F(FileControlsTest, ReadingAgainKeepsTheChoiceOnItsFileElseOnItsPlace) {
  const struct {
    const char* what;
    int chosen;
    const char* added;
    const char* removed;
    const char* chosenAfter;
  } cases[] = {
      {"a file added before it", 1, "A0.QMW", nullptr, "B.QMW"},
      {"the file gone", 1, nullptr, "B.QMW", "C.QMW"},
      {"the last file gone", 2, nullptr, "C.QMW", "B.QMW"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testing::TempFolder here;
    for (const char* name : {"A.QMW", "B.QMW", "C.QMW"}) testing::WriteFileText(here.File(name), "x");
    TFESFileListBox list(form.get());
    list.SetDirectory(here.Path());
    list.SetItemIndex(c.chosen);
    if (c.added) testing::WriteFileText(here.File(c.added), "x");
    if (c.removed) DeleteFile(here.File(c.removed));
    list.ReadFileNames();
    EXPECT_EQ(list.FileName(), here.File(c.chosenAfter));
  }
}

TEST_F(FileControlsTest, TheCaseShownIsTheTextCasesAndTheFileKeepsItsOwnName) {
  Touch("Act One.qmw");
  auto* list = MakeControl<TFESFileListBox>(form.get(), form.get(), "", 0, 0, 300, 200);
  list->SetDirectory(folder.Path());
  list->SetItemIndex(0);
  const struct {
    FESTextConversion textCase;
    const char* shown;
  } cases[] = {
      {FESTextConversion::tcUpper, "ACT ONE.QMW"},
      {FESTextConversion::tcLower, "act one.qmw"},
      {FESTextConversion::tcNormal, "Act One.qmw"},
  };
  for (const auto& c : cases) {
    list->SetTextCase(c.textCase);
    EXPECT_EQ(list->Items[0], c.shown);
    EXPECT_EQ(list->FileName(), folder.File("Act One.qmw"));
  }
}

// The folder list shows the way down from the root, then the folders in
// the one open; a double click or Enter opens the folder chosen, and the
// file list and the drive box follow.
TEST_F(FileControlsTest, TheFolderListOpensTheFolderChosenAndTheOthersFollow) {
  const std::string drafts = Folder("Drafts");
  Folder("Notes");
  testing::WriteFileText(drafts + "/ONE.QMW", "x");
  auto* dirs = MakeControl<TFESDirectoryListBox>(form.get(), form.get(), "Dirs", 0, 0, 200, 300);
  auto* files = MakeControl<TFESFileListBox>(form.get(), form.get(), "Files", 200, 0, 300, 300);
  auto* drives = MakeControl<TFESDriveComboBox>(form.get(), form.get(), "Drives", 0, 300, 200, 22);
  files->SetMask("*.QMW");
  dirs->SetFileList(files);
  drives->SetDirList(dirs);
  std::vector<std::string> changes;
  dirs->OnChange = [&](TObject*) { changes.push_back(dirs->Directory()); };
  dirs->SetDirectory(folder.Path());
  ASSERT_EQ(dirs->Directory(), folder.Path());
  EXPECT_EQ(files->Directory(), folder.Path());
  const int open = dirs->ItemIndex();
  EXPECT_EQ(dirs->ItemPath(open), folder.Path());
  EXPECT_EQ(dirs->ItemPath(0), "/");
  EXPECT_EQ(dirs->Items[0], "/");
  ASSERT_EQ(dirs->Items.Count(), open + 3);
  const std::string indent(2 * static_cast<std::size_t>(open + 1), ' ');
  EXPECT_EQ(dirs->Items[open + 1], indent + "Drafts");
  EXPECT_EQ(dirs->Items[open + 2], indent + "Notes");
  EXPECT_TRUE(dirs->IsOpenFolder(open));
  EXPECT_FALSE(dirs->IsOpenFolder(open + 1));

  dirs->SetItemIndex(open + 1);
  dirs->Perform(WM_LBUTTONDBLCLK, 0, 0);
  EXPECT_EQ(dirs->Directory(), drafts);
  EXPECT_EQ(files->Directory(), drafts);
  ASSERT_EQ(files->Items.Count(), 1);
  EXPECT_EQ(files->Items[0], "ONE.QMW");

  dirs->SetItemIndex(open);
  Word enter = VK_RETURN;
  dirs->DoKeyDown(enter, TShiftState{});
  EXPECT_EQ(dirs->Directory(), folder.Path()) << "Enter opens the folder above";
  EXPECT_EQ(changes, (std::vector<std::string>{folder.Path(), drafts, folder.Path()}));
}

TEST_F(FileControlsTest, AMissingFolderOpensTheNearestFolderAboveIt) {
  auto* dirs = MakeControl<TFESDirectoryListBox>(form.get(), form.get(), "", 0, 0, 200, 300);
  dirs->SetDirectory(folder.File("gone/deeper"));
  EXPECT_EQ(dirs->Directory(), folder.Path());
}

// The drive box offers the root first and shows the volume of the folder
// open; choosing a volume opens its top folder in the folder list.
TEST_F(FileControlsTest, ChoosingAVolumeOpensItsTopInTheFolderList) {
  auto* dirs = MakeControl<TFESDirectoryListBox>(form.get(), form.get(), "", 0, 0, 200, 300);
  auto* drives = MakeControl<TFESDriveComboBox>(form.get(), form.get(), "", 0, 300, 200, 22);
  drives->SetDirList(dirs);
  ASSERT_GT(drives->Items.Count(), 0);
  EXPECT_EQ(drives->Items[0], "/");
  const std::string inner = Folder("inner");
  dirs->SetDirectory(inner);
  // The volume holding the folder is the deepest one it lies inside.
  std::string holding;
  for (const std::string& volume : VolumeFolders(MountTable()))
    if ((volume == "/" || inner.starts_with(volume + "/")) && volume.size() > holding.size()) holding = volume;
  ASSERT_FALSE(holding.empty()) << "the root always holds it";
  EXPECT_EQ(drives->Drive(), holding);
  ASSERT_GE(drives->ItemIndex(), 0) << "the box shows a volume";
  EXPECT_EQ(drives->Items[drives->ItemIndex()], PathToText(holding));
  EXPECT_EQ(dirs->Directory(), inner) << "showing the volume does not open it";
  drives->SetItemIndex(0);
  EXPECT_EQ(dirs->Directory(), "/");
  EXPECT_EQ(drives->Drive(), "/");
}

}  // namespace
}  // namespace qm

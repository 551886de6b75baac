#include <gtest/gtest.h>
#include <windows.h>

#include "TestFiles_win.h"
#include "winlib/Handles_win.h"
#include "launcher/system/Directories_win.h"
#include "launcher/system/InstallLocation_win.h"

namespace {

TEST(CreateDirectoryPath, FoldersBeforeEachSeparator) {
  ScratchFolder dir("mkdir");
  struct Case {
    const char* what;
    std::string path;
    bool result;
    std::vector<std::string> folders;  // exist afterwards
    std::vector<std::string> absent;   // exist neither as folder nor as file
  } cases[] = {
      {"nested file path: parents only",
       dir / "a\\b\\file.bin",
       true,
       {dir / "a", dir / "a\\b"},
       {dir / "a\\b\\file.bin"}},
      {"folder path ending in a separator", dir / "x\\y\\", true, {dir / "x", dir / "x\\y"}, {}},
      {"folder path without the separator: last one not made", dir / "p\\q", true, {dir / "p"}, {dir / "p\\q"}},
      {"forward slashes separate too", dir / "f/g/h.txt", true, {dir / "f", dir / "f\\g"}, {dir / "f\\g\\h.txt"}},
      {"existing folders are fine", dir / "a\\b\\other.bin", true, {dir / "a\\b"}, {}},
      {"empty path", "", true, {}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CreateDirectoryPath(c.path), c.result) << c.what;
    for (const std::string& f : c.folders) EXPECT_TRUE(DirectoryExists(f)) << c.what << ": " << f;
    for (const std::string& f : c.absent) {
      EXPECT_FALSE(DirectoryExists(f)) << c.what << ": " << f;
      EXPECT_FALSE(FileExists(f)) << c.what << ": " << f;
    }
  }
}

TEST(CreateDirectoryPath, FailuresStopAtTheFirstFolder) {
  ScratchFolder dir("mkdir");
  ASSERT_TRUE(WriteWholeFile(dir / "plain", "a file"));
  EXPECT_FALSE(CreateDirectoryPath(dir / "plain\\sub\\file.bin"));
  EXPECT_FALSE(DirectoryExists(dir / "plain\\sub"));
  EXPECT_TRUE(FileExists(dir / "plain"));

  // A leading separator makes an empty first prefix, which cannot be created.
  EXPECT_FALSE(CreateDirectoryPath("\\lt_leading_separator_test\\x\\"));
  EXPECT_FALSE(DirectoryExists("\\lt_leading_separator_test"));

  // The folders made before the failing one stay.
  EXPECT_FALSE(CreateDirectoryPath(dir / "kept\\bad|name\\after\\"));
  EXPECT_TRUE(DirectoryExists(dir / "kept"));
  EXPECT_FALSE(DirectoryExists(dir / "kept\\bad|name\\after"));
}

TEST(CreateDirectoryPath, AFolderMadeMeanwhileCounts) {
  // Race the creation from many threads: each one must see every folder as there.
  ScratchFolder dir("race");
  std::string path = dir / "r1\\r2\\r3\\r4\\r5\\";
  struct Shared {
    std::string path;
    HANDLE go;
    LONG failures = 0;
  } shared{path, ::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  winlib::UniqueKernelHandle go(shared.go);
  auto worker = [](void* p) -> DWORD {
    auto* s = static_cast<Shared*>(p);
    ::WaitForSingleObject(s->go, INFINITE);
    if (!CreateDirectoryPath(s->path)) ::InterlockedIncrement(&s->failures);
    return 0;
  };
  std::vector<winlib::UniqueKernelHandle> threads;
  for (int i = 0; i < 8; ++i) threads.emplace_back(::CreateThread(nullptr, 0, worker, &shared, 0, nullptr));
  ::SetEvent(go.Get());
  for (auto& t : threads) ::WaitForSingleObject(t.Get(), 10000);
  EXPECT_EQ(shared.failures, 0);
  EXPECT_TRUE(DirectoryExists(path));
}

TEST(GameDirectory, DataMapAndWavDecide) {
  ScratchFolder dir("game");
  struct Case {
    std::vector<const char*> folders;
    bool game;
  } cases[] = {
      {{"Data", "Map", "Wav"}, true},
      {{"Data", "ExpData", "Map", "Wav"}, true},
      {{"Data", "ExpData", "Map"}, false},
      {{"ExpData", "Map", "Wav"}, false},
      {{"Data", "Wav"}, false},
      {{}, false},
  };
  int n = 0;
  for (const Case& c : cases) {
    std::string root = dir / ("g" + std::to_string(n++) + "\\");
    ASSERT_TRUE(CreateDirectoryPath(root));
    for (const char* f : c.folders) ASSERT_TRUE(CreateDirectoryPath(root + f + "\\"));
    EXPECT_EQ(IsGameDirectory(root), c.game) << root;
  }
  // Files of those names are not folders.
  std::string files = dir / "files\\";
  ASSERT_TRUE(CreateDirectoryPath(files));
  for (const char* f : {"Data", "Map", "Wav"}) ASSERT_TRUE(WriteWholeFile(files + f, "x"));
  EXPECT_FALSE(IsGameDirectory(files));
}

TEST(GameDirectory, CreatedFoldersMakeOne) {
  ScratchFolder dir("game");
  std::string root = dir / "deep\\BrannockZorvath\\";
  CreateGameDirectories(root);
  for (const char* f : {"Data", "ExpData", "Map", "Wav"}) EXPECT_TRUE(DirectoryExists(root + f)) << f;
  EXPECT_TRUE(IsGameDirectory(root));
  // Again over existing folders; and below a file, silently nothing.
  CreateGameDirectories(root);
  ASSERT_TRUE(WriteWholeFile(dir / "blocker", "x"));
  CreateGameDirectories(dir / "blocker\\");
  EXPECT_FALSE(DirectoryExists(dir / "blocker\\Data"));
}

TEST(InstallDirectory, ChosenFromTheDrivesHere) {
  std::vector<DriveInfo> drives = ListDrives();
  ASSERT_FALSE(drives.empty());
  char system[MAX_PATH] = {};
  ASSERT_GT(::GetSystemDirectoryA(system, MAX_PATH), 0u);
  std::string expected = InstallDirectoryFor(ChooseInstallRoot(drives, SystemRootOf(system)), "BrannockZorvath");

  std::string name = "BrannockZorvath";
  ChooseInstallDirectory(name);
  EXPECT_EQ(name, expected);
  EXPECT_EQ(name.substr(1, 2), ":\\");
  std::string fallback;
  ChooseInstallDirectory(fallback);
  EXPECT_EQ(fallback, expected.substr(0, 3) + "Zorvath\\");
  for (const DriveInfo& d : drives) EXPECT_EQ(d.root.size(), 3u) << d.root;
}

}  // namespace

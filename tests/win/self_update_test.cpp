#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "TestFiles_win.h"
#include "UpdateTestSupport_win.h"
#include "launcher/update/SelfUpdate_win.h"
#include "winlib/Handles_win.h"

namespace {

std::string StageProgram() { return TestProgramDirectory() + "win_self_update_stage.exe"; }
std::string IdleProgram() { return TestProgramDirectory() + "win_idle_process.exe"; }

// A game directory holding a running "old launcher" (the idle program under its name).
class OldLauncher {
 public:
  explicit OldLauncher(const char* name = "LoginTarn.exe") : folder_("selfupdate"), path_(folder_ / name) {
    ::CopyFileA(IdleProgram().c_str(), path_.c_str(), FALSE);
    process_.reset(new StartedProcess(path_, {}));
  }
  const std::string& Path() const { return path_; }
  const ScratchFolder& Folder() const { return folder_; }
  StartedProcess& Process() { return *process_; }
  bool Unchanged() const { return SameBytes(path_, IdleProgram()); }

 private:
  ScratchFolder folder_;
  std::string path_;
  std::unique_ptr<StartedProcess> process_;
};

TEST(CompleteSelfUpdate, NewBuildEndsTheOldLauncherAndTakesItsPlace) {
  OldLauncher old;
  ASSERT_TRUE(old.Process().Running());
  std::string stage = old.Folder() / "RidaVadoz.new";
  ASSERT_TRUE(::CopyFileA(StageProgram().c_str(), stage.c_str(), FALSE));

  StartedProcess newBuild(stage, {old.Path()});
  EXPECT_EQ(newBuild.WaitForExit(15000), 0u);
  EXPECT_EQ(old.Process().WaitForExit(0), 0u) << "the old launcher was ended";
  EXPECT_TRUE(SameBytes(old.Path(), stage));
  EXPECT_TRUE(FilesMatching(old.Folder().Path(), "*.tmp").empty());
}

TEST(CompleteSelfUpdate, OnlyTheNewBuildWithOneArgumentReplaces) {
  struct Case {
    const char* ownName;
    int argumentCount;
    DWORD exitCode;
  } cases[] = {
      {"ridavadoz.NEW", 1, 0},  // the name test ignores case
      {"RidaVadoz.new", 0, 1},
      {"RidaVadoz.new", 2, 1},
      {"Other.exe", 1, 1},
  };
  for (const Case& c : cases) {
    OldLauncher old;
    std::string stage = old.Folder() / c.ownName;
    ASSERT_TRUE(::CopyFileA(StageProgram().c_str(), stage.c_str(), FALSE));
    std::vector<std::string> arguments;
    if (c.argumentCount >= 1) arguments.push_back(old.Path());
    if (c.argumentCount >= 2) arguments.push_back("-x");
    StartedProcess newBuild(stage, arguments);
    EXPECT_EQ(newBuild.WaitForExit(15000), c.exitCode) << c.ownName << " " << c.argumentCount;
    EXPECT_EQ(old.Unchanged(), c.exitCode != 0) << c.ownName << " " << c.argumentCount;
    EXPECT_EQ(old.Process().Running(), c.exitCode != 0) << c.ownName << " " << c.argumentCount;
  }
}

// Holds a file open without sharing, as a process that has not let go of it yet does.
class HeldFile {
 public:
  explicit HeldFile(const std::string& path)
      : file_(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  bool Held() const { return file_.Valid(); }
  void ReleaseAfter(DWORD ms) {
    delay_ = ms;
    releaser_.Reset(::CreateThread(nullptr, 0, &HeldFile::Release, this, 0, nullptr));
  }
  ~HeldFile() {
    if (releaser_) ::WaitForSingleObject(releaser_.Get(), INFINITE);
  }

 private:
  static DWORD WINAPI Release(void* self) {
    auto* held = static_cast<HeldFile*>(self);
    ::Sleep(held->delay_);
    held->file_.Reset();
    return 0;
  }
  winlib::UniqueFileHandle file_;
  winlib::UniqueKernelHandle releaser_;
  DWORD delay_ = 0;
};

// An old launcher file and a new build beside it.
struct TwoBuilds {
  ScratchFolder folder{"replace"};
  std::string old = folder / "HeldLauncher.exe";
  std::string own = folder / "NewBuild.bin";
  TwoBuilds() {
    WriteWholeFile(old, "old build");
    WriteWholeFile(own, "new build");
  }
  std::string OldBytes() const {
    std::string bytes;
    ReadWholeFile(old, bytes);
    return bytes;
  }
  bool NoTemporaryLeft() const { return FilesMatching(folder.Path(), "*.tmp").empty(); }
};

TEST(ReplaceOldLauncher, RetriesWhileTheOldFileIsHeld) {
  TwoBuilds b;
  HeldFile held(b.old);
  ASSERT_TRUE(held.Held());
  held.ReleaseAfter(600);
  EXPECT_TRUE(ReplaceOldLauncher(b.own, b.old, SelfUpdateWaits{1000, 5000, 50}));
  EXPECT_EQ(b.OldBytes(), "new build");
  EXPECT_TRUE(b.NoTemporaryLeft());
}

TEST(ReplaceOldLauncher, FailureLeavesTheOldFileAsItWas) {
  TwoBuilds b;
  const SelfUpdateWaits shortWaits{1000, 300, 50};
  {
    HeldFile held(b.old);
    ASSERT_TRUE(held.Held());
    EXPECT_FALSE(ReplaceOldLauncher(b.own, b.old, shortWaits));
  }
  // The new build is missing: nothing to copy.
  EXPECT_FALSE(ReplaceOldLauncher(b.folder / "Missing.bin", b.old, shortWaits));
  // The old launcher's folder is gone: no place for the copy.
  EXPECT_FALSE(ReplaceOldLauncher(b.own, b.folder / "NoFolder\\Launcher.exe", shortWaits));
  EXPECT_EQ(b.OldBytes(), "old build");
  EXPECT_TRUE(b.NoTemporaryLeft());
}

}  // namespace

#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shobjidl.h>

#include "TestFiles_win.h"
#include "launcher/system/Directories_win.h"
#include "launcher/system/Paths_win.h"
#include "launcher/system/ProcessControl_win.h"
#include "launcher/system/Shortcuts_win.h"
#include "winlib/ComPtr_win.h"

namespace {

struct LinkContent {
  bool loaded = false;
  std::string target, workingDirectory;
  int showCommand = -1;
};

// Reads a shortcut back through the shell's own link object.
LinkContent ReadLink(const std::string& linkPath) {
  LinkContent content;
  winlib::ComPtr<IShellLinkA> link;
  winlib::ComPtr<IPersistFile> file;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid())) ||
      FAILED(link.As(IID_IPersistFile, file))) {
    return content;
  }
  wchar_t wide[MAX_PATH] = {};
  ::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
  if (FAILED(file->Load(wide, STGM_READ))) return content;
  char buffer[MAX_PATH] = {};
  link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH);
  content.target = buffer;
  buffer[0] = '\0';
  link->GetWorkingDirectory(buffer, MAX_PATH);
  content.workingDirectory = buffer;
  link->GetShowCmd(&content.showCommand);
  content.loaded = true;
  return content;
}

class Shortcuts : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CoInitialize(nullptr);
    ASSERT_TRUE(GetDesktopDirectory(desktop_));
    // The launcher the shortcuts point to: a real file in a folder of its own.
    ASSERT_TRUE(WriteWholeFile(target_, "MZ"));
  }
  void TearDown() override {
    for (const std::string& name : made_) ::DeleteFileA(LinkPath(name).c_str());
    ::CoUninitialize();
  }
  std::string LinkPath(const std::string& name) const { return desktop_ + "\\" + name + ".lnk"; }
  bool Create(const std::string& target, const std::string& name) {
    made_.push_back(name);
    return CreateDesktopShortcut(target, name);
  }

  ScratchFolder folder_{"shortcut"};
  std::string target_ = folder_ / "LoginTarn.exe";
  std::string desktop_;
  std::vector<std::string> made_;
};

TEST_F(Shortcuts, DesktopFolderHasNoTrailingSeparator) {
  EXPECT_FALSE(desktop_.empty());
  EXPECT_NE(desktop_.back(), '\\');
  EXPECT_TRUE(DirectoryExists(desktop_));
}

TEST_F(Shortcuts, ReadBackThroughTheShell) {
  ASSERT_TRUE(Create(target_, "Brannock-Zorvath"));
  LinkContent link = ReadLink(LinkPath("Brannock-Zorvath"));
  ASSERT_TRUE(link.loaded);
  EXPECT_STREQ(link.target.c_str(), target_.c_str());
  std::string folder = folder_.Path();
  folder.pop_back();
  EXPECT_EQ(link.workingDirectory, folder);
  EXPECT_EQ(link.showCommand, SW_SHOWNORMAL);
}

TEST_F(Shortcuts, PinningDoesNotStartTheTarget) {
  std::string dir, probe = folder_ / "PinProbe.exe";
  GetModuleDirectory(dir, nullptr, false);
  ASSERT_TRUE(::CopyFileA((dir + "win_idle_process.exe").c_str(), probe.c_str(), FALSE));
  ASSERT_TRUE(Create(probe, "PinProbe"));
  ::Sleep(1500);
  bool started = IsProcessRunning("PinProbe.exe", 0);
  TerminateOtherProcesses("PinProbe.exe");
  EXPECT_FALSE(started);
}

TEST_F(Shortcuts, SavedAgainOverAnEditedOne) {
  std::string other = folder_ / "Other.exe";
  ASSERT_TRUE(WriteWholeFile(other, "MZ"));
  ASSERT_TRUE(Create(other, "Brannock-Zorvath"));
  ASSERT_TRUE(Create(target_, "Brannock-Zorvath"));
  EXPECT_EQ(ReadLink(LinkPath("Brannock-Zorvath")).target, target_);
}

TEST_F(Shortcuts, EmptyNameMakesDotLnk) {
  ASSERT_TRUE(Create(target_, ""));
  EXPECT_TRUE(FileExists(desktop_ + "\\.lnk"));
}

TEST_F(Shortcuts, OldNameRemovedOthersKept) {
  ASSERT_TRUE(WriteWholeFile(LinkPath("Zorvath"), "old shortcut"));
  ASSERT_TRUE(WriteWholeFile(LinkPath("Zorvath-notes"), "not ours"));
  made_.push_back("Zorvath");
  made_.push_back("Zorvath-notes");
  DeleteOldDesktopShortcut();
  EXPECT_FALSE(FileExists(LinkPath("Zorvath")));
  EXPECT_TRUE(FileExists(LinkPath("Zorvath-notes")));
  DeleteOldDesktopShortcut();  // nothing left to delete: no harm

  // A shortcut configured under the old name is deleted and made again at each start.
  ASSERT_TRUE(WriteWholeFile(LinkPath("Zorvath"), "old shortcut"));
  DeleteOldDesktopShortcut();
  ASSERT_TRUE(Create(target_, "Zorvath"));
  EXPECT_EQ(ReadLink(LinkPath("Zorvath")).target, target_);
}

}  // namespace

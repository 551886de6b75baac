// Runs inside a Wine prefix of its own (see relocation.sh): C: is the system drive,
// D: and E: are two more fixed drives with the same free space, and there is no Z:.
// The launcher to try lies beside this program as LoginTarn.exe.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shobjidl.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "LauncherProcess_win.h"
#include "TestFiles_win.h"
#include "launcher/system/Directories_win.h"
#include "launcher/system/Shortcuts_win.h"
#include "winlib/ComPtr_win.h"
#include "winlib/Handles_win.h"

namespace {

const std::string kInstallDir = "D:\\BrannockZorvath\\";
const std::string kInstalled = kInstallDir + "LoginTarn.exe";

std::string SourceLauncher() { return TestProgramDirectory() + "LoginTarn.exe"; }

HWND WaitForLauncherWindow(DWORD processId, DWORD ms) { return WaitForTopLevelWindow(processId, L"Zorvath", ms); }

// Rewrites the embedded default text of a launcher file.
bool PatchDefaults(const std::string& exe, std::string (*edit)(const std::string&)) {
  std::string text;
  WORD language = 0;
  {
    HMODULE image = ::LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (image == nullptr) return false;
    HRSRC info = ::FindResourceA(image, MAKEINTRESOURCEA(224), "DATA");
    if (info != nullptr) {
      text.assign(static_cast<const char*>(::LockResource(::LoadResource(image, info))), ::SizeofResource(image, info));
      ::EnumResourceLanguagesA(
          image, "DATA", MAKEINTRESOURCEA(224),
          [](HMODULE, LPCSTR, LPCSTR, WORD lang, LONG_PTR out) -> BOOL {
            *reinterpret_cast<WORD*>(out) = lang;
            return FALSE;
          },
          reinterpret_cast<LONG_PTR>(&language));
    }
    ::FreeLibrary(image);
    if (text.empty()) return false;
  }
  text = edit(text);
  HANDLE update = ::BeginUpdateResourceA(exe.c_str(), FALSE);
  if (update == nullptr) return false;
  if (!::UpdateResourceA(update, "DATA", MAKEINTRESOURCEA(224), language, &text[0], static_cast<DWORD>(text.size()))) {
    ::EndUpdateResourceA(update, TRUE);
    return false;
  }
  return ::EndUpdateResourceA(update, FALSE) != FALSE;
}

// Closes a running launcher the way the start-up does it and waits for its end: its exit
// code, 0 for a clean end, STILL_ACTIVE when it did not end.
DWORD CloseLauncher(unsigned long processId, HWND window) {
  winlib::UniqueKernelHandle p(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  DWORD code = STILL_ACTIVE;
  if (!p || !::PostMessageA(window, WM_CLOSE, 0, 0)) return code;
  if (::WaitForSingleObject(p.Get(), 20000) == WAIT_OBJECT_0) ::GetExitCodeProcess(p.Get(), &code);
  return code;
}

std::string LinkTarget(const std::string& linkPath) {
  winlib::ComPtr<IShellLinkA> link;
  winlib::ComPtr<IPersistFile> file;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid())) ||
      FAILED(link.As(IID_IPersistFile, file))) {
    return std::string();
  }
  wchar_t wide[MAX_PATH] = {};
  ::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
  if (FAILED(file->Load(wide, STGM_READ))) return std::string();
  char target[MAX_PATH] = {};
  link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
  return target;
}

class Relocation : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CoInitialize(nullptr);
    RemoveTree("D:\\BrannockZorvath");
    RemoveTree("E:\\BrannockZorvath");
    RemoveTree(download_);
    ASSERT_TRUE(CreateDirectoryPath(download_));
    ASSERT_TRUE(GetDesktopDirectory(desktop_));
  }
  void TearDown() override { ::CoUninitialize(); }

  // A launcher named LoginTarn_77.exe in a download folder (not a game directory).
  std::string Downloaded(std::string (*edit)(const std::string&)) {
    std::string exe = download_ + "LoginTarn_77.exe";
    if (!::CopyFileA(SourceLauncher().c_str(), exe.c_str(), FALSE)) return std::string();
    if (edit != nullptr && !PatchDefaults(exe, edit)) return std::string();
    return exe;
  }

  // Starts a launcher that must not move and checks that it runs where it is.
  void ExpectStaysWhereStarted(const std::string& exe) {
    ProcessUnderTest launcher;
    ASSERT_TRUE(launcher.Start(exe));
    HWND window = WaitForLauncherWindow(launcher.Id(), 30000);
    ASSERT_NE(window, nullptr) << "the launcher did not stay to show its window";
    for (const char* f : {"Data", "ExpData", "Map", "Wav"}) EXPECT_TRUE(DirectoryExists(download_ + f)) << f;
    EXPECT_FALSE(DirectoryExists("D:\\BrannockZorvath"));
    EXPECT_FALSE(DirectoryExists("E:\\BrannockZorvath"));
    EXPECT_EQ(CloseLauncher(launcher.Id(), window), 0u);
  }

  std::string download_ = "C:\\Download\\";
  std::string desktop_;
};

TEST_F(Relocation, InstallsIntoTheGameDirectoryAndRestartsThere) {
  std::string exe = Downloaded(nullptr);
  ASSERT_FALSE(exe.empty());
  ASSERT_TRUE(WriteWholeFile(desktop_ + "\\Zorvath.lnk", "shortcut of the former name"));

  ProcessUnderTest downloaded;
  ASSERT_TRUE(downloaded.Start(exe));
  ASSERT_TRUE(downloaded.WaitForExit(30000)) << "the downloaded launcher kept running";
  EXPECT_EQ(downloaded.ExitCode(), 0u);

  // D: and E: have the same free space: the earlier drive wins, the system drive never.
  for (const char* f : {"Data", "ExpData", "Map", "Wav"}) EXPECT_TRUE(DirectoryExists(kInstallDir + f)) << f;
  EXPECT_TRUE(FileExists(kInstalled));
  EXPECT_FALSE(DirectoryExists("E:\\BrannockZorvath"));
  EXPECT_FALSE(DirectoryExists("C:\\BrannockZorvath"));
  char pos[16] = {};
  ::GetPrivateProfileStringA("App", "pos", "", pos, sizeof pos, (kInstallDir + "LoginTarn.ini").c_str());
  EXPECT_STREQ(pos, "77");

  // The copy runs from the game directory and does not move again.
  std::vector<unsigned long> copies;
  for (int i = 0; i < 100 && copies.empty(); ++i, ::Sleep(100)) copies = ProcessesOf(kInstalled);
  ASSERT_EQ(copies.size(), 1u);
  HWND window = WaitForLauncherWindow(copies[0], 30000);
  ASSERT_NE(window, nullptr);
  ::Sleep(1000);
  EXPECT_EQ(ProcessesOf(kInstalled), copies);
  EXPECT_FALSE(DirectoryExists("C:\\BrannockZorvath"));

  // The copy's own start keeps the shortcut, pointing to the copy.
  EXPECT_FALSE(FileExists(desktop_ + "\\Zorvath.lnk"));
  EXPECT_EQ(LinkTarget(desktop_ + "\\Brannock-Zorvath.lnk"), kInstalled);
  char run[8] = {};
  ::GetPrivateProfileStringA("App", "Run", "", run, sizeof run, (kInstallDir + "LoginTarn.ini").c_str());
  EXPECT_STREQ(run, "1");

  EXPECT_EQ(CloseLauncher(copies[0], window), 0u);
  ::DeleteFileA((desktop_ + "\\Brannock-Zorvath.lnk").c_str());
}

TEST_F(Relocation, RunAtCurrentKeepsTheLauncherWhereItIs) {
  std::string exe = Downloaded([](const std::string& text) { return text + "\r\nRunAtCurrent=1"; });
  ASSERT_FALSE(exe.empty());
  ExpectStaysWhereStarted(exe);
}

TEST_F(Relocation, EmptyRunDirKeepsTheLauncherWhereItIs) {
  std::string exe = Downloaded([](const std::string& text) {
    std::string edited = text;
    std::size_t at = edited.find("RunDir=BrannockZorvath");
    if (at != std::string::npos) edited.replace(at, 22, "RunDir=");
    return edited;
  });
  ASSERT_FALSE(exe.empty());
  ExpectStaysWhereStarted(exe);
}

}  // namespace

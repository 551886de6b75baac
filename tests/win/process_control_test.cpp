#include <gtest/gtest.h>
#include <windows.h>

#include "TestFiles_win.h"
#include "launcher/system/Paths_win.h"
#include "launcher/system/ProcessControl_win.h"
#include "winlib/Handles_win.h"

namespace {

// A copy of the idle program started under a chosen name; ended at the end of the test.
class IdleProcess {
 public:
  IdleProcess(const std::string& folder, const std::string& name) {
    std::string dir;
    GetModuleDirectory(dir, nullptr, false);
    ::CreateDirectoryA(folder.c_str(), nullptr);
    path_ = folder + name;
    if (!::CopyFileA((dir + "win_idle_process.exe").c_str(), path_.c_str(), FALSE)) return;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string line = "\"" + path_ + "\"";
    if (!::CreateProcessA(path_.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    process_.Reset(pi.hProcess);
    winlib::UniqueKernelHandle thread(pi.hThread);
    id_ = pi.dwProcessId;
  }
  ~IdleProcess() {
    if (process_ && Running()) ::TerminateProcess(process_.Get(), 1);
    if (process_) ::WaitForSingleObject(process_.Get(), 5000);
  }
  unsigned long Id() const { return id_; }
  bool Running() const { return process_ && ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; }
  bool EndsWithin(DWORD ms) const { return process_ && ::WaitForSingleObject(process_.Get(), ms) == WAIT_OBJECT_0; }
  DWORD ExitCode() const {
    DWORD code = 99;
    ::GetExitCodeProcess(process_.Get(), &code);
    return code;
  }

 private:
  std::string path_;
  winlib::UniqueKernelHandle process_;
  unsigned long id_ = 0;
};

std::string OwnFileName() {
  std::string dir, name;
  GetModuleDirectory(dir, &name, true);
  return name;
}

TEST(ProcessControl, PrivilegeAdjustment) {
  EXPECT_TRUE(EnablePrivilege("SeDebugPrivilege"));
  EXPECT_FALSE(EnablePrivilege("SeNoSuchPrivilegeHere"));
  EXPECT_FALSE(EnablePrivilege(nullptr));
}

TEST(ProcessControl, ClientsFromAnyFolderInAnyCase) {
  ScratchFolder dir("proc");
  IdleProcess first(dir / "one\\", "Client.exe");
  IdleProcess second(dir / "two\\", "CLIENT.EXE");
  IdleProcess bystander(dir / "three\\", "Clientele.exe");
  ASSERT_TRUE(first.Running());
  ASSERT_TRUE(second.Running());
  ASSERT_TRUE(bystander.Running());

  EXPECT_TRUE(IsProcessRunning("Client.exe", 0));
  EXPECT_TRUE(IsProcessRunning("client.EXE", 0));
  EXPECT_EQ(CountOtherProcesses("Client.exe"), 2);
  EXPECT_EQ(CountOtherProcesses("CLIENT.exe"), 2);

  // A non-zero id names exactly one process.
  EXPECT_TRUE(IsProcessRunning("Client.exe", first.Id()));
  EXPECT_TRUE(IsProcessRunning("Client.exe", second.Id()));
  EXPECT_FALSE(IsProcessRunning("Client.exe", bystander.Id()));
  EXPECT_FALSE(IsProcessRunning("Client.exe", ::GetCurrentProcessId()));

  TerminateOtherProcesses("Client.exe");
  EXPECT_TRUE(first.EndsWithin(5000));
  EXPECT_TRUE(second.EndsWithin(5000));
  EXPECT_EQ(first.ExitCode(), 0u);
  EXPECT_TRUE(bystander.Running());
  EXPECT_FALSE(IsProcessRunning("Client.exe", 0));
  EXPECT_FALSE(IsProcessRunning("Client.exe", first.Id()));
  EXPECT_EQ(CountOtherProcesses("Client.exe"), 0);
  TerminateOtherProcesses("Client.exe");  // none left: nothing happens
  EXPECT_TRUE(bystander.Running());
}

TEST(ProcessControl, NeverItself) {
  std::string own = OwnFileName();
  EXPECT_TRUE(IsProcessRunning(own, ::GetCurrentProcessId()));
  EXPECT_EQ(CountOtherProcesses(own), 0);

  // Another process under this program's own name is counted and ended; this one is not.
  ScratchFolder dir("self");
  IdleProcess twin(dir.Path(), own);
  ASSERT_TRUE(twin.Running());
  EXPECT_EQ(CountOtherProcesses(own), 1);
  TerminateOtherProcesses(own);
  EXPECT_TRUE(twin.EndsWithin(5000));
  EXPECT_EQ(CountOtherProcesses(own), 0);
  EXPECT_TRUE(IsProcessRunning(own, ::GetCurrentProcessId()));
}

TEST(ProcessControl, NoNameFindsNothing) {
  EXPECT_FALSE(IsProcessRunning("", 0));
  EXPECT_EQ(CountOtherProcesses(""), 0);
  TerminateOtherProcesses("");
  EXPECT_FALSE(IsProcessRunning("NoSuchProgram.exe", 0));
}

}  // namespace

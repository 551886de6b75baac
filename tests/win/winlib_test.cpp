#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "winlib/Handles_win.h"
#include "winlib/MessageLoop_win.h"
#include "winlib/Module_win.h"
#include "winlib/OleOwners_win.h"
#include "winlib/Window_win.h"

namespace {

constexpr UINT kPing = WM_APP + 1;
constexpr UINT kSwallowed = WM_APP + 2;

class RecordingWindow : public winlib::Window {
 public:
  std::vector<UINT> seen;
  HWND hwndAtCreate = nullptr;
  bool finalCalled = false;

  bool CreatePopup() {
    RegisterWindowClass("winlib.test.window", 0, nullptr, nullptr, nullptr, nullptr);
    return Create("winlib.test.window", nullptr, 0, 0, 100, 100, "t", WS_POPUP, 0, nullptr) != nullptr;
  }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_CREATE) hwndAtCreate = Hwnd();
    if (msg == kPing || msg == kSwallowed) {
      seen.push_back(msg);
      return 0;
    }
    return DefaultHandling(msg, wParam, lParam);
  }
  void OnFinalMessage(HWND) override { finalCalled = true; }
};

class WinlibTest : public ::testing::Test {
 protected:
  void SetUp() override { winlib::AppModule::Init(::GetModuleHandleA(nullptr)); }
  void TearDown() override { winlib::AppModule::Term(); }
};

TEST_F(WinlibTest, OwnerTypesReleaseOnce) {
  HANDLE raw = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  DWORD flags = 0;
  {
    winlib::UniqueKernelHandle event(raw);
    winlib::UniqueKernelHandle moved(std::move(event));
    EXPECT_FALSE(event.Valid());
    EXPECT_EQ(moved.Get(), raw);
    EXPECT_TRUE(::GetHandleInformation(raw, &flags));
  }
  EXPECT_FALSE(::GetHandleInformation(raw, &flags));

  winlib::UniqueKernelHandle released(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  HANDLE kept = released.Release();
  EXPECT_FALSE(released.Valid());
  EXPECT_TRUE(::GetHandleInformation(kept, &flags));
  ::CloseHandle(kept);

  winlib::UniqueFileHandle file;
  EXPECT_FALSE(file.Valid());  // INVALID_HANDLE_VALUE is "none" for files
}

// The BSTR's own length must cover the whole text: a shorter buffer written past its end
// corrupted the heap of the launcher that navigated its page to a long address.
TEST(OwnerTypes, BstrFromAnsiHoldsTheWholeText) {
  ASSERT_EQ(::GetACP(), 936u) << "the tests run with the Chinese system code page";
  struct Case {
    const char* text;
    std::wstring expected;
  };
  const Case cases[] = {
      {"", L""},
      {"about:blank", L"about:blank"},
      {"http://127.0.0.1:18601/client/index/gid/42?pos=77&rnd=12345&code=ABCDEF0123456789",
       L"http://127.0.0.1:18601/client/index/gid/42?pos=77&rnd=12345&code=ABCDEF0123456789"},
      {"\xD6\xD0\xCE\xC4/a b", L"\u4E2D\u6587/a b"},
  };
  for (const Case& c : cases) {
    winlib::UniqueBstr text = winlib::BstrFromAnsi(c.text);
    ASSERT_NE(text.Get(), nullptr) << c.text;
    EXPECT_EQ(::SysStringLen(text.Get()), c.expected.size()) << c.text;
    EXPECT_EQ(std::wstring(text.Get(), ::SysStringLen(text.Get())), c.expected) << c.text;
  }
  EXPECT_EQ(winlib::BstrFromAnsi(nullptr).Get(), nullptr);
}

TEST_F(WinlibTest, WindowAttachedFromCreationToFinalMessage) {
  RecordingWindow window;
  ASSERT_TRUE(window.CreatePopup());
  HWND hwnd = window.Hwnd();
  EXPECT_EQ(window.hwndAtCreate, hwnd);
  ::SendMessageA(hwnd, kPing, 0, 0);
  EXPECT_EQ(window.seen, std::vector<UINT>{kPing});
  ::DestroyWindow(hwnd);
  EXPECT_EQ(window.Hwnd(), nullptr);
  EXPECT_TRUE(window.finalCalled);
}

TEST_F(WinlibTest, SuperclassReachesTheSystemProcedure) {
  ASSERT_NE(winlib::Window::RegisterSuperclass("STATIC", "winlib.test.static"), 0);
  RecordingWindow window;
  ASSERT_NE(window.Create("winlib.test.static", nullptr, 0, 0, 50, 20, "label", WS_POPUP, 0, nullptr), nullptr);
  char text[16] = {};
  ::GetWindowTextA(window.Hwnd(), text, sizeof text);
  EXPECT_STREQ(text, "label");
  ::SendMessageA(window.Hwnd(), kPing, 0, 0);
  EXPECT_EQ(window.seen.size(), 1u);
}

struct OrderFilter : winlib::MessageFilter {
  std::vector<int>* order;
  int id;
  bool swallow;
  bool PreTranslateMessage(MSG* msg) override {
    if (msg->message != kPing && msg->message != kSwallowed) return false;
    order->push_back(id);
    return swallow && msg->message == kSwallowed;
  }
};

struct CountingIdle : winlib::IdleHandler {
  int calls = 0;
  HWND target = nullptr;
  bool OnIdle() override {
    ++calls;
    if (calls == 1) ::PostMessageA(target, kPing, 0, 0);
    if (calls == 2) ::PostMessageA(target, kSwallowed, 0, 0);
    if (calls == 3) ::PostQuitMessage(42);
    return false;
  }
};

TEST_F(WinlibTest, LoopRunsFiltersLastFirstAndIdleHandlers) {
  RecordingWindow window;
  ASSERT_TRUE(window.CreatePopup());
  winlib::MessageLoop loop;
  ASSERT_TRUE(winlib::AppModule::AddMessageLoop(&loop));
  EXPECT_EQ(winlib::AppModule::GetMessageLoop(), &loop);

  std::vector<int> order;
  OrderFilter first{};
  first.order = &order;
  first.id = 1;
  first.swallow = false;
  OrderFilter second{};
  second.order = &order;
  second.id = 2;
  second.swallow = true;
  CountingIdle idle;
  idle.target = window.Hwnd();
  EXPECT_TRUE(loop.AddMessageFilter(&first));
  EXPECT_TRUE(loop.AddMessageFilter(&second));
  EXPECT_FALSE(loop.AddMessageFilter(&second));
  EXPECT_TRUE(loop.AddIdleHandler(&idle));

  EXPECT_EQ(loop.Run(), 42);
  // Ping went through both filters (last registered first) and was dispatched;
  // the swallowed message stopped at the second filter and never reached the window.
  EXPECT_EQ(order, (std::vector<int>{2, 1, 2}));
  EXPECT_EQ(window.seen, std::vector<UINT>{kPing});
  EXPECT_EQ(idle.calls, 3);

  EXPECT_TRUE(loop.RemoveMessageFilter(&first));
  EXPECT_FALSE(loop.RemoveMessageFilter(&first));
  EXPECT_TRUE(winlib::AppModule::RemoveMessageLoop());
  EXPECT_EQ(winlib::AppModule::GetMessageLoop(), nullptr);
}

TEST(MessageLoopRules, IdleMessages) {
  MSG msg{};
  for (UINT m : {static_cast<UINT>(WM_MOUSEMOVE), static_cast<UINT>(WM_NCMOUSEMOVE), static_cast<UINT>(WM_PAINT), 0x0118u}) {
    msg.message = m;
    EXPECT_FALSE(winlib::MessageLoop::IsIdleMessage(msg)) << m;
  }
  msg.message = WM_KEYDOWN;
  EXPECT_TRUE(winlib::MessageLoop::IsIdleMessage(msg));
}

TEST(ModuleState, TermDestroysWindowsStillAlive) {
  winlib::AppModule::Init(::GetModuleHandleA(nullptr));
  RecordingWindow window;
  ASSERT_TRUE(window.CreatePopup());
  HWND hwnd = window.Hwnd();
  winlib::AppModule::Term();
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_TRUE(window.finalCalled);
}

}  // namespace

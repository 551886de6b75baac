// Shows the launcher's two looks for a screenshot: "login" (the skin with its buttons) or
// "update" (full screen, splash picture, both bars at given percentages). Runs until closed
// or for the given number of seconds.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "launcher/ui/Layouts_win.h"
#include "winlib/MessageLoop_win.h"
#include "winlib/Module_win.h"

namespace {

constexpr RECT kLabelBox = {648, 172, 720, 192};

class ShowcaseWindow : public winlib::Window {
 public:
  SkinLayout layout;
  LayoutChildren children;
  winlib::BitmapButton buttons[kSkinButtonCount];
  SkinProgressBar fileBar, totalBar;

  bool CreateShowcase() {
    RegisterWindowClass("skin.showcase", CS_DBLCLKS, nullptr, nullptr, ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)),
                        nullptr);
    if (!Create("skin.showcase", nullptr, 0, 0, 100, 100, "Zorvath", WS_POPUP | WS_CLIPCHILDREN, 0, nullptr))
      return false;
    page_ = ::CreateWindowExA(0, "STATIC", "login page", WS_CHILD | SS_CENTER | SS_CENTERIMAGE, 0, 0, 0, 0, Hwnd(),
                              nullptr, nullptr, nullptr);
    children.pageHost = page_;
    for (int i = 0; i < kSkinButtonCount; ++i) {
      CreateSkinButton(buttons[i], Hwnd(), kSkinButtons[i]);
      children.buttons[i] = buttons[i].Hwnd();
    }
    fileBar.CreateBar(Hwnd(), 147);
    totalBar.CreateBar(Hwnd(), 150);
    children.fileBar = &fileBar;
    children.totalBar = &totalBar;
    layout.CreateDrawingContext();
    layout.LoadSplash(Hwnd());
    return true;
  }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    switch (msg) {
      case WM_PAINT: {
        winlib::PaintScope paint(Hwnd());
        layout.Paint(paint.Dc());
        if (layout.Mode() == SkinLayout::kLogin) {
          RECT box = kLabelBox;
          ::SetBkMode(paint.Dc(), TRANSPARENT);
          ::SetTextColor(paint.Dc(), RGB(0, 255, 0));
          ::DrawTextW(paint.Dc(), L"版本号:2.6", -1, &box, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        }
        return 0;
      }
      case WM_CTLCOLORSTATIC:
        ::SetTextColor(reinterpret_cast<HDC>(wParam), RGB(150, 110, 60));
        ::SetBkColor(reinterpret_cast<HDC>(wParam), RGB(12, 8, 9));
        return reinterpret_cast<LRESULT>(brush_.Get());
      case WM_LBUTTONDOWN:
        if (layout.AllowsWindowMove()) {
          ::ReleaseCapture();
          ::SendMessageA(Hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
        }
        return 0;
      case WM_TIMER:
      case WM_CLOSE:
        ::DestroyWindow(Hwnd());
        return 0;
      case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
      default:
        return DefaultHandling(msg, wParam, lParam);
    }
  }

 private:
  HWND page_ = nullptr;
  winlib::UniqueBrush brush_{::CreateSolidBrush(RGB(12, 8, 9))};
};

}  // namespace

int main(int argc, char** argv) {
  winlib::AppModule::Init(::GetModuleHandleA(nullptr));
  ::CoInitialize(nullptr);
  bool update = argc > 1 && std::strcmp(argv[1], "update") == 0;
  int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
  int filePercent = argc > 3 ? std::atoi(argv[3]) : 37;
  int totalPercent = argc > 4 ? std::atoi(argv[4]) : 64;
  {
    ShowcaseWindow window;
    if (!window.CreateShowcase()) return 1;
    window.layout.SetLayoutMode(window.Hwnd(), SkinLayout::kLogin, window.children);
    if (update) {
      window.layout.SetLayoutMode(window.Hwnd(), SkinLayout::kUpdate, window.children);
      window.fileBar.SetPosition(filePercent);
      window.totalBar.SetPosition(totalPercent);
    }
    ::ShowWindow(window.Hwnd(), SW_SHOW);
    ::SetTimer(window.Hwnd(), 1, seconds * 1000, nullptr);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  ::CoUninitialize();
  winlib::AppModule::Term();
  return 0;
}

#include "winlib/Window_win.h"

#include <map>
#include <string>

#include "winlib/Module_win.h"

namespace winlib {

namespace {

const char kObjectProperty[] = "winlib.Window";

// Base procedures of the superclasses, by class name (user-interface threads only).
std::map<std::string, WNDPROC>& SuperclassProcs() {
  static std::map<std::string, WNDPROC> procs;
  return procs;
}

WNDPROC BaseProcOf(HWND hwnd) {
  char name[256] = {};
  ::GetClassNameA(hwnd, name, sizeof name);
  auto it = SuperclassProcs().find(name);
  return it == SuperclassProcs().end() ? nullptr : it->second;
}

}  // namespace

Window::~Window() {
  if (hwnd_ != nullptr && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
}

ATOM Window::RegisterWindowClass(const char* className, UINT style, HICON icon, HICON smallIcon, HCURSOR cursor,
                                 HBRUSH background) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExA(AppModule::Instance(), className, &existing)) return 1;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = &Window::WindowProc;
  wc.hInstance = AppModule::Instance();
  wc.hIcon = icon;
  wc.hIconSm = smallIcon;
  wc.hCursor = cursor;
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  return ::RegisterClassExA(&wc);
}

ATOM Window::RegisterSuperclass(const char* baseClass, const char* className) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExA(AppModule::Instance(), className, &existing)) return 1;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (!::GetClassInfoExA(nullptr, baseClass, &wc)) return 0;
  SuperclassProcs()[className] = wc.lpfnWndProc;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &Window::WindowProc;
  wc.hInstance = AppModule::Instance();
  wc.lpszClassName = className;
  return ::RegisterClassExA(&wc);
}

HWND Window::Create(const char* className, HWND parent, int x, int y, int width, int height, const char* text,
                    DWORD style, DWORD exStyle, HMENU menuOrId) {
  if (hwnd_ != nullptr) return nullptr;
  {
    auto it = SuperclassProcs().find(className);
    baseProc_ = it == SuperclassProcs().end() ? nullptr : it->second;
  }
  return ::CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent, menuOrId,
                           AppModule::Instance(), this);
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) { return DefaultHandling(msg, wParam, lParam); }

LRESULT Window::DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (baseProc_ != nullptr) return ::CallWindowProcA(baseProc_, hwnd_, msg, wParam, lParam);
  return ::DefWindowProcA(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* self = static_cast<Window*>(::GetPropA(hwnd, kObjectProperty));
  if (self == nullptr && msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
    self = static_cast<Window*>(cs->lpCreateParams);
    if (self != nullptr) {
      self->hwnd_ = hwnd;
      ::SetPropA(hwnd, kObjectProperty, self);
      AppModule::TrackWindow(hwnd);
    }
  }
  if (self == nullptr) {
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) or windows made without an object.
    WNDPROC base = BaseProcOf(hwnd);
    return base != nullptr ? ::CallWindowProcA(base, hwnd, msg, wParam, lParam)
                           : ::DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  LRESULT result = self->HandleMessage(msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    ::RemovePropA(hwnd, kObjectProperty);
    AppModule::UntrackWindow(hwnd);
    self->hwnd_ = nullptr;
    self->OnFinalMessage(hwnd);
  }
  return result;
}

}  // namespace winlib

#pragma once

#include <windows.h>

namespace winlib {

// Base of every window object: `this` travels in the creation parameters, is attached at
// WM_NCCREATE and detached at WM_NCDESTROY. Each window has one HandleMessage.
class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Hwnd() const { return hwnd_; }

  // Registers (once per name) a class whose procedure is the library's.
  static ATOM RegisterWindowClass(const char* className, UINT style, HICON icon, HICON smallIcon, HCURSOR cursor,
                                  HBRUSH background);
  // Registers a class that copies `baseClass` (a system control) with the library's
  // procedure in front; unhandled messages reach the base class's procedure.
  static ATOM RegisterSuperclass(const char* baseClass, const char* className);

  HWND Create(const char* className, HWND parent, int x, int y, int width, int height, const char* text, DWORD style,
              DWORD exStyle, HMENU menuOrId);
  HWND Create(const char* className, HWND parent, const RECT& rect, const char* text, DWORD style, DWORD exStyle,
              HMENU menuOrId) {
    return Create(className, parent, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, text, style,
                  exStyle, menuOrId);
  }

 protected:
  // Return the result; call DefaultHandling for what the window does not handle itself.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam);
  // Called after WM_NCDESTROY, when the object is no longer attached.
  virtual void OnFinalMessage(HWND /*hwnd*/) {}

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  WNDPROC baseProc_ = nullptr;
};

}  // namespace winlib

#pragma once

#include <windows.h>

namespace winlib {

class MessageLoop;

// Process-wide state of the window library: the instance handle, the message loop of
// each user-interface thread, and the windows still alive (destroyed by Term).
class AppModule {
 public:
  static bool Init(HINSTANCE instance);
  static void Term();
  static HINSTANCE Instance();

  // The calling thread's loop; windows look it up to register as filter or idle handler.
  static bool AddMessageLoop(MessageLoop* loop);
  static bool RemoveMessageLoop();
  static MessageLoop* GetMessageLoop();

  static void TrackWindow(HWND hwnd);
  static void UntrackWindow(HWND hwnd);
};

}  // namespace winlib

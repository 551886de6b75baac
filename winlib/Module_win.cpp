#include "winlib/Module_win.h"

#include <algorithm>
#include <map>
#include <vector>

#include "winlib/Handles_win.h"

namespace winlib {

namespace {

struct ModuleState {
  HINSTANCE instance = nullptr;
  CriticalSection lock;
  std::map<DWORD, MessageLoop*> loops;
  std::vector<HWND> windows;
};

ModuleState* state = nullptr;

}  // namespace

bool AppModule::Init(HINSTANCE instance) {
  if (state == nullptr) state = new ModuleState;
  state->instance = instance != nullptr ? instance : ::GetModuleHandleA(nullptr);
  return true;
}

void AppModule::Term() {
  if (state == nullptr) return;
  std::vector<HWND> remaining;
  {
    Lock lock(state->lock);
    remaining = state->windows;
  }
  for (HWND hwnd : remaining) {
    if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
  }
  delete state;
  state = nullptr;
}

HINSTANCE AppModule::Instance() {
  if (state != nullptr && state->instance != nullptr) return state->instance;
  return ::GetModuleHandleA(nullptr);
}

bool AppModule::AddMessageLoop(MessageLoop* loop) {
  if (state == nullptr || loop == nullptr) return false;
  Lock lock(state->lock);
  return state->loops.emplace(::GetCurrentThreadId(), loop).second;
}

bool AppModule::RemoveMessageLoop() {
  if (state == nullptr) return false;
  Lock lock(state->lock);
  return state->loops.erase(::GetCurrentThreadId()) > 0;
}

MessageLoop* AppModule::GetMessageLoop() {
  if (state == nullptr) return nullptr;
  Lock lock(state->lock);
  auto it = state->loops.find(::GetCurrentThreadId());
  return it == state->loops.end() ? nullptr : it->second;
}

void AppModule::TrackWindow(HWND hwnd) {
  if (state == nullptr || hwnd == nullptr) return;
  Lock lock(state->lock);
  state->windows.push_back(hwnd);
}

void AppModule::UntrackWindow(HWND hwnd) {
  if (state == nullptr) return;
  Lock lock(state->lock);
  state->windows.erase(std::remove(state->windows.begin(), state->windows.end(), hwnd), state->windows.end());
}

}  // namespace winlib

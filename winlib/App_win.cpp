#include "winlib/App_win.h"

#include <ole2.h>

#include "winlib/HtmlDialog_win.h"
#include "winlib/MessageLoop_win.h"
#include "winlib/Module_win.h"

namespace winlib {

namespace {
App* current = nullptr;
}  // namespace

App::App() {
  if (current == nullptr) current = this;
}

App::~App() {
  if (current == this) current = nullptr;
}

App* App::Current() { return current; }

HWND App::CurrentMainWindow() { return current != nullptr ? current->MainWindow() : nullptr; }

HWND App::MainWindow() const { return mainDialog_ != nullptr ? mainDialog_->Hwnd() : nullptr; }

bool App::EnableControlContainer() {
  if (oleInitialized_) return true;
  // In-place activation, focus and clipboard of hosted controls need OLE, not just COM.
  oleInitialized_ = SUCCEEDED(::OleInitialize(nullptr));
  return oleInitialized_;
}

bool App::InitInstance() { return true; }

int App::ExitInstance() { return exitCode_; }

int App::Run(HINSTANCE instance) {
  AppModule::Init(instance);
  if (InitInstance()) {
    MessageLoop loop;
    AppModule::AddMessageLoop(&loop);
    exitCode_ = loop.Run();
    AppModule::RemoveMessageLoop();
  }
  int code = ExitInstance();
  mainDialog_ = nullptr;
  AppModule::Term();
  if (oleInitialized_) {
    ::OleUninitialize();
    oleInitialized_ = false;
  }
  return code;
}

}  // namespace winlib

#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "winlib/BrowserSite_win.h"
#include "winlib/ComPtr_win.h"

namespace winlib {

class HtmlDialog;
class ElementEventHandler;

// One row of a dialog's element-event map: the page element's id, the event property it
// is bound to ("onclick", "onmousedown") and the handler, which receives the element.
struct ElementEvent {
  const wchar_t* elementId;
  const wchar_t* eventName;
  HRESULT (*handler)(HtmlDialog& dialog, IDispatch* element);
};

// Adapts a member handler of a derived dialog to the map's plain function pointer.
template <class Dialog, HRESULT (Dialog::*Handler)(IDispatch*)>
HRESULT CallElementHandler(HtmlDialog& dialog, IDispatch* element) {
  return (static_cast<Dialog&>(dialog).*Handler)(element);
}

// A dialog from a template whose whole client area is the system browser control, showing
// an HTML resource of the module ("res://<module path>/<id>"). When the page is complete,
// the elements named in the map get the dialog's handlers as their event handlers.
class HtmlDialog : private BrowserEventListener {
 public:
  HtmlDialog(UINT templateId, UINT htmlResourceId, HWND parent);
  virtual ~HtmlDialog();
  HtmlDialog(const HtmlDialog&) = delete;
  HtmlDialog& operator=(const HtmlDialog&) = delete;

  // Creates the dialog and runs it until EndDialog; returns EndDialog's code, or -1 when the
  // dialog could not be created. The owner is disabled meanwhile.
  INT_PTR DoModal();
  // Creates the dialog without running it; DoModal's first step.
  HWND Create();
  HWND Hwnd() const { return hwnd_; }
  void EndDialog(INT_PTR result);
  bool Ended() const { return ended_; }

  // "res://<module path>/<id>": the address under which the browser finds a resource.
  static std::wstring ResourceAddress(HMODULE module, UINT resourceId);

  // Binds the map's elements found in `document` (an object answering getElementById);
  // returns how many were bound. Elements missing from the page are skipped.
  int BindElementEvents(IDispatch* document);

  BrowserSite* Site() const { return site_.Get(); }

 protected:
  // Creates the browser control over the client area and navigates it to the page.
  virtual BOOL OnInitDialog();
  // Takes the dialog's data (nothing to take here), then ends it with IDOK.
  virtual void OnOK();
  virtual void OnCancel();
  // There are no dialog controls to exchange data with; derived dialogs may validate here.
  virtual bool UpdateData(bool saveAndValidate);
  // The element-event map, ended by a row of nulls; none by default.
  virtual const ElementEvent* ElementEvents() const;
  // Messages the dialog handles itself; return FALSE for the default processing.
  virtual INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // Keys for the page go to the browser control before the dialog's own navigation.
  virtual bool PreTranslateMessage(MSG* msg);

  // Document-host flags given to the browser control (DOCHOSTUIFLAG_*).
  DWORD hostFlags_;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void OnBrowserEvent(DISPID id, DISPPARAMS* params) override;
  void OnDocumentComplete(IDispatch* frame);
  void Teardown();

  UINT templateId_;
  UINT htmlResourceId_;
  HWND parent_;
  HWND hwnd_ = nullptr;
  bool ended_ = false;
  INT_PTR result_ = -1;
  ComPtr<BrowserSite> site_;
  std::vector<ComPtr<ElementEventHandler>> bound_;
};

}  // namespace winlib

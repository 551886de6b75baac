#pragma once

#include <windows.h>

#include "winlib/HtmlDialog_win.h"

// The quotation tool's only window: a borderless dialog showing the quotation page. The
// page's title row stands in for a caption; its two buttons minimise and close.
class CRigsheetDlg : public winlib::HtmlDialog {
 public:
  explicit CRigsheetDlg(HWND parent = nullptr);
  ~CRigsheetDlg() override;

  HICON Icon() const { return icon_; }

  // Element handlers: each receives the page element and answers S_OK.
  HRESULT OnButtonMove(IDispatch* element);
  HRESULT OnButtonMix(IDispatch* element);
  HRESULT OnButtonClose(IDispatch* element);

 protected:
  BOOL OnInitDialog() override;
  // Enter, Esc and the system's close command must not end the program: only the page's
  // close button does.
  void OnOK() override;
  void OnCancel() override;
  const winlib::ElementEvent* ElementEvents() const override;

 private:
  HICON icon_;  // shared resource icon: the system frees it with the module
};

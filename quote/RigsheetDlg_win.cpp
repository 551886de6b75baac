#include "quote/RigsheetDlg_win.h"

#include "quote/QuoteResources.h"
#include "winlib/App_win.h"
#include "winlib/Module_win.h"

namespace {
const wchar_t kWindowText[] = L"Qelmora电脑装机报价";
}  // namespace

CRigsheetDlg::CRigsheetDlg(HWND parent)
    : HtmlDialog(IDD_RIGSHEET, IDR_HTML_PAGE, parent),
      icon_(::LoadIconW(winlib::AppModule::Instance(), MAKEINTRESOURCEW(IDI_RIGSHEET))) {}

CRigsheetDlg::~CRigsheetDlg() = default;

const winlib::ElementEvent* CRigsheetDlg::ElementEvents() const {
  static const winlib::ElementEvent events[] = {
      {L"ButtonMove", L"onmousedown", &winlib::CallElementHandler<CRigsheetDlg, &CRigsheetDlg::OnButtonMove>},
      {L"ButtonMix", L"onclick", &winlib::CallElementHandler<CRigsheetDlg, &CRigsheetDlg::OnButtonMix>},
      {L"ButtonClose", L"onclick", &winlib::CallElementHandler<CRigsheetDlg, &CRigsheetDlg::OnButtonClose>},
      {nullptr, nullptr, nullptr},
  };
  return events;
}

BOOL CRigsheetDlg::OnInitDialog() {
  HtmlDialog::OnInitDialog();
  ::SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  ::SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  ::SetWindowTextW(Hwnd(), kWindowText);
  return TRUE;
}

void CRigsheetDlg::OnOK() {}

void CRigsheetDlg::OnCancel() {}

HRESULT CRigsheetDlg::OnButtonMove(IDispatch* /*element*/) {
  // As if the caption were pressed: the system runs its move loop with the mouse.
  ::PostMessageW(Hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
  return S_OK;
}

HRESULT CRigsheetDlg::OnButtonMix(IDispatch* /*element*/) {
  HWND main = winlib::App::CurrentMainWindow();
  ::ShowWindow(main != nullptr ? main : Hwnd(), SW_MINIMIZE);
  return S_OK;
}

HRESULT CRigsheetDlg::OnButtonClose(IDispatch* /*element*/) {
  // The base dialog's OK, not the empty override: this is the one way out.
  HtmlDialog::OnOK();
  return S_OK;
}

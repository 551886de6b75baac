#include "winlib/HtmlDialog_win.h"

#include "winlib/DispatchSink_win.h"

#include <exdisp.h>
#include <exdispid.h>

#include <utility>

#include "winlib/Module_win.h"
#include "winlib/OleOwners_win.h"

namespace winlib {

// What a page element calls when its event fires: the element's event property holds this
// object, and the engine calls its default member. The back-pointer and the element are
// dropped by Detach, which also breaks the element's reference cycle through this object.
class ElementEventHandler final : public DispatchSink {
 public:
  ElementEventHandler(HtmlDialog* dialog, ComPtr<IDispatch> element,
                      HRESULT (*handler)(HtmlDialog& dialog, IDispatch* element))
      : dialog_(dialog), element_(std::move(element)), handler_(handler) {}

  void Detach() {
    dialog_ = nullptr;
    element_.Reset();
  }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                   UINT*) override {
    if (id != DISPID_VALUE) return DISP_E_MEMBERNOTFOUND;
    if (result != nullptr) ::VariantInit(result);
    if (dialog_ == nullptr || handler_ == nullptr) return S_OK;
    // The handler may end the dialog; keep the element alive through the call.
    ComPtr<IDispatch> element(element_.AddRefGet());
    return handler_(*dialog_, element.Get());
  }

 private:
  ~ElementEventHandler() = default;

  HtmlDialog* dialog_;  // not owned
  ComPtr<IDispatch> element_;
  HRESULT (*handler_)(HtmlDialog& dialog, IDispatch* element);
};

namespace {

HRESULT DispatchId(IDispatch* object, const wchar_t* name, DISPID* id) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  return object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, id);
}

ComPtr<IDispatch> ElementById(IDispatch* document, const wchar_t* elementId) {
  DISPID method = DISPID_UNKNOWN;
  if (FAILED(DispatchId(document, L"getElementById", &method))) return {};
  UniqueBstr text(elementId);
  if (text.Get() == nullptr) return {};
  VARIANT argument;
  ::VariantInit(&argument);
  argument.vt = VT_BSTR;
  argument.bstrVal = text.Get();
  DISPPARAMS params{&argument, nullptr, 1, 0};
  UniqueVariant found;
  if (FAILED(document->Invoke(method, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, found.Get(), nullptr,
                              nullptr))) {
    return {};
  }
  if (found.Get()->vt != VT_DISPATCH || found.Get()->pdispVal == nullptr) return {};
  found.Get()->pdispVal->AddRef();
  return ComPtr<IDispatch>(found.Get()->pdispVal);
}

HRESULT PutDispatchProperty(IDispatch* object, const wchar_t* name, IDispatch* value) {
  DISPID property = DISPID_UNKNOWN;
  HRESULT hr = DispatchId(object, name, &property);
  if (FAILED(hr)) return hr;
  VARIANT argument;
  ::VariantInit(&argument);
  argument.vt = VT_DISPATCH;
  argument.pdispVal = value;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&argument, &named, 1, 1};
  return object->Invoke(property, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                        nullptr);
}

bool SameObject(IUnknown* a, IUnknown* b) {
  if (a == nullptr || b == nullptr) return false;
  ComPtr<IUnknown> identityA;
  ComPtr<IUnknown> identityB;
  if (FAILED(a->QueryInterface(IID_IUnknown, identityA.PutVoid()))) return false;
  if (FAILED(b->QueryInterface(IID_IUnknown, identityB.PutVoid()))) return false;
  return identityA.Get() == identityB.Get();
}

}  // namespace

HtmlDialog::HtmlDialog(UINT templateId, UINT htmlResourceId, HWND parent)
    : hostFlags_(DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO),
      templateId_(templateId),
      htmlResourceId_(htmlResourceId),
      parent_(parent) {}

HtmlDialog::~HtmlDialog() {
  if (hwnd_ != nullptr && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
  Teardown();
}

HWND HtmlDialog::Create() {
  if (hwnd_ != nullptr) return nullptr;
  ended_ = false;
  result_ = -1;
  return ::CreateDialogParamW(AppModule::Instance(), MAKEINTRESOURCEW(templateId_), parent_, &HtmlDialog::DialogProc,
                              reinterpret_cast<LPARAM>(this));
}

INT_PTR HtmlDialog::DoModal() {
  if (Create() == nullptr) return -1;
  HWND owner = parent_;
  bool ownerDisabled = owner != nullptr && ::IsWindowEnabled(owner);
  if (ownerDisabled) ::EnableWindow(owner, FALSE);
  MSG msg{};
  while (!ended_) {
    BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      // Leave the quit request for the loop outside this dialog.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (PreTranslateMessage(&msg)) continue;
    // Keys typed into the page belong to the page (Enter in a form field, for one); the
    // dialog's own keyboard handling applies only while the dialog itself has the focus.
    bool forPage = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && ::IsChild(hwnd_, msg.hwnd);
    if (!forPage && hwnd_ != nullptr && ::IsDialogMessageW(hwnd_, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  // The owner comes back before this window goes, so activation returns to it.
  if (ownerDisabled) ::EnableWindow(owner, TRUE);
  if (hwnd_ != nullptr && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
  return ended_ ? result_ : -1;
}

void HtmlDialog::EndDialog(INT_PTR result) {
  ended_ = true;
  result_ = result;
  if (hwnd_ == nullptr) return;
  ::ShowWindow(hwnd_, SW_HIDE);
  // Wakes the modal loop when this was called outside a message it dispatched.
  ::PostMessageW(hwnd_, WM_NULL, 0, 0);
}

std::wstring HtmlDialog::ResourceAddress(HMODULE module, UINT resourceId) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = ::GetModuleFileNameW(module, &path[0], static_cast<DWORD>(path.size()));
    if (length == 0) return std::wstring();
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return L"res://" + path + L"/" + std::to_wstring(resourceId);
}

int HtmlDialog::BindElementEvents(IDispatch* document) {
  for (auto& handler : bound_) handler->Detach();
  bound_.clear();
  if (document == nullptr) return 0;
  int count = 0;
  for (const ElementEvent* entry = ElementEvents(); entry != nullptr && entry->elementId != nullptr; ++entry) {
    ComPtr<IDispatch> element = ElementById(document, entry->elementId);
    if (!element) continue;
    ComPtr<ElementEventHandler> handler(
        new ElementEventHandler(this, ComPtr<IDispatch>(element.AddRefGet()), entry->handler));
    if (FAILED(PutDispatchProperty(element.Get(), entry->eventName, handler.Get()))) {
      handler->Detach();
      continue;
    }
    bound_.push_back(std::move(handler));
    ++count;
  }
  return count;
}

BOOL HtmlDialog::OnInitDialog() {
  site_ = BrowserSite::Create(hwnd_);
  site_->SetHostInfo(hostFlags_, DOCHOSTUIDBLCLK_DEFAULT);
  site_->SetEventListener(this);
  // Without a browser control the dialog stays empty; there is nothing else to show.
  site_->CreateBrowser(ResourceAddress(AppModule::Instance(), htmlResourceId_).c_str());
  return TRUE;
}

bool HtmlDialog::UpdateData(bool /*saveAndValidate*/) { return true; }

void HtmlDialog::OnOK() {
  if (!UpdateData(true)) return;
  EndDialog(IDOK);
}

void HtmlDialog::OnCancel() { EndDialog(IDCANCEL); }

const ElementEvent* HtmlDialog::ElementEvents() const { return nullptr; }

INT_PTR HtmlDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM /*lParam*/) {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        OnOK();
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        OnCancel();
        return TRUE;
      }
      return FALSE;
    case WM_SIZE:
      if (site_) site_->FitToWindow();
      return FALSE;
    case WM_DESTROY:
      Teardown();
      if (!ended_) {
        // Destroyed from outside: the modal loop must not wait for an EndDialog.
        ended_ = true;
        result_ = -1;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

bool HtmlDialog::PreTranslateMessage(MSG* msg) {
  if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return false;
  if (!site_ || hwnd_ == nullptr || !::IsChild(hwnd_, msg->hwnd)) return false;
  return site_->ForwardKeyboardMessage(msg);
}

void HtmlDialog::OnBrowserEvent(DISPID id, DISPPARAMS* params) {
  // DocumentComplete(frame, url): arguments arrive last first.
  if (id != DISPID_DOCUMENTCOMPLETE || params == nullptr || params->cArgs < 2) return;
  const VARIANT& frame = params->rgvarg[1];
  if (frame.vt != VT_DISPATCH) return;
  OnDocumentComplete(frame.pdispVal);
}

void HtmlDialog::OnDocumentComplete(IDispatch* frame) {
  if (!site_) return;
  // Frames inside the page (the advertisement, for one) complete too; only the top counts.
  ComPtr<IUnknown> control = site_->Control();
  if (!SameObject(frame, control.Get())) return;
  ComPtr<IWebBrowser2> browser = site_->Browser();
  ComPtr<IDispatch> document;
  if (!browser || FAILED(browser->get_Document(document.Put())) || !document) return;
  BindElementEvents(document.Get());
}

void HtmlDialog::Teardown() {
  for (auto& handler : bound_) handler->Detach();
  bound_.clear();
  if (site_) {
    site_->Close();
    site_.Reset();
  }
}

INT_PTR CALLBACK HtmlDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    auto* self = reinterpret_cast<HtmlDialog*>(lParam);
    ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    self->hwnd_ = hwnd;
    return self->OnInitDialog();
  }
  auto* self = reinterpret_cast<HtmlDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  INT_PTR result = self->HandleMessage(msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

}  // namespace winlib

#include "winlib/BrowserSite_win.h"

#include "winlib/DispatchSink_win.h"

#include <ocidl.h>

#include <utility>

#include "winlib/OleOwners_win.h"

namespace winlib {

// Subscriber to the control's default event interface. The back-pointer is cleared when the
// site unsubscribes, so a late event from the control reaches nobody.
class EventSink final : public DispatchSink {
 public:
  EventSink(BrowserSite* site, const IID& events) : DispatchSink(events), site_(site) {}

  void Detach() { site_ = nullptr; }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    if (site_ != nullptr && site_->EventListener() != nullptr) site_->EventListener()->OnBrowserEvent(id, params);
    return S_OK;
  }

 private:
  ~EventSink() = default;

  BrowserSite* site_;  // not owned
};

namespace {

// Copies a BSTR into task memory, the allocator the document-host interface expects.
LPWSTR TaskCopy(BSTR text) {
  if (text == nullptr) return nullptr;
  size_t bytes = (::SysStringLen(text) + 1) * sizeof(wchar_t);
  auto* copy = static_cast<LPWSTR>(::CoTaskMemAlloc(bytes));
  if (copy != nullptr) ::CopyMemory(copy, text, bytes);
  return copy;
}

VARIANT_BOOL AsVariantBool(BOOL value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

}  // namespace

ComPtr<BrowserSite> BrowserSite::Create(HWND window) { return ComPtr<BrowserSite>(new BrowserSite(window)); }

BrowserSite::BrowserSite(HWND window) : window_(window) {}

BrowserSite::~BrowserSite() = default;

HRESULT BrowserSite::CreateControl(const CLSID& clsid) {
  if (object_) return E_UNEXPECTED;
  ComPtr<IOleObject> object;
  HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, object.PutVoid());
  if (FAILED(hr)) return hr;
  object_ = std::move(object);
  hr = object_->SetClientSite(this);
  if (SUCCEEDED(hr)) hr = ::OleSetContainedObject(object_.Get(), TRUE);
  RECT area{};
  ::GetClientRect(window_, &area);
  if (SUCCEEDED(hr)) hr = object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, window_, &area);
  if (SUCCEEDED(hr)) hr = object_.As(IID_IOleInPlaceObject, inPlace_);
  if (FAILED(hr)) {
    Close();
    return hr;
  }
  inPlace_->SetObjectRects(&area, &area);
  Advise();
  return S_OK;
}

HRESULT BrowserSite::CreateBrowser(const wchar_t* address) {
  HRESULT hr = CreateControl(CLSID_WebBrowser);
  if (FAILED(hr)) return hr;
  return Navigate(address);
}

HRESULT BrowserSite::Navigate(const wchar_t* address) {
  ComPtr<IWebBrowser2> browser = Browser();
  if (!browser) return E_NOINTERFACE;
  UniqueBstr url(address != nullptr ? address : L"");
  if (url.Get() == nullptr) return E_OUTOFMEMORY;
  UniqueVariant none;
  return browser->Navigate(url.Get(), none.Get(), none.Get(), none.Get(), none.Get());
}

void BrowserSite::FitToWindow() {
  if (!inPlace_) return;
  RECT area{};
  ::GetClientRect(window_, &area);
  inPlace_->SetObjectRects(&area, &area);
}

void BrowserSite::Close() {
  // Holds the site alive while the control lets go of its reference to it.
  AddRef();
  ComPtr<BrowserSite> self(this);
  Unadvise();
  if (inPlace_) inPlace_->InPlaceDeactivate();
  inPlace_.Reset();
  active_.Reset();
  if (object_) {
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
    object_.Reset();
  }
  nativeHandler_.Reset();
  uiHandler_.Reset();
  external_.Reset();
  listener_ = nullptr;
}

ComPtr<IUnknown> BrowserSite::Control() const {
  ComPtr<IUnknown> control;
  if (object_) object_.As(IID_IUnknown, control);
  return control;
}

ComPtr<IWebBrowser2> BrowserSite::Browser() const {
  ComPtr<IWebBrowser2> browser;
  if (object_) object_.As(IID_IWebBrowser2, browser);
  return browser;
}

bool BrowserSite::ForwardKeyboardMessage(MSG* msg) {
  if (msg == nullptr) return false;
  ComPtr<IOleInPlaceActiveObject> active;
  if (active_) {
    active.Reset(active_.AddRefGet());
  } else if (!object_ || FAILED(object_.As(IID_IOleInPlaceActiveObject, active))) {
    return false;
  }
  return active->TranslateAccelerator(msg) == S_OK;
}

void BrowserSite::SetHostInfo(DWORD flags, DWORD doubleClick) {
  hostFlags_ = flags;
  hostDoubleClick_ = doubleClick;
}

void BrowserSite::SetDocHostUIHandler(IDocHostUIHandler* handler) {
  if (handler != nullptr) handler->AddRef();
  nativeHandler_.Reset(handler);
}

void BrowserSite::Advise() {
  ComPtr<IProvideClassInfo2> classInfo;
  IID events{};
  if (FAILED(object_.As(IID_IProvideClassInfo2, classInfo)) ||
      FAILED(classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events))) {
    return;
  }
  ComPtr<IConnectionPointContainer> container;
  ComPtr<IConnectionPoint> point;
  if (FAILED(object_.As(IID_IConnectionPointContainer, container)) ||
      FAILED(container->FindConnectionPoint(events, point.Put()))) {
    return;
  }
  ComPtr<EventSink> sink(new EventSink(this, events));
  DWORD cookie = 0;
  if (FAILED(point->Advise(static_cast<IDispatch*>(sink.Get()), &cookie))) {
    sink->Detach();
    return;
  }
  eventPoint_ = std::move(point);
  eventSink_ = std::move(sink);
  eventCookie_ = cookie;
}

void BrowserSite::Unadvise() {
  if (eventSink_) eventSink_->Detach();
  if (eventPoint_) eventPoint_->Unadvise(eventCookie_);
  eventPoint_.Reset();
  eventSink_.Reset();
  eventCookie_ = 0;
}

// IUnknown

HRESULT BrowserSite::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
    *object = static_cast<IOleClientSite*>(this);
  } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
    *object = static_cast<IOleInPlaceSite*>(this);
  } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
    *object = static_cast<IOleInPlaceFrame*>(this);
  } else if (iid == IID_IDocHostUIHandler) {
    *object = static_cast<IDocHostUIHandler*>(this);
  } else if (iid == IID_IBrowserHostWindow) {
    *object = static_cast<IBrowserHostWindow*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG BrowserSite::AddRef() { return ::InterlockedIncrement(&refs_); }

ULONG BrowserSite::Release() {
  LONG left = ::InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return left;
}

// IOleClientSite

HRESULT BrowserSite::SaveObject() { return S_OK; }

HRESULT BrowserSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker != nullptr) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT BrowserSite::GetContainer(IOleContainer** container) {
  if (container != nullptr) *container = nullptr;
  return E_NOINTERFACE;
}

HRESULT BrowserSite::ShowObject() { return S_OK; }
HRESULT BrowserSite::OnShowWindow(BOOL) { return S_OK; }
HRESULT BrowserSite::RequestNewObjectLayout() { return E_NOTIMPL; }

// IOleWindow

HRESULT BrowserSite::GetWindow(HWND* window) {
  if (window == nullptr) return E_POINTER;
  *window = window_;
  return S_OK;
}

HRESULT BrowserSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

// IOleInPlaceSite

HRESULT BrowserSite::CanInPlaceActivate() { return S_OK; }

HRESULT BrowserSite::OnInPlaceActivate() {
  inPlaceActive_ = true;
  return S_OK;
}

HRESULT BrowserSite::OnUIActivate() { return S_OK; }

HRESULT BrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                      LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo) {
  if (frame == nullptr || document == nullptr || position == nullptr || clip == nullptr || frameInfo == nullptr) {
    return E_POINTER;
  }
  *frame = static_cast<IOleInPlaceFrame*>(this);
  AddRef();
  *document = nullptr;
  ::GetClientRect(window_, position);
  *clip = *position;
  frameInfo->fMDIApp = FALSE;
  HWND root = ::GetAncestor(window_, GA_ROOT);
  frameInfo->hwndFrame = root != nullptr ? root : window_;
  frameInfo->haccel = nullptr;
  frameInfo->cAccelEntries = 0;
  return S_OK;
}

HRESULT BrowserSite::Scroll(SIZE) { return S_FALSE; }
HRESULT BrowserSite::OnUIDeactivate(BOOL) { return S_OK; }

HRESULT BrowserSite::OnInPlaceDeactivate() {
  inPlaceActive_ = false;
  return S_OK;
}

HRESULT BrowserSite::DiscardUndoState() { return S_OK; }

HRESULT BrowserSite::DeactivateAndUndo() {
  if (inPlace_) inPlace_->UIDeactivate();
  return S_OK;
}

HRESULT BrowserSite::OnPosRectChange(LPCRECT position) {
  if (inPlace_ && position != nullptr) inPlace_->SetObjectRects(position, position);
  return S_OK;
}

// IOleInPlaceUIWindow and IOleInPlaceFrame: the host has no menus, toolbars or status bar.

HRESULT BrowserSite::GetBorder(LPRECT border) {
  if (border == nullptr) return E_POINTER;
  ::GetClientRect(window_, border);
  return S_OK;
}

HRESULT BrowserSite::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }
HRESULT BrowserSite::SetBorderSpace(LPCBORDERWIDTHS) { return S_OK; }

HRESULT BrowserSite::SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) {
  if (active != nullptr) active->AddRef();
  active_.Reset(active);
  return S_OK;
}

HRESULT BrowserSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return S_OK; }
HRESULT BrowserSite::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
HRESULT BrowserSite::RemoveMenus(HMENU) { return S_OK; }
HRESULT BrowserSite::SetStatusText(LPCOLESTR) { return S_OK; }

// Shared by the frame and the document-host handler (same signature in both).
HRESULT BrowserSite::EnableModeless(BOOL enable) {
  if (nativeHandler_) return nativeHandler_->EnableModeless(enable);
  if (uiHandler_) uiHandler_->EnableModeless(AsVariantBool(enable));
  return S_OK;
}

HRESULT BrowserSite::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

// IDocHostUIHandler: a native handler replaces these answers; an external dispatch-based
// handler gets the host's answer preset and may change it.

HRESULT BrowserSite::ShowContextMenu(DWORD id, POINT* point, IUnknown* commandTarget, IDispatch* object) {
  if (nativeHandler_) return nativeHandler_->ShowContextMenu(id, point, commandTarget, object);
  HRESULT result = S_FALSE;  // the browser's own menu
  if (uiHandler_) {
    DWORD x = point != nullptr ? static_cast<DWORD>(point->x) : 0;
    DWORD y = point != nullptr ? static_cast<DWORD>(point->y) : 0;
    if (FAILED(uiHandler_->ShowContextMenu(id, x, y, commandTarget, object, &result))) result = S_FALSE;
  }
  return result;
}

HRESULT BrowserSite::GetHostInfo(DOCHOSTUIINFO* info) {
  if (nativeHandler_) return nativeHandler_->GetHostInfo(info);
  if (info == nullptr) return E_POINTER;
  DWORD flags = hostFlags_;
  DWORD doubleClick = hostDoubleClick_;
  if (uiHandler_) uiHandler_->GetHostInfo(&flags, &doubleClick);
  info->dwFlags = flags;
  info->dwDoubleClick = doubleClick;
  return S_OK;
}

HRESULT BrowserSite::ShowUI(DWORD id, IOleInPlaceActiveObject* active, IOleCommandTarget* commandTarget,
                            IOleInPlaceFrame* frame, IOleInPlaceUIWindow* document) {
  if (nativeHandler_) return nativeHandler_->ShowUI(id, active, commandTarget, frame, document);
  HRESULT result = S_OK;  // the host shows its own (empty) interface: no browser menus or toolbars
  if (uiHandler_) {
    if (FAILED(uiHandler_->ShowUI(id, active, commandTarget, frame, document, &result))) result = S_OK;
  }
  return result;
}

HRESULT BrowserSite::HideUI() {
  if (nativeHandler_) return nativeHandler_->HideUI();
  if (uiHandler_) return uiHandler_->HideUI();
  return S_OK;
}

HRESULT BrowserSite::UpdateUI() {
  if (nativeHandler_) return nativeHandler_->UpdateUI();
  if (uiHandler_) return uiHandler_->UpdateUI();
  return S_OK;
}

HRESULT BrowserSite::OnDocWindowActivate(BOOL activate) {
  if (nativeHandler_) return nativeHandler_->OnDocWindowActivate(activate);
  if (uiHandler_) return uiHandler_->OnDocWindowActivate(AsVariantBool(activate));
  return S_OK;
}

HRESULT BrowserSite::OnFrameWindowActivate(BOOL activate) {
  if (nativeHandler_) return nativeHandler_->OnFrameWindowActivate(activate);
  if (uiHandler_) return uiHandler_->OnFrameWindowActivate(AsVariantBool(activate));
  return S_OK;
}

HRESULT BrowserSite::ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frameWindow) {
  if (nativeHandler_) return nativeHandler_->ResizeBorder(border, window, frameWindow);
  if (!uiHandler_) return S_OK;
  RECT r = border != nullptr ? *border : RECT{};
  return uiHandler_->ResizeBorder(r.left, r.top, r.right, r.bottom, window, AsVariantBool(frameWindow));
}

HRESULT BrowserSite::TranslateAccelerator(LPMSG msg, const GUID* commandGroup, DWORD commandId) {
  if (nativeHandler_) return nativeHandler_->TranslateAccelerator(msg, commandGroup, commandId);
  HRESULT result = S_FALSE;  // not handled: the key goes to the browser
  if (!uiHandler_ || msg == nullptr) return result;
  UniqueBstr group;
  if (commandGroup != nullptr) {
    wchar_t text[40] = {};
    if (::StringFromGUID2(*commandGroup, text, 40) > 0) group = UniqueBstr(text);
  }
  if (FAILED(uiHandler_->TranslateAccelerator(reinterpret_cast<DWORD_PTR>(msg->hwnd), msg->message,
                                              static_cast<DWORD_PTR>(msg->wParam), static_cast<DWORD_PTR>(msg->lParam),
                                              group.Get(), commandId, &result))) {
    result = S_FALSE;
  }
  return result;
}

HRESULT BrowserSite::GetOptionKeyPath(LPOLESTR* key, DWORD reserved) {
  if (nativeHandler_) return nativeHandler_->GetOptionKeyPath(key, reserved);
  if (key == nullptr) return E_POINTER;
  *key = nullptr;
  if (!uiHandler_) return S_FALSE;
  UniqueBstr path;
  HRESULT hr = uiHandler_->GetOptionKeyPath(path.Put(), reserved);
  if (hr == S_OK && path.Get() != nullptr) *key = TaskCopy(path.Get());
  return *key != nullptr ? S_OK : (FAILED(hr) ? hr : S_FALSE);
}

HRESULT BrowserSite::GetDropTarget(IDropTarget* dropTarget, IDropTarget** replacement) {
  if (nativeHandler_) return nativeHandler_->GetDropTarget(dropTarget, replacement);
  if (replacement == nullptr) return E_POINTER;
  *replacement = nullptr;
  if (!uiHandler_) return E_NOTIMPL;
  ComPtr<IUnknown> other;
  HRESULT hr = uiHandler_->GetDropTarget(dropTarget, other.Put());
  if (hr == S_OK && other) return other->QueryInterface(IID_IDropTarget, reinterpret_cast<void**>(replacement));
  return FAILED(hr) ? hr : S_FALSE;
}

HRESULT BrowserSite::GetExternal(IDispatch** external) {
  if (nativeHandler_) return nativeHandler_->GetExternal(external);
  if (external == nullptr) return E_POINTER;
  *external = nullptr;
  if (uiHandler_) return uiHandler_->GetExternal(external);
  if (!external_) return S_FALSE;
  *external = external_.AddRefGet();
  return S_OK;
}

HRESULT BrowserSite::TranslateUrl(DWORD translate, LPWSTR urlIn, LPWSTR* urlOut) {
  if (nativeHandler_) return nativeHandler_->TranslateUrl(translate, urlIn, urlOut);
  if (urlOut == nullptr) return E_POINTER;
  *urlOut = nullptr;
  if (!uiHandler_) return S_FALSE;
  UniqueBstr in(urlIn);
  UniqueBstr out;
  HRESULT hr = uiHandler_->TranslateUrl(translate, in.Get(), out.Put());
  if (hr == S_OK && out.Get() != nullptr) *urlOut = TaskCopy(out.Get());
  return *urlOut != nullptr ? S_OK : (FAILED(hr) ? hr : S_FALSE);
}

HRESULT BrowserSite::FilterDataObject(IDataObject* dataObject, IDataObject** replacement) {
  if (nativeHandler_) return nativeHandler_->FilterDataObject(dataObject, replacement);
  if (replacement == nullptr) return E_POINTER;
  *replacement = nullptr;
  if (!uiHandler_) return S_FALSE;
  ComPtr<IUnknown> other;
  HRESULT hr = uiHandler_->FilterDataObject(dataObject, other.Put());
  if (hr == S_OK && other) return other->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(replacement));
  return FAILED(hr) ? hr : S_FALSE;
}

// IBrowserHostWindow

HRESULT BrowserSite::SetExternalUIHandler(IBrowserUIHandler* handler) {
  if (handler != nullptr) handler->AddRef();
  uiHandler_.Reset(handler);
  return S_OK;
}

HRESULT BrowserSite::SetExternalDispatch(IDispatch* external) {
  if (external != nullptr) external->AddRef();
  external_.Reset(external);
  return S_OK;
}

HRESULT BrowserSite::QueryControl(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (!object_) return E_NOINTERFACE;
  return object_->QueryInterface(iid, object);
}

// Our own identifiers: nothing outside this program implements these interfaces.
// {7482EA33-94D9-470D-ADAB-4908143E6B74}
const IID IID_IBrowserUIHandler = {0x7482ea33, 0x94d9, 0x470d, {0xad, 0xab, 0x49, 0x08, 0x14, 0x3e, 0x6b, 0x74}};
// {9909FD8C-709C-4B3B-ABF4-545356140814}
const IID IID_IBrowserHostWindow = {0x9909fd8c, 0x709c, 0x4b3b, {0xab, 0xf4, 0x54, 0x53, 0x56, 0x14, 0x08, 0x14}};

}  // namespace winlib

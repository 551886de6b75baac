#pragma once

#include <windows.h>
#include <exdisp.h>
#include <mshtmhst.h>
#include <oleidl.h>

#include "winlib/BrowserHostInterfaces_win.h"
#include "winlib/ComPtr_win.h"

namespace winlib {

// Receives the control's default events. Without a listener the host answers every event
// with S_OK and does nothing.
class BrowserEventListener {
 public:
  virtual void OnBrowserEvent(DISPID id, DISPPARAMS* params) = 0;

 protected:
  ~BrowserEventListener() = default;
};

class EventSink;

// Container that keeps one browser control (or any in-place control) inside a window:
// client site, in-place site and frame, document-host user-interface handler, and the
// host-window interface owners use to shape the page. A COM object: its reference count
// frees it; the window that owns it calls Close before letting go, which breaks the
// control's reference back to the site.
class BrowserSite final : public IOleClientSite,
                          public IOleInPlaceSite,
                          public IOleInPlaceFrame,
                          public IDocHostUIHandler,
                          public IBrowserHostWindow {
 public:
  // The new site with one reference, owned by the caller.
  static ComPtr<BrowserSite> Create(HWND window);

  // Creates the control, puts it in place over the whole window and subscribes to its
  // default events. One control per site.
  HRESULT CreateControl(const CLSID& clsid);
  // Creates a browser control and navigates it to `address`.
  HRESULT CreateBrowser(const wchar_t* address);
  HRESULT Navigate(const wchar_t* address);
  // Fits the control to the window's client area.
  void FitToWindow();
  // Unadvise, in-place deactivation, close, and the control's last reference. Idempotent.
  void Close();

  bool HasControl() const { return static_cast<bool>(object_); }
  // The control's identity, or null.
  ComPtr<IUnknown> Control() const;
  ComPtr<IWebBrowser2> Browser() const;

  // Offers a keyboard message to the control's in-place object; true when consumed.
  bool ForwardKeyboardMessage(MSG* msg);

  // Flags (DOCHOSTUIFLAG_*) and double-click mode the host reports before any handler.
  void SetHostInfo(DWORD flags, DWORD doubleClick);
  // A native handler that replaces the site's own answers entirely (null to drop it).
  void SetDocHostUIHandler(IDocHostUIHandler* handler);
  void SetEventListener(BrowserEventListener* listener) { listener_ = listener; }
  BrowserEventListener* EventListener() const { return listener_; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override;
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
  HRESULT STDMETHODCALLTYPE ShowObject() override;
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL show) override;
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;

  // IOleWindow (shared by the in-place site and the frame)
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;

  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnUIActivate() override;
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                             LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo) override;
  HRESULT STDMETHODCALLTYPE Scroll(SIZE extent) override;
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL undoable) override;
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override;
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override;
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT position) override;

  // IOleInPlaceUIWindow
  HRESULT STDMETHODCALLTYPE GetBorder(LPRECT border) override;
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS widths) override;
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS widths) override;
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR name) override;

  // IOleInPlaceFrame
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU menu, LPOLEMENUGROUPWIDTHS widths) override;
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU shared, HOLEMENU descriptor, HWND activeObject) override;
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU shared) override;
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR text) override;
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg, WORD id) override;

  // IDocHostUIHandler
  HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD id, POINT* point, IUnknown* commandTarget,
                                            IDispatch* object) override;
  HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) override;
  HRESULT STDMETHODCALLTYPE ShowUI(DWORD id, IOleInPlaceActiveObject* active, IOleCommandTarget* commandTarget,
                                   IOleInPlaceFrame* frame, IOleInPlaceUIWindow* document) override;
  HRESULT STDMETHODCALLTYPE HideUI() override;
  HRESULT STDMETHODCALLTYPE UpdateUI() override;
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frameWindow) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg, const GUID* commandGroup, DWORD commandId) override;
  HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* key, DWORD reserved) override;
  HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget* dropTarget, IDropTarget** replacement) override;
  HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** external) override;
  HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD translate, LPWSTR urlIn, LPWSTR* urlOut) override;
  HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject* dataObject, IDataObject** replacement) override;

  // IBrowserHostWindow
  HRESULT STDMETHODCALLTYPE SetExternalUIHandler(IBrowserUIHandler* handler) override;
  HRESULT STDMETHODCALLTYPE SetExternalDispatch(IDispatch* external) override;
  HRESULT STDMETHODCALLTYPE QueryControl(REFIID iid, void** object) override;

 private:
  explicit BrowserSite(HWND window);
  ~BrowserSite();
  BrowserSite(const BrowserSite&) = delete;
  BrowserSite& operator=(const BrowserSite&) = delete;

  void Advise();
  void Unadvise();

  LONG refs_ = 1;
  HWND window_;
  ComPtr<IOleObject> object_;
  ComPtr<IOleInPlaceObject> inPlace_;
  ComPtr<IOleInPlaceActiveObject> active_;
  ComPtr<IConnectionPoint> eventPoint_;
  ComPtr<EventSink> eventSink_;
  DWORD eventCookie_ = 0;
  ComPtr<IDocHostUIHandler> nativeHandler_;
  ComPtr<IBrowserUIHandler> uiHandler_;
  ComPtr<IDispatch> external_;
  BrowserEventListener* listener_ = nullptr;  // not owned
  DWORD hostFlags_ = 0;
  DWORD hostDoubleClick_ = DOCHOSTUIDBLCLK_DEFAULT;
  bool inPlaceActive_ = false;
};

}  // namespace winlib

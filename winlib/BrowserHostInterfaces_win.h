#pragma once

#include <windows.h>
#include <oaidl.h>

// Interfaces the browser-control host offers its owner. They are ours (own identifiers), so
// owners never need the system's document-host headers to shape the page's frame.
namespace winlib {

extern const IID IID_IBrowserUIHandler;
extern const IID IID_IBrowserHostWindow;

// The owner's user-interface handler, reached through plain vtable calls; the dispatch base
// lets scripting-minded owners hand it around. Methods with a `result` out-parameter find
// it preset by the host to what the host would answer on its own, and may change it.
struct IBrowserUIHandler : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD id, DWORD x, DWORD y, IUnknown* commandTarget,
                                                    IDispatch* object, HRESULT* result) = 0;
  // `flags` arrives with the host's own flags; the handler adds or removes bits.
  virtual HRESULT STDMETHODCALLTYPE GetHostInfo(DWORD* flags, DWORD* doubleClick) = 0;
  virtual HRESULT STDMETHODCALLTYPE ShowUI(DWORD id, IUnknown* activeObject, IUnknown* commandTarget, IUnknown* frame,
                                           IUnknown* document, HRESULT* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE HideUI() = 0;
  virtual HRESULT STDMETHODCALLTYPE UpdateUI() = 0;
  virtual HRESULT STDMETHODCALLTYPE EnableModeless(VARIANT_BOOL enable) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnDocWindowActivate(VARIANT_BOOL activate) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(VARIANT_BOOL activate) = 0;
  virtual HRESULT STDMETHODCALLTYPE ResizeBorder(long left, long top, long right, long bottom, IUnknown* window,
                                                 VARIANT_BOOL frameWindow) = 0;
  virtual HRESULT STDMETHODCALLTYPE TranslateAccelerator(DWORD_PTR hwnd, DWORD message, DWORD_PTR wParam,
                                                         DWORD_PTR lParam, BSTR commandGroup, DWORD commandId,
                                                         HRESULT* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetOptionKeyPath(BSTR* key, DWORD reserved) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDropTarget(IUnknown* dropTarget, IUnknown** replacement) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** external) = 0;
  virtual HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD translate, BSTR urlIn, BSTR* urlOut) = 0;
  virtual HRESULT STDMETHODCALLTYPE FilterDataObject(IUnknown* dataObject, IUnknown** replacement) = 0;
};

// What a host window answers to AxGetHostMessage (after QueryInterface with its identifier).
struct IBrowserHostWindow : public IUnknown {
  // Null restores the host's own frame. The host keeps one reference.
  virtual HRESULT STDMETHODCALLTYPE SetExternalUIHandler(IBrowserUIHandler* handler) = 0;
  // The page's external object when no user-interface handler supplies one.
  virtual HRESULT STDMETHODCALLTYPE SetExternalDispatch(IDispatch* external) = 0;
  virtual HRESULT STDMETHODCALLTYPE QueryControl(REFIID iid, void** object) = 0;
};

}  // namespace winlib

#include "platform/media/graph/DeviceMoniker.h"

#include <cwchar>
#include <string>

#include "platform/media/com/ComPtr.h"
#include "platform/media/com/Runtime.h"
#include "platform/media/dshow/Filters.h"
#include "platform/media/graph/CaptureFilter.h"

namespace media {
namespace {

class PropertyBag final : public RefCounted, public IPropertyBag {
 public:
  PropertyBag(std::wstring name, bool readable) : name_(std::move(name)), readable_(readable) {}

  HRESULT QueryInterface(REFIID riid, void** object) override {
    if (riid == IID_IPropertyBag) return Expose<IPropertyBag>(this, object);
    return RefCounted::QueryInterface(riid, object);
  }

  HRESULT Read(const wchar_t* name, VARIANT* value, IErrorLog*) override {
    if (!name || !value) return E_POINTER;
    if (std::wcscmp(name, L"FriendlyName") != 0 || !readable_) return E_FAIL;
    if (value->vt != VT_EMPTY && value->vt != VT_BSTR) return E_INVALIDARG;
    BSTR text = SysAllocString(name_.c_str());
    if (!text) return E_OUTOFMEMORY;
    value->vt = VT_BSTR;
    value->bstrVal = text;
    return S_OK;
  }

 private:
  std::wstring name_;
  bool readable_;
};

}  // namespace

HRESULT DeviceMoniker::QueryInterface(REFIID riid, void** object) {
  if (riid == IID_IMoniker) return Expose<IMoniker>(this, object);
  return RefCounted::QueryInterface(riid, object);
}

HRESULT DeviceMoniker::BindToStorage(IBindCtx*, IMoniker*, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  CComPtr<IPropertyBag> bag(new PropertyBag(WideFromUtf8(entry_.name), entry_.nameReadable));
  return bag->QueryInterface(riid, object);
}

HRESULT DeviceMoniker::BindToObject(IBindCtx*, IMoniker*, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  std::unique_ptr<CaptureDevice> device = entry_.open ? entry_.open() : nullptr;
  if (!device) return E_FAIL;
  CComPtr<IBaseFilter> filter;
  HRESULT hr = CoCreateInstance(CLSID_VideoCaptureFilter, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IBaseFilter, reinterpret_cast<void**>(&filter));
  if (FAILED(hr)) return hr;
  // A filter class that brings its own source (a test's) takes no device.
  CComPtr<ICaptureDeviceFilter> target;
  if (SUCCEEDED(filter->QueryInterface(IID_ICaptureDeviceFilter, reinterpret_cast<void**>(&target)))) {
    hr = target->AttachDevice(std::move(device));
    if (FAILED(hr)) return hr;
  }
  return filter->QueryInterface(riid, object);
}

}  // namespace media

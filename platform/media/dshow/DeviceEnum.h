#pragma once
// The system device enumerator: the devices of a category as monikers, each
// with a property bag ("FriendlyName") and a filter it binds to.

#include "platform/media/com/OleString.h"
#include "platform/media/com/Unknown.h"

struct IBindCtx;
struct IErrorLog;
struct IMoniker;

inline constexpr CLSID CLSID_SystemDeviceEnum = media::LayerGuid(0x0501);
inline constexpr CLSID CLSID_VideoInputDeviceCategory = media::LayerGuid(0x0502);
// The class a video device's moniker creates its capture filter from.
inline constexpr CLSID CLSID_VideoCaptureFilter = media::LayerGuid(0x0503);

inline constexpr IID IID_ICreateDevEnum = media::LayerGuid(0x0511);
inline constexpr IID IID_IEnumMoniker = media::LayerGuid(0x0512);
inline constexpr IID IID_IMoniker = media::LayerGuid(0x0513);
inline constexpr IID IID_IPropertyBag = media::LayerGuid(0x0514);

struct IEnumMoniker : virtual IUnknown {
  // Up to `count` monikers, AddRef'ed; S_OK when all were there, else S_FALSE.
  virtual HRESULT Next(unsigned long count, IMoniker** monikers, unsigned long* fetched) = 0;
  virtual HRESULT Reset() = 0;
};

struct ICreateDevEnum : virtual IUnknown {
  // S_OK with the devices of `category` taken afresh, or S_FALSE and no
  // enumerator when the category is empty.
  virtual HRESULT CreateClassEnumerator(REFCLSID category, IEnumMoniker** devices,
                                        unsigned long flags) = 0;
};

struct IMoniker : virtual IUnknown {
  // The device's IPropertyBag.
  virtual HRESULT BindToStorage(IBindCtx* context, IMoniker* left, REFIID riid, void** object) = 0;
  // Opens the device and gives its capture filter.
  virtual HRESULT BindToObject(IBindCtx* context, IMoniker* left, REFIID riid, void** object) = 0;
};

struct IPropertyBag : virtual IUnknown {
  // "FriendlyName" as a VT_BSTR the caller frees; `value` comes in as
  // VT_EMPTY or VT_BSTR.
  virtual HRESULT Read(const wchar_t* name, VARIANT* value, IErrorLog* log) = 0;
};

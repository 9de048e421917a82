// Device enumeration: every call walks the platform's list afresh, and a
// device is named only by its position in the walk.

#include <memory>

#include "capture/CameraGraph.h"
#include "platform/media/dshow.h"

namespace {

struct BstrFree {
  void operator()(wchar_t* text) const { SysFreeString(text); }
};
using UniqueBstr = std::unique_ptr<wchar_t, BstrFree>;

// The walk over the video input devices, from the first; null when the
// enumeration is unavailable (which includes an empty category).
CComPtr<IEnumMoniker> StartDeviceWalk() {
  CComPtr<ICreateDevEnum> enumerator;
  if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER,
                              IID_ICreateDevEnum, reinterpret_cast<void**>(&enumerator))) ||
      !enumerator)
    return nullptr;
  CComPtr<IEnumMoniker> devices;
  if (enumerator->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, &devices, 0) != S_OK)
    return nullptr;
  if (devices) devices->Reset();
  return devices;
}

// The device's "FriendlyName"; null when its property bag or the name cannot be read.
UniqueBstr ReadFriendlyName(IMoniker* device) {
  CComPtr<IPropertyBag> bag;
  if (FAILED(device->BindToStorage(nullptr, nullptr, IID_IPropertyBag,
                                   reinterpret_cast<void**>(&bag))) ||
      !bag)
    return nullptr;
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BSTR;
  if (bag->Read(L"FriendlyName", &value, nullptr) != S_OK) return nullptr;
  return UniqueBstr(value.bstrVal);
}

}  // namespace

int CCameraGraph::CountDevices() {
  CoInitialize(nullptr);
  CComPtr<IEnumMoniker> devices = StartDeviceWalk();
  if (!devices) return 0;
  int count = 0;
  CComPtr<IMoniker> device;
  while (devices->Next(1, &device, nullptr) == S_OK) ++count;
  return count;
}

int CCameraGraph::GetDeviceName(int index, char* name) {
  CoInitialize(nullptr);
  CComPtr<IEnumMoniker> devices = StartDeviceWalk();
  if (!devices) return 0;
  CComPtr<IMoniker> device;
  for (int i = 0; devices->Next(1, &device, nullptr) == S_OK; ++i) {
    if (i != index) continue;
    UniqueBstr friendly = ReadFriendlyName(device);
    // A name too long for the buffer is cut, but it stays a terminated string.
    if (friendly && name &&
        WideCharToMultiByte(CP_ACP, 0, friendly.get(), -1, name, kDeviceNameBytes, "", nullptr) == 0)
      name[kDeviceNameBytes - 1] = '\0';
    break;
  }
  return 1;
}

bool CCameraGraph::BindDevice(IBaseFilter** filter, int index) {
  CComPtr<IEnumMoniker> devices = StartDeviceWalk();
  if (!devices) return false;
  CComPtr<IMoniker> device;
  for (int i = 0; i <= index && devices->Next(1, &device, nullptr) == S_OK; ++i) {
    // Only a device whose name can be read is ever bound.
    if (ReadFriendlyName(device) && i == index && filter)
      device->BindToObject(nullptr, nullptr, IID_IBaseFilter, reinterpret_cast<void**>(filter));
  }
  return true;
}

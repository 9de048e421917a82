#include "platform/media/graph/SystemDeviceEnum.h"

#include <utility>
#include <vector>

#include "platform/media/graph/DeviceMoniker.h"
#include "platform/media/graph/SnapshotEnum.h"

namespace media {

HRESULT SystemDeviceEnum::QueryInterface(REFIID riid, void** object) {
  if (riid == IID_ICreateDevEnum) return Expose<ICreateDevEnum>(this, object);
  return RefCounted::QueryInterface(riid, object);
}

HRESULT SystemDeviceEnum::CreateClassEnumerator(REFCLSID category, IEnumMoniker** devices,
                                                unsigned long) {
  if (!devices) return E_POINTER;
  *devices = nullptr;
  if (category != CLSID_VideoInputDeviceCategory) return S_FALSE;
  std::vector<DeviceEntry> list = ListCaptureDevices();
  if (list.empty()) return S_FALSE;
  // The devices as they were when the enumerator was made, in list order.
  *devices = new SnapshotEnum<IEnumMoniker, IMoniker, DeviceEntry>(
      IID_IEnumMoniker, std::move(list), [](const DeviceEntry& device) {
        IMoniker* moniker = new DeviceMoniker(device);
        moniker->AddRef();
        return moniker;
      });
  (*devices)->AddRef();
  return S_OK;
}

}  // namespace media

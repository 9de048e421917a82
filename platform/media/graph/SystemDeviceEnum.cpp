#include "platform/media/graph/SystemDeviceEnum.h"

#include <utility>
#include <vector>

#include "platform/media/graph/DeviceMoniker.h"

namespace media {
namespace {

// The devices as they were when the enumerator was made, in list order.
class EnumMoniker final : public RefCounted, public IEnumMoniker {
 public:
  explicit EnumMoniker(std::vector<DeviceEntry> devices) : devices_(std::move(devices)) {}

  HRESULT QueryInterface(REFIID riid, void** object) override {
    if (riid == IID_IEnumMoniker) return Expose<IEnumMoniker>(this, object);
    return RefCounted::QueryInterface(riid, object);
  }

  HRESULT Next(unsigned long count, IMoniker** monikers, unsigned long* fetched) override {
    if (!monikers) return E_POINTER;
    unsigned long taken = 0;
    while (taken < count && next_ < devices_.size()) {
      monikers[taken] = new DeviceMoniker(devices_[next_++]);
      monikers[taken]->AddRef();
      ++taken;
    }
    if (fetched) *fetched = taken;
    return taken == count ? S_OK : S_FALSE;
  }

  HRESULT Reset() override {
    next_ = 0;
    return S_OK;
  }

 private:
  std::vector<DeviceEntry> devices_;
  size_t next_ = 0;
};

}  // namespace

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
  *devices = new EnumMoniker(std::move(list));
  (*devices)->AddRef();
  return S_OK;
}

}  // namespace media

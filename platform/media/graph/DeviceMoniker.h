#pragma once
// The moniker of one entry of the device list: its property bag carries the
// friendly name, and binding it opens the device into a capture filter.

#include "platform/media/CaptureDevice.h"
#include "platform/media/com/RefCounted.h"
#include "platform/media/dshow/DeviceEnum.h"

namespace media {

class DeviceMoniker final : public RefCounted, public IMoniker {
 public:
  explicit DeviceMoniker(DeviceEntry entry) : entry_(std::move(entry)) {}

  HRESULT QueryInterface(REFIID riid, void** object) override;

  HRESULT BindToStorage(IBindCtx* context, IMoniker* left, REFIID riid, void** object) override;
  // Opens the device and creates the filter of CLSID_VideoCaptureFilter for
  // it, so tests can put a filter class of their own in its place.
  HRESULT BindToObject(IBindCtx* context, IMoniker* left, REFIID riid, void** object) override;

 private:
  DeviceEntry entry_;
};

}  // namespace media

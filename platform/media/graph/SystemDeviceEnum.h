#pragma once
// The system device enumerator over the capture device list.

#include "platform/media/com/RefCounted.h"
#include "platform/media/dshow/DeviceEnum.h"

namespace media {

class SystemDeviceEnum final : public RefCounted, public ICreateDevEnum {
 public:
  HRESULT QueryInterface(REFIID riid, void** object) override;
  // Takes the device list afresh; only the video input category has devices.
  HRESULT CreateClassEnumerator(REFCLSID category, IEnumMoniker** devices,
                                unsigned long flags) override;
};

}  // namespace media

#pragma once
// The capture filter of one device: a single capture output pin with the
// device's stream configuration, and the device's video inputs as a
// crossbar when it has more than one.

#include <memory>
#include <vector>

#include "platform/media/CaptureDevice.h"
#include "platform/media/dshow/Capture.h"
#include "platform/media/graph/FilterBase.h"

namespace media {

inline constexpr IID IID_ICaptureDeviceFilter = LayerGuid(0x0601);

// How a device moniker hands the device it opened to the filter it created.
struct ICaptureDeviceFilter : virtual IUnknown {
  virtual HRESULT AttachDevice(std::unique_ptr<CaptureDevice> device) = 0;
};

class CaptureFilter;

// The capture output. Its stream configuration speaks to the device.
class CapturePin final : public OutputPin, public IAMStreamConfig {
 public:
  explicit CapturePin(CaptureFilter& filter);

  HRESULT QueryInterface(REFIID riid, void** object) override;

  HRESULT GetFormat(AM_MEDIA_TYPE** type) override;
  HRESULT SetFormat(AM_MEDIA_TYPE* type) override;

 private:
  CaptureFilter& owner_;
};

class CaptureFilter final : public FilterBase, public IAMCrossbar, public ICaptureDeviceFilter {
 public:
  CaptureFilter();
  ~CaptureFilter() override;

  HRESULT QueryInterface(REFIID riid, void** object) override;

  HRESULT AttachDevice(std::unique_ptr<CaptureDevice> device) override;

  // The crossbar: the device's inputs, and one output (the video decoder)
  // that any of them can feed.
  HRESULT get_PinCounts(long* outputs, long* inputs) override;
  HRESULT get_CrossbarPinInfo(bool isInput, long index, long* relatedIndex,
                              long* physicalType) override;
  HRESULT CanRoute(long output, long input) override;
  HRESULT Route(long output, long input) override;

  HRESULT GetOutputType(MediaType& type) override;

  // The device's current format.
  HRESULT ReadFormat(VideoFormat& format);
  // Asks the device for a format; `applied` is what it took.
  HRESULT WriteFormat(const VideoFormat& wanted, VideoFormat& applied);

 protected:
  HRESULT OnRun() override;
  void OnStop() override;

 private:
  std::unique_ptr<CaptureDevice> device_;
  std::vector<VideoInput> inputs_;
  CapturePin pin_{*this};
  bool streaming_ = false;
};

}  // namespace media

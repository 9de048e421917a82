#pragma once
// A capture filter class of the test's own, put in place of the device
// filter through the class registry. Its output offers a fixed type (which
// may be one the real filter never offers), its crossbar is scripted and its
// routes recorded, and the test hands it the samples to deliver.

#include <memory>
#include <utility>
#include <vector>

#include "platform/media/dshow.h"
#include "platform/media/graph/FilterBase.h"

namespace fake {

struct SourceScript {
  media::MediaType type;
  std::vector<long> inputTypes;   // crossbar inputs; none: no crossbar
  std::vector<long> outputTypes;  // crossbar outputs
  bool canRoute = true;
};

class FakeSource;

// What the test sees of the filters its class made.
struct SourceLog {
  FakeSource* last = nullptr;  // the newest filter, while it lives
  int setFormatCalls = 0;
  std::vector<std::pair<long, long>> routes;
};

class FakeSource final : public media::FilterBase, public IAMCrossbar {
 public:
  FakeSource(const SourceScript& script, std::shared_ptr<SourceLog> log)
      : script_(script), log_(std::move(log)), pin_(*this) {
    AddPin(pin_);
    log_->last = this;
  }
  ~FakeSource() override {
    if (log_->last == this) log_->last = nullptr;
  }

  HRESULT QueryInterface(REFIID riid, void** object) override {
    if (riid == IID_IAMCrossbar && !script_.inputTypes.empty()) return media::Expose<IAMCrossbar>(this, object);
    return FilterBase::QueryInterface(riid, object);
  }

  HRESULT GetOutputType(media::MediaType& type) override {
    type = script_.type;
    return S_OK;
  }

  void Push(const std::vector<uint8_t>& sample) { pin_.Deliver({sample.data(), sample.size()}); }

  HRESULT get_PinCounts(long* outputs, long* inputs) override {
    *outputs = long(script_.outputTypes.size());
    *inputs = long(script_.inputTypes.size());
    return S_OK;
  }
  HRESULT get_CrossbarPinInfo(bool isInput, long index, long* related, long* type) override {
    const std::vector<long>& pins = isInput ? script_.inputTypes : script_.outputTypes;
    if (index < 0 || size_t(index) >= pins.size()) return E_INVALIDARG;
    *related = 0;
    *type = pins[size_t(index)];
    return S_OK;
  }
  HRESULT CanRoute(long, long) override { return script_.canRoute ? S_OK : S_FALSE; }
  HRESULT Route(long output, long input) override {
    log_->routes.emplace_back(output, input);
    return S_OK;
  }

 private:
  class Pin final : public media::OutputPin, public IAMStreamConfig {
   public:
    explicit Pin(FakeSource& owner) : OutputPin(owner, L"Capture", PIN_CATEGORY_CAPTURE), owner_(owner) {}
    HRESULT QueryInterface(REFIID riid, void** object) override {
      if (riid == IID_IAMStreamConfig) return media::Expose<IAMStreamConfig>(this, object);
      return OutputPin::QueryInterface(riid, object);
    }
    HRESULT GetFormat(AM_MEDIA_TYPE** type) override {
      *type = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
      return CopyMediaType(*type, &owner_.script_.type.get());
    }
    HRESULT SetFormat(AM_MEDIA_TYPE*) override {
      ++owner_.log_->setFormatCalls;
      return S_OK;
    }

   private:
    FakeSource& owner_;
  };

  SourceScript script_;
  std::shared_ptr<SourceLog> log_;  // shared: a filter may outlive the test's scope
  Pin pin_;
};

// Puts FakeSource in place of the device filter class while it lives.
class ScopedFakeSource {
 public:
  explicit ScopedFakeSource(SourceScript script) : script_(std::move(script)) {
    previous_ = media::RegisterClassFactory(CLSID_VideoCaptureFilter, [this](REFIID riid, void** object) {
      CComPtr<IBaseFilter> filter(new FakeSource(script_, log));
      return filter->QueryInterface(riid, object);
    });
  }
  ~ScopedFakeSource() { media::RegisterClassFactory(CLSID_VideoCaptureFilter, std::move(previous_)); }
  ScopedFakeSource(const ScopedFakeSource&) = delete;
  ScopedFakeSource& operator=(const ScopedFakeSource&) = delete;

  std::shared_ptr<SourceLog> log = std::make_shared<SourceLog>();

 private:
  SourceScript script_;
  media::ClassFactory previous_;
};

// A video type of `subtype` and size in the given format block type.
inline media::MediaType VideoType(const GUID& subtype, const GUID& formatType, int width, int height,
                                  int bitCount) {
  media::MediaType type;
  AM_MEDIA_TYPE& mt = type.get();
  mt.majortype = MEDIATYPE_Video;
  mt.subtype = subtype;
  mt.formattype = formatType;
  mt.bFixedSizeSamples = true;
  BITMAPINFOHEADER* bmi = nullptr;
  if (formatType == FORMAT_VideoInfo2)
    bmi = &reinterpret_cast<VIDEOINFOHEADER2*>(type.AllocFormat(sizeof(VIDEOINFOHEADER2)))->bmiHeader;
  else
    bmi = &reinterpret_cast<VIDEOINFOHEADER*>(type.AllocFormat(sizeof(VIDEOINFOHEADER)))->bmiHeader;
  bmi->biSize = sizeof(BITMAPINFOHEADER);
  bmi->biWidth = width;
  bmi->biHeight = height;
  bmi->biBitCount = uint16_t(bitCount);
  bmi->biSizeImage = uint32_t(((width * bitCount / 8 + 3) & ~3) * (height < 0 ? -height : height));
  mt.lSampleSize = bmi->biSizeImage;
  return type;
}

}  // namespace fake

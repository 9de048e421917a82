#pragma once
// The layer's pins. An output pin hands each sample straight to the input
// pin it is connected to, on the thread that produced the sample.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/media/com/ComPtr.h"
#include "platform/media/dshow/Filters.h"
#include "platform/media/dshow/MediaType.h"

namespace media {

class FilterBase;

// One sample as it passes through the graph; valid during the call only.
struct MediaSample {
  const uint8_t* data = nullptr;
  size_t bytes = 0;
};

// A pin is a member of its filter and shares the filter's reference count.
class PinBase : public IPin {
 public:
  PinBase(FilterBase& filter, PIN_DIRECTION dir, std::wstring name, const GUID& category);
  PinBase(const PinBase&) = delete;
  PinBase& operator=(const PinBase&) = delete;
  virtual ~PinBase() = default;

  HRESULT QueryInterface(REFIID riid, void** object) override;
  unsigned long AddRef() override;
  unsigned long Release() override;

  HRESULT Disconnect() override;
  HRESULT ConnectedTo(IPin** pin) override;
  HRESULT ConnectionMediaType(AM_MEDIA_TYPE* type) override;
  HRESULT QueryPinInfo(PIN_INFO* info) override;
  HRESULT QueryDirection(PIN_DIRECTION* dir) override;

  // The pin category (PIN_CATEGORY_CAPTURE for a device's capture output);
  // GUID_NULL when the pin has none.
  const GUID& Category() const { return category_; }
  bool IsConnected() const { return peer_ != nullptr; }
  const MediaType& ConnectionType() const { return type_; }
  FilterBase& Filter() const { return filter_; }

 protected:
  void SetConnection(IPin* peer, const AM_MEDIA_TYPE& type);

  FilterBase& filter_;

 private:
  PIN_DIRECTION dir_;
  std::wstring name_;
  GUID category_;
  CComPtr<IPin> peer_;
  MediaType type_;
};

// Takes the types its filter's CheckInputType accepts and passes samples to
// the filter's Receive.
class InputPin : public PinBase {
 public:
  InputPin(FilterBase& filter, std::wstring name);

  HRESULT Connect(IPin* receive, const AM_MEDIA_TYPE* type) override;
  HRESULT ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
  HRESULT QueryAccept(const AM_MEDIA_TYPE* type) override;

  void Receive(const MediaSample& sample);
};

// Offers its filter's GetOutputType and connects only to the layer's input pins.
class OutputPin : public PinBase {
 public:
  OutputPin(FilterBase& filter, std::wstring name, const GUID& category = GUID_NULL);

  HRESULT Connect(IPin* receive, const AM_MEDIA_TYPE* type) override;
  HRESULT ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
  HRESULT Disconnect() override;
  HRESULT QueryAccept(const AM_MEDIA_TYPE* type) override;

  // The type the pin would connect in now.
  HRESULT GetMediaType(MediaType& type);
  // Passes a sample to the connected input pin; nothing when unconnected.
  void Deliver(const MediaSample& sample) const;

 private:
  InputPin* input_ = nullptr;  // the peer, for delivery; set only while stopped
};

}  // namespace media

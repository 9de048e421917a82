#include "platform/media/graph/CaptureFilter.h"

#include <utility>

namespace media {

CaptureFilter::CaptureFilter() { AddPin(pin_); }

CaptureFilter::~CaptureFilter() {
  // The streaming thread calls into this filter: it ends before anything goes.
  if (device_) device_->Stop();
}

HRESULT CaptureFilter::QueryInterface(REFIID riid, void** object) {
  if (riid == IID_IAMCrossbar) {
    // With a single input there is nothing to route.
    if (inputs_.size() < 2) {
      if (object) *object = nullptr;
      return E_NOINTERFACE;
    }
    return Expose<IAMCrossbar>(this, object);
  }
  if (riid == IID_ICaptureDeviceFilter) return Expose<ICaptureDeviceFilter>(this, object);
  return FilterBase::QueryInterface(riid, object);
}

HRESULT CaptureFilter::AttachDevice(std::unique_ptr<CaptureDevice> device) {
  if (!device) return E_POINTER;
  if (device_) return E_UNEXPECTED;
  device_ = std::move(device);
  inputs_ = device_->Inputs();
  return S_OK;
}

HRESULT CaptureFilter::get_PinCounts(long* outputs, long* inputs) {
  if (!outputs || !inputs) return E_POINTER;
  *outputs = 1;
  *inputs = long(inputs_.size());
  return S_OK;
}

HRESULT CaptureFilter::get_CrossbarPinInfo(bool isInput, long index, long* relatedIndex,
                                           long* physicalType) {
  if (!relatedIndex || !physicalType) return E_POINTER;
  *relatedIndex = 0;
  if (isInput && index >= 0 && size_t(index) < inputs_.size()) {
    *physicalType = inputs_[size_t(index)].physicalType;
    return S_OK;
  }
  if (!isInput && index == 0) {
    *physicalType = PhysConn_Video_VideoDecoder;
    return S_OK;
  }
  *physicalType = 0;
  return E_INVALIDARG;
}

HRESULT CaptureFilter::CanRoute(long output, long input) {
  return output == 0 && input >= 0 && size_t(input) < inputs_.size() ? S_OK : S_FALSE;
}

HRESULT CaptureFilter::Route(long output, long input) {
  if (CanRoute(output, input) != S_OK) return E_INVALIDARG;
  const int err = device_->SelectInput(int(input));
  return err ? HResultFromErrno(err) : S_OK;
}

HRESULT CaptureFilter::GetOutputType(MediaType& type) {
  VideoFormat format;
  const HRESULT hr = ReadFormat(format);
  if (FAILED(hr)) return hr;
  type = VideoTypeFromFormat(format);
  return S_OK;
}

HRESULT CaptureFilter::ReadFormat(VideoFormat& format) {
  if (!device_) return E_UNEXPECTED;
  const int err = device_->GetFormat(format);
  return err ? HResultFromErrno(err) : S_OK;
}

HRESULT CaptureFilter::WriteFormat(const VideoFormat& wanted, VideoFormat& applied) {
  if (!device_) return E_UNEXPECTED;
  const int err = device_->SetFormat(wanted, applied);
  return err ? HResultFromErrno(err) : S_OK;
}

HRESULT CaptureFilter::OnRun() {
  if (streaming_) return S_OK;
  if (!device_) return E_UNEXPECTED;
  const int err = device_->Start(
      [this](const FrameView& frame) { pin_.Deliver({frame.data, frame.bytes}); },
      [this](int lost) { NotifyEvent(EC_ERRORABORT, HResultFromErrno(lost)); });
  if (err) return HResultFromErrno(err);
  streaming_ = true;
  return S_OK;
}

void CaptureFilter::OnStop() {
  if (!streaming_) return;
  device_->Stop();
  streaming_ = false;
}

}  // namespace media

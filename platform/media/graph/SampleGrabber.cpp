#include "platform/media/graph/SampleGrabber.h"

#include <cstring>

#include "platform/media/PixelConvert.h"

namespace media {

SampleGrabber::SampleGrabber() {
  AddPin(input_);
  AddPin(output_);
}

HRESULT SampleGrabber::QueryInterface(REFIID riid, void** object) {
  if (riid == IID_ISampleGrabber) return Expose<ISampleGrabber>(this, object);
  return FilterBase::QueryInterface(riid, object);
}

HRESULT SampleGrabber::SetOneShot(bool oneShot) {
  std::lock_guard lock(mutex_);
  oneShot_ = oneShot;
  return S_OK;
}

HRESULT SampleGrabber::SetMediaType(const AM_MEDIA_TYPE* type) {
  if (input_.IsConnected()) return VFW_E_ALREADY_CONNECTED;
  acceptedMajor_ = type ? type->majortype : GUID_NULL;
  acceptedSub_ = type ? type->subtype : GUID_NULL;
  acceptedFormat_ = type ? type->formattype : GUID_NULL;
  return S_OK;
}

HRESULT SampleGrabber::GetConnectedMediaType(AM_MEDIA_TYPE* type) {
  return input_.ConnectionMediaType(type);
}

HRESULT SampleGrabber::SetBufferSamples(bool buffer) {
  std::lock_guard lock(mutex_);
  buffering_ = buffer;
  return S_OK;
}

HRESULT SampleGrabber::GetCurrentBuffer(long* bytes, void* buffer) {
  if (!bytes) return E_POINTER;
  std::lock_guard lock(mutex_);
  const long held = holding_ ? long(sample_.size()) : 0;
  if (!buffer) {
    *bytes = held;
    return S_OK;
  }
  if (!holding_) return VFW_E_WRONG_STATE;
  if (*bytes < held) return E_OUTOFMEMORY;
  std::memcpy(buffer, sample_.data(), sample_.size());
  *bytes = held;
  // The caller has this sample now: the next one-shot run waits for a newer one.
  taken_ = received_;
  return S_OK;
}

bool SampleGrabber::CheckInputType(const AM_MEDIA_TYPE& type) {
  if (acceptedMajor_ != GUID_NULL && type.majortype != acceptedMajor_) return false;
  if (acceptedSub_ != GUID_NULL && type.subtype != acceptedSub_) return false;
  if (acceptedFormat_ != GUID_NULL && type.formattype != acceptedFormat_) return false;
  if (type.subtype == MEDIASUBTYPE_RGB24) {
    // RGB24 samples leave the grabber bottom-up and whole: top-down rows or
    // a sample size that is not the picture's go through a converter.
    const BITMAPINFOHEADER* bmi = VideoBitmapHeader(type);
    if (!bmi || bmi->biWidth <= 0 || bmi->biHeight <= 0 || bmi->biBitCount != 24) return false;
    if (type.lSampleSize != Rgb24SampleBytes(bmi->biWidth, bmi->biHeight)) return false;
  }
  return true;
}

HRESULT SampleGrabber::GetOutputType(MediaType& type) {
  if (!input_.IsConnected()) return VFW_E_NOT_CONNECTED;
  type = input_.ConnectionType();
  return S_OK;
}

void SampleGrabber::Receive(const MediaSample& sample) {
  {
    std::lock_guard lock(mutex_);
    ++received_;
    if (buffering_) {
      sample_.assign(sample.data, sample.data + sample.bytes);
      holding_ = true;
    }
    CompleteIfDue();
  }
  output_.Deliver(sample);
}

HRESULT SampleGrabber::OnRun() {
  std::lock_guard lock(mutex_);
  armed_ = oneShot_;
  CompleteIfDue();
  return S_OK;
}

void SampleGrabber::OnStop() {
  std::lock_guard lock(mutex_);
  armed_ = false;
}

void SampleGrabber::CompleteIfDue() {
  if (!armed_ || received_ <= taken_) return;
  armed_ = false;
  // Under the lock, so a completion of an earlier run cannot land after the
  // graph has reset its state for the next one.
  NotifyEvent(EC_COMPLETE, 0);
}

}  // namespace media

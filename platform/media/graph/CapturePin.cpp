#include <cstdlib>
#include <numeric>
#include <optional>

#include "platform/media/com/Runtime.h"
#include "platform/media/dshow/Graph.h"
#include "platform/media/graph/CaptureFilter.h"

namespace media {
namespace {

// The device format a video type asks for; nullopt when it names none.
std::optional<VideoFormat> RequestedFormat(const AM_MEDIA_TYPE& type) {
  if (type.majortype != MEDIATYPE_Video || type.formattype != FORMAT_VideoInfo) return std::nullopt;
  const BITMAPINFOHEADER* bmi = VideoBitmapHeader(type);
  if (!bmi || bmi->biWidth <= 0 || bmi->biHeight == 0 || bmi->biHeight == INT32_MIN) return std::nullopt;
  VideoFormat wanted;
  if (type.subtype == MEDIASUBTYPE_YUY2)
    wanted.fourcc = kPixYUYV;
  else if (type.subtype == MEDIASUBTYPE_MJPG)
    wanted.fourcc = kPixMJPG;
  else if (type.subtype == MEDIASUBTYPE_RGB24)
    wanted.fourcc = kPixBGR24;
  else
    return std::nullopt;
  wanted.width = bmi->biWidth;
  wanted.height = std::abs(bmi->biHeight);
  const REFERENCE_TIME frameTime = VideoFrameTime(type);
  if (frameTime > 0 && frameTime <= INT32_MAX) {
    const auto units = uint32_t(frameTime);
    const uint32_t common = std::gcd(units, 10'000'000u);
    wanted.intervalNumerator = units / common;
    wanted.intervalDenominator = 10'000'000u / common;
  }
  return wanted;
}

}  // namespace

CapturePin::CapturePin(CaptureFilter& filter)
    : OutputPin(filter, L"Capture", PIN_CATEGORY_CAPTURE), owner_(filter) {}

HRESULT CapturePin::QueryInterface(REFIID riid, void** object) {
  if (riid == IID_IAMStreamConfig) return Expose<IAMStreamConfig>(this, object);
  return OutputPin::QueryInterface(riid, object);
}

HRESULT CapturePin::GetFormat(AM_MEDIA_TYPE** type) {
  if (!type) return E_POINTER;
  *type = nullptr;
  VideoFormat format;
  const HRESULT hr = owner_.ReadFormat(format);
  if (FAILED(hr)) return hr;
  const MediaType current = VideoTypeFromFormat(format);
  auto* copy = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
  if (!copy) return E_OUTOFMEMORY;
  *copy = AM_MEDIA_TYPE{};
  if (FAILED(CopyMediaType(copy, &current.get()))) {
    DeleteMediaType(copy);
    return E_OUTOFMEMORY;
  }
  *type = copy;
  return S_OK;
}

HRESULT CapturePin::SetFormat(AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  if (!owner_.IsStopped()) return VFW_E_NOT_STOPPED;
  // A connection keeps the type it was made in.
  if (IsConnected()) return VFW_E_ALREADY_CONNECTED;
  const std::optional<VideoFormat> wanted = RequestedFormat(*type);
  if (!wanted) return VFW_E_INVALIDMEDIATYPE;
  VideoFormat applied;
  const HRESULT hr = owner_.WriteFormat(*wanted, applied);
  if (FAILED(hr)) return hr;
  // Drivers adjust what they cannot do; only the size asked for is success.
  if (applied.width != wanted->width || applied.height != wanted->height) return VFW_E_INVALIDMEDIATYPE;
  return S_OK;
}

}  // namespace media

#include "platform/media/dshow/MediaType.h"

#include <cstring>
#include <utility>

#include "platform/media/PixelConvert.h"
#include "platform/media/PixelFormats.h"
#include "platform/media/com/Runtime.h"

void FreeMediaType(AM_MEDIA_TYPE& type) {
  CoTaskMemFree(type.pbFormat);
  type.pbFormat = nullptr;
  type.cbFormat = 0;
  if (type.pUnk) {
    type.pUnk->Release();
    type.pUnk = nullptr;
  }
}

void DeleteMediaType(AM_MEDIA_TYPE* type) {
  if (!type) return;
  FreeMediaType(*type);
  CoTaskMemFree(type);
}

HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE* source) {
  if (!target || !source) return E_POINTER;
  *target = *source;
  target->pbFormat = nullptr;
  target->cbFormat = 0;
  if (target->pUnk) target->pUnk->AddRef();  // before any way out: the copy holds it
  if (source->cbFormat > 0 && source->pbFormat) {
    target->pbFormat = static_cast<uint8_t*>(CoTaskMemAlloc(source->cbFormat));
    if (!target->pbFormat) return E_OUTOFMEMORY;
    std::memcpy(target->pbFormat, source->pbFormat, source->cbFormat);
    target->cbFormat = source->cbFormat;
  }
  return S_OK;
}

namespace media {

MediaType::MediaType(const AM_MEDIA_TYPE& type) { CopyMediaType(&type_, &type); }

MediaType::MediaType(const MediaType& other) : MediaType(other.type_) {}

MediaType::MediaType(MediaType&& other) noexcept : type_(std::exchange(other.type_, AM_MEDIA_TYPE{})) {}

MediaType& MediaType::operator=(const MediaType& other) {
  if (this != &other) *this = MediaType(other);
  return *this;
}

MediaType& MediaType::operator=(MediaType&& other) noexcept {
  if (this != &other) {
    FreeMediaType(type_);
    type_ = std::exchange(other.type_, AM_MEDIA_TYPE{});
  }
  return *this;
}

MediaType::~MediaType() { FreeMediaType(type_); }

uint8_t* MediaType::AllocFormat(unsigned long bytes) {
  CoTaskMemFree(type_.pbFormat);
  type_.pbFormat = static_cast<uint8_t*>(CoTaskMemAlloc(bytes));
  type_.cbFormat = type_.pbFormat ? bytes : 0;
  if (type_.pbFormat) std::memset(type_.pbFormat, 0, bytes);
  return type_.pbFormat;
}

const BITMAPINFOHEADER* VideoBitmapHeader(const AM_MEDIA_TYPE& type) {
  if (!type.pbFormat) return nullptr;
  if (type.formattype == FORMAT_VideoInfo && type.cbFormat >= sizeof(VIDEOINFOHEADER))
    return &reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat)->bmiHeader;
  if (type.formattype == FORMAT_VideoInfo2 && type.cbFormat >= sizeof(VIDEOINFOHEADER2))
    return &reinterpret_cast<const VIDEOINFOHEADER2*>(type.pbFormat)->bmiHeader;
  return nullptr;
}

REFERENCE_TIME VideoFrameTime(const AM_MEDIA_TYPE& type) {
  if (!VideoBitmapHeader(type)) return 0;
  // Both video headers start alike.
  return reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat)->AvgTimePerFrame;
}

namespace {

// Null when the block cannot be had; the type then has no format and no
// pin takes it.
VIDEOINFOHEADER* NewVideoInfo(MediaType& type, const GUID& subtype) {
  AM_MEDIA_TYPE& mt = type.get();
  mt.majortype = MEDIATYPE_Video;
  mt.subtype = subtype;
  mt.formattype = FORMAT_VideoInfo;
  auto* info = reinterpret_cast<VIDEOINFOHEADER*>(type.AllocFormat(sizeof(VIDEOINFOHEADER)));
  if (!info) return nullptr;
  info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info->bmiHeader.biPlanes = 1;
  return info;
}

}  // namespace

MediaType VideoTypeFromFormat(const VideoFormat& format) {
  MediaType type;
  const bool compressed = format.fourcc == kPixMJPG;
  GUID subtype = FourccSubtype(format.fourcc);
  if (format.fourcc == kPixBGR24) subtype = MEDIASUBTYPE_RGB24;
  if (format.fourcc == kPixYUYV) subtype = MEDIASUBTYPE_YUY2;
  if (compressed) subtype = MEDIASUBTYPE_MJPG;

  VIDEOINFOHEADER* info = NewVideoInfo(type, subtype);
  if (!info) return type;
  BITMAPINFOHEADER& bmi = info->bmiHeader;
  bmi.biWidth = format.width;
  bmi.biHeight = format.height;
  bmi.biCompression = subtype.Data1;
  if (format.fourcc == kPixBGR24) {
    bmi.biHeight = -format.height;  // the device's rows come top row first
    bmi.biBitCount = 24;
    bmi.biCompression = BI_RGB;
  } else if (format.fourcc == kPixYUYV) {
    bmi.biBitCount = 16;
  } else if (compressed) {
    bmi.biBitCount = 24;
  } else if (const PixelFormatInfo* known = FindPixelFormat(format.fourcc)) {
    bmi.biBitCount = uint16_t(known->bitsPerPixel);
  }
  // Uncompressed frames are described by their rows, so the row length can
  // be read back from the image size (the device may pad its rows).
  bmi.biSizeImage = !compressed && format.bytesPerLine > 0
                        ? format.bytesPerLine * uint32_t(format.height > 0 ? format.height : 0)
                        : format.sizeImage ? format.sizeImage
                                           : FrameBytes(format.fourcc, format.width, format.height);
  if (format.intervalDenominator > 0)
    info->AvgTimePerFrame =
        REFERENCE_TIME(10'000'000) * format.intervalNumerator / format.intervalDenominator;

  AM_MEDIA_TYPE& mt = type.get();
  mt.bFixedSizeSamples = !compressed;
  mt.bTemporalCompression = false;
  mt.lSampleSize = compressed ? 0 : bmi.biSizeImage;
  return type;
}

MediaType Rgb24Type(int width, int height, REFERENCE_TIME frameTime) {
  MediaType type;
  VIDEOINFOHEADER* info = NewVideoInfo(type, MEDIASUBTYPE_RGB24);
  if (!info) return type;
  info->AvgTimePerFrame = frameTime;
  BITMAPINFOHEADER& bmi = info->bmiHeader;
  bmi.biWidth = width;
  bmi.biHeight = height;
  bmi.biBitCount = 24;
  bmi.biCompression = BI_RGB;
  bmi.biSizeImage = uint32_t(Rgb24SampleBytes(width, height));
  AM_MEDIA_TYPE& mt = type.get();
  mt.bFixedSizeSamples = true;
  mt.lSampleSize = bmi.biSizeImage;
  return type;
}

std::optional<VideoFormat> ConvertibleFormat(const AM_MEDIA_TYPE& type) {
  const BITMAPINFOHEADER* bmi = VideoBitmapHeader(type);
  if (type.majortype != MEDIATYPE_Video || !bmi) return std::nullopt;
  if (bmi->biWidth <= 0 || bmi->biHeight == 0 || bmi->biHeight == INT32_MIN) return std::nullopt;
  VideoFormat format;
  format.width = bmi->biWidth;
  format.height = bmi->biHeight < 0 ? -bmi->biHeight : bmi->biHeight;
  if (type.subtype == MEDIASUBTYPE_YUY2)
    format.fourcc = kPixYUYV;
  else if (type.subtype == MEDIASUBTYPE_MJPG)
    format.fourcc = kPixMJPG;
  else if (type.subtype == MEDIASUBTYPE_RGB24 && bmi->biHeight < 0 && bmi->biBitCount == 24)
    format.fourcc = kPixBGR24;  // bottom-up RGB24 needs no conversion
  else
    return std::nullopt;
  format.sizeImage = bmi->biSizeImage;
  if (format.fourcc != kPixMJPG) {
    const uint32_t line = LineBytes(format.fourcc, format.width);
    const uint32_t rows = uint32_t(format.height);
    format.bytesPerLine = line;
    if (bmi->biSizeImage % rows == 0 && bmi->biSizeImage / rows > line)
      format.bytesPerLine = bmi->biSizeImage / rows;
  }
  return format;
}

}  // namespace media

#pragma once
// Media types: what flows over a pin connection, as major type, subtype and
// a format block (a video information header for video).

#include <cstdint>
#include <optional>

#include "platform/media/CaptureDevice.h"
#include "platform/media/com/Unknown.h"

using REFERENCE_TIME = int64_t;  // in units of 100 ns

inline constexpr uint32_t BI_RGB = 0;

struct BITMAPINFOHEADER {
  uint32_t biSize;
  int32_t biWidth;
  int32_t biHeight;  // RGB: positive for bottom-up rows, negative for top-down
  uint16_t biPlanes;
  uint16_t biBitCount;
  uint32_t biCompression;  // BI_RGB or a fourcc
  uint32_t biSizeImage;
  int32_t biXPelsPerMeter;
  int32_t biYPelsPerMeter;
  uint32_t biClrUsed;
  uint32_t biClrImportant;
};

// The format block of FORMAT_VideoInfo.
struct VIDEOINFOHEADER {
  uint32_t dwBitRate;
  uint32_t dwBitErrorRate;
  REFERENCE_TIME AvgTimePerFrame;
  BITMAPINFOHEADER bmiHeader;
};

// The format block of FORMAT_VideoInfo2: a video header with interlace and
// aspect-ratio fields in front of the bitmap header.
struct VIDEOINFOHEADER2 {
  uint32_t dwBitRate;
  uint32_t dwBitErrorRate;
  REFERENCE_TIME AvgTimePerFrame;
  uint32_t dwInterlaceFlags;
  uint32_t dwCopyProtectFlags;
  uint32_t dwPictAspectRatioX;
  uint32_t dwPictAspectRatioY;
  uint32_t dwControlFlags;
  uint32_t dwReserved2;
  BITMAPINFOHEADER bmiHeader;
};

struct AM_MEDIA_TYPE {
  GUID majortype;
  GUID subtype;
  bool bFixedSizeSamples;
  bool bTemporalCompression;
  unsigned long lSampleSize;  // bytes of one sample; 0 for variable-size samples
  GUID formattype;
  IUnknown* pUnk;
  unsigned long cbFormat;
  uint8_t* pbFormat;  // allocated with CoTaskMemAlloc
};

namespace media {
// Subtypes named by a fourcc share one GUID pattern with the fourcc in front.
constexpr GUID FourccSubtype(uint32_t fourcc) {
  return {fourcc, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
}
}  // namespace media

inline constexpr GUID MEDIATYPE_Video = media::LayerGuid(0x0101);
inline constexpr GUID MEDIASUBTYPE_RGB24 = media::LayerGuid(0x0102);
inline constexpr GUID MEDIASUBTYPE_YUY2 = media::FourccSubtype(media::MakeFourCC('Y', 'U', 'Y', '2'));
inline constexpr GUID MEDIASUBTYPE_MJPG = media::FourccSubtype(media::MakeFourCC('M', 'J', 'P', 'G'));
inline constexpr GUID FORMAT_VideoInfo = media::LayerGuid(0x0103);
inline constexpr GUID FORMAT_VideoInfo2 = media::LayerGuid(0x0104);

// Frees the format block and leaves the type without one.
void FreeMediaType(AM_MEDIA_TYPE& type);
// Frees the format block and the type itself (both from CoTaskMemAlloc).
void DeleteMediaType(AM_MEDIA_TYPE* type);
// A deep copy into `target`, whose old contents are not freed.
HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE* source);

namespace media {

// Owns one media type and its format block.
class MediaType {
 public:
  MediaType() = default;
  explicit MediaType(const AM_MEDIA_TYPE& type);
  MediaType(const MediaType& other);
  MediaType(MediaType&& other) noexcept;
  MediaType& operator=(const MediaType& other);
  MediaType& operator=(MediaType&& other) noexcept;
  ~MediaType();

  const AM_MEDIA_TYPE& get() const { return type_; }
  AM_MEDIA_TYPE& get() { return type_; }
  // Allocates a zeroed format block of `bytes`, freeing any old one.
  uint8_t* AllocFormat(unsigned long bytes);

 private:
  AM_MEDIA_TYPE type_{};
};

// The bitmap header inside a video information block (FORMAT_VideoInfo or
// FORMAT_VideoInfo2), or null when the block is missing or too short.
const BITMAPINFOHEADER* VideoBitmapHeader(const AM_MEDIA_TYPE& type);
REFERENCE_TIME VideoFrameTime(const AM_MEDIA_TYPE& type);  // 0 when not known

// The video type that describes frames of a device in `format`. YUYV is
// YUY2, BGR3 is RGB24 with top-down rows (a negative height), MJPG is MJPG.
MediaType VideoTypeFromFormat(const VideoFormat& format);
// An RGB24 type with bottom-up rows padded to four bytes: what the grabber takes.
MediaType Rgb24Type(int width, int height, REFERENCE_TIME frameTime);

// The device frame layout a video type describes, when it is one that can be
// turned into an RGB24 sample: YUY2, MJPG, or top-down RGB24.
std::optional<VideoFormat> ConvertibleFormat(const AM_MEDIA_TYPE& type);

}  // namespace media

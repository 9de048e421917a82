#pragma once
// The capture-side interfaces: stream configuration and crossbar of a device
// filter, and the sample grabber with the null renderer that ends a graph.

#include "platform/media/com/Unknown.h"
#include "platform/media/dshow/Filters.h"

inline constexpr CLSID CLSID_SampleGrabber = media::LayerGuid(0x0401);
inline constexpr CLSID CLSID_NullRenderer = media::LayerGuid(0x0402);

inline constexpr IID IID_IAMStreamConfig = media::LayerGuid(0x0411);
inline constexpr IID IID_IAMCrossbar = media::LayerGuid(0x0412);
inline constexpr IID IID_ISampleGrabber = media::LayerGuid(0x0413);

// Physical connector types of crossbar pins.
inline constexpr long PhysConn_Video_Tuner = 1;
inline constexpr long PhysConn_Video_Composite = 2;
inline constexpr long PhysConn_Video_SVideo = 3;
inline constexpr long PhysConn_Video_VideoDecoder = 12;

struct IAMStreamConfig : virtual IUnknown {
  // The pin's current format in a new type (CoTaskMemAlloc) that the caller
  // frees with DeleteMediaType.
  virtual HRESULT GetFormat(AM_MEDIA_TYPE** type) = 0;
  // Asks the device for `type`; S_OK only when the device took its size.
  virtual HRESULT SetFormat(AM_MEDIA_TYPE* type) = 0;
};

struct IAMCrossbar : virtual IUnknown {
  virtual HRESULT get_PinCounts(long* outputs, long* inputs) = 0;
  virtual HRESULT get_CrossbarPinInfo(bool isInput, long index, long* relatedIndex,
                                      long* physicalType) = 0;
  // S_OK when output `output` can be fed from input `input`, else S_FALSE.
  virtual HRESULT CanRoute(long output, long input) = 0;
  virtual HRESULT Route(long output, long input) = 0;
};

struct ISampleGrabber : virtual IUnknown {
  // One-shot: each run of the graph completes on the first sample newer
  // than the last one copied out, at once when such a sample is held.
  virtual HRESULT SetOneShot(bool oneShot) = 0;
  // The type the input takes; GUID_NULL fields take anything. Set before connecting.
  virtual HRESULT SetMediaType(const AM_MEDIA_TYPE* type) = 0;
  virtual HRESULT GetConnectedMediaType(AM_MEDIA_TYPE* type) = 0;
  // Keeps a copy of the newest sample.
  virtual HRESULT SetBufferSamples(bool buffer) = 0;
  // With a null buffer: *bytes = the held sample's size (0 when none). With a
  // buffer of *bytes: copies the sample and sets *bytes to its size, or
  // E_OUTOFMEMORY without writing when it does not fit.
  virtual HRESULT GetCurrentBuffer(long* bytes, void* buffer) = 0;
};

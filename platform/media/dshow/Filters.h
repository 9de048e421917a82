#pragma once
// Filters and their pins: the parts a graph is built from.

#include <cstdint>

#include "platform/media/com/Unknown.h"
#include "platform/media/dshow/MediaType.h"

struct IBaseFilter;
struct IGraphBuilder;

enum PIN_DIRECTION { PINDIR_INPUT = 0, PINDIR_OUTPUT = 1 };

struct PIN_INFO {
  IBaseFilter* pFilter;  // AddRef'ed: the receiver releases it
  PIN_DIRECTION dir;
  wchar_t achName[128];
};

enum FILTER_STATE { State_Stopped = 0, State_Paused = 1, State_Running = 2 };

inline constexpr IID IID_IPin = media::LayerGuid(0x0201);
inline constexpr IID IID_IEnumPins = media::LayerGuid(0x0202);
inline constexpr IID IID_IBaseFilter = media::LayerGuid(0x0203);
inline constexpr IID IID_IMediaEventSink = media::LayerGuid(0x0204);

struct IPin : virtual IUnknown {
  // Output pins: connects to `receive`, in `type` when given, else in the
  // pin's own type. VFW_E_ALREADY_CONNECTED, VFW_E_TYPE_NOT_ACCEPTED.
  virtual HRESULT Connect(IPin* receive, const AM_MEDIA_TYPE* type) = 0;
  // Input pins: the other half of Connect.
  virtual HRESULT ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) = 0;
  // Breaks this side of the connection only; VFW_E_NOT_STOPPED while streaming.
  virtual HRESULT Disconnect() = 0;
  // The pin at the other end, AddRef'ed; VFW_E_NOT_CONNECTED when free.
  virtual HRESULT ConnectedTo(IPin** pin) = 0;
  // A copy of the connection's type (its format block for the caller to
  // free); VFW_E_NOT_CONNECTED when free.
  virtual HRESULT ConnectionMediaType(AM_MEDIA_TYPE* type) = 0;
  virtual HRESULT QueryPinInfo(PIN_INFO* info) = 0;
  virtual HRESULT QueryDirection(PIN_DIRECTION* dir) = 0;
  // S_OK when the pin would take `type`, else S_FALSE.
  virtual HRESULT QueryAccept(const AM_MEDIA_TYPE* type) = 0;
};

struct IEnumPins : virtual IUnknown {
  // Up to `count` pins, AddRef'ed; S_OK when all were there, else S_FALSE.
  virtual HRESULT Next(unsigned long count, IPin** pins, unsigned long* fetched) = 0;
  virtual HRESULT Reset() = 0;
};

struct IBaseFilter : virtual IUnknown {
  virtual HRESULT EnumPins(IEnumPins** pins) = 0;
  // Called by the graph when the filter is added (graph set) or removed (null).
  virtual HRESULT JoinFilterGraph(IGraphBuilder* graph, const wchar_t* name) = 0;
  virtual HRESULT Run(REFERENCE_TIME start) = 0;
  virtual HRESULT Stop() = 0;
  virtual HRESULT GetState(unsigned long timeoutMs, FILTER_STATE* state) = 0;
};

// Event codes a filter reports to its graph.
inline constexpr long EC_COMPLETE = 0x01;
inline constexpr long EC_ERRORABORT = 0x03;

// The graph's side of event reporting; filters may call it on a streaming thread.
struct IMediaEventSink : virtual IUnknown {
  virtual HRESULT Notify(long code, intptr_t param1, intptr_t param2) = 0;
};

inline constexpr HRESULT VFW_E_INVALIDMEDIATYPE = media::Failure(0x80040200);
inline constexpr HRESULT VFW_E_ALREADY_CONNECTED = media::Failure(0x80040204);
inline constexpr HRESULT VFW_E_NOT_CONNECTED = media::Failure(0x80040209);
inline constexpr HRESULT VFW_E_CANNOT_CONNECT = media::Failure(0x80040217);
inline constexpr HRESULT VFW_E_NOT_STOPPED = media::Failure(0x80040224);
inline constexpr HRESULT VFW_E_WRONG_STATE = media::Failure(0x80040227);
inline constexpr HRESULT VFW_E_TYPE_NOT_ACCEPTED = media::Failure(0x8004022A);
inline constexpr HRESULT VFW_E_NOT_IN_GRAPH = media::Failure(0x8004025F);
inline constexpr HRESULT VFW_E_INVALID_DIRECTION = media::Failure(0x80040208);

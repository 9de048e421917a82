#pragma once
// The filter graph and the capture graph builder.

#include "platform/media/com/Unknown.h"
#include "platform/media/dshow/Filters.h"

inline constexpr CLSID CLSID_FilterGraph = media::LayerGuid(0x0301);
inline constexpr CLSID CLSID_CaptureGraphBuilder2 = media::LayerGuid(0x0302);

inline constexpr IID IID_IGraphBuilder = media::LayerGuid(0x0311);
inline constexpr IID IID_IMediaControl = media::LayerGuid(0x0312);
inline constexpr IID IID_IMediaEvent = media::LayerGuid(0x0313);
inline constexpr IID IID_ICaptureGraphBuilder2 = media::LayerGuid(0x0314);

// The pin category of a device's capture output.
inline constexpr GUID PIN_CATEGORY_CAPTURE = media::LayerGuid(0x0321);
// FindInterface's category for a search of the filter and what feeds it.
inline constexpr GUID LOOK_UPSTREAM_ONLY = media::LayerGuid(0x0322);

inline constexpr long INFINITE = -1;

struct IGraphBuilder : virtual IUnknown {
  // Adds `filter` under `name`; the graph holds a reference until it is
  // removed or the graph ends. VFW_E_NOT_STOPPED while running.
  virtual HRESULT AddFilter(IBaseFilter* filter, const wchar_t* name) = 0;
  // Disconnects the filter's pins and drops it from the graph.
  virtual HRESULT RemoveFilter(IBaseFilter* filter) = 0;
  // Connects an output pin to an input pin of filters in the graph: directly
  // when the input takes the output's type, otherwise through a converter to
  // bottom-up RGB24 that the graph adds. VFW_E_CANNOT_CONNECT when neither works.
  virtual HRESULT Connect(IPin* output, IPin* input) = 0;
};

struct IMediaControl : virtual IUnknown {
  // Streams, or keeps streaming; each call also arms a one-shot grabber anew.
  virtual HRESULT Run() = 0;
  virtual HRESULT Stop() = 0;
};

struct IMediaEvent : virtual IUnknown {
  // Waits at most timeoutMs (INFINITE: no limit) for the graph to complete
  // or abort: S_OK with EC_COMPLETE or EC_ERRORABORT in *code; E_ABORT when
  // the time ran out; VFW_E_WRONG_STATE when the graph is not running.
  virtual HRESULT WaitForCompletion(long timeoutMs, long* code) = 0;
};

struct ICaptureGraphBuilder2 : virtual IUnknown {
  virtual HRESULT SetFiltergraph(IGraphBuilder* graph) = 0;
  // Finds interface `riid` on `filter`'s output pins of `category` carrying
  // `type` (null: any), or with LOOK_UPSTREAM_ONLY on the filter itself and
  // the filters that feed it. E_NOINTERFACE when there is none.
  virtual HRESULT FindInterface(const GUID* category, const GUID* type, IBaseFilter* filter,
                                REFIID riid, void** object) = 0;
};

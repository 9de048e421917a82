#pragma once
// The filter graph manager: holds the filters, connects their pins (adding a
// converter where needed), runs and stops them, and waits for completion.

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "platform/media/com/ComPtr.h"
#include "platform/media/com/RefCounted.h"
#include "platform/media/dshow/Graph.h"

namespace media {

class FilterGraph final : public RefCounted,
                          public IGraphBuilder,
                          public IMediaControl,
                          public IMediaEvent,
                          public IMediaEventSink {
 public:
  FilterGraph() = default;
  ~FilterGraph() override;

  HRESULT QueryInterface(REFIID riid, void** object) override;

  HRESULT AddFilter(IBaseFilter* filter, const wchar_t* name) override;
  HRESULT RemoveFilter(IBaseFilter* filter) override;
  HRESULT Connect(IPin* output, IPin* input) override;

  HRESULT Run() override;
  HRESULT Stop() override;

  HRESULT WaitForCompletion(long timeoutMs, long* code) override;

  HRESULT Notify(long code, intptr_t param1, intptr_t param2) override;

 private:
  struct Member {
    CComPtr<IBaseFilter> filter;
    std::wstring name;
  };

  bool Contains(IBaseFilter* filter) const;
  // Breaks both sides of every connection of the filter's pins.
  static void DisconnectPins(IBaseFilter* filter);
  HRESULT ConnectThroughConverter(IPin* output, IPin* input);
  // Filters in the order they start: those with inputs first, sources last,
  // so every sample finds its way ready.
  // Sinks first, then sources; worked out again only when the filters
  // change, so the run of every grab allocates nothing.
  const std::vector<IBaseFilter*>& StartOrder();
  void StopFilters();

  std::vector<Member> filters_;
  std::vector<IBaseFilter*> startOrder_;
  bool startOrderKnown_ = false;
  bool running_ = false;  // touched by the controlling thread only

  std::mutex eventMutex_;
  std::condition_variable eventChanged_;
  bool completed_ = false;
  bool aborted_ = false;
};

}  // namespace media

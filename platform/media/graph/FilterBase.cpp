#include "platform/media/graph/FilterBase.h"

#include <utility>

#include "platform/media/com/ComPtr.h"
#include "platform/media/dshow/Graph.h"
#include "platform/media/graph/SnapshotEnum.h"

namespace media {

HRESULT FilterBase::QueryInterface(REFIID riid, void** object) {
  if (riid == IID_IBaseFilter) return Expose<IBaseFilter>(this, object);
  return RefCounted::QueryInterface(riid, object);
}

HRESULT FilterBase::EnumPins(IEnumPins** pins) {
  if (!pins) return E_POINTER;
  std::vector<CComPtr<IPin>> all(pins_.begin(), pins_.end());
  *pins = new SnapshotEnum<IEnumPins, IPin, CComPtr<IPin>>(
      IID_IEnumPins, std::move(all), [](const CComPtr<IPin>& pin) {
        pin->AddRef();
        return static_cast<IPin*>(pin);
      });
  (*pins)->AddRef();
  return S_OK;
}

HRESULT FilterBase::JoinFilterGraph(IGraphBuilder* graph, const wchar_t*) {
  events_ = nullptr;
  if (graph) {
    CComPtr<IMediaEventSink> sink;
    if (SUCCEEDED(graph->QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(&sink))))
      events_ = sink;
  }
  return S_OK;
}

HRESULT FilterBase::Run(REFERENCE_TIME) {
  const FILTER_STATE before = state_.exchange(State_Running);
  const HRESULT hr = OnRun();
  if (FAILED(hr)) state_ = before;
  return hr;
}

HRESULT FilterBase::Stop() {
  OnStop();
  state_ = State_Stopped;
  return S_OK;
}

HRESULT FilterBase::GetState(unsigned long, FILTER_STATE* state) {
  if (!state) return E_POINTER;
  *state = state_;
  return S_OK;
}

void FilterBase::NotifyEvent(long code, intptr_t param) {
  if (events_) events_->Notify(code, param, 0);
}

}  // namespace media

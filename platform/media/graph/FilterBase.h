#pragma once
// The common part of the layer's filters: pins, run state and the link to
// the graph's event sink.

#include <atomic>
#include <cstdint>
#include <new>
#include <vector>

#include "platform/media/com/RefCounted.h"
#include "platform/media/dshow/Filters.h"
#include "platform/media/graph/Pins.h"

namespace media {

class FilterBase : public RefCounted, public IBaseFilter {
 public:
  HRESULT QueryInterface(REFIID riid, void** object) override;

  HRESULT EnumPins(IEnumPins** pins) override;
  HRESULT JoinFilterGraph(IGraphBuilder* graph, const wchar_t* name) override;
  // Every call reaches OnRun, also when the filter runs already.
  HRESULT Run(REFERENCE_TIME start) override;
  HRESULT Stop() override;
  HRESULT GetState(unsigned long timeoutMs, FILTER_STATE* state) override;

  bool IsStopped() const { return state_ == State_Stopped; }

  // What the pins ask of their filter.
  virtual bool CheckInputType(const AM_MEDIA_TYPE&) { return false; }
  virtual void InputConnected(const AM_MEDIA_TYPE&) {}
  virtual HRESULT GetOutputType(MediaType&) { return VFW_E_NOT_CONNECTED; }
  // A sample arriving at the input pin, on the streaming thread.
  virtual void Receive(const MediaSample&) {}

 protected:
  FilterBase() = default;

  // Pins are members of the derived filter, added in its constructor.
  void AddPin(PinBase& pin) { pins_.push_back(&pin); }
  virtual HRESULT OnRun() { return S_OK; }
  virtual void OnStop() {}
  // Reports an event to the graph; allowed on the streaming thread.
  void NotifyEvent(long code, intptr_t param);

 private:
  std::vector<PinBase*> pins_;
  // Not counted: a graph outlives its filters' membership and leaves them
  // only while they are stopped.
  IMediaEventSink* events_ = nullptr;
  std::atomic<FILTER_STATE> state_{State_Stopped};
};

// Makes a `T` and asks it for `riid`: the factory of the layer's classes.
template <class T>
HRESULT CreateObject(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  T* created = new (std::nothrow) T;
  if (!created) return E_OUTOFMEMORY;
  created->AddRef();
  const HRESULT hr = created->QueryInterface(riid, object);
  created->Release();
  return hr;
}

}  // namespace media

#include "platform/media/graph/FilterGraph.h"

#include <algorithm>
#include <chrono>

namespace media {
namespace {

bool HasInputPin(IBaseFilter* filter) {
  CComPtr<IEnumPins> pins;
  if (FAILED(filter->EnumPins(&pins)) || !pins) return false;
  CComPtr<IPin> pin;
  while (pins->Next(1, &pin, nullptr) == S_OK) {
    PIN_DIRECTION dir = PINDIR_OUTPUT;
    if (SUCCEEDED(pin->QueryDirection(&dir)) && dir == PINDIR_INPUT) return true;
  }
  return false;
}

}  // namespace

FilterGraph::~FilterGraph() {
  // Streaming threads end before the filters lose their graph.
  StopFilters();
  for (Member& member : filters_) {
    DisconnectPins(member.filter);
    member.filter->JoinFilterGraph(nullptr, nullptr);
  }
}

HRESULT FilterGraph::QueryInterface(REFIID riid, void** object) {
  if (riid == IID_IGraphBuilder) return Expose<IGraphBuilder>(this, object);
  if (riid == IID_IMediaControl) return Expose<IMediaControl>(this, object);
  if (riid == IID_IMediaEvent) return Expose<IMediaEvent>(this, object);
  if (riid == IID_IMediaEventSink) return Expose<IMediaEventSink>(this, object);
  return RefCounted::QueryInterface(riid, object);
}

HRESULT FilterGraph::AddFilter(IBaseFilter* filter, const wchar_t* name) {
  if (!filter) return E_POINTER;
  if (running_) return VFW_E_NOT_STOPPED;
  if (Contains(filter)) return E_INVALIDARG;
  const HRESULT hr = filter->JoinFilterGraph(this, name);
  if (FAILED(hr)) return hr;
  filters_.push_back({filter, name ? name : L""});
  startOrderKnown_ = false;
  return S_OK;
}

HRESULT FilterGraph::RemoveFilter(IBaseFilter* filter) {
  if (!filter) return E_POINTER;
  if (running_) return VFW_E_NOT_STOPPED;
  auto it = std::find_if(filters_.begin(), filters_.end(),
                         [filter](const Member& m) { return m.filter == filter; });
  if (it == filters_.end()) return E_INVALIDARG;
  DisconnectPins(filter);
  filter->JoinFilterGraph(nullptr, nullptr);
  filters_.erase(it);
  startOrderKnown_ = false;
  return S_OK;
}

HRESULT FilterGraph::Run() {
  {
    std::lock_guard lock(eventMutex_);
    completed_ = false;
  }
  running_ = true;
  for (IBaseFilter* filter : StartOrder()) {
    const HRESULT hr = filter->Run(0);
    if (FAILED(hr)) {
      StopFilters();
      return hr;
    }
  }
  return S_OK;
}

HRESULT FilterGraph::Stop() {
  StopFilters();
  return S_OK;
}

HRESULT FilterGraph::WaitForCompletion(long timeoutMs, long* code) {
  if (!code) return E_POINTER;
  *code = 0;
  if (!running_) return VFW_E_WRONG_STATE;
  std::unique_lock lock(eventMutex_);
  const auto done = [this] { return completed_ || aborted_; };
  if (timeoutMs < 0) {
    eventChanged_.wait(lock, done);
  } else if (!eventChanged_.wait_for(lock, std::chrono::milliseconds(timeoutMs), done)) {
    return E_ABORT;
  }
  *code = aborted_ ? EC_ERRORABORT : EC_COMPLETE;
  return S_OK;
}

HRESULT FilterGraph::Notify(long code, intptr_t, intptr_t) {
  {
    std::lock_guard lock(eventMutex_);
    if (code == EC_COMPLETE) completed_ = true;
    // A stream that ended by itself stays ended until the graph is stopped.
    if (code == EC_ERRORABORT) aborted_ = true;
  }
  eventChanged_.notify_all();
  return S_OK;
}

bool FilterGraph::Contains(IBaseFilter* filter) const {
  return std::any_of(filters_.begin(), filters_.end(),
                     [filter](const Member& m) { return m.filter == filter; });
}

void FilterGraph::DisconnectPins(IBaseFilter* filter) {
  CComPtr<IEnumPins> pins;
  if (FAILED(filter->EnumPins(&pins)) || !pins) return;
  CComPtr<IPin> pin;
  while (pins->Next(1, &pin, nullptr) == S_OK) {
    CComPtr<IPin> peer;
    if (SUCCEEDED(pin->ConnectedTo(&peer))) peer->Disconnect();
    pin->Disconnect();
  }
}

const std::vector<IBaseFilter*>& FilterGraph::StartOrder() {
  if (!startOrderKnown_) {
    startOrder_.clear();
    for (const Member& m : filters_)
      if (HasInputPin(m.filter)) startOrder_.push_back(m.filter);
    for (const Member& m : filters_)
      if (!HasInputPin(m.filter)) startOrder_.push_back(m.filter);
    startOrderKnown_ = true;
  }
  return startOrder_;
}

void FilterGraph::StopFilters() {
  // Sources first, so nothing is delivered into a stopped filter.
  const std::vector<IBaseFilter*>& order = StartOrder();
  for (auto it = order.rbegin(); it != order.rend(); ++it) (*it)->Stop();
  running_ = false;
  std::lock_guard lock(eventMutex_);
  completed_ = false;
  aborted_ = false;
}

}  // namespace media

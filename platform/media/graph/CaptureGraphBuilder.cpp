#include "platform/media/graph/CaptureGraphBuilder.h"

#include "platform/media/graph/Pins.h"

namespace media {
namespace {

// Filters feeding one another never loop in a capture graph; the bound only
// keeps a malformed graph from recursing without end.
constexpr int kMaxUpstreamDepth = 16;

// The media type a pin carries now: its connection's, or the one it offers.
bool PinCarries(PinBase& pin, const GUID& major) {
  if (pin.IsConnected()) return pin.ConnectionType().get().majortype == major;
  auto* output = dynamic_cast<OutputPin*>(&pin);
  MediaType offered;
  return output && SUCCEEDED(output->GetMediaType(offered)) && offered.get().majortype == major;
}

HRESULT FindOnOutputPins(const GUID& category, const GUID* type, IBaseFilter* filter, REFIID riid,
                         void** object) {
  CComPtr<IEnumPins> pins;
  if (FAILED(filter->EnumPins(&pins)) || !pins) return E_NOINTERFACE;
  CComPtr<IPin> pin;
  while (pins->Next(1, &pin, nullptr) == S_OK) {
    auto* ours = dynamic_cast<PinBase*>(static_cast<IPin*>(pin));
    PIN_DIRECTION dir = PINDIR_INPUT;
    if (!ours || FAILED(pin->QueryDirection(&dir)) || dir != PINDIR_OUTPUT) continue;
    if (ours->Category() != category) continue;
    if (type && !PinCarries(*ours, *type)) continue;
    if (SUCCEEDED(pin->QueryInterface(riid, object))) return S_OK;
  }
  return E_NOINTERFACE;
}

HRESULT FindUpstream(IBaseFilter* filter, REFIID riid, void** object, int depth) {
  if (SUCCEEDED(filter->QueryInterface(riid, object))) return S_OK;
  if (depth >= kMaxUpstreamDepth) return E_NOINTERFACE;
  CComPtr<IEnumPins> pins;
  if (FAILED(filter->EnumPins(&pins)) || !pins) return E_NOINTERFACE;
  CComPtr<IPin> pin;
  while (pins->Next(1, &pin, nullptr) == S_OK) {
    PIN_DIRECTION dir = PINDIR_OUTPUT;
    CComPtr<IPin> feeder;
    if (FAILED(pin->QueryDirection(&dir)) || dir != PINDIR_INPUT || FAILED(pin->ConnectedTo(&feeder)))
      continue;
    PIN_INFO info{};
    if (FAILED(feeder->QueryPinInfo(&info))) continue;
    CComPtr<IBaseFilter> upstream;
    upstream.Attach(info.pFilter);
    if (upstream && SUCCEEDED(FindUpstream(upstream, riid, object, depth + 1))) return S_OK;
  }
  return E_NOINTERFACE;
}

}  // namespace

HRESULT CaptureGraphBuilder::QueryInterface(REFIID riid, void** object) {
  if (riid == IID_ICaptureGraphBuilder2) return Expose<ICaptureGraphBuilder2>(this, object);
  return RefCounted::QueryInterface(riid, object);
}

HRESULT CaptureGraphBuilder::SetFiltergraph(IGraphBuilder* graph) {
  if (!graph) return E_POINTER;
  if (graph_) return E_UNEXPECTED;
  graph_ = graph;
  return S_OK;
}

HRESULT CaptureGraphBuilder::FindInterface(const GUID* category, const GUID* type,
                                           IBaseFilter* filter, REFIID riid, void** object) {
  if (!filter || !object) return E_POINTER;
  *object = nullptr;
  if (category && *category == LOOK_UPSTREAM_ONLY) return FindUpstream(filter, riid, object, 0);
  if (category) return FindOnOutputPins(*category, type, filter, riid, object);
  return filter->QueryInterface(riid, object);
}

}  // namespace media

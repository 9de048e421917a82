// Connecting pins: directly when the input takes the output's type, else
// through an RGB24 converter the graph adds for the purpose.

#include "platform/media/graph/Converter.h"
#include "platform/media/graph/FilterGraph.h"

namespace media {
namespace {

CComPtr<IBaseFilter> OwnerOf(IPin* pin) {
  PIN_INFO info{};
  if (FAILED(pin->QueryPinInfo(&info))) return nullptr;
  CComPtr<IBaseFilter> owner;
  owner.Attach(info.pFilter);
  return owner;
}

bool HasDirection(IPin* pin, PIN_DIRECTION wanted) {
  PIN_DIRECTION dir = PINDIR_INPUT;
  return SUCCEEDED(pin->QueryDirection(&dir)) && dir == wanted;
}

}  // namespace

HRESULT FilterGraph::Connect(IPin* output, IPin* input) {
  if (!output || !input) return E_POINTER;
  if (running_) return VFW_E_NOT_STOPPED;
  if (!Contains(OwnerOf(output)) || !Contains(OwnerOf(input))) return VFW_E_NOT_IN_GRAPH;
  if (!HasDirection(output, PINDIR_OUTPUT) || !HasDirection(input, PINDIR_INPUT))
    return VFW_E_INVALID_DIRECTION;
  const HRESULT hr = output->Connect(input, nullptr);
  if (SUCCEEDED(hr) || hr == VFW_E_ALREADY_CONNECTED) return hr;
  return ConnectThroughConverter(output, input);
}

HRESULT FilterGraph::ConnectThroughConverter(IPin* output, IPin* input) {
  // Only a free input can take the converter; a connected one was refused for that.
  CComPtr<IPin> taken;
  if (SUCCEEDED(input->ConnectedTo(&taken))) return VFW_E_ALREADY_CONNECTED;
  auto* source = dynamic_cast<OutputPin*>(output);
  MediaType offered;
  if (!source || FAILED(source->GetMediaType(offered)) || !ConvertibleFormat(offered.get()))
    return VFW_E_CANNOT_CONNECT;

  CComPtr<Converter> converter(new Converter);
  if (FAILED(AddFilter(converter, L"RGB24 Converter"))) return VFW_E_CANNOT_CONNECT;
  if (SUCCEEDED(output->Connect(&converter->Input(), nullptr)) &&
      SUCCEEDED(converter->Output().Connect(input, nullptr)))
    return S_OK;
  RemoveFilter(converter);
  return VFW_E_CANNOT_CONNECT;
}

}  // namespace media

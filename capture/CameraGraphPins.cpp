// The pin finders: the first pin of a filter in a direction.

#include "capture/CameraGraph.h"
#include "platform/media/dshow.h"

namespace {

CComPtr<IPin> FindPin(IBaseFilter* filter, PIN_DIRECTION wanted, bool mustBeFree) {
  CComPtr<IEnumPins> pins;
  if (!filter || FAILED(filter->EnumPins(&pins)) || !pins) return nullptr;
  CComPtr<IPin> pin;
  while (pins->Next(1, &pin, nullptr) == S_OK) {
    PIN_INFO info{};
    if (pin->QueryPinInfo(&info) != S_OK) continue;
    if (info.pFilter) info.pFilter->Release();
    if (info.dir != wanted) continue;
    if (mustBeFree) {
      CComPtr<IPin> peer;
      if (SUCCEEDED(pin->ConnectedTo(&peer))) continue;
    }
    return pin;
  }
  return nullptr;
}

}  // namespace

CComPtr<IPin> CCameraGraph::FindFreeOutputPin(IBaseFilter* filter) {
  return FindPin(filter, PINDIR_OUTPUT, true);
}

CComPtr<IPin> CCameraGraph::FindFreeInputPin(IBaseFilter* filter) {
  return FindPin(filter, PINDIR_INPUT, true);
}

CComPtr<IPin> CCameraGraph::FindOutputPin(IBaseFilter* filter) {
  return FindPin(filter, PINDIR_OUTPUT, false);
}

CComPtr<IPin> CCameraGraph::FindInputPin(IBaseFilter* filter) {
  return FindPin(filter, PINDIR_INPUT, false);
}

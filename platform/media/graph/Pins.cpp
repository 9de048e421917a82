#include "platform/media/graph/Pins.h"

#include <algorithm>
#include <cwchar>
#include <utility>

#include "platform/media/com/RefCounted.h"
#include "platform/media/graph/FilterBase.h"

namespace media {

PinBase::PinBase(FilterBase& filter, PIN_DIRECTION dir, std::wstring name, const GUID& category)
    : filter_(filter), dir_(dir), name_(std::move(name)), category_(category) {}

HRESULT PinBase::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (riid == IID_IUnknown || riid == IID_IPin) return Expose<IPin>(this, object);
  return E_NOINTERFACE;
}

unsigned long PinBase::AddRef() { return filter_.AddRef(); }

unsigned long PinBase::Release() { return filter_.Release(); }

HRESULT PinBase::Disconnect() {
  if (!filter_.IsStopped()) return VFW_E_NOT_STOPPED;
  if (!peer_) return S_FALSE;
  peer_.Release();
  type_ = MediaType();
  return S_OK;
}

HRESULT PinBase::ConnectedTo(IPin** pin) {
  if (!pin) return E_POINTER;
  *pin = nullptr;
  if (!peer_) return VFW_E_NOT_CONNECTED;
  return Expose<IPin>(peer_, reinterpret_cast<void**>(pin));
}

HRESULT PinBase::ConnectionMediaType(AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  *type = AM_MEDIA_TYPE{};
  if (!peer_) return VFW_E_NOT_CONNECTED;
  return CopyMediaType(type, &type_.get());
}

HRESULT PinBase::QueryPinInfo(PIN_INFO* info) {
  if (!info) return E_POINTER;
  info->pFilter = &filter_;
  info->pFilter->AddRef();
  info->dir = dir_;
  const size_t chars = std::min(name_.size(), std::size(info->achName) - 1);
  std::wmemcpy(info->achName, name_.data(), chars);
  info->achName[chars] = L'\0';
  return S_OK;
}

HRESULT PinBase::QueryDirection(PIN_DIRECTION* dir) {
  if (!dir) return E_POINTER;
  *dir = dir_;
  return S_OK;
}

void PinBase::SetConnection(IPin* peer, const AM_MEDIA_TYPE& type) {
  peer_ = peer;
  type_ = MediaType(type);
}

InputPin::InputPin(FilterBase& filter, std::wstring name)
    : PinBase(filter, PINDIR_INPUT, std::move(name), GUID_NULL) {}

HRESULT InputPin::Connect(IPin*, const AM_MEDIA_TYPE*) { return VFW_E_INVALID_DIRECTION; }

HRESULT InputPin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) {
  if (!connector || !type) return E_POINTER;
  if (IsConnected()) return VFW_E_ALREADY_CONNECTED;
  if (!filter_.IsStopped()) return VFW_E_NOT_STOPPED;
  if (!filter_.CheckInputType(*type)) return VFW_E_TYPE_NOT_ACCEPTED;
  SetConnection(connector, *type);
  filter_.InputConnected(*type);
  return S_OK;
}

HRESULT InputPin::QueryAccept(const AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  return filter_.CheckInputType(*type) ? S_OK : S_FALSE;
}

void InputPin::Receive(const MediaSample& sample) { filter_.Receive(sample); }

OutputPin::OutputPin(FilterBase& filter, std::wstring name, const GUID& category)
    : PinBase(filter, PINDIR_OUTPUT, std::move(name), category) {}

HRESULT OutputPin::Connect(IPin* receive, const AM_MEDIA_TYPE* type) {
  if (!receive) return E_POINTER;
  if (IsConnected()) return VFW_E_ALREADY_CONNECTED;
  if (!filter_.IsStopped()) return VFW_E_NOT_STOPPED;
  // Samples travel by direct calls, so only the layer's own input pins can take them.
  auto* input = dynamic_cast<InputPin*>(receive);
  if (!input) return VFW_E_CANNOT_CONNECT;
  MediaType offered;
  const HRESULT hr = GetMediaType(offered);
  if (FAILED(hr)) return hr;
  if (type) {
    const AM_MEDIA_TYPE& mine = offered.get();
    if ((type->majortype != GUID_NULL && type->majortype != mine.majortype) ||
        (type->subtype != GUID_NULL && type->subtype != mine.subtype))
      return VFW_E_TYPE_NOT_ACCEPTED;
  }
  const HRESULT accepted = receive->ReceiveConnection(this, &offered.get());
  if (FAILED(accepted)) return accepted;
  SetConnection(receive, offered.get());
  input_ = input;
  return S_OK;
}

HRESULT OutputPin::ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) { return VFW_E_INVALID_DIRECTION; }

HRESULT OutputPin::Disconnect() {
  const HRESULT hr = PinBase::Disconnect();
  if (hr == S_OK) input_ = nullptr;
  return hr;
}

HRESULT OutputPin::QueryAccept(const AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  MediaType offered;
  if (FAILED(GetMediaType(offered))) return S_FALSE;
  const AM_MEDIA_TYPE& mine = offered.get();
  return type->majortype == mine.majortype && type->subtype == mine.subtype ? S_OK : S_FALSE;
}

HRESULT OutputPin::GetMediaType(MediaType& type) { return filter_.GetOutputType(type); }

void OutputPin::Deliver(const MediaSample& sample) const {
  if (input_) input_->Receive(sample);
}

}  // namespace media

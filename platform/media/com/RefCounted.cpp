#include "platform/media/com/RefCounted.h"

namespace media {

HRESULT RefCounted::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (riid == IID_IUnknown) return Expose<IUnknown>(this, object);
  return E_NOINTERFACE;
}

unsigned long RefCounted::AddRef() { return refs_.fetch_add(1, std::memory_order_relaxed) + 1; }

unsigned long RefCounted::Release() {
  const unsigned long left = refs_.fetch_sub(1, std::memory_order_acq_rel) - 1;
  if (left == 0) delete this;
  return left;
}

}  // namespace media

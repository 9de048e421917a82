#pragma once
// The reference count shared by the layer's objects, and the helper that
// hands out one of an object's interfaces from QueryInterface.

#include <atomic>

#include "platform/media/com/Unknown.h"

namespace media {

// Base of every object the layer creates. Objects are made with `new` at a
// count of zero; the first counted reference takes them to one, and the last
// Release deletes them.
class RefCounted : public virtual IUnknown {
 public:
  RefCounted(const RefCounted&) = delete;
  RefCounted& operator=(const RefCounted&) = delete;

  // Answers IID_IUnknown only; objects add their own interfaces in front.
  HRESULT QueryInterface(REFIID riid, void** object) override;
  unsigned long AddRef() override;
  unsigned long Release() override;

 protected:
  RefCounted() = default;
  virtual ~RefCounted() = default;

 private:
  std::atomic<unsigned long> refs_{0};
};

// Stores `itf` in *object with one more reference.
template <class I>
HRESULT Expose(I* itf, void** object) {
  if (!object) return E_POINTER;
  *object = itf;
  itf->AddRef();
  return S_OK;
}

}  // namespace media

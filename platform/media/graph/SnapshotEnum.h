#pragma once
// An enumerator over a snapshot of items taken when it was made (a filter's
// pins, the device list): Next hands out one new reference per item, in
// order, and Reset starts again from the first.

#include <functional>
#include <utility>
#include <vector>

#include "platform/media/com/RefCounted.h"

namespace media {

template <class Interface, class Element, class Item>
class SnapshotEnum final : public RefCounted, public Interface {
 public:
  // Makes the element handed out for an item, with one reference for the caller.
  using MakeElement = std::function<Element*(const Item&)>;

  SnapshotEnum(const IID& iid, std::vector<Item> items, MakeElement make)
      : iid_(iid), items_(std::move(items)), make_(std::move(make)) {}

  HRESULT QueryInterface(REFIID riid, void** object) override {
    if (riid == iid_) return Expose<Interface>(this, object);
    return RefCounted::QueryInterface(riid, object);
  }

  HRESULT Next(unsigned long count, Element** elements, unsigned long* fetched) override {
    if (!elements) return E_POINTER;
    unsigned long taken = 0;
    while (taken < count && next_ < items_.size()) elements[taken++] = make_(items_[next_++]);
    if (fetched) *fetched = taken;
    return taken == count ? S_OK : S_FALSE;
  }

  HRESULT Reset() override {
    next_ = 0;
    return S_OK;
  }

 private:
  const IID iid_;
  std::vector<Item> items_;
  MakeElement make_;
  size_t next_ = 0;
};

}  // namespace media

#pragma once
// A counted interface reference: holds one reference and releases it when
// cleared, assigned anew or destroyed.

#include <cstddef>
#include <memory>
#include <utility>

template <class T>
class CComPtr {
 public:
  CComPtr() noexcept = default;
  CComPtr(std::nullptr_t) noexcept {}
  CComPtr(T* p) noexcept : p_(p) {
    if (p_) p_->AddRef();
  }
  CComPtr(const CComPtr& other) noexcept : CComPtr(other.p_) {}
  CComPtr(CComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ~CComPtr() { Release(); }

  CComPtr& operator=(T* p) noexcept {
    if (p) p->AddRef();
    Reset(p);
    return *this;
  }
  CComPtr& operator=(const CComPtr& other) noexcept { return *this = other.p_; }
  CComPtr& operator=(CComPtr&& other) noexcept {
    if (this != std::addressof(other)) Reset(std::exchange(other.p_, nullptr));
    return *this;
  }
  CComPtr& operator=(std::nullptr_t) noexcept {
    Release();
    return *this;
  }

  // Drops the reference held, if any.
  void Release() noexcept { Reset(nullptr); }
  // Takes over a reference the caller owns.
  void Attach(T* p) noexcept { Reset(p); }
  // Hands the reference over to the caller.
  T* Detach() noexcept { return std::exchange(p_, nullptr); }

  // The slot for an out-parameter. Whatever was held is released first, so
  // filling a reference that is not empty never leaks the old one.
  T** operator&() noexcept {
    Release();
    return &p_;
  }

  T* operator->() const noexcept { return p_; }
  operator T*() const noexcept { return p_; }

 private:
  void Reset(T* p) noexcept {
    // Cleared before the old object is released, in case its release
    // reaches back into this reference.
    if (T* old = std::exchange(p_, p)) old->Release();
  }

  T* p_ = nullptr;
};

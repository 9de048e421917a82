#pragma once
// The core of the layer's COM-style object model: result codes, GUIDs and
// IUnknown. Capture-graph objects are reached only through interfaces derived
// from IUnknown and live as long as someone holds a counted reference.

#include <cstdint>

using HRESULT = int32_t;

namespace media {
constexpr HRESULT Failure(uint32_t code) { return static_cast<HRESULT>(code); }
}  // namespace media

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = media::Failure(0x80004001);
inline constexpr HRESULT E_NOINTERFACE = media::Failure(0x80004002);
inline constexpr HRESULT E_POINTER = media::Failure(0x80004003);
inline constexpr HRESULT E_ABORT = media::Failure(0x80004004);
inline constexpr HRESULT E_FAIL = media::Failure(0x80004005);
inline constexpr HRESULT E_UNEXPECTED = media::Failure(0x8000FFFF);
inline constexpr HRESULT E_OUTOFMEMORY = media::Failure(0x8007000E);
inline constexpr HRESULT E_INVALIDARG = media::Failure(0x80070057);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = media::Failure(0x80040110);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = media::Failure(0x80040154);
inline constexpr HRESULT CO_E_NOTINITIALIZED = media::Failure(0x800401F0);

constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }

namespace media {
// A failure code that carries an errno value from the device side.
constexpr HRESULT HResultFromErrno(int err) {
  return Failure(0x80070000u | (static_cast<uint32_t>(err) & 0xFFFFu));
}
}  // namespace media

struct GUID {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
  friend constexpr bool operator==(const GUID&, const GUID&) = default;
};
using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

inline constexpr GUID GUID_NULL{};

namespace media {
// The ids of the layer's interfaces and classes: one family, told apart by
// the first field. They only need to be distinct within this program.
constexpr GUID LayerGuid(uint32_t n) {
  return {n, 0x6d6f, 0x7276, {0x8a, 0x6e, 0x65, 0x2d, 0x6d, 0x65, 0x64, 0x69}};
}
}  // namespace media

inline constexpr IID IID_IUnknown = media::LayerGuid(0x0001);

// Interfaces derive virtually from IUnknown, so an object implementing several
// of them has one reference count and one QueryInterface.
struct IUnknown {
  // Stores an AddRef'ed pointer to the interface `riid` in *object, or null
  // and E_NOINTERFACE when the object does not have it.
  virtual HRESULT QueryInterface(REFIID riid, void** object) = 0;
  virtual unsigned long AddRef() = 0;
  virtual unsigned long Release() = 0;

 protected:
  ~IUnknown() = default;  // objects end through Release only
};

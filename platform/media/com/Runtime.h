#pragma once
// COM start-up per thread, object creation by class id, and the task
// allocator that media types are handed out with.

#include <cstddef>
#include <functional>

#include "platform/media/com/Unknown.h"

inline constexpr unsigned long CLSCTX_INPROC_SERVER = 0x1;
inline constexpr unsigned long CLSCTX_INPROC_HANDLER = 0x2;

// Counts per thread: S_OK for the first call on a thread, S_FALSE when the
// thread is already initialised. Every call is ended by one CoUninitialize.
HRESULT CoInitialize(void* reserved);
void CoUninitialize();

// Creates an object of class `clsid` and asks it for `riid`. Fails with
// CO_E_NOTINITIALIZED on a thread without CoInitialize, REGDB_E_CLASSNOTREG
// for an unknown class, CLASS_E_NOAGGREGATION when `outer` is given.
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, unsigned long context, REFIID riid,
                         void** object);

void* CoTaskMemAlloc(size_t bytes);
void CoTaskMemFree(void* block);

namespace media {

// Makes an object of one class and asks it for `riid`.
using ClassFactory = std::function<HRESULT(REFIID riid, void** object)>;

// Puts `factory` in place for `clsid` and returns the one it replaces (empty
// when the class was not registered), so tests can put their own classes in
// and restore the layer's afterwards. An empty factory unregisters the class.
ClassFactory RegisterClassFactory(const CLSID& clsid, ClassFactory factory);

}  // namespace media

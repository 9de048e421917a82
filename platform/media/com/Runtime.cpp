#include "platform/media/com/Runtime.h"

#include <cstdlib>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/media/graph/BuiltinClasses.h"

namespace {

thread_local int tInitCount = 0;

struct GuidLess {
  bool operator()(const GUID& a, const GUID& b) const {
    if (a.Data1 != b.Data1) return a.Data1 < b.Data1;
    if (a.Data2 != b.Data2) return a.Data2 < b.Data2;
    if (a.Data3 != b.Data3) return a.Data3 < b.Data3;
    for (int i = 0; i < 8; ++i)
      if (a.Data4[i] != b.Data4[i]) return a.Data4[i] < b.Data4[i];
    return false;
  }
};

struct Registry {
  Registry() {
    for (auto& [clsid, factory] : media::BuiltinClasses()) classes[clsid] = std::move(factory);
  }
  std::mutex mutex;
  std::map<CLSID, media::ClassFactory, GuidLess> classes;
};

// The layer's own classes are put in at first use, so nothing depends on the
// order in which static objects are made.
Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

HRESULT CoInitialize(void*) { return tInitCount++ == 0 ? S_OK : S_FALSE; }

void CoUninitialize() {
  if (tInitCount > 0) --tInitCount;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, unsigned long context, REFIID riid,
                         void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (tInitCount == 0) return CO_E_NOTINITIALIZED;
  if (outer) return CLASS_E_NOAGGREGATION;
  if ((context & (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER)) == 0) return REGDB_E_CLASSNOTREG;
  media::ClassFactory factory;
  {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    auto it = registry.classes.find(clsid);
    if (it == registry.classes.end()) return REGDB_E_CLASSNOTREG;
    factory = it->second;
  }
  // Outside the lock: a factory may create further objects.
  return factory(riid, object);
}

void* CoTaskMemAlloc(size_t bytes) { return std::malloc(bytes == 0 ? 1 : bytes); }

void CoTaskMemFree(void* block) { std::free(block); }

namespace media {

ClassFactory RegisterClassFactory(const CLSID& clsid, ClassFactory factory) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  ClassFactory previous;
  auto it = registry.classes.find(clsid);
  if (it != registry.classes.end()) {
    previous = std::move(it->second);
    registry.classes.erase(it);
  }
  if (factory) registry.classes.emplace(clsid, std::move(factory));
  return previous;
}

}  // namespace media

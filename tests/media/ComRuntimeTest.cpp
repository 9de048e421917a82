// Counted references, COM start-up per thread and the class registry.

#include <gtest/gtest.h>

#include <thread>

#include "platform/media/com/ComPtr.h"
#include "platform/media/com/RefCounted.h"
#include "platform/media/com/Runtime.h"

namespace {

constexpr IID IID_IProbe = media::LayerGuid(0x7001);
constexpr CLSID CLSID_Probe = media::LayerGuid(0x7002);

struct IProbe : virtual IUnknown {
  virtual int Id() = 0;
};

// Counts the probes alive, so a leaked or doubly released reference shows.
int gAlive = 0;

class Probe final : public media::RefCounted, public IProbe {
 public:
  explicit Probe(int id = 0) : id_(id) { ++gAlive; }
  ~Probe() override { --gAlive; }
  HRESULT QueryInterface(REFIID riid, void** object) override {
    if (riid == IID_IProbe) return media::Expose<IProbe>(this, object);
    return RefCounted::QueryInterface(riid, object);
  }
  int Id() override { return id_; }

 private:
  int id_;
};

class ComPtrTest : public ::testing::Test {
 protected:
  void SetUp() override { gAlive = 0; }
  void TearDown() override { EXPECT_EQ(gAlive, 0) << "a reference leaked"; }
};

TEST_F(ComPtrTest, ReleasesOnClearReassignmentAndDestruction) {
  {
    CComPtr<IProbe> p(new Probe(1));
    EXPECT_EQ(gAlive, 1);
    p = new Probe(2);  // the first is released on reassignment
    EXPECT_EQ(gAlive, 1);
    EXPECT_EQ(p->Id(), 2);
    p.Release();
    EXPECT_EQ(gAlive, 0);
    EXPECT_FALSE(p);
    p = new Probe(3);
  }
  EXPECT_EQ(gAlive, 0);
}

TEST_F(ComPtrTest, CopiesShareAndMovesTransferTheReference) {
  CComPtr<IProbe> a(new Probe(1));
  CComPtr<IProbe> b = a;
  a.Release();
  EXPECT_EQ(gAlive, 1);  // b still holds it
  CComPtr<IProbe> c = std::move(b);
  EXPECT_FALSE(b);
  c = c;  // self-assignment keeps it
  EXPECT_EQ(c->Id(), 1);
}

TEST_F(ComPtrTest, OutParameterSlotReleasesWhatWasHeld) {
  CComPtr<IProbe> p(new Probe(1));
  IProbe** slot = &p;
  EXPECT_EQ(gAlive, 0);
  EXPECT_EQ(*slot, nullptr);
  *slot = new Probe(2);
  (*slot)->AddRef();
  EXPECT_EQ(p->Id(), 2);
}

TEST_F(ComPtrTest, QueryInterfaceAnswersOnlyWhatTheObjectHas) {
  CComPtr<IProbe> p(new Probe(7));
  CComPtr<IUnknown> unknown;
  EXPECT_EQ(p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  CComPtr<IProbe> again;
  EXPECT_EQ(unknown->QueryInterface(IID_IProbe, reinterpret_cast<void**>(&again)), S_OK);
  EXPECT_EQ(again->Id(), 7);
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(p->QueryInterface(media::LayerGuid(0x7FFF), &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
}

TEST(ComRuntimeTest, InitialisationIsCountedPerThread) {
  std::thread([] {
    void* object = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_Probe, nullptr, CLSCTX_INPROC_SERVER, IID_IProbe, &object),
              CO_E_NOTINITIALIZED);
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(CoCreateInstance(CLSID_Probe, nullptr, CLSCTX_INPROC_SERVER, IID_IProbe, &object),
              CO_E_NOTINITIALIZED);
  }).join();
}

TEST(ComRuntimeTest, RegisteredClassIsCreatedAndTheOldOneRestored) {
  CoInitialize(nullptr);
  void* object = nullptr;
  EXPECT_EQ(CoCreateInstance(CLSID_Probe, nullptr, CLSCTX_INPROC_SERVER, IID_IProbe, &object),
            REGDB_E_CLASSNOTREG);

  media::ClassFactory previous =
      media::RegisterClassFactory(CLSID_Probe, [](REFIID riid, void** out) {
        CComPtr<IProbe> probe(new Probe(42));
        return probe->QueryInterface(riid, out);
      });
  EXPECT_FALSE(previous);
  CComPtr<IProbe> probe;
  ASSERT_EQ(CoCreateInstance(CLSID_Probe, nullptr, CLSCTX_INPROC_SERVER, IID_IProbe,
                             reinterpret_cast<void**>(&probe)),
            S_OK);
  EXPECT_EQ(probe->Id(), 42);

  IUnknown* outer = probe;
  EXPECT_EQ(CoCreateInstance(CLSID_Probe, outer, CLSCTX_INPROC_SERVER, IID_IProbe, &object),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(CoCreateInstance(CLSID_Probe, nullptr, CLSCTX_INPROC_SERVER, media::LayerGuid(0x7FFF),
                             &object),
            E_NOINTERFACE);

  media::ClassFactory ours = media::RegisterClassFactory(CLSID_Probe, std::move(previous));
  EXPECT_TRUE(ours);
  EXPECT_EQ(CoCreateInstance(CLSID_Probe, nullptr, CLSCTX_INPROC_SERVER, IID_IProbe, &object),
            REGDB_E_CLASSNOTREG);
  probe.Release();
  EXPECT_EQ(gAlive, 0);
  CoUninitialize();
}

}  // namespace

// The system device enumerator over the capture device list.

#include <gtest/gtest.h>

#include <string>

#include "media/FakeCaptureDevice.h"
#include "platform/media/dshow.h"

namespace {

class DeviceEnumTest : public ::testing::Test {
 protected:
  void SetUp() override { CoInitialize(nullptr); }
  void TearDown() override { CoUninitialize(); }

  // S_OK and the walk, or the result and no walk.
  HRESULT Walk(CComPtr<IEnumMoniker>& devices, REFCLSID category = CLSID_VideoInputDeviceCategory) {
    CComPtr<ICreateDevEnum> enumerator;
    EXPECT_EQ(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER,
                               IID_ICreateDevEnum, reinterpret_cast<void**>(&enumerator)),
              S_OK);
    return enumerator->CreateClassEnumerator(category, &devices, 0);
  }

  static std::wstring FriendlyName(IMoniker* device, HRESULT* result = nullptr) {
    CComPtr<IPropertyBag> bag;
    EXPECT_EQ(device->BindToStorage(nullptr, nullptr, IID_IPropertyBag, reinterpret_cast<void**>(&bag)),
              S_OK);
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    const HRESULT hr = bag->Read(L"FriendlyName", &value, nullptr);
    if (result) *result = hr;
    std::wstring name = hr == S_OK ? value.bstrVal : L"";
    VariantClear(&value);
    return name;
  }
};

TEST_F(DeviceEnumTest, EmptyListAndOtherCategoriesHaveNoWalk) {
  fake::ScopedDevices none({});
  CComPtr<IEnumMoniker> devices;
  EXPECT_EQ(Walk(devices), S_FALSE);
  EXPECT_FALSE(devices);

  fake::ScopedDevices one({fake::Entry("cam", fake::NewDevice(media::kPixYUYV, 8, 4))});
  EXPECT_EQ(Walk(devices, media::LayerGuid(0x7777)), S_FALSE);
  EXPECT_FALSE(devices);
}

TEST_F(DeviceEnumTest, WalksTheListInOrderAndRestartsOnReset) {
  fake::ScopedDevices list({fake::Entry("first", fake::NewDevice(media::kPixYUYV, 8, 4)),
                            fake::Entry("USB \xE6\x91\x84\xE5\x83\x8F", fake::NewDevice(media::kPixYUYV, 8, 4))});
  CComPtr<IEnumMoniker> devices;
  ASSERT_EQ(Walk(devices), S_OK);
  IMoniker* two[2] = {};
  unsigned long fetched = 0;
  ASSERT_EQ(devices->Next(2, two, &fetched), S_OK);
  ASSERT_EQ(fetched, 2u);
  CComPtr<IMoniker> first, second;
  first.Attach(two[0]);
  second.Attach(two[1]);
  EXPECT_EQ(FriendlyName(first), L"first");
  EXPECT_EQ(FriendlyName(second), L"USB \u6444\u50CF");

  CComPtr<IMoniker> past;
  EXPECT_EQ(devices->Next(1, &past, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);
  EXPECT_EQ(devices->Reset(), S_OK);
  ASSERT_EQ(devices->Next(1, &past, nullptr), S_OK);
  EXPECT_EQ(FriendlyName(past), L"first");
}

TEST_F(DeviceEnumTest, UnreadableNameFailsTheRead) {
  fake::ScopedDevices list({fake::Entry("hidden", fake::NewDevice(media::kPixYUYV, 8, 4), false)});
  CComPtr<IEnumMoniker> devices;
  ASSERT_EQ(Walk(devices), S_OK);
  CComPtr<IMoniker> device;
  ASSERT_EQ(devices->Next(1, &device, nullptr), S_OK);
  HRESULT read = S_OK;
  FriendlyName(device, &read);
  EXPECT_NE(read, S_OK);
}

TEST_F(DeviceEnumTest, BindingOpensTheDeviceIntoACaptureFilter) {
  auto state = fake::NewDevice(media::kPixYUYV, 8, 4);
  fake::ScopedDevices list({fake::Entry("cam", state), fake::Unopenable("broken")});
  CComPtr<IEnumMoniker> devices;
  ASSERT_EQ(Walk(devices), S_OK);
  CComPtr<IMoniker> device;
  ASSERT_EQ(devices->Next(1, &device, nullptr), S_OK);
  {
    CComPtr<IBaseFilter> filter;
    ASSERT_EQ(device->BindToObject(nullptr, nullptr, IID_IBaseFilter, reinterpret_cast<void**>(&filter)),
              S_OK);
    EXPECT_EQ(state->devicesAlive, 1);
  }
  EXPECT_EQ(state->devicesAlive, 0) << "the filter owns the device and frees it with itself";

  ASSERT_EQ(devices->Next(1, &device, nullptr), S_OK);
  CComPtr<IBaseFilter> none;
  EXPECT_TRUE(FAILED(device->BindToObject(nullptr, nullptr, IID_IBaseFilter, reinterpret_cast<void**>(&none))));
  EXPECT_FALSE(none);
}

}  // namespace

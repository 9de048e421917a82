#pragma once
// A capture graph over a fake device, built directly on the layer's
// interfaces: capture filter -> sample grabber -> null renderer.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "media/FakeCaptureDevice.h"
#include "platform/media/dshow.h"
#include "platform/media/graph/CaptureFilter.h"

namespace graphtest {

inline CComPtr<IPin> FirstPin(IBaseFilter* filter, PIN_DIRECTION wanted) {
  CComPtr<IEnumPins> pins;
  filter->EnumPins(&pins);
  CComPtr<IPin> pin;
  while (pins->Next(1, &pin, nullptr) == S_OK) {
    PIN_DIRECTION dir;
    pin->QueryDirection(&dir);
    if (dir == wanted) return pin;
  }
  return nullptr;
}

// The filter at the other end of `pin`'s connection.
inline CComPtr<IBaseFilter> PeerFilter(IPin* pin) {
  CComPtr<IPin> peer;
  if (FAILED(pin->ConnectedTo(&peer))) return nullptr;
  PIN_INFO info{};
  peer->QueryPinInfo(&info);
  CComPtr<IBaseFilter> filter;
  filter.Attach(info.pFilter);
  return filter;
}

struct TestGraph {
  // `acceptRgbOnly`: the grabber takes RGB24 video only, as the camera sets it.
  explicit TestGraph(std::shared_ptr<fake::DeviceState> state, bool acceptRgbOnly = true)
      : device(std::move(state)) {
    CoInitialize(nullptr);
    EXPECT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                               reinterpret_cast<void**>(&graph)),
              S_OK);
    graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control));
    graph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(&events));
    CoCreateInstance(CLSID_VideoCaptureFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                     reinterpret_cast<void**>(&source));
    CComPtr<media::ICaptureDeviceFilter> attach;
    source->QueryInterface(media::IID_ICaptureDeviceFilter, reinterpret_cast<void**>(&attach));
    EXPECT_EQ(attach->AttachDevice(std::make_unique<fake::FakeDevice>(device)), S_OK);
    CoCreateInstance(CLSID_SampleGrabber, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                     reinterpret_cast<void**>(&grabberFilter));
    grabberFilter->QueryInterface(IID_ISampleGrabber, reinterpret_cast<void**>(&grabber));
    CoCreateInstance(CLSID_NullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                     reinterpret_cast<void**>(&sink));
    if (acceptRgbOnly) {
      AM_MEDIA_TYPE rgb{};
      rgb.majortype = MEDIATYPE_Video;
      rgb.subtype = MEDIASUBTYPE_RGB24;
      rgb.formattype = FORMAT_VideoInfo;
      grabber->SetMediaType(&rgb);
    }
    grabber->SetBufferSamples(true);
    grabber->SetOneShot(true);
    graph->AddFilter(source, L"Capture Filter");
    graph->AddFilter(grabberFilter, L"Grabber");
    graph->AddFilter(sink, L"NullRenderer");
  }
  ~TestGraph() { CoUninitialize(); }

  HRESULT ConnectAll() {
    const HRESULT hr = graph->Connect(FirstPin(source, PINDIR_OUTPUT), FirstPin(grabberFilter, PINDIR_INPUT));
    if (FAILED(hr)) return hr;
    return graph->Connect(FirstPin(grabberFilter, PINDIR_OUTPUT), FirstPin(sink, PINDIR_INPUT));
  }

  // Completion now, without waiting: S_OK when the graph has completed.
  HRESULT CompletedNow() {
    long code = 0;
    const HRESULT hr = events->WaitForCompletion(0, &code);
    if (hr == S_OK) {
      EXPECT_EQ(code, EC_COMPLETE);
    }
    return hr;
  }

  std::vector<uint8_t> CurrentSample() {
    long bytes = 0;
    grabber->GetCurrentBuffer(&bytes, nullptr);
    std::vector<uint8_t> sample(static_cast<size_t>(bytes));
    if (bytes > 0) {
      EXPECT_EQ(grabber->GetCurrentBuffer(&bytes, sample.data()), S_OK);
    }
    return sample;
  }

  std::shared_ptr<fake::DeviceState> device;
  CComPtr<IGraphBuilder> graph;
  CComPtr<IMediaControl> control;
  CComPtr<IMediaEvent> events;
  CComPtr<IBaseFilter> source;
  CComPtr<IBaseFilter> grabberFilter;
  CComPtr<ISampleGrabber> grabber;
  CComPtr<IBaseFilter> sink;
};

// Owns a TestGraph and checks, when the test ends, that letting go of every
// reference frees the device: no reference was leaked anywhere in the graph.
class GraphTest : public ::testing::Test {
 protected:
  TestGraph& Make(std::shared_ptr<fake::DeviceState> state, bool acceptRgbOnly = true) {
    state_ = state;
    graph_ = std::make_unique<TestGraph>(std::move(state), acceptRgbOnly);
    return *graph_;
  }
  void TearDown() override {
    graph_.reset();
    if (state_) {
      EXPECT_EQ(state_->devicesAlive, 0) << "a reference to the graph leaked";
    }
  }

 private:
  std::shared_ptr<fake::DeviceState> state_;
  std::unique_ptr<TestGraph> graph_;
};

}  // namespace graphtest

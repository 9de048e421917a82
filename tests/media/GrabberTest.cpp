// The sample grabber's buffered copy and its one-shot completion, through a
// running graph.

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "media/GraphFixture.h"

namespace {

using graphtest::GraphTest;
using graphtest::TestGraph;

std::vector<uint8_t> Frame(uint8_t luma) { return fake::YuyvFrame(8, 4, luma, luma); }

TEST_F(GraphTest, OneShotCompletesOnASampleNotYetCopiedOut) {
  TestGraph& g = Make(fake::NewDevice(media::kPixYUYV, 8, 4));
  ASSERT_EQ(g.ConnectAll(), S_OK);

  EXPECT_EQ(g.control->Run(), S_OK);
  EXPECT_EQ(g.CompletedNow(), E_ABORT) << "no sample yet";
  g.device->Push(Frame(50));
  EXPECT_EQ(g.CompletedNow(), S_OK) << "the first sample completes the run";

  // Nobody copied that sample (as when a grab stopped waiting before it came).
  EXPECT_EQ(g.control->Run(), S_OK);
  EXPECT_EQ(g.CompletedNow(), S_OK) << "a sample not yet taken completes at once";
  g.CurrentSample();
  EXPECT_EQ(g.control->Run(), S_OK);
  EXPECT_EQ(g.CompletedNow(), E_ABORT) << "that sample was taken already";
  g.device->Push(Frame(60));
  EXPECT_EQ(g.CompletedNow(), S_OK) << "an armed run completes when the next sample comes";
  g.CurrentSample();

  g.device->Push(Frame(70));
  EXPECT_EQ(g.control->Run(), S_OK);
  EXPECT_EQ(g.CompletedNow(), S_OK) << "a newer sample was already held";
  g.CurrentSample();
  g.device->Push(Frame(80));
  g.device->Push(Frame(90));
  g.CurrentSample();  // takes the newest: nothing older is due any more
  EXPECT_EQ(g.control->Run(), S_OK);
  EXPECT_EQ(g.CompletedNow(), E_ABORT);
  g.control->Stop();
}

TEST_F(GraphTest, WaitingOnAStoppedGraphIsAWrongState) {
  TestGraph& g = Make(fake::NewDevice(media::kPixYUYV, 8, 4));
  ASSERT_EQ(g.ConnectAll(), S_OK);
  long code = 7;
  EXPECT_EQ(g.events->WaitForCompletion(INFINITE, &code), VFW_E_WRONG_STATE);
  EXPECT_EQ(code, 0);
  g.control->Run();
  g.device->Push(Frame(50));
  g.control->Stop();
  EXPECT_EQ(g.events->WaitForCompletion(INFINITE, &code), VFW_E_WRONG_STATE);
}

TEST_F(GraphTest, CurrentBufferNeverWritesMoreThanItIsGiven) {
  TestGraph& g = Make(fake::NewDevice(media::kPixYUYV, 8, 4));
  ASSERT_EQ(g.ConnectAll(), S_OK);
  long bytes = 99;
  uint8_t buffer[128];
  EXPECT_EQ(g.grabber->GetCurrentBuffer(&bytes, nullptr), S_OK);
  EXPECT_EQ(bytes, 0) << "nothing held yet";
  EXPECT_EQ(g.grabber->GetCurrentBuffer(&bytes, buffer), VFW_E_WRONG_STATE);

  g.control->Run();
  g.device->Push(Frame(50));
  EXPECT_EQ(g.grabber->GetCurrentBuffer(&bytes, nullptr), S_OK);
  EXPECT_EQ(bytes, 96) << "8x4 RGB24: rows of 24 bytes";

  std::memset(buffer, 0xAB, sizeof buffer);
  bytes = 95;
  EXPECT_EQ(g.grabber->GetCurrentBuffer(&bytes, buffer), E_OUTOFMEMORY);
  for (uint8_t b : buffer) ASSERT_EQ(b, 0xAB) << "written although it did not fit";

  bytes = sizeof buffer;
  EXPECT_EQ(g.grabber->GetCurrentBuffer(&bytes, buffer), S_OK);
  EXPECT_EQ(bytes, 96);
  EXPECT_EQ(buffer[96], 0xAB);
  g.control->Stop();
}

TEST_F(GraphTest, UnpluggedDeviceAbortsTheWaitAndTheGraphStillStops) {
  TestGraph& g = Make(fake::NewDevice(media::kPixYUYV, 8, 4));
  ASSERT_EQ(g.ConnectAll(), S_OK);
  g.control->Run();
  g.device->Push(Frame(50));
  g.device->Unplug();
  EXPECT_EQ(g.control->Run(), S_OK);
  long code = 0;
  EXPECT_EQ(g.events->WaitForCompletion(INFINITE, &code), S_OK) << "an ended stream must not hang";
  EXPECT_EQ(code, EC_ERRORABORT);
  EXPECT_EQ(g.control->Stop(), S_OK);
  EXPECT_TRUE(FAILED(g.control->Run())) << "a device that is gone cannot start again";
  EXPECT_EQ(g.events->WaitForCompletion(INFINITE, &code), VFW_E_WRONG_STATE);
  EXPECT_EQ(g.CurrentSample().size(), 96u) << "the last sample is still held";
}

// A device that streams on a thread of its own, as real ones do, until it
// is stopped or `framesBeforeLoss` frames have gone out.
class StreamingDevice : public media::CaptureDevice {
 public:
  StreamingDevice(std::shared_ptr<fake::DeviceState> state, int framesBeforeLoss)
      : state_(std::move(state)), framesBeforeLoss_(framesBeforeLoss) {
    ++state_->devicesAlive;
  }
  ~StreamingDevice() override {
    Stop();
    --state_->devicesAlive;
  }
  int GetFormat(media::VideoFormat& current) override {
    current = state_->format;
    return 0;
  }
  int SetFormat(const media::VideoFormat&, media::VideoFormat& applied) override {
    applied = state_->format;
    return 0;
  }
  std::vector<media::VideoInput> Inputs() override { return {}; }
  int SelectInput(int) override { return 0; }
  int Start(FrameHandler onFrame, EndHandler onEnd) override {
    stop_ = false;
    thread_ = std::thread([this, onFrame, onEnd] {
      const std::vector<uint8_t> frame = fake::YuyvFrame(8, 4, 100, 100);
      for (int n = 0; !stop_; ++n) {
        if (n == framesBeforeLoss_) {
          onEnd(ENODEV);
          return;
        }
        onFrame(media::FrameView{frame.data(), frame.size(), uint64_t(n)});
        std::this_thread::sleep_for(std::chrono::milliseconds(1));  // the device's own pace
      }
    });
    return 0;
  }
  void Stop() override {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }

 private:
  std::shared_ptr<fake::DeviceState> state_;
  int framesBeforeLoss_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

TEST(StreamingGraphTest, CompletesOnFramesFromTheDeviceThreadUntilItIsLost) {
  auto state = fake::NewDevice(media::kPixYUYV, 8, 4);
  {
    TestGraph g(state);
    // Swap in a threaded device: a second capture filter in place of the first.
    g.graph->RemoveFilter(g.source);
    g.source.Release();
    CoCreateInstance(CLSID_VideoCaptureFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                     reinterpret_cast<void**>(&g.source));
    CComPtr<media::ICaptureDeviceFilter> attach;
    g.source->QueryInterface(media::IID_ICaptureDeviceFilter, reinterpret_cast<void**>(&attach));
    attach->AttachDevice(std::make_unique<StreamingDevice>(state, 40));
    g.graph->AddFilter(g.source, L"Capture Filter");
    ASSERT_EQ(g.ConnectAll(), S_OK);

    long code = 0;
    int completions = 0;
    // Bounded waits only: each frame comes within milliseconds.
    while (completions < 60) {
      g.control->Run();
      ASSERT_EQ(g.events->WaitForCompletion(10'000, &code), S_OK);
      if (code == EC_ERRORABORT) break;
      ++completions;
      EXPECT_EQ(g.CurrentSample().size(), 96u);
    }
    EXPECT_EQ(code, EC_ERRORABORT) << "the device was lost after 40 frames";
    EXPECT_GE(completions, 1);
    EXPECT_LE(completions, 40);
    g.control->Stop();
  }
  EXPECT_EQ(state->devicesAlive, 0);
}

}  // namespace

#pragma once
// The sample grabber: passes samples through, keeps a copy of the newest
// under a lock, and in one-shot mode completes each run of the graph on the
// first sample the caller has not copied out yet (at once when one is held).

#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/media/dshow/Capture.h"
#include "platform/media/graph/FilterBase.h"

namespace media {

class SampleGrabber final : public FilterBase, public ISampleGrabber {
 public:
  SampleGrabber();

  HRESULT QueryInterface(REFIID riid, void** object) override;

  HRESULT SetOneShot(bool oneShot) override;
  HRESULT SetMediaType(const AM_MEDIA_TYPE* type) override;
  HRESULT GetConnectedMediaType(AM_MEDIA_TYPE* type) override;
  HRESULT SetBufferSamples(bool buffer) override;
  HRESULT GetCurrentBuffer(long* bytes, void* buffer) override;

  bool CheckInputType(const AM_MEDIA_TYPE& type) override;
  HRESULT GetOutputType(MediaType& type) override;
  void Receive(const MediaSample& sample) override;

 protected:
  HRESULT OnRun() override;
  void OnStop() override;

 private:
  // Fires the completion if armed and a sample newer than the last one
  // copied out has come. Called with mutex_ held.
  void CompleteIfDue();

  InputPin input_{*this, L"Input"};
  OutputPin output_{*this, L"Output"};
  GUID acceptedMajor_ = GUID_NULL;
  GUID acceptedSub_ = GUID_NULL;
  GUID acceptedFormat_ = GUID_NULL;

  std::mutex mutex_;  // guards everything below; taken on the streaming thread
  bool oneShot_ = false;
  bool buffering_ = false;
  bool armed_ = false;
  std::vector<uint8_t> sample_;
  bool holding_ = false;
  uint64_t received_ = 0;  // samples taken in so far
  // The last sample copied out. A completion that nobody took (its wait had
  // given up before it came) is given again on the next run, and a sample
  // once copied never completes a run again, so no frame is lost or doubled.
  uint64_t taken_ = 0;
};

}  // namespace media

#pragma once
// The converter the graph puts between a device and an input that wants
// RGB24: YUY2, MJPG or top-down RGB24 in, bottom-up RGB24 out. Frames that
// cannot be converted (short or undecodable) are dropped.

#include <cstdint>
#include <vector>

#include "platform/media/CaptureDevice.h"
#include "platform/media/graph/FilterBase.h"

namespace media {

class Converter final : public FilterBase {
 public:
  Converter();

  InputPin& Input() { return input_; }
  OutputPin& Output() { return output_; }

  bool CheckInputType(const AM_MEDIA_TYPE& type) override;
  void InputConnected(const AM_MEDIA_TYPE& type) override;
  HRESULT GetOutputType(MediaType& type) override;
  void Receive(const MediaSample& sample) override;

 private:
  InputPin input_{*this, L"Input"};
  OutputPin output_{*this, L"Output"};
  VideoFormat from_;
  MediaType to_;
  std::vector<uint8_t> converted_;  // used on the streaming thread only
};

}  // namespace media

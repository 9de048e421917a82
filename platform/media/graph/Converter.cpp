#include "platform/media/graph/Converter.h"

#include "platform/media/PixelConvert.h"

namespace media {

Converter::Converter() {
  AddPin(input_);
  AddPin(output_);
}

bool Converter::CheckInputType(const AM_MEDIA_TYPE& type) {
  return ConvertibleFormat(type).has_value();
}

void Converter::InputConnected(const AM_MEDIA_TYPE& type) {
  from_ = *ConvertibleFormat(type);
  to_ = Rgb24Type(from_.width, from_.height, VideoFrameTime(type));
  converted_.assign(Rgb24SampleBytes(from_.width, from_.height), 0);
}

HRESULT Converter::GetOutputType(MediaType& type) {
  if (!input_.IsConnected()) return VFW_E_NOT_CONNECTED;
  type = to_;
  return S_OK;
}

void Converter::Receive(const MediaSample& sample) {
  if (!ConvertToRgb24Sample(from_, sample.data, sample.bytes, converted_.data(), converted_.size()))
    return;
  output_.Deliver({converted_.data(), converted_.size()});
}

}  // namespace media

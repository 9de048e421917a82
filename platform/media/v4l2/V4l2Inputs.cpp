// The video inputs of a V4L2 capture node, as crossbar inputs.

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/media/v4l2/V4l2Device.h"
#include "platform/media/v4l2/Xioctl.h"

namespace media {
namespace {

bool NameHas(std::string name, const char* word) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return name.find(word) != std::string::npos;
}

// V4L2 knows only tuners and "cameras"; analogue cards tell their composite
// and S-Video connectors apart by the input's name alone.
int PhysicalType(uint32_t type, const std::string& name) {
  if (type == V4L2_INPUT_TYPE_TUNER) return kPhysVideoTuner;
  if (NameHas(name, "s-video") || NameHas(name, "svideo")) return kPhysVideoSVideo;
  if (NameHas(name, "composite") || NameHas(name, "cvbs")) return kPhysVideoComposite;
  return kPhysVideoParallelDigital;
}

}  // namespace

std::vector<VideoInput> V4l2Device::Inputs() {
  std::vector<VideoInput> inputs;
  // Bounded: a driver that never says EINVAL must not keep us here.
  for (uint32_t i = 0; i < 64; ++i) {
    v4l2_input input{};
    input.index = i;
    if (MEDIA_IOCTL(m_fd.Ops(), m_fd.Get(), VIDIOC_ENUMINPUT, &input, EINVAL) != 0) break;
    const char* name = reinterpret_cast<const char*>(input.name);
    std::string text(name, strnlen(name, sizeof input.name));
    const int type = PhysicalType(input.type, text);
    inputs.push_back({std::move(text), type});
  }
  return inputs;
}

int V4l2Device::SelectInput(int index) {
  if (index < 0) return EINVAL;
  int value = index;
  return MEDIA_IOCTL(m_fd.Ops(), m_fd.Get(), VIDIOC_S_INPUT, &value);
}

}  // namespace media

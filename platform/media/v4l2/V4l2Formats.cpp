// Format negotiation of a V4L2 capture node.

#include <cerrno>
#include <initializer_list>

#include "platform/media/PixelFormats.h"
#include "platform/media/v4l2/V4l2Device.h"
#include "platform/media/v4l2/Xioctl.h"

namespace media {
namespace {

VideoFormat FromV4l2(const v4l2_pix_format& pix) {
  VideoFormat format;
  format.fourcc = pix.pixelformat;
  format.width = int(pix.width);
  format.height = int(pix.height);
  format.bytesPerLine = pix.bytesperline;
  format.sizeImage = pix.sizeimage;
  return format;
}

// The frame interval, when the driver knows one; 0/0 otherwise.
void ReadInterval(DeviceOps& ops, int fd, VideoFormat& format) {
  v4l2_streamparm parm{};
  parm.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  if (MEDIA_IOCTL(ops, fd, VIDIOC_G_PARM, &parm, ENOTTY) != 0) return;
  const v4l2_fract& t = parm.parm.capture.timeperframe;
  if (t.numerator == 0 || t.denominator == 0) return;
  format.intervalNumerator = t.numerator;
  format.intervalDenominator = t.denominator;
}

bool Offers(DeviceOps& ops, int fd, uint32_t fourcc) {
  for (uint32_t i = 0; i < 256; ++i) {
    v4l2_fmtdesc desc{};
    desc.index = i;
    desc.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (MEDIA_IOCTL(ops, fd, VIDIOC_ENUM_FMT, &desc, EINVAL) != 0) return false;
    if (desc.pixelformat == fourcc) return true;
  }
  return false;
}

}  // namespace

int V4l2Device::GetFormat(VideoFormat& current) {
  v4l2_format fmt{};
  fmt.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  if (int err = MEDIA_IOCTL(m_fd.Ops(), m_fd.Get(), VIDIOC_G_FMT, &fmt)) return err;
  current = FromV4l2(fmt.fmt.pix);
  ReadInterval(m_fd.Ops(), m_fd.Get(), current);
  return 0;
}

int V4l2Device::SetFormat(const VideoFormat& wanted, VideoFormat& applied) {
  if (wanted.width <= 0 || wanted.height <= 0) return EINVAL;
  v4l2_format fmt{};
  fmt.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  if (int err = MEDIA_IOCTL(m_fd.Ops(), m_fd.Get(), VIDIOC_G_FMT, &fmt)) return err;
  if (wanted.fourcc != 0) fmt.fmt.pix.pixelformat = wanted.fourcc;
  fmt.fmt.pix.width = uint32_t(wanted.width);
  fmt.fmt.pix.height = uint32_t(wanted.height);
  fmt.fmt.pix.field = V4L2_FIELD_ANY;
  fmt.fmt.pix.bytesperline = 0;  // the driver's choice
  fmt.fmt.pix.sizeimage = 0;
  // The driver adjusts what it cannot do; the caller compares.
  if (int err = MEDIA_IOCTL(m_fd.Ops(), m_fd.Get(), VIDIOC_S_FMT, &fmt)) return err;
  applied = FromV4l2(fmt.fmt.pix);
  ReadInterval(m_fd.Ops(), m_fd.Get(), applied);
  return 0;
}

// Cameras may come up in a format we cannot turn into RGB24 (H.264, NV12);
// most also offer YUYV or MJPG, at the same size.
void V4l2Device::PreferConvertibleFormat() {
  VideoFormat current;
  if (GetFormat(current) != 0 || FindPixelFormat(current.fourcc)) return;
  for (uint32_t fourcc : {kPixYUYV, kPixMJPG, kPixBGR24}) {
    if (!Offers(m_fd.Ops(), m_fd.Get(), fourcc)) continue;
    VideoFormat wanted = current, applied;
    wanted.fourcc = fourcc;
    if (SetFormat(wanted, applied) == 0 && applied.fourcc == fourcc) return;
  }
}

}  // namespace media

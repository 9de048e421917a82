// Fetching one frame from the grabber's copy of the newest sample.

#include <opencv2/core.hpp>

#include "capture/CameraGraph.h"
#include "platform/media/PixelConvert.h"
#include "platform/media/dshow.h"

namespace {

// How long a grab waits for a new sample: a few frame periods, so a camera
// that stops delivering never holds up the window for longer.
constexpr long kGrabWaitMs = 100;

// A zeroed frame image laid out as an RGB24 sample: rows of width*3 bytes
// padded to a multiple of four, so a sample fills it exactly.
std::unique_ptr<cv::Mat> NewFrameImage(int width, int height) {
  cv::Mat rows(height, int(media::Rgb24Stride(width)), CV_8UC1, cv::Scalar(0));
  return std::make_unique<cv::Mat>(rows.colRange(0, width * 3).reshape(3));
}

}  // namespace

cv::Mat* CCameraGraph::GrabFrame() {
  m_bNewFrame = false;
  if (!m_bGraphBuilt) return nullptr;
  m_spControl->Run();
  long code = 0;
  if (m_spEvents->WaitForCompletion(kGrabWaitMs, &code) != S_OK || code != EC_COMPLETE)
    return m_pImage.get();

  long bytes = 0;
  m_spGrabber->GetCurrentBuffer(&bytes, nullptr);
  if (bytes == 0) return m_pImage.get();
  // Only a whole picture of the connected size is taken: a sample of any
  // other size is never read as if it were one.
  if (m_nFrameWidth <= 0 || m_nFrameHeight <= 0 ||
      size_t(bytes) != media::Rgb24SampleBytes(m_nFrameWidth, m_nFrameHeight))
    return m_pImage.get();

  if (bytes != m_nSampleBytes) {
    m_nSampleBytes = int(bytes);
    m_pImage = NewFrameImage(m_nFrameWidth, m_nFrameHeight);
  }
  // The held sample may have been replaced since its size was asked: a
  // picture is flipped only when a whole one was copied.
  long copied = m_nSampleBytes;
  if (FAILED(m_spGrabber->GetCurrentBuffer(&copied, m_pImage->data)) || copied != m_nSampleBytes)
    return m_pImage.get();
  // Samples come bottom row first; the frame image is top row first.
  cv::flip(*m_pImage, *m_pImage, 0);
  m_bNewFrame = true;
  return m_pImage.get();
}

// recording-check [--codes] FILE.avi
//
// Reads a recording back with OpenCV's FFmpeg reader and prints one
// key=value a line: the stream's size, rate and codec, the number of
// decoded frames, what the virtual camera's frame codes say about frames
// repeated or left out, and how many frames carry the recording indicator.
// Exit status 0 when the file was read, 2 when it could not be opened,
// 1 on a usage error.

#include <cstdio>
#include <string>
#include <vector>

#include <opencv2/core.hpp>
#include <opencv2/videoio.hpp>

#include "platform/media/FrameCode.h"

namespace {

// Where the preview's red ball sits in a 640x480 frame.
const cv::Rect kIndicatorArea(598, 5, 32, 32);
// The ball covers about 200 pixels of the area; compression blurs its rim
// but leaves far more than this many plainly red pixels.
constexpr int kIndicatorPixels = 20;

int RedPixels(const cv::Mat& bgr) {
  if (bgr.type() != CV_8UC3) return 0;
  const cv::Rect area = kIndicatorArea & cv::Rect(0, 0, bgr.cols, bgr.rows);
  int count = 0;
  for (int y = area.y; y < area.y + area.height; ++y) {
    const cv::Vec3b* row = bgr.ptr<cv::Vec3b>(y);
    for (int x = area.x; x < area.x + area.width; ++x) {
      const cv::Vec3b& p = row[x];  // blue, green, red
      if (p[2] > 160 && p[1] < 100 && p[0] < 100) ++count;
    }
  }
  return count;
}

std::string FourccText(double property) {
  const auto code = static_cast<unsigned>(property);
  std::string text;
  for (int i = 0; i < 4; ++i) {
    const char c = static_cast<char>((code >> (8 * i)) & 0xFF);
    text += (c >= 0x20 && c < 0x7F) ? c : '?';
  }
  return text;
}

struct Summary {
  int frames = 0;
  int codesRead = 0;
  int unreadable = 0;
  int repeats = 0;          // a code not above the last one read
  long long skipped = 0;    // camera frames missing between read codes
  int indicatorFrames = 0;
  int indicatorMost = 0;    // most red pixels seen in the area in one frame
  long long firstCode = -1;
  long long lastCode = -1;
  std::vector<long long> codes;  // one per frame, -1 when unreadable
};

void Count(Summary& s, const cv::Mat& frame) {
  ++s.frames;
  const long long code = media::ReadFrameCode(frame);
  s.codes.push_back(code);
  if (code < 0) {
    ++s.unreadable;
  } else {
    if (s.codesRead == 0) {
      s.firstCode = code;
    } else if (code <= s.lastCode) {
      ++s.repeats;
    } else {
      s.skipped += code - s.lastCode - 1;
    }
    // After a repeat the next gap counts from the lower code, so a frame
    // that went backwards is not also reported as frames skipped.
    s.lastCode = code;
    ++s.codesRead;
  }
  const int red = RedPixels(frame);
  if (red >= kIndicatorPixels) ++s.indicatorFrames;
  if (red > s.indicatorMost) s.indicatorMost = red;
}

}  // namespace

int main(int argc, char** argv) {
  bool listCodes = false;
  const char* path = nullptr;
  bool usageError = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--codes")
      listCodes = true;
    else if (path || arg.rfind("--", 0) == 0)
      usageError = true;  // an unknown option or a second file
    else
      path = argv[i];
  }
  if (!path || usageError) {
    std::fprintf(stderr, "usage: %s [--codes] FILE.avi\n", argv[0]);
    return 1;
  }

  cv::VideoCapture capture(path, cv::CAP_FFMPEG);
  if (!capture.isOpened()) {
    std::fprintf(stderr, "cannot open %s\n", path);
    return 2;
  }
  std::printf("width=%d\n", static_cast<int>(capture.get(cv::CAP_PROP_FRAME_WIDTH)));
  std::printf("height=%d\n", static_cast<int>(capture.get(cv::CAP_PROP_FRAME_HEIGHT)));
  std::printf("fps=%g\n", capture.get(cv::CAP_PROP_FPS));
  std::printf("fourcc=%s\n", FourccText(capture.get(cv::CAP_PROP_FOURCC)).c_str());

  Summary s;
  cv::Mat frame;
  while (capture.read(frame)) Count(s, frame);

  std::printf("frames=%d\n", s.frames);
  std::printf("codes_read=%d\n", s.codesRead);
  std::printf("first_code=%lld\n", s.firstCode);
  std::printf("last_code=%lld\n", s.lastCode);
  std::printf("repeats=%d\n", s.repeats);
  std::printf("skipped=%lld\n", s.skipped);
  std::printf("unreadable=%d\n", s.unreadable);
  std::printf("indicator_frames=%d\n", s.indicatorFrames);
  std::printf("indicator_most_pixels=%d\n", s.indicatorMost);
  if (listCodes) {
    std::printf("codes=");
    for (size_t i = 0; i < s.codes.size(); ++i) std::printf(i ? " %lld" : "%lld", s.codes[i]);
    std::printf("\n");
  }
  return 0;
}

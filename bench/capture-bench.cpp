// Measures frame fetching through the capture source as the frame pump does
// it. Lists the devices, opens one, and times GrabFrame three ways:
//   unpaced   grabs back to back: each waits for the camera's next frame, so
//             the time per grab is mostly the frame period;
//   ready     grabs after a pause of 1.5 frame periods, so a new sample is
//             already held: the grab's own cost (run, copy, flip);
//   copy+flip the pixel work of a grab alone, on a 640x480 picture.
// With the virtual camera (MORVANE_VIRTUAL_CAMERAS=1) it also checks that the
// frame numbers drawn into the pictures strictly increase.
//
//   capture-bench [--device N] [--frames K] [--ready K] [--png FILE]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

#include "bench/BenchTimes.h"
#include "capture/CaptureSource.h"
#include "platform/media/FrameCode.h"

namespace {

using bench::Clock;
using bench::Ms;
using bench::Percentile;

struct Options {
  int device = 0;
  int frames = 500;
  int ready = 100;
  std::string png;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--device" && hasValue) {
      options.device = std::atoi(argv[++i]);
    } else if (arg == "--frames" && hasValue) {
      options.frames = std::atoi(argv[++i]);
    } else if (arg == "--ready" && hasValue) {
      options.ready = std::atoi(argv[++i]);
    } else if (arg == "--png" && hasValue) {
      options.png = argv[++i];
    } else {
      std::fprintf(stderr, "usage: %s [--device N] [--frames K] [--ready K] [--png FILE]\n", argv[0]);
      return false;
    }
  }
  return options.frames > 0 && options.ready >= 0;
}

void Report(const char* label, const std::vector<double>& times) {
  std::printf("%-10s %zu grabs: median %.3f ms, 99th percentile %.3f ms\n", label, times.size(),
              Percentile(times, 0.5), Percentile(times, 0.99));
}

// Frame numbers read back from the pictures, when the camera draws them.
struct Sequence {
  void Add(const cv::Mat& image) {
    if (image.cols != 640 || image.rows != 480) return;
    const long long code = media::ReadFrameCode(image);
    if (code < 0) {
      ++unreadable;
      return;
    }
    if (read > 0 && code <= last) increasing = false;
    if (read == 0) first = code;
    last = code;
    ++read;
  }
  int read = 0;
  int unreadable = 0;
  long long first = -1;
  long long last = -1;
  bool increasing = true;
};

// The pixel work of one grab without the graph: a sample copy and a flip.
std::vector<double> TimeCopyAndFlip(int count) {
  std::vector<uint8_t> sample(640 * 480 * 3, 77);
  cv::Mat image(480, 640, CV_8UC3);
  std::vector<double> times;
  for (int i = 0; i < count; ++i) {
    const Clock::time_point start = Clock::now();
    std::memcpy(image.data, sample.data(), sample.size());
    cv::flip(image, image, 0);
    times.push_back(Ms(Clock::now() - start));
  }
  return times;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) return 2;

  CCaptureSource source;
  const std::vector<std::string> names = source.ListDevices();
  for (size_t i = 0; i < names.size(); ++i) std::printf("%zu: %s\n", i, names[i].c_str());
  if (!source.OpenDevice(options.device)) {
    std::fprintf(stderr, "cannot open device %d\n", options.device);
    return 1;
  }
  CCameraGraph& camera = *source.m_pCamera;

  Sequence sequence;
  std::vector<double> unpaced;
  int images = 0;
  cv::Mat* last = nullptr;
  const Clock::time_point begin = Clock::now();
  for (int i = 0; i < options.frames; ++i) {
    const Clock::time_point start = Clock::now();
    cv::Mat* image = camera.GrabFrame();
    unpaced.push_back(Ms(Clock::now() - start));
    if (!image) continue;
    ++images;
    last = image;
    sequence.Add(*image);
  }
  const double seconds = Ms(Clock::now() - begin) / 1000;
  if (last) std::printf("frames: %dx%d\n", last->cols, last->rows);
  std::printf("unpaced: %d images from %d grabs in %.2f s: %.2f frames/s\n", images, options.frames,
              seconds, images / seconds);
  Report("unpaced", unpaced);
  if (sequence.read > 0)
    std::printf("frame numbers: %s (%d read, %d unreadable, %lld to %lld)\n",
                sequence.increasing ? "strictly increasing" : "NOT strictly increasing", sequence.read,
                sequence.unreadable, sequence.first, sequence.last);
  else
    std::printf("frame numbers: none readable\n");

  std::vector<double> ready;
  for (int i = 0; i < options.ready; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(60));  // 1.5 periods at 25 fps
    const Clock::time_point start = Clock::now();
    cv::Mat* image = camera.GrabFrame();
    ready.push_back(Ms(Clock::now() - start));
    if (image) last = image;
  }
  if (!ready.empty()) Report("ready", ready);
  Report("copy+flip", TimeCopyAndFlip(std::max(options.ready, 100)));

  if (!options.png.empty() && last) {
    if (!cv::imwrite(options.png, *last)) std::fprintf(stderr, "cannot write %s\n", options.png.c_str());
  }
  return sequence.increasing ? 0 : 3;
}

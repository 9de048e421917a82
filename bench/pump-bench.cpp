// Times the recorder window's frame pump as a whole: the real window, shown
// on Qt's offscreen platform, records from a fast virtual camera while the
// benchmark calls the timer-0 handler itself, one tick after another, and
// times each call. Between two ticks the event loop runs (it paints the
// preview) only until a new sample is sure to be held, so no grab waits for
// the camera; that work is reported apart. Ticks whose grab found no new
// sample do nothing and are counted apart; only ticks that moved a frame
// are timed into the tick figures. Then, in the same run, it times the
// ffmpeg program encoding as many 640x480 test-pattern frames to an XVID
// AVI, as a yardstick for the pump's per-frame cost.
//
//   pump-bench [--device N] [--frames K] [--keep]
//
// Without --device the virtual camera "bench" is used, wherever it lies in
// the device list. --keep leaves the scratch folder (the recording and
// ffmpeg's file) in place.

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numeric>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include <opencv2/core.hpp>
#include <opencv2/videoio.hpp>

#include "bench/BenchTimes.h"
#include "platform/media/virtual/TestPattern.h"
#include "platform/os/ProgramPath.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WinApp.h"
#include "recorder/MorvaneDlg.h"
#include "res/ProgramResources.h"

extern char** environ;

namespace {

using bench::Clock;
using bench::Mean;
using bench::Ms;
using bench::Percentile;

// The virtual camera's rate: the fastest its configuration allows.
constexpr int kCameraFps = 120;
const char* const kCameraName = "bench";
// Any other camera is given the program's own timer period between ticks.
constexpr auto kProgramTickPeriod = std::chrono::milliseconds(40);
// Frames after which the resident memory is the baseline of the flatness
// check: by then the encoder and the preview hold all they keep.
constexpr int kSettleFrames = 100;
// A camera that stays silent this many ticks in a row has stopped.
constexpr int kMaxEmptyInARow = 50;
// Distinct pictures fed to ffmpeg, cycled.
constexpr int kFfmpegPictures = 50;

struct Options {
  int device = -1;  // -1: the virtual camera by name
  int frames = 1000;
  bool keep = false;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--device" && hasValue) {
      options.device = std::atoi(argv[++i]);
    } else if (arg == "--frames" && hasValue) {
      options.frames = std::atoi(argv[++i]);
    } else if (arg == "--keep") {
      options.keep = true;
    } else {
      std::fprintf(stderr, "usage: %s [--device N] [--frames K] [--keep]\n", argv[0]);
      return false;
    }
  }
  return options.frames > 0 && options.device >= -1;
}

// A field of /proc/self/status, in kB; -1 when it is missing.
long StatusKb(const std::string& field) {
  std::ifstream status("/proc/self/status");
  const std::string prefix = field + ":";
  for (std::string line; std::getline(status, line);) {
    if (line.compare(0, prefix.size(), prefix) == 0) return std::atol(line.c_str() + prefix.size());
  }
  return -1;
}

long MaxRssKb() {
  rusage usage{};
  return getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss : -1;
}

// A fresh folder under the system's temporary folder, removed with
// everything in it when this goes, unless kept.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::error_code error;
    std::string pattern = (std::filesystem::temp_directory_path(error) / "pump-bench-XXXXXX").string();
    if (!error && mkdtemp(pattern.data()) != nullptr) m_path = pattern;
  }
  ~ScratchFolder() {
    std::error_code error;
    if (!m_path.empty() && !m_keep) std::filesystem::remove_all(m_path, error);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Path() const { return m_path; }
  void Keep() { m_keep = true; }

 private:
  std::string m_path;
  bool m_keep = false;
};

class UniqueFd {
 public:
  explicit UniqueFd(int fd = -1) : m_fd(fd) {}
  ~UniqueFd() { Reset(); }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;

  int Get() const { return m_fd; }
  void Reset() {
    if (m_fd >= 0) close(m_fd);
    m_fd = -1;
  }

 private:
  int m_fd;
};

// Times the event loop's own work: the events delivered at one nesting
// depth, so a paint sent from within an update counts once.
class BenchApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    if (event->type() == QEvent::Paint && receiver == m_watched) ++m_paints;
    const bool timed = m_depth == m_timedDepth;
    ++m_depth;
    const Clock::time_point start = Clock::now();
    const bool handled = QApplication::notify(receiver, event);
    if (timed) m_busy += Clock::now() - start;
    --m_depth;
    return handled;
  }

  // From now on, times the events of a loop run from the caller (which is
  // itself inside a delivery) and counts the paints of `widget`.
  void StartWatching(QObject* widget) {
    m_timedDepth = m_depth;
    m_watched = widget;
  }
  int Paints() const { return m_paints; }
  // The time spent delivering events since the last call.
  Clock::duration TakeBusy() { return std::exchange(m_busy, Clock::duration::zero()); }

 private:
  int m_depth = 0;
  int m_timedDepth = 0;
  Clock::duration m_busy{};
  QObject* m_watched = nullptr;
  int m_paints = 0;
};

// Runs the event loop until `deadline`, as the program's loop runs between
// two timer ticks.
void RunEventLoopUntil(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
  QEventLoop loop;
  QTimer::singleShot(int(std::max<long long>(left.count(), 0)), Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

// The recorder window with the handlers and state the benchmark drives.
class BenchDlg : public CMorvaneDlg {
 public:
  using CMorvaneDlg::OnStartRecording;
  using CMorvaneDlg::OnStopRecording;
  using CMorvaneDlg::OnTimer;
  using CMorvaneDlg::SetButtonState;
  using CMorvaneDlg::WindowState;
  using CMorvaneDlg::m_bRecording;
  using CMorvaneDlg::m_nFrameRate;
  using CMorvaneDlg::m_nFramesWritten;
  using CMorvaneDlg::m_nMinutes;
  using CMorvaneDlg::m_nTickInSecond;
  using CMorvaneDlg::m_pRecording;
  using CMorvaneDlg::m_pSource;
  using CMorvaneDlg::m_preview;
};

struct PumpResult {
  bool ok = false;
  std::string camera;
  bool virtualCamera = false;
  std::vector<double> frameTicks;  // ms, ticks that moved a frame
  std::vector<double> emptyTicks;  // ms, ticks whose grab found nothing new
  std::vector<double> loopWork;    // ms, the event loop's work between ticks
  int previewPaints = 0;
  long rssSettledKb = -1;
  long rssEndKb = -1;
  long peakKb = -1;     // VmHWM
  long maxRssKb = -1;   // ru_maxrss
  int framesWritten = 0;
  std::string recordingPath;
};

// Opens the camera as the camera command does, minus its dialog: frame
// rate 25, no length limit, and no timer, since the benchmark ticks itself.
bool OpenCamera(BenchDlg& dlg, int device, PumpResult& result) {
  const std::vector<std::string> names = dlg.m_pSource->ListDevices();
  if (device < 0) {
    const auto found = std::find(names.begin(), names.end(), kCameraName);
    device = found == names.end() ? -1 : int(found - names.begin());
  }
  if (device < 0 || device >= int(names.size()) || !dlg.m_pSource->OpenDevice(device)) {
    std::fprintf(stderr, "cannot open device %d of %zu\n", device, names.size());
    return false;
  }
  result.camera = std::to_string(device) + ": " + names[size_t(device)];
  result.virtualCamera = names[size_t(device)] == kCameraName;
  dlg.m_nMinutes = 0;
  dlg.m_nFrameRate = 25;
  dlg.m_nTickInSecond = 0;
  dlg.SetButtonState(BenchDlg::WindowState::CameraOpen);
  return true;
}

// Ticks until `frames` frames were written. Between two ticks the event loop
// runs (and paints) until a new sample must be held: the last grab returned
// before the last tick ended, so one camera period after that end a newer
// sample is in, and the grab does not wait for one. Only the ticks
// themselves are timed into the tick figures.
bool Pump(BenchApplication& application, BenchDlg& dlg, int frames, PumpResult& result) {
  const Clock::duration period = result.virtualCamera
                                     ? Clock::duration(std::chrono::nanoseconds(1'000'000'000 / kCameraFps))
                                     : Clock::duration(kProgramTickPeriod);
  const auto margin = std::chrono::microseconds(500);
  const int settle = std::min(kSettleFrames, frames);
  int emptyInARow = 0;
  while (dlg.m_nFramesWritten < frames) {
    const int before = dlg.m_nFramesWritten;
    const Clock::time_point start = Clock::now();
    dlg.OnTimer(0);
    const Clock::time_point end = Clock::now();
    if (!dlg.m_bRecording) {
      std::fprintf(stderr, "the recording stopped after %d frames\n", dlg.m_nFramesWritten);
      return false;
    }
    if (dlg.m_nFramesWritten > before) {
      result.frameTicks.push_back(Ms(end - start));
      emptyInARow = 0;
      if (dlg.m_nFramesWritten == settle) result.rssSettledKb = StatusKb("VmRSS");
    } else {
      result.emptyTicks.push_back(Ms(end - start));
      if (++emptyInARow == kMaxEmptyInARow) {
        std::fprintf(stderr, "the camera delivered nothing for %d ticks\n", emptyInARow);
        return false;
      }
    }
    application.TakeBusy();
    RunEventLoopUntil(end + period + margin);
    result.loopWork.push_back(Ms(application.TakeBusy()));
  }
  result.rssEndKb = StatusKb("VmRSS");
  result.peakKb = StatusKb("VmHWM");
  result.maxRssKb = MaxRssKb();
  return true;
}

// The whole run inside the shown window; always ends the dialog.
void RunInWindow(BenchApplication& application, BenchDlg& dlg, const Options& options,
                 PumpResult& result) {
  if (OpenCamera(dlg, options.device, result)) {
    application.StartWatching(dlg.m_preview.GetSafeHwnd());
    dlg.OnStartRecording();
    if (!dlg.m_bRecording) {
      std::fprintf(stderr, "the recording did not start\n");
    } else {
      result.recordingPath = dlg.m_pRecording->m_strPath;
      result.ok = Pump(application, dlg, options.frames, result);
      result.previewPaints = application.Paints();
      result.framesWritten = dlg.m_nFramesWritten;
      // The exit guard refuses while recording; stopping completes the file.
      if (dlg.m_bRecording) dlg.OnStopRecording();
    }
  }
  dlg.EndDialog(IDCANCEL);
}

// Calls `step` from the event loop once the dialog's window is shown.
void WhenShown(CDialog& dlg, std::function<void()> step) {
  QTimer::singleShot(1, [&dlg, step = std::move(step)] {
    if (dlg.GetSafeHwnd() != nullptr && dlg.GetSafeHwnd()->isVisible()) {
      step();
    } else {
      WhenShown(dlg, step);
    }
  });
}

PumpResult RunPump(BenchApplication& application, const Options& options) {
  PumpResult result;
  BenchDlg dlg;
  WhenShown(dlg, [&] { RunInWindow(application, dlg, options, result); });
  dlg.DoModal();
  return result;
}

long long FileBytes(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  return error ? -1 : (long long)size;
}

void ReportPump(const PumpResult& result) {
  const double meanMs = Mean(result.frameTicks);
  if (result.virtualCamera)
    std::printf("camera: %s (YUYV 640x480 at %d frames/s)\n", result.camera.c_str(), kCameraFps);
  else
    std::printf("camera: %s\n", result.camera.c_str());
  std::printf("ticks with a frame: %zu\n", result.frameTicks.size());
  std::printf("ticks without a new frame: %zu\n", result.emptyTicks.size());
  std::printf("pump frames per second (1000 / mean tick): %.1f\n", meanMs > 0 ? 1000 / meanMs : 0);
  std::printf("tick mean: %.3f ms\n", meanMs);
  std::printf("tick median: %.3f ms\n", Percentile(result.frameTicks, 0.5));
  std::printf("tick 99th percentile: %.3f ms\n", Percentile(result.frameTicks, 0.99));
  std::printf("tick maximum: %.3f ms\n", Percentile(result.frameTicks, 1.0));
  if (!result.emptyTicks.empty())
    std::printf("tick without a new frame, median: %.3f ms\n", Percentile(result.emptyTicks, 0.5));
  std::printf("event loop work between ticks, median: %.3f ms\n", Percentile(result.loopWork, 0.5));
  std::printf("event loop work between ticks, mean: %.3f ms\n", Mean(result.loopWork));
  std::printf("preview paints: %d\n", result.previewPaints);
  const int settle = std::min(kSettleFrames, int(result.frameTicks.size()));
  std::printf("resident memory after %d frames: %ld kB\n", settle, result.rssSettledKb);
  std::printf("resident memory at the end: %ld kB\n", result.rssEndKb);
  if (result.rssSettledKb >= 0 && result.rssEndKb >= 0)
    std::printf("resident memory growth after frame %d: %+ld kB\n", settle, result.rssEndKb - result.rssSettledKb);
  std::printf("peak resident memory (VmHWM): %ld kB\n", result.peakKb);
  std::printf("peak resident memory (ru_maxrss): %ld kB\n", result.maxRssKb);
  std::printf("written frames: %d\n", result.framesWritten);
  const long long bytes = FileBytes(result.recordingPath);
  if (bytes < 0) {
    std::printf("recording file: missing (%s)\n", result.recordingPath.c_str());
    return;
  }
  std::printf("recording file: %s, %lld bytes\n", result.recordingPath.c_str(), bytes);
  cv::VideoCapture reader(result.recordingPath, cv::CAP_FFMPEG);
  std::printf("frames in the file: %.0f\n", reader.isOpened() ? reader.get(cv::CAP_PROP_FRAME_COUNT) : -1.0);
}

// Writes all of `bytes`; false when the reader has gone.
bool WriteAll(int fd, const unsigned char* bytes, size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    size -= size_t(written);
  }
  return true;
}

struct EncodeResult {
  bool ok = false;
  double seconds = 0;     // from the spawn to the exit
  double cpuSeconds = 0;  // user and system time of ffmpeg's threads
};

// Runs ffmpeg on `frames` raw BGR frames fed through a pipe, from the spawn
// to its exit. Its messages go to `logPath`.
EncodeResult TimeFfmpeg(const std::vector<cv::Mat>& pictures, int frames, const std::string& outPath,
                        const std::string& logPath) {
  EncodeResult result;
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) return result;
  UniqueFd readEnd(ends[0]);
  UniqueFd writeEnd(ends[1]);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, readEnd.Get(), 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<std::string> args = {"ffmpeg", "-hide_banner", "-loglevel", "error", "-y",
                                   "-f", "rawvideo", "-pix_fmt", "bgr24", "-s", "640x480", "-r", "25",
                                   "-i", "-", "-c:v", "mpeg4", "-vtag", "XVID", "-an", outPath};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  const Clock::time_point start = Clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, "ffmpeg", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  readEnd.Reset();
  if (spawned != 0) {
    std::fprintf(stderr, "cannot start ffmpeg: %s\n", std::strerror(spawned));
    return result;
  }
  bool fed = true;
  for (int i = 0; i < frames && fed; ++i) {
    const cv::Mat& picture = pictures[size_t(i) % pictures.size()];
    fed = WriteAll(writeEnd.Get(), picture.data, picture.total() * picture.elemSize());
  }
  writeEnd.Reset();  // end of input: ffmpeg finishes the file
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  result.seconds = Ms(Clock::now() - start) / 1000;
  const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  result.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  result.ok = fed && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return result;
}

// Time per frame from a run of `frames` and a run of one frame, which holds
// ffmpeg's start-up and finish alone.
double NetPerFrame(double whole, double single, int frames) {
  const double net = frames > 1 ? (whole - single) / (frames - 1) : whole;
  return net > 0 ? net : whole / frames;
}

bool RunFfmpeg(int frames, double pumpMeanMs, const std::string& folder) {
  std::vector<cv::Mat> pictures(kFfmpegPictures);
  for (size_t i = 0; i < pictures.size(); ++i) {
    pictures[i].create(480, 640, CV_8UC3);
    media::DrawTestPattern(pictures[i], uint32_t(i));
  }
  const std::string outPath = folder + "/ffmpeg.avi";
  const std::string logPath = folder + "/ffmpeg.log";
  const EncodeResult single = TimeFfmpeg(pictures, 1, folder + "/ffmpeg-1.avi", logPath);
  const EncodeResult whole = single.ok ? TimeFfmpeg(pictures, frames, outPath, logPath) : EncodeResult{};
  if (!whole.ok) {
    std::fprintf(stderr, "ffmpeg failed; its messages are in %s\n", logPath.c_str());
    return false;
  }
  const double ffmpegMs = NetPerFrame(whole.seconds, single.seconds, frames) * 1000;
  const double cpuMs = NetPerFrame(whole.cpuSeconds, single.cpuSeconds, frames) * 1000;
  std::printf("ffmpeg start-up and finish (one frame): %.1f ms\n", single.seconds * 1000);
  std::printf("ffmpeg frames per second (from start to exit): %.1f\n", frames / whole.seconds);
  std::printf("ffmpeg frames per second (start-up left out): %.1f\n", 1000 / ffmpegMs);
  std::printf("ffmpeg time per frame: %.3f ms\n", ffmpegMs);
  std::printf("ffmpeg processor time per frame: %.3f ms\n", cpuMs);
  std::printf("ffmpeg file: %lld bytes\n", FileBytes(outPath));
  std::printf("pump time per frame / ffmpeg time per frame: %.2f\n", pumpMeanMs / ffmpegMs);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) return 2;
  // A dead ffmpeg must end the feeding with an error, not the benchmark.
  signal(SIGPIPE, SIG_IGN);

  ScratchFolder scratch;
  if (scratch.Path().empty()) {
    std::fprintf(stderr, "cannot make a scratch folder\n");
    return 1;
  }
  if (options.keep) scratch.Keep();
  // Recordings go to <program folder>/AVI/<date>/.
  os::SetProgramFilePathForTesting(scratch.Path() + "/morvane");
  // Before anything lists the devices.
  const std::string cameras = std::string(kCameraName) + ":YUYV:640x480@" + std::to_string(kCameraFps);
  setenv("MORVANE_VIRTUAL_CAMERAS", cameras.c_str(), 1);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

  BenchApplication application(argc, argv);
  CWinApp app;
  AfxSetResourceHandle(&ProgramResources());
  // A message box would wait for a person; print it instead.
  AfxSetMessageBoxHandler([](const MessageBoxRequest& box) {
    std::fprintf(stderr, "message box \"%s\": %s\n", box.caption.c_str(), box.text.c_str());
    return IDOK;
  });

  const PumpResult pump = RunPump(application, options);
  if (!pump.frameTicks.empty()) ReportPump(pump);
  if (!pump.ok) return 1;
  const bool encoded = RunFfmpeg(options.frames, Mean(pump.frameTicks), scratch.Path());
  if (options.keep) std::printf("kept: %s\n", scratch.Path().c_str());
  return encoded ? 0 : 1;
}

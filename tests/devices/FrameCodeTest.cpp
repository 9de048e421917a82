// The block code carrying a frame's number: read back from clean pictures,
// scaled ones and an MPEG-4 recording, and never read from anything else.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include <unistd.h>

#include <opencv2/imgproc.hpp>
#include <opencv2/videoio.hpp>

#include "platform/media/FrameCode.h"
#include "platform/media/virtual/TestPattern.h"

namespace {

using media::DrawFrameCode;
using media::ReadFrameCode;

cv::Mat Pattern(uint32_t number, cv::Size size = {640, 480}) {
  cv::Mat picture(size, CV_8UC3);
  media::DrawTestPattern(picture, number);
  return picture;
}

TEST(FrameCode, RoundTripsAtAnySize) {
  const uint32_t numbers[] = {0, 1, 25, 12345, 0x7FFFFFFF, 0xA5C3A5C3, 0xFFFFFFFF};
  const cv::Size sizes[] = {{640, 480}, {320, 240}, {1280, 720}, {176, 144}, {100, 100}};
  for (const cv::Size& size : sizes) {
    for (uint32_t number : numbers) {
      cv::Mat picture(size, CV_8UC3, cv::Scalar(40, 160, 90));
      DrawFrameCode(picture, number);
      EXPECT_EQ(ReadFrameCode(picture), number) << size << " " << number;
    }
  }
}

TEST(FrameCode, SurvivesScalingOfTheWholePicture) {
  const cv::Mat picture = Pattern(987654);
  for (const cv::Size& size : {cv::Size(320, 240), cv::Size(160, 120), cv::Size(800, 600),
                               cv::Size(500, 480)}) {
    cv::Mat scaled;
    cv::resize(picture, scaled, size, 0, 0, cv::INTER_LINEAR);
    EXPECT_EQ(ReadFrameCode(scaled), 987654) << size;
  }
}

TEST(FrameCode, RejectsPicturesWithoutAValidCode) {
  std::mt19937 random(7);
  cv::Mat noise(480, 640, CV_8UC3);
  cv::randu(noise, cv::Scalar::all(0), cv::Scalar::all(256));

  cv::Mat flipped;
  cv::flip(Pattern(4242), flipped, 0);  // bottom row first

  cv::Mat oneCellWrong = Pattern(4242);
  // Column 5 of the last code row, 32x32 pixels at 640x480: invert it.
  cv::Mat cell = oneCellWrong(cv::Rect((2 + 5) * 32, (2 + 3) * 32, 32, 32));
  cv::bitwise_not(cell, cell);

  const cv::Mat cases[] = {
      cv::Mat(480, 640, CV_8UC3, cv::Scalar::all(255)),
      cv::Mat(480, 640, CV_8UC3, cv::Scalar::all(0)),
      noise,
      flipped,
      oneCellWrong,
      cv::Mat(),
      cv::Mat(10, 10, CV_8UC3, cv::Scalar::all(0)),
  };
  int index = 0;
  for (const cv::Mat& picture : cases) EXPECT_EQ(ReadFrameCode(picture), -1) << "case " << index++;

  // Random bit patterns in the code's own cells: the check bits turn them away.
  int accepted = 0;
  for (int i = 0; i < 300; ++i) {
    cv::Mat picture = Pattern(0);
    for (int row = 1; row < 4; ++row)
      for (int column = 0; column < 16; ++column)
        picture(cv::Rect((2 + column) * 32, (2 + row) * 32, 32, 32))
            .setTo(cv::Scalar::all(random() % 2 ? 255 : 0));
    accepted += ReadFrameCode(picture) != -1;
  }
  EXPECT_LE(accepted, 1);
}

TEST(FrameCode, SurvivesAnXvidRecording) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("morvane-framecode-" + std::to_string(getpid()) + ".avi");
  constexpr int kFrames = 30;
  {
    cv::VideoWriter writer(file.string(), cv::CAP_FFMPEG, cv::VideoWriter::fourcc('X', 'V', 'I', 'D'),
                           25, cv::Size(640, 480));
    ASSERT_TRUE(writer.isOpened()) << "no XVID writer";
    for (int n = 0; n < kFrames; ++n) writer.write(Pattern(uint32_t(1000 + n)));
  }
  std::vector<long long> numbers;
  {
    cv::VideoCapture reader(file.string(), cv::CAP_FFMPEG);
    ASSERT_TRUE(reader.isOpened());
    cv::Mat frame;
    while (reader.read(frame)) numbers.push_back(ReadFrameCode(frame));
  }
  std::filesystem::remove(file);
  ASSERT_EQ(numbers.size(), size_t(kFrames));
  for (int n = 0; n < kFrames; ++n) EXPECT_EQ(numbers[n], 1000 + n) << "frame " << n;
}

}  // namespace

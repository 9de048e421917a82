// Connecting a device to the grabber: directly when it takes the device's
// type, else through the converter the graph adds. Samples reach the grabber
// as bottom-up RGB24 with rows padded to four bytes.

#include <gtest/gtest.h>

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

#include "media/GraphFixture.h"

namespace {

using graphtest::FirstPin;
using graphtest::GraphTest;
using graphtest::PeerFilter;
using graphtest::TestGraph;

const BITMAPINFOHEADER& Header(const media::MediaType& type) {
  const BITMAPINFOHEADER* bmi = media::VideoBitmapHeader(type.get());
  EXPECT_NE(bmi, nullptr);
  static const BITMAPINFOHEADER none{};
  return bmi ? *bmi : none;
}

media::MediaType GrabberType(TestGraph& g) {
  media::MediaType type;
  EXPECT_EQ(g.grabber->GetConnectedMediaType(&type.get()), S_OK);
  return type;
}

bool ThroughConverter(TestGraph& g) {
  CComPtr<IBaseFilter> feeder = PeerFilter(FirstPin(g.grabberFilter, PINDIR_INPUT));
  return feeder && feeder != g.source;
}

TEST_F(GraphTest, YuyvReachesTheGrabberAsBottomUpRgb) {
  TestGraph& g = Make(fake::NewDevice(media::kPixYUYV, 8, 4));
  ASSERT_EQ(g.ConnectAll(), S_OK);
  EXPECT_TRUE(ThroughConverter(g));
  const media::MediaType type = GrabberType(g);
  EXPECT_EQ(type.get().subtype, MEDIASUBTYPE_RGB24);
  EXPECT_EQ(Header(type).biWidth, 8);
  EXPECT_EQ(Header(type).biHeight, 4) << "positive: bottom-up";

  g.control->Run();
  g.device->Push(fake::YuyvFrame(8, 4, 235, 16));  // bright top half, dark bottom half
  const std::vector<uint8_t> sample = g.CurrentSample();
  ASSERT_EQ(sample.size(), 96u);
  EXPECT_LT(sample[0], 40) << "the first sample row is the picture's bottom row";
  EXPECT_GT(sample[95], 200) << "the last sample row is its top row";
  g.control->Stop();
}

TEST_F(GraphTest, TopDownRgbIsFlippedAndPadded) {
  TestGraph& g = Make(fake::NewDevice(media::kPixBGR24, 6, 4));
  ASSERT_EQ(g.ConnectAll(), S_OK);
  EXPECT_TRUE(ThroughConverter(g)) << "the device's rows come top row first";
  g.control->Run();
  g.device->Push(fake::BgrFrame(6, 4, 10));
  const std::vector<uint8_t> sample = g.CurrentSample();
  ASSERT_EQ(sample.size(), 80u) << "rows of 18 bytes padded to 20";
  for (int row = 0; row < 4; ++row) {
    const int pictureRow = 3 - row;
    const uint8_t* p = &sample[size_t(row) * 20];
    EXPECT_EQ(p[0], pictureRow);
    EXPECT_EQ(p[1], pictureRow + 10);
    EXPECT_EQ(p[2], 255 - pictureRow);
    EXPECT_EQ(p[18], 0);
    EXPECT_EQ(p[19], 0);
  }
  g.control->Stop();
}

TEST_F(GraphTest, MotionJpegIsDecoded) {
  auto state = fake::NewDevice(media::kPixMJPG, 16, 8);
  state->format.sizeImage = 16 * 8 * 3;
  TestGraph& g = Make(state);
  ASSERT_EQ(g.ConnectAll(), S_OK);
  cv::Mat picture(8, 16, CV_8UC3, cv::Scalar(0, 0, 0));
  picture.rowRange(0, 4).setTo(cv::Scalar(250, 250, 250));
  std::vector<uint8_t> jpeg;
  ASSERT_TRUE(cv::imencode(".jpg", picture, jpeg));
  g.control->Run();
  g.device->Push(jpeg);
  const std::vector<uint8_t> sample = g.CurrentSample();
  ASSERT_EQ(sample.size(), 16u * 8 * 3);
  EXPECT_LT(sample[0], 40);
  EXPECT_GT(sample.back(), 200);

  g.device->Push({0xFF, 0xD8, 0x00});  // undecodable: dropped, the last good one stays
  EXPECT_EQ(g.CurrentSample(), sample);
  g.control->Stop();
}

TEST_F(GraphTest, ConnectsDirectlyWhenTheInputTakesTheDeviceType) {
  TestGraph& g = Make(fake::NewDevice(media::kPixYUYV, 8, 4), /*acceptRgbOnly=*/false);
  ASSERT_EQ(g.ConnectAll(), S_OK);
  EXPECT_FALSE(ThroughConverter(g));
  EXPECT_EQ(GrabberType(g).get().subtype, MEDIASUBTYPE_YUY2);
}

TEST_F(GraphTest, FormatWithoutConverterCannotConnectAndLeavesNothingBehind) {
  TestGraph& g = Make(fake::NewDevice(media::MakeFourCC('G', 'R', 'E', 'Y'), 8, 4));
  EXPECT_EQ(g.graph->Connect(FirstPin(g.source, PINDIR_OUTPUT), FirstPin(g.grabberFilter, PINDIR_INPUT)),
            VFW_E_CANNOT_CONNECT);
  CComPtr<IPin> peer;
  EXPECT_EQ(FirstPin(g.source, PINDIR_OUTPUT)->ConnectedTo(&peer), VFW_E_NOT_CONNECTED);
  media::MediaType type;
  EXPECT_EQ(g.grabber->GetConnectedMediaType(&type.get()), VFW_E_NOT_CONNECTED);
}

TEST_F(GraphTest, ConnectRefusesWhatDoesNotFit) {
  TestGraph& g = Make(fake::NewDevice(media::kPixYUYV, 8, 4));
  CComPtr<IPin> out = FirstPin(g.source, PINDIR_OUTPUT);
  CComPtr<IPin> in = FirstPin(g.grabberFilter, PINDIR_INPUT);
  EXPECT_EQ(g.graph->Connect(in, out), VFW_E_INVALID_DIRECTION);
  EXPECT_EQ(g.graph->Connect(out, nullptr), E_POINTER);

  CComPtr<IBaseFilter> outsider;
  CoCreateInstance(CLSID_NullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                   reinterpret_cast<void**>(&outsider));
  EXPECT_EQ(g.graph->Connect(out, FirstPin(outsider, PINDIR_INPUT)), VFW_E_NOT_IN_GRAPH);

  ASSERT_EQ(g.ConnectAll(), S_OK);
  EXPECT_EQ(g.graph->Connect(out, in), VFW_E_ALREADY_CONNECTED);
  g.control->Run();
  EXPECT_EQ(out->Disconnect(), VFW_E_NOT_STOPPED);
  EXPECT_EQ(g.graph->RemoveFilter(g.sink), VFW_E_NOT_STOPPED);
  g.control->Stop();
  EXPECT_EQ(g.graph->RemoveFilter(g.sink), S_OK);
  CComPtr<IPin> peer;
  EXPECT_EQ(FirstPin(g.grabberFilter, PINDIR_OUTPUT)->ConnectedTo(&peer), VFW_E_NOT_CONNECTED)
      << "removing a filter breaks its connections on both sides";
}

}  // namespace

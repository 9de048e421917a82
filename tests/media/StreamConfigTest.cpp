// The capture filter's stream configuration and crossbar, which speak to the
// device underneath, and how the capture graph builder finds them.

#include <gtest/gtest.h>

#include <ostream>

#include "media/GraphFixture.h"

namespace {

using graphtest::GraphTest;
using graphtest::TestGraph;

CComPtr<IAMStreamConfig> StreamConfig(TestGraph& g) {
  CComPtr<ICaptureGraphBuilder2> builder;
  CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER, IID_ICaptureGraphBuilder2,
                   reinterpret_cast<void**>(&builder));
  builder->SetFiltergraph(g.graph);
  CComPtr<IAMStreamConfig> config;
  EXPECT_EQ(builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, g.source, IID_IAMStreamConfig,
                                   reinterpret_cast<void**>(&config)),
            S_OK);
  return config;
}

struct FormatCase {
  const char* label;
  uint32_t fourcc;
  uint32_t sizeImage;  // 0: the packed size
  GUID subtype;
  int bitCount;
  int biHeight;
  unsigned long sampleSize;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.label; }

class GetFormatTest : public GraphTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(GetFormatTest, DescribesTheDevicesCurrentFormat) {
  const FormatCase& c = GetParam();
  auto state = fake::NewDevice(c.fourcc, 640, 480);
  if (c.sizeImage) state->format.sizeImage = c.sizeImage;
  TestGraph& g = Make(state);
  AM_MEDIA_TYPE* type = nullptr;
  ASSERT_EQ(StreamConfig(g)->GetFormat(&type), S_OK);
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(type->majortype, MEDIATYPE_Video);
  EXPECT_EQ(type->subtype, c.subtype);
  EXPECT_EQ(type->formattype, FORMAT_VideoInfo);
  EXPECT_EQ(type->lSampleSize, c.sampleSize);
  ASSERT_GE(type->cbFormat, sizeof(VIDEOINFOHEADER));
  const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(type->pbFormat);
  EXPECT_EQ(info->bmiHeader.biWidth, 640);
  EXPECT_EQ(info->bmiHeader.biHeight, c.biHeight);
  EXPECT_EQ(info->bmiHeader.biBitCount, c.bitCount);
  EXPECT_EQ(info->AvgTimePerFrame, 400'000) << "1/25 s in 100 ns units";
  DeleteMediaType(type);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, GetFormatTest,
    ::testing::Values(FormatCase{"Yuyv", media::kPixYUYV, 0, MEDIASUBTYPE_YUY2, 16, 480, 614'400},
                      FormatCase{"Bgr3IsTopDownRgb24", media::kPixBGR24, 0, MEDIASUBTYPE_RGB24, 24, -480, 921'600},
                      FormatCase{"MjpgHasVariableSamples", media::kPixMJPG, 300'000, MEDIASUBTYPE_MJPG, 24, 480, 0}),
    [](const auto& info) { return std::string(info.param.label); });

AM_MEDIA_TYPE* CurrentFormat(IAMStreamConfig* config) {
  AM_MEDIA_TYPE* type = nullptr;
  EXPECT_EQ(config->GetFormat(&type), S_OK);
  return type;
}

void SetSize(AM_MEDIA_TYPE* type, int width, int height) {
  auto* info = reinterpret_cast<VIDEOINFOHEADER*>(type->pbFormat);
  info->bmiHeader.biWidth = width;
  info->bmiHeader.biHeight = height;
}

TEST_F(GraphTest, SetFormatSucceedsOnlyWhenTheDriverTakesTheSize) {
  auto state = fake::NewDevice(media::kPixYUYV, 320, 240);
  TestGraph& g = Make(state);
  CComPtr<IAMStreamConfig> config = StreamConfig(g);
  AM_MEDIA_TYPE* type = CurrentFormat(config);
  SetSize(type, 640, 480);
  EXPECT_EQ(config->SetFormat(type), S_OK);
  ASSERT_EQ(state->setFormatCalls.size(), 1u);
  EXPECT_EQ(state->setFormatCalls[0].fourcc, media::kPixYUYV);
  EXPECT_EQ(state->format.width, 640);

  state->refuseSizes = true;
  SetSize(type, 800, 600);
  EXPECT_TRUE(FAILED(config->SetFormat(type)));
  EXPECT_EQ(state->format.width, 640);

  type->formattype = FORMAT_VideoInfo2;
  EXPECT_EQ(config->SetFormat(type), VFW_E_INVALIDMEDIATYPE);
  EXPECT_EQ(state->setFormatCalls.size(), 2u) << "a type it cannot read never reaches the device";
  DeleteMediaType(type);
}

TEST_F(GraphTest, SetFormatIsRefusedOnceConnected) {
  TestGraph& g = Make(fake::NewDevice(media::kPixYUYV, 8, 4));
  CComPtr<IAMStreamConfig> config = StreamConfig(g);
  ASSERT_EQ(g.ConnectAll(), S_OK);
  AM_MEDIA_TYPE* type = CurrentFormat(config);
  EXPECT_EQ(config->SetFormat(type), VFW_E_ALREADY_CONNECTED);
  DeleteMediaType(type);
}

TEST_F(GraphTest, FindInterfaceLooksAtTheCategoryAndMediaType) {
  TestGraph& g = Make(fake::NewDevice(media::kPixYUYV, 8, 4));
  CComPtr<ICaptureGraphBuilder2> builder;
  CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER, IID_ICaptureGraphBuilder2,
                   reinterpret_cast<void**>(&builder));
  void* found = reinterpret_cast<void*>(1);
  const GUID otherCategory = media::LayerGuid(0x7101);
  const GUID otherMajor = media::LayerGuid(0x7102);
  EXPECT_EQ(builder->FindInterface(&otherCategory, &MEDIATYPE_Video, g.source, IID_IAMStreamConfig, &found),
            E_NOINTERFACE);
  EXPECT_EQ(found, nullptr);
  EXPECT_EQ(builder->FindInterface(&PIN_CATEGORY_CAPTURE, &otherMajor, g.source, IID_IAMStreamConfig, &found),
            E_NOINTERFACE);
  EXPECT_EQ(builder->FindInterface(&LOOK_UPSTREAM_ONLY, nullptr, g.source, IID_IAMCrossbar, &found),
            E_NOINTERFACE)
      << "a device with one input has no crossbar";
}

TEST_F(GraphTest, InputsAppearAsACrossbarFeedingOneDecoderOutput) {
  auto state = fake::NewDevice(media::kPixYUYV, 8, 4);
  state->inputs = {{"Tuner", media::kPhysVideoTuner},
                   {"S-Video", media::kPhysVideoSVideo},
                   {"Composite", media::kPhysVideoComposite}};
  TestGraph& g = Make(state);
  CComPtr<ICaptureGraphBuilder2> builder;
  CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER, IID_ICaptureGraphBuilder2,
                   reinterpret_cast<void**>(&builder));
  CComPtr<IAMCrossbar> crossbar;
  ASSERT_EQ(builder->FindInterface(&LOOK_UPSTREAM_ONLY, nullptr, g.source, IID_IAMCrossbar,
                                   reinterpret_cast<void**>(&crossbar)),
            S_OK);
  long outputs = 0, inputs = 0;
  crossbar->get_PinCounts(&outputs, &inputs);
  EXPECT_EQ(outputs, 1);
  EXPECT_EQ(inputs, 3);

  long related = 0, type = 0;
  const long expectedInputTypes[] = {PhysConn_Video_Tuner, PhysConn_Video_SVideo, PhysConn_Video_Composite};
  for (long i = 0; i < 3; ++i) {
    EXPECT_EQ(crossbar->get_CrossbarPinInfo(true, i, &related, &type), S_OK);
    EXPECT_EQ(type, expectedInputTypes[i]);
  }
  EXPECT_EQ(crossbar->get_CrossbarPinInfo(false, 0, &related, &type), S_OK);
  EXPECT_EQ(type, PhysConn_Video_VideoDecoder);
  EXPECT_EQ(crossbar->get_CrossbarPinInfo(true, 3, &related, &type), E_INVALIDARG);

  EXPECT_EQ(crossbar->CanRoute(0, 3), S_FALSE);
  EXPECT_EQ(crossbar->CanRoute(1, 0), S_FALSE);
  EXPECT_EQ(crossbar->CanRoute(0, 2), S_OK);
  EXPECT_EQ(crossbar->Route(0, 2), S_OK);
  EXPECT_EQ(state->selectedInput, 2);
}

}  // namespace

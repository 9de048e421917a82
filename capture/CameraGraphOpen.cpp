// Building the capture graph: device filter -> (converters) -> sample
// grabber -> null renderer.

#include <cstdlib>

#include "capture/CameraGraph.h"
#include "platform/media/dshow.h"

namespace {

struct MediaTypeDelete {
  void operator()(AM_MEDIA_TYPE* type) const { DeleteMediaType(type); }
};

// Asks the device for width x height unless its current format already is
// RGB24-sized at that size, or is not described by a plain video header.
bool RequestFrameSize(ICaptureGraphBuilder2* builder, IBaseFilter* source, int width, int height) {
  CComPtr<IAMStreamConfig> config;
  builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, source, IID_IAMStreamConfig,
                         reinterpret_cast<void**>(&config));
  if (!config) return false;
  AM_MEDIA_TYPE* raw = nullptr;
  if (config->GetFormat(&raw) != S_OK || !raw) {
    DeleteMediaType(raw);
    return false;
  }
  std::unique_ptr<AM_MEDIA_TYPE, MediaTypeDelete> current(raw);
  if (current->formattype != FORMAT_VideoInfo) return true;
  // The block must really be a video header before it is read or written.
  auto* info = current->pbFormat && current->cbFormat >= sizeof(VIDEOINFOHEADER)
                   ? reinterpret_cast<VIDEOINFOHEADER*>(current->pbFormat)
                   : nullptr;
  // The byte count alone does not tell the size: YUYV 640x720 has as many
  // bytes as RGB24 640x480, and left alone would deliver 640x720 pictures.
  const unsigned long wantedBytes = static_cast<unsigned long>(width) * unsigned(height) * 3;
  const bool sizeAsked = info && info->bmiHeader.biWidth == width &&
                         std::abs(info->bmiHeader.biHeight) == height;
  if (current->lSampleSize == wantedBytes && (!info || sizeAsked)) return true;
  if (!info) return false;
  info->bmiHeader.biWidth = width;
  info->bmiHeader.biHeight = height;
  return config->SetFormat(current.get()) == S_OK;
}

// The frame size the grabber was connected with; false when it cannot be read.
bool ReadConnectedSize(ISampleGrabber* grabber, int& width, int& height) {
  media::MediaType connected;
  if (FAILED(grabber->GetConnectedMediaType(&connected.get()))) return false;
  const AM_MEDIA_TYPE& type = connected.get();
  if (type.formattype != FORMAT_VideoInfo || !type.pbFormat || type.cbFormat < sizeof(VIDEOINFOHEADER))
    return false;
  const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
  width = info->bmiHeader.biWidth;
  height = info->bmiHeader.biHeight;
  return true;
}

}  // namespace

bool CCameraGraph::CreateGraph() {
  CoInitialize(nullptr);
  if (FAILED(CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr,
                              CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER, IID_ICaptureGraphBuilder2,
                              reinterpret_cast<void**>(&m_spCaptureBuilder))) ||
      !m_spCaptureBuilder)
    return false;
  if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                              reinterpret_cast<void**>(&m_spFilterGraph))) ||
      !m_spFilterGraph)
    return false;
  m_spCaptureBuilder->SetFiltergraph(m_spFilterGraph);
  if (FAILED(m_spFilterGraph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&m_spControl))) ||
      !m_spControl)
    return false;
  if (FAILED(m_spFilterGraph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(&m_spEvents))) ||
      !m_spEvents)
    return false;
  return true;
}

bool CCameraGraph::Open(int index, int width, int height) {
  if (!CreateGraph()) return false;
  if (index < 0) return false;
  if (!BindDevice(&m_spSourceFilter, index) || !m_spSourceFilter) return false;
  m_spFilterGraph->AddFilter(m_spSourceFilter, L"Capture Filter");

  CoCreateInstance(CLSID_SampleGrabber, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                   reinterpret_cast<void**>(&m_spGrabberFilter));
  if (m_spGrabberFilter)
    m_spGrabberFilter->QueryInterface(IID_ISampleGrabber, reinterpret_cast<void**>(&m_spGrabber));
  if (!m_spGrabberFilter || !m_spGrabber) return false;
  AM_MEDIA_TYPE accepted{};
  accepted.majortype = MEDIATYPE_Video;
  accepted.subtype = MEDIASUBTYPE_RGB24;
  accepted.formattype = FORMAT_VideoInfo;
  m_spGrabber->SetMediaType(&accepted);
  m_spFilterGraph->AddFilter(m_spGrabberFilter, L"Grabber");

  CoCreateInstance(CLSID_NullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                   reinterpret_cast<void**>(&m_spSinkFilter));
  if (!m_spSinkFilter) return false;
  m_spFilterGraph->AddFilter(m_spSinkFilter, L"NullRenderer");

  m_spSourceOut = FindFreeOutputPin(m_spSourceFilter);
  m_spGrabberIn = FindFreeInputPin(m_spGrabberFilter);
  RouteCrossbar();
  if (!RequestFrameSize(m_spCaptureBuilder, m_spSourceFilter, width, height)) return false;

  // Unchecked: a connection that fails leaves the grabber unconnected, and
  // reading its connected type below fails the open.
  m_spFilterGraph->Connect(m_spSourceOut, m_spGrabberIn);
  m_spGrabberOut = FindOutputPin(m_spGrabberFilter);
  m_spSinkIn = FindInputPin(m_spSinkFilter);
  m_spFilterGraph->Connect(m_spGrabberOut, m_spSinkIn);
  m_spGrabber->SetBufferSamples(true);
  m_spGrabber->SetOneShot(true);

  if (!ReadConnectedSize(m_spGrabber, m_nFrameWidth, m_nFrameHeight)) return false;
  m_bGraphBuilt = true;
  return true;
}

void CCameraGraph::RouteCrossbar() {
  CComPtr<IAMCrossbar> crossbar;
  if (FAILED(m_spCaptureBuilder->FindInterface(&LOOK_UPSTREAM_ONLY, nullptr, m_spSourceFilter,
                                               IID_IAMCrossbar, reinterpret_cast<void**>(&crossbar))) ||
      !crossbar)
    return;
  long outputs = 0;
  long inputs = 0;
  crossbar->get_PinCounts(&outputs, &inputs);

  // Pin 0 stands in where no composite input or no decoder output exists.
  long input = 0;
  for (long i = 0; i < inputs; ++i) {
    long related = 0;
    long type = 0;
    crossbar->get_CrossbarPinInfo(true, i, &related, &type);
    if (type == PhysConn_Video_Composite) {
      input = i;
      break;
    }
  }
  long output = 0;
  for (long j = 0; j < outputs; ++j) {
    long related = 0;
    long type = 0;
    crossbar->get_CrossbarPinInfo(false, j, &related, &type);
    if (type == PhysConn_Video_VideoDecoder) {
      output = j;
      break;
    }
  }
  if (crossbar->CanRoute(output, input) == S_OK) crossbar->Route(output, input);
}

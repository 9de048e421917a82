#pragma once
// The camera: one video input device opened as a capture graph that ends in
// a sample grabber and a null renderer, and single frames fetched from the
// grabber's copy of the newest sample.

#include <memory>

#include <opencv2/core/mat.hpp>

#include "platform/media/com/ComPtr.h"

struct IBaseFilter;
struct ICaptureGraphBuilder2;
struct IGraphBuilder;
struct IMediaControl;
struct IMediaEvent;
struct IPin;
struct ISampleGrabber;

// Size of the buffer GetDeviceName writes a name into.
constexpr int kDeviceNameBytes = 1024;

class CCameraGraph {
 public:
  CCameraGraph();
  virtual ~CCameraGraph();
  CCameraGraph(const CCameraGraph&) = delete;
  CCameraGraph& operator=(const CCameraGraph&) = delete;

  // Device enumeration; a device is known only by its position in the walk.
  // The number of video input devices; 0 when none or when they cannot be listed.
  static int CountDevices();
  // Writes the friendly name of device `index` into `name` (kDeviceNameBytes
  // bytes) as narrow text, cut before the first character the code page
  // cannot represent and always NUL-terminated within the buffer. Returns 1
  // when the devices could be listed, also when the index is past the end or
  // the name cannot be read (the buffer is then left as it was); 0 otherwise.
  static int GetDeviceName(int index, char* name);
  // Stores the capture filter of device `index` in *filter (which must be
  // empty); a device whose name cannot be read is never bound. True when the
  // devices could be listed, whether or not a filter was stored.
  static bool BindDevice(IBaseFilter** filter, int index);

  // Builds and connects the graph for device `index`, asking for width x
  // height; does not start it. Called on a closed camera.
  bool Open(int index, int width, int height);
  // Stops and releases everything; allowed in every state.
  void Close();
  // Runs the graph, waits (boundedly) for a sample newer than the last one
  // and returns it as a frame image, top row first, of the size the grabber
  // was connected with. The image stays the camera's: valid until a grab
  // that makes it anew, or Close. Returns the previous image (null before the
  // first) when no new sample came, and null on a closed camera.
  cv::Mat* GrabFrame();
  // True when the last GrabFrame made its image anew from a new sample;
  // false when it handed back the previous image (or none).
  bool LastGrabWasNew() const { return m_bNewFrame; }

 private:
  bool CreateGraph();
  void RouteCrossbar();
  // The first pin of `filter` in a direction (and unconnected, for the Free
  // ones); null when there is none. The caller takes the reference over.
  static CComPtr<IPin> FindFreeOutputPin(IBaseFilter* filter);
  static CComPtr<IPin> FindFreeInputPin(IBaseFilter* filter);
  static CComPtr<IPin> FindOutputPin(IBaseFilter* filter);
  static CComPtr<IPin> FindInputPin(IBaseFilter* filter);

  bool m_bGraphBuilt = false;
  int m_nFrameWidth = 0;
  int m_nFrameHeight = 0;
  int m_nSampleBytes = 0;
  bool m_bNewFrame = false;
  std::unique_ptr<cv::Mat> m_pImage;
  CComPtr<ICaptureGraphBuilder2> m_spCaptureBuilder;
  CComPtr<IGraphBuilder> m_spFilterGraph;
  CComPtr<ISampleGrabber> m_spGrabber;
  CComPtr<IMediaControl> m_spControl;
  CComPtr<IMediaEvent> m_spEvents;
  CComPtr<IBaseFilter> m_spGrabberFilter;
  CComPtr<IBaseFilter> m_spSourceFilter;
  CComPtr<IBaseFilter> m_spSinkFilter;
  CComPtr<IPin> m_spGrabberIn;
  CComPtr<IPin> m_spGrabberOut;
  CComPtr<IPin> m_spSourceOut;
  CComPtr<IPin> m_spSinkIn;
};

#include "platform/media/graph/BuiltinClasses.h"

#include "platform/media/dshow/Capture.h"
#include "platform/media/dshow/DeviceEnum.h"
#include "platform/media/dshow/Graph.h"
#include "platform/media/graph/CaptureFilter.h"
#include "platform/media/graph/CaptureGraphBuilder.h"
#include "platform/media/graph/FilterGraph.h"
#include "platform/media/graph/NullRenderer.h"
#include "platform/media/graph/SampleGrabber.h"
#include "platform/media/graph/SystemDeviceEnum.h"

namespace media {

std::vector<std::pair<CLSID, ClassFactory>> BuiltinClasses() {
  return {
      {CLSID_SystemDeviceEnum, CreateObject<SystemDeviceEnum>},
      {CLSID_VideoCaptureFilter, CreateObject<CaptureFilter>},
      {CLSID_FilterGraph, CreateObject<FilterGraph>},
      {CLSID_CaptureGraphBuilder2, CreateObject<CaptureGraphBuilder>},
      {CLSID_SampleGrabber, CreateObject<SampleGrabber>},
      {CLSID_NullRenderer, CreateObject<NullRenderer>},
  };
}

}  // namespace media

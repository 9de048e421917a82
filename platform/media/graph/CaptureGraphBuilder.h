#pragma once
// The capture graph builder: finds a device's stream configuration and
// crossbar for the camera code.

#include "platform/media/com/ComPtr.h"
#include "platform/media/com/RefCounted.h"
#include "platform/media/dshow/Graph.h"

namespace media {

class CaptureGraphBuilder final : public RefCounted, public ICaptureGraphBuilder2 {
 public:
  HRESULT QueryInterface(REFIID riid, void** object) override;

  HRESULT SetFiltergraph(IGraphBuilder* graph) override;
  HRESULT FindInterface(const GUID* category, const GUID* type, IBaseFilter* filter, REFIID riid,
                        void** object) override;

 private:
  CComPtr<IGraphBuilder> graph_;
};

}  // namespace media
